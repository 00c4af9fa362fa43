// Taking a person along on mission 1's generated map: the leader's place beside the person, the
// led forms and the selection, the trail the leader follows, and letting go.

#include "persons/person_lead.h"

#include <gtest/gtest.h>

#include <array>

#include "core/mission_state.h"
#include "core/selection.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/person_injury.h"
#include "persons/person_types.h"
#include "vehicles/move_fixture.h"

namespace kv {
namespace {

using test::kFieldX;
using test::kFieldY;

constexpr int kPolice = 1;
constexpr int kRival = 32;

int g_selectionUpdates = 0;

class PersonLead : public test::MoveTest {
  protected:
    void SetUp() override {
        test::MoveTest::SetUp();
        g_selectionUpdates = 0;
        SetUpdateSelectionModeHook([] { ++g_selectionUpdates; });
    }

    // A rival in the field and a leader gap px to its left, facing it, told to take it along.
    std::array<std::int16_t, 2> pair(float gap) {
        const std::int16_t led = Walker(kRival, kFieldX, kFieldY, 0);
        const std::int16_t leader = Walker(kPolice, kFieldX - gap, kFieldY, 3);
        SetBefehl(P(leader), PersonTypen[kPolice], kOpTakeAlong, -1, led, 0, 0, 0, 1);
        return {led, leader};
    }

    // Someone on the leader's spot and on each of the four places around the led person.
    static void crowdAround(std::int16_t led, std::int16_t leader) {
        Walker(kPolice, P(leader).x, P(leader).y + 2, 0);
        for (const auto& [dx, dy] : {std::array<float, 2>{0, -12}, {0, 12}, {-12, 0}, {12, 0}})
            Walker(kPolice, P(led).x + dx, P(led).y + dy, 0);
    }
};

TEST_F(PersonLead, TheLeaderMustStandElevenPixelsFromThePersonItFaces) {
    const auto [led, leader] = pair(10);
    Tick();
    EXPECT_EQ(P(leader).orders, nullptr);
    EXPECT_EQ(P(led).type, kRival);
    EXPECT_EQ(P(led).link, 0xFFFF);

    const auto [led2, leader2] = pair(11);
    P(led2).y += 60;
    P(leader2).y += 60;
    P(led2).selected = 1;
    SelectionMode = 1000 + kRival;
    SelectedIndex = static_cast<std::uint16_t>(led2);
    Tick();
    const Person& p = P(led2);
    const Person& l = P(leader2);
    EXPECT_EQ(p.type, 33);
    EXPECT_EQ(p.controlFlags, kPersonController);
    EXPECT_EQ(p.link, leader2);
    EXPECT_EQ(l.link, 1000 + led2);
    EXPECT_NE(p.moverFlags & kMoverLed, 0);
    EXPECT_EQ(p.speed, l.speed);
    EXPECT_EQ(p.direction, 3);
    EXPECT_EQ(p.orders, nullptr);
    EXPECT_EQ(HeadBefehlOpcode(l), kOpFollowTrail);
    EXPECT_EQ(l.orders->aInt(), led2);
    EXPECT_EQ(SelectionMode, 1000 + kPolice) << "the selection passes to the leader";
    EXPECT_EQ(SelectedIndex, leader2);
    EXPECT_EQ(l.selected, 1);
    // The trail runs from the leader to the person, the person's own point last.
    const PersonTrail& t = p.trail;
    ASSERT_LT(t.trailWrite, 40);
    EXPECT_EQ(t.trail[0].x, kFieldX - 11);
    EXPECT_EQ(t.trail[static_cast<std::size_t>(t.trailWrite - 1)].x, kFieldX);
}

TEST_F(PersonLead, TheLeaderFollowsTheLedPersonsTrailAStepBehind) {
    const auto [led, leader] = pair(11);
    Tick();
    ASSERT_EQ(HeadBefehlOpcode(P(leader)), kOpFollowTrail);
    SetBefehl(P(led), PersonTypen[33], kOpMove, -1, static_cast<int>(kFieldX) + 120,
              static_cast<int>(kFieldY), 0, 0, 1);
    for (int t = 0; t < 150; ++t) {
        Tick();
        EXPECT_LT(P(leader).x, P(led).x) << t;
    }
    EXPECT_EQ(P(led).x, kFieldX + 120);
    EXPECT_GT(P(leader).x, kFieldX + 90) << "walked behind it";
    EXPECT_EQ(P(leader).moverFlags & kMoverSearching, 0) << "stands when the led person does";
}

TEST_F(PersonLead, LettingGoGivesThePersonItsOwnFormAndAWait) {
    const auto [led, leader] = pair(11);
    Tick();
    P(led).selected = 1;
    ReleaseLedPerson(led, leader, 1);
    const Person& p = P(led);
    EXPECT_EQ(p.type, kRival);
    EXPECT_EQ(p.controlFlags, kPersonController | kPersonRival);
    EXPECT_EQ(p.link, 0xFFFF);
    EXPECT_EQ(p.moverFlags & kMoverLed, 0);
    EXPECT_EQ(p.speed, PersonTypen[kRival].speed);
    EXPECT_EQ(p.selected, 0);
    ASSERT_EQ(HeadBefehlOpcode(p), kOpWait);
    EXPECT_EQ(p.orders->aInt(), 1000);
    EXPECT_EQ(P(leader).link, 0xFFFF);
    EXPECT_EQ(P(leader).orders, nullptr);
    EXPECT_EQ(P(leader).x, kFieldX - 11) << "it stood free";
    EXPECT_EQ(g_selectionUpdates, 1);
}

TEST_F(PersonLead, WithEveryPlaceAroundBlockedOnlyTheLinksGo) {
    const auto [led, leader] = pair(11);
    Tick();
    crowdAround(led, leader);
    const float lx = P(leader).x;
    ReleaseLedPerson(led, leader, 1);
    EXPECT_EQ(P(led).link, 0xFFFF);
    EXPECT_EQ(P(led).moverFlags & kMoverLed, 0);
    EXPECT_EQ(P(led).speed, PersonTypen[33].speed);
    EXPECT_EQ(P(leader).link, 0xFFFF);
    EXPECT_EQ(P(leader).moverFlags & kMoverSearching, 0);
    // The release ends there: the leader keeps its place and orders, the person its led form.
    EXPECT_EQ(P(led).type, 33);
    EXPECT_EQ(HeadBefehlOpcode(P(leader)), kOpFollowTrail);
    EXPECT_EQ(P(leader).x, lx);
    EXPECT_EQ(g_selectionUpdates, 0);

    // Nor does a release of a pair that does not take along change anything.
    const auto [led2, leader2] = pair(11);
    P(led2).y += 60;
    P(leader2).y += 60;
    Tick();
    ReleaseLedPerson(led2, static_cast<std::int16_t>(led2 + 10), 0);
    EXPECT_EQ(P(led2).link, leader2);
}

TEST_F(PersonLead, ARivalWhoseEscortIsHurtInACrowdCanBeTakenAlongAgain) {
    const auto [led, leader] = pair(11);
    Tick();
    crowdAround(led, leader);
    InjurePerson(leader, 500000, kPushEverywhere, 0);
    ASSERT_EQ(P(leader).casualty, 1);
    EXPECT_EQ(P(leader).link, 0xFFFF) << "no longer leads the rival";

    // A second police officer steps up below the rival, facing it.
    const std::int16_t escort = Walker(kPolice, kFieldX, kFieldY + 11, 0);
    SetBefehl(P(escort), PersonTypen[kPolice], kOpTakeAlong, -1, led, 0, 0, 0, 1);
    Tick();
    EXPECT_EQ(P(led).link, escort);
    EXPECT_NE(P(led).moverFlags & kMoverLed, 0);
    EXPECT_EQ(P(escort).link, 1000 + led);
    EXPECT_EQ(HeadBefehlOpcode(P(escort)), kOpFollowTrail);
}

TEST_F(PersonLead, OrdersThatNameNobodyArePoppedAndATrailWithoutProgressEnds) {
    const std::int16_t l = Walker(kPolice, kFieldX, kFieldY, 3);
    for (const std::uint8_t op : {kOpTakeAlong, kOpFollowTrail}) {
        for (const std::int32_t who : {-1, 999, static_cast<std::int32_t>(l)}) {
            SetBefehl(P(l), PersonTypen[kPolice], op, -1, who, 0, 0, 0, 1);
            AppendBefehl(P(l), kOpWait, 5, 0, 0, 0, 1);
            Tick();
            EXPECT_EQ(HeadBefehlOpcode(P(l)), kOpWait) << int{op} << " " << who;
        }
    }

    // A leader that cannot step fills the trail with its own point only.
    const auto [led, leader] = pair(11);
    P(leader).speed = 0;
    Tick();
    EXPECT_EQ(P(led).trail.trailWrite, 1);
}

}  // namespace
}  // namespace kv
