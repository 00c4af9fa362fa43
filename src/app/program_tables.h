#pragma once
// The tables through which the shell reaches the screens and the order callbacks.

namespace kv {

// Names every game mode's handlers and every order callback to the shell. Called once before
// the shell starts.
void InstallProgramTables();

}  // namespace kv
