#pragma once
// Drawing the message line under the world view: a darkened box behind the text in the
// WorkBuffer, then the text on the back surface, which also counts the line's lifetime down.

#include <cstdint>

namespace kv {

class TextContext;

// Darkens the box behind a non-empty message in the WorkBuffer, centred under the view and cut
// to the screen.
void DrawMessageBox();
// Writes a non-empty message onto the back surface and counts its lifetime down; the count runs
// on when the surface cannot take the text.
void DrawMessageLine();

// White Arial 21 on a transparent background, as the message line and the clock are written.
void UseLargeWhiteText(TextContext& dc, std::uint32_t align);

}  // namespace kv
