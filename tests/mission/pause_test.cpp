#include "mission/pause.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "gfx/frame_buffer.h"
#include "gfx/image_files.h"
#include "mission/mission_fixture.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv {
namespace {

constexpr std::uint8_t kLastFrame = 7;  // what the screen showed before the pause

class PauseTest : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        std::memset(WorkBuffer, kLastFrame, kWorkBufferSize);
    }
    void send(std::uint32_t message, WParam wParam, int x = 0, int y = 0) {
        backend.inject(message, wParam, MakeLParam(x, y));
        test::DispatchAll();
    }
    // Every pixel of the sample pause picture other than 0 lies at (x, y) in the WorkBuffer, and
    // the last frame shows through the others.
    static void ExpectPictureAt(int x, int y) {
        VffImage* picture = LoadVff(kPausePicture);
        ASSERT_NE(picture, nullptr);
        const VffImage& f = picture[0];
        int shown = 0;
        for (int row = 0; row < f.height; ++row)
            for (int col = 0; col < f.width; ++col) {
                const std::uint8_t p = f.pixels[row * f.width + col];
                const std::uint8_t at = WorkBuffer[(y + row) * kScreenWidth + x + col];
                EXPECT_EQ(at, p != 0 ? p : kLastFrame) << col << ", " << row;
                shown += p != 0 ? 1 : 0;
            }
        EXPECT_GT(shown, 1000);
        FreeVff(picture);
    }
};

TEST_F(PauseTest, SpaceShowsThePictureOverTheLastFrameUntilAKeyOrALeftClick) {
    struct Case {
        std::uint32_t from;
        int pictureX;
        std::uint32_t leaveWith;
    };
    // On the campaign map the picture lies 160 px further right.
    for (const Case& c :
         {Case{2, 208, WM_KEYDOWN}, Case{2, 208, WM_LBUTTONDOWN}, Case{10, 368, WM_KEYDOWN}}) {
        SCOPED_TRACE(c.from);
        std::memset(WorkBuffer, kLastFrame, kWorkBufferSize);
        GameMode = c.from;
        MouseX = 300;
        MouseY = 200;
        CursorId = 5;
        if (c.from == 2)
            send(WM_KEYDOWN, VK_SPACE);
        else
            EnterPause();
        ASSERT_EQ(GameMode, 12u);
        EXPECT_EQ(PauseReturnMode, c.from);
        EXPECT_EQ(CursorId, 0);
        ExpectPictureAt(c.pictureX, 20);

        // Each frame shows the WorkBuffer; nothing else runs, and the mouse is not followed.
        const std::size_t shown = backend.frames().size();
        const std::uint32_t ticks = TickCounter;
        HandlersFor(GameMode).frame();
        ASSERT_EQ(backend.frames().size(), shown + 1);
        EXPECT_EQ(std::memcmp(backend.frames().back().pixels.data(), WorkBuffer, kWorkBufferSize),
                  0);
        EXPECT_EQ(TickCounter, ticks);
        send(WM_MOUSEMOVE, 0, 600, 500);
        send(WM_RBUTTONDOWN, 0, 600, 500);
        EXPECT_EQ(GameMode, 12u) << "a right click does nothing";

        send(c.leaveWith, c.leaveWith == WM_KEYDOWN ? 'A' : 0, 600, 500);
        EXPECT_EQ(GameMode, c.from);
        EXPECT_EQ(backend.warpX(), 300) << "the cursor goes back where the pause found it";
        EXPECT_EQ(backend.warpY(), 200);
    }
}

TEST_F(PauseTest, APictureWiderThanTheScreenIsClipped) {
    test::ScratchDir other;
    sampledata::Canvas wide(700, 30, 9);
    const std::vector<std::uint8_t> file = sampledata::MakeVff(std::span(&wide, 1));
    other.write("graphs/d/pause.vff", std::string(file.begin(), file.end()));
    test::WorkingDirectory cwdOther(other.path());
    GameMode = 2;
    EnterPause();
    ASSERT_EQ(GameMode, 12u);
    EXPECT_EQ(WorkBuffer[20 * kScreenWidth + 799], 9);
    EXPECT_EQ(WorkBuffer[21 * kScreenWidth + 0], kLastFrame) << "no row runs on into the next";
    EXPECT_EQ(WorkBuffer[49 * kScreenWidth + 208], 9);
    EXPECT_EQ(WorkBuffer[50 * kScreenWidth + 208], kLastFrame);
}

TEST_F(PauseTest, WithoutItsPictureThePauseIsFatalAndDoesNotBegin) {
    test::ScratchDir empty;
    test::WorkingDirectory cwdEmpty(empty.path());
    GameMode = 2;
    PauseReturnMode = 0;
    CursorId = 5;
    EnterPause();
    EXPECT_EQ(FatalErrorMessage(), "file not found: PAUSE");
    EXPECT_NE(GameMode, 12u);
    EXPECT_EQ(PauseReturnMode, 0);
    EXPECT_EQ(CursorId, 5);
}

}  // namespace
}  // namespace kv
