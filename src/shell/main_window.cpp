#include "shell/main_window.h"

#include "platform/system.h"
#include "platform/window.h"
#include "shell/fatal_error.h"
#include "shell/game_mode.h"
#include "shell/startup.h"

namespace kv {

std::uint32_t AppActive = 0;
std::uint8_t LoopSuspended = 0;
std::uint32_t LastFrameTick = 0;
WindowHandle MainWindow = 0;
std::uint16_t MouseX = 0;
std::uint16_t MouseY = 0;

void CenterCursor() {
    const Rect clip{21, 21, 779, 579};
    ClipCursor(&clip);
    SetCursorPos(400, 300);
    MouseX = 400;
    MouseY = 300;
}

void PumpMessages() {
    const std::uint32_t saved = GameMode;
    GameMode = 0;
    Message m;
    while (PeekMessage(m, PM_NOREMOVE)) {
        if (!GetMessage(m)) {
            // The main loop must see it too, or the program would outlive its window.
            PostQuitMessage(static_cast<int>(m.wParam));
            return;
        }
        TranslateMessage(m);
        DispatchMessage(m);
    }
    if (!FatalErrorRaised() && IsWindow(MainWindow)) GameMode = saved;
}

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
