#pragma once
// Selecting by dragging a box over the world view.

#include <cstdint>

namespace kv {

// The box between the press and the release, in world pixels, corners included.
struct SelectionBox {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// The units whose pictures the box touches become the selection.
void SelectInBox(const SelectionBox& box);

}  // namespace kv
