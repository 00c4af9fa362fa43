#pragma once
// The ground tiles drawn by code: grass, meadow, roads, field, forest, water, sand, rock and
// burnt ground, the rock's crevices, with the fire and burnt looks of what burns and the water's
// animation.

#include <cstdint>

#include "writers/tile_set_writer.h"

namespace kv::sampledata {

// The tile numbers every level's tile set holds.
namespace tile {
inline constexpr std::uint16_t kGrass = 0;
inline constexpr std::uint16_t kMeadow = 1;
inline constexpr std::uint16_t kRoad = 2;
inline constexpr std::uint16_t kRoadMarking = 3;  // a dashed centre line along the top edge
inline constexpr std::uint16_t kField = 4;
inline constexpr std::uint16_t kForest = 5;
inline constexpr std::uint16_t kWater = 6;
inline constexpr std::uint16_t kDeepWater = 7;
inline constexpr std::uint16_t kSand = 8;
inline constexpr std::uint16_t kRock = 9;
inline constexpr std::uint16_t kBurntGround = 10;
inline constexpr std::uint16_t kCrevice = 11;  // a cleft in the rock
inline constexpr std::uint16_t kCount = 12;
}  // namespace tile

// Frames of the fire and water animations.
inline constexpr int kFireFrames = 4;
inline constexpr int kFireTicks = 3;
inline constexpr int kWaterFrames = 4;
inline constexpr int kWaterTicks = 8;

TileSetFile BuildGroundTileSet();

}  // namespace kv::sampledata
