#pragma once
// The movement orders of persons: walk to a point (orders 0 and 4, and an onlooker's walk to its
// target, 159), turn (1), walk to the best of a group of goal points (2 and 5), and go straight
// (3). Each takes the person's index and works on its head order.

#include <cstdint>

namespace kv {

// Orders 0, 4 and 159: the first tick hands the move to the free path search, later ticks take the
// waypoint shortcut, plan the step ring and take one step.
void RunPersonBefehl00(std::int16_t person);
// Order 1: one direction step a tick towards c (relative to the facing when d is -1), where the
// person stands at (a, b), or anywhere for (0, 0).
void RunPersonBefehl01(std::int16_t person);
// Orders 2 and 5: the free path search picks the goal and lays the way.
void RunPersonBefehl02(std::int16_t person);
// Order 3: straight along direction c to (a, b).
void RunPersonBefehl03(std::int16_t person);

// One step along the step ring towards the head order's waypoint: arrival, then the step and the
// look-ahead for what stands in the way.
void WalkPersonStep(std::int16_t person);

// The direction from the person to the start of the traffic path passing nearest it; its own
// facing without paths or when it stands on that start.
std::uint8_t GetPersonTargetDirection(std::int16_t person);

}  // namespace kv
