#pragma once
// What lay under the mouse when the last frame was drawn. The world drawing records it; the
// cursor choice, the click dispatcher and the world's facade look-ups read it between frames.

#include <array>
#include <cstdint>

namespace kv {

// The kinds of what is hovered.
inline constexpr std::uint16_t kHoverMapCell = 0;
inline constexpr std::uint16_t kHoverHouseLower = 1;  // pieces of a house storey
inline constexpr std::uint16_t kHoverHouseMiddle = 2;
inline constexpr std::uint16_t kHoverHouseUpper = 3;
inline constexpr std::uint16_t kHoverPerson = 4;
inline constexpr std::uint16_t kHoverFahrzeug = 5;
inline constexpr std::uint16_t kHoverSonderObj = 6;
inline constexpr std::uint16_t kHoverFurniture = 7;
inline constexpr std::uint16_t kHoverNothing = 65535;

extern std::uint16_t HoverKind;
// For house pieces: house-grid column, row, storey, house index.
extern std::array<std::uint16_t, 4> HoverIds;
// The colour the probe pixel under the mouse had before the probe set it to 0.
extern std::uint8_t HoverSavedPixel;

// Nothing hovered.
void ResetHover();

}  // namespace kv
