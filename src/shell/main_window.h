#pragma once
// The main window: its procedure, the state the main loop reads, and the cursor.

#include <cstdint>

#include "platform/messages.h"

namespace kv {

extern std::uint32_t AppActive;      // wParam of the last WM_ACTIVATEAPP
extern std::uint8_t LoopSuspended;   // 1 while a video plays: no frame function runs
extern std::uint32_t LastFrameTick;  // clock reading when the last frame function started
extern WindowHandle MainWindow;
// The mouse position on the screen, as the screens last saw it.
extern std::uint16_t MouseX;
extern std::uint16_t MouseY;

inline constexpr const char* kMainWindowClass = "KESTRV";
inline constexpr std::uint32_t kVideoEndedMessage = 1024 + 101;  // WM_USER + 101

LResult MainWndProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

// Clips the cursor to 21..778 x 21..578 and puts it in the middle of the screen.
void CenterCursor();

// Handles waiting messages with GameMode 0, so that input to the screens is dropped meanwhile.
// A quit message taken here is posted again for the main loop.
void PumpMessages();

}  // namespace kv
