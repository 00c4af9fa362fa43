// The whole game on the sample data: mission 1 with a fire engine and its crew of two. The
// everybody-out command lets them out beside its door, the door shuts with its sound; blown up, the
// engine burns out and is lost once.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "mission/mission_fixture.h"
#include "missions/mission_rows.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"

namespace kv {
namespace {

constexpr std::int8_t kFireFighter = 1;
constexpr std::uint8_t kOpCrewOut = 40;
constexpr std::int32_t kPhraseOnMyWay = 17;

std::int16_t g_engine = -1;

// Mission 1's own vehicles, and a fire engine on the pasture north of the road.
void InitFahrzeugeWithEngine() {
    kMissionHooksM01.InitFahrzeuge();
    g_engine = CreateFahrzeug(kTypF102, 700, 380, 3);
}

// The set-up of the vehicles empties their seats, so the crew boards after it.
void BoardTheCrew() {
    Fahrzeug* engine = UsedFahrzeugAt(g_engine);
    if (engine == nullptr) return;
    for (int n = 0; n < 2; ++n) {
        const std::int16_t p = FindFreePerson();
        if (p < 0) return;
        PlacePerson(p, kFireFighter, engine->x, engine->y, 0);
        ResetPerson(p);
        Personen[static_cast<std::size_t>(p)].offMap = 1;
        engine->seats[static_cast<std::size_t>(n)] = static_cast<std::uint16_t>(p);
    }
}

class CrewOutGame : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        MissionHooks& row = MissionHookRows[0];
        row.InitFahrzeuge = InitFahrzeugeWithEngine;
        row.InitMissionExtras = BoardTheCrew;
    }
    bool soundPlayed(int id) const {
        const auto& calls = backend.sound.calls();
        return std::any_of(calls.begin(), calls.end(), [id](const HeadlessSound::Call& c) {
            return c.op == HeadlessSound::Op::Play && c.buffer == SoundSlots[id].buffer;
        });
    }
};

TEST_F(CrewOutGame, EverybodyOutStandsBesideTheDoorAndABlownUpEngineIsLostOnce) {
    test::ScriptedPlayer player(backend);
    player.click(400, 300);
    player.frames(1);
    leaveKarte(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    Fahrzeug* engine = UsedFahrzeugAt(g_engine);
    ASSERT_NE(engine, nullptr);
    const std::vector<std::uint16_t> crew(engine->seats.begin(), engine->seats.begin() + 2);
    ASSERT_NE(crew[1], kNoPerson);

    SetBefehl(*engine, FahrzeugTypOf(*engine), kOpCrewOut, kPhraseOnMyWay, 8, 0, 0, 0, 0);
    ASSERT_TRUE(player.runUntil([&] { return engine->orders == nullptr; }, 20));
    EXPECT_TRUE(soundPlayed(kSoundCarDoor));
    EXPECT_TRUE(std::all_of(engine->seats.begin(), engine->seats.end(),
                            [](std::uint16_t s) { return s == kNoPerson; }));
    // The last seat's person stands on the door point, the other beside it along the door side.
    const Person& last = Personen[crew[1]];
    const Person& first = Personen[crew[0]];
    const FahrzeugPunkt door = GetFahrzeugDoorPoint(g_engine, static_cast<std::int16_t>(crew[1]));
    EXPECT_EQ(last.offMap, 0);
    EXPECT_EQ(first.offMap, 0);
    EXPECT_EQ(last.x, door.x);
    EXPECT_EQ(last.y, door.y);
    EXPECT_EQ(first.y, door.y);
    EXPECT_NE(first.x, door.x);
    player.frames(2);
    EXPECT_TRUE(player.shot("crew-out"));

    const std::uint16_t lost = LostMissionFahrzeugCount;
    ExplodeFahrzeug(g_engine);
    ASSERT_TRUE(player.runUntil([] { return UsedFahrzeugAt(g_engine) == nullptr; }, 200));
    EXPECT_EQ(LostMissionFahrzeugCount, lost + 1);
    player.frames(20);
    EXPECT_EQ(LostMissionFahrzeugCount, lost + 1);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
