#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program_tables.h"
#include "app/window_proc.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "platform/window.h"
#include "support/headless_test.h"

namespace kv {
namespace {

std::vector<std::string> g_calls;

template <int Slot>
void Mouse(WParam, int x, int y) {
    g_calls.push_back(std::to_string(Slot) + ":" + std::to_string(x) + "," + std::to_string(y));
}
template <int Slot>
void Key(WParam w, LParam) {
    g_calls.push_back(std::to_string(Slot) + ":" + std::to_string(w));
}
void Frame() {
    g_calls.push_back("frame");
}
void VideoEnded() {
    g_calls.push_back("video");
}

// Slot numbers: 1 lButtonDown, 2 rButtonDown, 3 mouseMove, 4 keyDown, 5 keyUp, 6 lButtonUp,
// 7 character.
GameModeTable RecordingTable() {
    GameModeTable t{};
    for (GameModeHandlers& h : t)
        h = GameModeHandlers{Frame,  Mouse<1>, Mouse<2>, Mouse<3>,  Key<4>,
                             Key<5>, Mouse<6>, Key<7>,   VideoEnded};
    return t;
}

class DispatchTest : public test::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        g_calls.clear();
        table = RecordingTable();
        SetGameModeTable(&table);
        MainWindow = 1;
    }
    GameModeTable table;
};

// Each message reaches the slot of the current mode, with x and y from the low and high words.
TEST_F(DispatchTest, MessagesReachTheCurrentModesHandlers) {
    struct Case {
        std::uint32_t message;
        std::string expected;
    };
    const LParam at = MakeLParam(640, 480);
    const Case cases[] = {
        {WM_LBUTTONDOWN, "1:640,480"},
        {WM_RBUTTONDOWN, "2:640,480"},
        {WM_KEYDOWN, "4:13"},
        {WM_KEYUP, "5:13"},
        {WM_LBUTTONUP, "6:640,480"},
        {WM_CHAR, "7:13"},
        {1125, "video"},
    };
    for (std::uint32_t mode = 0; mode < kGameModeCount; ++mode) {
        GameMode = mode;
        for (const Case& c : cases) {
            g_calls.clear();
            const WParam w =
                (c.message == WM_KEYDOWN || c.message == WM_KEYUP || c.message == WM_CHAR) ? 13 : 0;
            MainWndProc(1, c.message, w, at);
            EXPECT_EQ(g_calls, std::vector<std::string>{c.expected})
                << "mode " << mode << " message " << c.message;
        }
    }
}

TEST_F(DispatchTest, MouseMovesReachOnlyModesBelowSixteen) {
    for (std::uint32_t mode = 0; mode < kGameModeCount; ++mode) {
        GameMode = mode;
        g_calls.clear();
        MainWndProc(1, WM_MOUSEMOVE, 0, MakeLParam(3, 4));
        EXPECT_EQ(g_calls.size(), mode < 16 ? 1u : 0u) << "mode " << mode;
    }
}

TEST_F(DispatchTest, ModesOutsideTheTableCallNothing) {
    GameMode = 20;
    for (std::uint32_t m : {WM_LBUTTONDOWN, WM_KEYDOWN, WM_MOUSEMOVE, 1125u})
        MainWndProc(1, m, 0, 0);
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(DispatchTest, SetCursorIsAnsweredWithoutTheDefaultProcedure) {
    EXPECT_EQ(MainWndProc(1, WM_SETCURSOR, 0, 0), 1);
}

// The program's own table may only fill the slots that exist for a mode: key-up only in the
// mission, button-up in the mission and options, characters in save game and high scores, the
// video end in the intro and the mission, no frame in modes 0, 1 and 16.
TEST(ProgramTables, OnlyTheSlotsEachModeHas) {
    InstallProgramTables();
    for (std::uint32_t mode = 0; mode < kGameModeCount; ++mode) {
        const GameModeHandlers& h = HandlersFor(mode);
        if (mode != 2) {
            EXPECT_EQ(h.keyUp, nullptr) << mode;
        }
        if (mode != 2 && mode != 9) {
            EXPECT_EQ(h.lButtonUp, nullptr) << mode;
        }
        if (mode != 6 && mode != 17) {
            EXPECT_EQ(h.character, nullptr) << mode;
        }
        if (mode != 1 && mode != 2) {
            EXPECT_EQ(h.videoEnded, nullptr) << mode;
        }
        if (mode == 0 || mode == 1 || mode == 16) {
            EXPECT_EQ(h.frame, nullptr) << mode;
        }
        if (mode == 0) {
            EXPECT_EQ(h.lButtonDown, nullptr);
        }
        if (mode >= 16) {
            EXPECT_EQ(h.mouseMove, nullptr) << mode;
        }
    }
    SetGameModeTable(nullptr);
}

}  // namespace
}  // namespace kv
