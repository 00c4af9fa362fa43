#pragma once
// A stand-in for the world drawing, which is still to come: no map and no houses, only every
// draw-list entry drawn at its cell in list order, with the hover probe around them.

namespace kv::test {

// Into the current draw target.
void DrawEveryEntry();
// Into the work buffer, the draw target for the call; a frame step for the mission's
// DrawGameScreen.
void DrawEveryEntryIntoWorkBuffer();

}  // namespace kv::test
