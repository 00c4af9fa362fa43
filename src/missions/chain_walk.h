#pragma once
// A person sent along a chain of points, each a little off its exact place and with a pause
// between them, so that a crowd walking one chain spreads out and straggles in.

#include <cstdint>
#include <span>

#include "world/geometry.h"

namespace kv {

struct Person;

// Replaces the person's queue: a walk to the first point, then for each later point a wait of
// 200..399 ticks and a walk to it. Each target lies up to 10 px off its point in x and in y (x
// drawn first, the wait after its target). Silent; nothing for an empty chain.
void WalkChainJittered(Person& person, std::span<const Point16> chain);

}  // namespace kv
