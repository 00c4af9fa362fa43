#pragma once
// The fire model: heat and fuel on the map cells and on every cell of every house floor, spread
// once a tick to eight neighbours that a five-phase cycle picks.
//
// Only what the explosions use is declared so far; the fire model fills in the bodies.

#include <array>
#include <cstdint>

namespace kv {

// A neighbour of a cell and the share of the cell's heat it gets (heat / divisor).
struct BrandSpread {
    std::int16_t dcolumn;
    std::int16_t drow;
    std::int16_t divisor;
};

inline constexpr int kBrandPhases = 5;
inline constexpr int kBrandSpreadPerPhase = 8;

// Per phase the eight neighbours a burning cell heats. Together they are every cell 1 to 4 steps
// away (|dcolumn| + |drow|), each once; the divisor grows with the distance: 2, 4, 16, 256.
inline constexpr std::array<std::array<BrandSpread, kBrandSpreadPerPhase>, kBrandPhases>
    BrandSpreadTable = {{
        {{{-2, -2, 256},
          {0, -2, 4},
          {2, -2, 256},
          {-2, 0, 4},
          {2, 0, 4},
          {-2, 2, 256},
          {0, 2, 4},
          {2, 2, 256}}},
        {{{-1, -2, 16},
          {0, -1, 2},
          {2, -1, 16},
          {-1, 0, 2},
          {1, 0, 2},
          {-2, 1, 16},
          {0, 1, 2},
          {1, 2, 16}}},
        {{{0, -4, 256},
          {1, -2, 16},
          {-2, -1, 16},
          {-4, 0, 256},
          {4, 0, 256},
          {2, 1, 16},
          {-1, 2, 16},
          {0, 4, 256}}},
        {{{0, -3, 16},
          {-1, -1, 4},
          {1, -1, 4},
          {-3, 0, 16},
          {3, 0, 16},
          {-1, 1, 4},
          {1, 1, 4},
          {0, 3, 16}}},
        {{{-1, -3, 256},
          {1, -3, 256},
          {-3, -1, 256},
          {3, -1, 256},
          {-3, 1, 256},
          {3, 1, 256},
          {-1, 3, 256},
          {1, 3, 256}}},
    }};

// 0..4; the simulation tick steps it after the world's updates.
extern std::int16_t BrandPhase;

// A share of a fire's heat reaching map cell (column, row): a plain cell that is not burning and
// has fuel warms and ignites above its class's threshold; a cell of a house warms the house's
// ground-floor cell, which may ignite. Nothing outside the map. Does nothing yet: the fire model
// comes with its own work.
void PassHeatToMapCell(int column, int row, std::int32_t heat);

void ResetBrand();

}  // namespace kv
