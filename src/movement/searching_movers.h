#pragma once
// The free path search's shared budget per tick: how many units search in this tick, counted
// once on the first search of the tick. The simulation tick asks for the recount before each
// tick.

#include <cstdint>

namespace kv {

// 1: the next search of this tick counts the searching units first.
extern std::uint8_t RecountSearchers;
extern std::uint8_t SearchingMoverCount;

void ResetSearchingMovers();

}  // namespace kv
