#pragma once
// Throwers: persons with the rival controller that throw burning bottles at people and vehicles
// near them, and in missions 10 and 15 at the places those missions name.

#include <cstdint>

namespace kv {

// Replaces the person's orders by a turn towards a point near (x, y) and a throw at it: the
// farther the point, the wider the aim spreads (a quarter of the distance).
void OrderRivalThrow(std::int16_t person, std::int16_t x, std::int16_t y);
// Order 166 (a, b = the aim point, c = the direction): the throwing animation; at its frame 12 a
// bottle (special object 5) flies from the thrower to the aim point, when a slot is free.
void RunPersonBefehl166(std::int16_t person);
// The thrower's controller: on the map and outside houses, walking or idle, it picks a target
// within 200 px (each nearer candidate with one chance in a hundred) and throws at it.
void UpdateRivalPerson(std::int16_t person);

}  // namespace kv
