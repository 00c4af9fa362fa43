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

// The distance a walk starts at, at the least, and the bound a search starts from.
inline constexpr std::int32_t kFarPointLeast = 101;
inline constexpr std::int32_t kFarPointBound = 9999;

// The index in points of the point nearest to from among those at least 101 px away (integer
// distance), if it is strictly nearer than best, which then becomes its distance; ties go to the
// first. -1 when no point of the list beats best. Searching several lists with one best (starting
// at kFarPointBound) lets a later list win only with a nearer point.
int NearestFarPoint(std::span<const Point16> points, const Point16& from, std::int32_t& best);

}  // namespace kv
