// The evade vector: impulses of one tick add up and the next tick starts anew, a vehicle's push
// replaces the sum, the x part stops growing past its limit; the direction a vector points in;
// and the step away: the held direction of a push by heat, a controlled person in the way pushed
// on, the map's edge, and a person waiting out a count.

#include "persons/person_evade.h"

#include <gtest/gtest.h>

#include <vector>

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/stepping.h"
#include "persons/person_types.h"
#include "rival_fixture.h"

namespace kv {
namespace {

using Evade = test::RivalTest;

constexpr float kX = 400;
constexpr float kY = 400;
constexpr std::uint8_t kControlled = kPersonController;

// One step of a sum: an impulse from (kX + dx, kY + dy), or (newTick) the tick's end.
struct Impulse {
    float dx;
    float dy;
    std::int32_t strength;
    bool newTick = false;
};

struct SumCase {
    const char* name;
    std::vector<Impulse> steps;
    float x;
    float y;
};

TEST_F(Evade, ImpulsesOfOneTickAddUpAndAVehiclePushReplacesTheSum) {
    const SumCase cases[] = {
        {"two in one tick add", {{-10, 0, 100}, {0, -10, 50}}, 100, 50},
        {"the next tick starts anew", {{-10, 0, 100}, {0, 0, 0, true}, {0, -10, 50}}, 0, 50},
        {"a vehicle's push replaces a huge sum",
         {{-10, 0, 9000000}, {-10, 0, 9000000}, {-10, 0, 9000000}, {0, -10, 20000000}},
         0,
         20000000},
        {"x stops growing past 10,000,000, y does not",
         {{-10, 0, 12000000}, {0, -10, 5000000}, {-10, 0, 5000000}, {0, -10, 1000}},
         12000000,
         5001000},
        {"a large push the other way keeps adding",
         {{10, 0, 30000000}, {10, 0, 5000000}},
         -35000000,
         0},
        {"a negative strength adds nothing", {{-10, 0, 100}, {-10, 0, -5}}, 100, 0},
        {"a source on the person's point adds nothing", {{-10, 0, 100}, {0, 0, 70}}, 100, 0},
    };
    for (const SumCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::int16_t i = controlled(0, kX, kY, kControlled);
        for (const Impulse& s : c.steps) {
            if (s.newTick)
                CountPersonEvade(i);
            else
                SetPersonEvade(i, kX + s.dx, kY + s.dy, s.strength, 3, 0, -1);
        }
        EXPECT_FLOAT_EQ(person(i).evadeX, c.x);
        EXPECT_FLOAT_EQ(person(i).evadeY, c.y);
        DeletePerson(i);
    }
}

TEST_F(Evade, AVectorPointsInTheDirectionOfItsThirtyDegreeSector) {
    struct Case {
        float x;
        float y;
        std::uint8_t current;
        std::uint8_t direction;
    };
    const Case cases[] = {
        {0, -1, 5, 0},   {-1, 0, 5, 9},    {1, 0, 5, 3}, {0, 1, 5, 6},  {1, -1, 5, 2},
        {-1, -1, 5, 11}, {-3, -100, 5, 0}, {0, 0, 7, 7}, {0, 0, 14, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        EXPECT_EQ(VectorToDirection12(c.x * 1000, c.y * 1000, c.current), c.direction);
    }
}

TEST_F(Evade, APushedPersonStepsAwayDroppingItsOrdersUntilThePushRunsOut) {
    const std::int16_t i = controlled(0, kX, kY, kControlled);
    AppendBefehl(person(i), kOpMove, 100, 100, 0, 0, 0);
    SetPersonEvade(i, kX - 10, kY, 1000, 3, 0, -1);
    ticks(1);
    const Person& p = person(i);
    EXPECT_EQ(p.orders, nullptr);
    EXPECT_GT(p.x, kX);
    EXPECT_EQ(p.y, kY);
    EXPECT_EQ(p.direction, 3);
    EXPECT_EQ(p.anim, kAnimWalk);
    EXPECT_EQ(p.evadeLastDir, 3);
    ticks(1);
    EXPECT_FALSE(IsPersonEvadeIdle(i));
    ticks(1);
    EXPECT_TRUE(IsPersonEvadeIdle(i)) << "a push of 3 ticks is dropped at the end of the third";
    const float x = p.x;
    ticks(1);
    EXPECT_EQ(p.x, x);
}

TEST_F(Evade, APersonWaitingOutACountDoesNotMove) {
    const std::int16_t i = controlled(0, kX, kY, kControlled);
    SetBefehl(person(i), PersonTypen[0], kOpWait, -1, 50, 0, 0, 0, 0);
    SetPersonEvade(i, kX - 10, kY, 1000, 3, 0, -1);
    ticks(1);
    EXPECT_EQ(person(i).x, kX);
    EXPECT_EQ(HeadBefehlOpcode(person(i)), kOpWait);
}

TEST_F(Evade, APushByHeatHoldsItsDirectionForTenSteps) {
    const std::int16_t i = controlled(0, kX, kY, kControlled);
    // A hold that has run out; a fresh record counts as one with no steps left to hold.
    person(i).evadeSource = -1;
    SetPersonEvade(i, kX - 10, kY, 1000, 3, 0, -1);
    std::vector<int> directions;
    for (int t = 0; t < 12; ++t) {
        ticks(1);
        directions.push_back(person(i).direction);
        // From now on the heat comes from above.
        SetPersonEvade(i, person(i).x, person(i).y - 10, 1000, 3, 0, -1);
    }
    const std::vector<int> held = {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 6, 6};
    EXPECT_EQ(directions, held);
}

TEST_F(Evade, AControlledPersonInTheWayIsPushedOnUnlessItCarriesSomething) {
    for (const bool carries : {false, true}) {
        SCOPED_TRACE(carries ? "carrying" : "empty-handed");
        const std::int16_t i = controlled(0, kX, kY, kControlled);
        const std::int16_t b = controlled(0, kX + 10, kY, kControlled);
        if (carries) person(b).link = 30;
        person(i).evadeSource = -1;
        // A push by heat tries only its own direction while it holds.
        SetPersonEvade(i, kX - 10, kY, 1000, 3, 0, -1);
        ticks(1);
        EXPECT_EQ(person(i).x, kX);
        EXPECT_EQ(person(i).anim, kAnimStand);
        EXPECT_EQ(person(i).moverFlags & kMoverSearching, 0);
        if (carries) {
            EXPECT_EQ(person(b).x, kX + 10);
            EXPECT_TRUE(IsPersonEvadeIdle(b));
        } else {
            EXPECT_GT(person(b).x, kX + 10) << "pushed on within the same tick";
        }
        DeletePerson(i);
        DeletePerson(b);
    }
}

TEST_F(Evade, NoStepLeavesTheMapAndAPushWithoutHoldTriesTheSides) {
    const PersonTyp& typ = PersonTypen[0];
    float edge = 0;
    while (!FootprintOnMap(typ, edge, kY, 9, kAnimWalk)) ++edge;
    const std::int16_t i = controlled(0, edge, kY, kControlled, 9);
    SetPersonEvade(i, edge + 10, kY, 1000, 3, 0, -1);
    ticks(1);
    EXPECT_EQ(person(i).x, edge) << "a footprint past the map's edge counts as blocked";

    // A push of another kind from no named source tries up to six directions either side.
    const std::int16_t j = controlled(0, edge, kY + 100, kControlled, 9);
    SetPersonEvade(j, edge + 10, kY + 100, 1000, 3, 1, -1);
    ticks(1);
    EXPECT_NE(person(j).y, kY + 100);
    EXPECT_GE(person(j).x, edge);
}

}  // namespace
}  // namespace kv
