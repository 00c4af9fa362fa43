#pragma once
// Persons in distress: created with a deadline plan that the mission script watches, offered to
// the player's boat and ring carrier under the mouse, and fetched with a click.

#include <cstdint>

namespace kv {

// A new person in distress with its deadline delay seconds from now, or -1 when the array is
// full. approachDx, approachDy: from the person to where a boat stops; -1 in both for none.
std::int16_t CreateTimedVictim(std::int8_t type, std::int16_t x, std::int16_t y,
                               std::uint16_t state, std::uint16_t delay, std::int16_t approachDx,
                               std::int16_t approachDy);

// With the boat or the ring carrier selected: whether a person in distress within its reach lies
// under the mouse; then the rescue cursor is chosen and the result is 1.
std::uint8_t CheckTimedVictimUnderMouse();
// The click: sends the selected boat or ring carrier to the person in distress under the mouse.
// 1 when orders were given.
std::uint8_t RescueTimedVictim();

}  // namespace kv
