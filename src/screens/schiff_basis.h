#pragma once
// The ship base (base type 5, game mode 15): it sells the fire boat.

#include <cstdint>

namespace kv {

// Opens the ship base of a base; the campaign map has closed itself before.
void OpenSchiffBasis(std::int16_t base);

}  // namespace kv
