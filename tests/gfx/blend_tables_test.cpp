#include "gfx/blend_tables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "core/fatal_error.h"
#include "platform/files.h"
#include "support/headless_test.h"
#include "writers/image_writers.h"
#include "writers/output_tree.h"

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;

void SetEntry(GamePalette& p, int i, int r, int g, int b) {
    p[i * 3] = static_cast<std::uint8_t>(r);
    p[i * 3 + 1] = static_cast<std::uint8_t>(g);
    p[i * 3 + 2] = static_cast<std::uint8_t>(b);
}

// A few colours, the rest of the entries a far-off grey that never wins.
GamePalette SmallPalette() {
    GamePalette p{};
    for (int i = 0; i < 256; ++i) SetEntry(p, i, 40, 40, 63);
    SetEntry(p, 0, 0, 0, 0);
    SetEntry(p, 1, 63, 0, 0);
    SetEntry(p, 2, 12, 0, 0);  // 20 % of 63 is 12.6: truncated to 12
    SetEntry(p, 3, 13, 0, 0);
    SetEntry(p, 4, 0, 63, 0);
    SetEntry(p, 5, 63, 0, 0);  // the same red as entry 1
    SetEntry(p, 6, 0, 31, 0);  // half of 63 truncated
    SetEntry(p, 7, 0, 32, 0);
    return p;
}

TEST(BlendTable, MixesTruncateAndTiesKeepTheLowestIndex) {
    BlendTable t{};
    const GamePalette p = SmallPalette();
    ComputeBlendTable(p, 20, t);
    EXPECT_EQ(t[1 * 256 + 0], 2) << "20 % red over black";
    EXPECT_EQ(t[5 * 256 + 0], 2);
    EXPECT_EQ(t[0 * 256 + 1], 1) << "80 % red is 50, nearest the full red at index 1";
    EXPECT_EQ(t[5 * 256 + 5], 1) << "a colour over itself: its lowest exact match";
    EXPECT_EQ(t[1 * 256 + 1], 1);
    EXPECT_EQ(t[4 * 256 + 4], 4);
    ComputeBlendTable(p, 50, t);
    EXPECT_EQ(t[4 * 256 + 0], 6);
    EXPECT_EQ(t[0 * 256 + 4], 6);
    // A mix exactly between two entries goes to the lower index.
    GamePalette q = p;
    SetEntry(q, 8, 0, 20, 0);
    SetEntry(q, 9, 0, 24, 0);
    SetEntry(q, 10, 0, 44, 0);
    ComputeBlendTable(q, 50, t);
    EXPECT_EQ(t[10 * 256 + 0], 8) << "22 is as far from 20 as from 24";
}

class BlendCacheTest : public test::HeadlessTest {
  protected:
    void SetUp() override {
        test::HeadlessTest::SetUp();
        std::filesystem::create_directories(dir.path() / "graphs");
        ComputeBlendTable(SmallPalette(), 45, expected45);
    }
    Bytes cacheFile(const char* name) {
        std::ifstream in(dir.path() / "graphs" / name, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    void putCache(const char* name, const Bytes& bytes) {
        std::ofstream(dir.path() / "graphs" / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    test::ScratchDir dir;
    test::WorkingDirectory here{dir.path()};
    BlendTable expected45{};
};

TEST_F(BlendCacheTest, AMissingCacheIsComputedAndWritten) {
    BlendTable t{};
    LoadBlendTable(kTransTable50, SmallPalette(), t);
    EXPECT_EQ(t, expected45);
    EXPECT_EQ(cacheFile("ttable50.dat"), BlendCacheBytes(45, expected45));
}

TEST_F(BlendCacheTest, AValidCacheIsReadAsItStands) {
    Bytes stored(65536, 77);
    putCache("ttable20.dat", BlendCacheBytes(20, stored));
    BlendTable t{};
    LoadBlendTable(kTransTable20, SmallPalette(), t);
    EXPECT_EQ(Bytes(t.begin(), t.end()), stored) << "the file is trusted, not recomputed";
}

TEST_F(BlendCacheTest, AStaleOrTruncatedCacheIsRecomputedAndRewritten) {
    struct Case {
        const char* what;
        Bytes file;
    };
    Bytes shortFile = BlendCacheBytes(45, Bytes(65536, 77));
    shortFile.pop_back();
    const Case cases[] = {
        {"made for 50 %", BlendCacheBytes(50, Bytes(65536, 77))},
        {"one byte short", shortFile},
        {"only the word", Bytes{45, 0}},
        {"empty", Bytes{}},
    };
    for (const Case& c : cases) {
        putCache("ttable50.dat", c.file);
        BlendTable t{};
        LoadBlendTable(kTransTable50, SmallPalette(), t);
        EXPECT_EQ(t, expected45) << c.what;
        EXPECT_EQ(cacheFile("ttable50.dat"), BlendCacheBytes(45, expected45)) << c.what;
    }
}

TEST_F(BlendCacheTest, AFolderThatCannotBeWrittenJustMeansNoCache) {
    std::filesystem::remove_all(dir.path() / "graphs");
    BlendTable t{};
    LoadBlendTable(kTransTable50, SmallPalette(), t);
    EXPECT_EQ(t, expected45);
    EXPECT_FALSE(FatalErrorRaised());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "graphs"));
}

TEST_F(BlendCacheTest, TheGameTablesComeFromTheCurrentPalette) {
    Palette = SmallPalette();
    LoadTransTable20();
    LoadTransTable50();
    BlendTable expected20{};
    ComputeBlendTable(SmallPalette(), 20, expected20);
    EXPECT_EQ(BlendTable20, expected20);
    EXPECT_EQ(BlendTable50, expected45);
    EXPECT_EQ(cacheFile("ttable20.dat").size(), kBlendCacheFileSize);
}

TEST_F(BlendCacheTest, TheMapTableComesFromTheMapPalette) {
    GamePalette karte = SmallPalette();
    SetEntry(karte, 2, 20, 0, 0);
    ASSERT_TRUE(sampledata::OutputTree(dir.path().string())
                    .write("basen\\karte.pal", sampledata::MakePal(karte)));
    LoadMapTransTable();
    BlendTable expected{};
    ComputeBlendTable(karte, 35, expected);
    EXPECT_EQ(BlendTable50, expected);
    EXPECT_EQ(cacheFile("ttmap50.dat"), BlendCacheBytes(35, expected));
}

TEST_F(BlendCacheTest, AMissingMapPaletteIsFatalAndLeavesTheTable) {
    BlendTable50.fill(9);
    LoadMapTransTable();
    EXPECT_EQ(FatalErrorMessage(), "basen\\karte.pal not found!");
    EXPECT_EQ(BlendTable50[1000], 9);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "graphs" / "ttmap50.dat"));
}

}  // namespace
}  // namespace kv
