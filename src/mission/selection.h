#pragma once
// The state of selecting units with the mouse that the mission start resets. Selecting itself
// comes with the selection work.

#include <cstdint>

namespace kv {

// 1 while the player drags a selection box; no cursor picture is drawn then.
extern std::uint8_t DragActive;

void ResetSelection();

}  // namespace kv
