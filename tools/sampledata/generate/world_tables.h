#pragma once
// The rows of "data\terrain.dat" and "data\material.dat" that the levels and missions name.

#include <cstdint>

namespace kv::sampledata {

// Terrain rows.
namespace terrain {
inline constexpr std::uint8_t kRoad = 0;
inline constexpr std::uint8_t kGrass = 1;
inline constexpr std::uint8_t kField = 2;
inline constexpr std::uint8_t kForestFloor = 3;
inline constexpr std::uint8_t kRock = 4;
inline constexpr std::uint8_t kSand = 5;
inline constexpr std::uint8_t kWater = 6;    // shallow: boats only, not on foot
inline constexpr std::uint8_t kCrevice = 7;  // only aircraft pass

inline constexpr std::uint8_t kBurntGround = 8;
inline constexpr std::uint8_t kMeadow = 9;
inline constexpr std::uint8_t kDirtPath = 10;
inline constexpr std::uint8_t kTrampledField = 11;
inline constexpr std::uint8_t kBurntGrass = 12;
inline constexpr std::uint8_t kBurntField = 13;
inline constexpr std::uint8_t kBurntForest = 14;
inline constexpr std::uint8_t kBridge = 17;  // closed to boats
inline constexpr std::uint8_t kPaving = 21;
inline constexpr std::uint8_t kWall = 23;  // closed to everything on the ground
inline constexpr std::uint8_t kDeepWater = 24;
inline constexpr std::uint8_t kTrack = 55;  // a race track's surface
inline constexpr std::uint8_t kLake = 62;
inline constexpr std::uint8_t kTrees = 76;  // 'L': where the chainsaw crews work
inline constexpr int kCount = 80;
}  // namespace terrain

// Movement classes: vehicles by type 0..15, persons 16 and 17.
namespace move_class {
inline constexpr int kCount = 18;
inline constexpr int kFirstBoat = 9;  // 9 and 10 go on water only
inline constexpr int kLastBoat = 10;
inline constexpr int kAir = 15;
inline constexpr int kPerson = 16;
inline constexpr int kPersonOther = 17;
}  // namespace move_class

// Fire classes.
namespace material {
inline constexpr std::uint8_t kNone = 0;
inline constexpr std::uint8_t kFuel = 1;  // vehicles and spilt fuel
inline constexpr std::uint8_t kGrass = 2;
inline constexpr std::uint8_t kCloth = 3;
inline constexpr std::uint8_t kWood = 4;
inline constexpr std::uint8_t kHouse = 5;
inline constexpr std::uint8_t kCrop = 6;
inline constexpr std::uint8_t kWreck = 7;
inline constexpr std::uint8_t kFurniture = 8;
inline constexpr std::uint8_t kBushes = 9;
inline constexpr std::uint8_t kForest = 10;
inline constexpr std::uint8_t kAircraft = 11;
inline constexpr std::uint8_t kChemicals = 12;
inline constexpr std::uint8_t kEngine = 13;
inline constexpr std::uint8_t kOil = 14;
inline constexpr std::uint8_t kPaper = 15;
inline constexpr int kCount = 16;
}  // namespace material

}  // namespace kv::sampledata
