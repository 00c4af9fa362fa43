// The door, side, other-side and hatch points: where the markers put a person's box (2 px clear
// of the vehicle's, on the marked side), the plain offsets from the draw corner as the vehicle
// shows itself now, the boat's door at its boat point, the defaults of types without a row, a few
// points worked out by hand from the tables and the sample pictures, and what an index or facing
// that names nothing gives.

#include "vehicles/fahrzeug_points.h"

#include <gtest/gtest.h>

#include <string>

#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"

namespace kv {
namespace {

constexpr std::int8_t kFireFighter = 1;
constexpr std::int8_t kJumpCushionTeam = 6;

struct Box {
    int left, top, right, bottom;
};

// The box of an animation slot drawn for a unit standing at (x, y).
Box WorldBox(const AnimSlot& s, float x, float y) {
    const int cx = TruncInt(x) - s.hotX;
    const int cy = TruncInt(y) - s.hotY;
    return {cx + s.box[0], cy + s.box[1], cx + s.box[2], cy + s.box[3]};
}

class FahrzeugPoints : public test::FahrzeugTest {
  protected:
    void SetUp() override {
        FahrzeugTest::SetUp();
        LoadPersonTyp(kFireFighter);
        LoadPersonTyp(kJumpCushionTeam);
    }
    void TearDown() override {
        BootPunkte.clear();
        BootPunktCount = 0;
        FahrzeugTest::TearDown();
    }
    // A person standing as one who has just got out: facing 6, standing.
    static std::int16_t person(std::int8_t type) {
        const std::int16_t p = MakePerson(type);
        Personen[static_cast<std::size_t>(p)].direction = 6;
        return p;
    }
    static Fahrzeug& car(std::int16_t v) { return Fahrzeuge[static_cast<std::size_t>(v)]; }
    static Person& who(std::int16_t p) { return Personen[static_cast<std::size_t>(p)]; }
    static int cornerX(const Fahrzeug& v) { return TruncInt(v.x) - FahrzeugAnim(v).hotX; }
    static int cornerY(const Fahrzeug& v) { return TruncInt(v.y) - FahrzeugAnim(v).hotY; }

    // The person's box on the point lies 2 px outside the vehicle's on each side the flags name.
    static void expectClear(const Fahrzeug& v, const Person& p, const FahrzeugPunkt& pt) {
        const Box vb = WorldBox(FahrzeugAnim(v), v.x, v.y);
        const Box pb = WorldBox(PersonAnimSlot(p.type, p.direction, p.anim), pt.x, pt.y);
        if ((pt.flags & kPunktRight) != 0) {
            EXPECT_EQ(pb.left, vb.right + 2);
        }
        if ((pt.flags & kPunktLeft) != 0) {
            EXPECT_EQ(pb.right, vb.left - 2);
        }
        if ((pt.flags & kPunktBelow) != 0) {
            EXPECT_EQ(pb.top, vb.bottom + 2);
        }
        if ((pt.flags & kPunktAbove) != 0) {
            EXPECT_EQ(pb.bottom, vb.top - 2);
        }
    }
};

struct DoorCase {
    const char* name;
    std::int16_t type;
    std::int32_t facing;
    std::uint8_t flags;
    bool offsetIsX;  // which coordinate the plain offset gives
    int offset;
};

TEST_F(FahrzeugPoints, DoorsLieOnTheMarkedSideAtTheTablesOffsetFromTheCorner) {
    std::vector<DoorCase> cases = {
        {"F102 facing 0: right of its box", kTypF102, 0, kPunktRight, false, 27},
        {"F109 facing 5: left of its box", kTypF109, 5, kPunktLeft, false, 77},
        {"a civilian car: below the box at the corner", kTypZF01, 3, kPunktBelow, true, 0},
    };
    for (int d = 0; d < kDirectionCount; ++d)
        cases.push_back({"F203, below its box", kTypF203, d, kPunktBelow, true, 90});
    const std::int16_t p = person(kFireFighter);
    for (const DoorCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " in facing " + std::to_string(c.facing));
        const std::int16_t v = Make(c.type, 1, 600, 500, c.facing);
        ASSERT_GE(v, 0);
        Fahrzeug& f = car(v);
        // The landed helicopter, whose picture's hot spot differs from the flying one's: the
        // stored corner lags behind until the next draw, the point does not.
        if (c.type == kTypF203) f.anim = kHelicopterAnimLanded;
        f.drawX = 0;
        f.drawY = 0;
        const FahrzeugPunkt pt = GetFahrzeugDoorPoint(v, p);
        EXPECT_EQ(pt.flags, c.flags);
        expectClear(f, who(p), pt);
        EXPECT_EQ(c.offsetIsX ? pt.x - cornerX(f) : pt.y - cornerY(f), c.offset);
        RemoveFahrzeug(v, kRemoveDrivenOff);
    }
}

TEST_F(FahrzeugPoints, PersonsOfOtherSizesStandElsewhereAtTheSameDoor) {
    const std::int16_t v = Make(kTypF102, 1, 600, 500, 0);
    const std::int16_t small = person(kFireFighter);
    const std::int16_t large = person(kJumpCushionTeam);
    const FahrzeugPunkt a = GetFahrzeugDoorPoint(v, small);
    const FahrzeugPunkt b = GetFahrzeugDoorPoint(v, large);
    expectClear(car(v), who(small), a);
    expectClear(car(v), who(large), b);
    EXPECT_NE(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
}

// Worked out from the tables and the sample pictures (hot spot, box left, top, right, bottom):
// a fire fighter facing 6 shows (8, 25), (3, 20, 13, 30); the jump-cushion team (23, 37),
// (7, 21, 39, 53). Every vehicle stands at (600, 500).
struct HandCase {
    const char* name;
    std::int16_t type;
    std::int32_t facing;
    std::int8_t personType;
    FahrzeugPunkt (*point)(std::int16_t, std::int16_t);
    FahrzeugPunkt want;
};

TEST_F(FahrzeugPoints, PointsWorkedOutByHand) {
    const HandCase cases[] = {
        // F102 facing 0: (19, 39), (3, 6, 34, 72), corner (581, 461); door (1000, 27):
        // x = 581 + 34 - 3 + 8 + 2, y = 461 + 27.
        {"x 1000", kTypF102, 0, kFireFighter, GetFahrzeugDoorPoint, {622, 488, 9, kPunktRight}},
        // F102 facing 3: (49, 23), (6, 3, 91, 42), corner (551, 477); door (64, 1000):
        // x = 551 + 64, y = 477 + 42 - 20 + 25 + 2.
        {"y 1000", kTypF102, 3, kFireFighter, GetFahrzeugDoorPoint, {615, 526, 0, kPunktBelow}},
        // F109 facing 5: (37, 39), (6, 6, 67, 71), corner (563, 461); door (-1000, 77):
        // x = 563 + 6 - 13 + 8 - 2, y = 461 + 77.
        {"x -1000", kTypF109, 5, kFireFighter, GetFahrzeugDoorPoint, {562, 538, 3, kPunktLeft}},
        // F108 facing 5: (31, 33), (6, 6, 56, 59), corner (569, 467); hatch (14, -1000), facing
        // 9: x = 569 + 14, y = 467 + 6 - 53 + 37 - 2.
        {"y -1000",
         kTypF108,
         5,
         kJumpCushionTeam,
         GetFahrzeugHatchPoint,
         {583, 455, 9, kPunktAbove}},
    };
    for (const HandCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::int16_t v = Make(c.type, 1, 600, 500, c.facing);
        const std::int16_t p = person(c.personType);
        const FahrzeugPunkt pt = c.point(v, p);
        EXPECT_EQ(pt.x, c.want.x);
        EXPECT_EQ(pt.y, c.want.y);
        EXPECT_EQ(pt.facing, c.want.facing);
        EXPECT_EQ(pt.flags, c.want.flags);
        RemoveFahrzeug(v, kRemoveDrivenOff);
        DeletePerson(p);
    }
}

TEST_F(FahrzeugPoints, TheBoatsDoorIsTheExitOfTheLastBoatPointItStandsOnExactly) {
    BootPunkte = {
        {500, 600, 10, -20, -30, 15, 3, 1},
        {700, 600, -190, -20, 40, 40, 3, 1},  // launches onto the same place
    };
    BootPunktCount = 2;
    const std::int16_t p = person(kFireFighter);
    const std::int16_t v = Make(kTypF116, 1, 510, 580, 3);
    const FahrzeugPunkt on = GetFahrzeugDoorPoint(v, p);
    EXPECT_EQ(on.x, 740);
    EXPECT_EQ(on.y, 640);
    EXPECT_EQ(on.flags, kPunktBootPunkt);

    // Anywhere else, a fraction off included, the boat gives its own place and no way out.
    for (const float x : {511.0f, 510.5f}) {
        car(v).x = x;
        const FahrzeugPunkt off = GetFahrzeugDoorPoint(v, p);
        EXPECT_EQ(off.x, TruncInt(x));
        EXPECT_EQ(off.y, 580);
        EXPECT_EQ(off.flags, 0);
    }
}

// The side, other-side and hatch points of types without a row are the door point, facing the
// vehicle from the door's side.
struct DefaultCase {
    const char* name;
    FahrzeugPunkt (*point)(std::int16_t, std::int16_t);
    std::int16_t type;
    std::int32_t facing;
    bool isDoor;
    std::uint8_t personFacing;
};

TEST_F(FahrzeugPoints, TypesWithoutARowGiveTheDoorFacingTheVehicle) {
    const DefaultCase cases[] = {
        {"side of the F102 from its row", GetFahrzeugSidePoint, kTypF102, 5, false, 3},
        {"other side of the F108 from its row", GetFahrzeugOtherSidePoint, kTypF108, 8, false, 0},
        {"side of the F101: door below", GetFahrzeugSidePoint, kTypF101, 3, true, 0},
        {"other side of the F109: door left", GetFahrzeugOtherSidePoint, kTypF109, 5, true, 3},
        {"hatch of the F102: door right", GetFahrzeugHatchPoint, kTypF102, 0, true, 9},
        {"hatch of the F102: door above", GetFahrzeugHatchPoint, kTypF102, 9, true, 6},
    };
    const std::int16_t p = person(kFireFighter);
    for (const DefaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::int16_t v = Make(c.type, 1, 600, 500, c.facing);
        const FahrzeugPunkt pt = c.point(v, p);
        const FahrzeugPunkt door = GetFahrzeugDoorPoint(v, p);
        EXPECT_EQ(pt.x == door.x && pt.y == door.y, c.isDoor);
        EXPECT_EQ(pt.facing, c.personFacing);
        EXPECT_NE(pt.flags, 0);
        expectClear(car(v), who(p), pt);
        RemoveFahrzeug(v, kRemoveDrivenOff);
    }
}

TEST_F(FahrzeugPoints, AnIndexOrFacingThatNamesNothingGivesNoWayOut) {
    const std::int16_t v = Make(kTypF102, 1, 600, 500, 0);
    car(v).x = 600.75f;
    const std::int16_t p = person(kFireFighter);
    const std::int16_t freeSlot = 30;
    struct Case {
        const char* name;
        std::int16_t vehicle;
        std::int16_t person;
        std::int8_t vehicleFacing;
        std::int8_t personFacing;
        std::int16_t x, y;
    };
    const Case cases[] = {
        {"vehicle -1", -1, p, 0, 6, 0, 0},
        {"vehicle past the array", 20, p, 0, 6, 0, 0},
        {"a free vehicle slot", 5, p, 0, 6, 0, 0},
        {"a free person slot", v, freeSlot, 0, 6, 600, 500},
        {"person -1", v, -1, 0, 6, 600, 500},
        {"vehicle facing 12", v, p, 12, 6, 600, 500},
        {"person facing -1", v, p, 0, -1, 600, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        car(v).direction = c.vehicleFacing;
        who(p).direction = c.personFacing;
        for (auto point : {GetFahrzeugDoorPoint, GetFahrzeugSidePoint, GetFahrzeugOtherSidePoint,
                           GetFahrzeugHatchPoint}) {
            const FahrzeugPunkt pt = point(c.vehicle, c.person);
            EXPECT_EQ(pt.x, c.x);
            EXPECT_EQ(pt.y, c.y);
            EXPECT_EQ(pt.flags, 0);
        }
    }
}

}  // namespace
}  // namespace kv
