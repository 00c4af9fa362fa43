#pragma once
// The output of the free path search: a vehicle whose road route is blocked on its way to a
// route waypoint goes round the blockage and carries on along the route.

#include <cstdint>

#include "core/unit_head.h"
#include "movement/unit_type.h"

namespace kv {

// Goes round the blockage met at (stopX, stopY) facing stopDir on the way to the route waypoint
// at (nodeX, nodeY), backing off to (backX, backY) first unless the unit stands there; 1 when the
// unit's queue was rewritten. Never takes over until the free path search comes.
std::uint8_t RejoinRoute(UnitHead& unit, const UnitTypHead& type, float stopX, float stopY,
                         std::uint8_t stopDir, float backX, float backY, float nodeX, float nodeY);

}  // namespace kv
