#include "gfx/screen_animation.h"

#include <gtest/gtest.h>

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

constexpr int kPitch = 16;
constexpr int kRows = 12;

// Frame i is a 2 x 2 square of colour i + 1, each at its own place: which frames a step drew
// shows in the picture.
std::vector<AffFrame> Squares(std::initializer_list<std::uint16_t> delays) {
    std::vector<AffFrame> frames;
    std::int16_t i = 0;
    for (std::uint16_t delay : delays) {
        frames.push_back({static_cast<std::int16_t>(3 * i), 1,
                          Canvas(2, 2, static_cast<std::uint8_t>(i + 1)), delay});
        ++i;
    }
    return frames;
}

class ScreenAnimationTest : public test::HeadlessTest {
  protected:
    void TearDown() override {
        FreeAnimation();
        test::HeadlessTest::TearDown();
    }
    void load(const std::vector<AffFrame>& frames, bool loop) {
        sampledata::OutputTree(dir.path().string()).write("ani.aff", sampledata::MakeAff(frames));
        LoadAnimation(dir / "ani.aff", loop);
        ASSERT_FALSE(FatalErrorRaised());
        ASSERT_TRUE(AnimationActive());
    }
    // Steps at origin (1, 2) on a cleared screen and returns the colours of the frames drawn.
    std::vector<int> step(int speed) {
        std::fill(screen.begin(), screen.end(), 0);
        StepAnimation(1, 2, screen, kPitch, speed);
        std::vector<int> drawn;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t c = screen[(2 + 1) * kPitch + 1 + 3 * i];
            if (c != 0) drawn.push_back(c);
        }
        return drawn;
    }
    test::ScratchDir dir;
    Bytes screen = Bytes(kPitch * kRows);
};

using Shown = std::vector<int>;

TEST_F(ScreenAnimationTest, FramesWithoutDelayFollowAtOnceThenTheDelayHolds) {
    for (int speed : {1, 2}) {
        SCOPED_TRACE(speed);
        const std::uint32_t wait = 100 / speed;
        backend.setTicks(5000);
        load(Squares({0, 0, 100}), true);
        EXPECT_EQ(step(speed), (Shown{1, 2, 3})) << "the first three frames in one step";
        backend.advance(wait);
        EXPECT_EQ(step(speed), Shown{});
        backend.advance(1);
        EXPECT_EQ(step(speed), (Shown{1, 2, 3})) << "looped: frame 0 and its data again";
        backend.advance(wait);
        EXPECT_EQ(step(speed), Shown{});
    }
}

TEST_F(ScreenAnimationTest, WholeFramesLandAtTheirOffsets) {
    backend.setTicks(0);
    load({{2, 3, Canvas(3, 2, 7), 10}}, false);
    step(0);
    Bytes expected(kPitch * kRows, 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) expected[(2 + 3 + y) * kPitch + 1 + 2 + x] = 7;
    EXPECT_EQ(screen, expected);
}

TEST_F(ScreenAnimationTest, PlayedOnceItFreesItselfAtTheEnd) {
    backend.setTicks(100);
    load(Squares({50, 50}), false);
    EXPECT_EQ(step(1), Shown{1});
    backend.advance(51);
    EXPECT_EQ(step(1), Shown{2});
    backend.advance(51);
    EXPECT_EQ(step(1), Shown{});
    EXPECT_FALSE(AnimationActive());
    backend.advance(1000);
    EXPECT_EQ(step(1), Shown{}) << "nothing left to step";
}

TEST_F(ScreenAnimationTest, SpeedZeroShowsTheNextFrameEveryCall) {
    backend.setTicks(0);
    load(Squares({500, 500, 500}), true);
    EXPECT_EQ(step(0), Shown{1});
    EXPECT_EQ(step(0), Shown{2});
    EXPECT_EQ(step(0), Shown{3});
    EXPECT_EQ(step(0), Shown{1});
}

TEST_F(ScreenAnimationTest, AllDelaysZeroShowOneCyclePerCall) {
    backend.setTicks(0);
    load(Squares({0, 0, 0}), true);
    EXPECT_EQ(step(0), (Shown{1, 2, 3}));
    EXPECT_EQ(step(0), (Shown{1, 2, 3}));
    EXPECT_EQ(step(1), Shown{}) << "no time has passed";
    backend.advance(1);
    EXPECT_EQ(step(1), (Shown{1, 2, 3}));
}

TEST_F(ScreenAnimationTest, FramesOutsideTheDestinationAreSkipped) {
    backend.setTicks(0);
    load({{-2, 0, Canvas(2, 2, 1), 0},  // left of the picture
          {14, 0, Canvas(2, 2, 2), 0},  // reaches past the row
          {0, 9, Canvas(2, 2, 3), 0},   // below the last row
          {0, 0, Canvas(2, 2, 4), 0}},
         false);
    Bytes guarded(kPitch * kRows + 8, 0xEE);
    StepAnimation(1, 2, std::span(guarded).first(kPitch * kRows), kPitch, 0);
    for (int i = 0; i < kPitch * kRows; ++i) {
        const int x = i % kPitch;
        const int y = i / kPitch;
        const bool inLast = x >= 1 && x < 3 && y >= 2 && y < 4;
        EXPECT_EQ(guarded[i], inLast ? 4 : 0xEE) << x << "," << y;
    }
    EXPECT_EQ(Bytes(guarded.end() - 8, guarded.end()), Bytes(8, 0xEE));
}

TEST_F(ScreenAnimationTest, MissingOrMalformedFilesAreFatal) {
    LoadAnimation(dir / "missing.aff", true);
    ASSERT_EQ(backend.boxes().size(), 1u);
    EXPECT_EQ(backend.boxes()[0].text, "Animation not found.");
    EXPECT_FALSE(AnimationActive());

    const Bytes good = sampledata::MakeAff(Squares({10, 20}));
    const Bytes negativeWidth = [&] {
        Bytes b = good;
        b.at(7) = 0x80;
        return b;
    }();
    for (const Bytes& bad :
         {Bytes(good.begin(), good.end() - 1), Bytes{0xFF, 0xFF}, negativeWidth}) {
        ResetFatalError();
        EXPECT_FALSE(LoadAnimationFromBytes(bad, true));
        EXPECT_FALSE(AnimationActive());
    }
    EXPECT_TRUE(LoadAnimationFromBytes(good, false));
}

}  // namespace
}  // namespace kv
