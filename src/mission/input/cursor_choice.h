#pragma once
// The cursor shape the player sees in the mission: it tells what a left click would do there
// (scroll, move, act on the thing under the mouse, spray water, land, open a house at a storey,
// change storey) and the click acts on the shapes from 19 on as the cursor showed them.

namespace kv {

// Once per mission frame, after the ticks and before the screen: writes CursorId from the mouse,
// the view, what lay under the mouse when the last frame was drawn, and the selection. The
// running mission's cursor hooks may decide first.
void ChooseCursor();

}  // namespace kv
