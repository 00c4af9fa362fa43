#pragma once
// The mouse position on the screen, as the screens last saw it.

#include <cstdint>

namespace kv {

extern std::uint16_t MouseX;
extern std::uint16_t MouseY;

void ResetMouse();

}  // namespace kv
