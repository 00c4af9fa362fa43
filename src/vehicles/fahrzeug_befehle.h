#pragma once
// The vehicle order interpreter: once per tick it runs the handler of the vehicle's head order and
// then brings the vehicle's draw corner up to date. Here too are the simple handlers: follow,
// wait, sidestep, shorten the path, jump, and the two timed animations.

#include <cstdint>

namespace kv {

// Runs the head order's handler; with orders that update zones, the vehicle's zone; last the draw
// corner. Nothing for an empty queue, a free slot or an index outside the array. Opcodes without
// a vehicle handler stay at the head.
void ExecuteFahrzeugBefehl(std::int16_t index);

// Order 6: follow a vehicle or person. a: the target's position when the order was laid (x low,
// y high); b: the callback slot that plans anew; c: target kind (low, 1 vehicle or 4 person) and
// index (high).
void RunFahrzeugBefehl06(std::int16_t index);
// Order 7: wait a ticks (at least one).
void RunFahrzeugBefehl07(std::int16_t index);
// Order 8: sidestep away from the movement state's reference point (aimX, aimY): turn to the
// first free step, then straight on; at most 10 steps in all. a counts the steps; producers that
// lay it with a = 0 set the reference point first.
void RunFahrzeugBefehl08(std::int16_t index);
// Order 11: shorten the planned path by up to 3 waypoints, then run the next order.
void RunFahrzeugBefehl11(std::int16_t index);
// Order 12: jump to (a, b) facing c once the spot is free.
void RunFahrzeugBefehl12(std::int16_t index);
// Orders 43 and 61: show animation 3 or 4 for a ticks, then stand.
void RunFahrzeugBefehl43(std::int16_t index);
void RunFahrzeugBefehl61(std::int16_t index);

}  // namespace kv
