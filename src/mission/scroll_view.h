#pragma once
// The view's scrolling: the glide home and to a jump target, and the accelerating scroll while
// the mouse touches a screen edge or an arrow key is held. The mission keys that set the targets
// are in mission_keys.h.

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

// The mouse touches a screen edge at these positions: the cursor is kept inside them.
inline constexpr int kMouseEdgeLeft = 21;
inline constexpr int kMouseEdgeRight = 778;
inline constexpr int kMouseEdgeTop = 21;
inline constexpr int kMouseEdgeBottom = 578;

// The largest view origin of the mission's map. A map smaller than the view gives 0, so the
// view never goes below 0 either.
ViewPoint ViewScrollLimits();
// The point raised to 0 and lowered to the limits, per axis.
ViewPoint LimitToView(int x, int y);
// No scroll speed on either axis, both directions +1: the scroll starts afresh.
void ResetViewScroll();

// Once per frame of the mission: the glides, then the edge and arrow-key scroll.
void ScrollView();

// Everything as at mission start.
void ResetScrollView();

}  // namespace kv
