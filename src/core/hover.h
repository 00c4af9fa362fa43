#pragma once
// What lay under the mouse when the last frame was drawn. The world drawing records it; the
// cursor choice, the click dispatcher and the world's facade look-ups read it between frames.

#include <array>
#include <cstdint>

namespace kv {

// 0 map cell, 1 lower, 2 middle, 3 upper piece of a house storey, 4 person, 5 vehicle,
// 6 special object, 7 furniture.
inline constexpr std::uint16_t kHoverNothing = 65535;

extern std::uint16_t HoverKind;
// For house pieces: house-grid column, row, storey, house index.
extern std::array<std::uint16_t, 4> HoverIds;

// Nothing hovered.
void ResetHover();

}  // namespace kv
