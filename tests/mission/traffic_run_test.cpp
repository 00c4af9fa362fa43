// Mission 1's map with its road traffic coming at most every 100 ticks on a road cleared of the
// wrecks, and one pedestrian walking a square back and forth, for 3,000 ticks of the mission's own
// tick.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/random.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "mission/mission_steps.h"
#include "mission/mission_tick.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "movement/traffic_paths.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int32_t kLaneY = 505;
constexpr std::array<Point16, 4> kSquare = {{{300, 650}, {400, 650}, {400, 750}, {300, 750}}};

// Mission 1's own traffic, but a car at most every 100 ticks.
void (*g_missionLaneSetUp)() = nullptr;
void LaneSetUp() {
    g_missionLaneSetUp();
    if (!ZFWege.empty()) ZFWege[0].interval = 100;
}

// Mission 1's wrecks block the lane, and its traffic queues behind them; this run clears the
// road to watch the cars drive it end to end.
void (*g_missionObjectSetUp)() = nullptr;
void ClearRoadSetUp() {
    g_missionObjectSetUp();
    for (SonderObj& o : SonderObjs) o.blockMask = 0;
}

void SquareSetUp() {
    PassantenWegCount = 1;
    AllocPassantenWege();
    SetPassantenWeg(0, kPassantenWegBackAndForth, kSquare);
}

void PedestrianSetUp() {
    PersonCount = 10;
    AllocPersonen();
    SpawnPassant(27, 0, 0, 0);
}

MissionStep& TickStep(const char* name) {
    for (MissionStep& s : MissionTickSteps)
        if (std::strcmp(s.name, name) == 0) return s;
    ADD_FAILURE() << name;
    return MissionTickSteps[0];
}
void (*DefaultTickStep(const char* name))() {
    for (const MissionStep& s : DefaultMissionTickSteps())
        if (std::strcmp(s.name, name) == 0) return s.run;
    return nullptr;
}

// Stand-ins for the walk and for the person update, while those are not in the game: they act
// only on orders that no handler has taken up (the started flag is clear), so the real handlers
// take over where they exist.
bool Untaken(const UnitHead& unit, std::uint8_t opcode) {
    return unit.orders != nullptr && unit.orders->opcode == opcode &&
           (unit.orders->flags & kBefehlStarted) == 0;
}

// One step towards the head order's point; the order goes on arrival.
void StepToOrderPoint(UnitHead& unit, const UnitTypHead& typ, std::uint8_t mode) {
    const float tx = unit.orders->aFloat();
    const float ty = unit.orders->bFloat();
    unit.direction = static_cast<std::int8_t>(ClassifyDirectionWide(unit.x, unit.y, tx, ty));
    StepMover(unit, typ, unit.x, unit.y, unit.direction, static_cast<std::uint8_t>(unit.anim), tx,
              ty, mode);
    if (unit.x == tx && unit.y == ty) PopBefehl(unit);
}

void UpdatePersonenWithWalks() {
    if (auto run = DefaultTickStep("UpdatePersonen")) {
        run();
    } else {
        for (std::size_t i = 0; i < Personen.size(); ++i)
            if (Personen[i].type != -1 && (Personen[i].controlFlags & kPersonPedestrian) != 0)
                StepPassantRoute(static_cast<std::int16_t>(i));
    }
    for (Person& p : Personen) {
        if (p.type == -1) continue;
        const UnitTypHead& typ = PersonTypen[static_cast<std::size_t>(p.type)];
        if (Untaken(p, kOpMove)) StepToOrderPoint(p, typ, 2);
        if (Untaken(p, kOpWait) && --p.orders->a == 0) PopBefehl(p);
    }
}

using TrafficRunTest = test::MissionTest;

TEST_F(TrafficRunTest, CarsDriveTheRoadFromRightToLeftAndAPedestrianWalksItsSquare) {
    useSampleData(false);
    openGame();
    g_missionLaneSetUp = MissionHookRows[0].InitZFWege;
    ASSERT_NE(g_missionLaneSetUp, nullptr);
    MissionHookRows[0].InitZFWege = LaneSetUp;
    g_missionObjectSetUp = MissionHookRows[0].InitSonderObj;
    ASSERT_NE(g_missionObjectSetUp, nullptr);
    MissionHookRows[0].InitSonderObj = ClearRoadSetUp;
    MissionHookRows[0].InitPassantenWege = SquareSetUp;
    MissionHookRows[0].InitPersonen = PedestrianSetUp;
    TickStep("UpdatePersonen").run = UpdatePersonenWithWalks;
    GameSpeed = 1;
    SeedRandom(29);
    StartMission(kNewMission);
    leaveKarte();
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    ASSERT_EQ(ZFWege.size(), 1u);
    const std::vector<std::uint16_t> laneTypes = ZFWege[0].types;
    const auto startX = static_cast<float>(ZFWege[0].startX);  // 100 px past the right edge

    // What each vehicle slot held after the last tick.
    std::vector<bool> was(Fahrzeuge.size(), false);
    std::vector<float> lastX(Fahrzeuge.size(), 0);
    int spawned = 0;
    int removed = 0;
    const Person& walker = Personen[0];
    std::vector<int> points{walker.link2 & 0xFF};
    for (int tick = 0; tick < 3000; ++tick) {
        const std::uint16_t link2 = walker.link2;
        RunGameTicks(0);
        ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
        if (walker.link2 != link2) {
            // The next walk starts where the last one ended, and has taken its first step.
            const Point16& reached = kSquare[link2 & 0xFF];
            const float step = PersonTypen[27].speed;
            EXPECT_LE(std::abs(walker.x - reached.x) + std::abs(walker.y - reached.y), step)
                << tick;
            // Its walk leads to the next point: the last move order of its queue (the free path
            // search may lay a way there of several).
            const Point16& next = kSquare[walker.link2 & 0xFF];
            const Befehl* last = nullptr;
            for (const Befehl* b = walker.orders; b != nullptr; b = b->next)
                if (b->opcode == kOpMove) last = b;
            ASSERT_NE(last, nullptr) << tick;
            EXPECT_EQ(last->aFloat(), next.x);
            EXPECT_EQ(last->bFloat(), next.y);
            points.push_back(walker.link2 & 0xFF);
        }
        for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
            const Fahrzeug& v = Fahrzeuge[i];
            const bool used = v.type != -1;
            if (used && !was[i]) {
                ++spawned;
                EXPECT_EQ(v.x, startX - 5) << "entered at the right edge and took a step";
                EXPECT_EQ(v.y, static_cast<float>(kLaneY));
                EXPECT_EQ(v.direction, 9);
                EXPECT_EQ(v.link, 0);
                EXPECT_NE(std::find(laneTypes.begin(), laneTypes.end(), v.type), laneTypes.end());
                ASSERT_NE(v.orders, nullptr);
                EXPECT_EQ(v.orders->opcode, 47);
                ASSERT_NE(v.orders->next, nullptr);
                EXPECT_EQ(v.orders->next->opcode, 48);
            }
            if (!used && was[i]) {
                ++removed;
                EXPECT_EQ(lastX[i], -100.0f) << "removed at the left end";
            }
            was[i] = used;
            lastX[i] = v.x;
        }
    }
    EXPECT_GE(spawned, 20) << "a car at most every 101 ticks, less the random head start";
    EXPECT_GE(removed, spawned - 14)
        << "the lane takes 686 ticks, a car comes every 51 at the least";
    EXPECT_GT(removed, 0);
    ASSERT_GE(points.size(), 8u);
    EXPECT_EQ(std::vector<int>(points.begin(), points.begin() + 8),
              (std::vector<int>{0, 1, 2, 3, 2, 1, 0, 1}));

    ShutdownMission(1);
    EXPECT_TRUE(ZFWege.empty());
    EXPECT_TRUE(PassantenWege.empty());
    EXPECT_TRUE(Fahrzeuge.empty());
}

}  // namespace
}  // namespace kv
