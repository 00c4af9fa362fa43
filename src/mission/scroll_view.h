#pragma once
// The state of the view's scrolling and the mission keys: the glide home and to a jump target,
// the accelerating edge and arrow-key scroll, and the progress of the mission-jump word. The
// mission start resets it; the scrolling itself and the key handlers come with the view
// scrolling work.

#include <cstdint>

#include "core/view.h"

namespace kv {

// The mission's start view, set by its level hook; the End key glides back to it.
extern ViewPoint HomeView;
extern std::uint8_t GlideHome;
// A view origin to glide to, set by Tab and Home, while its flag is set.
extern ViewPoint JumpTarget;
extern std::uint8_t JumpTargetActive;
// Pixels per frame, and +1 or -1, per axis.
extern ViewPoint ScrollVelocity;
extern ViewPoint ScrollDirection;
// The arrow key held (37..40), 0 none.
extern std::uint8_t ArrowKeyHeld;
// The vehicle the last Tab centred on; 65535 none.
extern std::uint16_t NextVehicleIndex;
// How many letters of the mission-jump word were typed, 0..6.
extern std::int16_t JumpWordStep;

// Everything as at mission start.
void ResetScrollView();

}  // namespace kv
