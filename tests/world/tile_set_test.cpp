#include "world/tile_set.h"

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "core/random.h"
#include "gfx/run_tiles.h"
#include "support/run_tile_decode.h"
#include "world/level_map.h"
#include "world/world_fixture.h"
#include "writers/level_writer.h"
#include "writers/run_tile_writer.h"
#include "writers/tile_set_writer.h"

namespace kv {
namespace {

using sampledata::EncodeRunTile;
using sampledata::TileSetFile;
using sampledata::WriteLevelFile;
using sampledata::WriteTileSetFile;
using test::DecodeRunTile;

TEST(ValidateRunTile, RowsMustUseExactly48Pixels) {
    struct Case {
        std::vector<std::uint8_t> data;
        int height;
        bool valid;
        const char* what;
    };
    std::vector<std::uint8_t> copy48 = {0, 48};
    copy48.resize(50, 7);
    std::vector<std::uint8_t> mixed = {10, 5, 1, 2, 3, 4, 5, 33};
    const Case cases[] = {
        {{48}, 1, true, "a skip completes the row"},
        {copy48, 1, true, "a copy completes the row"},
        {mixed, 1, true, "skip, copy, skip"},
        {{48, 48}, 2, true, "two blank rows"},
        {{48, 48, 9}, 2, true, "bytes after the last row"},
        {{48}, 2, false, "a row missing"},
        {{47}, 1, false, "the data ends inside a row"},
        {{40, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 1, false, "a copy runs past 48"},
        {{49}, 1, false, "a skip runs past 48"},
        {{10, 38, 1, 2}, 1, false, "a copy runs past the data"},
        {{}, 1, false, "no data"},
        {{48}, 0, false, "no rows"},
    };
    for (const Case& k : cases) EXPECT_EQ(ValidateRunTile(k.data, k.height), k.valid) << k.what;
}

TEST(EncodeRunTile, RoundTripsAnyPicture) {
    SeedRandom(5);
    for (int height : {1, 3, 28}) {
        std::vector<std::uint8_t> px(static_cast<std::size_t>(48 * height));
        for (auto& p : px) p = Rand() % 3 == 0 ? 0 : static_cast<std::uint8_t>(Rand() % 255 + 1);
        px[0] = 0;
        px[47] = 5;  // a row ending in a copy
        const auto packed = EncodeRunTile(px, height);
        EXPECT_TRUE(ValidateRunTile(packed, height));
        EXPECT_EQ(DecodeRunTile(packed, height), px);
    }
}

// A tile set of tiles and plain one-row images.
TileSetFile PlainSet(int tiles, int images) {
    TileSetFile set;
    set.tiles.resize(static_cast<std::size_t>(tiles));
    set.images.resize(static_cast<std::size_t>(images), RunImage{1, {48}});
    return set;
}

TileAnim Anim(std::uint16_t first, int frames, int ticks, std::uint8_t flag) {
    return {first, static_cast<std::int8_t>(frames), static_cast<std::int8_t>(ticks), flag};
}

class TileSetLoad : public test::WorldTest {
  protected:
    // A 3 x 2 level whose cells have the given tiles, column by column.
    void level(const std::vector<std::uint16_t>& tiles) {
        auto file = test::SmallLevel(3, 2);
        for (std::size_t i = 0; i < tiles.size(); ++i) file.cells[i].tile = tiles[i];
        writeFile("missions/mi01.lev", WriteLevelFile(file));
        ASSERT_TRUE(LoadLevelMap(1, 0));
    }
    bool load(const TileSetFile& set) {
        writeFile("missions/mi01.dat", WriteTileSetFile(set));
        return LoadTileSet(1, 0);
    }
};

TEST_F(TileSetLoad, AnimationAWinsOverB) {
    level({0, 0, 1, 1, 2, 2});
    TileSetFile set = PlainSet(3, 8);
    set.tiles[0].animA = Anim(3, 2, 1, kAnimFromStart);
    set.tiles[0].animB = Anim(5, 3, 1, kAnimFromStart);
    set.tiles[1].animB = Anim(5, 3, 1, kAnimFromStart);
    set.tiles[2].animA = Anim(3, 2, 1, kAnimFire);  // fire looks do not run from the start
    set.phaseA.assign(8, 0);
    set.phaseB.assign(8, 0);
    ASSERT_TRUE(load(set));
    EXPECT_EQ(TileTypen.size(), 3u);
    ASSERT_EQ(TileImages.size(), 8u);
    EXPECT_EQ(TileImages[7].height, 1);
    EXPECT_EQ(TileImages[7].data, std::vector<std::uint8_t>{48});
    EXPECT_EQ(CellAnims[0].kind, 1);
    EXPECT_EQ(CellAnims[2].kind, 2);
    EXPECT_EQ(CellAnims[4].kind, 0);
}

TEST_F(TileSetLoad, PhaseBytesChooseTheStartFrame) {
    level({0, 0, 0, 0, 0, 0});
    TileSetFile set = PlainSet(1, 8);
    set.tiles[0].animA = Anim(1, 7, 1, kAnimFromStart);

    set.phaseA.assign(8, 0);
    ASSERT_TRUE(load(set));
    for (const CellAnim& a : CellAnims) EXPECT_EQ(a.frame, 0);

    // Without the phase blocks every cell starts at a random frame, drawn in cell order.
    set.phaseA.clear();
    SeedRandom(42);
    ASSERT_TRUE(load(set));
    SeedRandom(42);
    for (const CellAnim& a : CellAnims) {
        EXPECT_EQ(a.kind, 1);
        EXPECT_EQ(a.frame, Rand() % 7);
    }
}

TEST_F(TileSetLoad, FramesLastTheirTicks) {
    level({0, 0, 0, 1, 1, 1});
    TileSetFile set = PlainSet(2, 8);
    set.tiles[0].animA = Anim(1, 3, 1, kAnimFromStart);
    set.tiles[1].animA = Anim(4, 2, 3, kAnimFromStart);
    set.phaseA.assign(8, 0);
    ASSERT_TRUE(load(set));
    std::vector<int> fast, slow;
    for (int tick = 0; tick < 7; ++tick) {
        UpdateCellAnimations();
        fast.push_back(CellAnims[0].frame);
        slow.push_back(CellAnims[5].frame);
    }
    EXPECT_EQ(fast, (std::vector<int>{1, 2, 0, 1, 2, 0, 1}));
    EXPECT_EQ(slow, (std::vector<int>{0, 0, 1, 1, 1, 0, 0}));
}

TEST_F(TileSetLoad, AHouseLinkOverAnAnimatedCellIsLeftAlone) {
    level({0, 0, 0, 0, 0, 0});
    TileSetFile set = PlainSet(1, 4);
    set.tiles[0].animA = Anim(1, 3, 1, kAnimFromStart);
    set.phaseA.assign(4, 0);
    ASSERT_TRUE(load(set));
    MapCells[0].tile = kHouseLinkBase + 0x123;
    UpdateCellAnimations();
    EXPECT_EQ(CellAnims[0].frame, 0);
    EXPECT_EQ(CellAnims[1].frame, 1);
}

TEST_F(TileSetLoad, SecondPartFallbackAndMissingFile) {
    level({0, 0, 0, 0, 0, 0});
    writeFile("missions/mi01.dat", WriteTileSetFile(PlainSet(1, 1)));
    EXPECT_TRUE(LoadTileSet(1, 1));
    EXPECT_FALSE(FatalErrorRaised());
    EXPECT_FALSE(LoadTileSet(2, 1));
    EXPECT_EQ(FatalErrorMessage(), CdPath + "missions\\mi02.dat not found!");
    EXPECT_TRUE(TileTypen.empty());
}

TEST_F(TileSetLoad, InconsistentSetsAreRefusedAsCorrupt) {
    level({0, 0, 1, 1, 2, 2});
    struct Case {
        const char* what;
        TileSetFile set;
    };
    std::vector<Case> cases;
    cases.push_back({"fewer images than tiles", PlainSet(3, 2)});
    cases.push_back({"a level tile beyond the set", PlainSet(2, 5)});
    TileSetFile fire = PlainSet(3, 4);
    fire.tiles[1].fireImage = 4;
    cases.push_back({"a fire image beyond the images", fire});
    TileSetFile burnt = PlainSet(3, 4);
    burnt.tiles[2].burntImage = 9;
    cases.push_back({"a burnt image beyond the images", burnt});
    TileSetFile frames = PlainSet(3, 4);
    frames.tiles[0].animB = Anim(2, 3, 1, kAnimFire);
    cases.push_back({"animation frames beyond the images", frames});
    TileSetFile none = PlainSet(3, 4);
    none.tiles[0].animA = Anim(1, 0, 1, kAnimFromStart);
    cases.push_back({"an animation without frames", none});
    TileSetFile badImage = PlainSet(3, 4);
    badImage.images[2].data = {47};
    cases.push_back({"a broken image", badImage});
    TileSetFile partPhase = PlainSet(3, 4);
    partPhase.phaseA = {0, 0};
    cases.push_back({"a phase block cut short", partPhase});

    for (const Case& k : cases) {
        ResetFatalError();
        EXPECT_FALSE(load(k.set)) << k.what;
        EXPECT_EQ(FatalErrorMessage(), CdPath + "missions\\mi01.dat: fileversion corrupt!")
            << k.what;
        EXPECT_TRUE(TileImages.empty()) << k.what;
    }

    // Unused animations may name anything; a set cut anywhere is refused.
    TileSetFile good = PlainSet(3, 4);
    good.tiles[1].animA = Anim(900, 0, 0, 0);
    good.phaseA.assign(4, 255);
    good.phaseB.assign(4, 255);
    const auto bytes = WriteTileSetFile(good);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        // Cutting exactly at a phase block's start leaves an optional block out.
        if (cut == bytes.size() - 8 || cut == bytes.size() - 4) continue;
        ResetFatalError();
        writeFile("missions/mi01.dat",
                  std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(cut)));
        EXPECT_FALSE(LoadTileSet(1, 0)) << cut;
    }
    ResetFatalError();
    EXPECT_TRUE(load(good));
}

}  // namespace
}  // namespace kv
