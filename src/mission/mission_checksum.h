#pragma once
// One number for the state of the running simulation, so that two runs of one seed can be
// compared tick by tick: FNV-1a 64 over the tick counter, the clock, the counters, every used
// unit's stored fields (owned blocks and queues by what they hold, never by address), the map
// cells with their animation and fire state, the houses with their floors and furniture, the
// zones' occupants, and the special objects. Vehicles count whole, with their jets and baskets.

#include <cstdint>
#include <string_view>

#include "world/wasser_strahl.h"

namespace kv {

std::uint64_t MissionChecksum();

// Fields that only the drawers write and no tick reads; a drawn run and a bare run of one seed
// hash the same because these stay out. A record with such fields names them here.
template <class R>
constexpr bool IsDrawnField(std::string_view) {
    return false;
}
// The hose jet's texture column.
template <>
constexpr bool IsDrawnField<SchlauchStrahl>(std::string_view name) {
    return name == "ticksRunning";
}
// The cannon jet's texture column.
template <>
constexpr bool IsDrawnField<WasserStrahl>(std::string_view name) {
    return name == "reserved";
}

}  // namespace kv
