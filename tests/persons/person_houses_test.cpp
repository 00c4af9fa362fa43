// Persons going into houses and out again, changing storeys, marking a house for evacuation, and
// being put down clear of obstacles, on a plain map with houses of each door side.

#include "persons/person_houses.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/fire_counts.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "media/speech.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/person_house_fixture.h"
#include "world/brand.h"

namespace kv {
namespace {

using test::kFrontDoorHouse;
using test::kLeftDoorHouse;
using test::kRearDoorHouse;
using test::kRightDoorHouse;

constexpr int kStaff = 1;
constexpr int kCivilian = 0;
constexpr int kBlocker = 52;  // 41 x 41 px
constexpr std::uint8_t kScript = kPersonController;
constexpr std::uint16_t kNone = 0xFFFF;

std::vector<int> Opcodes(const Person& p) {
    std::vector<int> ops;
    for (const Befehl* b = p.orders; b != nullptr; b = b->next) ops.push_back(b->opcode);
    return ops;
}

const Befehl& OrderAt(const Person& p, int n) {
    const Befehl* b = p.orders;
    for (int k = 0; k < n; ++k) b = b->next;
    return *b;
}

class HouseVisit : public test::PersonHouseTest {
  protected:
    // Where a person walking in through the door starts: 20 px outside the inside point.
    static PixelPos outside(int n) {
        const DoorSide& side = DoorSideOf(house(n));
        const PixelPos in = HouseInsidePoint(house(n));
        return {in.x + 20 * side.outX, in.y + 20 * side.outY};
    }
    static void order(std::int16_t p, int opcode, std::int32_t a = 0, std::int32_t b = 0,
                      std::int32_t c = 0, std::int32_t d = 0) {
        Person& q = Personen[static_cast<std::size_t>(p)];
        SetBefehl(q, PersonTypOf(q), static_cast<std::uint8_t>(opcode), -1, a, b, c, d, 0);
    }
    // The walk to the inside point, the turn outwards and the way out, as the evacuation gives
    // them.
    static void leaveBy(std::int16_t p, int n) {
        const PixelPos in = HouseInsidePoint(house(n));
        order(p, kOpMove, in.x, in.y);
        Person& q = Personen[static_cast<std::size_t>(p)];
        AppendBefehl(q, kOpTurn, in.x, in.y, DoorSideOf(house(n)).facingOutside, 0, 0);
        AppendBefehl(q, 170, in.x, in.y, -1, 0, 0);
    }
    // Someone led by a leader standing beside it, the leader following its trail.
    void lead(std::int16_t led, std::int16_t leader) {
        person(led).moverFlags |= kMoverLed;
        person(led).link = static_cast<std::uint16_t>(leader);
        person(leader).link = static_cast<std::uint16_t>(1000 + led);
        order(leader, kOpFollowTrail, led);
    }
};

TEST_F(HouseVisit, DoorAndStairPointsFollowTheDoorSide) {
    struct Case {
        int house;
        PixelPos spot;  // the door cell's corner
        PixelPos door;
        PixelPos inside;
    };
    // Type 4 at (10, 3), door cell (1, 3) at the front; type 18 at (30, 3), (1, 0) at the rear;
    // type 21 at (16, 16), (0, 1) on the left; type 25 at (34, 16), (4, 1) on the right.
    const Case cases[] = {
        {kFrontDoorHouse, {256, 168}, {256, 168}, {256, 188}},
        {kRearDoorHouse, {944, 84}, {960, 84}, {960, 94}},
        {kLeftDoorHouse, {240, 476}, {232, 490}, {242, 490}},
        {kRightDoorHouse, {944, 476}, {968, 490}, {958, 490}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.house);
        EXPECT_EQ(HouseDoorSpot(c.house), c.spot);
        EXPECT_EQ(HouseDoorPoint(house(c.house)), c.door);
        EXPECT_EQ(HouseInsidePoint(house(c.house)), c.inside);
    }
    EXPECT_EQ(HouseStairPoint(house(kFrontDoorHouse)), (PixelPos{282, 120}));
}

TEST_F(HouseVisit, NoDoorSpotWithoutAPlacedHouse) {
    house(kRearDoorHouse).type = -1;
    for (int n : {kRearDoorHouse, -1, 4, 200}) EXPECT_FALSE(HouseDoorSpot(n).has_value()) << n;
}

TEST_F(HouseVisit, PersonsGoInAndComeOutByEachDoorSideWithADoorDoubleOnTheWay) {
    for (int n : {kFrontDoorHouse, kRearDoorHouse, kLeftDoorHouse, kRightDoorHouse}) {
        SCOPED_TRACE(n);
        const PixelPos start = outside(n);
        const std::int16_t p = at(kStaff, start);
        order(p, 169, start.x, start.y, n);
        ticks(1);
        EXPECT_EQ(person(p).storey, 1);
        EXPECT_EQ(person(p).house, n);
        EXPECT_EQ(count(n, 1), 1);
        const std::vector<std::int16_t> doubles = othersThan({p});
        ASSERT_EQ(doubles.size(), 1u);
        const Person& d = person(doubles[0]);
        EXPECT_TRUE(IsDoorDouble(d));
        EXPECT_EQ(d.type, kStaff);
        EXPECT_EQ(d.storey, 0);
        EXPECT_EQ(d.house, kNone);
        EXPECT_EQ(d.anim, kAnimWalk);
        EXPECT_EQ(d.targetable, 0);
        EXPECT_EQ(d.selectable, 0);
        ASSERT_TRUE(tickUntilIdle(p, 30));
        EXPECT_TRUE(othersThan({p}).empty()) << "the double goes with the order";
        EXPECT_TRUE(onHouse(n, person(p).x, person(p).y));
        EXPECT_EQ(person(p).anim, kAnimStand);

        leaveBy(p, n);
        ASSERT_TRUE(tickUntilIdle(p, 300));
        EXPECT_EQ(person(p).storey, 0);
        EXPECT_EQ(person(p).house, kNone);
        EXPECT_EQ(count(n, 1), 0);
        EXPECT_TRUE(othersThan({p}).empty());
        // 13 steps of 1.5 px out from the inside point.
        const DoorSide& side = DoorSideOf(house(n));
        const PixelPos in = HouseInsidePoint(house(n));
        EXPECT_FLOAT_EQ(person(p).x, static_cast<float>(in.x) + 19.5f * side.outX);
        EXPECT_FLOAT_EQ(person(p).y, static_cast<float>(in.y) + 19.5f * side.outY);
        EXPECT_EQ(person(p).direction, side.facingOutside);
        EXPECT_FALSE(onHouse(n, person(p).x, person(p).y));
        DeletePerson(p);
    }
}

TEST_F(HouseVisit, EachDoorHandlerCountsByItsOwnControlFlags) {
    struct Case {
        std::uint8_t flags;
        std::int16_t afterEntering;
        std::int16_t afterLeaving;  // from 1
    };
    // Entering counts all but script persons; leaving also passes over the script-marked.
    const Case cases[] = {{0, 1, 0}, {kScript, 0, 1}, {kPersonScriptMarked, 1, 1}};
    const PixelPos start = outside(kFrontDoorHouse);
    const PixelPos in = HouseInsidePoint(house(kFrontDoorHouse));
    for (const Case& c : cases) {
        SCOPED_TRACE(int{c.flags});
        house(kFrontDoorHouse).floors[0].personCount = 0;
        const std::int16_t p = at(kStaff, start, 0, -1, c.flags);
        order(p, 169, start.x, start.y, kFrontDoorHouse);
        ticks(1);
        EXPECT_EQ(count(kFrontDoorHouse, 1), c.afterEntering);
        DeletePerson(p);

        house(kFrontDoorHouse).floors[0].personCount = 1;
        const std::int16_t q = at(kStaff, in, 1, kFrontDoorHouse, c.flags, 6);
        order(q, 170, in.x, in.y, -1);
        ASSERT_TRUE(tickUntilIdle(q, 30));
        EXPECT_EQ(count(kFrontDoorHouse, 1), c.afterLeaving);
        DeletePerson(q);
    }
}

TEST_F(HouseVisit, EnteringOpensTheHouseForTheSelectedPersonOrByItsType) {
    const PixelPos front = outside(kFrontDoorHouse);
    const std::int16_t p = at(kStaff, front);
    person(p).selected = 1;
    SelectionMode = 1000 + kStaff;
    SelectedIndex = static_cast<std::uint16_t>(p);
    order(p, 169, front.x, front.y, kFrontDoorHouse);
    // Type 18 opens whoever enters; here a script person, who is not counted either.
    const PixelPos rear = outside(kRearDoorHouse);
    const std::int16_t q = at(kStaff, rear, 0, -1, kScript);
    order(q, 169, rear.x, rear.y, kRearDoorHouse);
    ticks(1);
    EXPECT_EQ(house(kFrontDoorHouse).shownStorey, 1);
    EXPECT_EQ(house(kFrontDoorHouse).interiorView, 1);
    EXPECT_EQ(house(kRearDoorHouse).shownStorey, 2) << "all its floors";
    EXPECT_EQ(house(kRearDoorHouse).interiorView, 1);
}

TEST_F(HouseVisit, APersonOffItsPointOrNotOnTheGroundFloorIsNotLetThrough) {
    const PixelPos start = outside(kFrontDoorHouse);
    const PixelPos in = HouseInsidePoint(house(kFrontDoorHouse));
    const std::int16_t off = at(kStaff, {start.x + 1, start.y});
    order(off, 169, start.x, start.y, kFrontDoorHouse);
    const std::int16_t noHouse = at(kStaff, {start.x + 100, start.y});
    order(noHouse, 169, start.x + 100, start.y, 9);
    const std::int16_t upstairs = at(kStaff, in, 2, kFrontDoorHouse);
    order(upstairs, 170, in.x, in.y, -1);
    ticks(1);
    for (std::int16_t p : {off, noHouse, upstairs}) {
        EXPECT_EQ(person(p).orders, nullptr) << p;
        EXPECT_EQ(person(p).house, p == upstairs ? kFrontDoorHouse : kNone) << p;
    }
    EXPECT_EQ(othersThan({off, noHouse, upstairs}).size(), 0u) << "no double made";
    EXPECT_EQ(count(kFrontDoorHouse, 1), 0);
}

TEST_F(HouseVisit, APersonLeavingABlockedDoorIsNeverPushedBackInside) {
    const PixelPos in = HouseInsidePoint(house(kFrontDoorHouse));
    const std::int16_t p = at(kStaff, in, 1, kFrontDoorHouse, 0, 6);
    order(p, 170, in.x, in.y, -1);
    // Big enough that the nearest free spot would lie back towards the house.
    at(kBlocker, {in.x, in.y + 27});
    ASSERT_TRUE(tickUntilIdle(p, 30));
    EXPECT_FLOAT_EQ(person(p).y, static_cast<float>(in.y) + 19.5f);
    EXPECT_FLOAT_EQ(person(p).x, static_cast<float>(in.x + 26)) << "sideways";
}

TEST_F(HouseVisit, ALedPersonTakesItsLeaderOutElevenPixelsBehindAndLeavesItATrail) {
    const PixelPos in = HouseInsidePoint(house(kFrontDoorHouse));
    house(kFrontDoorHouse).floors[0].personCount = 2;
    const std::int16_t led = at(kStaff, in, 1, kFrontDoorHouse, 0, 6);
    const std::int16_t leader = at(2, {in.x + 30, in.y - 30}, 1, kFrontDoorHouse, 0, 3);
    lead(led, leader);
    order(led, 170, in.x, in.y, -1);
    ticks(1);
    EXPECT_EQ(HeadBefehlOpcode(person(leader)), kOpHold) << "held";
    EXPECT_FLOAT_EQ(person(leader).x, static_cast<float>(in.x));
    EXPECT_FLOAT_EQ(person(leader).y, person(led).y - 11);
    EXPECT_EQ(person(leader).direction, person(led).direction);
    const std::vector<std::int16_t> doubles = othersThan({led, leader});
    ASSERT_EQ(doubles.size(), 2u);
    EXPECT_EQ(person(doubles[1]).link, leader) << "the leader's double names it";

    ASSERT_TRUE(tickUntilIdle(led, 40));
    // 19 steps of 1.5 px: 30 px less the step that ends the walk.
    EXPECT_FLOAT_EQ(person(led).y, static_cast<float>(in.y) + 28.5f);
    EXPECT_FLOAT_EQ(person(leader).y, person(led).y - 11);
    for (std::int16_t p : {led, leader}) {
        EXPECT_EQ(person(p).storey, 0);
        EXPECT_EQ(person(p).house, kNone);
    }
    EXPECT_EQ(count(kFrontDoorHouse, 1), 0) << "both counted out";
    EXPECT_TRUE(othersThan({led, leader}).empty());
    EXPECT_EQ(HeadBefehlOpcode(person(leader)), kOpFollowTrail) << "the hold ended";
    // The trail leads from the leader to the led person.
    const PersonTrail& t = person(led).trail;
    ASSERT_LT(t.trailWrite, kPersonTrailEntries);
    EXPECT_FLOAT_EQ(t.trail[0].y, person(leader).y);
    EXPECT_EQ(static_cast<int>(t.trail[static_cast<std::size_t>(t.trailWrite - 1)].y),
              static_cast<int>(person(led).y));
}

TEST_F(HouseVisit, ALeaderGivenOtherOrdersMeanwhileKeepsThem) {
    const PixelPos in = HouseInsidePoint(house(kFrontDoorHouse));
    const std::int16_t led = at(kStaff, in, 1, kFrontDoorHouse, 0, 6);
    const std::int16_t leader = at(2, {in.x, in.y - 11}, 1, kFrontDoorHouse, 0, 6);
    lead(led, leader);
    order(led, 170, in.x, in.y, -1);
    ticks(1);
    order(leader, kOpWait, 500);
    ASSERT_TRUE(tickUntilIdle(led, 40));
    EXPECT_EQ(HeadBefehlOpcode(person(leader)), kOpWait);
}

TEST_F(HouseVisit, AStoreyChangeTakesTheFirstFreePlaceFromTheStairPoint) {
    const PixelPos stair = HouseStairPoint(house(kFrontDoorHouse));
    struct Case {
        int blocked;  // persons standing along the stair point's row, 20 px apart
        PixelPos expected;
    };
    // The row ends at the house's right edge; the next row starts down-left.
    const Case cases[] = {
        {0, stair}, {1, {stair.x + 20, stair.y}}, {9, {stair.x - 7, stair.y + 12}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.blocked);
        alloc(80);
        house(kFrontDoorHouse).floors[0].personCount = 1;
        house(kFrontDoorHouse).floors[2].personCount = 0;
        for (int k = 0; k < c.blocked; ++k)
            at(kStaff, {stair.x + 20 * k, stair.y}, 3, kFrontDoorHouse, kScript);
        const std::int16_t p = at(kStaff, {stair.x - 30, stair.y + 40}, 1, kFrontDoorHouse);
        order(p, 171, 2);
        ticks(1);
        EXPECT_EQ(person(p).orders, nullptr);
        EXPECT_EQ(person(p).storey, 3);
        EXPECT_EQ(person(p).direction, 6);
        EXPECT_EQ(static_cast<int>(person(p).x), c.expected.x);
        EXPECT_EQ(static_cast<int>(person(p).y), c.expected.y);
        EXPECT_EQ(count(kFrontDoorHouse, 1), 0);
        EXPECT_EQ(count(kFrontDoorHouse, 3), 1);
        EXPECT_EQ(house(kFrontDoorHouse).shownStorey, 3);
        EXPECT_EQ(house(kFrontDoorHouse).interiorView, 1);
    }
}

TEST_F(HouseVisit, AStoreyWithoutRoomLeavesThePersonAtTheStairPointWithoutOrders) {
    const PixelPos stair = HouseStairPoint(house(kFrontDoorHouse));
    fillStorey(kFrontDoorHouse, 2);
    house(kFrontDoorHouse).floors[0].personCount = 1;
    const std::int16_t p = at(kStaff, {stair.x + 40, stair.y + 20}, 1, kFrontDoorHouse);
    order(p, 171, 1);
    AppendBefehl(person(p), kOpWait, 10, 0, 0, 0, 0);
    ticks(1);
    EXPECT_EQ(person(p).orders, nullptr);
    EXPECT_EQ(person(p).storey, 1);
    EXPECT_EQ(person(p).x, static_cast<float>(stair.x));
    EXPECT_EQ(person(p).y, static_cast<float>(stair.y));
    EXPECT_EQ(count(kFrontDoorHouse, 1), 1);
    EXPECT_EQ(count(kFrontDoorHouse, 2), 0);
    // A storey the house does not have, or no house: nothing moves.
    for (int target : {4, -1}) {
        order(p, 171, target);
        ticks(1);
        EXPECT_EQ(person(p).orders, nullptr);
        EXPECT_EQ(person(p).storey, 1);
    }
}

TEST_F(HouseVisit, ALedScriptPersonChangesStoreyWithItsLeaderAndIsCounted) {
    const PixelPos stair = HouseStairPoint(house(kFrontDoorHouse));
    house(kFrontDoorHouse).floors[0].personCount = 0;
    const std::int16_t led = at(kStaff, {stair.x + 40, stair.y + 20}, 1, kFrontDoorHouse, kScript);
    const std::int16_t leader = at(2, {stair.x + 29, stair.y + 20}, 1, kFrontDoorHouse, 0, 3);
    lead(led, leader);
    order(led, 171, 1);
    ticks(1);
    EXPECT_EQ(person(led).storey, 2);
    EXPECT_EQ(person(leader).storey, 2);
    EXPECT_FLOAT_EQ(person(led).x, static_cast<float>(stair.x));
    EXPECT_FLOAT_EQ(person(led).y, static_cast<float>(stair.y + 11));
    EXPECT_FLOAT_EQ(person(leader).x, static_cast<float>(stair.x));
    EXPECT_FLOAT_EQ(person(leader).y, static_cast<float>(stair.y));
    EXPECT_EQ(person(leader).direction, 6);
    EXPECT_EQ(count(kFrontDoorHouse, 2), 1) << "a led script person counts";
    const PersonTrail& t = person(led).trail;
    ASSERT_LT(t.trailWrite, kPersonTrailEntries);
    EXPECT_FLOAT_EQ(t.trail[0].y, static_cast<float>(stair.y));
}

TEST_F(HouseVisit, AHouseThatMayNotBeMarkedOnlyEndsTheMarkersOrders) {
    const House& h = house(kRearDoorHouse);
    const std::uint8_t mark = h.evacuated;
    const std::int16_t marker = at(kCivilian, {900, 300});
    order(marker, 162, kRearDoorHouse, 900, 300);
    AppendBefehl(person(marker), kOpWait, 10, 0, 0, 0, 0);
    const std::int16_t inside = at(kStaff, HouseInsidePoint(h), 1, kRearDoorHouse, kScript);
    ticks(1);
    EXPECT_EQ(person(marker).orders, nullptr);
    EXPECT_EQ(h.evacuated, mark);
    EXPECT_EQ(person(inside).orders, nullptr);
}

TEST_F(HouseVisit, ACivilianMarkingAHouseSendsTheScriptPersonsInsideOut) {
    const House& h = house(kFrontDoorHouse);
    const PixelPos stair = HouseStairPoint(h);
    const PixelPos in = HouseInsidePoint(h);
    ASSERT_EQ(h.evacuated, 0);
    const std::int16_t upstairs = at(kStaff, {stair.x + 60, stair.y + 30}, 3, 0, kScript);
    const std::int16_t staff = at(kStaff, {stair.x + 60, stair.y + 30}, 1, 0);
    const std::int16_t hurt = at(kStaff, {stair.x + 90, stair.y + 30}, 1, 0, kScript);
    person(hurt).casualty = 1;
    // Another type marks without sending anybody out.
    const std::int16_t fireFighter = at(kStaff, {in.x, in.y + 36});
    order(fireFighter, 162, kFrontDoorHouse, in.x, in.y + 36);
    ticks(1);
    EXPECT_EQ(h.evacuated, 1);
    EXPECT_EQ(person(upstairs).orders, nullptr);

    const std::int16_t marker = at(kCivilian, {in.x + 30, in.y + 36});
    order(marker, 162, kFrontDoorHouse, in.x + 30, in.y + 36);
    SeedRandom(5);
    ticks(1);
    EXPECT_EQ(person(marker).orders, nullptr);
    EXPECT_EQ(person(staff).orders, nullptr);
    EXPECT_EQ(person(hurt).orders, nullptr);
    const Person& p = person(upstairs);
    ASSERT_EQ(Opcodes(p), (std::vector<int>{kOpMove, 171, kOpMove, kOpTurn, 170, kOpMove}));
    EXPECT_EQ(OrderAt(p, 0).aFloat(), static_cast<float>(stair.x));
    EXPECT_EQ(OrderAt(p, 0).bFloat(), static_cast<float>(stair.y));
    EXPECT_EQ(OrderAt(p, 1).aInt(), 0);
    EXPECT_EQ(OrderAt(p, 2).aFloat(), static_cast<float>(in.x));
    EXPECT_EQ(OrderAt(p, 2).bFloat(), static_cast<float>(in.y));
    EXPECT_EQ(OrderAt(p, 3).cInt(), 6) << "facing out";
    EXPECT_EQ(OrderAt(p, 4).aInt(), in.x);
    EXPECT_EQ(OrderAt(p, 4).bInt(), in.y);
    EXPECT_EQ(OrderAt(p, 4).cInt(), -1);
    const float sx = OrderAt(p, 5).aFloat();
    const float sy = OrderAt(p, 5).bFloat();
    EXPECT_GE(sx, static_cast<float>(in.x - 70));
    EXPECT_LE(sx, static_cast<float>(in.x + 70));
    EXPECT_GE(sy, static_cast<float>(in.y + 20));
    EXPECT_LE(sy, static_cast<float>(in.y + 120));

    // By the stair point, storey 1 and the door, to the spot.
    ASSERT_TRUE(tickUntilIdle(upstairs, 1500));
    EXPECT_EQ(p.storey, 0);
    EXPECT_EQ(p.house, kNone);
    EXPECT_EQ(p.x, sx);
    EXPECT_EQ(p.y, sy);
    EXPECT_TRUE(othersThan({upstairs, staff, hurt, fireFighter, marker}).empty());
}

TEST_F(HouseVisit, WithoutAFreeSpotTheEvacuationEndsBelowTheDoorAboveTheViewsBottom) {
    const House& h = house(kFrontDoorHouse);
    const PixelPos in = HouseInsidePoint(h);
    const std::int16_t p = at(kStaff, in, 1, kFrontDoorHouse, kScript);
    // The whole rectangle beyond the door is taken.
    for (int y = in.y + 20; y <= in.y + 130; y += 30)
        for (int x = in.x - 80; x <= in.x + 80; x += 30) at(kBlocker, {x, y});
    ScrollRows = 37;
    EvacuateHouse(kFrontDoorHouse);
    EXPECT_EQ(OrderAt(person(p), 3).aFloat(), static_cast<float>(in.x));
    EXPECT_EQ(OrderAt(person(p), 3).bFloat(), static_cast<float>(in.y + 120));
    // Below 28 x the view's bottom row it moves up to 20 px above it.
    ScrollRows = 10;
    EvacuateHouse(kFrontDoorHouse);
    EXPECT_EQ(OrderAt(person(p), 3).bFloat(), 28.0f * 10 - 20);
}

TEST_F(HouseVisit, APersonInsideIsRoutedOutThroughTheDoorOrSendsThePersonItFollows) {
    const House& h = house(kFrontDoorHouse);
    const PixelPos in = HouseInsidePoint(h);
    const std::int16_t p = at(kStaff, {in.x + 40, in.y - 30}, 1, kFrontDoorHouse);
    RoutePersonThroughHouseDoor(p, 600, 500);
    EXPECT_EQ(Opcodes(person(p)), (std::vector<int>{kOpMove, kOpTurn, 170, kOpMove}));
    EXPECT_EQ(OrderAt(person(p), 3).aFloat(), 600.0f);
    EXPECT_EQ(OrderAt(person(p), 3).bFloat(), 500.0f);

    const std::int16_t led = at(kStaff, {in.x + 80, in.y - 30}, 3, kFrontDoorHouse, kScript);
    const std::int16_t leader = at(2, {in.x + 80, in.y - 41}, 3, kFrontDoorHouse, 0, 6);
    lead(led, leader);
    RoutePersonThroughHouseDoor(leader, 600, 500);
    EXPECT_EQ(HeadBefehlOpcode(person(leader)), kOpFollowTrail) << "it keeps following";
    EXPECT_EQ(Opcodes(person(led)),
              (std::vector<int>{kOpMove, 171, kOpMove, kOpTurn, 170, kOpMove}));
    EXPECT_EQ(UnitSpeech, 1) << "switched on again";
}

TEST_F(HouseVisit, PlacePersonFreeKeepsAFreeStartAndRefusesSpotsOffTheMap) {
    // Free where it stands: it only turns; a leader comes 11 px behind it.
    const std::int16_t p = at(kStaff, {600, 600});
    const std::int16_t leader = at(2, {650, 650});
    person(p).moverFlags |= kMoverLed;
    person(p).link = static_cast<std::uint16_t>(leader);
    EXPECT_EQ(PlacePersonFree(p, 3, 0, 15, 255), 1);
    EXPECT_EQ(person(p).x, 600.0f);
    EXPECT_EQ(person(p).direction, 3);
    EXPECT_EQ(person(leader).x, 589.0f);
    EXPECT_EQ(person(leader).y, 600.0f);
    EXPECT_EQ(person(leader).direction, 3);

    // At the map's left edge: the first spot whose box lies on the map.
    const std::int16_t edge = at(kStaff, {3, 600});
    EXPECT_EQ(PlacePersonFree(edge, 0, 0, 15, 255), 1);
    EXPECT_EQ(person(edge).x, 5.0f);
    // Only leftwards, or nowhere: nothing on the map; it stays where it was.
    for (std::uint8_t mask : {4, 0}) {
        person(edge).x = 3;
        EXPECT_EQ(PlacePersonFree(edge, 0, 0, mask, 255), 0);
        EXPECT_EQ(person(edge).x, 3.0f);
        EXPECT_EQ(person(edge).y, 600.0f);
    }
}

TEST_F(HouseVisit, PlacePersonFreeOnAStoreyWithoutRoomLeavesThePersonAtItsStart) {
    fillStorey(kFrontDoorHouse, 2);
    const PixelPos stair = HouseStairPoint(house(kFrontDoorHouse));
    const std::int16_t p = at(kStaff, stair, 2, kFrontDoorHouse);
    EXPECT_EQ(PlacePersonFree(p, 6, 2, 15, 255), 0);
    EXPECT_EQ(person(p).x, static_cast<float>(stair.x));
    EXPECT_EQ(person(p).y, static_cast<float>(stair.y));
}

TEST_F(HouseVisit, OffsetPointByDirectionStepsTwentyPixels) {
    float x = 100;
    float y = 100;
    OffsetPointByDirection(x, y, 3);
    OffsetPointByDirection(x, y, 7);
    EXPECT_EQ(x, 113.0f);
    EXPECT_EQ(y, 112.0f);
    OffsetPointByDirection(x, y, 12);
    EXPECT_EQ(x, 113.0f);
}

TEST_F(HouseVisit, ADoorDoubleInABurningDoorwayIsNoCasualtyAndGoesWithItsOrder) {
    const PixelPos start = outside(kFrontDoorHouse);
    const std::int16_t p = at(kStaff, start);
    order(p, 169, start.x, start.y, kFrontDoorHouse);
    ticks(1);
    const std::vector<std::int16_t> doubles = othersThan({p});
    ASSERT_EQ(doubles.size(), 1u);
    // Fire in the doorway, hot enough to fell anyone standing on the ground there.
    BrandStates.assign(MapCells.size(), BrandState{});
    const CellPos door = CellFromPixel(start.x, start.y);
    BrandState& cell = BrandStates[static_cast<std::size_t>(CellIndex(door.column, door.row))];
    cell.burning = 1;
    cell.heat = 2000000000;
    BurningCellCount = 1;
    for (int t = 0; t < 30 && person(p).orders != nullptr; ++t) {
        ApplyBrandDamage();
        ticks(1);
    }
    EXPECT_EQ(person(p).orders, nullptr);
    EXPECT_EQ(VerletzteCount, 0);
    EXPECT_EQ(ToteCount, 0);
    EXPECT_EQ(person(p).energy, kFullEnergy) << "inside, on its storey";
    EXPECT_TRUE(othersThan({p}).empty());
}

}  // namespace
}  // namespace kv
