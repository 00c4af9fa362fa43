#pragma once
// The main window's state that the main loop and the long operations (loading, videos) read,
// the cursor, and the message pump those operations run. The window procedure is the program's.

#include <cstdint>

#include "core/mouse.h"
#include "platform/messages.h"

namespace kv {

extern std::uint32_t AppActive;      // wParam of the last WM_ACTIVATEAPP
extern std::uint8_t LoopSuspended;   // 1 while a video plays: no frame function runs
extern std::uint32_t LastFrameTick;  // clock reading when the last frame function started
extern WindowHandle MainWindow;

inline constexpr const char* kMainWindowClass = "KESTRV";
inline constexpr std::uint32_t kVideoEndedMessage = 1024 + 101;  // WM_USER + 101

// Clips the cursor to 21..778 x 21..578 and puts it in the middle of the screen.
void CenterCursor();

// Handles waiting messages with GameMode 0, so that input to the screens is dropped meanwhile.
// A quit message taken here is posted again for the main loop.
void PumpMessages();

}  // namespace kv
