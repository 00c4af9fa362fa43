// Water on the fire model: the cell hit and its neighbours lose heat, cells, house cells and
// special objects that drop below 1 go out, and the jets aimed at a fire that went out stop.

#include <algorithm>

#include "core/fire_counts.h"
#include "core/unit_views.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "world/brand.h"
#include "world/brand_cells.h"
#include "world/geometry.h"
#include "world/sonder_obj.h"
#include "world/wasser_strahl.h"

namespace kv {

using namespace brand;

namespace {

// A vehicle's jet stops and its orders are cleared, unless it is burning out.
void StopJetAndOrders(std::int32_t vehicle) {
    UnitHead* v = FahrzeugUnits.at(vehicle);
    if (v == nullptr || v->type < 0 || HeadBefehlOpcode(*v) == kOpBurnOut) return;
    StopWasserStrahl(static_cast<std::int16_t>(vehicle), 0);
    ClearBefehle(*v);
}

// Every vehicle whose running jet aims where the test says.
template <class AimedHere>
void StopJetsAimed(AimedHere aimedHere) {
    for (std::int32_t v = 0; v < FahrzeugUnits.count; ++v) {
        const WasserStrahl* jet = FahrzeugWasserStrahl(v);
        if (jet != nullptr && jet->active != 0 && aimedHere(*jet)) StopJetAndOrders(v);
    }
}

// Jets whose target, taken down to the ground, lies in a map cell.
void StopJetsAimedAtGround(int column, int row) {
    StopJetsAimed([&](const WasserStrahl& jet) {
        return CellFromPixel(jet.targetX, jet.targetY + jet.height) == CellPos{column, row};
    });
}

// Water on a plain map cell, one FireCellIndex holds; a fire it puts out needs chill more heat to
// burn again.
void CoolPlainCell(std::size_t cell, int column, int row, std::int32_t amount, std::int32_t chill,
                   std::int16_t vehicle) {
    BrandState& s = BrandStates[cell];
    AddHeat(s.heat, -static_cast<std::int64_t>(amount));
    if (s.heat >= 1 || s.burning == 0) return;
    s.burning = 0;
    --BurningCellCount;
    AddHeat(s.heat, -static_cast<std::int64_t>(chill));
    if (vehicle != -1) StopJetAndOrders(vehicle);
    StopJetsAimedAtGround(column, row);
    if (s.fuel > 0)
        CellAnims[cell].kind = kFireImageLook;
    else
        SetBurntMapCell(cell);
}

// Water on a house cell; it goes out below 1 and keeps what heat it has.
void CoolHouseCell(const HouseCellRef& c, std::int32_t amount, std::int16_t vehicle) {
    AddHeat(c.state().heat, -static_cast<std::int64_t>(amount));
    ExtinguishCell(c, vehicle);
}

// The share of the water that reaches a cell around the one hit.
void WaterOnNeighbour(int column, int row, std::int32_t amount) {
    const std::ptrdiff_t cell = FireCellIndex(column, row);
    if (cell < 0) return;
    const std::uint16_t tile = MapCells[static_cast<std::size_t>(cell)].tile;
    if (!IsHouseLink(tile))
        CoolPlainCell(static_cast<std::size_t>(cell), column, row, amount, kWasserNeighbourChill,
                      -1);
    else if (const HouseCellRef c = LinkedGroundCell(tile))
        CoolHouseCell(c, amount, -1);
}

// A house hit at ground cell (I, J0) from map cell (column, row): the cells from the hit one back
// to the rear row on the floor hit (every floor, from the top, for -1), then the map cells along
// the rows the house covers.
void WaterOnHouse(const HouseCellRef& hit, int column, int row, std::int32_t strength,
                  std::int16_t floor, std::int16_t vehicle) {
    const int depth = HouseTypOf(*hit.house).extentJ;
    const int floors = static_cast<int>(hit.house->floors.size());
    for (int n = 0; n <= std::min(depth - 1, hit.j); ++n) {
        const int j = hit.j - n;
        if (floor == -1) {
            for (int f = floors - 1; f >= 0; --f)
                if (const HouseCellRef c = FindHouseCell(hit.index, f, hit.i, j))
                    CoolHouseCell(c, strength, vehicle);
        } else if (const HouseCellRef c = FindHouseCell(hit.index, floor, hit.i, j)) {
            CoolHouseCell(c, strength, vehicle);
        }
    }
    for (int n = 0; n < depth; ++n)
        for (const BrandSpread& e : HouseWasserTable)
            WaterOnNeighbour(column + e.dcolumn, row - n, Share(strength, e.divisor));
}

// Water on the special objects on the ground around the point: full strength within the larger
// half-side of the object's box (at least 10), a quarter within twice that.
void WaterOnSonderObjs(std::int16_t x, std::int16_t y, std::int32_t strength, std::int16_t vehicle,
                       int column, int row) {
    for (std::int32_t n = 0; n < SonderObjCount; ++n) {
        SonderObj* o = SonderObjAt(n);
        if (o == nullptr || o->type == -1 || o->storey != 0 || o->visible == 0 || o->fuel <= 0)
            continue;
        const SonderObjTyp* t = SonderObjTypAt(o->type);
        int cx = 0;
        int cy = 0;
        if (t == nullptr || !SonderObjBoxMiddle(*o, cx, cy)) continue;
        const int w = (t->boxX1 - t->boxX0) / 2;
        const int h = (t->boxY1 - t->boxY0) / 2;
        int r = std::max(w, h);
        if (r <= 10) r = 10;
        const std::int32_t d =
            DistanceInt(static_cast<std::int16_t>(cx), static_cast<std::int16_t>(cy), x, y);
        if (d >= 2 * r) continue;
        AddHeat(o->heat, -static_cast<std::int64_t>(d < r ? strength : strength / 4));
        if (o->heat >= 1 || o->burning == 0) continue;
        o->burning = 0;
        --BurningSonderObjCount;
        AddHeat(o->heat, -static_cast<std::int64_t>(kWasserSonderObjChill));
        if (vehicle != -1) StopJetAndOrders(vehicle);
        StopJetsAimedAtGround(column, row);
        o->type = FollowSonderObjTypLink(o->type, o->fuel > 0 ? t->extinguishedTyp : t->burntTyp);
        o->frame = 0;
        o->tick = 0;
    }
}

}  // namespace

void ApplyWasser(std::int16_t x, std::int16_t y, std::int32_t strength, std::int16_t floor,
                 std::int16_t vehicle) {
    const CellPos p = CellFromPixel(x, y);
    std::ptrdiff_t cell = FireCellIndex(p.column, p.row);
    if (cell < 0) return;
    int row = p.row;
    // Water aimed at a house's front lands a row below its cells: it belongs to the house. Row 0
    // has no row above; a link naming no house is not one.
    if (const std::ptrdiff_t above = FireCellIndex(p.column, row - 1);
        above >= 0 && LinkedGroundCell(MapCells[static_cast<std::size_t>(above)].tile)) {
        --row;
        cell = above;
    }
    const std::uint16_t tile = MapCells[static_cast<std::size_t>(cell)].tile;
    if (!IsHouseLink(tile)) {
        CoolPlainCell(static_cast<std::size_t>(cell), p.column, row, strength, kWasserHitChill,
                      vehicle);
        for (const BrandSpread& e : WasserSpreadTable)
            WaterOnNeighbour(p.column + e.dcolumn, row + e.drow, Share(strength, e.divisor));
    } else if (const HouseCellRef hit = LinkedGroundCell(tile)) {
        WaterOnHouse(hit, p.column, row, strength, floor, vehicle);
    }
    WaterOnSonderObjs(x, y, strength, vehicle, p.column, row);
}

void ExtinguishCell(int house, int floor, int i, int j, std::int16_t vehicle) {
    if (const HouseCellRef c = FindHouseCell(house, floor, i, j)) ExtinguishCell(c, vehicle);
}

void brand::ExtinguishCell(const HouseCellRef& c, std::int16_t vehicle) {
    const int floor = c.floor;
    const int i = c.i;
    BrandState& s = c.state();
    if (s.heat >= 1 || s.burning == 0) return;
    s.burning = 0;
    const HouseTyp& t = HouseTypOf(*c.house);
    if (vehicle != -1 && !ColumnBurns(*c.house, floor, i, t.extentJ)) StopJetAndOrders(vehicle);
    // Jets aim at the facade: the front row's map cell of the column, on this floor.
    const CellPos facade{c.house->x + i, c.house->y + t.extentJ - 1};
    StopJetsAimed([&](const WasserStrahl& jet) {
        return jet.floor == floor && CellFromPixel(jet.targetX, jet.targetY) == facade;
    });
    EndCellFurnitureFire(c);
    CountHouseCellOut(*c.house);
    SetFlameLook(c, s.fuel > 0 ? kFlameIdle : kFlameBurnt);
}

}  // namespace kv
