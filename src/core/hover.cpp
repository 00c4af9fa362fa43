#include "core/hover.h"

namespace kv {

std::uint16_t HoverKind = kHoverNothing;
std::array<std::uint16_t, 4> HoverIds{};

void ResetHover() {
    HoverKind = kHoverNothing;
    HoverIds = {};
}

}  // namespace kv
