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
// Mission N from its campaign position, its video ended at once, then game speed 1.
std::string StartMissionRun(int mission);
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
