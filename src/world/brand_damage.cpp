// The heat of fires around vehicles, persons and special objects, once a tick: vehicles and
// objects take it as heat of their own, persons lose energy and are pushed away from the flames.

#include <array>
#include <cstddef>

#include "core/fire_counts.h"
#include "core/mission_counters.h"
#include "core/unit_views.h"
#include "persons/person_evade.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/brand.h"
#include "world/brand_cells.h"
#include "world/sonder_obj.h"

namespace kv {

using namespace brand;

const UnitHead* brand::HeatableFahrzeug(std::int32_t n, int storey) {
    const UnitHead* v = FahrzeugUnits.at(n);
    if (v == nullptr || v->type < 0 || v->type >= kFahrzeugTypCount || v->storey != storey)
        return nullptr;
    if (v->type == kTypF203 && v->anim != kHelicopterAnimLanded) return nullptr;
    return v;
}

void brand::HeatFahrzeug(std::int32_t n, const UnitHead& v, std::int64_t heat) {
    const std::int64_t rest = heat - FahrzeugTypen[static_cast<std::size_t>(v.type)].heatProtection;
    if (rest <= 0) return;
    if (std::int32_t* own = FahrzeugUnits.heat(static_cast<std::int16_t>(n))) AddHeat(*own, rest);
}

namespace {

// A fire as a unit at a cell feels it: whether one burns there, and its heat.
struct Fire {
    bool burning = false;
    std::int32_t heat = 0;
};
Fire FireOf(const BrandState& s) {
    return {s.burning != 0, s.heat};
}

// On the ground: a plain cell, or a house's ground-floor cell.
Fire GroundFire(std::size_t cell) {
    const std::uint16_t tile = MapCells[cell].tile;
    if (!IsHouseLink(tile)) return FireOf(BrandStates[cell]);
    const HouseCellRef c = LinkedGroundCell(tile);
    return c ? FireOf(c.state()) : Fire{};
}

// A person feels plain cells only outside, the floor it stands on in its own house, and the ground
// floor of any other house.
Fire PersonFire(std::size_t cell, const UnitHead& person) {
    const std::uint16_t tile = MapCells[cell].tile;
    if (!IsHouseLink(tile)) return person.storey == 0 ? FireOf(BrandStates[cell]) : Fire{};
    const HouseLinkTarget link = DecodeHouseLink(tile);
    const int floor = link.house == person.house ? person.storey - 1 : 0;
    const HouseCellRef c = FindHouseCell(link.house, floor, link.i, link.j);
    return c ? FireOf(c.state()) : Fire{};
}

// The farthest a fire is felt, in cells along a row or a column.
constexpr int kFeltReach = 4;

// The cells a unit feels, as steps in the cell index from its own: the same for every unit whose
// cells all lie inside the map, so worked out once a tick.
struct CellsAround {
    std::array<std::ptrdiff_t, kBrandNeighbours> step{};
    // A map whose cell arrays fall short of its size has no cells to feel.
    bool mapWhole = false;

    CellsAround() {
        const std::size_t cells =
            static_cast<std::size_t>(MapWidth) * static_cast<std::size_t>(MapHeight);
        mapWhole = MapCells.size() >= cells && BrandStates.size() >= cells;
        for (std::size_t k = 0; k < step.size(); ++k)
            step[k] = static_cast<std::ptrdiff_t>(WasserSpreadTable[k].dcolumn) * MapHeight +
                      WasserSpreadTable[k].drow;
    }

    // Calls felt(cell, column, row, divisor) for the cell at a point (divisor 1) and its 40
    // neighbours, those inside the map. A point off the map (vehicles drive in from beyond its
    // edge) has no cell of its own.
    template <class Felt>
    void ForEach(int x, int y, Felt felt) const {
        // Nothing burns on the map or in a house: no cell has heat to give (the fire model and the
        // missions keep the counters).
        if ((BurningCellCount == 0 && BurningHouseCount == 0) || !mapWhole) return;
        const CellPos at = CellFromPixel(x, y);
        if (at.column >= kFeltReach && at.column < MapWidth - kFeltReach && at.row >= kFeltReach &&
            at.row < MapHeight - kFeltReach) {
            const auto own = static_cast<std::ptrdiff_t>(CellIndex(at.column, at.row));
            felt(static_cast<std::size_t>(own), at.column, at.row, 1);
            for (std::size_t k = 0; k < step.size(); ++k) {
                const BrandSpread& e = WasserSpreadTable[k];
                felt(static_cast<std::size_t>(own + step[k]), at.column + e.dcolumn,
                     at.row + e.drow, e.divisor);
            }
            return;
        }
        if (CellInMap(at.column, at.row))
            felt(static_cast<std::size_t>(CellIndex(at.column, at.row)), at.column, at.row, 1);
        for (const BrandSpread& e : WasserSpreadTable) {
            const int column = at.column + e.dcolumn;
            const int row = at.row + e.drow;
            if (CellInMap(column, row))
                felt(static_cast<std::size_t>(CellIndex(column, row)), column, row, e.divisor);
        }
    }

    std::int64_t GroundHeat(int x, int y) const {
        std::int64_t sum = 0;
        ForEach(x, y, [&](std::size_t cell, int, int, int divisor) {
            const Fire f = GroundFire(cell);
            if (f.burning) sum += Share(f.heat, divisor);
        });
        return sum;
    }
};

void HeatFahrzeuge(const CellsAround& around) {
    if (FahrzeugUnits.heat == nullptr) return;
    for (std::int32_t n = 0; n < FahrzeugUnits.count; ++n)
        if (const UnitHead* v = HeatableFahrzeug(n, 0))
            HeatFahrzeug(n, *v, around.GroundHeat(static_cast<int>(v->x), static_cast<int>(v->y)));
}

void HurtPerson(const CellsAround& around, std::int16_t n, Person& p) {
    const PersonTyp& type = PersonTypen[static_cast<std::size_t>(p.type)];
    const std::int32_t protection = type.heatProtection;
    std::int64_t sum = -static_cast<std::int64_t>(protection);
    around.ForEach(static_cast<int>(p.x), static_cast<int>(p.y),
                   [&](std::size_t cell, int column, int row, int divisor) {
                       const Fire f = PersonFire(cell, p);
                       if (!f.burning) return;
                       sum += Share(f.heat, divisor);
                       const PixelPos from = CellHeatPoint(column, row);
                       SetPersonEvade(n, static_cast<float>(from.x), static_cast<float>(from.y),
                                      Saturate(static_cast<std::int64_t>(f.heat) - protection),
                                      kPushTicks, 0, -1);
                   });
    if (sum <= 0) return;
    const std::int64_t divisor = std::max<std::int16_t>(type.heatDivisor, 1);
    AddHeat(p.energy, -(sum / (p.casualty != 0 ? 3 * divisor : divisor)));
    if (p.energy >= 1) return;
    p.energy = 0;
    p.deadTicks = 0;
    if (p.casualty != 0) ++ToteCount;
}

void HurtPersonen(const CellsAround& around) {
    for (std::size_t n = 0; n < Personen.size(); ++n) {
        Person& p = Personen[n];
        if (p.type < 0 || p.type >= kPersonTypCount || p.offMap != 0 || p.present == 0 ||
            p.energy <= 0 || p.storey < 0 || IsDoorDouble(p))
            continue;
        HurtPerson(around, static_cast<std::int16_t>(n), p);
    }
}

void HeatSonderObjs(const CellsAround& around) {
    for (std::int32_t n = 0; n < SonderObjCount; ++n) {
        SonderObj* o = SonderObjAt(n);
        if (o == nullptr || o->type == -1 || o->storey != 0 || o->visible == 0 || o->burning != 0 ||
            o->fuel <= 0)
            continue;
        int cx = 0;
        int cy = 0;
        if (!SonderObjBoxMiddle(*o, cx, cy)) continue;
        const std::int64_t sum = around.GroundHeat(cx, cy);
        if (sum > 0) AddHeat(o->heat, sum);
    }
}

}  // namespace

void ApplyBrandDamage() {
    const CellsAround around;
    HeatFahrzeuge(around);
    HurtPersonen(around);
    HeatSonderObjs(around);
}

}  // namespace kv
