#include "screens/save_screens.h"

namespace kv {

// The load and save screens are not in the game yet.
void OpenLoadGame() {}

void OpenSaveGame() {}

}  // namespace kv
