// The world's file formats, each typed by hand from its layout table and read by the game's own
// loader, field by field. Every field holds a value no other field holds, so that two fields
// swapped in the reader (and in the writer alike) show.

#include <gtest/gtest.h>

#include <string>

#include "core/fatal_error.h"
#include "support/golden_bytes.h"
#include "world/data_file.h"
#include "world/house_fixture.h"
#include "world/house_images.h"
#include "world/house_types.h"
#include "world/level_map.h"
#include "world/materials.h"
#include "world/terrain.h"
#include "world/tile_set.h"
#include "world/wall_mask.h"
#include "world/world_fixture.h"

namespace kv {
namespace {

using test::GoldenBytes;

using Bytes = std::vector<std::uint8_t>;

class WorldGolden : public test::HouseTest {};

TEST_F(WorldGolden, LevelFile) {
    GoldenBytes level;
    level.at(0).text("Kestrivon Level V2.08");
    level.at(21).text("Info");
    level.at(25).bytes({0x34, 0x12});              // read past
    level.at(27).bytes({0x02, 0x00, 0x01, 0x00});  // 2 columns, 1 row
    level.at(31).text("Data");
    // Cell (0, 0): tile 0x0203, material 0x85, terrain 7, the two bytes carried along.
    level.at(35).bytes({0x03, 0x02, 0x85, 0x07, 0xEF, 0xBE});
    // Cell (1, 0): a house link.
    level.at(41).bytes({0x12, 0x80, 0x01, 0x0A, 0x5A, 0xA5});
    level.at(47).text("Init");
    level.at(51).bytes({0x01, 0x00});              // one burning cell
    level.at(53).bytes({0x01, 0x00, 0x00, 0x00});  // column 1, row 0
    level.at(57).text("Node");
    level.at(61).bytes({0x01, 0x00});              // one road node
    level.at(63).bytes({0x2C, 0x01, 0xFB, 0xFF});  // x 300, y -5
    // Neighbours: none, node 0, node 7 (not in the graph: none), then none.
    level.at(67).bytes({0xFF, 0xFF, 0x00, 0x00, 0x07, 0x00});
    for (int k = 3; k < 12; ++k) level.bytes({0xFF, 0xFF});
    level.at(91).bytes({10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21});   // edge terrains
    level.at(103).bytes({40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51});  // edge extras
    level.at(115);

    ASSERT_TRUE(LoadLevelMapFromBytes(level, "golden.lev")) << FatalErrorMessage();
    EXPECT_EQ(MapWidth, 2);
    EXPECT_EQ(MapHeight, 1);
    EXPECT_EQ(MapCellCount, 2);
    ASSERT_EQ(MapCells.size(), 2u);
    EXPECT_EQ(MapCells[0].tile, 0x0203);
    EXPECT_EQ(MapCells[0].material, 0x85);
    EXPECT_EQ(MapCells[0].terrain, 7);
    EXPECT_EQ(MapCells[0].extra, 0xBEEF);
    EXPECT_EQ(MapCells[1].tile, 0x8012);
    EXPECT_EQ(MapCells[1].material, 0x01);
    EXPECT_EQ(MapCells[1].terrain, 0x0A);
    EXPECT_EQ(MapCells[1].extra, 0xA55A);
    EXPECT_EQ(BrandStates[0].burning, 0);
    EXPECT_EQ(BrandStates[1].burning, 1);
    EXPECT_EQ(RoadNodeCount, 1);
    EXPECT_EQ(RoadNodeCapacity, 3);
    ASSERT_EQ(RoadNodes.size(), 3u);
    const RoadNode& node = RoadNodes[0];
    EXPECT_EQ(node.x, 300);
    EXPECT_EQ(node.y, -5);
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(node.neighbour[k], k == 1 ? 0 : kNoNode) << k;
        EXPECT_EQ(node.edgeTerrain[k], 10 + k) << k;
        EXPECT_EQ(node.edgeExtra[k], 40 + k) << k;
    }
}

// One tile with its fire and burnt images and animation A from the start, three images, both
// phase blocks.
GoldenBytes TileSetBytes() {
    GoldenBytes set;
    set.at(0).bytes({0x01, 0x00});                                  // one tile
    set.at(2).bytes({0x01, 0x00, 0x02, 0x00});                      // fire image 1, burnt 2
    set.at(6).bytes({0x01, 0x00, 0x02, 0x03, 0x01});                // A: from 1, 2 frames, 3 ticks
    set.at(11).bytes({0x04, 0x05, 0x06, 0x07, 0x00});               // B: 0x0504, 6, 7, none
    set.at(16).bytes({0x03, 0x00});                                 // three images
    set.at(18).bytes({0x04, 0x00, 0x01, 0x00, 46, 2, 0x11, 0x22});  // 1 row: skip 46, copy 2
    set.at(26).bytes({0x02, 0x00, 0x02, 0x00, 48, 48});             // 2 blank rows
    set.at(32).bytes({0x04, 0x00, 0x01, 0x00, 0, 1, 0x33, 47});     // copy 1, skip 47
    set.at(40).bytes({0, 255, 9});                                  // phase A
    set.at(43).bytes({255, 1, 2});                                  // phase B
    set.at(46);
    return set;
}

TEST_F(WorldGolden, TileSetWithPhaseBlocks) {
    level(1, 1);  // one cell of tile 0
    const GoldenBytes bytes = TileSetBytes();
    ASSERT_NE(LoadTileSetFromBytes(bytes, "golden.dat"), nullptr) << FatalErrorMessage();
    ASSERT_EQ(TileTypen.size(), 1u);
    const TileTyp& t = TileTypen[0];
    EXPECT_EQ(t.fireImage, 1);
    EXPECT_EQ(t.burntImage, 2);
    EXPECT_EQ(t.animA.first, 1);
    EXPECT_EQ(t.animA.frames, 2);
    EXPECT_EQ(t.animA.ticks, 3);
    EXPECT_EQ(t.animA.flag, kAnimFromStart);
    EXPECT_EQ(t.animB.first, 0x0504);
    EXPECT_EQ(t.animB.frames, 6);
    EXPECT_EQ(t.animB.ticks, 7);
    EXPECT_EQ(t.animB.flag, 0);
    ASSERT_EQ(TileImages.size(), 3u);
    EXPECT_EQ(TileImages[0].height, 1);
    EXPECT_EQ(TileImages[0].data, (Bytes{46, 2, 0x11, 0x22}));
    EXPECT_EQ(TileImages[1].height, 2);
    EXPECT_EQ(TileImages[1].data, (Bytes{48, 48}));
    EXPECT_EQ(TileImages[2].data, (Bytes{0, 1, 0x33, 47}));
    EXPECT_EQ(CellAnims[0].kind, 1);
    EXPECT_EQ(CellAnims[0].frame, 0) << "phase A of tile 0 is 0: the first frame";

    TileSetData data;
    ByteReader in(bytes);
    ASSERT_TRUE(ReadTileSetData(in, data));
    EXPECT_EQ(data.phaseA, (Bytes{0, 255, 9}));
    EXPECT_EQ(data.phaseB, (Bytes{255, 1, 2}));
}

TEST_F(WorldGolden, HouseFileOfOneFloor) {
    GoldenBytes house;
    house.at(0).text("Kestrivon House V1.03");
    house.at(21).bytes({0x01, 0x00});  // one floor
    house.at(23).text("Info");
    house.at(27).bytes({0x02, 0x00, 0x01, 0x00});  // 2 columns, 1 row
    house.at(31).text("Data");
    // Cell [0][0]: lower, middle and upper pictures, class 3, wall code 10 (south and east),
    // flame sets lower 2, middle 1, upper 16.
    house.at(35).bytes({0x02, 0x01, 0x04, 0x03, 0x06, 0x05, 3, 10, 2, 1, 16});
    // Cell [1][0]: no class, wall code 1 (west), flame sets 6, 3, 1.
    house.at(46).bytes({0x07, 0x00, 0x00, 0x00, 0x08, 0x00, 0, 1, 6, 3, 1});
    house.at(57);

    ASSERT_TRUE(LoadHouseTypFromBytes(18, house, "golden.hlv")) << FatalErrorMessage();
    const HouseTyp& t = HouseTypen[18];
    EXPECT_EQ(t.floors, 1);
    EXPECT_EQ(t.extentI, 2);
    EXPECT_EQ(t.extentJ, 1);
    const HouseCell& a = t.cell(0, 0, 0);
    EXPECT_EQ(a.lowerImage, 0x0102);
    EXPECT_EQ(a.middleImage, 0x0304);
    EXPECT_EQ(a.upperImage, 0x0506);
    EXPECT_EQ(a.material, 3);
    EXPECT_EQ(a.walls, 10);
    EXPECT_EQ(WallMask(a.walls), kWallSouth | kWallEast);
    EXPECT_EQ(a.lowerFlames, 2);
    EXPECT_EQ(a.middleFlames, 1);
    EXPECT_EQ(a.upperFlames, 16);
    const HouseCell& b = t.cell(0, 1, 0);
    EXPECT_EQ(b.lowerImage, 7);
    EXPECT_EQ(b.middleImage, 0);
    EXPECT_EQ(b.upperImage, 8);
    EXPECT_EQ(b.material, 0) << "one cell has a class: the others keep none";
    EXPECT_EQ(WallMask(b.walls), kWallWest);
    EXPECT_EQ(b.lowerFlames, 6);
    EXPECT_EQ(b.middleFlames, 3);
    EXPECT_EQ(b.upperFlames, 1);
}

TEST(WorldGoldenSets, HousePictureSet) {
    GoldenBytes file;
    file.at(0).bytes({0x01, 0x00});  // one record
    // Fire image 1, burnt 0, A from 0x0302 with 4 frames, 5 ticks, flag 6; B from 0x0807, 9, 10,
    // flag 11.
    file.at(2).bytes({0x01, 0x00, 0x00, 0x00, 0x02, 0x03, 4, 5, 6, 0x07, 0x08, 9, 10, 11});
    file.at(16).bytes({0x02, 0x00});                                 // two images
    file.at(18).bytes({0x01, 0x00, 0x01, 0x00, 48});                 // a blank row
    file.at(23).bytes({0x04, 0x00, 0x01, 0x00, 46, 2, 0x11, 0x22});  // skip 46, copy 2
    file.at(31).bytes({0x99});                                       // not read

    HouseImageSet set;
    ByteReader in(file);
    ASSERT_TRUE(ReadHouseImageSet(in, set)) << in.fault().what;
    ASSERT_EQ(set.table.size(), 1u);
    const TileTyp& r = set.table[0];
    EXPECT_EQ(r.fireImage, 1);
    EXPECT_EQ(r.burntImage, 0);
    EXPECT_EQ(r.animA.first, 0x0302);
    EXPECT_EQ(r.animA.frames, 4);
    EXPECT_EQ(r.animA.ticks, 5);
    EXPECT_EQ(r.animA.flag, 6);
    EXPECT_EQ(r.animB.first, 0x0807);
    EXPECT_EQ(r.animB.frames, 9);
    EXPECT_EQ(r.animB.ticks, 10);
    EXPECT_EQ(r.animB.flag, 11);
    ASSERT_EQ(set.images.size(), 2u);
    EXPECT_EQ(set.images[0].height, 1);
    EXPECT_EQ(set.images[0].data, Bytes{48});
    EXPECT_EQ(set.images[1].data, (Bytes{46, 2, 0x11, 0x22}));
}

TEST(WorldGoldenSets, FlameSet) {
    GoldenBytes file;
    file.at(0).bytes({0x02, 0x00});                       // two frames
    file.at(2).bytes({0xCD, 0xAB});                       // not read
    file.at(4).bytes({0x03, 0x00});                       // three ticks
    file.at(6).bytes({0x01, 0x00, 0x01, 0x00, 48});       // one blank row
    file.at(11).bytes({0x02, 0x00, 0x02, 0x00, 48, 48});  // two blank rows
    file.at(17);

    HouseFlameSet set;
    ByteReader in(file);
    ASSERT_TRUE(ReadHouseFlameSet(in, set)) << in.fault().what;
    EXPECT_EQ(set.frames, 2);
    EXPECT_EQ(set.ticks, 3);
    ASSERT_EQ(set.images.size(), 2u);
    EXPECT_EQ(set.images[0].height, 1);
    EXPECT_EQ(set.images[1].height, 2);
    EXPECT_EQ(set.images[1].data, (Bytes{48, 48}));
}

// Text data files: lines end in CR LF, fields in a TAB.
Bytes Text(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

TEST_F(WorldGolden, TerrainFile) {
    const Bytes text = Text(
        "GELAENDE\r\n"
        "\r\n"
        "Nummer\tName\tFarbe\tVerbrannt\tTempo\tWert\r\n"
        "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"  // eleven lines in all
        "2\t3\r\n"                          // two terrains, three movement classes
        "0\tWiese\t-\t1\t100\t80\t-1\t1\t0\t7\r\n"
        "1\tAsche\t-\t65535\t90\t0\t50\t0\t1\t1\r\n");
    DataFile file;
    file.openBytes(text, "terrain.dat");
    ASSERT_TRUE(LoadTerrainFrom(file)) << FatalErrorMessage();
    EXPECT_EQ(TerrainCount, 2);
    EXPECT_EQ(MoveClassCount, 3);
    ASSERT_EQ(TerrainTypen.size(), 2u);
    EXPECT_EQ(TerrainTypen[0].burntTerrain, 1);
    EXPECT_EQ(TerrainTypen[0].speed, (std::vector<std::int8_t>{100, 80, -1}));
    EXPECT_EQ(TerrainTypen[0].value, (std::vector<std::uint16_t>{1, 0, kNoTerrain}))
        << "a terrain the table does not have names none";
    EXPECT_EQ(TerrainTypen[1].burntTerrain, kNoTerrain);
    EXPECT_EQ(TerrainTypen[1].speed, (std::vector<std::int8_t>{90, 0, 50}));
    EXPECT_EQ(TerrainTypen[1].value, (std::vector<std::uint16_t>{0, 1, 1}));
}

TEST_F(WorldGolden, MaterialFile) {
    const Bytes text = Text(
        "MATERIAL\r\n"
        "Klasse\tBrennstoff\tHitze\tZuwachs\tZuendung\tVerlust\r\n"
        "\r\n"
        "Anzahl\t2\r\n"  // the count is the rest of its line
        "0\tHolz\t-\t5000\t800\t20\t300\t7\r\n"
        "1\tStein\t-\t-1\t100\t-1\t-1\t3\r\n");
    DataFile file;
    file.openBytes(text, "material.dat");
    ASSERT_TRUE(LoadMaterialsFrom(file)) << FatalErrorMessage();
    ASSERT_EQ(MaterialCount, 2);
    const Material& wood = Materials[0];
    EXPECT_EQ(wood.fuel, 5000);
    EXPECT_EQ(wood.maxHeat, 800);
    EXPECT_EQ(wood.gain, 20);
    EXPECT_EQ(wood.ignite, 300);
    EXPECT_EQ(wood.loss, 7);
    const Material& stone = Materials[1];
    EXPECT_EQ(stone.fuel, kMaterialUnlimited);
    EXPECT_EQ(stone.maxHeat, 100);
    EXPECT_EQ(stone.gain, kMaterialUnlimited);
    EXPECT_EQ(stone.ignite, kMaterialUnlimited);
    EXPECT_EQ(stone.loss, 3);
}

}  // namespace
}  // namespace kv
