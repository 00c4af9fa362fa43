#pragma once
// The person orders that persons and vehicles share: follow a unit, wait, the straight walk with
// side-stepping, follow the planned path and place at a point. Each takes the person's index and
// reads its arguments from the head order.

#include <cstdint>

namespace kv {

// Order 6: follow a vehicle or a person. a: where the target stood when the order was laid (x in
// the low 16 bits, y in the high, unsigned); b: the callback slot that lays the follower's next
// orders; c: the target's kind (low half) and index (high half). A target that no longer
// qualifies ends the follower's whole queue. Once the target stands on the aimed point the order
// ends; else a target within 50 px waits 100 ticks and the callback plans anew. Either way the
// next order runs at once.
void FollowTarget(std::int16_t person);
// Order 7: wait a ticks, standing; a of 1 or less ends on the first tick.
void WaitPerson(std::int16_t person);
// Order 8: walk straight on, at most 10 steps after the first, until something is in the way. a
// counts the steps. From a = 0 the first tick looks for a free step, starting at the person's
// direction and turning in the sense that the aim point (aimX, aimY) gives; so whoever lays it
// with a = 0 sets the aim point first, or lays it with a = 1 to walk on as the person faces.
void WalkPersonStraight(std::int16_t person);
// Order 11: shortens the planned path by up to 3 waypoints, then runs the next order at once.
void PlanPersonPath(std::int16_t person);
// Order 12: puts the person at (a, b) facing c once its footprint fits there; tried every tick.
void PlacePersonIfFree(std::int16_t person);

}  // namespace kv
