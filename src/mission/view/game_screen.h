#pragma once
// The mission screen, one whole frame: composed in the WorkBuffer (panels, world, point markers,
// cursor, message box), copied into the back surface with the clock's dark box, the clock and the
// message line written over it, and shown.

namespace kv {

// Draws and shows one frame of game mode 2. Shows nothing after a fatal error in the world's
// drawing, or when the surfaces cannot be restored or locked.
void DrawGameScreen();

}  // namespace kv
