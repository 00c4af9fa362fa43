#pragma once
// Drawing the message line under the world view: a darkened box behind the text in the
// WorkBuffer, then the text on the back surface, which also counts the line's lifetime down.

namespace kv {

// Darkens the box behind a non-empty message in the WorkBuffer.
void DrawMessageBox();
// Writes a non-empty message onto the back surface and counts its lifetime down.
void DrawMessageLine();

}  // namespace kv
