#pragma once
// The two ends of a mission, which only the missions' checks call: the mission-failed screen
// (game mode 4) with its reason on the message line, and the mission-won screen (game mode 5).
// Neither runs the simulation any more.

#include <cstdint>
#include <string_view>

namespace kv {

// Fails at once, explosions or not.
inline constexpr std::uint16_t kFailNow = 0;
// Waits until no explosion runs: the check asks again next frame.
inline constexpr std::uint16_t kFailAfterExplosions = 1;

// The reason (Windows-1252) stays on the message line until replaced; the money goes back to what
// the mission was entered with.
void ShowMissionFailed(std::uint16_t kind, std::string_view reason);
// The money left is carried into the next mission.
void ShowWellDone();

}  // namespace kv
