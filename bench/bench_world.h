#pragma once
// What the movement benchmarks share: mission 1's generated level and terrain, and unit types
// whose animations have one footprint box in every direction.

#include <array>
#include <cstdint>

#include "movement/unit_type.h"

namespace kv::bench {

// The movement classes of the sample terrain table.
inline constexpr std::uint8_t kCarMoveClass = 0;
inline constexpr std::uint8_t kPersonMoveClass = 16;

// Loads mission 1's level and terrain from the sample data once; false when they are missing.
bool LoadMissionOne();
// Loads them again, for a benchmark that put a map of its own in their place.
bool RestoreMissionOne();

// A type whose two animations (stand, walk) have one footprint box in every direction: halfWidth
// to either side of the hot spot and height above it.
struct BenchTyp {
    BenchTyp(std::uint8_t unitClass, float speed, std::uint8_t moveClass, std::int16_t halfWidth,
             std::int16_t height);
    BenchTyp(const BenchTyp&) = delete;
    BenchTyp& operator=(const BenchTyp&) = delete;
    std::array<AnimSlot, 2> slots{};
    UnitTypHead head{};
};

}  // namespace kv::bench
