#pragma once
// The cursor shape the player sees in the mission: it tells what a left click would do there
// (scroll, move, act on the thing under the mouse, spray water, land, open a house at a storey,
// change storey) and the click acts on the shapes from 19 on as the cursor showed them.

#include <cstdint>

namespace kv {

// Once per mission frame, after the ticks and before the screen: writes CursorId from the mouse,
// the view, what lay under the mouse when the last frame was drawn, and the selection. The
// running mission's cursor hooks may decide first.
void ChooseCursor();
// The scroll shape while the mouse stands on an edge or a corner of the rectangle whose edges are
// these columns and rows, the at-limit shape where the view cannot move that way (a corner only at
// both limits); 0 elsewhere.
std::uint16_t ScrollEdgeCursor(int left, int right, int top, int bottom);

}  // namespace kv
