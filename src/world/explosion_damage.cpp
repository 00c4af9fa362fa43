// The heat a burning or exploding vehicle or special object gives off each tick: it reaches the
// vehicles, persons and special objects around it by distance, and the map cells under and around
// it.

#include <algorithm>
#include <cmath>

#include "core/fire_counts.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/unit_views.h"
#include "persons/person_evade.h"
#include "persons/person_injury.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/brand.h"
#include "world/brand_cells.h"
#include "world/explosions.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

using brand::AddHeat;
using brand::Saturate;

// A person as the source: that person is spared.
constexpr int kDamageFromPerson = 4;
// A Molotov cocktail heats the ground with a tenth of its heat.
constexpr std::int32_t kMolotovGroundShare = 10;

// Where the heat comes from, how much, and on which layer or storey.
struct Source {
    int x = 0;
    int y = 0;
    std::int32_t heat = 0;
    int layer = 0;
    int fahrzeug = -1;
    int sonderObj = -1;
    int person = -1;
    bool molotov = false;
};

// The whole part of the distance between two whole points.
std::int64_t Distance(int x1, int y1, int x2, int y2) {
    const std::int64_t dx = std::int64_t{x2} - x1;
    const std::int64_t dy = std::int64_t{y2} - y1;
    return static_cast<std::int64_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

// The divisor of the heat at distance d, measured in steps; 0 past the last step.
std::int32_t DivisorAt(std::int64_t d, int step) {
    const std::int64_t i = d / step;
    if (i < 0 || i >= static_cast<std::int64_t>(kExplosionDivisors.size())) return 0;
    return kExplosionDivisors[static_cast<std::size_t>(i)];
}

// False for a vehicle or object that is not in use: nothing burns there.
bool SourceOf(int kind, int index, Source& s) {
    if (kind == kDamageFromFahrzeug) {
        const UnitHead* v = FahrzeugUnits.at(index);
        if (v == nullptr || v->type < 0) return false;
        const std::int32_t* heat = FahrzeugUnits.heat != nullptr
                                       ? FahrzeugUnits.heat(static_cast<std::int16_t>(index))
                                       : nullptr;
        s.x = static_cast<int>(v->x);
        s.y = static_cast<int>(v->y);
        s.heat = heat != nullptr ? *heat : 0;
        s.layer = v->storey;
        s.fahrzeug = index;
        return true;
    }
    if (kind == kDamageFromSonderObj) {
        const SonderObj* o = SonderObjAt(index);
        if (o == nullptr || o->type == -1) return false;
        if (auto hook = OptionalMissionHook(MissionNummer, &MissionHooks::OnSonderObjExplosion))
            hook(static_cast<std::int16_t>(index));
        o = SonderObjAt(index);
        if (o == nullptr || o->type == -1 || !SonderObjBoxMiddle(*o, s.x, s.y)) return false;
        s.heat = o->heat;
        s.layer = o->storey;
        s.sonderObj = index;
        s.molotov = o->type == kSobjMolotow;
        return true;
    }
    // Any other source has no heat and stands at the origin.
    if (kind == kDamageFromPerson) s.person = index;
    return true;
}

void HeatFahrzeuge(const Source& s) {
    if (FahrzeugUnits.heat == nullptr) return;
    for (std::int32_t n = 0; n < FahrzeugUnits.count; ++n) {
        const UnitHead* v = brand::HeatableFahrzeug(n, s.layer);
        if (v == nullptr || n == s.fahrzeug) continue;
        const std::int32_t divisor =
            DivisorAt(Distance(static_cast<int>(v->x), static_cast<int>(v->y), s.x, s.y),
                      kExplosionStepUnits);
        if (divisor == 0) continue;
        brand::HeatFahrzeug(n, *v, s.heat / divisor);
    }
}

void HurtPersonen(const Source& s) {
    for (std::size_t n = 0; n < Personen.size(); ++n) {
        Person& p = Personen[n];
        if (p.type < 0 || p.type >= kPersonTypCount || p.present == 0 || p.offMap != 0 ||
            p.storey != s.layer || p.energy <= 0 || static_cast<int>(n) == s.person ||
            IsDoorDouble(p))
            continue;
        const std::int32_t divisor =
            DivisorAt(Distance(static_cast<int>(p.x), static_cast<int>(p.y), s.x, s.y),
                      kExplosionStepPersons);
        if (divisor == 0) continue;
        const PersonTyp& type = PersonTypen[static_cast<std::size_t>(p.type)];
        const std::int64_t h = s.heat / divisor - std::int64_t{type.heatProtection};
        if (h <= 0) continue;
        AddHeat(p.energy, -(h / std::max<std::int16_t>(type.heatDivisor, 1)));
        const auto index = static_cast<std::int16_t>(n);
        SetPersonEvade(index, static_cast<float>(s.x), static_cast<float>(s.y), Saturate(h),
                       kPushTicks, 0, -1);
        if (p.energy >= 1) continue;
        p.energy = 0;
        if (p.casualty != 0) {
            ++ToteCount;
            p.deadTicks = 0;
        } else {
            HitPerson(index);
        }
    }
}

void HeatSonderObjs(const Source& s) {
    for (int n = 0; n < SonderObjCount; ++n) {
        SonderObj* o = SonderObjAt(n);
        if (o == nullptr || o->type == -1 || o->visible == 0 || o->burning != 0 || o->fuel <= 0 ||
            n == s.sonderObj)
            continue;
        int x = 0;
        int y = 0;
        if (!SonderObjBoxMiddle(*o, x, y)) continue;
        const std::int32_t divisor = DivisorAt(Distance(x, y, s.x, s.y), kExplosionStepUnits);
        if (divisor != 0) AddHeat(o->heat, s.heat / divisor);
    }
}

// The cell under the source, then the neighbours of the fire's current phase.
void HeatCells(const Source& s, std::int32_t heat) {
    const CellPos at = CellFromPixel(s.x, s.y);
    if (const std::ptrdiff_t cell = brand::FireCellIndex(at.column, at.row);
        cell >= 0 && BrandStates[static_cast<std::size_t>(cell)].burning == 0)
        AddHeat(BrandStates[static_cast<std::size_t>(cell)].heat, heat);
    for (const BrandSpread& e : BrandSpreadTable[static_cast<std::size_t>(CurrentBrandPhase())])
        PassHeatToMapCell(at.column + e.dcolumn, at.row + e.drow, heat / e.divisor);
}

}  // namespace

void ExplosionDamage(int sourceKind, int index) {
    if (ExplosionWatcher.damage != nullptr) {
        ExplosionWatcher.damage(sourceKind, index);
        return;
    }
    Source s;
    if (!SourceOf(sourceKind, index, s)) return;
    HeatFahrzeuge(s);
    HurtPersonen(s);
    if (s.layer == 0) HeatSonderObjs(s);
    const std::int32_t ground = s.molotov ? s.heat / kMolotovGroundShare : s.heat;
    if (s.layer == 0) HeatCells(s, ground);
}

}  // namespace kv
