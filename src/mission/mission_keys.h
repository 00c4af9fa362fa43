#pragma once
// The keys of the mission: Tab centres the next usable vehicle, Home the selected unit, End
// glides home, the arrows scroll, Space pauses, 1..3 set the game speed, and the mission-jump
// word typed over the options button opens the mission jump.

#include <string_view>

#include "platform/messages.h"

namespace kv {

// Recognised only while the mouse lies over the options button.
inline constexpr std::string_view kMissionJumpWord = "EINSATZ";

// The key-down and key-up handlers of game mode 2; the key is read as a signed byte.
void OnGameKeyDown(WParam key, LParam lParam);
void OnGameKeyUp(WParam key, LParam lParam);

}  // namespace kv
