#include "support/scripted_player.h"

#include <cmath>

#include "core/game_mode.h"
#include "core/main_window.h"
#include "core/view.h"
#include "platform/window.h"
#include "support/kept_frames.h"

namespace kv::test {

namespace {

// The main loop's pace: a frame is due once more than 50 ms have passed.
constexpr std::uint32_t kFrameMs = 51;

int ScreenFromWorld(float world, std::int16_t origin) {
    return static_cast<int>(std::floor(world)) - origin;
}

}  // namespace

void ScriptedPlayer::queue(std::uint32_t message, WParam wParam, LParam lParam) {
    queued_.push_back({message, wParam, lParam});
}

void ScriptedPlayer::mouse(int x, int y) {
    queue(WM_MOUSEMOVE, 0, MakeLParam(x, y));
}

void ScriptedPlayer::press(int x, int y) {
    mouse(x, y);
    queue(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
}

void ScriptedPlayer::release(int x, int y) {
    mouse(x, y);
    queue(WM_LBUTTONUP, 0, MakeLParam(x, y));
}

void ScriptedPlayer::click(int x, int y) {
    press(x, y);
    queue(WM_LBUTTONUP, 0, MakeLParam(x, y));
}

void ScriptedPlayer::rclick(int x, int y) {
    mouse(x, y);
    queue(WM_RBUTTONDOWN, MK_RBUTTON, MakeLParam(x, y));
}

void ScriptedPlayer::drag(int x0, int y0, int x1, int y1) {
    press(x0, y0);
    frames(1);
    queue(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(x1, y1));
    frames(1);
    queue(WM_LBUTTONUP, 0, MakeLParam(x1, y1));
}

void ScriptedPlayer::clickWorld(float wx, float wy) {
    click(ScreenFromWorld(wx, ViewOrigin.x), ScreenFromWorld(wy, ViewOrigin.y));
}

void ScriptedPlayer::mouseWorld(float wx, float wy) {
    mouse(ScreenFromWorld(wx, ViewOrigin.x), ScreenFromWorld(wy, ViewOrigin.y));
}

void ScriptedPlayer::key(WParam vk) {
    keyDown(vk);
    keyUp(vk);
}

void ScriptedPlayer::keyDown(WParam vk) {
    queue(WM_KEYDOWN, vk, 0);
}

void ScriptedPlayer::keyUp(WParam vk) {
    queue(WM_KEYUP, vk, 0);
}

void ScriptedPlayer::chars(std::string_view text) {
    for (const char c : text) queue(WM_CHAR, static_cast<unsigned char>(c), 0);
}

void ScriptedPlayer::deliver() {
    for (const Input& in : queued_) backend_.inject(in.message, in.wParam, in.lParam);
    queued_.clear();
    Message m;
    while (!quit_ && PeekMessage(m, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            quit_ = true;
            break;
        }
        TranslateMessage(m);
        DispatchMessage(m);
    }
}

void ScriptedPlayer::frames(int n) {
    for (int i = 0; i < n && !quit_; ++i) {
        deliver();
        if (quit_) break;
        // As the main loop: no frame while a video plays or the window is inactive.
        if (AppActive != 0 && LoopSuspended == 0) {
            if (FrameFunction frame = HandlersFor(GameMode).frame) frame();
        }
        backend_.advance(kFrameMs);
        ++framesRun_;
    }
    // What the last frame posted (a screen change, the end of a video) is handled as the loop
    // would before its next frame.
    if (!quit_) deliver();
}

bool ScriptedPlayer::runUntil(const std::function<bool()>& condition, int maxFrames) {
    for (int i = 0; i < maxFrames && !quit_; ++i) {
        if (condition()) return true;
        frames(1);
    }
    return condition();
}

bool ScriptedPlayer::shot(const std::string& name) const {
    return KeepFrame(backend_, name);
}

}  // namespace kv::test
