// The fire model: its tables, spread, ignition, burn-out, flames, set-up and determinism.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <span>
#include <string>
#include <utility>

#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/mission_hooks.h"
#include "core/random.h"
#include "mission/game_state.h"
#include "world/brand_fixture.h"
#include "world/furniture.h"
#include "world/house_images.h"
#include "world/terrain.h"
#include "world/tile_set.h"
#include "world/world_fixture.h"
#include "writers/level_writer.h"
#include "writers/material_writer.h"

namespace kv {
namespace {

using test::BrandTest;
using test::kGrass;
using test::kGrassIgnite;
using test::kHouseIgnite;
using test::kSink;

constexpr int kDivisorByDistance[] = {0, 2, 4, 16, 256};

TEST(BrandTables, EveryCellOneToFourAwayOnceWithItsDivisor) {
    std::set<std::pair<int, int>> spread;
    for (const auto& phase : BrandSpreadTable)
        for (const BrandSpread& e : phase) {
            const int d = std::abs(e.dcolumn) + std::abs(e.drow);
            ASSERT_GE(d, 1);
            ASSERT_LE(d, 4);
            EXPECT_EQ(e.divisor, kDivisorByDistance[d]) << e.dcolumn << "," << e.drow;
            EXPECT_TRUE(spread.insert({e.dcolumn, e.drow}).second) << e.dcolumn << "," << e.drow;
        }
    EXPECT_EQ(spread.size(), 40u);

    std::set<std::pair<int, int>> water;
    for (std::size_t n = 0; n < WasserSpreadTable.size(); ++n) {
        const BrandSpread& e = WasserSpreadTable[n];
        water.insert({e.dcolumn, e.drow});
        EXPECT_EQ(e.divisor, kDivisorByDistance[std::abs(e.dcolumn) + std::abs(e.drow)]);
        if (n == 0) continue;
        const BrandSpread& before = WasserSpreadTable[n - 1];
        EXPECT_TRUE(before.drow < e.drow || (before.drow == e.drow && before.dcolumn < e.dcolumn))
            << "row order at " << n;
    }
    EXPECT_EQ(water, spread);
    EXPECT_EQ(WasserSpreadTable.front().drow, -4);
    EXPECT_EQ(WasserSpreadTable.back().drow, 4);

    constexpr int kColumns[] = {-4, -3, -2, -1, 1, 2, 3, 4};
    for (std::size_t n = 0; n < HouseWasserTable.size(); ++n) {
        EXPECT_EQ(HouseWasserTable[n].dcolumn, kColumns[n]);
        EXPECT_EQ(HouseWasserTable[n].drow, 0);
        EXPECT_EQ(HouseWasserTable[n].divisor, kDivisorByDistance[std::abs(kColumns[n])]);
    }
}

// Cells of the sink class never ignite, gain nothing and keep what they get.
void AllSink() {
    for (MapCell& m : MapCells) m.material = kMaterialUnburnt | kSink;
    for (BrandState& s : BrandStates) s.fuel = Materials[kSink].fuel;
}

TEST_F(BrandTest, PhaseZeroReachesTheCellsTwoApartAndNotTheNextOnes) {
    map(9, 9);
    AllSink();
    constexpr std::int32_t kHeat = 1 << 20;
    light(4, 4, kHeat);
    BrandPhase = 0;
    UpdateBrand();
    for (int column = 0; column < 9; ++column)
        for (int row = 0; row < 9; ++row) {
            const int dc = std::abs(column - 4);
            const int dr = std::abs(row - 4);
            std::int32_t expected = 0;
            if (dc + dr == 0) expected = kHeat;
            if (dc + dr == 2 && (dc == 0 || dr == 0)) expected = kHeat / 4;
            if (dc == 2 && dr == 2) expected = kHeat / 256;
            EXPECT_EQ(cell(column, row).heat, expected) << column << "," << row;
        }
    expectCountsMatch();
}

TEST_F(BrandTest, MapCellsIgniteAboveTheThresholdHouseCellsAtIt) {
    struct Case {
        bool house;
        std::uint8_t material;
        std::int32_t heat;
        bool ignites;
    };
    const Case cases[] = {
        {false, kGrass, kGrassIgnite - 1, false},
        {false, kGrass, kGrassIgnite, false},
        {false, kGrass, kGrassIgnite + 1, true},
        {true, test::kHouseClass, kHouseIgnite - 1, false},
        {true, test::kHouseClass, kHouseIgnite, true},
        // A class without an ignition limit never ignites, even at the highest heat.
        {true, kSink, kMaterialUnlimited, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "house " << c.house << " heat " << c.heat);
        map(6, 6);
        houses(1, 2, 2, {{3, 3}}, c.material);
        BrandState& s = c.house ? houseCell(0, 0, 0, 0) : cell(1, 1);
        if (c.house) {
            s.heat = c.heat;
            CheckCellIgnition(0, 0, 0, 0);
        } else {
            s.heat = c.heat - 1;
            PassHeatToMapCell(1, 1, 1);
        }
        EXPECT_EQ(s.burning != 0, c.ignites);
        if (c.ignites) {
            EXPECT_EQ(s.heat, 0);
        }
        expectCountsMatch();
        ResetFireCounts();
    }
}

TEST_F(BrandTest, HouseFloorsHeatEachOtherOnlyInPhaseZero) {
    map(12, 8);
    houses(3, 2, 2, {{2, 2}}, kSink);
    constexpr std::int32_t kHeat = 1 << 20;
    lightHouseCell(0, 2, 0, 0, kHeat);
    for (int phase = 1; phase < kBrandPhases; ++phase) {
        BrandPhase = static_cast<std::int16_t>(phase);
        UpdateBrand();
    }
    EXPECT_EQ(houseCell(0, 1, 0, 0).heat, 0);
    EXPECT_EQ(houseCell(0, 0, 0, 0).heat, 0);
    BrandPhase = 0;
    UpdateBrand();
    EXPECT_EQ(houseCell(0, 1, 0, 0).heat, kHeat / 4);
    EXPECT_EQ(houseCell(0, 0, 0, 0).heat, kHeat / 256);
    expectCountsMatch();
}

TEST_F(BrandTest, FireFromAnotherHouseIsDividedByItsSpreadDivisor) {
    map(12, 8);
    // Two houses 4 x 2 side by side: (2, 0) of the left one is two cells from (0, 0) of both.
    houses(1, 4, 2, {{0, 2}, {4, 2}}, kSink);
    ASSERT_EQ(HouseTypen[test::kBoxHouseTyp].spreadDivisor, 2);
    constexpr std::int32_t kHeat = 1 << 20;
    lightHouseCell(0, 0, 2, 0, kHeat);
    BrandPhase = 0;
    UpdateBrand();
    EXPECT_EQ(houseCell(0, 0, 0, 0).heat, kHeat / 4);
    EXPECT_EQ(houseCell(1, 0, 0, 0).heat, kHeat / 8);
    // The ground floor heats the plain map cells around it too: the grass there catches fire.
    EXPECT_EQ(cell(2, 4).burning, 1);
    expectCountsMatch();
}

TEST_F(BrandTest, MapCellBurnsOutAndStillSpreads) {
    map(9, 9);
    light(2, 2, 100);
    cell(2, 2).fuel = 50;
    // Heat left by earlier fires: the spread of the cell that burns out lights it.
    cell(4, 2).heat = kGrassIgnite + 1;
    // A burnt successor the terrain table does not have leaves the terrain.
    light(6, 6, 100);
    cell(6, 6).fuel = 50;
    MapCells[static_cast<std::size_t>(CellIndex(6, 6))].terrain = 0;
    TerrainTypen[0].burntTerrain = 200;
    BrandPhase = 0;
    UpdateBrand();

    const BrandState& s = cell(2, 2);
    EXPECT_EQ(s.burning, 0);
    EXPECT_EQ(s.fuel, 0);
    EXPECT_EQ(s.heat, 0);
    const MapCell& m = MapCells[static_cast<std::size_t>(CellIndex(2, 2))];
    EXPECT_EQ(m.material, kGrass) << "the unburnt bit is cleared";
    EXPECT_EQ(m.terrain, 2) << "grass burns into burnt grass";
    EXPECT_EQ(anim(2, 2).kind, 4);
    EXPECT_EQ(cell(4, 2).burning, 1);
    EXPECT_EQ(MapCells[static_cast<std::size_t>(CellIndex(6, 6))].terrain, 0);
    EXPECT_EQ(BurningCellCount, 1);
    expectCountsMatch();
}

TEST_F(BrandTest, CoolingStopsAtZeroAndLeavesColdCellsCold) {
    map(5, 5);
    cell(1, 1).heat = 150;
    cell(2, 2).heat = -500;
    UpdateBrand();
    EXPECT_EQ(cell(1, 1).heat, 50);
    UpdateBrand();
    EXPECT_EQ(cell(1, 1).heat, 0);
    EXPECT_EQ(cell(2, 2).heat, -500) << "heat below 0 left by water stays";
}

TEST_F(BrandTest, HouseCellBurnsOutWithItsFurniture) {
    map(6, 6);
    houses(1, 2, 2, {{1, 1}});
    HouseObjTypen[0].burningSlot = 1;
    HouseObjTypen[1].burntSlot = 2;
    HouseObj piece;
    piece.slot = 1;
    piece.burning = 1;
    HouseObjs = {piece};
    HouseObjCount = 1;
    Houses[0].floors[0].objIndex[1][0] = 0;
    lightHouseCell(0, 0, 1, 0, 100);
    houseCell(0, 0, 1, 0).fuel = 50;
    UpdateBrand();

    const BrandState& s = houseCell(0, 0, 1, 0);
    EXPECT_EQ(s.burning, 0);
    EXPECT_EQ(s.fuel, 0);
    EXPECT_EQ(s.heat, 0);
    EXPECT_EQ(HouseObjs[0].burning, 0);
    EXPECT_EQ(HouseObjs[0].slot, 2);
    for (const auto& layer : Houses[0].floors[0].flames) EXPECT_EQ(layer[1][0].kind, kFlameBurnt);
    EXPECT_EQ(Houses[0].burningCells, 0);
    EXPECT_EQ(Houses[0].burning, 0);
    EXPECT_EQ(BurningHouseCount, 0);
    expectCountsMatch();
}

TEST_F(BrandTest, IgnitionLightsFurnitureAndCountsTheHouseOnce) {
    map(6, 6);
    houses(1, 2, 2, {{1, 1}});
    HouseObjTypen[0].burningSlot = 1;
    HouseObjs = {HouseObj{}};
    HouseObjs[0].slot = 0;
    HouseObjCount = 1;
    Houses[0].floors[0].objIndex[0][1] = 0;
    houseCell(0, 0, 0, 1).heat = kHouseIgnite;
    houseCell(0, 0, 1, 1).heat = kHouseIgnite;
    CheckCellIgnition(0, 0, 0, 1);
    CheckCellIgnition(0, 0, 1, 1);
    CheckCellIgnition(0, 0, 1, 1);  // burning already: nothing
    CheckCellIgnition(0, 1, 0, 0);  // no such floor
    CheckCellIgnition(0, 0, 2, 0);  // outside the type
    EXPECT_EQ(HouseObjs[0].burning, 1);
    EXPECT_EQ(HouseObjs[0].slot, 1);
    EXPECT_EQ(Houses[0].burningCells, 2);
    EXPECT_EQ(BurningHouseCount, 1);
    expectCountsMatch();
}

TEST_F(BrandTest, AForcedIgnitionLightsWhatHasFuel) {
    map(6, 6);
    houses(1, 2, 2, {{3, 3}});
    cell(1, 1).heat = 700;
    EXPECT_TRUE(IgniteMapCellAt(1, 1));
    EXPECT_EQ(cell(1, 1).burning, 1);
    EXPECT_EQ(cell(1, 1).heat, 0);
    EXPECT_NE(anim(1, 1).kind, 0) << "it shows its fire";
    EXPECT_TRUE(IgniteMapCellAt(1, 1)) << "burning already: still burning, counted once";
    EXPECT_EQ(BurningCellCount, 1);

    cell(2, 1).fuel = 0;
    EXPECT_FALSE(IgniteMapCellAt(2, 1)) << "no fuel, no fire";
    EXPECT_FALSE(IgniteMapCellAt(6, 1));
    EXPECT_FALSE(IgniteMapCellAt(1, -1));

    // A cell of the house lights the ground-floor house cell it links to.
    std::size_t linked = MapCells.size();
    for (std::size_t n = 0; n < MapCells.size() && linked == MapCells.size(); ++n)
        if (MapCells[n].tile >= kHouseLinkBase) linked = n;
    ASSERT_LT(linked, MapCells.size());
    const int column = static_cast<int>(linked) / MapHeight;
    const int row = static_cast<int>(linked) % MapHeight;
    const HouseLinkTarget target = DecodeHouseLink(MapCells[linked].tile);
    EXPECT_TRUE(IgniteMapCellAt(column, row));
    EXPECT_EQ(houseCell(0, 0, target.i, target.j).burning, 1);
    EXPECT_EQ(BrandStates[linked].burning, 0) << "the map cell has no fire of its own";
    EXPECT_EQ(BurningHouseCount, 1);
    expectCountsMatch();
}

TEST_F(BrandTest, FlameLayersFollowTheCellsFlameSets) {
    map(6, 6);
    houses(1, 2, 2, {{1, 1}});
    LowerFlameSets[0].frames = 3;
    LowerFlameSets[1].frames = 0;  // a set without frames starts at frame 0
    MiddleFlameSets[0].frames = 2;
    UpperFlameSets[15].frames = 7;
    struct Case {
        std::uint8_t lower, middle, upper;
        std::uint8_t kinds[4];
    };
    const Case cases[] = {
        {0, 0, 0, {3, 3, 3, 3}}, {1, 1, 16, {5, 5, 20, 3}}, {2, 0, 0, {6, 3, 3, 3}},
        {7, 1, 1, {0, 0, 0, 0}}, {1, 4, 1, {5, 0, 0, 0}},   {1, 1, 17, {5, 5, 0, 0}},
    };
    const std::uint8_t frames[4] = {3, 2, 7, 1};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << int(c.lower) << " " << int(c.middle) << " " << int(c.upper));
        HouseCell& type = HouseTypen[test::kBoxHouseTyp].cell(0, 0, 0);
        type.lowerFlames = c.lower;
        type.middleFlames = c.middle;
        type.upperFlames = c.upper;
        for (auto& layer : Houses[0].floors[0].flames) layer[0][0] = CellAnim{};
        StartCellFlames(0, 0, 0, 0);
        for (int l = 0; l < kFlameLayers; ++l) {
            const CellAnim& a = Houses[0].floors[0].flames[static_cast<std::size_t>(l)][0][0];
            EXPECT_EQ(a.kind, c.kinds[l]) << "layer " << l;
            if (a.kind >= kFlameFirstSet) {
                EXPECT_LT(a.frame, frames[l]);
            }
            if (c.lower == 2 && l == kFlameLower) {
                EXPECT_EQ(a.frame, 0);
            }
        }
    }
}

TEST_F(BrandTest, IgniteLookByTheTilesFireAnimation) {
    map(4, 4);
    struct Case {
        std::uint16_t tile;
        std::uint8_t kind;
        std::uint8_t frames;
    };
    const Case cases[] = {{0, 3, 0}, {1, 1, 4}, {2, 2, 5}, {7, 3, 0}};
    for (const Case& c : cases) {
        MapCells[0].tile = c.tile;
        CellAnims[0] = CellAnim{0, 200, 9};
        SetIgniteLook(0);
        EXPECT_EQ(CellAnims[0].kind, c.kind) << c.tile;
        if (c.frames > 0) {
            EXPECT_LT(CellAnims[0].frame, c.frames);
            EXPECT_EQ(CellAnims[0].tick, 0);
        } else {
            EXPECT_EQ(CellAnims[0].frame, 200) << "the fire image keeps frame and tick";
        }
    }
}

void WriteMaterials(const test::ScratchDir& dir, std::span<const sampledata::MaterialRow> rows) {
    const auto bytes = sampledata::WriteMaterialFile(rows);
    dir.write("data/material.dat", std::string(bytes.begin(), bytes.end()));
}

TEST_F(BrandTest, InitBrandSetsFuelAndCountsTheFiresWhereTheyBurn) {
    const test::ScratchDir dir;
    const test::WorkingDirectory cwd(dir.path());
    const sampledata::MaterialRow rows[] = {
        {"nichts", "N", {0, 0, 0, -1, 0}},
        {"senke", "S", {1000000000, 0, 0, -1, 0}},
        {"gras", "G", {1234, 20000, 1000, kGrassIgnite, 100}},
        {"haus", "H", {5678, 30000, 2000, kHouseIgnite, 50}},
    };
    WriteMaterials(dir, rows);

    sampledata::LevelFile level = test::SmallLevel(10, 8);
    level.burning = {{1, 1}, {5, 3}};  // (5, 3) will be a cell of the house
    ASSERT_TRUE(LoadLevelMapFromBytes(sampledata::WriteLevelFile(level), "level"));
    houses(2, 3, 2, {{4, 2}});
    UpperFlameSets[0].frames = 1;
    MissionHookRows[0].InitBrand = [] {
        Houses[0].floors[1].brand[2][0].burning = 1;
        Houses[0].floors[1].brand[2][0].heat = 77;  // the hook sets only the flag that counts
    };
    BurningCellCount = 9;  // left from an earlier part
    ASSERT_TRUE(InitBrand(1));

    EXPECT_EQ(cell(0, 0).fuel, 1234);
    EXPECT_EQ(houseCell(0, 0, 0, 0).fuel, 5678);
    EXPECT_EQ(cell(1, 1).burning, 1);
    EXPECT_EQ(anim(1, 1).kind, 3);
    // The lit map cell under the house burns as a map cell, with its own grass, not the house.
    EXPECT_EQ(cell(5, 3).burning, 1);
    EXPECT_EQ(cell(5, 3).fuel, 1234);
    EXPECT_EQ(anim(5, 3).kind, 3);
    EXPECT_EQ(houseCell(0, 0, 1, 1).burning, 0);
    EXPECT_EQ(houseCell(0, 1, 2, 0).burning, 1);
    EXPECT_EQ(BurningCellCount, 2);
    EXPECT_EQ(Houses[0].burningCells, 1);
    EXPECT_EQ(BurningHouseCount, 1);
    expectCountsMatch();

    EXPECT_FALSE(InitBrand(2));
    EXPECT_EQ(FatalErrorMessage(), "InitBrand not defined");
}

TEST_F(BrandTest, InitBrandStartsHouseFlamesColumnByColumn) {
    const test::ScratchDir dir;
    const test::WorkingDirectory cwd(dir.path());
    const sampledata::MaterialRow rows[] = {{"nichts", "N", {0, 0, 0, -1, 0}}};
    WriteMaterials(dir, rows);
    map(8, 8);
    houses(1, 2, 2, {{2, 2}});
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) HouseTypen[test::kBoxHouseTyp].cell(0, i, j).lowerFlames = 1;
    LowerFlameSets[0].frames = 200;
    MissionHookRows[0].InitBrand = [] {
        Houses[0].floors[0].brand[0][1].burning = 1;
        Houses[0].floors[0].brand[1][0].burning = 1;
    };
    SeedRandom(99);
    const int first = Rand() % 200;
    const int second = Rand() % 200;
    SeedRandom(99);
    ASSERT_TRUE(InitBrand(1));
    EXPECT_EQ(Houses[0].floors[0].flames[kFlameLower][0][1].frame, first);
    EXPECT_EQ(Houses[0].floors[0].flames[kFlameLower][1][0].frame, second);
}

class BrandDeterminism : public BrandTest {
  protected:
    void scene() {
        map(16, 12);
        for (std::size_t n = 0; n < MapCells.size(); ++n) MapCells[n].tile = n % 3;
        houses(3, 4, 3, {{6, 4}});
        for (int f = 0; f < 3; ++f)
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 3; ++j) {
                    HouseCell& c = HouseTypen[test::kBoxHouseTyp].cell(f, i, j);
                    c.lowerFlames = static_cast<std::uint8_t>(1 + (i + j) % 6);
                    c.middleFlames = static_cast<std::uint8_t>(1 + i % 3);
                    c.upperFlames = static_cast<std::uint8_t>(1 + (i * 3 + j) % 16);
                }
        for (auto& s : LowerFlameSets) s.frames = 5;
        for (auto& s : MiddleFlameSets) s.frames = 4;
        for (auto& s : UpperFlameSets) s.frames = 6;
        light(1, 1, 0);
        light(14, 10, 0);
        lightHouseCell(0, 2, 1, 1, 0);
        BrandPhase = 0;
    }
    // A scene with map fires, a burning house with flames, water now and then, and the phases
    // stepping; everything the fire model keeps, as bytes.
    std::vector<std::uint8_t> run(int ticks) {
        SeedRandom(2026);
        for (int n = 0; n < ticks; ++n) {
            UpdateBrand();
            ApplyBrandDamage();
            if (n % 50 == 25) ApplyWasser(300, 200, 30000, -1, -1);
            BrandPhase = static_cast<std::int16_t>((BrandPhase + 1) % kBrandPhases);
            if (::testing::Test::HasFailure()) break;
            expectCountsMatch();
        }
        ByteWriter out;
        for (const BrandState& s : BrandStates) WriteRecord(out, s);
        for (const CellAnim& a : CellAnims) WriteRecord(out, a);
        for (const MapCell& m : MapCells) WriteRecord(out, m);
        for (const House& h : Houses)
            for (const HouseFloor& f : h.floors) WriteRecord(out, f);
        out.i16(BurningCellCount);
        out.i16(BurningHouseCount);
        out.i16(BrandPhase);
        out.u32(static_cast<std::uint32_t>(Rand()));
        return out.take();
    }
};

TEST_F(BrandDeterminism, FiveHundredTicksTwiceGiveTheSameState) {
    scene();
    const auto first = run(500);
    ASSERT_FALSE(HasFailure());
    ResetGameState();
    tables();
    scene();
    const auto second = run(500);
    EXPECT_EQ(first, second);
    // The scene did burn: fires spread, some burnt out.
    int burnt = 0;
    for (const CellAnim& a : CellAnims) burnt += a.kind == 4;
    EXPECT_GT(burnt, 10);
}

}  // namespace
}  // namespace kv
