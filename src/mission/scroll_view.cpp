#include "mission/scroll_view.h"

namespace kv {

ViewPoint HomeView;
std::uint8_t GlideHome = 0;
ViewPoint JumpTarget;
std::uint8_t JumpTargetActive = 0;
ViewPoint ScrollVelocity;
ViewPoint ScrollDirection{1, 1};
std::uint8_t ArrowKeyHeld = 0;
std::uint16_t NextVehicleIndex = 65535;
std::int16_t JumpWordStep = 0;

void ResetScrollView() {
    HomeView = {};
    GlideHome = 0;
    JumpTarget = {};
    JumpTargetActive = 0;
    ScrollVelocity = {};
    ScrollDirection = {1, 1};
    ArrowKeyHeld = 0;
    NextVehicleIndex = 65535;
    JumpWordStep = 0;
}

}  // namespace kv
