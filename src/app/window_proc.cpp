#include "app/window_proc.h"

#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "gfx/frame_buffer.h"
#include "media/sound_device.h"
#include "platform/system.h"
#include "platform/window.h"

namespace kv {

namespace {

void OnDestroy() {
    ShutdownGame();
    ReleaseDirectSound();
    ShowCursor(true);
    if (!PendingFatalMessage().empty()) {
        MessageBox(0, PendingFatalMessage(), "Error in Kestrivon", MB_OK | MB_ICONSTOP);
        ClearPendingFatalMessage();
    }
    ReleaseDirectDraw();
    PostQuitMessage(0);
}

}  // namespace

LResult MainWndProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    const GameModeHandlers& h = HandlersFor(GameMode);
    const int x = LoWord(lParam);
    const int y = HiWord(lParam);
    switch (message) {
        case WM_ACTIVATEAPP:
            AppActive = wParam;
            if (wParam != 0)
                CenterCursor();
            else
                ClipCursor(nullptr);
            break;
        case WM_SETCURSOR:
            // The game draws its own cursor.
            return 1;
        case WM_DESTROY:
            OnDestroy();
            break;
        case WM_KEYDOWN:
            if (h.keyDown != nullptr) h.keyDown(wParam, lParam);
            break;
        case WM_KEYUP:
            if (h.keyUp != nullptr) h.keyUp(wParam, lParam);
            break;
        case WM_CHAR:
            if (h.character != nullptr) h.character(wParam, lParam);
            break;
        case WM_MOUSEMOVE:
            if (GameMode < kFirstModeWithoutMouseMoves && h.mouseMove != nullptr)
                h.mouseMove(wParam, x, y);
            break;
        case WM_LBUTTONDOWN:
            if (h.lButtonDown != nullptr) h.lButtonDown(wParam, x, y);
            break;
        case WM_LBUTTONUP:
            if (h.lButtonUp != nullptr) h.lButtonUp(wParam, x, y);
            break;
        case WM_RBUTTONDOWN:
            if (h.rButtonDown != nullptr) h.rButtonDown(wParam, x, y);
            break;
        case kVideoEndedMessage:
            if (h.videoEnded != nullptr) h.videoEnded();
            break;
        default:
            break;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace kv
