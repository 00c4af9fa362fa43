#pragma once
// Onlookers and script fighters: their creators, and the controllers the person update runs for
// them.

#include <cstdint>

namespace kv {

// Fighters meet only below this line of the map, and a free fighter above the second line first
// walks down to where the others are.
inline constexpr float kFightLineY = 880.0f;
inline constexpr float kFightAreaY = 760.0f;

// A new onlooker (controller flags 1 + 2) standing at the point; -1 when the array is full or the
// cell does not fit the storey.
std::int16_t CreateGaffer(std::int8_t type, std::int16_t x, std::int16_t y, std::int8_t storey,
                          std::uint8_t direction, std::uint8_t contamination);
// A new fighter (controller flags 1 + 16) without a partner; -1 when the array is full, or
// upstairs when the cell is no house's.
std::int16_t CreateScriptPerson(std::int8_t type, std::int16_t x, std::int16_t y,
                                std::uint8_t storey, std::uint8_t direction);

// An idle onlooker on the ground that has strayed from the nearest onlooker target waits a
// while, then walks back to it.
void UpdateGaffer(std::int16_t person);
// A fighter looks for the nearest free fighter of the other club and meets it at a free meeting
// point, the stronger one to fight; without one it waits for its partner, walks down to the
// fighting area or strolls like an onlooker.
void StartPersonFight(std::int16_t person);

}  // namespace kv
