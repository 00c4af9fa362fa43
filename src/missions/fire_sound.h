#pragma once
// A mission's fire roar: it loops while enough map cells burn and stops when fewer do.

#include <cstdint>

namespace kv {

// With sound effects on: fewer than leastCells burning map cells stop the sound; otherwise, in the
// mission view, a loaded sound that is not playing starts looping without an owner.
void LoopSoundWhileCellsBurn(int sound, std::uint16_t leastCells);

}  // namespace kv
