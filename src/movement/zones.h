#pragma once
// Zones: rectangles of the map that a mission defines with a capacity. A unit that ends a
// movement tick wholly inside one is counted there, and a full zone blocks further units.

#include <cstdint>
#include <vector>

#include "gfx/primitives.h"

namespace kv {

struct Zone {
    std::int16_t x1 = 0;  // top-left corner in map pixels
    std::int16_t y1 = 0;
    std::int16_t x2 = 0;  // bottom-right corner
    std::int16_t y2 = 0;
    std::uint16_t capacity = 0;  // units the zone holds before it counts as full
    std::uint16_t occupants = 0;
};

// The saved zone: 12 bytes.
template <class V>
constexpr void VisitFields(Zone& r, V& v) {
    v("x1", r.x1);
    v("y1", r.y1);
    v("x2", r.x2);
    v("y2", r.y2);
    v("capacity", r.capacity);
    v("occupants", r.occupants);
}

// Set by the mission before AllocZones; 0 = no zones.
extern std::uint8_t ZoneCount;
extern std::vector<Zone> Zones;

// No zones; then the mission's own zone set-up, if it has one.
void ResetZones(int mission);
// ZoneCount empty zones.
void AllocZones();
// Ignored for an index past the list.
void SetZone(std::uint8_t index, std::uint16_t x1, std::uint16_t y1, std::uint16_t x2,
             std::uint16_t y2, std::uint16_t capacity);
void FreeZones();

// Unit kinds of the occupancy count.
inline constexpr std::uint8_t kZoneKindVehicle = 1;
inline constexpr std::uint8_t kZoneKindCivilVehicle = 2;
inline constexpr std::uint8_t kZoneKindPerson = 4;
// Counts the unit in the first zone that holds its footprint wholly; any other kind or a unit
// outside the array does nothing.
void UpdateZoneOccupancy(std::uint8_t kind, std::int16_t unit);
// The first full zone that the footprint overlaps: true and its index, else false and 0xFFFF.
bool FindFullZone(const Rect16& footprint, std::uint16_t& index);

}  // namespace kv
