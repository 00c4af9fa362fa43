// Mission 1's world as the generated sample data holds it.

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "generate/world_tables.h"
#include "world/level_map.h"
#include "world/materials.h"
#include "world/terrain.h"
#include "world/tile_set.h"
#include "world/world_fixture.h"

namespace kv {
namespace {

namespace terrain = sampledata::terrain;
namespace move_class = sampledata::move_class;

class SampleWorld : public test::WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        CdPath.clear();  // the tree is its own CD directory
        cwd_ = std::make_unique<test::WorkingDirectory>(KV_SAMPLEDATA_DIR);
    }
    void TearDown() override {
        cwd_.reset();
        WorldTest::TearDown();
    }
    static const MapCell& at(int x, int y) {
        const CellPos p = CellFromPixel(x, y);
        return MapCells[static_cast<std::size_t>(CellIndex(p.column, p.row))];
    }
    std::unique_ptr<test::WorkingDirectory> cwd_;
};

TEST_F(SampleWorld, MissionOneLoads) {
    ASSERT_TRUE(LoadLevelMap(1, 0));
    ASSERT_TRUE(LoadTileSet(1, 0));
    ASSERT_TRUE(LoadTerrain());
    ASSERT_TRUE(LoadMaterials());
    EXPECT_FALSE(FatalErrorRaised());

    EXPECT_EQ(MapWidth, 121);
    EXPECT_EQ(MapHeight, 38);
    EXPECT_GE(TerrainCount, 77);  // missions name rows 55, 62 and 76
    EXPECT_EQ(MoveClassCount, move_class::kCount);
    for (const MapCell& c : MapCells) {
        EXPECT_LT(c.terrain, TerrainCount);
        EXPECT_LT(c.material & kMaterialClassMask, MaterialCount);
    }

    // The road crosses the whole map between y 475 and 585, its graph along the middle.
    const int right = MapWidth * 32 - MapHeight * 16;
    for (int x = 0; x < right; x += 16) {
        EXPECT_EQ(at(x, 500).terrain, terrain::kRoad) << x;
        EXPECT_EQ(at(x, 560).terrain, terrain::kRoad) << x;
    }
    EXPECT_NE(at(600, 440).terrain, terrain::kRoad);
    EXPECT_NE(at(600, 620).terrain, terrain::kRoad);
    ASSERT_GE(RoadNodeCount, 2);
    for (int i = 0; i < RoadNodeCount; ++i) {
        const RoadNode& n = RoadNodes[static_cast<std::size_t>(i)];
        EXPECT_EQ(at(n.x, n.y).terrain, terrain::kRoad);
        if (i + 1 < RoadNodeCount) {
            EXPECT_EQ(n.neighbour[3], i + 1) << "east";
            EXPECT_EQ(RoadNodes[static_cast<std::size_t>(i + 1)].neighbour[9], i) << "west";
            EXPECT_EQ(n.edgeTerrain[3], terrain::kRoad);
        }
    }
    EXPECT_LE(RoadNodes[0].x, 16);
    EXPECT_GE(RoadNodes[static_cast<std::size_t>(RoadNodeCount - 1)].x, right - 22);

    EXPECT_EQ(at(1300, 650).terrain, terrain::kMeadow);
    EXPECT_EQ(at(1690, 890).terrain, terrain::kMeadow);
    EXPECT_GT(MaterialOf(at(1500, 760).material & kMaterialClassMask).fuel, 0) << "grass burns";
    EXPECT_EQ(MaterialOf(at(900, 530).material & kMaterialClassMask).fuel, 0) << "asphalt not";
}

TEST_F(SampleWorld, TerrainSuitsEveryMover) {
    ASSERT_TRUE(LoadTerrain());
    EXPECT_EQ(TerrainSpeed(terrain::kRoad, move_class::kPerson), 100);
    EXPECT_GT(TerrainSpeed(terrain::kRoad, 0), 0);
    EXPECT_LE(TerrainSpeed(terrain::kWater, move_class::kPerson), 0) << "no wading";
    EXPECT_LE(TerrainSpeed(terrain::kWater, 0), 0);
    EXPECT_GT(TerrainSpeed(terrain::kLake, move_class::kFirstBoat), 0);
    EXPECT_LE(TerrainSpeed(terrain::kRoad, move_class::kFirstBoat), 0);
    EXPECT_GT(TerrainSpeed(terrain::kTrees, move_class::kPerson), 0);
    EXPECT_LE(TerrainSpeed(terrain::kTrees, 0), 0);
    EXPECT_EQ(TerrainTypen[terrain::kGrass].burntTerrain, terrain::kBurntGrass);
    EXPECT_EQ(TerrainTypen[terrain::kTrees].burntTerrain, terrain::kBurntForest);
    for (int c = 0; c < MoveClassCount; ++c)
        EXPECT_GT(TerrainSpeed(terrain::kTrack, c), c == 9 || c == 10 ? -2 : 0) << c;
}

}  // namespace
}  // namespace kv
