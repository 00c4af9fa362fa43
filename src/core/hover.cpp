#include "core/hover.h"

namespace kv {

std::uint16_t HoverKind = kHoverNothing;
std::array<std::uint16_t, 4> HoverIds{};
std::uint8_t HoverSavedPixel = 0;

void ResetHover() {
    HoverKind = kHoverNothing;
    HoverIds = {};
    HoverSavedPixel = 0;
}

}  // namespace kv
