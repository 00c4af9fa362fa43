#pragma once
// Start-up, the message loop and shutdown.

#include <cstdint>

#include "platform/display.h"
#include "platform/messages.h"

namespace kv {

// The program: window and display, game initialisation, the start-up videos and the message
// loop. Returns the exit code: 0, or kFailureExitCode when the start failed or a fatal error
// ended the game.
int WinMain();
inline constexpr int kFailureExitCode = 1;

// Window, display, surfaces and palette; 0 on failure (after its message).
int InitWindow();
void InitGame();
void ShutdownGame();
// Windows, cursor, display, sound and the main loop's flags back as before InitWindow, for a
// process that plays one game after another (the tests, the headless runner).
void ResetWindowState();

// The main loop until the quit message; returns its code.
int RunMessageLoop();
// A frame is due once more than 50 ms have passed since the last one began, in wrapping 32-bit
// arithmetic so that the clock's wrap does not stop the game.
constexpr bool FrameDue(std::uint32_t now, std::uint32_t lastFrameTick) {
    return static_cast<std::uint32_t>(now - lastFrameTick) > 50u;
}

}  // namespace kv
