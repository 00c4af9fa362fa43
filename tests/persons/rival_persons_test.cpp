// Throwers: whom they pick within reach and whom never, where they aim and which way they turn,
// the bottle that leaves the hand at frame 12 with its flight, a throw without a free slot, idle
// throwers in houses and on the border, and the places missions 10 and 15 have them throw at.

#include "persons/rival_persons.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "plain_map.h"
#include "rival_fixture.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::uint8_t kThrowerFlags = kPersonController | kPersonRival;
constexpr std::int8_t kThrower = 32;
constexpr std::uint8_t kThrowOrder = 166;
constexpr float kX = 400;
constexpr float kY = 400;

class Throwers : public test::RivalTest {
  protected:
    // Ticks until the thrower is given something to do; -1 when it never is.
    static int ticksUntilOrdered(const Person& p, int limit) {
        for (int t = 1; t <= limit; ++t) {
            ticks(1);
            if (p.orders != nullptr) return t;
        }
        return -1;
    }
};

TEST_F(Throwers, NothingWithin200PxIsThrownAtAndACandidateInReachOnlyNowAndThen) {
    const std::int16_t t = controlled(kThrower, kX, kY, kThrowerFlags);
    const std::int16_t c = stand(0, kX + 200, kY);
    EXPECT_EQ(ticksUntilOrdered(person(t), 1000), -1);
    person(c).x = kX + 150;
    const int after = ticksUntilOrdered(person(t), 2000);
    EXPECT_GT(after, 1) << "one chance in a hundred a tick";
    ASSERT_EQ(HeadBefehlOpcode(person(t)), kOpTurn);
    const Befehl* th = person(t).orders->next;
    ASSERT_NE(th, nullptr);
    EXPECT_EQ(th->opcode, kThrowOrder);
    // A quarter of 150 px spreads the aim by 37 px.
    EXPECT_GE(th->aInt(), kX + 150 - 18);
    EXPECT_LE(th->aInt(), kX + 150 + 18);
    EXPECT_GE(th->bInt(), kY - 18);
    EXPECT_LE(th->bInt(), kY + 18);
}

TEST_F(Throwers, ThePeopleAndVehiclesAThrowerNeverPicks) {
    struct Case {
        const char* name;
        void (*make)(Person& candidate);
    };
    const Case cases[] = {
        {"a casualty", [](Person& q) { q.casualty = 1; }},
        {"a leader", [](Person& q) { q.type = 52; }},
        {"a burning person", [](Person& q) { q.type = kPersonTypBurning; }},
        {"upstairs", [](Person& q) { q.storey = 1; }},
        {"with a controller", [](Person& q) { q.controlFlags = kPersonController; }},
        {"inside a vehicle", [](Person& q) { q.offMap = 1; }},
    };
    const std::int16_t t = controlled(kThrower, kX, kY, kThrowerFlags);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::int16_t q = stand(0, kX + 50, kY);
        c.make(person(q));
        EXPECT_EQ(ticksUntilOrdered(person(t), 1000), -1);
        DeletePerson(q);
    }
    // A helicopter in the air is none either; the same vehicle on the ground is.
    UnitHead& v = vehicles[0];
    v.type = 19;
    v.present = 1;
    v.x = kX + 50;
    v.y = kY;
    v.storey = -1;
    EXPECT_EQ(ticksUntilOrdered(person(t), 1000), -1);
    v.storey = 0;
    EXPECT_GT(ticksUntilOrdered(person(t), 2000), 0);
}

TEST_F(Throwers, TheAimSpreadsWithDistanceAndTheTurnFacesIt) {
    const std::int16_t t = controlled(kThrower, kX, kY, 0, 5);
    struct Case {
        int dx;
        int dy;
        std::int32_t direction;
    };
    // 3 px off: aimed at exactly, without a draw; straight up, down, right and left.
    const Case exact[] = {{0, -3, 0}, {0, 3, 6}, {3, 0, 3}, {-3, 0, 9}, {0, 0, 5}};
    for (const Case& c : exact) {
        SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
        person(t).direction = 5;
        const std::uint32_t seed = RandomSeed();
        OrderRivalThrow(t, static_cast<std::int16_t>(kX + c.dx),
                        static_cast<std::int16_t>(kY + c.dy));
        EXPECT_EQ(RandomSeed(), seed);
        const Befehl& turn = *person(t).orders;
        EXPECT_EQ(turn.opcode, kOpTurn);
        EXPECT_EQ(turn.aFloat(), 0);
        EXPECT_EQ(turn.cInt(), c.direction);
        const Befehl& th = *turn.next;
        EXPECT_EQ(th.opcode, kThrowOrder);
        EXPECT_EQ(th.aInt(), kX + c.dx);
        EXPECT_EQ(th.bInt(), kY + c.dy);
        EXPECT_EQ(th.cInt(), c.direction);
        EXPECT_EQ(th.e, 1u);
    }
    // 400 px off: within 50 px either way on each axis, and both ends reached.
    int least = 0;
    int most = 0;
    for (int n = 0; n < 400; ++n) {
        OrderRivalThrow(t, static_cast<std::int16_t>(kX + 400), static_cast<std::int16_t>(kY));
        const Befehl& th = *person(t).orders->next;
        const int ox = th.aInt() - static_cast<int>(kX + 400);
        const int oy = th.bInt() - static_cast<int>(kY);
        EXPECT_GE(std::min(ox, oy), -50);
        EXPECT_LE(std::max(ox, oy), 49);
        least = std::min({least, ox, oy});
        most = std::max({most, ox, oy});
    }
    EXPECT_EQ(least, -50);
    EXPECT_EQ(most, 49);
}

TEST_F(Throwers, TheBottleLeavesTheHandAtFrame12WithItsFlight) {
    struct Case {
        float tx;
        float ty;
        float stepX;
        float stepY;
        std::int16_t distance;
    };
    const Case cases[] = {
        {kX, kY - 100, 0, -1, 100},
        {kX + 30, kY + 40, 0.6f, 0.8f, 50},
        {kX - 30, kY - 40, -0.6f, -0.8f, 50},
        {kX, kY, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tx << ", " << c.ty);
        const std::int16_t t = controlled(kThrower, kX, kY, 0);
        SetBefehl(person(t), PersonTypen[kThrower], kThrowOrder, -1, static_cast<int>(c.tx),
                  static_cast<int>(c.ty), 0, 0, 1);
        const int before = usedSonderObjs();
        int tick = 0;
        while (usedSonderObjs() == before && tick < 100) {
            ticks(1);
            ++tick;
        }
        EXPECT_EQ(person(t).anim, 3);
        EXPECT_EQ(person(t).frame, 12);
        EXPECT_EQ(tick, 2 * 12 + 1) << "twelve frames of two ticks after the first";
        const SonderObj* o = nullptr;
        for (const SonderObj& s : SonderObjs)
            if (s.type == kSobjMolotow) o = &s;
        ASSERT_NE(o, nullptr);
        EXPECT_EQ(o->x, kX);
        EXPECT_EQ(o->y, kY);
        EXPECT_EQ(o->blockMask, 1);
        EXPECT_EQ(o->pushable, 0);
        ASSERT_NE(o->commands, nullptr);
        EXPECT_EQ(o->commands->kind, kCmdThrown);
        ASSERT_NE(o->commands->flight, nullptr);
        const FlightBlock& f = *o->commands->flight;
        EXPECT_NEAR(f.stepX, c.stepX, 1e-6);
        EXPECT_NEAR(f.stepY, c.stepY, 1e-6);
        EXPECT_EQ(f.travelled, 0);
        EXPECT_EQ(f.distance, c.distance);
        const double d = c.distance;
        EXPECT_NEAR(f.speed, std::sqrt(9.81 * d * d / ((d + 15.0) * 2.0)) / std::sqrt(0.5), 1e-3);
        // The animation plays out, standing at its end.
        ticks(2 * 7);
        EXPECT_EQ(person(t).orders, nullptr);
        EXPECT_EQ(person(t).anim, kAnimStand);
        for (std::size_t s = 0; s < SonderObjs.size(); ++s)
            if (SonderObjs[s].type == kSobjMolotow) FreeSonderObjSlot(static_cast<int>(s));
        DeletePerson(t);
    }
}

TEST_F(Throwers, WithoutAFreeSlotTheThrowPlaysOutAndNothingFlies) {
    for (std::int16_t s = FindFreeSonderObj(); s >= 0; s = FindFreeSonderObj())
        CreateSonderObj(s, kSobjHydrant, 10, 10, 0, 0, 0, 0.0f, 0);
    const std::int16_t t = controlled(kThrower, kX, kY, 0);
    SetBefehl(person(t), PersonTypen[kThrower], kThrowOrder, -1, kX, kY - 100, 0, 0, 1);
    ticks(60);
    EXPECT_EQ(person(t).orders, nullptr);
    for (const SonderObj& o : SonderObjs) EXPECT_NE(o.type, kSobjMolotow);
}

TEST_F(Throwers, AThrowerInAHouseOrOnTheBorderIsIdle) {
    struct Case {
        const char* name;
        float x;
        float y;
        std::uint16_t house;
    };
    const Case cases[] = {
        {"in a house", kX, kY, 3},
        {"at x 0", 0, kY, 0xFFFF},
        {"at y 0", kX, 0, 0xFFFF},
        {"at the largest x", static_cast<float>(WorldMaxX), kY, 0xFFFF},
        {"below the map", kX, static_cast<float>(WorldMaxY) + 5, 0xFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::int16_t t = controlled(kThrower, c.x, c.y, kThrowerFlags);
        person(t).house = c.house;
        const std::int16_t q = stand(0, c.x + 20, c.y + 20);
        EXPECT_EQ(ticksUntilOrdered(person(t), 1000), -1);
        DeletePerson(t);
        DeletePerson(q);
    }
}

TEST_F(Throwers, MissionTenThrowsAtTheSolidTransport) {
    MissionNummer = 10;
    CreateSonderObj(4, kSobjHydrant, 500, 500, 0, 0, 0, 0.0f, 0);
    const std::int16_t t = controlled(kThrower, 600, 600, kThrowerFlags);
    EXPECT_EQ(ticksUntilOrdered(person(t), 1000), -1) << "not while it is not solid";
    SonderObjs[4].blockMask = 1;
    ASSERT_GT(ticksUntilOrdered(person(t), 2000), 0);
    const Befehl& th = *person(t).orders->next;
    // 56 px off: the aim spreads by 14 px.
    EXPECT_NEAR(th.aInt(), 560, 7);
    EXPECT_NEAR(th.bInt(), 560, 7);
}

TEST_F(Throwers, MissionFifteenLetsOnlyTheStreetRiotersOutsideTheMarchThrow) {
    plainmap::PlainMap(120, 56);
    MissionNummer = 15;
    const std::int16_t r0 = controlled(kThrower, 2700, 300, kThrowerFlags);
    const std::int16_t r1 = controlled(kThrower, 2740, 300, kThrowerFlags);
    const std::int16_t r2 = controlled(kThrower, 2720, 360, kThrowerFlags);
    struct Case {
        const char* name;
        std::int16_t houseRioterFirst;
        std::int16_t marchPair;
        std::vector<bool> act;
    };
    const Case cases[] = {
        {"all below the bound, no pair", 3, -1, {true, true, true}},
        {"the pair inside the march", 3, 0, {false, false, true}},
        {"the pair gone, one at the bound", 2, -2, {true, true, false}},
        {"no bound set", -1, -1, {false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HouseRioterFirst = c.houseRioterFirst;
        MarchRioterPair = c.marchPair;
        std::vector<bool> acted(3, false);
        for (int n = 0; n < 1500; ++n) {
            ticks(1);
            for (const std::int16_t r : {r0, r1, r2}) {
                if (person(r).orders == nullptr) continue;
                acted[static_cast<std::size_t>(r)] = true;
                DiscardBefehle(person(r));
            }
        }
        EXPECT_EQ(acted, c.act);
    }
}

}  // namespace
}  // namespace kv
