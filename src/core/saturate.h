#pragma once
// Sums kept to the i32 range: heat, fuel and energy must not wrap from one end to the other.

#include <cstdint>
#include <limits>

namespace kv {

// A class given as "no limit" is the largest i32, so a sum stops at the ends instead.
inline std::int32_t Saturate(std::int64_t v) {
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v < kMin ? kMin : v > kMax ? kMax : v);
}
inline void AddHeat(std::int32_t& heat, std::int64_t amount) {
    heat = Saturate(static_cast<std::int64_t>(heat) + amount);
}

}  // namespace kv
