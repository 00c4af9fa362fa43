#include <gtest/gtest.h>

#include <vector>

#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "platform/window.h"
#include "support/headless_test.h"

namespace kv {
namespace {

TEST(FrameDue, MoreThanFiftyMillisecondsInWrappingArithmetic) {
    struct Case {
        std::uint32_t now, last;
        bool due;
    };
    const Case cases[] = {
        {50, 0, false},
        {51, 0, true},
        {1000, 950, false},
        {1001, 950, true},
        {0xFFFFFFF0u + 50u, 0xFFFFFFF0u, false},
        {0xFFFFFFF0u + 51u, 0xFFFFFFF0u, true},  // the sum wraps to 0x23
        {10, 0xFFFFFFF0u, false},
        {40, 0xFFFFFFF0u, true},
    };
    for (const Case& c : cases) EXPECT_EQ(FrameDue(c.now, c.last), c.due) << c.now << " " << c.last;
}

HeadlessBackend* g_backend = nullptr;
std::vector<std::uint32_t> g_frameTicks;

void RecordFrame() {
    g_frameTicks.push_back(g_backend->ticks());
    if (g_frameTicks.size() == 4) PostQuitMessage(5);
}

class MainLoopTest : public test::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        g_backend = &backend;
        g_frameTicks.clear();
        table[3].frame = RecordFrame;
        SetGameModeTable(&table);
        ASSERT_EQ(InitWindow(), 1);
    }
    void TearDown() override {
        if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
        HeadlessTest::TearDown();
    }
    GameModeTable table{};
};

TEST_F(MainLoopTest, FramesStartFiftyOneMillisecondsApart) {
    GameMode = 3;
    backend.setTicks(1000);
    LastFrameTick = 1000;
    EXPECT_EQ(RunMessageLoop(), 5);
    EXPECT_EQ(g_frameTicks, (std::vector<std::uint32_t>{1051, 1102, 1153, 1204}));
}

TEST_F(MainLoopTest, KeepsRunningAcrossTheClockWrap) {
    GameMode = 3;
    backend.setTicks(0xFFFFFFC0u);
    LastFrameTick = 0xFFFFFFC0u;
    EXPECT_EQ(RunMessageLoop(), 5);
    ASSERT_EQ(g_frameTicks.size(), 4u);
    EXPECT_EQ(g_frameTicks[1] - g_frameTicks[0], 51u);
    EXPECT_LT(g_frameTicks[3], 0x1000u) << "the frames went on after the wrap";
}

TEST_F(MainLoopTest, NoFramesWhileInactiveOrSuspendedOrInModeZero) {
    GameMode = 3;
    SendMessage(MainWindow, WM_ACTIVATEAPP, 0, 0);
    backend.setCloseAt(backend.ticks() + 500);
    EXPECT_EQ(RunMessageLoop(), 0) << "closing the window ends the loop";
    EXPECT_TRUE(g_frameTicks.empty());
}

TEST_F(MainLoopTest, QuitTakenWhilePumpingStillEndsTheProgram) {
    GameMode = 3;
    PostQuitMessage(7);
    PumpMessages();
    EXPECT_EQ(GameMode, 0u) << "the mode stays 0 once the quit message was seen";
    EXPECT_EQ(RunMessageLoop(), 7);
}

TEST_F(MainLoopTest, PumpingDropsInputToTheScreensAndRestoresTheMode) {
    int clicks = 0;
    static int* s_clicks = nullptr;
    s_clicks = &clicks;
    table[3].lButtonDown = [](WParam, int, int) { ++*s_clicks; };
    GameMode = 3;
    backend.inject(WM_LBUTTONDOWN, 0, MakeLParam(5, 5));
    PumpMessages();
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(GameMode, 3u);
}

}  // namespace
}  // namespace kv
