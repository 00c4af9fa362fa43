// Fights between fighters of the two clubs: the meeting points and their search position, who of
// a pair runs the fight and who walks where, a fight to its end, a loser that catches fire in the
// middle of it, and fight orders that name nobody.

#include "persons/person_fight.h"

#include <gtest/gtest.h>

#include "core/mission_counters.h"
#include "mission/game_state.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/gaffer.h"
#include "persons/person_injury.h"
#include "persons/person_types.h"
#include "plain_map.h"
#include "rival_fixture.h"

namespace kv {
namespace {

using Fights = test::RivalTest;

constexpr std::uint8_t kFighter = kPersonController | kPersonFighter;
constexpr std::uint8_t kFightOrder = 172;
constexpr std::uint8_t kFightWaitOrder = 173;

Point16 Spot(std::size_t i) {
    return kMeetingPoints[i];
}

void ExpectSpot(Point16 got, Point16 want) {
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
}

void ExpectWalk(const Befehl* order, float x, float y) {
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(order->opcode, kOpMove);
    EXPECT_EQ(order->aFloat(), x);
    EXPECT_EQ(order->bFloat(), y);
}

TEST_F(Fights, MeetingPointsAreTriedInTurnAndTheSearchPositionLivesWithTheProgram) {
    ExpectSpot(FindFreeSpotNearPoint(), Spot(0));
    ExpectSpot(FindFreeSpotNearPoint(), Spot(1));
    // Somebody standing at the third point: the fourth is next.
    const std::int16_t blocker = stand(0, Spot(2).x, Spot(2).y);
    ExpectSpot(FindFreeSpotNearPoint(), Spot(3));
    DeletePerson(blocker);

    // On a map too small for any point's box, nothing, and the search starts over.
    plainmap::PlainMap(40, 30);
    ExpectSpot(FindFreeSpotNearPoint(), {-1, -1});
    plainmap::PlainMap(80, 56);
    ExpectSpot(FindFreeSpotNearPoint(), Spot(0));

    ResetGameState();
    plainmap::PlainMap(80, 56);
    ExpectSpot(FindFreeSpotNearPoint(), Spot(1));  // a mission's end keeps the position
    ResetProgramState();
    plainmap::PlainMap(80, 56);
    ExpectSpot(FindFreeSpotNearPoint(), Spot(0));
}

TEST_F(Fights, TheStrongerRunsTheFightAndOnlyTheOneFarFromThePointWalksThere) {
    const Point16 s = Spot(0);
    struct Case {
        const char* name;
        std::int32_t energyP;
        std::int32_t energyO;
        bool pNear;
        bool rivalRuns;
    };
    const Case cases[] = {
        {"the rival stronger", 500000, kFullEnergy, false, true},
        {"as strong: the rival", kFullEnergy, kFullEnergy, false, true},
        {"P stronger", kFullEnergy, 500000, false, false},
        {"the rival stronger, P 19 px from the point", 500000, kFullEnergy, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetFreeSpotIndex();
        const std::int16_t p =
            controlled(41, c.pNear ? s.x + 15 : 700, c.pNear ? s.y + 12 : 1000, kFighter);
        // Anybody standing near a point fills its box; a person the box test does not see (one
        // off the map) shows the rule.
        person(p).offMap = c.pNear ? 1 : 0;
        const std::int16_t o = controlled(43, 760, 1000, kFighter);
        person(p).energy = c.energyP;
        person(o).energy = c.energyO;
        StartPersonFight(p);
        const Person& runner = person(c.rivalRuns ? o : p);
        const Person& other = person(c.rivalRuns ? p : o);
        const std::int16_t otherIndex = c.rivalRuns ? p : o;
        EXPECT_EQ(person(p).link2, o);
        EXPECT_EQ(person(o).link2, p);
        if (c.pNear) {
            EXPECT_EQ(other.orders, nullptr);
            ExpectWalk(runner.orders, other.x + kFightGap, other.y);
        } else {
            ExpectWalk(other.orders, s.x, s.y);
            ExpectWalk(runner.orders, s.x + kFightGap, s.y);
        }
        ASSERT_NE(runner.orders, nullptr);
        const Befehl* fight = runner.orders->next;
        ASSERT_NE(fight, nullptr);
        EXPECT_EQ(fight->opcode, kFightOrder);
        EXPECT_EQ(fight->aInt(), otherIndex);
        DeletePerson(p);
        DeletePerson(o);
    }
}

TEST_F(Fights, AFighterWithoutRivalOrMeetingPointWalksDownOrStays) {
    // No meeting point fits this map: the two never pair.
    plainmap::PlainMap(40, 30);
    const std::int16_t p = controlled(41, 700, 1000, kFighter);
    const std::int16_t o = controlled(43, 760, 1000, kFighter);
    StartPersonFight(p);
    EXPECT_EQ(person(p).link2, kNoLink);
    EXPECT_EQ(person(o).link2, kNoLink);
    EXPECT_EQ(person(p).orders, nullptr);

    // Above the fight line nobody is looked for; above the area a free fighter walks down.
    plainmap::PlainMap(80, 56);
    person(p).y = 870;
    StartPersonFight(p);
    EXPECT_EQ(person(p).orders, nullptr);
    person(p).y = 700;
    StartPersonFight(p);
    ExpectWalk(person(p).orders, 874, 896);
    const Befehl* second = person(p).orders->next;
    ASSERT_NE(second, nullptr);
    EXPECT_GE(second->aFloat(), 730);
    EXPECT_LT(second->aFloat(), 960);
    EXPECT_GE(second->bFloat(), 910);
    EXPECT_LT(second->bFloat(), 990);
}

struct FightScene {
    std::int16_t winner;
    std::int16_t loser;
    float winnerX = 0;
    float winnerY = 0;
    float loserX = 0;
    float loserY = 0;
};

class FightToTheEnd : public Fights {
  protected:
    // A strong fighter and a weaker one below the fight line, run until the fight starts.
    FightScene start() {
        FightScene f{controlled(41, 800, 1000, kFighter), controlled(43, 900, 1000, kFighter)};
        person(f.loser).energy = 600000;
        for (int t = 0; t < 2000 && person(f.loser).present != 0; ++t) ticks(1);
        EXPECT_EQ(person(f.loser).present, 0) << "the fight has begun";
        EXPECT_EQ(HeadBefehlOpcode(person(f.winner)), kFightOrder);
        EXPECT_EQ(HeadBefehlOpcode(person(f.loser)), kFightWaitOrder);
        EXPECT_EQ(person(f.winner).controlFlags, 0);
        EXPECT_EQ(person(f.winner).anim, 5);
        EXPECT_EQ(person(f.winner).sound, 71);
        f.winnerX = person(f.winner).x;
        f.winnerY = person(f.winner).y;
        f.loserX = person(f.loser).x;
        f.loserY = person(f.loser).y;
        EXPECT_EQ(f.winnerX, f.loserX + kFightGap);
        return f;
    }
    // Ticks until the winner is free again.
    void runOut(const FightScene& f) {
        for (int t = 0; t < 500 && person(f.winner).controlFlags == 0; ++t) ticks(1);
    }
};

TEST_F(FightToTheEnd, TheWinnerStandsAgainAndTheLoserLiesCountedOnce) {
    const FightScene f = start();
    runOut(f);
    const Person& w = person(f.winner);
    const Person& l = person(f.loser);
    EXPECT_EQ(w.controlFlags, kFighter);
    EXPECT_EQ(w.energy, kFullEnergy - 300000);
    EXPECT_EQ(w.x, f.winnerX + 1);
    EXPECT_EQ(w.y, f.winnerY - 1);
    EXPECT_EQ(w.direction, 9);
    EXPECT_EQ(w.anim, kAnimStand);
    EXPECT_EQ(w.orders, nullptr);
    EXPECT_EQ(w.sound, -1);
    EXPECT_EQ(l.casualty, 1);
    EXPECT_EQ(l.present, 1) << "shown again where it lies";
    EXPECT_EQ(l.anim, kAnimLying);
    EXPECT_EQ(l.direction, 9);
    EXPECT_EQ(l.x, f.loserX - 10);
    EXPECT_EQ(l.y, f.loserY - 2);
    EXPECT_EQ(l.energyLoss, kCasualtyLoss);
    EXPECT_EQ(l.link2, kNoLink);
    EXPECT_EQ(l.orders, nullptr);
    EXPECT_EQ(VerletzteCount, 1);
    ticks(200);
    EXPECT_EQ(VerletzteCount, 1);
    EXPECT_EQ(person(f.winner).controlFlags, kFighter);
}

TEST_F(FightToTheEnd, ALoserThatCatchesFireIsNotMadeACasualtyTwice) {
    const FightScene f = start();
    IgnitePerson(f.loser);
    EXPECT_EQ(person(f.loser).present, 1);
    runOut(f);
    EXPECT_EQ(person(f.winner).controlFlags, kFighter);
    EXPECT_EQ(person(f.winner).sound, -1);
    EXPECT_EQ(person(f.winner).orders, nullptr);
    for (int t = 0; t < 500 && person(f.loser).casualty == 0; ++t) ticks(1);
    EXPECT_EQ(person(f.loser).casualty, 1) << "it burnt down";
    ticks(100);
    EXPECT_EQ(VerletzteCount, 1);
}

TEST_F(Fights, FightOrdersThatNameNobodyEndAtOnce) {
    const std::int16_t p = controlled(41, 700, 1000, 0);
    for (const std::int32_t partner : {-1, 40, 999, static_cast<std::int32_t>(p)}) {
        SCOPED_TRACE(partner);
        SetBefehl(person(p), PersonTypen[41], kFightOrder, -1, partner, 0, 0, 0, 0);
        ticks(1);
        EXPECT_EQ(person(p).orders, nullptr);
        // Waiting for a partner who does not fight: a fighter's controller comes back.
        person(p).present = 0;
        person(p).controlFlags = 0;
        SetBefehl(person(p), PersonTypen[41], kFightWaitOrder, -1, partner, 0, 0, 0, 0);
        ticks(1);
        EXPECT_EQ(person(p).orders, nullptr);
        EXPECT_EQ(person(p).present, 1);
        EXPECT_EQ(person(p).controlFlags, kFighter);
        person(p).controlFlags = 0;
    }
}

}  // namespace
}  // namespace kv
