#pragma once
// The frame of game mode 2: the command buttons, the view, the simulation ticks, the sound, the
// cursor, the screen, and last the mission's own check.

namespace kv {

// The frame function of game mode 2. A fatal error ends the frame where it happens.
void RunMissionFrame();
// Game mode 2's answer to the end of a video: the mission begins.
void OnMissionVideoEnded();

}  // namespace kv
