#include "screens/options.h"

namespace kv {

std::uint8_t ReturnGameMode = 0;

// The options screen is not in the game yet.
void OpenOptionsScreen() {}

void CloseOptionsScreen() {}

void DrawOptionsScreen() {}

void DrawBehindOptions() {}

}  // namespace kv
