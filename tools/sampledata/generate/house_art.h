#pragma once
// The house pictures drawn by code: floors (hl), walls with windows and doors (hm), ceilings and
// roofs (hu) with their see-through outlines (ho), each with burning and burnt looks, and the
// flame overlays of burning floors, windows and roofs (lb, mb, ub).

#include <cstdint>

#include "world/house_images.h"
#include "writers/house_writer.h"

namespace kv::sampledata {

// Pictures of a floor set; each look that burns is followed in its table by its burning and burnt
// pictures.
namespace hl_image {
inline constexpr std::uint16_t kNone = 0;
inline constexpr std::uint16_t kBoards = 1;
inline constexpr std::uint16_t kTiles = 2;
}  // namespace hl_image

// Pictures of a wall set. A door picture is followed by the same door marked as searched.
namespace hm_image {
inline constexpr std::uint16_t kNone = 0;
inline constexpr std::uint16_t kFront = 1;
inline constexpr std::uint16_t kRight = 2;
inline constexpr std::uint16_t kCorner = 3;
inline constexpr std::uint16_t kFrontDoor = 4;
inline constexpr std::uint16_t kCornerFrontDoor = 6;
inline constexpr std::uint16_t kRightDoor = 8;
inline constexpr std::uint16_t kCornerRightDoor = 10;
}  // namespace hm_image

// Pictures of a ceiling set, the same numbers in its see-through set.
namespace hu_image {
inline constexpr std::uint16_t kNone = 0;
inline constexpr std::uint16_t kSlab = 1;
inline constexpr std::uint16_t kSlabDoor = 2;
inline constexpr std::uint16_t kRoof = 4;
inline constexpr std::uint16_t kRoofDoor = 5;
// Over a front wall: the ceiling with the wall's upper band.
inline constexpr std::uint16_t kSlabFront = 11;
inline constexpr std::uint16_t kSlabFrontDoor = 12;
inline constexpr std::uint16_t kSlabFrontSideDoor = 14;
inline constexpr std::uint16_t kRoofFront = 16;
inline constexpr std::uint16_t kRoofFrontDoor = 17;
inline constexpr std::uint16_t kRoofFrontSideDoor = 19;
}  // namespace hu_image

HouseImageSetFile BuildHlSet(int set);
HouseImageSetFile BuildHmSet(int set);
// The ceilings, or their outlines for the see-through set.
HouseImageSetFile BuildHuSet(int set, bool seeThrough);
HouseFlameSetFile BuildFlameSet(FlameLayer layer, int set);

}  // namespace kv::sampledata
