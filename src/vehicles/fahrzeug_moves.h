#pragma once
// The movement orders of vehicles: drive to a point by road route or free path (orders 0, 4 and
// 54), the helicopter's flight to a point, turning (1), driving to the best of a group of goal
// points (2 and 5) and going straight (3). Each takes the vehicle's index and works on its head
// order.

#include <cstdint>

#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_typ.h"

namespace kv {

// Orders 0, 4 and 54: a far move tries the road first, anything else the free path search; once
// planned, the waypoint shortcut, the step ring and one step a tick.
void RunFahrzeugBefehl00(std::int16_t vehicle);
// The same orders for the helicopter, which never takes the road.
void RunHeliBefehl00(std::int16_t vehicle);
// Order 1: one direction step a tick towards c (relative to the facing when d is -1) where the
// vehicle stands at (a, b), or anywhere for (0, 0), as long as its footprint fits.
void RunFahrzeugBefehl01(std::int16_t vehicle);
// Orders 2 and 5: far goals are first driven towards along the road, then the free path search
// picks the goal.
void RunFahrzeugBefehl02(std::int16_t vehicle);
// Order 3: straight along direction c to (a, b).
void RunFahrzeugBefehl03(std::int16_t vehicle);

// One step along the step ring towards the head order's waypoint: the road route's exit test,
// arrival (with a cannon vehicle's early stop in reach of its target), then the step and the
// look-ahead for what stands in the way.
void DriveFahrzeugStep(std::int16_t vehicle);
// Whether a vehicle following a road route has come within 70 px of the route's current point
// while nearer to the point after it, with a straight way to the current point free.
bool IsWaypointReached(std::int16_t vehicle);

// A person in a vehicle's way is told to get out of it: when it stands ahead of the vehicle, away
// from a point a step back from it towards the vehicle, turned from straight ahead; else away from
// the vehicle.
void TellPersonToEvade(const Fahrzeug& vehicle, const FahrzeugTyp& type, std::uint16_t person);

}  // namespace kv
