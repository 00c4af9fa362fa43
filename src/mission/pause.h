#pragma once
// The pause (game mode 12): the simulation stands, the last picture stays with the pause picture
// over it, and any key or left click returns to the game mode the pause was entered from.

#include <cstdint>

#include "platform/messages.h"

namespace kv {

// Loaded on entering the pause and freed once drawn.
inline constexpr const char* kPausePicture = "graphs\\d\\pause.vff";

// The game mode to return to.
extern std::uint8_t PauseReturnMode;

// From any game mode's key handler: the pause picture goes into the WorkBuffer and game mode 12
// begins. A missing picture is fatal and leaves the mode alone.
void EnterPause();
// Game mode 12's frame function: the WorkBuffer is shown, with the message line.
void OnPauseFrame();
void RunPauseFrame();
// Game mode 12's key-down and left-button-down handlers.
void OnPauseKeyDown(WParam key, LParam lParam);
void OnPauseMouseDown(WParam buttons, int x, int y);
// The cursor goes back to where the pause found it, and the old game mode returns.
void LeavePause();

void ResetPause();

}  // namespace kv
