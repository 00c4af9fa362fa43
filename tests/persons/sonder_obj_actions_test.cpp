// Persons at special objects: working until a callback takes over (183), taking an object away
// after work (158), commanding one (192), removing one (196), setting its frame (223) and laying a
// carried patient onto one (201). The spots are typed from the rules by hand.

#include "persons/sonder_obj_actions.h"

#include <gtest/gtest.h>

#include "movement/befehl_queue.h"
#include "persons/mission_actions_fixture.h"
#include "persons/person_link.h"
#include "persons/personen.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

using test::kRecordingCallback;
using test::kSmallTyp;
using test::kWorkTyp;

// Type 8 (with an extinguisher) works in animation 2 in every direction: 6 frames of 3 ticks.
constexpr int kWorker = 8;
constexpr int kCycleTicks = 18;
constexpr int kOpWork = 183;
constexpr int kOpRelease = 158;
constexpr int kOpCommand = 192;
constexpr int kOpRemove = 196;
constexpr int kOpFrame = 223;
constexpr int kOpLayDown = 201;
constexpr int kOpWait = 7;
// The test object of kWorkTyp stands at (500, 850): w = 41, box (2, 4)-(35, 20).
constexpr int kOx = 500;
constexpr int kOy = 850;

class SonderObjActions : public test::MissionActionsTest {
  protected:
    std::int16_t workObject() { return object(kWorkTyp, kOx, kOy); }
    Person& P(std::int16_t i) { return person(i); }
};

TEST_F(SonderObjActions, WorkStartsOnlyOnTheSpotOfItsRuleAndFacing) {
    struct Case {
        int rule;
        int facing;
        int x;
        int y;
        bool starts;
    };
    const Case cases[] = {
        {-1, 1, 0, 0, true},     {-1, 3, 700, 990, true},  {-1, 7, 5, 5, true},
        {-1, 9, 1, 1, true},     {-1, 0, 1, 1, false},     {-1, 6, 1, 1, false},
        {0, 1, 520, 877, true},  {0, 7, 520, 847, true},   {0, 1, 521, 877, false},
        {0, 3, 520, 877, false}, {0, 7, 520, 877, false},  {1, 1, 510, 877, true},
        {1, 7, 510, 847, true},  {1, 1, 520, 877, false},  {2, 1, 531, 877, true},
        {2, 1, 535, 877, false}, {3, 1, 528, 877, true},   {3, 1, 529, 877, false},
        {4, 1, 980, 1185, true}, {4, 7, 980, 1185, false}, {4, 1, 500, 877, false},
        {5, 1, 500, 877, true},  {5, 1, 500, 876, false},  {6, 5, 3, 3, true},
        {-2, 11, 3, 3, true},
    };
    const std::int16_t obj = workObject();
    for (const Case& c : cases) {
        const std::int16_t w = stand(kWorker, c.x, c.y, c.facing);
        order(w, kOpWork, obj, -1, 3, c.rule, kRecordingCallback);
        run(1);
        EXPECT_EQ(head(w), c.starts ? kOpWork : -1) << c.rule << " " << c.facing;
        EXPECT_EQ(P(w).anim, c.starts ? 2 : 0) << c.rule << " " << c.facing;
        EXPECT_EQ(P(w).sound, c.starts ? 72 : -1) << c.rule << " " << c.facing;
        DeletePerson(w);
    }
}

TEST_F(SonderObjActions, WorkCountsCycleStartsAndEndsWithTheCallback) {
    const std::int16_t obj = workObject();
    const std::int16_t w = stand(kWorker, 520, 877, 1);
    order(w, kOpWork, obj, kWorkTyp, 3, 0, kRecordingCallback);
    AppendBefehl(P(w), kOpWait, 5, 0, 0, 0, 0);
    run(1 + 3 * kCycleTicks - 1);
    EXPECT_EQ(head(w), kOpWork) << "two cycle starts so far";
    EXPECT_TRUE(calls.empty());
    run(1);
    EXPECT_EQ(head(w), kOpWait) << "popped at the third";
    EXPECT_EQ(P(w).anim, 0);
    EXPECT_EQ(P(w).sound, -1) << "the clean-up stops the work's sound";
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], (std::pair<std::int32_t, std::int32_t>{obj, w}));
}

TEST_F(SonderObjActions, WorkOnAWrongTypeOrAMissingObjectDoesNotHappen) {
    const std::int16_t obj = workObject();
    for (const std::int32_t wrong :
         {std::int32_t{kSmallTyp}, std::int32_t{-2}, std::int32_t{4000}}) {
        const std::int16_t w = stand(kWorker, 520, 877, 1);
        const bool typeTest = wrong == kSmallTyp;
        order(w, kOpWork, typeTest ? obj : wrong, typeTest ? kSmallTyp : -1, 3, 0,
              kRecordingCallback);
        AppendBefehl(P(w), kOpWait, 5, 0, 0, 0, 0);
        run(1);
        EXPECT_EQ(head(w), -1) << wrong;
        DeletePerson(w);
    }
    // Taken away during the work: it ends without its callback, the next order goes on.
    const std::int16_t w = stand(kWorker, 520, 877, 1);
    order(w, kOpWork, obj, -1, 3, 0, kRecordingCallback);
    AppendBefehl(P(w), kOpWait, 5, 0, 0, 0, 0);
    run(5);
    FreeSonderObjSlot(obj);
    run(1);
    EXPECT_EQ(head(w), kOpWait);
    EXPECT_EQ(P(w).anim, 0);
    EXPECT_TRUE(calls.empty());
}

TEST_F(SonderObjActions, ReleaseWorksOnTheSpotOfItsFacingThenTakesTheObject) {
    struct Case {
        int facing;
        int x;
        int y;
        bool starts;
    };
    const Case cases[] = {
        {2, 497, 880, true},  {4, 497, 843, true},  {5, 497, 847, true},  {8, 538, 843, true},
        {10, 538, 880, true}, {11, 538, 882, true}, {2, 498, 880, false}, {11, 538, 881, false},
        {1, 497, 880, false}, {3, 538, 843, false},
    };
    const std::int16_t obj = workObject();
    for (const Case& c : cases) {
        const std::int16_t w = stand(kWorker, c.x, c.y, c.facing);
        order(w, kOpRelease, obj, kWorkTyp, 2);
        run(1);
        EXPECT_EQ(head(w), c.starts ? kOpRelease : -1) << c.facing << " " << c.x << "," << c.y;
        DeletePerson(w);
    }
    const std::int16_t w = stand(kWorker, 497, 880, 2);
    order(w, kOpRelease, obj, kWorkTyp, 2);
    run(1 + 2 * kCycleTicks - 1);
    EXPECT_EQ(SonderObjs[static_cast<std::size_t>(obj)].type, kWorkTyp);
    run(1);
    EXPECT_EQ(head(w), -1);
    EXPECT_EQ(SonderObjs[static_cast<std::size_t>(obj)].type, -1);
    // The type is tested every tick.
    const std::int16_t other = workObject();
    order(w, kOpRelease, other, kWorkTyp, 2);
    run(3);
    SonderObjs[static_cast<std::size_t>(other)].type = kSmallTyp;
    run(1);
    EXPECT_EQ(head(w), -1);
    EXPECT_EQ(SonderObjs[static_cast<std::size_t>(other)].type, kSmallTyp);
}

TEST_F(SonderObjActions, CommandGoesFromNearTheSpotOfTheFacing) {
    struct Case {
        int facing;
        int x;
        int y;
        bool sent;
    };
    const Case cases[] = {
        {1, 502, 877, true},  {1, 510, 885, true},  {1, 511, 877, false}, {1, 502, 886, false},
        {3, 495, 870, true},  {7, 535, 847, true},  {9, 535, 870, true},  {9, 527, 862, true},
        {0, 502, 877, false}, {6, 535, 870, false},
    };
    for (const Case& c : cases) {
        const std::int16_t obj = workObject();
        const std::int16_t w = stand(kWorker, c.x, c.y, c.facing);
        order(w, kOpCommand, obj, 1, 40, 7);
        ticks(1);  // the persons only: the object would run its command
        const SonderObj& o = SonderObjs[static_cast<std::size_t>(obj)];
        EXPECT_EQ(head(w), -1);
        ASSERT_EQ(o.commands != nullptr, c.sent) << c.facing << " " << c.x << "," << c.y;
        if (c.sent) {
            EXPECT_EQ(o.commands->kind, kCmdClose);
            EXPECT_EQ(o.commands->a, 40);
            EXPECT_EQ(o.commands->b, 7);
            EXPECT_EQ(o.commands->next, nullptr);
        }
        FreeSonderObjSlot(obj);
        DeletePerson(w);
    }
    // b = 0 opens; another b sends nothing but the order is done.
    for (const int b : {0, 2}) {
        const std::int16_t obj = workObject();
        const std::int16_t w = stand(kWorker, 502, 877, 1);
        order(w, kOpCommand, obj, b, 3, 0);
        AppendBefehl(P(w), kOpWait, 5, 0, 0, 0, 0);
        ticks(1);  // the persons only: the object would run its command
        EXPECT_EQ(head(w), kOpWait);
        const SonderObj& o = SonderObjs[static_cast<std::size_t>(obj)];
        if (b == 0) {
            ASSERT_NE(o.commands, nullptr);
            EXPECT_EQ(o.commands->kind, kCmdOpen);
        } else {
            EXPECT_EQ(o.commands, nullptr);
        }
    }
}

TEST_F(SonderObjActions, RemovalAndFrameByTheirRules) {
    struct Case {
        int op;
        int rule;  // 196's rule, or 223's frame
        int x;
        int y;
        bool done;
    };
    const Case cases[] = {
        {kOpRemove, 0, 1015, 1193, true},  {kOpRemove, 0, 935, 1177, true},
        {kOpRemove, 0, 1016, 1185, false}, {kOpRemove, 0, 975, 1194, false},
        {kOpRemove, 1, 487, 839, true},    {kOpRemove, 1, 550, 885, true},
        {kOpRemove, 1, 486, 850, false},   {kOpRemove, 1, 520, 886, false},
        {kOpRemove, 2, 5, 5, true},        {kOpFrame, 2, 487, 885, true},
        {kOpFrame, 1, 550, 839, true},     {kOpFrame, 2, 551, 839, false},
        {kOpFrame, 3, 520, 860, false},    {kOpFrame, -1, 520, 860, false},
    };
    for (const Case& c : cases) {
        const std::int16_t obj = workObject();
        const std::int16_t w = stand(kWorker, c.x, c.y, 0);
        order(w, c.op, obj, c.rule);
        AppendBefehl(P(w), kOpWait, 5, 0, 0, 0, 0);
        run(1);
        const SonderObj& o = SonderObjs[static_cast<std::size_t>(obj)];
        EXPECT_EQ(head(w), c.done ? kOpWait : -1) << c.op << " " << c.rule << " " << c.x;
        if (c.op == kOpRemove) {
            EXPECT_EQ(o.type, c.done ? -1 : kWorkTyp) << c.rule << " " << c.x << "," << c.y;
        } else {
            EXPECT_EQ(o.frame, c.done ? c.rule : 0) << c.rule << " " << c.x << "," << c.y;
        }
        if (o.type != -1) FreeSonderObjSlot(obj);
        DeletePerson(w);
    }
}

TEST_F(SonderObjActions, APatientLaidOnABedAndTheBedTakenAway) {
    const std::int16_t bed = object(kSobjBett, 600, 900);
    const std::int16_t patient = stand(0, 100, 100, 0);
    P(patient).offMap = 1;
    const std::int16_t carrier = stand(12, 590, 930, 3);
    P(carrier).link = static_cast<std::uint16_t>(patient);

    // Facing wrong, or the bed taken: nothing happens.
    order(carrier, kOpLayDown, 9, bed);
    run(1);
    EXPECT_EQ(head(carrier), -1);
    SonderObjs[static_cast<std::size_t>(bed)].user = 7;
    order(carrier, kOpLayDown, 3, bed);
    run(1);
    EXPECT_EQ(head(carrier), -1);
    SonderObjs[static_cast<std::size_t>(bed)].user = -1;
    EXPECT_EQ(P(carrier).type, 12);

    P(carrier).anim = 1;
    order(carrier, kOpLayDown, 3, bed);
    run(1);
    EXPECT_EQ(head(carrier), -1);
    EXPECT_EQ(P(carrier).type, 5);
    EXPECT_EQ(P(carrier).link, kNoLink);
    EXPECT_EQ(P(carrier).anim, 0);
    const Person& lying = P(patient);
    EXPECT_EQ(lying.direction, 3);
    EXPECT_EQ(lying.x, 612.0f);
    EXPECT_EQ(lying.y, 926.0f);
    EXPECT_EQ(lying.height, 16.0f);
    EXPECT_EQ(lying.offMap, 0);
    EXPECT_EQ(lying.link, kOnSonderObjLink);
    EXPECT_EQ(SonderObjs[static_cast<std::size_t>(bed)].user, patient);

    // A carrier whose link names nobody lays nothing down.
    const std::int16_t empty = stand(12, 590, 930, 3);
    const std::int16_t bed2 = object(kSobjBett, 700, 900);
    for (const std::uint16_t link : {kNoLink, std::uint16_t{79}, std::uint16_t{0x2000}}) {
        P(empty).link = link;
        order(empty, kOpLayDown, 3, bed2);
        run(1);
        EXPECT_EQ(head(empty), -1) << link;
        EXPECT_EQ(P(empty).type, 12) << link;
    }

    // Removed from under the patient: it is on the ground, tied to nothing.
    const std::int16_t w = stand(kWorker, 5, 5, 0);
    order(w, kOpRemove, bed, 2);
    run(1);
    EXPECT_EQ(SonderObjs[static_cast<std::size_t>(bed)].type, -1);
    EXPECT_EQ(lying.link, kNoLink);
    EXPECT_EQ(lying.height, 0.0f);
}

}  // namespace
}  // namespace kv
