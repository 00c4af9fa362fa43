#pragma once
// The start of the program (game mode 1): two logo videos and the intro, then the start picture,
// where a click or a key starts the game.

#include "platform/messages.h"

namespace kv {

// The game's start, a new mission (slot -1) or a saved one; the mission view names it.
using StartMissionFunction = void (*)(int slot);
void SetStartMissionFunction(StartMissionFunction start);

void PlayLogoVideos();
// The end of each start-up video leads here through the main window.
void NextIntroVideo();
void HandleIntroClick(WParam wParam, int x, int y);
void HandleIntroKey(WParam wParam, LParam lParam);

}  // namespace kv
