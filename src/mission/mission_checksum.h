#pragma once
// One number for the state of the running simulation, so that two runs of one seed can be
// compared tick by tick: FNV-1a 64 over the tick counter, the clock, the counters, every used
// unit's stored fields (owned blocks and queues by what they hold, never by address), the map
// cells with their animation and fire state, the houses with their floors and furniture, the
// zones' occupants, and the special objects. Vehicles count whole, with their jets and baskets.

#include <cstdint>
#include <string_view>

#include "movement/traffic_paths.h"
#include "persons/person.h"
#include "vehicles/fahrzeug.h"
#include "world/furniture.h"
#include "world/sonder_obj.h"
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

// What a saved game leaves out on purpose, so that a game saved and loaded hashes as it did:
// the objects' and furniture's animation ticks, a traffic path's last car type, the units' draw
// corners and search state (their planning restarts after a load), and a person's evasion reset.
// The units' mover bits, head order flags, routes and piece lists are hashed as the save keeps
// them (vehicles/kept_on_save.h).
template <class R>
constexpr bool IsDroppedBySave(std::string_view) {
    return false;
}
constexpr bool IsUnitSearchField(std::string_view name) {
    return name == "drawX" || name == "drawY" || name == "pathSearch" || name == "contour" ||
           name == "shortcutFirst" || name == "shortcutLast" || name == "stepMarker";
}
template <>
constexpr bool IsDroppedBySave<Person>(std::string_view name) {
    return IsUnitSearchField(name) || name == "evadeReset";
}
template <>
constexpr bool IsDroppedBySave<Fahrzeug>(std::string_view name) {
    return IsUnitSearchField(name);
}
template <>
constexpr bool IsDroppedBySave<SonderObj>(std::string_view name) {
    return name == "tick";
}
template <>
constexpr bool IsDroppedBySave<HouseObj>(std::string_view name) {
    return name == "tick";
}
template <>
constexpr bool IsDroppedBySave<ZFWeg>(std::string_view name) {
    return name == "lastType";
}

}  // namespace kv
