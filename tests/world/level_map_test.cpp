#include "world/level_map.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/record_offsets.h"

#include <map>

#include "core/fatal_error.h"
#include "world/world_fixture.h"
#include "writers/level_writer.h"

namespace kv {
namespace {

using sampledata::LevelFile;
using sampledata::WriteLevelFile;

TEST(CellFromPixel, RowAndColumnEdges) {
    struct Case {
        int x, y;
        CellPos cell;
    };
    const int c = 4, r = 3;
    const Case cases[] = {
        {32 * c - 16 * r, 28 * r, {c, r}},                 // top-left corner of the cell
        {32 * c - 16 * r - 1, 28 * r, {c - 1, r}},         // one left of it
        {32 * c - 16 * r + 31, 28 * r, {c, r}},            // last pixel of the top line
        {32 * c - 16 * r + 32, 28 * r, {c + 1, r}},        // first of the next cell
        {32 * c - 16 * r - 16, 28 * r + 27, {c, r}},       // bottom line starts 16 further left
        {32 * c - 16 * r - 16, 28 * (r + 1), {c, r + 1}},  // one down: the row below
        {32 * c - 16 * r - 17, 28 * r + 27, {c - 1, r}},
        {0, -1, {0, -1}},  // above the map: a row above it, never row 0
        {0, -28, {-1, -1}},
        {0, -29, {-1, -2}},
    };
    for (const Case& k : cases)
        EXPECT_EQ(CellFromPixel(k.x, k.y), k.cell) << "pixel " << k.x << ", " << k.y;
}

TEST(CellFromPixel, AgreesWithTheOutlineOnEveryPixel) {
    // Each pixel of a window lies in exactly one cell outline, and that cell is the one
    // CellFromPixel names.
    std::map<std::pair<int, int>, std::vector<CellPos>> owners;
    for (int c = -3; c < 9; ++c)
        for (int r = -2; r < 6; ++r)
            for (int t = 0; t < kCellHeight; ++t) {
                const int x0 = CellLineStartX(c, r, t);
                for (int x = x0; x < x0 + kCellWidth; ++x)
                    owners[{x, kCellHeight * r + t}].push_back({c, r});
            }
    for (int y = -28; y < 5 * kCellHeight; ++y)
        for (int x = 0; x < 6 * kCellWidth; ++x) {
            const auto& cells = owners[{x, y}];
            ASSERT_EQ(cells.size(), 1u) << "pixel " << x << ", " << y;
            ASSERT_EQ(CellFromPixel(x, y), cells[0]) << "pixel " << x << ", " << y;
        }
}

TEST(MapCell, RecordLayouts) {
    test::ExpectLayout<MapCell>(6, {{"tile", 0}, {"material", 2}, {"terrain", 3}, {"extra", 4}});
    test::ExpectLayout<CellAnim>(3, {{"kind", 0}, {"frame", 1}, {"tick", 2}});
    test::ExpectLayout<BrandState>(9, {{"fuel", 0}, {"heat", 4}, {"burning", 8}});
    test::ExpectLayout<RoadNode>(
        52, {{"x", 0}, {"y", 2}, {"neighbour", 4}, {"edgeTerrain", 28}, {"edgeExtra", 40}});

    const std::vector<std::uint8_t> bytes{0x34, 0x12, 0x85, 0x4C, 0xEF, 0xBE};
    ByteReader in(bytes);
    const auto back = ReadRecord<MapCell>(in);
    EXPECT_EQ(back.tile, 0x1234);
    EXPECT_EQ(back.material, 0x85);
    EXPECT_EQ(back.terrain, 0x4C);
    EXPECT_EQ(back.extra, 0xBEEF);
    ByteWriter out;
    WriteRecord(out, back);
    EXPECT_EQ(out.data(), bytes);
}

class LevelLoad : public test::WorldTest {};

TEST_F(LevelLoad, CellsAreStoredColumnByColumn) {
    LevelFile level = test::SmallLevel(4, 3);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 3; ++r)
            level.cells[static_cast<std::size_t>(c * 3 + r)].tile =
                static_cast<std::uint16_t>(100 * c + r);
    writeFile("missions/mi01.lev", WriteLevelFile(level));
    ASSERT_TRUE(LoadLevelMap(1, 0));
    EXPECT_EQ(MapWidth, 4);
    EXPECT_EQ(MapHeight, 3);
    EXPECT_EQ(MapCellCount, 12);
    EXPECT_EQ(CellIndex(2, 1) + 1, CellIndex(2, 2));
    EXPECT_EQ(MapCells[static_cast<std::size_t>(CellIndex(2, 1))].tile, 201);
    EXPECT_EQ(MapCells[static_cast<std::size_t>(CellIndex(3, 0))].tile, 300);
    EXPECT_EQ(CellAnims.size(), 12u);
    EXPECT_EQ(BrandStates.size(), 12u);
}

TEST_F(LevelLoad, InitPairsNameCellsByColumnAndRow) {
    LevelFile level = test::SmallLevel(4, 3);
    level.burning = {{1, 2}, {3, 0}, {4, 0}, {0, -1}};  // the last two lie outside the map
    writeFile("missions/mi01.lev", WriteLevelFile(level));
    ASSERT_TRUE(LoadLevelMap(1, 0));
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 3; ++r) {
            const bool lit = (c == 1 && r == 2) || (c == 3 && r == 0);
            EXPECT_EQ(BrandStates[static_cast<std::size_t>(CellIndex(c, r))].burning, lit ? 1 : 0)
                << c << ", " << r;
        }

    level.burning.clear();
    writeFile("missions/mi01.lev", WriteLevelFile(level));
    ASSERT_TRUE(LoadLevelMap(1, 0));
    for (const BrandState& b : BrandStates) EXPECT_EQ(b.burning, 0);
}

TEST_F(LevelLoad, SecondPartFallsBackToTheFirstPartsFile) {
    writeFile("missions/mi05.lev", WriteLevelFile(test::SmallLevel(4, 3)));
    ASSERT_TRUE(LoadLevelMap(5, 1));
    EXPECT_EQ(MapWidth, 4);
    EXPECT_FALSE(FatalErrorRaised());

    writeFile("missions/mi05b.lev", WriteLevelFile(test::SmallLevel(6, 2)));
    ASSERT_TRUE(LoadLevelMap(5, 1));
    EXPECT_EQ(MapWidth, 6);
    ASSERT_TRUE(LoadLevelMap(5, 0));
    EXPECT_EQ(MapWidth, 4);
}

TEST_F(LevelLoad, MissingFileNamesTheResolvedPath) {
    EXPECT_FALSE(LoadLevelMap(7, 1));
    EXPECT_EQ(FatalErrorMessage(), CdPath + "missions\\mi07.lev not found!");
    EXPECT_TRUE(MapCells.empty());
}

TEST_F(LevelLoad, ADifferentVersionIsRefused) {
    LevelFile level = test::SmallLevel(4, 3);
    level.magic = "Kestrivon Level V2.09";
    writeFile("missions/mi01.lev", WriteLevelFile(level));
    EXPECT_FALSE(LoadLevelMap(1, 0));
    EXPECT_EQ(FatalErrorMessage(), CdPath + "missions\\mi01.lev: fileversion corrupt!");
    EXPECT_TRUE(MapCells.empty());
    EXPECT_EQ(MapWidth, 0);
}

TEST_F(LevelLoad, NoNodesStillLeavesTheTwoSpareSlots) {
    writeFile("missions/mi01.lev", WriteLevelFile(test::SmallLevel(4, 3)));
    ASSERT_TRUE(LoadLevelMap(1, 0));
    EXPECT_EQ(RoadNodeCount, 0);
    EXPECT_EQ(RoadNodeCapacity, 2);
    EXPECT_EQ(RoadNodes.size(), 2u);
}

TEST_F(LevelLoad, NeighbourIdsOutsideTheGraphNameNone) {
    LevelFile level = test::SmallLevel(4, 3);
    RoadNode a, b;
    a.neighbour.fill(kNoNode);
    b.neighbour.fill(kNoNode);
    a.neighbour[3] = 1;
    a.neighbour[4] = 2;  // the route search's temporary start node: not the file's to name
    b.neighbour[9] = 0;
    b.neighbour[0] = 700;
    level.nodes = {a, b};
    writeFile("missions/mi01.lev", WriteLevelFile(level));
    ASSERT_TRUE(LoadLevelMap(1, 0));
    ASSERT_EQ(RoadNodeCapacity, 4);
    EXPECT_EQ(RoadNodes[0].neighbour[3], 1);
    EXPECT_EQ(RoadNodes[0].neighbour[4], kNoNode);
    EXPECT_EQ(RoadNodes[1].neighbour[9], 0);
    EXPECT_EQ(RoadNodes[1].neighbour[0], kNoNode);
}

TEST_F(LevelLoad, MirrorTurnsEveryEdgeRound) {
    LevelFile level = test::SmallLevel(4, 3);
    RoadNode a, b;
    a.neighbour.fill(kNoNode);
    b.neighbour.fill(kNoNode);
    a.neighbour[3] = 1;
    a.edgeTerrain[3] = 7;
    a.edgeExtra[3] = 24;
    b.neighbour[10] = 0;
    level.nodes = {a, b};
    writeFile("missions/mi01.lev", WriteLevelFile(level));
    ASSERT_TRUE(LoadLevelMap(1, 0));
    MirrorRoadNodes();
    EXPECT_EQ(RoadNodes[0].neighbour[3], kNoNode);
    EXPECT_EQ(RoadNodes[0].neighbour[9], 1);
    EXPECT_EQ(RoadNodes[0].edgeTerrain[9], 7);
    EXPECT_EQ(RoadNodes[0].edgeExtra[9], 24);
    EXPECT_EQ(RoadNodes[1].neighbour[4], 0);
}

TEST_F(LevelLoad, MalformedFilesAreRefusedAsCorrupt) {
    LevelFile good = test::SmallLevel(3, 2);
    good.burning = {{1, 1}};
    RoadNode n;
    n.neighbour.fill(kNoNode);
    good.nodes = {n};
    const auto bytes = WriteLevelFile(good);

    std::vector<std::vector<std::uint8_t>> bad;
    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
        bad.emplace_back(bytes.begin(), bytes.begin() + static_cast<long>(cut));
    LevelFile tooLarge = test::SmallLevel(1, 1);
    tooLarge.width = 200;
    tooLarge.height = 200;  // 40000 cells
    tooLarge.cells.resize(40000);
    bad.push_back(WriteLevelFile(tooLarge));
    LevelFile empty = test::SmallLevel(0, 5);
    bad.push_back(WriteLevelFile(empty));
    auto negativeInit = bytes;
    negativeInit.at(35 + 6 * 6 + 4 + 1) = 0xFF;  // the Init count's high byte
    bad.push_back(negativeInit);

    for (const auto& file : bad) {
        ResetFatalError();
        writeFile("missions/mi01.lev", file);
        EXPECT_FALSE(LoadLevelMap(1, 0)) << file.size() << " bytes";
        EXPECT_THAT(FatalErrorMessage(), testing::EndsWith(": fileversion corrupt!"));
        EXPECT_TRUE(MapCells.empty());
        EXPECT_TRUE(RoadNodes.empty());
    }
    ResetFatalError();
    writeFile("missions/mi01.lev", bytes);
    EXPECT_TRUE(LoadLevelMap(1, 0));
}

}  // namespace
}  // namespace kv
