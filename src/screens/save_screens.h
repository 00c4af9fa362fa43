#pragma once
// The load and save screens (game modes 7 and 6), opened from the options screen: twelve slots
// with their names and preview pictures.

namespace kv {

void OpenLoadGame();
void OpenSaveGame();

}  // namespace kv
