// Mission 1 on the sample data, its two injured joined by a casualty that bleeds to death, a
// civilian set on fire and two contaminated persons beside a protected fire-fighter: 2,400 ticks
// of the mission's own tick, and the counters and energies the person rules give.

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/random.h"
#include "mission/mission_fixture.h"
#include "mission/mission_tick.h"
#include "persons/person_injury.h"
#include "persons/person_types.h"
#include "persons/personen.h"

namespace kv {
namespace {

using MissionPersons = test::MissionTest;

std::int16_t Standing(int type, float x, float y, std::int32_t energy) {
    const std::int16_t i = FindFreePerson();
    Person& p = Personen[static_cast<std::size_t>(i)];
    p.type = static_cast<std::int8_t>(type);
    p.x = x;
    p.y = y;
    p.energy = energy;
    ResetPerson(i);
    return i;
}

const Person& P(std::int16_t i) {
    return Personen[static_cast<std::size_t>(i)];
}

TEST_F(MissionPersons, CasualtiesFireAndPoisonOnMissionOneGiveTheirCounters) {
    useSampleData(false);
    openGame();
    SeedRandom(2400);
    clickStartPicture();
    leaveKarte();
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    GameSpeed = 1;
    // The mission's own two: the badly injured one bleeds 15 a tick, the other does not.
    ASSERT_EQ(P(0).energy, 250000);
    ASSERT_EQ(P(1).energy, 750000);

    const std::int16_t bleeding = CreateVerletzter(1, 600, 250, 0, 1, 30000, 20, 300, 0);
    const std::int16_t civilian = Standing(0, 700, 250, kFullEnergy);
    const std::int16_t poisoned = Standing(1, 600, 350, 60000);
    const std::int16_t neighbour = Standing(2, 601, 350, kFullEnergy);
    const std::int16_t suited = Standing(3, 599, 350, kFullEnergy);
    Personen[static_cast<std::size_t>(poisoned)].contamination = 1;
    HitPerson(civilian);

    int burnt = -1;
    for (int t = 1; t <= 2400; ++t) {
        RunGameTicks(0);
        if (burnt < 0 && P(civilian).casualty != 0) burnt = t;
        ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    }

    EXPECT_EQ(P(0).energy, 250000 - 15 * 2400);
    EXPECT_EQ(P(1).energy, 750000);
    // 30,000 at 20 a tick is gone on tick 1,500; the dead count their ticks from then on.
    EXPECT_EQ(P(bleeding).energy, 0);
    EXPECT_EQ(P(bleeding).deadTicks, 900);
    // The burning civilian lies down within its flames' 80 ticks, with 500,000, and bleeds.
    ASSERT_GT(burnt, 0);
    EXPECT_LE(burnt, 80);
    EXPECT_EQ(P(civilian).type, kPersonTypBurning);
    EXPECT_EQ(P(civilian).energy, kBurnedEnergy - 20 * (2400 - burnt));
    // 60,000 at 30 a tick is spent on tick 2,000; the next tick lays the person down full, still
    // poisoned: 399 ticks of 20 + 30.
    EXPECT_EQ(P(poisoned).casualty, 1);
    EXPECT_EQ(P(poisoned).energy, kFullEnergy - 50 * 399);
    // 1 px away the neighbour took it within a few hundred ticks and has lost 30 a tick since.
    EXPECT_EQ(P(neighbour).contamination, 1);
    EXPECT_EQ(P(neighbour).casualty, 0);
    EXPECT_GT(P(neighbour).energy, kFullEnergy - 30 * 2400);
    EXPECT_LT(P(neighbour).energy, kFullEnergy - 30 * 1500);
    EXPECT_EQ(P(suited).contamination, 0);
    EXPECT_EQ(P(suited).energy, kFullEnergy);

    EXPECT_EQ(ToteCount, 2) << "the bled-out casualty and the poisoned person";
    EXPECT_EQ(VerletzteCount, 2) << "the burnt civilian and the poisoned person";
    EXPECT_EQ(TickCounter, 2400u);
}

}  // namespace
}  // namespace kv
