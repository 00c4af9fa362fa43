#pragma once
// The helicopter base (base type 3, game mode 14), a twin of the stations' screen.

#include <cstdint>

namespace kv {

// Opens the helicopter base of a base; the campaign map has closed itself before.
void OpenHeliBasis(std::int16_t base);
// The shadow of the helicopter lifting off in the base view: a special object that belongs to
// the base, not to the mission; -1 none.
extern std::int16_t HeliBasisShadow;

}  // namespace kv
