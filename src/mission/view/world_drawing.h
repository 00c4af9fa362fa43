#pragma once
// The world view drawn back to front into DrawTarget: row by row, and within a row storey pass by
// storey pass, the ground tiles, the houses' lower, middle and upper parts with their flames and
// see-through storeys, and between them every draw-list entry at its depth; then the flying
// vehicles, and last the selection frames or the drag box. The hover probe runs while it draws,
// so that the front-most thing under the mouse is recorded for the next frame.

#include <cstdint>

#include "world/house_images.h"

namespace kv {

// Leaves HoverKind and HoverIds set for this frame. Returns at once after a fatal error: a house
// part whose flame layer holds a tile animation's kind.
void DrawWorld();

// The categories of house parts: 'L' lower, 'M' middle, 'U' upper, 'O' see-through upper.
// One house part with its left edge at x and its bottom line at y, by its flame layer's kind: 0
// the cell's own picture, 3 and from 5 on the burning picture, 4 the burnt one; 1 and 2 are
// fatal ("Show: ANI_TYPA/B"). From kind 5 on, with withOverlay, frame flameFrame of flame set
// kind - 5 of the category's list goes over it. A picture or a flame that its set does not hold
// is not drawn.
void ShowAni(char category, std::int8_t kind, int x, int y, const HouseImageSet& set,
             std::uint16_t image, std::uint8_t flameFrame, std::uint8_t withOverlay);
// The same part mixed over what lies below it, without flames; every kind but 0 and 4 shows the
// burning picture. Never fails.
void DrawObjectFrame(char category, std::int8_t kind, int x, int y, const HouseImageSet& set,
                     std::uint16_t image);

}  // namespace kv
