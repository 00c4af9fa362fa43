#include "world/brand.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <span>

#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/mission_hooks.h"
#include "core/random.h"
#include "world/brand_cells.h"
#include "world/furniture.h"
#include "world/house_images.h"
#include "world/tile_set.h"

namespace kv {

namespace brand {

HouseCellRef FindHouseCell(int house, int floor, int i, int j) {
    House* h = PlacedHouse(house);
    if (h == nullptr || floor < 0 || static_cast<std::size_t>(floor) >= h->floors.size()) return {};
    const HouseTyp& t = HouseTypOf(*h);
    if (i < 0 || i >= t.extentI || j < 0 || j >= t.extentJ) return {};
    return {h, house, floor, i, j};
}

HouseCellRef LinkedGroundCell(std::uint16_t tile) {
    // A decoded link names a placed house, which has a ground floor, and a cell of its type.
    const HouseLinkTarget link = DecodeHouseLink(tile);
    if (link.house < 0) return {};
    return {&Houses[static_cast<std::size_t>(link.house)], link.house, 0, link.i, link.j};
}

void CountHouseCellLit(House& h) {
    ++h.burningCells;
    if (h.burning == 0) {
        h.burning = 1;
        ++BurningHouseCount;
    }
}

void CountHouseCellOut(House& h) {
    if (h.burningCells > 0) --h.burningCells;
    if (h.burningCells == 0 && h.burning != 0) {
        h.burning = 0;
        --BurningHouseCount;
    }
}

void SetBurntMapCell(std::size_t cell) {
    MapCell& m = MapCells[cell];
    m.material = static_cast<std::uint8_t>(m.material & ~kMaterialUnburnt);
    CellAnims[cell].kind = 4;
    SetBurntTerrain(static_cast<int>(cell));
}

void IgniteCellFurniture(const HouseCellRef& c) {
    const std::uint16_t obj = At(c.floorState().objIndex, c.i, c.j);
    if (obj != kNoHouseObj) IgniteHouseObj(obj);
}

void EndCellFurnitureFire(const HouseCellRef& c) {
    const std::uint16_t obj = At(c.floorState().objIndex, c.i, c.j);
    if (obj != kNoHouseObj) EndHouseObjFire(obj);
}

void SetFlameLook(const HouseCellRef& c, std::uint8_t kind) {
    for (auto& layer : c.floorState().flames) At(layer, c.i, c.j).kind = kind;
}

}  // namespace brand

using namespace brand;

namespace {

// The animations always draw their random start frame, so that a frame count of 0 changes no later
// random number; such an animation starts at frame 0.
std::uint8_t RandomFrame(int frames) {
    const int r = Rand();
    return static_cast<std::uint8_t>(frames > 0 ? r % frames : 0);
}

void IgniteMapCell(std::size_t cell) {
    BrandState& s = BrandStates[cell];
    s.heat = 0;
    s.burning = 1;
    ++BurningCellCount;
    SetIgniteLook(static_cast<int>(cell));
}

void IgniteHouseCell(const HouseCellRef& c) {
    BrandState& s = c.state();
    s.heat = 0;
    s.burning = 1;
    IgniteCellFurniture(c);
    CountHouseCellLit(*c.house);
    StartCellFlames(c);
}

// A cell already burning, or with nothing left to burn, takes no heat.
bool TakesHeat(const BrandState& s) {
    return s.burning == 0 && s.fuel > 0;
}

// Heat reaching a plain map cell; it ignites once its heat is above its class's threshold.
void HeatPlainCell(std::size_t cell, std::int32_t heat) {
    BrandState& s = BrandStates[cell];
    if (!TakesHeat(s)) return;
    AddHeat(s.heat, heat);
    if (s.heat > MapMaterial(cell).ignite) IgniteMapCell(cell);
}

// A class given as "no limit" to its ignition never ignites, however high the heat climbs.
bool ReachesIgnition(std::int32_t heat, const Material& m) {
    return m.ignite != kMaterialUnlimited && heat >= m.ignite;
}

// Heat reaching a house cell on the same floor or another; it may ignite.
void HeatHouseCell(const HouseCellRef& c, std::int64_t heat) {
    BrandState& s = c.state();
    if (!TakesHeat(s)) return;
    AddHeat(s.heat, heat);
    if (ReachesIgnition(s.heat, HouseMaterial(*c.house, c.floor, c.i, c.j))) IgniteHouseCell(c);
}

// One tick of a burning cell's own fire: hotter, less fuel. True when it has burnt out.
bool Burn(BrandState& s, const Material& m) {
    GainHeat(s.heat, m);
    BurnFuel(s.fuel, s.heat);
    return s.fuel < 0;
}

// A cell that is not burning loses heat down to 0; heat below 0 (left by water) stays.
void Cool(BrandState& s, const Material& m) {
    LoseHeat(s.heat, m);
}

// Heat reaching a map cell inside the map, by its index. Most heat reaches cells that burn already:
// those are passed by here, before any call.
void PassHeatToCell(std::size_t cell, std::int32_t heat) {
    const std::uint16_t tile = MapCells[cell].tile;
    if (!IsHouseLink(tile)) {
        if (TakesHeat(BrandStates[cell])) HeatPlainCell(cell, heat);
    } else if (const HouseCellRef c = LinkedGroundCell(tile))
        HeatHouseCell(c, heat);
}

// The farthest a fire reaches, in cells along a row or a column.
constexpr int kBrandReach = 4;

// The neighbours a phase heats, as the sweeps use them: the divisor as its shift, and the step in
// the cell index that leads to the neighbour where it lies in the map.
struct SpreadStep {
    int dcolumn = 0;
    int drow = 0;
    int shift = 0;
    std::ptrdiff_t step = 0;
};
using PhaseSteps = std::array<SpreadStep, kBrandSpreadPerPhase>;

PhaseSteps StepsOf(std::span<const BrandSpread, kBrandSpreadPerPhase> spread) {
    PhaseSteps steps{};
    for (std::size_t k = 0; k < steps.size(); ++k)
        steps[k] = {spread[k].dcolumn, spread[k].drow,
                    std::countr_zero(static_cast<unsigned>(spread[k].divisor)),
                    static_cast<std::ptrdiff_t>(spread[k].dcolumn) * MapHeight + spread[k].drow};
    return steps;
}

void UpdateMapFire(const PhaseSteps& spread) {
    const int width = MapWidth;
    const int height = MapHeight;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (MapCells.size() < count || BrandStates.size() < count || CellAnims.size() < count) return;
    std::size_t cell = 0;
    for (int column = 0; column < width; ++column) {
        const bool innerColumn = column >= kBrandReach && column < width - kBrandReach;
        for (int row = 0; row < height; ++row, ++cell) {
            BrandState& s = BrandStates[cell];
            if (s.burning == 0) {
                if (s.heat > 0) Cool(s, MapMaterial(cell));
                continue;
            }
            if (Burn(s, MapMaterial(cell))) {
                s = BrandState{};
                --BurningCellCount;
                SetBurntMapCell(cell);
            }
            // A cell that has just burnt out passes no heat, but its neighbours are still tested.
            const std::int32_t heat = s.heat;
            // Away from the edges every neighbour lies in the map, a fixed step away.
            if (innerColumn && row >= kBrandReach && row < height - kBrandReach) {
                for (const SpreadStep& e : spread)
                    PassHeatToCell(
                        static_cast<std::size_t>(static_cast<std::ptrdiff_t>(cell) + e.step),
                        ShareByShift(heat, e.shift));
                continue;
            }
            for (const SpreadStep& e : spread)
                PassHeatToMapCell(column + e.dcolumn, row + e.drow, ShareByShift(heat, e.shift));
        }
    }
}

struct FloorSpread {
    int dfloor;
    int divisor;
};
constexpr FloorSpread kFloorSpread[] = {{1, 4}, {2, 256}, {-1, 4}, {-2, 256}};

// Heat from a burning house cell to the map around it: into cells of houses on the same floor
// (divided once more between two houses), and from the ground floor into plain map cells.
void SpreadFromHouseCell(const HouseCellRef& c, std::int32_t heat, const PhaseSteps& spread) {
    const House& h = *c.house;
    const HouseTyp& type = HouseTypOf(h);
    const HouseFloor& floor = c.floorState();
    // A link into this house is its cell's (i << 4 | j) above the house's first link.
    const int ownLinks = kHouseLinkBase + (c.index << 8);
    for (const SpreadStep& e : spread) {
        const int column = h.x + c.i + e.dcolumn;
        const int row = h.y + c.j + e.drow;
        const std::ptrdiff_t index = FireCellIndex(column, row);
        if (index < 0) continue;
        const auto cell = static_cast<std::size_t>(index);
        const std::uint16_t tile = MapCells[cell].tile;
        if (!IsHouseLink(tile)) {
            if (c.floor == 0 && TakesHeat(BrandStates[cell]))
                HeatPlainCell(cell, ShareByShift(heat, e.shift));
            continue;
        }
        // Mostly the heat stays in the house, and mostly it finds that cell burning already: the
        // floor and type at hand hold the cell, and a burning one is passed by at once.
        if (const int own = tile - ownLinks; own >= 0 && own < 256) {
            const int i = own >> 4;
            const int j = own & 15;
            if (i >= type.extentI || j >= type.extentJ) continue;
            if (TakesHeat(floor.brand[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]))
                HeatHouseCell({c.house, c.index, c.floor, i, j}, ShareByShift(heat, e.shift));
            continue;
        }
        const HouseLinkTarget link = DecodeHouseLink(tile);
        const HouseCellRef to = FindHouseCell(link.house, c.floor, link.i, link.j);
        // Another house (links into this one are taken above): the heat is divided once more on
        // its way there, heat / (divisor x between) as two truncating divisions give it.
        if (!to || !TakesHeat(to.state())) continue;
        const int between = std::max<std::int16_t>(HouseTypOf(*to.house).spreadDivisor, 1);
        HeatHouseCell(to, ShareByShift(heat, e.shift) / between);
    }
}

void UpdateHouseCell(const HouseCellRef& c, int phase, const PhaseSteps& spread) {
    BrandState& s = c.state();
    if (s.burning == 0) {
        if (s.heat > 0) Cool(s, HouseMaterial(*c.house, c.floor, c.i, c.j));
        return;
    }
    if (Burn(s, HouseMaterial(*c.house, c.floor, c.i, c.j))) {
        s = BrandState{};
        EndCellFurnitureFire(c);
        CountHouseCellOut(*c.house);
        SetFlameLook(c, kFlameBurnt);
    }
    const std::int32_t heat = s.heat;
    if (phase == 0) {
        const int floors = static_cast<int>(c.house->floors.size());
        for (const FloorSpread& v : kFloorSpread) {
            const int floor = c.floor + v.dfloor;
            if (floor >= 0 && floor < floors)
                HeatHouseCell({c.house, c.index, floor, c.i, c.j}, Share(heat, v.divisor));
        }
    }
    SpreadFromHouseCell(c, heat, spread);
}

void UpdateHouseFire(int phase, const PhaseSteps& spread) {
    for (std::size_t n = 0; n < Houses.size(); ++n) {
        House* h = PlacedHouse(static_cast<int>(n));
        if (h == nullptr) continue;
        const HouseTyp& t = HouseTypOf(*h);
        for (std::size_t f = 0; f < h->floors.size(); ++f) {
            const HouseFloor& floor = h->floors[f];
            for (int j = 0; j < t.extentJ; ++j)
                for (int i = 0; i < t.extentI; ++i) {
                    // Most cells of most houses are cold: skip them without more ado.
                    const BrandState& s =
                        floor.brand[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
                    if (s.burning == 0 && s.heat <= 0) continue;
                    UpdateHouseCell({h, static_cast<int>(n), static_cast<int>(f), i, j}, phase,
                                    spread);
                }
        }
    }
}

// A flame layer set from a cell's flame-set number: 0 shows the cell not burning, n shows set n
// of the layer's table from a random frame.
void SetFlameLayer(CellAnim& layer, int set, std::span<const HouseFlameSet> sets) {
    if (set == 0) {
        layer.kind = kFlameIdle;
        return;
    }
    layer.kind = static_cast<std::uint8_t>(kFlameFirstSet + set - 1);
    layer.frame = RandomFrame(sets[static_cast<std::size_t>(set - 1)].frames);
    layer.tick = 0;
}

void ResetFireState() {
    for (std::size_t cell = 0; cell < BrandStates.size() && cell < MapCells.size(); ++cell) {
        BrandState& s = BrandStates[cell];
        s.fuel = MapMaterial(cell).fuel;
        s.heat = 0;
    }
    for (std::size_t n = 0; n < Houses.size(); ++n) {
        House* h = PlacedHouse(static_cast<int>(n));
        if (h == nullptr) continue;
        const HouseTyp& t = HouseTypOf(*h);
        h->burning = 0;
        h->burningCells = 0;
        for (std::size_t f = 0; f < h->floors.size(); ++f)
            for (int i = 0; i < t.extentI; ++i)
                for (int j = 0; j < t.extentJ; ++j)
                    At(h->floors[f].brand, i, j) = {
                        HouseMaterial(*h, static_cast<int>(f), i, j).fuel, 0, 0};
    }
    for (HouseObj& o : HouseObjs) o.burning = 0;
    BurningCellCount = 0;
    BurningHouseCount = 0;
}

// The fires the level and the mission's hook have set: counted, and shown burning.
void LightStartingFires() {
    for (std::size_t cell = 0; cell < BrandStates.size() && cell < MapCells.size(); ++cell) {
        BrandState& s = BrandStates[cell];
        if (s.burning == 0) continue;
        // A map cell under a house that the level or the mission lights burns as a map cell,
        // on its own material; the house's fire starts only from its own cells.
        ++BurningCellCount;
        SetIgniteLook(static_cast<int>(cell));
    }
    for (std::size_t n = 0; n < Houses.size(); ++n) {
        House* h = PlacedHouse(static_cast<int>(n));
        if (h == nullptr) continue;
        const HouseTyp& t = HouseTypOf(*h);
        for (std::size_t f = 0; f < h->floors.size(); ++f)
            for (int i = 0; i < t.extentI; ++i)
                for (int j = 0; j < t.extentJ; ++j) {
                    if (At(h->floors[f].brand, i, j).burning == 0) continue;
                    CountHouseCellLit(*h);
                    StartCellFlames(
                        HouseCellRef{h, static_cast<int>(n), static_cast<int>(f), i, j});
                }
    }
}

}  // namespace

bool InitBrand(int mission) {
    if (!LoadMaterials()) return false;
    ResetFireState();
    auto hook = MissionHook(mission, &MissionHooks::InitBrand, "InitBrand");
    if (hook == nullptr) return false;
    hook();
    if (FatalErrorRaised()) return false;
    LightStartingFires();
    return true;
}

void UpdateBrand() {
    const int phase = CurrentBrandPhase();
    const PhaseSteps spread = StepsOf(BrandSpreadTable[static_cast<std::size_t>(phase)]);
    UpdateMapFire(spread);
    UpdateHouseFire(phase, spread);
}

void SetIgniteLook(int cell) {
    if (cell < 0 || static_cast<std::size_t>(cell) >= CellAnims.size() ||
        static_cast<std::size_t>(cell) >= MapCells.size())
        return;
    CellAnim& a = CellAnims[static_cast<std::size_t>(cell)];
    const std::uint16_t tile = MapCells[static_cast<std::size_t>(cell)].tile;
    // A tile the tile set does not have shows the fire image.
    if (tile >= TileTypen.size()) {
        a.kind = kFireImageLook;
        return;
    }
    const TileTyp& t = TileTypen[tile];
    if (t.animA.flag == kAnimFire) {
        a.kind = 1;
        a.frame = RandomFrame(t.animA.frames);
        a.tick = 0;
    } else if (t.animB.flag == kAnimFire) {
        a.kind = 2;
        a.frame = RandomFrame(t.animB.frames);
        a.tick = 0;
    } else {
        a.kind = kFireImageLook;
    }
}

void PassHeatToMapCell(int column, int row, std::int32_t heat) {
    const std::ptrdiff_t cell = FireCellIndex(column, row);
    if (cell >= 0) PassHeatToCell(static_cast<std::size_t>(cell), heat);
}

void CheckCellIgnition(int house, int floor, int i, int j) {
    const HouseCellRef c = FindHouseCell(house, floor, i, j);
    if (!c) return;
    const BrandState& s = c.state();
    if (s.burning != 0 || !ReachesIgnition(s.heat, HouseMaterial(*c.house, floor, i, j))) return;
    IgniteHouseCell(c);
}

void LightHouseIgnitionCell(int house) {
    const House* h = PlacedHouse(house);
    if (h == nullptr) return;
    const HouseTyp& t = HouseTypOf(*h);
    const int i = t.extentI - 1;
    const int j = t.extentJ - 2;
    const HouseCellRef c = FindHouseCell(house, 0, i, j);
    // Only a cell the building stands on burns.
    if (!c || t.cell(0, i, j).lowerImage == 0) return;
    c.state().heat = HouseMaterial(*c.house, 0, i, j).ignite;
    CheckCellIgnition(house, 0, i, j);
}

bool IgniteMapCellAt(int column, int row) {
    const std::ptrdiff_t index = FireCellIndex(column, row);
    if (index < 0) return false;
    const auto cell = static_cast<std::size_t>(index);
    const std::uint16_t tile = MapCells[cell].tile;
    if (IsHouseLink(tile)) {
        const HouseCellRef c = LinkedGroundCell(tile);
        if (!c) return false;
        const BrandState& s = c.state();
        if (s.burning == 0 && s.fuel > 0) IgniteHouseCell(c);
        return s.burning != 0;
    }
    const BrandState& s = BrandStates[cell];
    if (s.burning == 0 && s.fuel > 0) IgniteMapCell(cell);
    return s.burning != 0;
}

void StartCellFlames(int house, int floor, int i, int j) {
    if (const HouseCellRef c = FindHouseCell(house, floor, i, j)) StartCellFlames(c);
}

void brand::StartCellFlames(const HouseCellRef& c) {
    const int i = c.i;
    const int j = c.j;
    const HouseCell& cell = HouseTypOf(*c.house).cell(c.floor, i, j);
    auto& flames = c.floorState().flames;
    if (cell.lowerFlames > kLowerFlameSetCount) return;
    SetFlameLayer(At(flames[kFlameLower], i, j), cell.lowerFlames, LowerFlameSets);
    if (cell.middleFlames > kMiddleFlameSetCount) return;
    SetFlameLayer(At(flames[kFlameMiddle], i, j), cell.middleFlames, MiddleFlameSets);
    if (cell.upperFlames > kUpperFlameSetCount) return;
    SetFlameLayer(At(flames[kFlameUpper], i, j), cell.upperFlames, UpperFlameSets);
    At(flames[kFlameFourth], i, j).kind = kFlameIdle;
}

}  // namespace kv
