#pragma once
// The free path search around obstacles.

#include <cstdint>

#include "core/unit_head.h"
#include "movement/unit_type.h"

namespace kv {

// One tick of the unit's free path search for its head move order: 1 when the search is over and
// the queue rewritten, 0 while it runs or after a failure. Until the free path search comes it
// starts nothing and returns 0, so a move goes straight at its point.
std::uint8_t FindPath(UnitHead& unit, const UnitTypHead& type);

// Frees the unit's search with its node lists and goal array, clears the link, frees its turning
// record and clears mover bits 0, 2 and 3. Nothing starts a search until the free path search
// comes, so this only clears the link and frees the turning record.
void FreePathSearch(UnitHead& unit);

}  // namespace kv
