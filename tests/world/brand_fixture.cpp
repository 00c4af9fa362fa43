#include "world/brand_fixture.h"

#include "core/fire_counts.h"
#include "core/random.h"
#include "core/unit_views.h"
#include "movement/befehl_queue.h"
#include "world/house_fixture.h"
#include "world/house_types.h"
#include "world/sonder_obj.h"
#include "world/terrain.h"
#include "world/tile_set.h"
#include "writers/house_writer.h"
#include "writers/level_writer.h"

namespace kv::test {

std::vector<FakeFahrzeug> FakeFahrzeuge;

namespace {

FakeFahrzeug& Fahrzeug(std::int16_t i) {
    return FakeFahrzeuge[static_cast<std::size_t>(i)];
}

}  // namespace

void InstallFakeFahrzeuge() {
    FahrzeugUnits.count = static_cast<std::int16_t>(FakeFahrzeuge.size());
    FahrzeugUnits.head = [](std::int16_t i) { return &Fahrzeug(i).head; };
    FahrzeugUnits.heat = [](std::int16_t i) { return &Fahrzeug(i).heat; };
    FahrzeugUnits.wasserStrahl = [](std::int16_t i) {
        return Fahrzeug(i).hasJet ? &Fahrzeug(i).jet : nullptr;
    };
}

void BrandTest::SetUp() {
    HeadlessTest::SetUp();
    FakeFahrzeuge.clear();
    SeedRandom(1);
    tables();
}

void BrandTest::tables() {
    constexpr std::int32_t kNoLimit = kMaterialUnlimited;
    Materials = {
        {0, 0, 0, kNoLimit, 0},
        {1000000000, 0, 0, kNoLimit, 0},
        {1000000, 20000, 1000, kGrassIgnite, 100},
        {2000000, 30000, 2000, kHouseIgnite, 50},
    };
    MaterialCount = static_cast<std::uint8_t>(Materials.size());
    // Tile 0 has only a fire image, tile 1 a fire animation A, tile 2 a fire animation B.
    TileTypen.assign(3, TileTyp{});
    TileTypen[1].animA = {10, 4, 2, kAnimFire};
    TileTypen[2].animB = {20, 5, 2, kAnimFire};
    // Grass (1) burns into burnt grass (2); road (0) and burnt grass stay.
    TerrainTypen.assign(3, TerrainTyp{});
    TerrainTypen[1].burntTerrain = 2;
    TerrainCount = 3;
}

void BrandTest::TearDown() {
    for (FakeFahrzeug& v : FakeFahrzeuge) DiscardBefehle(v.head);
    FakeFahrzeuge.clear();
    HeadlessTest::TearDown();
}

void BrandTest::map(int width, int height) {
    sampledata::LevelFile level = SmallLevel(width, height);
    ASSERT_TRUE(LoadLevelMapFromBytes(sampledata::WriteLevelFile(level), "level"));
    for (BrandState& s : BrandStates) s.fuel = Materials[kGrass].fuel;
}

void BrandTest::houses(int floors, int extentI, int extentJ, const std::vector<CellPos>& at,
                       std::uint8_t material) {
    const auto bytes = sampledata::WriteHouseFile(BoxHouse(extentI, extentJ, floors, material));
    FreeHouseTyp(kBoxHouseTyp);
    ASSERT_TRUE(LoadHouseTypFromBytes(kBoxHouseTyp, bytes, "box"));
    HouseCount = static_cast<std::int16_t>(at.size());
    InitHouseList();
    for (const CellPos& p : at)
        AddHouse(kBoxHouseTyp, static_cast<std::int16_t>(p.column),
                 static_cast<std::int16_t>(p.row), 0, 0, 0);
    for (std::size_t n = 0; n < at.size(); ++n) {
        PrepareHouse(static_cast<int>(n));
        for (HouseFloor& f : Houses[n].floors)
            for (auto& column : f.brand)
                for (BrandState& s : column) s.fuel = Materials[material].fuel;
    }
}

BrandState& BrandTest::cell(int column, int row) {
    return BrandStates[static_cast<std::size_t>(CellIndex(column, row))];
}

BrandState& BrandTest::houseCell(int house, int floor, int i, int j) {
    return Houses[static_cast<std::size_t>(house)]
        .floors[static_cast<std::size_t>(floor)]
        .brand[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
}

CellAnim& BrandTest::anim(int column, int row) {
    return CellAnims[static_cast<std::size_t>(CellIndex(column, row))];
}

void BrandTest::light(int column, int row, std::int32_t heat) {
    BrandState& s = cell(column, row);
    s.burning = 1;
    s.heat = heat;
    ++BurningCellCount;
}

void BrandTest::lightHouseCell(int house, int floor, int i, int j, std::int32_t heat) {
    BrandState& s = houseCell(house, floor, i, j);
    s.burning = 1;
    s.heat = heat;
    House& h = Houses[static_cast<std::size_t>(house)];
    ++h.burningCells;
    if (h.burning == 0) {
        h.burning = 1;
        ++BurningHouseCount;
    }
}

void BrandTest::expectCountsMatch() {
    int cells = 0;
    for (std::size_t n = 0; n < BrandStates.size(); ++n)
        if (BrandStates[n].burning != 0) ++cells;
    int burningHouses = 0;
    for (const House& h : Houses) {
        int burning = 0;
        for (const HouseFloor& f : h.floors)
            for (const auto& column : f.brand)
                for (const BrandState& s : column) burning += s.burning != 0;
        EXPECT_EQ(h.burningCells, burning);
        EXPECT_EQ(h.burning != 0, burning > 0);
        burningHouses += burning > 0;
    }
    int objects = 0;
    for (std::int32_t n = 0; n < SonderObjCount; ++n)
        if (const SonderObj* o = SonderObjAt(n); o != nullptr && o->type != -1)
            objects += o->burning != 0;
    EXPECT_EQ(BurningCellCount, cells);
    EXPECT_EQ(BurningHouseCount, burningHouses);
    EXPECT_EQ(BurningSonderObjCount, objects);
}

}  // namespace kv::test
