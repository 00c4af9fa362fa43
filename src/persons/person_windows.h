#pragma once
// Leaving a house's upper storeys by the windows: stepping into the basket of a ladder vehicle
// (and out of it at the ground), or climbing out and jumping towards the catching team, which
// catches whoever lands close enough to it.

#include <cstdint>

namespace kv {

// Order 181: step into the basket of vehicle c, standing exactly at (a, b), while its basket
// stands at column d and position e and its ladder is set up; from the ground once the basket is
// lowered, from a window once it is raised. A led person takes its leader into the basket and the
// take-along ends.
void EnterKanzel(std::int16_t person);
// Order 182: step out of the basket at the ground.
void RunPersonBefehl182(std::int16_t person);
// Order 187, the catching team's: calls the idle script-controlled persons at window column d of
// house c to jump towards (a, b), every tick until the order is replaced.
void RunPersonBefehl187(std::int16_t person);
// Order 188: climb out of a window (c = 0) or off a raised spot (c = 1), standing exactly at
// (a, b).
void RunPersonBefehl188(std::int16_t person);
// Order 189: fall; a = the catcher (-1 none), c = the drift so far. Lands caught and walks off,
// or as a casualty.
void FallFromStorey(std::int16_t person);

}  // namespace kv
