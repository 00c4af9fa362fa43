#pragma once
// The two resets of all game state. ResetGameState frees what a mission set up, in the order the
// mission's end frees it; mission end and loading a save run it. ResetProgramState resets what
// outlives a mission (options, money, the installed tables, the preloaded types); tests run both
// so that every test starts from nothing.

namespace kv {

void ResetGameState();
void ResetProgramState();

}  // namespace kv
