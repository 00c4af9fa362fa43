#pragma once
// What burns: kept by the fire model, zeroed at mission start and saved with the game.

#include <cstdint>

namespace kv {

extern std::int16_t BurningCellCount;       // burning map cells
extern std::int16_t BurningHouseCount;      // houses with at least one burning cell
extern std::int16_t BurningSonderObjCount;  // burning special objects

void ResetFireCounts();

}  // namespace kv
