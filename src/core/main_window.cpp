#include "core/main_window.h"

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "platform/system.h"
#include "platform/window.h"

namespace kv {

std::uint32_t AppActive = 0;
std::uint8_t LoopSuspended = 0;
std::uint32_t LastFrameTick = 0;
WindowHandle MainWindow = 0;

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

}  // namespace kv
