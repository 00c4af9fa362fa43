#pragma once
// What the fire model's spread, water and damage share: checked access to the fire state of map
// cells and house cells, heat sums that stop at the ends of the 32-bit range, and the counting of
// burning house cells.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "core/saturate.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/materials.h"

namespace kv {
struct UnitHead;
}  // namespace kv

namespace kv::brand {

// The map's kind of a cell showing its fire image.
inline constexpr std::uint8_t kFireImageLook = 3;

// Heat and fuel sums stop at the ends of the i32 range: a cell must not wrap from the hottest to
// the coldest.
using kv::AddHeat;
using kv::Saturate;

// The steps of a fire's tick, for cells and special objects alike. Burning, the heat climbs by the
// class's gain while below its maximum, and then the fuel drops by the heat.
inline void GainHeat(std::int32_t& heat, const Material& m) {
    if (m.maxHeat > heat) AddHeat(heat, m.gain);
}
inline void BurnFuel(std::int32_t& fuel, std::int32_t heat) {
    fuel = Saturate(static_cast<std::int64_t>(fuel) - heat);
}
// Not burning, heat above 0 falls by the class's loss down to 0; heat below 0 (left by water)
// stays.
inline void LoseHeat(std::int32_t& heat, const Material& m) {
    if (heat <= 0) return;
    heat = std::max(Saturate(static_cast<std::int64_t>(heat) - m.loss), 0);
}

// heat / divisor, rounded toward zero like the division, for the tables' divisors, which are all
// powers of two: a shift, where a division would cost the sweep most of its time.
inline std::int32_t ShareByShift(std::int32_t heat, int shift) {
    const std::int32_t bias = (heat >> 31) & ((1 << shift) - 1);
    return (heat + bias) >> shift;
}
inline std::int32_t Share(std::int32_t heat, int divisor) {
    return ShareByShift(heat, std::countr_zero(static_cast<unsigned>(divisor)));
}

// The class of a map cell (the unburnt bit masked off) and of a house cell (its byte as it is).
inline const Material& MapMaterial(std::size_t cell) {
    return MaterialOf(MapCells[cell].material & kMaterialClassMask);
}
inline const Material& HouseMaterial(const House& h, int floor, int i, int j) {
    return MaterialOf(HouseTypOf(h).cell(floor, i, j).material);
}

template <class T>
T& At(HouseCellGrid<T>& grid, int i, int j) {
    return grid[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
}

// Whether a cell of column i of a house's floor burns, in rows 0 to depth - 1.
inline bool ColumnBurns(const House& h, int floor, int i, int depth) {
    const HouseFloor& f = h.floors[static_cast<std::size_t>(floor)];
    for (int j = 0; j < depth; ++j)
        if (f.brand[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)].burning != 0)
            return true;
    return false;
}

// The index of a map cell whose fire the cell arrays hold: inside the map and inside all three
// arrays, since a map whose arrays fall short of its size has no cells past their end. -1 for any
// other. Every step that reaches a map cell by its column and row asks this one guard.
inline std::ptrdiff_t FireCellIndex(int column, int row) {
    if (!CellInMap(column, row)) return -1;
    const auto cell = static_cast<std::size_t>(CellIndex(column, row));
    if (cell >= MapCells.size() || cell >= CellAnims.size() || cell >= BrandStates.size())
        return -1;
    return static_cast<std::ptrdiff_t>(cell);
}

// A house cell by (house, floor, i, j), all checked: the house placed, the floor one of its
// floors, the cell inside its type's extent.
struct HouseCellRef {
    House* house = nullptr;
    int index = -1;
    int floor = 0;
    int i = 0;
    int j = 0;

    explicit operator bool() const { return house != nullptr; }
    HouseFloor& floorState() const { return house->floors[static_cast<std::size_t>(floor)]; }
    BrandState& state() const { return At(floorState().brand, i, j); }
};
HouseCellRef FindHouseCell(int house, int floor, int i, int j);
// The ground-floor cell a map tile links to; empty for a ground tile and for a link that names no
// placed house or a cell outside its type (such a cell has no fire).
HouseCellRef LinkedGroundCell(std::uint16_t tile);

// Counting a house cell that has caught fire or stopped burning: the house's count and flag, and
// the count of burning houses.
void CountHouseCellLit(House& h);
void CountHouseCellOut(House& h);

// Vehicle n when heat on the storey reaches it: placed with a known type, on that storey, and a
// helicopter only once landed; else null.
const UnitHead* HeatableFahrzeug(std::int32_t n, int storey);
// Heat reaching vehicle n less its type's protection; only a rest above 0 is added.
void HeatFahrzeug(std::int32_t n, const UnitHead& v, std::int64_t heat);

// A map cell burnt out: the burnt look and its terrain's burnt successor.
void SetBurntMapCell(std::size_t cell);
// The furniture of a house cell: catches fire with it, or shows its burnt look.
void IgniteCellFurniture(const HouseCellRef& c);
void EndCellFurnitureFire(const HouseCellRef& c);
// Every flame layer of a house cell shows the same look.
void SetFlameLook(const HouseCellRef& c, std::uint8_t kind);
// StartCellFlames and ExtinguishCell (brand.h) of a cell already found.
void StartCellFlames(const HouseCellRef& c);
void ExtinguishCell(const HouseCellRef& c, std::int16_t vehicle);

}  // namespace kv::brand
