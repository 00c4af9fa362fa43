#pragma once
// The release of the left button on the mission screen: a box selects, a click gives the
// selection its orders on what lay under the mouse when the last frame was drawn.

#include "platform/messages.h"

namespace kv {

// The left-button-up handler of game mode 2, with the release point on the screen. Only a release
// that ends a press in the world view counts, and only once.
void HandleMissionClick(WParam wParam, int x, int y);

}  // namespace kv
