// The collision tests on mission 1's generated map: every kind of blocker with its indices, the
// order in which they are met, the pre-filter's edges, the mode bits, the overlap rectangles, the
// map cells, the house walls, trampling, and the scopes that keep what lies near.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/fire_counts.h"
#include "core/mission_extras.h"
#include "core/random.h"
#include "movement/collision.h"
#include "movement/collision_fixture.h"
#include "movement/collision_parts.h"
#include "movement/stepping.h"
#include "movement/zones.h"
#include "support/record_offsets.h"
#include "world/furniture.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/sonder_obj.h"
#include "world/terrain.h"
#include "world/wall_mask.h"

namespace kv::test {
namespace {

std::int16_t I16(int v) {
    return static_cast<std::int16_t>(v);
}

struct Result {
    std::uint8_t value = 0;
    CollisionHit hit;
};

Result Collide(const UnitHead& unit, const UnitTypHead& type, float x, float y,
               std::uint16_t mode = 0, std::int8_t layer = 0, int direction = 0, int anim = 0) {
    Result r;
    r.value = TestCollision(mode, unit, type, x, y, static_cast<std::uint8_t>(direction), layer,
                            static_cast<std::uint8_t>(anim), &r.hit);
    return r;
}

Result TestAt(const CollisionUnit& unit, const test::CollisionTyp& type, std::uint16_t mode = 0) {
    return Collide(unit, type.head, unit.x, unit.y, mode, unit.storey, unit.direction, unit.anim);
}

Result FindAt(std::uint16_t mode, const UnitHead* unit, const UnitTypHead* type, Rect16 r,
              std::int16_t house = -1, std::int8_t layer = 0,
              std::uint8_t moveClass = test::kWalkerClass) {
    Result res;
    res.value = FindCollisionAt(mode, unit, type, r.x1, r.y1, r.x2, r.y2, house, layer, moveClass,
                                &res.hit);
    return res;
}

// The first active piece of furniture on the house's ground floor.
int FirstActivePiece() {
    for (std::size_t k = 0; k < HouseObjs.size(); ++k)
        if (HouseObjs[k].storey == 1 && HouseObjs[k].flag != 0) return static_cast<int>(k);
    return -1;
}

TEST_F(CollisionTest, MeetsEveryKindOfBlockerOnMissionOne) {
    placeHouse();
    const PixelPos water = CellMiddle(46, 25);
    struct Case {
        std::string name;
        std::function<void(CollisionUnit& tester)> scene;
        std::uint8_t kind;
        std::uint16_t index1;
        std::uint16_t index2;
        std::uint16_t index3;
        std::uint16_t mode;
    };
    // In the house's left column on its ground floor, leaning out over its outer wall.
    const PixelPos wallCell = CellMiddle(test::kHouseColumn, test::kHouseRow + 1);
    const auto leanOut = [&](std::uint16_t house) {
        return [wallCell, house](CollisionUnit& t) {
            t.x =
                static_cast<float>(CellLineStartX(test::kHouseColumn, test::kHouseRow + 1, 14) + 2);
            t.y = static_cast<float>(wallCell.y);
            t.storey = 1;
            t.house = house;
        };
    };
    const std::vector<Case> cases = {
        {"a vehicle", [&](CollisionUnit&) { placeVehicle(2, kMeadowX + 20, kMeadowY); },
         kHitFahrzeug, 2, 0, 0, 0},
        {"a person", [&](CollisionUnit&) { placePerson(3, kMeadowX + 4, kMeadowY + 4); },
         kHitPerson, 3, 0, 0, 0},
        {"an object", [&](CollisionUnit&) { placeObject(5, 0, kMeadowX - 2, kMeadowY - 2); },
         kHitSonderObj, 5, 0, 0, 0},
        {"a full zone",
         [&](CollisionUnit&) {
             ZoneCount = 1;
             AllocZones();
             SetZone(0, 1380, 680, 1420, 720, 1);
             Zones[0].occupants = 1;
         },
         kHitZone, 0, 0, 0, kCollideZones},
        {"a map cell",
         [&](CollisionUnit& t) {
             Flood(46, 25, 1, 1);
             t.x = static_cast<float>(water.x);
             t.y = static_cast<float>(water.y);
         },
         kHitMapCell, 46, 25, 0, 0},
        {"furniture",
         [&](CollisionUnit& t) {
             const HouseObj& o = HouseObjs[static_cast<std::size_t>(FirstActivePiece())];
             const auto& b = HouseObjTypen[o.slot].box;
             t.x = static_cast<float>(o.x + (b[0] + b[2]) / 2);
             t.y = static_cast<float>(o.y + (b[1] + b[3]) / 2);
             t.storey = 1;
             t.house = 0;
         },
         kHitHouseObj, static_cast<std::uint16_t>(FirstActivePiece()), 0, 0, 0},
        {"a house wall", leanOut(0), kHitWall, test::kHouseColumn, test::kHouseRow + 1, 0, 0},
        {"another house", leanOut(0xFFFF), kHitOtherHouse, test::kHouseColumn, test::kHouseRow + 1,
         0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        placeHouse();
        CollisionUnit& tester = placePerson(0, kMeadowX, kMeadowY, 0, 1);
        EXPECT_EQ(TestAt(tester, *staff, c.mode).value, 0) << "free before the scene";
        c.scene(tester);
        const Result r = TestAt(tester, *staff, c.mode);
        EXPECT_NE(r.value, 0);
        EXPECT_EQ(r.hit.kind, c.kind);
        EXPECT_EQ(r.hit.index1, c.index1);
        EXPECT_EQ(r.hit.index2, c.index2);
        EXPECT_EQ(r.hit.index3, c.index3);
    }
}

TEST_F(CollisionTest, TakesTheBlockersInTheirOrder) {
    CollisionUnit& tester = placePerson(0, kMeadowX, kMeadowY, 0, 1);
    placeVehicle(1, kMeadowX + 10, kMeadowY);
    placePerson(2, kMeadowX - 4, kMeadowY);
    placeObject(3, 0, kMeadowX - 10, kMeadowY - 10);
    ZoneCount = 1;
    AllocZones();
    SetZone(0, 1390, 690, 1410, 710, 1);
    Zones[0].occupants = 1;
    const CellPos cell = CellFromPixel(static_cast<int>(kMeadowX), static_cast<int>(kMeadowY));
    Flood(cell.column, cell.row, 1, 1);
    // Each blocker taken away in turn reveals the next.
    const std::vector<std::pair<std::uint8_t, std::function<void()>>> steps = {
        {kHitFahrzeug, [] { vehicles[1].type = -1; }},
        {kHitPerson, [] { persons[2].present = 0; }},
        {kHitSonderObj, [] { SonderObjs[3].visible = 0; }},
        {kHitZone, [] { Zones[0].occupants = 0; }},
        {kHitMapCell, [&] { SetCellTerrain(CellIndex(cell.column, cell.row), 9); }},
        {kHitNothing, [] {}},
    };
    for (const auto& [kind, takeAway] : steps) {
        EXPECT_EQ(TestAt(tester, *staff, kCollideZones).hit.kind, kind);
        takeAway();
    }
}

TEST_F(CollisionTest, PreFilterReachesBaseAndOtherRadius) {
    // Boxes far wider than the reach, so that only the pre-filter decides.
    staff->setBox({-100, -9, 100, 9});
    civilCar->setBox({-150, -15, 150, 15});
    struct Case {
        const char* name;
        bool vehicleTester;
        bool otherIsVehicle;
        float dx;
        bool blocked;
    };
    const Case cases[] = {
        {"a person 17 + 17 px from a person is tested", false, false, 34, true},
        {"one more pixel is not", false, false, 35, false},
        {"a vehicle below 17 + 68 px from a person is tested", false, true, 84, true},
        {"a vehicle at exactly 17 + 68 px is not", false, true, 85, false},
        {"a person 68 + 17 px from a vehicle is tested", true, false, 85, true},
        {"a vehicle below 68 + 68 px from a vehicle is tested", true, true, 135, true},
        {"a vehicle at exactly 68 + 68 px is not", true, true, 136, false},
        {"the edge holds below too", false, false, -34, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (CollisionUnit& u : vehicles) u.type = -1;
        for (CollisionUnit& u : persons) u.type = -1;
        const CollisionUnit& tester = c.vehicleTester ? placeVehicle(0, kMeadowX, kMeadowY)
                                                      : placePerson(0, kMeadowX, kMeadowY, 0, 1);
        if (c.otherIsVehicle)
            placeVehicle(1, kMeadowX + c.dx, kMeadowY, 0, 1);
        else
            placePerson(1, kMeadowX + c.dx, kMeadowY, 0, 1);
        const Result r = TestAt(tester, c.vehicleTester ? *car : *staff);
        EXPECT_EQ(r.value != 0, c.blocked);
        // Without a pre-filter the bare rectangle meets it whatever the distance.
        const Rect16 foot = SlotFootprint(
            UnitAnimSlot(c.vehicleTester ? car->head : staff->head, 0, 0), kMeadowX, kMeadowY);
        EXPECT_NE(FindAt(0, &tester, nullptr, foot).value, 0);
    }
}

TEST_F(CollisionTest, ModeBitsChooseFootprintAndWhoCounts) {
    struct Case {
        const char* name;
        std::function<void(CollisionUnit& tester)> scene;
        bool vehicleTester;
        std::uint16_t mode;
        bool blocked;
    };
    // The staff's size box (12 x 20) is wider than its animation box (10 x 18).
    const auto objectBesideBox = [&](CollisionUnit&) {
        placeObject(0, 2, kMeadowX + 6.5f, kMeadowY);
    };
    const auto movingPerson = [&](CollisionUnit&) {
        placePerson(1, kMeadowX + 2, kMeadowY, 0, 1).moverFlags = kMoverSearching;
    };
    // A lying or seated civilian 25 px to the right of a tester facing 9, turned so that its
    // direction turned by 6 is within 1 of 9, or not.
    const auto lyingCivilian = [&](int anim, int direction) {
        return [this, anim, direction](CollisionUnit&) {
            CollisionUnit& p = placePerson(1, kMeadowX + 25, kMeadowY, direction, 0);
            p.anim = static_cast<std::int8_t>(anim);
            setDrawPos(p);
        };
    };
    const auto onlooker = [&](bool carrying) {
        return [this, carrying](CollisionUnit&) {
            CollisionUnit& p = placePerson(1, kMeadowX + 10, kMeadowY, 0, 1);
            p.controlFlags = 2;
            if (carrying) p.moverFlags = kMoverLed;
        };
    };
    const auto walkBox = [&](CollisionUnit&) {
        staff->setBox({-5, -9, 5, 9});
        for (auto& dir : staff->slots) dir[1].box = {0, 0, 30, 18};  // animation 1 reaches 20 on
        placeObject(0, 2, kMeadowX + 15, kMeadowY);
    };
    const std::vector<Case> cases = {
        {"the animation box misses an object", objectBesideBox, false, 0, false},
        {"bit 0: the size box meets it", objectBesideBox, false, kCollideSizeBox, true},
        {"a moving person blocks", movingPerson, false, 0, true},
        {"bit 1: not when moving together", movingPerson, false, kCollideSkipMoving, false},
        {"a lying civilian is its box", lyingCivilian(4, 3), false, 0, false},
        {"bit 2: facing it, 20 px more", lyingCivilian(4, 3), false, kCollideWideLying, true},
        {"bit 2: seated counts too", lyingCivilian(5, 2), false, kCollideWideLying, true},
        {"bit 2: not two directions off", lyingCivilian(4, 1), false, kCollideWideLying, false},
        {"bit 5: animation 0", walkBox, false, kCollideAnimStand, false},
        {"bit 4: animation 1", walkBox, false, kCollideAnimWalk, true},
        {"an onlooker blocks a car", onlooker(false), true, 0, true},
        {"bit 6: a car ignores it", onlooker(false), true, kCollideNoOnlookers, false},
        {"bit 6: not one that carries", onlooker(true), true, kCollideNoOnlookers, true},
        {"bit 6: a person does not ignore it", onlooker(false), false, kCollideNoOnlookers, true},
        {"bit 9: a pushable object blocks while no push can be made",
         [&](CollisionUnit&) { placeObject(0, 0, kMeadowX - 5, kMeadowY - 5).pushable = 1; }, false,
         kCollidePush, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        CollisionUnit& tester = c.vehicleTester ? placeVehicle(0, kMeadowX, kMeadowY, 9)
                                                : placePerson(0, kMeadowX, kMeadowY, 9, 1);
        c.scene(tester);
        EXPECT_EQ(TestAt(tester, c.vehicleTester ? *car : *staff, c.mode).value != 0, c.blocked);
    }
}

TEST_F(CollisionTest, OnlookersKeepClearOfALyingCivilian) {
    CollisionUnit& tester = placePerson(0, kMeadowX, kMeadowY, 9, 1);
    CollisionUnit& lying = placePerson(1, kMeadowX + 25, kMeadowY, 9, 0);
    lying.anim = 4;
    setDrawPos(lying);
    EXPECT_EQ(TestAt(tester, *staff).value, 0);
    tester.controlFlags = 2;
    EXPECT_EQ(TestAt(tester, *staff).hit.kind, kHitPerson);
    tester.moverFlags = kMoverLed;  // one that carries keeps its way
    EXPECT_EQ(TestAt(tester, *staff).value, 0);
}

TEST_F(CollisionTest, CarriedPersonAndObjectMasks) {
    CollisionUnit& carrier = placePerson(0, kMeadowX, kMeadowY, 0, 1);
    placePerson(2, kMeadowX + 3, kMeadowY, 0, 1);
    carrier.link = 2;
    EXPECT_EQ(TestAt(carrier, *staff).hit.kind, kHitPerson);
    carrier.moverFlags = kMoverLed;
    EXPECT_EQ(TestAt(carrier, *staff).value, 0) << "the person it carries";
    const Rect16 foot = SlotFootprint(UnitAnimSlot(staff->head, 0, 0), kMeadowX, kMeadowY);
    EXPECT_EQ(FindAt(0, &carrier, nullptr, foot).value, 0) << "with a unit given";
    EXPECT_EQ(FindAt(0, nullptr, nullptr, foot).hit.kind, kHitPerson) << "with none, it counts";
    persons[2].type = -1;

    // An object that blocks only player vehicles: persons pass, a bare rectangle does not.
    placeObject(4, 0, kMeadowX - 5, kMeadowY - 5).blockMask = kPlayerVehicleUnitClass;
    EXPECT_EQ(TestAt(carrier, *staff).value, 0);
    EXPECT_EQ(FindAt(0, &carrier, nullptr, foot).hit.kind, kHitSonderObj);
    SonderObjs[4].blockMask = 0;
    EXPECT_EQ(FindAt(0, &carrier, nullptr, foot).value, 0);
    SonderObjs[4].blockMask = 15;
    SonderObjs[4].storey = 1;
    EXPECT_EQ(FindAt(0, &carrier, nullptr, foot).value, 0) << "another layer";
    // An object type outside the table is passed over.
    SonderObjs[4] = SonderObj{};
    placeObject(4, 9, kMeadowX - 5, kMeadowY - 5);
    EXPECT_EQ(FindAt(0, &carrier, nullptr, foot).value, 0);
}

TEST_F(CollisionTest, CivilianCarsPassOnlyWhenAsked) {
    placeVehicle(1, kMeadowX, kMeadowY, 0, 1);
    const Rect16 r{1390, 690, 1410, 710};
    EXPECT_EQ(FindAt(0, nullptr, nullptr, r).hit.kind, kHitFahrzeug);
    EXPECT_EQ(FindAt(kCollideNoCivil, nullptr, nullptr, r).value, 0);
    placeVehicle(1, kMeadowX, kMeadowY, 0, 0);
    EXPECT_EQ(FindAt(kCollideNoCivil, nullptr, nullptr, r).hit.kind, kHitFahrzeug);
    // TestCollision has no such bit.
    CollisionUnit& tester = placePerson(0, kMeadowX, kMeadowY, 0, 1);
    placeVehicle(1, kMeadowX, kMeadowY, 0, 1);
    EXPECT_EQ(TestAt(tester, *staff, kCollideNoCivil).hit.kind, kHitFahrzeug);
}

TEST_F(CollisionTest, OverlapRectanglesLetUnitsOverlap) {
    CollisionUnit& tester = placePerson(0, kMeadowX, kMeadowY, 0, 1);
    placeVehicle(1, kMeadowX + 10, kMeadowY);
    const CellPos cell = CellFromPixel(1500, 700);
    Flood(cell.column, cell.row, 1, 1);
    struct Case {
        const char* name;
        std::vector<MissionExtraRect> rects;
        std::uint8_t active;
        float x;
        std::uint8_t kind;
    };
    const std::vector<Case> cases = {
        {"none", {}, 0, kMeadowX, kHitFahrzeug},
        {"wholly inside", {{1300, 600, 1500, 800}}, 1, kMeadowX, kHitNothing},
        {"edges included", {{1395, 691, 1405, 709}}, 1, kMeadowX, kHitNothing},
        {"one pixel out", {{1396, 691, 1405, 709}}, 1, kMeadowX, kHitFahrzeug},
        {"not in force", {{1300, 600, 1500, 800}}, 0, kMeadowX, kHitFahrzeug},
        {"the second in force", {{0, 0, 10, 10}, {1300, 600, 1500, 800}}, 2, kMeadowX, kHitNothing},
        {"never past the count",
         {{0, 0, 10, 10}, {1300, 600, 1500, 800}},
         9,
         kMeadowX,
         kHitNothing},
        {"map cells still block", {{1300, 600, 1600, 800}}, 1, 1500, kHitMapCell},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MissionExtraCount = static_cast<std::uint8_t>(c.rects.size());
        AllocMissionExtras();
        std::copy(c.rects.begin(), c.rects.end(), MissionExtras.begin());
        MissionExtraActive = c.active;
        tester.x = c.x;
        EXPECT_EQ(TestAt(tester, *staff).hit.kind, c.kind);
        FreeMissionExtras();
    }
}

TEST_F(CollisionTest, FullZonesBlockAllButTheirOwnUnits) {
    CollisionUnit& tester = placePerson(0, kMeadowX, kMeadowY, 0, 1);
    ZoneCount = 2;
    AllocZones();
    SetZone(0, 0, 0, 10, 10, 1);
    SetZone(1, 1350, 650, 1450, 750, 2);
    Zones[1].occupants = 1;
    EXPECT_EQ(TestAt(tester, *staff, kCollideZones).value, 0) << "not full yet";
    Zones[1].occupants = 2;
    const Result r = TestAt(tester, *staff, kCollideZones);
    EXPECT_EQ(r.hit.kind, kHitZone);
    EXPECT_EQ(r.hit.index1, 1);
    EXPECT_EQ(r.value, 15) << "the zone encloses the footprint";
    EXPECT_EQ(TestAt(tester, *staff).value, 0) << "only with bit 10";
    tester.zone = 1;
    EXPECT_EQ(TestAt(tester, *staff, kCollideZones).value, 0) << "counted there already";
}

TEST_F(CollisionTest, MapCellsByTheOutlineOfTheirRegion) {
    // Cell (0, 0) is the map's top-left corner: x 0..31 on its first line.
    Flood(0, 0, 1, 1);
    EXPECT_EQ(FindAt(0, nullptr, nullptr, {-30, 2, -5, 20}).value, 0) << "wholly off the map";
    const Result partly = FindAt(0, nullptr, nullptr, {-10, 2, 10, 20});
    EXPECT_EQ(partly.hit.kind, kHitMapCell) << "partly off, cut to the map";
    EXPECT_EQ(partly.hit.index1, 0);
    EXPECT_EQ(partly.hit.index2, 0);
    EXPECT_EQ(FindAt(0, nullptr, nullptr, {-10, -30, 40, -1}).value, 0) << "above the map";

    // A cell's left edge slants 16 px over its 28 lines: beside its top corner is open ground,
    // the same columns further down are the cell.
    const int column = 44;
    const int row = 20;
    Flood(column, row, 1, 1);
    const int left = CellLineStartX(column, row, 0);
    const int top = kCellHeight * row;
    EXPECT_EQ(
        FindAt(0, nullptr, nullptr, {I16(left - 18), I16(top), I16(left - 8), I16(top + 3)}).value,
        0);
    const Result slant =
        FindAt(0, nullptr, nullptr, {I16(left - 18), I16(top + 24), I16(left - 8), I16(top + 27)});
    EXPECT_EQ(slant.hit.kind, kHitMapCell);
    EXPECT_EQ(slant.hit.index1, column);
    EXPECT_EQ(slant.value, 1) << "its left edge lies in the footprint";

    // Never on a storey.
    const PixelPos middle = CellMiddle(column, row);
    const Rect16 inside{I16(middle.x - 4), I16(middle.y - 4), I16(middle.x + 4), I16(middle.y + 4)};
    EXPECT_EQ(FindAt(0, nullptr, nullptr, inside).hit.kind, kHitMapCell);
    // (Outside any house a storey has no floor: that is another house's cell, not a map cell.)
    EXPECT_EQ(FindAt(0, nullptr, nullptr, inside, -1, 1).hit.kind, kHitOtherHouse);
    // By the mover's class: boats float on it.
    EXPECT_EQ(FindAt(0, nullptr, nullptr, inside, -1, 0, 9).value, 0);
    // A terrain write that makes it passable is seen at once.
    SetCellTerrain(CellIndex(column, row), 9);
    EXPECT_EQ(FindAt(0, nullptr, nullptr, inside).value, 0);
    SetCellTerrain(CellIndex(column, row), test::kWater);
    EXPECT_EQ(FindAt(0, nullptr, nullptr, inside).hit.kind, kHitMapCell);
}

TEST_F(CollisionTest, RegionsAcrossTheWholeMapStillBlock) {
    // A river of three rows from edge to edge: its outline spans the map.
    Flood(0, 24, MapWidth, 3);
    TerrainExtents e;
    EXPECT_EQ(GetExtentsOfTerrain(40, 25, test::kWalkerClass, e), 0);
    const PixelPos middle = CellMiddle(40, 25);
    CollisionUnit& walker =
        placePerson(0, static_cast<float>(middle.x), static_cast<float>(middle.y), 0, 1);
    EXPECT_EQ(TestAt(walker, *staff).hit.kind, kHitMapCell);
}

TEST(WallMaskTable, CodesAndMasksAreInverses) {
    EXPECT_EQ(WallMask(0), 0);
    EXPECT_EQ(WallMask(16), 0);
    EXPECT_EQ(WallMask(255), 0);
    const std::uint8_t expected[16] = {0,  64, 128, 32,  16,  192, 144, 160,
                                       80, 96, 48,  208, 112, 176, 224, 240};
    for (std::uint8_t code = 0; code < 16; ++code) {
        EXPECT_EQ(WallMask(code), expected[code]) << int{code};
        EXPECT_EQ(WallCode(WallMask(code)), code) << int{code};
    }
    EXPECT_EQ(WallCode(kWallSouth | 1), WallCode(kWallSouth)) << "bits beside the sides ignored";
}

TEST_F(CollisionTest, GeneratedHouseWallsHoldPersonsIn) {
    placeHouse();
    const House& h = Houses[0];
    const HouseTyp& t = HouseTypen[static_cast<std::size_t>(h.type)];
    // The sample file holds codes: the corner cell has its north and west walls.
    EXPECT_EQ(WallMask(t.cell(0, 0, 0).walls), kWallNorth | kWallWest);
    EXPECT_EQ(WallMask(t.cell(0, 1, 1).walls), 0);

    const int column = test::kHouseColumn;
    const int row = test::kHouseRow + 1;
    const PixelPos middle = CellMiddle(column, row);
    CollisionUnit& walker =
        placePerson(0, static_cast<float>(middle.x), static_cast<float>(middle.y), 9, 1);
    walker.storey = 1;
    walker.house = 0;
    EXPECT_EQ(TestAt(walker, *staff).value, 0) << "inside one cell";
    // Wholly within a cell beside the house: that cell is not its house's.
    const PixelPos beside = CellMiddle(column - 1, row);
    walker.x = static_cast<float>(beside.x);
    walker.y = static_cast<float>(beside.y);
    EXPECT_EQ(TestAt(walker, *staff).hit.kind, kHitOtherHouse);
    walker.x = static_cast<float>(middle.x);
    walker.y = static_cast<float>(middle.y);
    // Leaning out to the west, over the outer wall.
    walker.x = static_cast<float>(CellLineStartX(column, row, 14) + 2);
    Result r = TestAt(walker, *staff);
    EXPECT_EQ(r.hit.kind, kHitWall);
    EXPECT_EQ(r.value, kWallWest);
    // Into the next cell of the same house: no wall between.
    walker.x = static_cast<float>(CellLineStartX(column + 1, row, 14) + 2);
    EXPECT_EQ(TestAt(walker, *staff).value, 0);
    // A storey the type does not have, or no house of its own: another house.
    walker.storey = 9;
    EXPECT_EQ(TestAt(walker, *staff).hit.kind, kHitOtherHouse);
    walker.storey = 1;
    walker.house = 5;
    EXPECT_EQ(TestAt(walker, *staff).hit.kind, kHitOtherHouse);
}

TEST_F(CollisionTest, EachWayOutOfACellMeetsItsOwnWallBit) {
    // I is the house column: west and east cross columns, north and south rows. The detour
    // corners round a wall are read by the same bits.
    placeHouse();
    HouseTyp& t = HouseTypen[static_cast<std::size_t>(Houses[0].type)];
    t.cell(0, 2, 1).walls = 15;
    const int column = test::kHouseColumn + 2;
    const int row = test::kHouseRow + 1;
    const PixelPos middle = CellMiddle(column, row);
    struct Case {
        const char* way;
        int dx;
        int dy;
        int bit;
    };
    for (const Case& c : {Case{"west", -14, 0, 64}, Case{"east", 14, 0, 16},
                          Case{"north", 6, -12, 128}, Case{"south", 0, 12, 32}}) {
        CollisionUnit& walker = placePerson(0, static_cast<float>(middle.x + c.dx),
                                            static_cast<float>(middle.y + c.dy), 0, 1);
        walker.storey = 1;
        walker.house = 0;
        const Result r = TestAt(walker, *staff);
        EXPECT_EQ(r.hit.kind, kHitWall) << c.way;
        EXPECT_EQ(r.value, c.bit) << c.way;
    }
}

TEST_F(CollisionTest, CornersTestTheDiagonalCellsWalls) {
    placeHouse();
    HouseTyp& t = HouseTypen[static_cast<std::size_t>(Houses[0].type)];
    // From house cell (1, 1) up and left into (0, 0), which gets a wall on its east side.
    const int column = test::kHouseColumn + 1;
    const int row = test::kHouseRow + 1;
    CollisionUnit& walker = placePerson(0, static_cast<float>(CellLineStartX(column, row, 0) + 3),
                                        static_cast<float>(kCellHeight * row + 5), 11, 1);
    walker.storey = 1;
    walker.house = 0;
    EXPECT_EQ(TestAt(walker, *staff).value, 0);
    t.cell(0, 0, 0).walls = WallCode(kWallNorth | kWallWest | kWallEast);
    const Result r = TestAt(walker, *staff);
    EXPECT_EQ(r.hit.kind, kHitWall);
    EXPECT_EQ(r.value, kWallEast);
    EXPECT_EQ(r.hit.index1, column - 1) << "the diagonal cell";
    EXPECT_EQ(r.hit.index2, row - 1);
    EXPECT_EQ(r.hit.index3, 1);
    // A wall of its own cell on the way comes first.
    t.cell(0, 1, 1).walls = WallCode(kWallNorth);
    const Result own = TestAt(walker, *staff);
    EXPECT_EQ(own.value, kWallNorth);
    EXPECT_EQ(own.hit.index1, column);
    EXPECT_EQ(own.hit.index3, 0);
}

TEST_F(CollisionTest, TramplesOnlyStandingExactlyOnThePoint) {
    // A car on mission 1's northern field.
    const float x = 500;
    const float y = 200;
    CollisionUnit& tractor = placeVehicle(0, x, y);
    const CellPos under = CellFromPixel(static_cast<int>(x), static_cast<int>(y));
    const auto cell = static_cast<std::size_t>(CellIndex(under.column, under.row));
    const std::uint8_t field = MapCells[cell].terrain;
    const std::uint16_t trampled = TerrainValue(field, test::kCarClass);
    ASSERT_NE(trampled, kNoTerrain);
    BrandStates[cell].fuel = 1000;
    BrandStates[cell].burning = 1;
    BurningCellCount = 1;

    EXPECT_EQ(Collide(tractor, car->head, x, y).value, 0);
    EXPECT_EQ(MapCells[cell].terrain, field) << "only with bit 8";
    EXPECT_EQ(Collide(tractor, car->head, x + 0.5f, y, kCollideTrample).value, 0);
    EXPECT_EQ(MapCells[cell].terrain, field) << "not standing on the point";
    Collide(tractor, car->head, x, y, kCollideTrample, 1);
    EXPECT_EQ(MapCells[cell].terrain, field) << "not on a storey";

    EXPECT_EQ(Collide(tractor, car->head, x, y, kCollideTrample).value, 0);
    EXPECT_EQ(MapCells[cell].terrain, trampled);
    EXPECT_EQ(CellAnims[cell].kind, 4);
    EXPECT_EQ(BrandStates[cell].fuel, 0);
    EXPECT_EQ(BrandStates[cell].burning, 0);
    EXPECT_EQ(BurningCellCount, 0);
    // A trampled value the table has no row for writes nothing.
    const CellPos next = CellFromPixel(static_cast<int>(x) + 200, static_cast<int>(y));
    const auto nextCell = static_cast<std::size_t>(CellIndex(next.column, next.row));
    TerrainTypen[MapCells[nextCell].terrain].value[test::kCarClass] = 200;
    tractor.x = x + 200;
    EXPECT_EQ(Collide(tractor, car->head, x + 200, y, kCollideTrample).value, 0);
    EXPECT_EQ(MapCells[nextCell].terrain, field);
}

TEST_F(CollisionTest, ScopesAnswerAsTheFullTests) {
    SeedRandom(7);
    const auto near = [](int spread) {
        return static_cast<float>(Rand() % (2 * spread + 1) - spread);
    };
    for (int i = 0; i < 4; ++i) {
        placeVehicle(i, kMeadowX + near(150), kMeadowY + near(150), Rand() % 12, Rand() % 2);
        placePerson(i, kMeadowX + near(100), kMeadowY + near(100), Rand() % 12, Rand() % 2);
        persons[static_cast<std::size_t>(i)].anim = static_cast<std::int8_t>(Rand() % 6);
        setDrawPos(persons[static_cast<std::size_t>(i)]);
    }
    persons[3].offMap = 1;
    for (int j = 0; j < 8; ++j) placeObject(j, j % 4, kMeadowX + near(200), kMeadowY + near(200));
    // Some water among them, so that the ground is not all clear.
    const CellPos pond = CellFromPixel(static_cast<int>(kMeadowX), static_cast<int>(kMeadowY));
    Flood(pond.column - 1, pond.row - 1, 2, 3);
    constexpr std::uint16_t kModes[] = {0, kCollideSkipMoving, kCollideWideLying,
                                        kCollideSizeBox | kCollideNoOnlookers, kCollideAnimWalk};
    int blocked = 0;
    for (int n = 0; n < 100; ++n) {
        const bool vehicleTester = n % 2 == 0;
        CollisionUnit& tester = vehicleTester ? vehicles[static_cast<std::size_t>(n / 2 % 4)]
                                              : persons[static_cast<std::size_t>(n / 2 % 4)];
        const UnitTypHead& type = vehicleTester ? car->head : staff->head;
        const std::uint16_t mode = kModes[static_cast<std::size_t>(n % 5)];
        struct Query {
            float x, y;
            int direction;
            Result bare, bareRect;
            Rect16 r;
        };
        // A few places near one another, as one unit's look-ahead tests them.
        std::vector<Query> queries;
        const float cx = kMeadowX + near(220);
        const float cy = kMeadowY + near(220);
        for (int k = 0; k < 4; ++k) {
            Query q;
            q.x = cx + near(40);
            q.y = cy + near(40);
            q.direction = Rand() % 12;
            q.bare = Collide(tester, type, q.x, q.y, mode, 0, q.direction);
            q.r = {I16(static_cast<int>(q.x) - 15), I16(static_cast<int>(q.y) - 15),
                   I16(static_cast<int>(q.x) + 15), I16(static_cast<int>(q.y) + 15)};
            q.bareRect = FindAt(mode, &tester, &type, q.r);
            if (q.bare.value != 0) ++blocked;
            queries.push_back(q);
        }
        const CollisionScope scope;
        for (int again = 0; again < 2; ++again)
            for (const Query& q : queries) {
                const Result kept = Collide(tester, type, q.x, q.y, mode, 0, q.direction);
                EXPECT_EQ(kept.value, q.bare.value) << n;
                EXPECT_EQ(kept.hit.kind, q.bare.hit.kind) << n;
                EXPECT_EQ(kept.hit.index1, q.bare.hit.index1) << n;
                const Result keptRect = FindAt(mode, &tester, &type, q.r);
                EXPECT_EQ(keptRect.value, q.bareRect.value) << n;
                EXPECT_EQ(keptRect.hit.kind, q.bareRect.hit.kind) << n;
                EXPECT_EQ(keptRect.hit.index1, q.bareRect.hit.index1) << n;
            }
    }
    EXPECT_GT(blocked, 40) << "the scenes meet something often enough to mean anything";
}

TEST_F(CollisionTest, ScopesThatGatherOftenAnswerAsTheFullTests) {
    // Units and objects along a line, a civilian lying among them. One scope held over a long run
    // of tests along it gathers what lies near again and again, as a path search does over its
    // straight runs, each of which opens a scope of its own around its line.
    for (int i = 0; i < 4; ++i) {
        placeVehicle(i, kMeadowX - 300 + 200 * i, kMeadowY + 40 * (i % 2), 3 * i, i % 2);
        placePerson(i, kMeadowX - 250 + 200 * i, kMeadowY - 20, i, i % 2);
    }
    persons[0].anim = 4;  // lying
    setDrawPos(persons[0]);
    // The objects on the way the tests take.
    for (int j = 0; j < 6; ++j)
        placeObject(j, j % 4, kMeadowX - 280 + 110 * j,
                    kMeadowY - 40 + static_cast<float>((80 + 110 * j) % 90));
    CollisionUnit& tester = persons[3];
    struct Query {
        float x, y;
        Rect16 r;
        Result bare, bareRect;
    };
    std::vector<Query> queries;
    int blocked = 0;
    for (int x = -360; x <= 460; x += 7) {
        Query q;
        q.x = kMeadowX + static_cast<float>(x);
        q.y = kMeadowY - 40 + static_cast<float>((x + 360) % 90);
        q.r = {I16(static_cast<int>(q.x) - 12), I16(static_cast<int>(q.y) - 12),
               I16(static_cast<int>(q.x) + 12), I16(static_cast<int>(q.y) + 12)};
        q.bare = Collide(tester, staff->head, q.x, q.y, kCollideWideLying, 0, 6);
        q.bareRect = FindAt(0, &tester, &staff->head, q.r);
        if (q.bare.value != 0 || q.bareRect.value != 0) ++blocked;
        queries.push_back(q);
    }
    const CollisionScope search;
    // The second time along, the scope has long taken what lies there once for all.
    for (int pass = 0; pass < 2; ++pass)
        for (std::size_t first = 0; first < queries.size(); first += 10) {
            const std::size_t last = std::min(queries.size(), first + 10) - 1;
            const CollisionScope run(
                {queries[first].r.x1, -1000, queries[last].r.x2, static_cast<std::int16_t>(1400)});
            for (std::size_t k = first; k <= last; ++k) {
                const Query& q = queries[k];
                const Result kept = Collide(tester, staff->head, q.x, q.y, kCollideWideLying, 0, 6);
                EXPECT_EQ(kept.value, q.bare.value) << k;
                EXPECT_EQ(kept.hit.kind, q.bare.hit.kind) << k;
                EXPECT_EQ(kept.hit.index1, q.bare.hit.index1) << k;
                const Result keptRect = FindAt(0, &tester, &staff->head, q.r);
                EXPECT_EQ(keptRect.value, q.bareRect.value) << k;
                EXPECT_EQ(keptRect.hit.kind, q.bareRect.hit.kind) << k;
                EXPECT_EQ(keptRect.hit.index1, q.bareRect.hit.index1) << k;
            }
        }
    EXPECT_GT(blocked, 20) << "the line meets something often enough to mean anything";
}

TEST_F(CollisionTest, ScopesKeepWhatTheFarEndOfTheirWindowNeeds) {
    // A wide civilian car at the very reach of the pre-filter from a second test point that
    // lies near the edge of the window the first opened.
    civilCar->setBox({-150, -15, 150, 15});
    CollisionUnit& tester = placeVehicle(0, kMeadowX, kMeadowY);
    placeVehicle(1, kMeadowX + 90 + 135, kMeadowY, 0, 1);
    placeObject(2, 0, kMeadowX + 90 + 20, kMeadowY);  // touches a footprint 90 px on
    const CollisionScope scope;
    EXPECT_EQ(Collide(tester, car->head, kMeadowX, kMeadowY).value, 0);
    EXPECT_EQ(Collide(tester, car->head, kMeadowX + 90, kMeadowY).hit.kind, kHitFahrzeug);
    vehicles[1].type = -1;  // within a scope nothing may come or go, but the slot is read again
    EXPECT_EQ(Collide(tester, car->head, kMeadowX + 90, kMeadowY).hit.kind, kHitSonderObj);
    // The rectangle tests keep boxes, not positions: the car's box reaches the rectangle.
    placeVehicle(1, kMeadowX + 240, kMeadowY, 0, 1);
    const CollisionScope inner;
    EXPECT_EQ(FindAt(0, &tester, nullptr, {1380, 690, 1400, 710}).value, 0);
    EXPECT_EQ(FindAt(0, &tester, nullptr, {1470, 690, 1490, 710}).hit.kind, kHitFahrzeug);
}

TEST_F(CollisionTest, TheTypesBoxReachPassesOverOnlyUnitsThatCannotMeet) {
    // Boxes far from the draw corner: a wide civilian car, and staff whose box lies 200 px right
    // of and 300 px below its corner.
    civilCar->setBox({-150, -15, 150, 15});
    for (auto& anims : staff->slots) anims[0].box = {200, 300, 230, 330};
    AnimBoxReach vehicleReach;
    AnimBoxReach personReach;
    for (const CollisionTyp* t : {car.get(), civilCar.get()}) WidenBoxReach(vehicleReach, t->head);
    for (const CollisionTyp* t : {civilian.get(), staff.get()}) WidenBoxReach(personReach, t->head);
    placeVehicle(0, kMeadowX, kMeadowY);
    placeVehicle(1, kMeadowX + 400, kMeadowY, 0, 1);
    placePerson(0, kMeadowX - 300, kMeadowY - 200, 0, 1);
    placePerson(1, kMeadowX + 100, kMeadowY + 100);
    // Corners at the ends of the 16-bit range, where the boxes wrap.
    placePerson(2, 32760, 32760, 0, 1);
    placeVehicle(2, -32760, 500, 0, 1);

    std::vector<Rect16> rects;
    for (int x = -500; x <= 700; x += 37)
        for (int y = -400; y <= 600; y += 37)
            rects.push_back({I16(kMeadowX + x), I16(kMeadowY + y), I16(kMeadowX + x + 20),
                             I16(kMeadowY + y + 20)});
    for (int x : {-32768, -32700, -32650, 32700, 32747})
        for (int y : {-32768, 480, 32700, 32747})
            rects.push_back({I16(x), I16(y), I16(x + 20), I16(y + 20)});
    // And over the top-left corner of each unit's box, wrapped or not.
    for (const UnitArray* units : {&FahrzeugUnits, &PersonUnits})
        for (int i = 0; i < units->count; ++i) {
            const UnitHead& u = units->slot(i);
            const AnimSlot* slot = units->currentAnim(i);
            if (u.type < 0 || slot == nullptr) continue;
            const int x = I16(u.drawX + slot->box[0]);
            const int y = I16(u.drawY + slot->box[1]);
            rects.push_back({I16(x - 5), I16(y - 5), I16(x + 5), I16(y + 5)});
        }
    int units = 0;
    for (const Rect16& r : rects) {
        const Result bare = FindAt(0, nullptr, nullptr, r);
        FahrzeugUnits.boxReach = &vehicleReach;
        PersonUnits.boxReach = &personReach;
        const CollisionScope scope(r);
        const Result kept = FindAt(0, nullptr, nullptr, r);
        FahrzeugUnits.boxReach = nullptr;
        PersonUnits.boxReach = nullptr;
        EXPECT_EQ(kept.value, bare.value) << r.x1 << ", " << r.y1;
        EXPECT_EQ(kept.hit.kind, bare.hit.kind) << r.x1 << ", " << r.y1;
        EXPECT_EQ(kept.hit.index1, bare.hit.index1) << r.x1 << ", " << r.y1;
        if (bare.hit.kind == kHitFahrzeug || bare.hit.kind == kHitPerson) ++units;
    }
    EXPECT_GT(units, 20) << "the rectangles meet the units often enough to mean anything";
}

TEST_F(CollisionTest, ScopesSeeTerrainWrittenWhileTheyAreOpen) {
    CollisionUnit& walker = placePerson(0, kMeadowX, kMeadowY, 0, 1);
    const CellPos cell = CellFromPixel(static_cast<int>(kMeadowX), static_cast<int>(kMeadowY));
    const std::uint8_t meadow =
        MapCells[static_cast<std::size_t>(CellIndex(cell.column, cell.row))].terrain;
    const CollisionScope scope;
    EXPECT_EQ(TestAt(walker, *staff).value, 0);
    SetCellTerrain(CellIndex(cell.column, cell.row), kWater);
    EXPECT_EQ(TestAt(walker, *staff).hit.kind, kHitMapCell);
    SetCellTerrain(CellIndex(cell.column, cell.row), meadow);
    EXPECT_EQ(TestAt(walker, *staff).value, 0);
}

TEST(MissionExtraRecord, SavedLayout) {
    test::ExpectLayout<MissionExtraRect>(8, {{"x0", 0}, {"y0", 2}, {"x1", 4}, {"y1", 6}});
}

}  // namespace
}  // namespace kv::test
