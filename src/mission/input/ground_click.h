#pragma once
// A click on the ground (a map cell under the mouse): water from a cannon or a hose, landing the
// helicopter, driving the ladder vehicle with its basket, felling a tree, moving a box group, a
// person stepping out of the basket, and else the move of the whole selection.

#include "mission/input/click_orders.h"

namespace kv {

// The cell is the one the last frame recorded under the mouse (HoverIds' column and row).
void ClickOnMapCell(const ClickPoints& at);

}  // namespace kv
