// The whole game on the sample data: mission 1's badly injured casualty is treated by a medic and
// loaded by a stretcher team, which then gets into an ambulance with it; the medic follows. The
// orders are those the clicks give.

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "mission/mission_fixture.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/boarding.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int16_t kBadlyInjured = 0;  // lies at (917, 500) in direction 3
constexpr std::int16_t kFuelSlot = 2;
constexpr std::int8_t kStretcherTeam = 5;
constexpr std::int8_t kLoadedStretcher = 26;
constexpr std::uint8_t kOpTreat = 150;
constexpr std::uint8_t kOpLoad = 152;
constexpr std::int32_t kPhraseTreat = 15;
constexpr std::int32_t kPhraseStretcher = 16;

class RescueGame : public test::MissionTest {
  protected:
    static std::int16_t staff(std::int8_t type, float x, float y) {
        const std::int16_t p = FindFreePerson();
        EXPECT_GE(p, 0);
        PlacePerson(p, type, x, y, 0);
        ResetPerson(p);
        return p;
    }
    static Person& at(std::int16_t p) { return Personen[static_cast<std::size_t>(p)]; }
    static void select(std::int16_t p) {
        at(p).selected = 1;
        SelectedIndex = static_cast<std::uint16_t>(p);
        SelectionMode = static_cast<std::uint16_t>(kPersonSelected + at(p).type);
    }
};

TEST_F(RescueGame, AMedicTreatsTheStretcherTeamLoadsAndBothGetIntoTheAmbulance) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    // The fuel beside the casualty is bound first, else the mission sets it off.
    FreeSonderObjSlot(kFuelSlot);

    LoadFahrzeugTyp(kTypF201);
    const std::int16_t v = CreateFahrzeug(kTypF201, 1010, 580, 9);
    ASSERT_GE(v, 0);
    SetupFahrzeug(v, kOwnerBought);
    Fahrzeug& ambulance = Fahrzeuge[static_cast<std::size_t>(v)];
    const std::int16_t medic = staff(kPersonTypMedic, 960, 560);
    const std::int16_t team = staff(kStretcherTeam, 980, 440);
    Person& patient = at(kBadlyInjured);
    const MissionCounterSet counters = MissionCounters;

    // A casualty lying in direction 3: the medic kneels below or above it, facing it.
    const float px = patient.x;
    const float py = patient.y;
    const auto wx = static_cast<std::int32_t>(px);
    const auto wy = static_cast<std::int32_t>(py);
    SetBefehl(at(medic), PersonTypOf(at(medic)), kOpGoals, kPhraseTreat,
              GoalList{{px, py + 15, 1, 0}, {px, py - 15, 7, 0}}, 0, 0, 0);
    AppendBefehl(at(medic), kOpTreat, kBadlyInjured, wx, wy, 0, 0);
    ASSERT_TRUE(player.runUntil([&] { return at(medic).anim == kAnimTreat; }, 400));
    EXPECT_EQ(patient.link, kTreatedByLink + medic);
    EXPECT_EQ(patient.treated, 1);
    player.frames(2);
    EXPECT_TRUE(player.shot("actions-rescue"));

    // The stretcher team stops 15 px beyond the box the casualty lies in, above or below it.
    const AnimSlot& box = PersonAnimSlot(patient.type, patient.direction, kAnimLying);
    SetBefehl(at(team), PersonTypOf(at(team)), kOpGoals, kPhraseStretcher,
              GoalList{{px, py + static_cast<float>(box.box[1] - box.hotY - 15), 9, 0},
                       {px, py + static_cast<float>(box.box[3] - box.hotY + 15), 9, 0}},
              0, 0, 0);
    AppendBefehl(at(team), kOpLoad, kBadlyInjured, wx, wy, 0, 0);
    ASSERT_TRUE(player.runUntil([&] { return at(team).type == kLoadedStretcher; }, 400));
    EXPECT_EQ(at(team).link, kBadlyInjured);
    EXPECT_EQ(patient.offMap, 1);
    EXPECT_EQ(at(medic).anim, kAnimStand) << "the medic lets go";
    EXPECT_EQ(at(medic).link, kNoLink);

    // Both get in; the selection passes to the ambulance.
    for (const std::int16_t p : {team, medic}) {
        select(p);
        ASSERT_EQ(OrderPersonIntoFahrzeug(v), 1);
        ASSERT_TRUE(player.runUntil([&] { return at(p).offMap == 1; }, 600)) << p;
        EXPECT_EQ(SelectionMode, kTypF201);
        EXPECT_EQ(SelectedIndex, v);
        ambulance.selected = 0;
    }
    EXPECT_EQ(ambulance.seats[0], team);
    EXPECT_EQ(ambulance.seats[1], medic);
    EXPECT_EQ(at(team).link, kBadlyInjured) << "the patient rides along on the stretcher";
    EXPECT_EQ(patient.offMap, 1);
    EXPECT_EQ(patient.type, 35);

    player.frames(20);
    EXPECT_EQ(GameMode, 2u);
    EXPECT_EQ(MissionCounters.ToteCount, counters.ToteCount);
    EXPECT_EQ(MissionCounters.VerletzteCount, counters.VerletzteCount);
    EXPECT_EQ(MissionCounters.LostBoughtFahrzeugCount, counters.LostBoughtFahrzeugCount);
    EXPECT_EQ(MissionCounters.LostMissionFahrzeugCount, counters.LostMissionFahrzeugCount);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
