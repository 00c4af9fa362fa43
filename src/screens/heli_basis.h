#pragma once
// The helicopter base screen's state that outlives a frame. The screen itself is not in the game
// yet; what it holds is declared here for those that must pass over it.

#include <cstdint>

namespace kv {

// The shadow of the helicopter lifting off in the base view: a special object that belongs to
// the base, not to the mission; -1 none.
extern std::int16_t HeliBasisShadow;

}  // namespace kv
