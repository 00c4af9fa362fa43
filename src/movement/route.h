#pragma once
// Road route search over the level's road graph.

#include "core/unit_head.h"

namespace kv {

// Frees a unit's road route with its waypoint lists; null is ignored. Nothing allocates a route
// until the road route search comes.
void FreeRoute(Route* route);

}  // namespace kv
