#pragma once
// The tables through which the engine below reaches the screens, the order callbacks and the
// missions.

namespace kv {

// Installs every game mode's handlers, every order callback, the person orders handled above
// the persons and every mission's hooks. Called once before the main loop starts.
void InstallProgramTables();

}  // namespace kv
