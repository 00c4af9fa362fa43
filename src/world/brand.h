#pragma once
// The fire model: heat and fuel on the map cells and on every cell of every house floor. Once a
// tick a burning cell grows hotter, burns fuel equal to its heat and passes a share of its heat to
// eight neighbours that a five-phase cycle picks; house cells also heat the floors above and
// below. Water takes heat away and puts fires out, and the heat around vehicles, persons and
// special objects hurts or heats them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/fire_counts.h"

namespace kv {

// A neighbour of a cell and the share of the cell's heat it gets (heat / divisor).
struct BrandSpread {
    std::int16_t dcolumn;
    std::int16_t drow;
    std::int16_t divisor;
};

inline constexpr int kBrandPhases = kBrandPhaseCount;
inline constexpr int kBrandSpreadPerPhase = 8;
inline constexpr int kBrandNeighbours = kBrandPhases * kBrandSpreadPerPhase;

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

// The phase of the cycle this tick; one out of range (only a damaged save could hold one) counts
// as phase 0.
inline int CurrentBrandPhase() {
    return BrandPhase >= 0 && BrandPhase < kBrandPhases ? BrandPhase : 0;
}

namespace brand_detail {

constexpr bool RowOrderBefore(const BrandSpread& a, const BrandSpread& b) {
    return a.drow != b.drow ? a.drow < b.drow : a.dcolumn < b.dcolumn;
}

constexpr std::array<BrandSpread, kBrandNeighbours> InRowOrder(
    const std::array<std::array<BrandSpread, kBrandSpreadPerPhase>, kBrandPhases>& phases) {
    std::array<BrandSpread, kBrandNeighbours> all{};
    std::size_t n = 0;
    for (const auto& phase : phases)
        for (const BrandSpread& e : phase) {
            std::size_t k = n++;
            while (k > 0 && RowOrderBefore(e, all[k - 1])) {
                all[k] = all[k - 1];
                --k;
            }
            all[k] = e;
        }
    return all;
}

}  // namespace brand_detail

// The same 40 neighbours in row order (drow from -4 to 4, within a row dcolumn ascending): water
// and the heat around units reach all of them at once.
inline constexpr std::array<BrandSpread, kBrandNeighbours> WasserSpreadTable =
    brand_detail::InRowOrder(BrandSpreadTable);

// Water on a house: the map cells along the hit row.
inline constexpr std::array<BrandSpread, 8> HouseWasserTable = {{
    {-4, 0, 256},
    {-3, 0, 16},
    {-2, 0, 4},
    {-1, 0, 2},
    {1, 0, 2},
    {2, 0, 4},
    {3, 0, 16},
    {4, 0, 256},
}};

namespace brand_detail {
constexpr bool PowersOfTwo(std::span<const BrandSpread> table) {
    for (const BrandSpread& e : table)
        if (e.divisor <= 0 || (e.divisor & (e.divisor - 1)) != 0) return false;
    return true;
}
}  // namespace brand_detail
static_assert(brand_detail::PowersOfTwo(WasserSpreadTable) &&
              brand_detail::PowersOfTwo(HouseWasserTable));

// Water that puts a fire out also takes this much heat more, so that the cell has to be heated up
// again before it burns: a hit cell, a neighbouring cell, a special object.
inline constexpr std::int32_t kWasserHitChill = 4000000;
inline constexpr std::int32_t kWasserNeighbourChill = 1000000;
inline constexpr std::int32_t kWasserSonderObjChill = 100000;

// Fire set-up at mission start and for a second part: the material table, every cell's fuel, the
// mission's `InitBrand` hook (the cells that burn at the start), then the counters and the looks
// of what burns. False after a FatalError.
bool InitBrand(int mission);
// The fire step, first thing of every tick: the map, then the houses.
void UpdateBrand();
// Second thing of every tick: the heat around vehicles, persons and special objects.
void ApplyBrandDamage();
// Water delivered at a world point: cools the cell hit and its neighbours, puts fires out, and
// cools the special objects around the point. floor -1 wets every floor of a house hit; vehicle
// is the one whose cannon delivers (-1 none).
void ApplyWasser(std::int16_t x, std::int16_t y, std::int32_t strength, std::int16_t floor,
                 std::int16_t vehicle);

// A house cell that is not burning ignites when its heat has reached its class's threshold.
// Nothing for a cell that burns already or that the house does not have.
void CheckCellIgnition(int house, int floor, int i, int j);
// The flame layers of a house cell that has caught fire.
void StartCellFlames(int house, int floor, int i, int j);
// A house cell whose heat water has taken below 1 goes out, and the jets aimed at it stop.
void ExtinguishCell(int house, int floor, int i, int j, std::int16_t vehicle);

// The fire look of a map cell that has caught fire: its tile's fire animation, else its fire
// image.
void SetIgniteLook(int cell);
// A share of a fire's heat reaching map cell (column, row): a plain cell that is not burning and
// has fuel warms and ignites above its class's threshold; a cell of a house warms the house's
// ground-floor cell, which may ignite. Nothing outside the map.
void PassHeatToMapCell(int column, int row, std::int32_t heat);
// Sets map cell (column, row) burning as heat past its threshold would: heat 0, counted, its fire
// look; a cell of a house lights the ground-floor house cell it links to. Like heat, it lights no
// cell without fuel. True when the cell burns afterwards; false outside the map and for a link
// that names no house cell.
bool IgniteMapCellAt(int column, int row);
// The cell an arsonist lights, (extentI - 1, extentJ - 2) on the house's ground floor, takes the
// heat of its class's threshold and so catches fire. Nothing for a house not placed, or a cell
// outside its grid or without building on it.
void LightHouseIgnitionCell(int house);

}  // namespace kv
