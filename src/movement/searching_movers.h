#pragma once
// The free path search's shared budget per tick: how many units search in this tick, counted
// once on the first search of the tick. The simulation tick asks for the recount before each
// tick.

#include <cstdint>

namespace kv {

// 1: the next search of this tick counts the searching units first.
extern std::uint8_t RecountSearchers;
extern std::uint8_t SearchingMoverCount;

// Units whose free path search or route planning runs, or whose movement order has not started
// yet; persons counted are marked as searching. The search shares its time among them.
int CountSearchingMovers();

void ResetSearchingMovers();
// The start of a tick: the first search counts the searching units afresh.
void BeginSearcherTick();

}  // namespace kv
