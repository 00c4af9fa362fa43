#include "core/mouse.h"

namespace kv {

std::uint16_t MouseX = 0;
std::uint16_t MouseY = 0;

void ResetMouse() {
    MouseX = 0;
    MouseY = 0;
}

}  // namespace kv
