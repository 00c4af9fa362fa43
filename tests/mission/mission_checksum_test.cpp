#include "mission/mission_checksum.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "core/fire_counts.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/mission_tick.h"
#include "movement/befehl_queue.h"
#include "movement/zones.h"
#include "persons/personen.h"
#include "support/headless_test.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/furniture.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

// A map of four cells, one house of two floors, a zone, two persons and two vehicles (one of
// each a free slot) and two objects.
class MissionChecksumTest : public test::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        SeedRandom(5);
        MapCells.assign(4, MapCell{});
        CellAnims.assign(4, CellAnim{});
        BrandStates.assign(4, BrandState{});
        Houses.assign(1, House{});
        Houses[0].type = 3;
        Houses[0].floors.assign(2, HouseFloor{});
        HouseObjs.assign(1, HouseObj{});
        Zones.assign(1, Zone{});
        Personen.assign(2, Person{});
        Personen[0].type = 1;
        Personen[0].attachment.makeJet();
        AppendBefehl(Personen[0], 2, GoalList{{10, 20, 3, 0}, {30, 40, 9, 0}}, 0, 0, 0, 0, -1);
        Fahrzeuge.clear();
        Fahrzeuge.resize(2);
        Fahrzeuge[0].type = 0;
        Fahrzeuge[0].wasserStrahl = std::make_unique<WasserStrahl>();
        SonderObjs.clear();
        SonderObjs.resize(2);
        SonderObjCount = 2;
        SonderObjs[1].type = 20;
        AppendSonderObjCommand(1, kCmdThrown, FlightBlock{}, 0, 0);
        PontonPunktCount = 1;
        AllocPontonPunkte();
    }
};

struct Change {
    const char* what;
    std::function<void()> apply;
};

TEST_F(MissionChecksumTest, OneStateOneNumberAndEveryPartCounts) {
    const std::uint64_t start = MissionChecksum();
    EXPECT_EQ(MissionChecksum(), start);

    const Change changes[] = {
        {"tick counter", [] { ++TickCounter; }},
        {"clock", [] { MissionClock = 20; }},
        {"clock mode", [] { MissionClockMode = 2; }},
        {"fire phase", [] { BrandPhase = 1; }},
        {"a counter", [] { ++MissionCounters.ToteCount; }},
        {"the random generator", [] { Rand(); }},
        {"cell material", [] { MapCells[2].material = 0x81; }},
        {"cell animation", [] { CellAnims[3].frame = 1; }},
        {"cell fire", [] { BrandStates[0].heat = 5; }},
        {"house floor", [] { Houses[0].floors[1].brand[2][3].burning = 1; }},
        {"house", [] { Houses[0].burningCells = 1; }},
        {"furniture", [] { HouseObjs[0].frame = 2; }},
        {"zone", [] { Zones[0].occupants = 1; }},
        {"person", [] { Personen[0].x = 0.5f; }},
        {"person's hose",
         [] {
             if (SchlauchStrahl* jet = Personen[0].attachment.jet()) jet->targetX = 5;
         }},
        {"person's order", [] { Personen[0].orders->b = 7; }},
        {"order's goals", [] { Personen[0].orders->goals[1].x = 31; }},
        {"vehicle", [] { Fahrzeuge[0].energy = 5; }},
        {"vehicle's own fields", [] { Fahrzeuge[0].heat = 5; }},
        {"vehicle's jet", [] { Fahrzeuge[0].wasserStrahl->targetX = 5; }},
        {"object", [] { SonderObjs[1].y = 3.0f; }},
        {"object's command", [] { SonderObjs[1].commands->c = 4; }},
        {"command's flight", [] { SonderObjs[1].commands->flight->travelled = 15; }},
        {"pontoon point", [] { PontonPunkte[0].complete = 1; }},
        {"explosion", [] { ++ExplosionSlots[3].live; }},
    };
    for (const Change& c : changes) {
        const std::uint64_t before = MissionChecksum();
        c.apply();
        EXPECT_NE(MissionChecksum(), before) << c.what;
    }

    // Free slots hold nothing that counts, and what only the drawers write stays out.
    const std::uint64_t before = MissionChecksum();
    Personen[1].x = 7;
    Fahrzeuge[1].x = 7;
    SonderObjs[0].x = 7;
    Personen[0].attachment.jet()->ticksRunning = 12;
    Fahrzeuge[0].wasserStrahl->reserved = 12;
    EXPECT_EQ(MissionChecksum(), before);
}

// What a saved game drops by design stays out, so that a game loaded hashes as it was saved;
// what it keeps of the same fields still counts.
TEST_F(MissionChecksumTest, WhatTheSaveDropsStaysOut) {
    const Change dropped[] = {
        {"object tick", [] { SonderObjs[1].tick = 9; }},
        {"furniture tick", [] { HouseObjs[0].tick = 9; }},
        {"evasion reset", [] { Personen[0].evadeReset = 1; }},
        {"draw corner", [] { Fahrzeuge[0].drawX = 40; }},
        {"step marker", [] { Personen[0].stepMarker = 3; }},
        {"searching bit", [] { Fahrzeuge[0].moverFlags |= 2; }},
        // A search in progress, whose head order starts afresh after a load.
        {"head order started while searching",
         [] {
             Personen[0].moverFlags |= 8;
             Personen[0].orders->flags |= kBefehlStarted;
         }},
        {"pieces past the count",
         [] {
             Fahrzeuge[0].pieces = {5, 6};
         }},
    };
    for (const Change& c : dropped) {
        const std::uint64_t before = MissionChecksum();
        c.apply();
        EXPECT_EQ(MissionChecksum(), before) << c.what;
    }
    const Change kept[] = {
        {"partial-path bit", [] { Fahrzeuge[0].moverFlags |= 4; }},
        {"led bit of a person", [] { Personen[0].moverFlags |= 16; }},
        {"the head order's other flags", [] { Personen[0].orders->flags ^= kBefehlRouteLeg; }},
        {"pieces within the count", [] { Fahrzeuge[0].pieceCount = 1; }},
    };
    for (const Change& c : kept) {
        const std::uint64_t before = MissionChecksum();
        c.apply();
        EXPECT_NE(MissionChecksum(), before) << c.what;
    }
}

}  // namespace
}  // namespace kv
