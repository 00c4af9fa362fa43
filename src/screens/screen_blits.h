#pragma once
// Pictures the screens over the mission draw: a frame of a loaded set and the cursor, both cut to
// the screen, since their sizes come from files.

#include "gfx/image_files.h"

namespace kv {

// A picture into the current draw target, transparent (colour 0 left out) or opaque.
void DrawScreenPicture(const VffImage* picture, int x, int y, bool transparent);
// Frame n of the set, the same way; nothing for a frame the set does not have.
void DrawScreenFrame(const VffImage* set, int n, int x, int y, bool transparent);
// Frame CursorId of the cursor pictures at the mouse; nothing for the "no cursor" id.
void DrawScreenCursor();

}  // namespace kv
