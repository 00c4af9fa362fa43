#include "gfx/image_files.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/fatal_error.h"
#include "support/headless_test.h"
#include "writers/image_writers.h"
#include "writers/output_tree.h"

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;
using sampledata::AffFrame;
using sampledata::Canvas;

// A frame with runs and single pixels, different for each seed.
Canvas Pattern(int w, int h, int seed) {
    Canvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) c.set(x, y, static_cast<std::uint8_t>((x / 3 + y * seed) % 7));
    return c;
}

Bytes Pixels(const std::uint8_t* p, std::size_t n) {
    return Bytes(p, p + n);
}

Bytes Pixels(const Canvas& c) {
    return Bytes(c.pixels().begin(), c.pixels().end());
}

GamePalette TestPalette() {
    GamePalette p{};
    for (std::size_t i = 0; i < p.size(); ++i) p[i] = static_cast<std::uint8_t>(i % 64);
    return p;
}

class ImageFiles : public test::HeadlessTest {
  protected:
    std::string put(const std::string& name, const Bytes& data) {
        EXPECT_TRUE(sampledata::OutputTree(dir.path().string()).write(name, data));
        return dir / name;
    }
    // The fatal message shown since the last call (none: empty), then forgets the fatal state.
    std::string takeFatal() {
        std::string m = backend.boxes().size() > shownBoxes ? backend.boxes().back().text : "";
        shownBoxes = backend.boxes().size();
        ResetFatalError();
        return m;
    }
    std::size_t shownBoxes = 0;
    test::ScratchDir dir;
};

TEST_F(ImageFiles, VffRoundTripsInBothTypes) {
    const std::vector<Canvas> sameSize = {Pattern(7, 5, 1), Pattern(7, 5, 2), Pattern(7, 5, 3)};
    const std::vector<Canvas> ownSizes = {Pattern(9, 4, 1), Canvas(0, 0), Pattern(1, 300, 2)};
    for (int type : {2, 3}) {
        SCOPED_TRACE(type);
        const auto& frames = type == 2 ? sameSize : ownSizes;
        VffImage* set = LoadVff(put("a.vff", sampledata::MakeVff(frames, type)));
        ASSERT_NE(set, nullptr);
        for (std::size_t i = 0; i < frames.size(); ++i) {
            ASSERT_NE(set[i].pixels, nullptr);
            EXPECT_EQ(set[i].width, frames[i].width());
            EXPECT_EQ(set[i].height, frames[i].height());
            EXPECT_EQ(Pixels(set[i].pixels, frames[i].pixels().size()), Pixels(frames[i]));
        }
        EXPECT_EQ(set[frames.size()].pixels, nullptr);
        FreeVff(set);
    }
    FreeVff(nullptr);
}

TEST_F(ImageFiles, VffTypeByteIsTakenModulo128) {
    const std::vector<Canvas> frames = {Pattern(4, 4, 1)};
    Bytes file = sampledata::MakeVff(frames, 2);
    file[0] = 130;
    VffImage* set = LoadVff(put("a.vff", file));
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(Pixels(set[0].pixels, 16), Pixels(frames[0]));
    FreeVff(set);
    for (std::uint8_t type : {1, 4, 0, 129}) {
        file[0] = type;
        EXPECT_EQ(LoadVff(put("a.vff", file)), nullptr) << int(type);
    }
}

TEST_F(ImageFiles, VffWithoutFramesHoldsOnlyTheTerminator) {
    const std::string path = put("empty.vff", sampledata::MakeVff({}, 3));
    VffImage* set = LoadVff(path);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set[0].pixels, nullptr);
    FreeVff(set);
    EXPECT_EQ(LoadFrameSet(path), nullptr);
    EXPECT_FALSE(FatalErrorRaised()) << "no message for a set without frames";
}

TEST_F(ImageFiles, FrameSetFromVffAndAffInAnyCase) {
    const std::vector<Canvas> vffFrames = {Pattern(6, 3, 1), Pattern(2, 8, 2)};
    const std::vector<AffFrame> affFrames = {{-3, 4, Pattern(5, 5, 3), 40},
                                             {10, -20, Pattern(8, 2, 4), 0}};
    put("sprites.VFF", sampledata::MakeVff(vffFrames));
    put("sprites.Aff", sampledata::MakeAff(affFrames));

    FrameSet* fromVff = LoadFrameSet(dir / "sprites.VFF");
    ASSERT_NE(fromVff, nullptr);
    for (std::size_t i = 0; i < vffFrames.size(); ++i) {
        EXPECT_EQ(fromVff[i].dx, 0);
        EXPECT_EQ(fromVff[i].dy, 0);
        EXPECT_EQ(fromVff[i].width, vffFrames[i].width());
        EXPECT_EQ(Pixels(fromVff[i].pixels, vffFrames[i].pixels().size()), Pixels(vffFrames[i]));
    }
    EXPECT_EQ(fromVff[2].pixels, nullptr);
    FreeFrameSet(fromVff);

    FrameSet* fromAff = LoadFrameSet(dir / "sprites.Aff");
    ASSERT_NE(fromAff, nullptr);
    for (std::size_t i = 0; i < affFrames.size(); ++i) {
        EXPECT_EQ(fromAff[i].dx, affFrames[i].dx);
        EXPECT_EQ(fromAff[i].dy, affFrames[i].dy);
        EXPECT_EQ(fromAff[i].width, affFrames[i].image.width());
        EXPECT_EQ(fromAff[i].height, affFrames[i].image.height());
        EXPECT_EQ(Pixels(fromAff[i].pixels, affFrames[i].image.pixels().size()),
                  Pixels(affFrames[i].image));
    }
    EXPECT_EQ(fromAff[2].pixels, nullptr);
    FreeFrameSet(fromAff);
    EXPECT_FALSE(FatalErrorRaised());
}

TEST_F(ImageFiles, FrameSetMessages) {
    put("noext", sampledata::MakeVff(std::vector<Canvas>{Pattern(2, 2, 1)}));
    EXPECT_EQ(LoadFrameSet(dir / "noext"), nullptr);
    EXPECT_EQ(takeFatal(), "wrong format in Sonderobj (should be vff or aff).");
    EXPECT_EQ(LoadFrameSet(dir / "x.vff.bak"), nullptr);
    EXPECT_EQ(takeFatal(), "wrong format in Sonderobj (should be vff or aff).");

    for (const char* name : {"missing.vff", "missing.aff"}) {
        EXPECT_EQ(LoadFrameSet(dir / name), nullptr);
        EXPECT_EQ(takeFatal(), "file not found: '" + (dir / name) + "'");
    }
    EXPECT_EQ(LoadVff(dir / "missing.vff"), nullptr);
    EXPECT_FALSE(FatalErrorRaised()) << "LoadVff leaves the message to its caller";
}

// Every way a file can lie about itself: each must fail as a missing file does.
TEST_F(ImageFiles, MalformedFilesFailLikeMissingOnes) {
    const std::vector<Canvas> frames = {Pattern(6, 4, 1), Pattern(3, 3, 2)};
    const Bytes vff2 =
        sampledata::MakeVff(std::vector<Canvas>{Pattern(6, 4, 1), Pattern(6, 4, 2)}, 2);
    const Bytes vff3 = sampledata::MakeVff(frames, 3);
    const Bytes aff = sampledata::MakeAff(
        std::vector<AffFrame>{{1, 2, Pattern(6, 4, 1), 0}, {0, 0, Pattern(3, 3, 2), 5}});

    auto vffFails = [&](const Bytes& file) {
        VffImage* set = LoadVff(put("bad.vff", file));
        FreeVff(set);
        FrameSet* fs = LoadFrameSet(dir / "bad.vff");
        FreeFrameSet(fs);
        return set == nullptr && fs == nullptr &&
               takeFatal() == "file not found: '" + (dir / "bad.vff") + "'";
    };
    auto affFails = [&](const Bytes& file) {
        FrameSet* fs = LoadFrameSet(put("bad.aff", file));
        FreeFrameSet(fs);
        return fs == nullptr && takeFatal() == "file not found: '" + (dir / "bad.aff") + "'";
    };
    auto patched = [](Bytes file, std::size_t at, std::initializer_list<std::uint8_t> bytes) {
        for (std::uint8_t b : bytes) file.at(at++) = b;
        return file;
    };

    // Any file cut short.
    for (std::size_t n = 0; n < vff2.size(); ++n)
        EXPECT_TRUE(vffFails(Bytes(vff2.begin(), vff2.begin() + n))) << n;
    for (std::size_t n = 0; n < vff3.size(); ++n)
        EXPECT_TRUE(vffFails(Bytes(vff3.begin(), vff3.begin() + n))) << n;
    for (std::size_t n = 0; n < aff.size(); ++n)
        EXPECT_TRUE(affFails(Bytes(aff.begin(), aff.begin() + n))) << n;

    // Frames that unpack to more or less than their size (type 3 header of frame 0 at 3).
    EXPECT_TRUE(vffFails(patched(vff3, 3, {5})));
    EXPECT_TRUE(vffFails(patched(vff3, 3, {7})));
    EXPECT_TRUE(vffFails(patched(vff2, 3, {7})));
    // A packed size reaching past the end of the file.
    EXPECT_TRUE(vffFails(patched(vff3, 7, {0xFF, 0xFF, 0xFF, 0x7F})));
    // Negative counts and sizes in an .aff (frame 0's width at 6, height at 8).
    EXPECT_TRUE(affFails(patched(aff, 0, {0xFF, 0xFF})));
    EXPECT_TRUE(affFails(patched(aff, 6, {0xFA, 0xFF})));
    EXPECT_TRUE(affFails(patched(aff, 8, {0xFC, 0xFF})));
    EXPECT_TRUE(affFails(patched(aff, 8, {5, 0})));
}

TEST_F(ImageFiles, CffRoundTripAndRefusals) {
    const Canvas picture = Pattern(8, 6, 3);
    const GamePalette palette = TestPalette();
    const Bytes file = sampledata::MakeCff(picture, palette);

    Bytes screen(48, 0xEE);
    GamePalette got{};
    ASSERT_TRUE(LoadCff(put("pic.cff", file), &got, screen));
    EXPECT_EQ(screen, Pixels(picture));
    EXPECT_EQ(got, palette);
    Bytes again(48, 0xEE);
    EXPECT_TRUE(LoadCff(dir / "pic.cff", nullptr, again)) << "the palette is optional";
    EXPECT_EQ(again, Pixels(picture));

    // Missing, cut short, or of another picture size: false, and nothing written.
    const Bytes untouched(48, 0xEE);
    GamePalette kept{};
    const auto refused = [&](const std::string& path, std::size_t screenSize) {
        Bytes out(screenSize, 0xEE);
        const bool loaded = LoadCff(path, &kept, out);
        return !loaded && out == Bytes(screenSize, 0xEE) && kept == GamePalette{};
    };
    EXPECT_TRUE(refused(dir / "missing.cff", 48));
    EXPECT_TRUE(refused(dir / "pic.cff", 47));
    EXPECT_TRUE(refused(dir / "pic.cff", 49));
    for (std::size_t n : {std::size_t{0}, std::size_t{775}, std::size_t{776}, file.size() - 1})
        EXPECT_TRUE(refused(put("short.cff", Bytes(file.begin(), file.begin() + n)), 48)) << n;
    EXPECT_FALSE(FatalErrorRaised()) << "LoadCff leaves the message to its caller";
}

TEST_F(ImageFiles, PaletteFile) {
    const GamePalette palette = TestPalette();
    const Bytes file = sampledata::MakePal(palette);
    ASSERT_EQ(file.size(), 768u);
    GamePalette got{};
    ASSERT_TRUE(ReadWholeFile(put("farben.pal", file), got));
    EXPECT_EQ(got, palette);

    GamePalette kept{};
    EXPECT_FALSE(ReadWholeFile(dir / "missing.pal", kept));
    EXPECT_FALSE(ReadWholeFile(put("short.pal", Bytes(file.begin(), file.end() - 1)), kept));
    EXPECT_EQ(kept, GamePalette{}) << "a refused file leaves the buffer untouched";
}

}  // namespace
}  // namespace kv
