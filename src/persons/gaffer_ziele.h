#pragma once
// The mission's onlooker targets: the places onlookers drift back to and stand around.
//
// Only the table and its checked lookup stand here so far; the set-up per mission, the nearest
// target and the onlookers that walk to them come with the onlookers.

#include <cstdint>
#include <vector>

namespace kv {

struct GafferZiel {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t radius = 0;
};

// GafferZielCount entries; empty when the mission has none.
extern std::vector<GafferZiel> GafferZiele;

// False for an index that names no target.
bool GetGafferZiel(std::int64_t index, GafferZiel& out);

// Mission end: the table goes.
void FreeGafferZiele();

}  // namespace kv
