#pragma once
// The free path search around obstacles.

#include "core/unit_head.h"

namespace kv {

// Frees the unit's search with its node lists and goal array, clears the link, frees its turning
// record and clears mover bits 0, 2 and 3. Nothing starts a search until the free path search
// comes, so this only clears the link and frees the turning record.
void FreePathSearch(UnitHead& unit);

}  // namespace kv
