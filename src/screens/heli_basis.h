#pragma once
// The helicopter base (base type 3, game mode 14), a twin of the stations' screen.

#include <cstdint>

namespace kv {

// Opens the helicopter base of a base; the campaign map has closed itself before.
void OpenHeliBasis(std::int16_t base);

}  // namespace kv
