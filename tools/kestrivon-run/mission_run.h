#pragma once
// What both ways of running the runner share: the game's start-up on the headless backend, a
// mission started from its campaign position, bare simulation ticks, and the end. Each step
// gives an empty string when it went well, else what went wrong.

#include <string>

namespace kv::run {

// Handles every waiting message, as the main loop would between frames.
void DrainMessages();
// The program tables, the window and the game's start-up.
std::string StartGame();
// Mission N from its campaign position, its video ended at once and its campaign map left for
// play as after the briefing, then game speed 1.
std::string StartMissionRun(int mission);
// The running mission ends and the one a save-game header named starts from its slot 0..11, as
// the load screen starts it; false when the file was refused over the rebuilt mission (which
// then plays as new).
bool LoadMissionRun(int slot);
// What stopped the last start: empty, or the fatal error or the mode it ended in.
std::string LastRunError();
// One simulation tick without drawing.
std::string RunTick();
// One whole frame of the mission screen at game speed 1: the buttons, the scroll, one tick, the
// cursor, the drawing and the mission's check.
std::string RunFrame();
// A mission still running in the mission view, or stopped on its failed or won screen, ends;
// nothing after a fatal error.
void EndMission();
// The window goes, and its last messages are handled.
void CloseGameWindow();
// Whatever happened, the mission ends, the window goes and the game's state is freed.
void EndGame();

}  // namespace kv::run
