// The campaign-map palette, the blend caches and the bitmap fonts of the generated data set.

#include <gtest/gtest.h>

#include <string>

#include "gfx/bitmap_text.h"
#include "gfx/blend_tables.h"
#include "gfx/image_files.h"
#include "platform/files.h"
#include "writers/bitmap_font_writer.h"
#include "writers/karte_palette.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {
namespace {

const std::string kData = KV_SAMPLEDATA_DIR;

std::string Host(std::string gamePath) {
    for (char& c : gamePath)
        if (c == '\\') c = '/';
    return kData + "/" + gamePath;
}

TEST(SampleData, TheMapPaletteIsMutedAndKeepsTheColoursTheMapDrawsWith) {
    GamePalette karte{};
    ASSERT_TRUE(ReadWholeFile(Host(kKartePalPath), karte));
    EXPECT_EQ(karte, MakeKartePalette());
    const GamePalette game = MakeSamplePalette();
    auto saturation = [](const GamePalette& p, int i) {
        const int r = p[i * 3], g = p[i * 3 + 1], b = p[i * 3 + 2];
        return std::max({r, g, b}) - std::min({r, g, b});
    };
    int differing = 0;
    int gameSaturation = 0;
    int karteSaturation = 0;
    for (int i = 0; i < 256; ++i) {
        bool kept = false;
        for (std::uint8_t k : kKarteKeptEntries) kept = kept || k == i;
        if (kept) {
            for (int c = 0; c < 3; ++c) EXPECT_EQ(karte[i * 3 + c], game[i * 3 + c]) << i;
            continue;
        }
        gameSaturation += saturation(game, i);
        karteSaturation += saturation(karte, i);
        differing += karte[i * 3] != game[i * 3] || karte[i * 3 + 1] != game[i * 3 + 1] ||
                     karte[i * 3 + 2] != game[i * 3 + 2];
    }
    EXPECT_GT(differing, 200);
    EXPECT_LT(karteSaturation * 10, gameSaturation * 6) << "muted";
}

TEST(SampleData, TheBlendCachesMatchTheirPalettes) {
    GamePalette game{};
    ASSERT_TRUE(ReadWholeFile(Host(kFarbenPalPath), game));
    SetBlueLightStart(game);
    GamePalette karte{};
    ASSERT_TRUE(ReadWholeFile(Host(kKartePalPath), karte));
    struct Case {
        BlendCache cache;
        const GamePalette& palette;
    };
    for (const Case& c :
         {Case{kTransTable20, game}, Case{kTransTable50, game}, Case{kMapTransTable, karte}}) {
        BlendTable table{};
        ComputeBlendTable(c.palette, c.cache.percent, table);
        const auto file = ReadFileBytes(Host(c.cache.path));
        ASSERT_TRUE(file.has_value()) << c.cache.path;
        EXPECT_TRUE(*file == BlendCacheBytes(c.cache.percent, table)) << c.cache.path;
    }
}

TEST(SampleData, TheBitmapFontsLoad) {
    for (const char* path : {kAnzFontPath, kAnzFontLittlePath}) {
        VffImage* font = LoadBitmapFont(Host(path));
        EXPECT_NE(font, nullptr) << path;
        FreeVff(font);
    }
}

}  // namespace
}  // namespace kv::sampledata
