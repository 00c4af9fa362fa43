#pragma once
// The operations of a unit's order queue that the world's modules call. Only these are declared
// so far; the order queue (the order record, appending, pushing, popping and the callbacks) fills
// them in, and until then they are inert: no unit has orders.

#include "core/unit_head.h"

namespace kv {

// Removes every order of the unit and drops its planning state.
void ClearBefehle(UnitHead& unit);
// The opcode of the unit's head order; -1 when its queue is empty.
int HeadBefehlOpcode(const UnitHead& unit);

}  // namespace kv
