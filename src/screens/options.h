#pragma once
// The options screen (game mode 9), drawn over the screen it was opened from: sound and music,
// game and scroll speed, loading, saving, the hints, quitting and restarting.

#include <cstdint>

namespace kv {

// The game mode the options return to, recorded when they open from a mission, a failed mission
// or a base.
extern std::uint8_t ReturnGameMode;

void OpenOptionsScreen();
// Back to ReturnGameMode.
void CloseOptionsScreen();
// The panel, and the yes/no box when a question is open, into the current draw target; also
// under the load, save and hints screens.
void DrawOptionsScreen();
// The screen under the options, into the WorkBuffer, by ReturnGameMode.
void DrawBehindOptions();

}  // namespace kv
