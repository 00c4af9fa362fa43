#pragma once
// A left click on a person or a special object. On a person the selected unit acts on it (the
// helicopter picks a casualty up, staff carry it, the medic treats or revives it, the stretcher
// team loads it, a civilian takes up a pursuit), or else the person becomes the selection. On a
// special object the selected unit acts on it; such a click never changes the selection.

#include "mission/input/click_orders.h"

namespace kv {

// The message of a pursuit taken up, and how many frames it shows.
inline constexpr char kPursuitText[] = "Verfolgung aufgenommen!";
inline constexpr std::uint16_t kPursuitFrames = 60;

// HoverIds[0] is the person.
void HandlePersonClick(const ClickPoints& click);
// HoverIds[0] is the special object.
void HandleSonderObjClick(const ClickPoints& click);

}  // namespace kv
