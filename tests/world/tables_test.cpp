// The terrain table and the fire classes.

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "world/materials.h"
#include "world/terrain.h"
#include "world/world_fixture.h"
#include "writers/material_writer.h"
#include "writers/terrain_writer.h"

namespace kv {
namespace {

using sampledata::MaterialRow;
using sampledata::TerrainRow;

class Tables : public test::WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        cwd_ = std::make_unique<test::WorkingDirectory>(cd.path());
    }
    void TearDown() override {
        cwd_.reset();
        WorldTest::TearDown();
    }
    std::unique_ptr<test::WorkingDirectory> cwd_;
};

TEST_F(Tables, MaterialsWidenOnlyMinusOne) {
    const MaterialRow rows[] = {
        {"nicht brennbar", "NB", {0, 0, 0, -1, 100}},
        {"Flugzeug", "FL", {-1, 9000, -2, 2500, -1}},
    };
    writeFile("data/material.dat", sampledata::WriteMaterialFile(rows));
    ASSERT_TRUE(LoadMaterials());
    ASSERT_EQ(MaterialCount, 2);
    EXPECT_EQ(Materials[0].ignite, kMaterialUnlimited);
    EXPECT_EQ(Materials[0].loss, 100);
    EXPECT_EQ(Materials[1].fuel, kMaterialUnlimited);
    EXPECT_EQ(Materials[1].maxHeat, 9000);
    EXPECT_EQ(Materials[1].gain, -2);
    EXPECT_EQ(Materials[1].loss, kMaterialUnlimited) << "the last field reads to the line's end";

    // A class the table does not have neither burns nor ignites.
    EXPECT_EQ(MaterialOf(2).fuel, 0);
    EXPECT_EQ(MaterialOf(2).ignite, kMaterialUnlimited);
    FreeMaterials();
    EXPECT_EQ(MaterialCount, 0);
}

TEST_F(Tables, MissingOrShortFiles) {
    EXPECT_FALSE(LoadMaterials());
    EXPECT_EQ(FatalErrorMessage(), "MATERIAL.TXT not found");
    ResetFatalError();
    EXPECT_FALSE(LoadTerrain());
    EXPECT_EQ(FatalErrorMessage(), "TERRAIN.TXT not found");

    ResetFatalError();
    cd.write("data/material.dat", "a\r\nb\r\nc\r\n3\r\n0\tx\ty\t1\t2\t3\t4\t5\r\n");
    EXPECT_FALSE(LoadMaterials());
    EXPECT_EQ(FatalErrorMessage(), kDataFileTooShort);
    EXPECT_TRUE(Materials.empty());
}

TEST_F(Tables, TerrainRowsAndTheirNumbers) {
    std::vector<TerrainRow> rows = {
        {"Strasse", "S", -1, {100, 90, -1}, {-1, -1, -1}},
        {"Feld", "A", 2, {40, 70, 0}, {2, -1, 7}},  // trampled into row 2 and row 7
        {"Verbranntes Feld", "VF", 9, {45, 80, 0}, {-1, -1, -1}},
    };
    writeFile("data/terrain.dat", sampledata::WriteTerrainFile(rows, 3));
    ASSERT_TRUE(LoadTerrain());
    ASSERT_EQ(TerrainCount, 3);
    ASSERT_EQ(MoveClassCount, 3);
    EXPECT_EQ(TerrainSpeed(0, 0), 100);
    EXPECT_EQ(TerrainSpeed(0, 2), -1);
    EXPECT_EQ(TerrainSpeed(1, 1), 70);
    EXPECT_EQ(TerrainTypen[0].burntTerrain, kNoTerrain);
    EXPECT_EQ(TerrainTypen[1].burntTerrain, 2);
    EXPECT_EQ(TerrainValue(1, 0), 2);
    // Rows the table does not have name none.
    EXPECT_EQ(TerrainTypen[2].burntTerrain, kNoTerrain);
    EXPECT_EQ(TerrainValue(1, 2), kNoTerrain);
    EXPECT_EQ(TerrainSpeed(3, 0), -1);
    EXPECT_EQ(TerrainSpeed(0, 3), -1);
    EXPECT_EQ(TerrainValue(200, 0), kNoTerrain);

    FreeTerrain();
    EXPECT_TRUE(TerrainTypen.empty());
    EXPECT_EQ(TerrainCount, 0);
}

}  // namespace
}  // namespace kv
