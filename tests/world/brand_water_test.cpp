// Water on the fire model, the jets it stops, and the cannon jet's record.

#include <gtest/gtest.h>

#include "core/fire_counts.h"
#include "gfx/image_files.h"
#include "movement/befehl_queue.h"
#include "support/golden_bytes.h"
#include "support/record_offsets.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "world/brand_fixture.h"
#include "world/sonder_obj.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv {
namespace {

using test::BrandTest;
using test::FakeFahrzeug;
using test::FakeFahrzeuge;
using test::kGrassIgnite;

TEST(WasserStrahlRecord, FieldsAndTwoSpareBytes) {
    test::ExpectLayout<WasserStrahl>(
        36,
        {{"nozzle", 0},         {"nozzleTarget", 1}, {"autoAim", 2},       {"retargetTicks", 3},
         {"targetPerson", 4},   {"searchRadius", 6}, {"active", 8},        {"elevation", 9},
         {"floor", 10},         {"targetX", 12},     {"targetY", 14},      {"wobbleXTarget", 16},
         {"reserved", 18},      {"wobbleX", 20},     {"yCorrection", 22},  {"height", 24},
         {"wobbleDTarget", 26}, {"wobbleD", 27},     {"ticksRunning", 28}, {"splash", 30},
         {"countdown", 32},     {"spare", 34}});

    WasserStrahl jet;
    jet.nozzle = 11;
    jet.nozzleTarget = -1;
    jet.autoAim = 1;
    jet.retargetTicks = 20;
    jet.targetPerson = 0x0102;
    jet.searchRadius = 3;
    jet.active = 1;
    jet.elevation = 50;
    jet.floor = -1;
    jet.targetX = 1000;
    jet.targetY = -2;
    jet.wobbleXTarget = 1;
    jet.reserved = 7;
    jet.wobbleX = -2;
    jet.yCorrection = -40;
    jet.height = 31;
    jet.wobbleDTarget = -2;
    jet.wobbleD = -1;
    jet.ticksRunning = 0xABCD;
    jet.splash = 250;
    jet.countdown = 60;
    ByteWriter out;
    WriteRecord(out, jet);
    test::GoldenBytes golden;
    golden.at(0)
        .bytes({0x0B, 0xFF, 0x01, 0x14})  // nozzle 11, target -1, autoAim, retargetTicks 20
        .at(4)
        .bytes({0x02, 0x01, 0x03, 0x00})  // targetPerson 0x0102, searchRadius 3
        .at(8)
        .bytes({0x01, 0x32, 0xFF, 0xFF})  // active, elevation 50, floor -1
        .at(12)
        .bytes({0xE8, 0x03, 0xFE, 0xFF})  // target (1000, -2)
        .at(16)
        .bytes({0x01, 0x00, 0x07, 0x00})  // wobbleXTarget 1, reserved 7
        .at(20)
        .bytes({0xFE, 0xFF, 0xD8, 0xFF, 0x1F, 0x00})  // wobbleX -2, yCorrection -40, height 31
        .at(26)
        .bytes({0xFE, 0xFF})  // wobbleDTarget -2, wobbleD -1
        .at(28)
        .bytes({0xCD, 0xAB, 0xFA, 0x00, 0x3C, 0x00})  // ticksRunning, splash 250, countdown 60
        .at(34)
        .zeros(2);
    EXPECT_EQ(out.data(), golden.data());
    ByteReader in(golden.data());
    const WasserStrahl back = ReadRecord<WasserStrahl>(in);
    EXPECT_EQ(back.targetY, -2);
    EXPECT_EQ(back.ticksRunning, 0xABCD);
    EXPECT_EQ(back.countdown, 60);
}

// A world point inside a map cell.
PixelPos PointIn(int column, int row) {
    return {kCellWidth * column - 16 * row + 8, kCellHeight * row + 14};
}

// A vehicle of a type with a cannon jet that is running, aimed at (x, y) with the given height.
FakeFahrzeug CannonVehicle(std::int16_t type, int x, int y, int height) {
    FakeFahrzeug v;
    v.head.type = static_cast<std::int8_t>(type);
    v.hasJet = true;
    v.jet.active = 1;
    v.jet.targetX = static_cast<std::int16_t>(x);
    v.jet.targetY = static_cast<std::int16_t>(y - height);
    v.jet.height = static_cast<std::int16_t>(height);
    return v;
}

TEST_F(BrandTest, StopWasserStrahlArmsTheRunOnOnceOrStops) {
    SonderObjTypen.assign(8, SonderObjTyp{});
    SonderObjTypCount = 8;
    SonderObjs.resize(2);
    SonderObjCount = 2;
    SonderObjs[0].type = kSplashSonderObjTyp;
    SonderObjs[1].type = 7;  // not a splash: an idle record may name any slot
    FakeFahrzeuge = {CannonVehicle(kTypF101, 0, 0, 0), CannonVehicle(kTypF303, 0, 0, 0),
                     CannonVehicle(kTypF101, 0, 0, 0), FakeFahrzeug{}};
    FakeFahrzeuge[1].jet.splash = 0;
    FakeFahrzeuge[2].jet.splash = 1;
    test::InstallFakeFahrzeuge();

    // Without orders the jet runs on for 60 ticks; a second stop does not restart the count.
    StopWasserStrahl(0, 0);
    EXPECT_EQ(FakeFahrzeuge[0].jet.countdown, kWasserStrahlRunOn);
    FakeFahrzeuge[0].jet.countdown = 12;
    StopWasserStrahl(0, 0);
    EXPECT_EQ(FakeFahrzeuge[0].jet.countdown, 12);
    EXPECT_EQ(FakeFahrzeuge[0].jet.active, 1);

    // The crowd cannon always stops, and so does any jet with force.
    StopWasserStrahl(1, 0);
    EXPECT_EQ(FakeFahrzeuge[1].jet.active, 0);
    EXPECT_EQ(FakeFahrzeuge[1].jet.countdown, -1);
    EXPECT_EQ(SonderObjs[0].visible, 0);
    StopWasserStrahl(2, 1);
    EXPECT_EQ(FakeFahrzeuge[2].jet.active, 0);
    EXPECT_EQ(SonderObjs[1].visible, 1);

    // A vehicle without a cannon, a free slot, an index outside the array: nothing.
    FakeFahrzeuge[3].head.type = kTypF101;
    StopWasserStrahl(3, 1);
    StopWasserStrahl(4, 1);
    StopWasserStrahl(-1, 1);
}

TEST_F(BrandTest, AHitPutsTheFireOutAndChillsTheCell) {
    map(9, 9);
    const PixelPos at = PointIn(4, 4);
    ASSERT_EQ(CellFromPixel(at.x, at.y), (CellPos{4, 4}));
    light(4, 4, 5000);
    light(6, 4, 100);  // a neighbour two to the right: a quarter of the water
    ApplyWasser(static_cast<std::int16_t>(at.x), static_cast<std::int16_t>(at.y), 40000, 0, -1);

    EXPECT_EQ(cell(4, 4).burning, 0);
    EXPECT_EQ(cell(4, 4).heat, 5000 - 40000 - kWasserHitChill);
    EXPECT_EQ(anim(4, 4).kind, 3) << "fuel left: the fire image";
    EXPECT_EQ(cell(6, 4).burning, 0);
    EXPECT_EQ(cell(6, 4).heat, 100 - 10000 - kWasserNeighbourChill);
    EXPECT_EQ(cell(4, 2).heat, -10000) << "a cell that does not burn is cooled as well";
    EXPECT_EQ(cell(4, 8).heat, -40000 / 256);
    EXPECT_EQ(cell(0, 0).heat, 0) << "eight cells away";
    EXPECT_EQ(BurningCellCount, 0);
    expectCountsMatch();

    // Cold stays cold; the spread has to make up the chill before the cell burns again.
    UpdateBrand();
    EXPECT_EQ(cell(4, 2).heat, -10000);
    const std::int32_t missing = kGrassIgnite - cell(4, 4).heat;
    PassHeatToMapCell(4, 4, missing);
    EXPECT_EQ(cell(4, 4).burning, 0);
    PassHeatToMapCell(4, 4, 1);
    EXPECT_EQ(cell(4, 4).burning, 1);
}

TEST_F(BrandTest, APlainCellWithoutFuelLeftBurnsOutUnderWater) {
    map(5, 5);
    light(2, 2, 10);
    cell(2, 2).fuel = 0;
    const PixelPos at = PointIn(2, 2);
    ApplyWasser(static_cast<std::int16_t>(at.x), static_cast<std::int16_t>(at.y), 100, 0, -1);
    EXPECT_EQ(anim(2, 2).kind, 4);
    EXPECT_EQ(MapCells[static_cast<std::size_t>(CellIndex(2, 2))].material, test::kGrass);
    EXPECT_EQ(MapCells[static_cast<std::size_t>(CellIndex(2, 2))].terrain, 2);
}

TEST_F(BrandTest, WaterStopsAtTheEndOfCellArraysShorterThanTheMap) {
    map(9, 9);
    light(8, 4, 5000);
    // One more column than the arrays hold: water there, or reaching there, finds no cell.
    MapWidth = static_cast<std::uint16_t>(MapWidth + 1);
    const PixelPos past = PointIn(9, 4);
    ApplyWasser(static_cast<std::int16_t>(past.x), static_cast<std::int16_t>(past.y), 40000, 0, -1);
    EXPECT_EQ(cell(8, 4).burning, 1) << "the hit cell is not there";
    const PixelPos edge = PointIn(8, 4);
    ApplyWasser(static_cast<std::int16_t>(edge.x), static_cast<std::int16_t>(edge.y), 40000, 0, -1);
    EXPECT_EQ(cell(8, 4).burning, 0);
    EXPECT_EQ(cell(6, 4).heat, -10000) << "the neighbours the arrays hold";
    MapWidth = static_cast<std::uint16_t>(MapWidth - 1);
}

TEST_F(BrandTest, JetsAimedAtAFireThatWentOutStop) {
    map(9, 9);
    const PixelPos at = PointIn(4, 4);
    light(4, 4, 5000);
    // Aimed at (4, 4) at a height; aimed elsewhere; the crowd cannon aimed at (4, 4); the
    // delivering vehicle aimed elsewhere; a jet aimed at (4, 4) that is off.
    FakeFahrzeuge = {
        CannonVehicle(kTypF101, at.x, at.y, 40), CannonVehicle(kTypF101, 5, 5, 0),
        CannonVehicle(kTypF303, at.x, at.y, 0),  CannonVehicle(kTypF101, 5, 5, 0),
        CannonVehicle(kTypF101, at.x, at.y, 0),
    };
    FakeFahrzeuge[4].jet.active = 0;
    test::InstallFakeFahrzeuge();
    ApplyWasser(static_cast<std::int16_t>(at.x), static_cast<std::int16_t>(at.y), 40000, 0, 3);

    EXPECT_EQ(FakeFahrzeuge[0].jet.countdown, kWasserStrahlRunOn);
    EXPECT_EQ(FakeFahrzeuge[1].jet.countdown, -1);
    EXPECT_EQ(FakeFahrzeuge[2].jet.active, 0);
    EXPECT_EQ(FakeFahrzeuge[3].jet.countdown, kWasserStrahlRunOn);
    EXPECT_EQ(FakeFahrzeuge[4].jet.countdown, -1);

    // Water on a fire that does not go out stops nothing.
    FakeFahrzeuge[0].jet.countdown = -1;
    light(4, 4, 5000000);
    ApplyWasser(static_cast<std::int16_t>(at.x), static_cast<std::int16_t>(at.y), 40000, 0, 0);
    EXPECT_EQ(FakeFahrzeuge[0].jet.countdown, -1);
}

TEST_F(BrandTest, UnderOrdersJetsRunOnStopOrKeepBurningOut) {
    map(9, 9);
    const PixelPos at = PointIn(4, 4);
    light(4, 4, 5000);
    // All aimed at (4, 4): at a cannon order, at another order, burning out; the delivering
    // vehicle burning out too.
    FakeFahrzeuge.assign(4, CannonVehicle(kTypF101, at.x, at.y, 0));
    test::InstallFakeFahrzeuge();
    AppendBefehl(FakeFahrzeuge[0].head, 53, 0, 0, 0, 0, 1);
    AppendBefehl(FakeFahrzeuge[1].head, 7, 20, 0, 0, 0, 1);
    AppendBefehl(FakeFahrzeuge[2].head, 44, 0, 0, 0, 0, 1);
    AppendBefehl(FakeFahrzeuge[3].head, 44, 0, 0, 0, 0, 1);
    ApplyWasser(static_cast<std::int16_t>(at.x), static_cast<std::int16_t>(at.y), 40000, 0, 3);

    EXPECT_EQ(FakeFahrzeuge[0].jet.active, 1);
    EXPECT_EQ(FakeFahrzeuge[0].jet.countdown, kWasserStrahlRunOn);
    EXPECT_EQ(FakeFahrzeuge[0].head.orders, nullptr);
    EXPECT_EQ(FakeFahrzeuge[1].jet.active, 0);
    EXPECT_EQ(FakeFahrzeuge[1].jet.countdown, -1);
    EXPECT_EQ(FakeFahrzeuge[1].head.orders, nullptr);
    for (int n : {2, 3}) {
        const test::FakeFahrzeug& v = FakeFahrzeuge[static_cast<std::size_t>(n)];
        EXPECT_EQ(v.jet.active, 1) << n;
        EXPECT_EQ(v.jet.countdown, -1) << n;
        EXPECT_EQ(HeadBefehlOpcode(v.head), 44) << n;
    }
}

class BrandHouseWater : public BrandTest {
  protected:
    // A house of three floors, 2 x 3 cells, at map (2, 2): its front row is map row 4.
    void SetUp() override {
        BrandTest::SetUp();
        map(9, 9);
        houses(3, 2, 3, {{2, 2}});
    }
    // A point on map row 5 below the house's column 1: water there belongs to the house.
    static void water(std::int16_t floor, std::int16_t vehicle = -1) {
        const PixelPos at = PointIn(3, 5);
        ApplyWasser(static_cast<std::int16_t>(at.x), static_cast<std::int16_t>(at.y), 1000, floor,
                    vehicle);
    }
};

TEST_F(BrandHouseWater, OneFloorOrEveryFloorFromTheHitCellBack) {
    for (int f = 0; f < 3; ++f) lightHouseCell(0, f, 1, 2, 100);
    lightHouseCell(0, 1, 1, 0, 100);
    houseCell(0, 1, 1, 0).fuel = 0;
    lightHouseCell(0, 1, 0, 2, 100);  // another column: dry

    water(1);
    EXPECT_EQ(houseCell(0, 1, 1, 2).burning, 0);
    EXPECT_EQ(houseCell(0, 1, 1, 0).burning, 0);
    EXPECT_EQ(houseCell(0, 0, 1, 2).burning, 1);
    EXPECT_EQ(houseCell(0, 2, 1, 2).burning, 1);
    EXPECT_EQ(houseCell(0, 1, 0, 2).burning, 1);
    EXPECT_EQ(houseCell(0, 1, 1, 2).heat, -900) << "a house cell put out keeps its heat";
    EXPECT_EQ(Houses[0].floors[1].flames[kFlameLower][1][2].kind, kFlameIdle);
    EXPECT_EQ(Houses[0].floors[1].flames[kFlameFourth][1][0].kind, kFlameBurnt) << "no fuel";
    expectCountsMatch();

    water(-1);
    for (int f = 0; f < 3; ++f) EXPECT_EQ(houseCell(0, f, 1, 2).burning, 0) << f;
    EXPECT_EQ(houseCell(0, 1, 0, 2).burning, 1);
    EXPECT_EQ(Houses[0].burningCells, 1);
    expectCountsMatch();

    water(7);  // a floor the house does not have
    EXPECT_EQ(houseCell(0, 1, 0, 2).burning, 1);
}

TEST_F(BrandHouseWater, JetsAtTheFacadeStopWhenTheColumnIsOut) {
    lightHouseCell(0, 1, 1, 2, 100);
    lightHouseCell(0, 1, 1, 0, 5000000);  // still burns after the water
    // Aimed at the facade of column 1 (map cell (3, 4)) on floor 1; the same on floor 0.
    const PixelPos facade = PointIn(3, 4);
    FakeFahrzeuge = {CannonVehicle(kTypF101, facade.x, facade.y, 0),
                     CannonVehicle(kTypF101, facade.x, facade.y, 0),
                     CannonVehicle(kTypF101, 5, 5, 0)};
    FakeFahrzeuge[0].jet.floor = 1;
    FakeFahrzeuge[0].jet.height = 31;  // the facade point is taken without the height
    test::InstallFakeFahrzeuge();
    water(1, 2);
    EXPECT_EQ(houseCell(0, 1, 1, 2).burning, 0);
    EXPECT_EQ(FakeFahrzeuge[0].jet.countdown, kWasserStrahlRunOn);
    EXPECT_EQ(FakeFahrzeuge[1].jet.countdown, -1);
    EXPECT_EQ(FakeFahrzeuge[2].jet.countdown, -1) << "its column still burns";

    houseCell(0, 1, 1, 0).heat = 100;
    water(1, 2);
    EXPECT_EQ(FakeFahrzeuge[2].jet.countdown, kWasserStrahlRunOn);
}

class BrandObjectWater : public BrandTest {
  protected:
    void SetUp() override {
        BrandTest::SetUp();
        map(9, 9);
        // Type 0: a box 20 x 20 whose fire water puts out into type 1.
        SonderObjTypen.assign(2, SonderObjTyp{});
        SonderObjTypCount = 2;
        SonderObjTypen[0].boxX1 = 20;
        SonderObjTypen[0].boxY1 = 20;
        SonderObjTypen[0].extinguishedTyp = 1;
        SonderObjTypen[0].burntTyp = 1;
        // Only a type with pictures of its own is a look an object can turn into.
        const sampledata::AffFrame picture{0, 0, sampledata::Canvas(4, 4, 5), 0};
        SonderObjTypen[1].frames = LoadAffFromBytes(sampledata::MakeAff({&picture, 1}));
        SonderObjTypen[1].objectSet = 1;
    }
    // A burning object of type 0 whose box centre is dx to the right of the point.
    static SonderObj Burning(PixelPos point, int dx) {
        SonderObj o;
        o.type = 0;
        o.x = static_cast<float>(point.x + dx - 10);
        o.y = static_cast<float>(point.y - 10);
        o.heat = 500;
        o.fuel = 100;
        o.burning = 1;
        o.frame = 3;
        return o;
    }
};

TEST_F(BrandObjectWater, FullStrengthNearAQuarterFartherNothingBeyond) {
    const PixelPos at = PointIn(4, 4);
    for (int dx : {0, 15, 20, 0, 0}) SonderObjs.push_back(Burning(at, dx));
    SonderObjs[3].storey = 1;
    SonderObjs[4].visible = 0;
    SonderObjCount = static_cast<std::int16_t>(SonderObjs.size());
    BurningSonderObjCount = 5;
    ApplyWasser(static_cast<std::int16_t>(at.x), static_cast<std::int16_t>(at.y), 1000, 0, -1);

    const SonderObj& hit = SonderObjs[0];
    EXPECT_EQ(hit.burning, 0);
    EXPECT_EQ(hit.heat, 500 - 1000 - kWasserSonderObjChill);
    EXPECT_EQ(hit.type, 1);
    EXPECT_EQ(hit.frame, 0);
    EXPECT_EQ(SonderObjs[1].heat, 500 - 250);
    EXPECT_EQ(SonderObjs[1].burning, 1);
    for (int n = 2; n < 5; ++n) EXPECT_EQ(SonderObjs[static_cast<std::size_t>(n)].heat, 500) << n;
    EXPECT_EQ(BurningSonderObjCount, 4);
}

TEST_F(BrandObjectWater, WaterOffTheMapDoesNothing) {
    const PixelPos off{-300, -300};
    SonderObjs.push_back(Burning(off, 0));
    SonderObjCount = 1;
    BurningSonderObjCount = 1;
    ApplyWasser(static_cast<std::int16_t>(off.x), static_cast<std::int16_t>(off.y), 1000, 0, -1);
    EXPECT_EQ(SonderObjs[0].heat, 500);
    EXPECT_EQ(SonderObjs[0].burning, 1);

    // Row 0 has no row above it to look at.
    light(3, 0, 10);
    const PixelPos top = PointIn(3, 0);
    ApplyWasser(static_cast<std::int16_t>(top.x), static_cast<std::int16_t>(top.y), 1000, 0, -1);
    EXPECT_EQ(cell(3, 0).burning, 0);
}

}  // namespace
}  // namespace kv
