// Onlookers and their targets: the mission's table with its set-up hook, the nearest target, the
// distance at which an onlooker walks back, and the creators of onlookers and fighters.

#include "persons/gaffer.h"

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "core/mission_hooks.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/gaffer_ziele.h"
#include "rival_fixture.h"

namespace kv {
namespace {

using Onlookers = test::RivalTest;

constexpr std::uint8_t kOnlookerFlags = kPersonController | kPersonOnlooker;

void ThreeTargets() {
    GafferZielCount = 3;
    AllocGafferZiele();
    SetGafferZiel(0, 300, 300, 15);
    SetGafferZiel(1, 500, 300, 8);
    SetGafferZiel(2, 700, 300, 15);
}

TEST_F(Onlookers, TheMissionHookBuildsTheTableAndAMissionWithoutOneIsFatal) {
    InitGafferZiele(1);
    EXPECT_EQ(FatalErrorMessage(), "InitGafferZiele not defined");
    ResetFatalError();

    MissionHookRows[1].InitGafferZiele = ThreeTargets;
    GafferZielCount = 9;
    AllocGafferZiele();
    InitGafferZiele(2);
    ASSERT_EQ(GafferZiele.size(), 3u);
    EXPECT_EQ(GafferZiele[1].x, 500);
    EXPECT_EQ(GafferZiele[1].radius, 8);
    // Built again, as a second part does: the earlier table goes.
    InitGafferZiele(2);
    EXPECT_EQ(GafferZiele.size(), 3u);
    SetGafferZiel(3, 1, 1, 1);
    SetGafferZiel(-1, 1, 1, 1);
    EXPECT_EQ(GafferZiele.size(), 3u) << "an index outside the table changes nothing";

    // The nearest target; the first of two as near; none without a table.
    EXPECT_EQ(FindNearestGafferZiel(420, 310), 1);
    EXPECT_EQ(FindNearestGafferZiel(400, 300), 0);
    EXPECT_EQ(FindNearestGafferZiel(600, 300), 1);
    FreeGafferZiele();
    EXPECT_EQ(FindNearestGafferZiel(400, 300), -1);
}

TEST_F(Onlookers, AnOnlookerFarFromItsNearestTargetWaitsThenWalksBack) {
    ThreeTargets();
    struct Case {
        float x;
        bool walks;
        std::int32_t target;
    };
    // Radius 15: 20 px of slack beyond it; radius 8: none.
    const Case cases[] = {
        {300 - 35, false, 0}, {300 - 36, true, 0}, {500 + 8, false, 1}, {500 + 9, true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        const std::int16_t i = CreateGaffer(0, static_cast<std::int16_t>(c.x), 300, 0, 3, 0);
        ASSERT_GE(i, 0);
        UpdateGaffer(i);
        const Person& p = person(i);
        if (!c.walks) {
            EXPECT_EQ(p.orders, nullptr);
        } else {
            ASSERT_EQ(HeadBefehlOpcode(p), kOpWait);
            EXPECT_GE(p.orders->aInt(), 60);
            EXPECT_LT(p.orders->aInt(), 140);
            const Befehl* walk = p.orders->next;
            ASSERT_NE(walk, nullptr);
            EXPECT_EQ(walk->opcode, kOpGaffer);
            EXPECT_EQ(walk->aFloat(), GafferZiele[static_cast<std::size_t>(c.target)].x);
            EXPECT_EQ(walk->bFloat(), 300);
            EXPECT_EQ(walk->e, static_cast<std::uint32_t>(c.target));
        }
        DeletePerson(i);
    }
}

TEST_F(Onlookers, WithoutTargetsOnlookersStayWhereTheyAre) {
    const std::int16_t i = controlled(0, 100, 100, kOnlookerFlags);
    ticks(400);
    EXPECT_EQ(person(i).x, 100);
    EXPECT_EQ(person(i).orders, nullptr);
}

TEST_F(Onlookers, OnlookersAndFightersAreCreatedStandingWithTheirControllers) {
    const std::int16_t g = CreateGaffer(28, 200, 220, 0, 5, 2);
    ASSERT_GE(g, 0);
    const Person& o = person(g);
    EXPECT_EQ(o.type, 28);
    EXPECT_EQ(o.controlFlags, kOnlookerFlags);
    EXPECT_EQ(o.contamination, 2);
    EXPECT_EQ(o.direction, 5);
    EXPECT_EQ(o.energy, kFullEnergy);
    EXPECT_EQ(o.selectable, 0);
    EXPECT_EQ(o.anim, kAnimStand) << "reset, since its type is loaded";

    const std::int16_t f = CreateScriptPerson(41, 200, 260, 0, 7);
    ASSERT_GE(f, 0);
    EXPECT_EQ(person(f).controlFlags, kPersonController | kPersonFighter);
    EXPECT_EQ(person(f).link2, kNoLink);
    EXPECT_EQ(person(f).house, 0xFFFF);
    // Upstairs a fighter needs a house cell, as an onlooker does.
    EXPECT_EQ(CreateScriptPerson(41, 200, 300, 1, 7), -1);
    EXPECT_EQ(CreateGaffer(28, 200, 300, 1, 7, 0), -1);
    EXPECT_EQ(CreateGaffer(-1, 200, 300, 0, 7, 0), -1);
}

}  // namespace
}  // namespace kv
