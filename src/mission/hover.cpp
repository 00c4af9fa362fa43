#include "mission/hover.h"

namespace kv {

std::uint16_t HoverKind = kHoverNothing;
std::array<std::uint16_t, 4> HoverIds{};

}  // namespace kv
