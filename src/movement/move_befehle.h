#pragma once
// The movement orders of vehicles: drive by road route or free path (orders 0, 4 and 54), the
// helicopter's straight flight, turning, moving to the best of a group of goal points, the
// straight free-path drive, the civilian traffic drive and the turn on the spot.
//
// Declared here for the vehicle order interpreter; until the movement handlers come, each does
// nothing and the order stays at the head.

#include <cstdint>

namespace kv {

// Orders 0, 4 and 54: drive to the order's point.
void RunFahrzeugBefehl00(std::int16_t vehicle);
// The same orders for the helicopter: it flies there directly.
void RunHeliBefehl00(std::int16_t vehicle);
// Order 1: turn one direction step per tick to a facing.
void RunFahrzeugBefehl01(std::int16_t vehicle);
// Orders 2 and 5: move to the best of a group of goal points.
void RunFahrzeugBefehl02(std::int16_t vehicle);
// Order 3: drive to a point by free path search.
void RunFahrzeugBefehl03(std::int16_t vehicle);
// Order 47: drive a civilian traffic path, with the hooks of missions 16 and 19.
void RunFahrzeugBefehl47(std::int16_t vehicle);
// Order 56: turn on the spot towards the order's point.
void RunFahrzeugBefehl56(std::int16_t vehicle);

// Ends a take-along: the led person and its leader let go of each other; with place set the
// leader first steps clear of the led one. Does nothing yet: it comes with the movement handlers.
void ReleaseLedPerson(std::int16_t led, std::int16_t leader, std::uint8_t place);

}  // namespace kv
