#pragma once
// The civilian cars' orders: driving a traffic path (order 47), with the waits and the turns on
// the spot (order 56) by which a car gets past or away from what blocks its lane.

#include <cstdint>

namespace kv {

// Order 47: plans the step ring towards (a, b), then drives it (RunFahrzeugBefehl47Body).
void RunFahrzeugBefehl47(std::int16_t vehicle);
// One step of the traffic drive: every third step ahead is looked at (with the wide rule for
// lying civilians where the step heads for the target); missions 16 and 19 may let a car through
// what it met. A blocked car waits 20 ticks, turns to face its target, lets an onlooker get out of
// the way, or turns back to (c, d) before a civilian sitting in its lane.
void RunFahrzeugBefehl47Body(std::int16_t vehicle);
// Order 56: turns on the spot towards (a, b); facing 90 degrees from direction d it first drives
// c steps straight on.
void RunFahrzeugBefehl56(std::int16_t vehicle);

}  // namespace kv
