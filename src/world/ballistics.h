#pragma once
// The height of a thrown arc: water jets, thrown bottles and life rings rise and fall by it.

#include <cstdint>

namespace kv {

// 45 degrees, the angle things are thrown at.
inline constexpr double kCos45 = 0.70710678118654752440;
inline constexpr double kTan45 = 1.0;
inline constexpr double kGravity = 9.81;

// The height after x pixels of an arc launched at speed v, with c the cosine and t the tangent
// of its elevation. A speed that is not positive and finite gives the straight line x * t.
double BallisticHeight(std::int16_t x, float v, double c, double t);

}  // namespace kv
