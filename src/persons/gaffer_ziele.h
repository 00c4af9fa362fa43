#pragma once
// The mission's onlooker targets: the places onlookers drift back to and stand around. The
// mission's hook sets the count, allocates the table and fills it at mission start; the table
// lives until the mission ends.

#include <cstdint>
#include <vector>

namespace kv {

struct GafferZiel {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t radius = 0;
};

// Set by the mission's hook before it calls AllocGafferZiele.
extern std::uint8_t GafferZielCount;
// GafferZielCount entries; empty when the mission has none.
extern std::vector<GafferZiel> GafferZiele;

// False for an index that names no target.
bool GetGafferZiel(std::int64_t index, GafferZiel& out);

// Mission start: no table, count 0, then the mission's hook; a mission without one is a fatal
// error. A table built before (a second part builds its own) goes first.
void InitGafferZiele(int mission);
// GafferZielCount targets at (0, 0), radius 0; an earlier table goes.
void AllocGafferZiele();
// One target; an index outside the table changes nothing.
void SetGafferZiel(std::int16_t index, std::uint16_t x, std::uint16_t y, std::uint16_t radius);
// The target nearest the point (the distance truncated, the first of equal ones); -1 when there
// is none.
std::int16_t FindNearestGafferZiel(std::int16_t x, std::int16_t y);

// Mission end: the table goes.
void FreeGafferZiele();

}  // namespace kv
