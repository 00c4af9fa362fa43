#include "world/wasser_strahl_search.h"

#include <cmath>
#include <limits>

#include "core/fire_counts.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/unit_views.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "world/brand_cells.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/jet_common.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr int kNoDistance = 9999;
constexpr int kFarAway = std::numeric_limits<int>::max();
// The crowd cannon chooses its person again after this many ticks.
constexpr std::uint8_t kRetargetTicks = 20;
// A storey's aim point lies a storey's height above the house's base line per storey, plus half
// of one.
constexpr int kStoreyAimHalf = 15;

// The vehicle that ends its update in front of the ship in the last mission.
constexpr int kShipMission = 30;

std::int32_t DistanceFrom(const UnitHead& v, int x, int y) {
    return DistanceInt(Whole16(v.x), Whole16(v.y), static_cast<std::int16_t>(x),
                       static_cast<std::int16_t>(y));
}

// The elevation class of an aim point h above its ground, d away; 0 when even 75 is too flat.
std::uint8_t ElevationFor(int h, int d) {
    return JetElevationClass(std::atan2(static_cast<double>(h), static_cast<double>(d)) *
                             kDegreesPerRadian);
}

// What one cell of a ring offers: a burning map cell, or the lowest qualifying storey of a
// burning house column seen from its front row.
struct FireMark {
    bool found = false;
    bool house = false;
    int houseIndex = -1;
    int storey = 0;
    std::uint8_t elevation = 0;
};

FireMark ExamineMapCell(std::int16_t vehicle, const UnitHead& v, const KanoneTyp& cannon,
                        CellPos c) {
    if (BrandStates[static_cast<std::size_t>(CellIndex(c.column, c.row))].burning == 0) return {};
    const int x = kCellWidth * c.column - 16 * c.row + 16;
    const int y = kCellHeight * c.row + kCellHeight - 1;
    const std::int32_t d = DistanceFrom(v, x, y);
    if (d > cannon.range) return {};
    if (!TestWasserStrahlTarget(vehicle, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                                nullptr))
        return {};
    const std::uint8_t elevation = ElevationFor(JetTileHeight(c) / 2, d);
    if (elevation == 0) return {};
    return {true, false, -1, 0, elevation};
}

FireMark ExamineHouseCell(std::int16_t vehicle, const UnitHead& v, const WasserStrahl& jet,
                          const KanoneTyp& cannon, CellPos c, std::uint16_t tile) {
    const HouseLinkTarget link = DecodeHouseLink(tile);
    if (link.house < 0) return {};
    const House& h = Houses[static_cast<std::size_t>(link.house)];
    const HouseTyp& t = HouseTypOf(h);
    if (link.j != t.extentJ - 1) return {};
    const int floors = static_cast<int>(h.floors.size());
    bool burns = false;
    for (int f = 0; f < floors && !burns; ++f) burns = brand::ColumnBurns(h, f, link.i, t.extentJ);
    if (!burns) return {};
    // The cannon must stand in front of the house, below its front row.
    if (v.y < static_cast<float>(kCellHeight * c.row + 2 * kCellHeight)) return {};
    const int x = kCellWidth * c.column - 16 * c.row;
    const int y = kCellHeight * c.row + kCellHeight - cannon.height;
    const JetPoint nozzle = CannonNozzle(v, jet, cannon);
    const std::int32_t d = DistanceInt(Whole16(nozzle.x), Whole16(nozzle.y),
                                       static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    if (d > cannon.range) return {};
    if (!TestWasserStrahlTarget(vehicle, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                                nullptr))
        return {};
    for (int f = 0; f < floors; ++f) {
        if (!brand::ColumnBurns(h, f, link.i, t.extentJ)) continue;
        // The storey's own aim height enters the angle.
        const std::uint8_t elevation = ElevationFor(kStoreyHeight * f + kStoreyAimHalf, d);
        if (elevation != 0) return {true, true, link.house, f, elevation};
    }
    return {};
}

FireMark ExamineCell(std::int16_t vehicle, const UnitHead& v, const WasserStrahl& jet,
                     const KanoneTyp& cannon, CellPos c) {
    if (!CellInMap(c.column, c.row)) return {};
    const std::uint16_t tile = MapCells[static_cast<std::size_t>(CellIndex(c.column, c.row))].tile;
    return !IsHouseLink(tile) ? ExamineMapCell(vehicle, v, cannon, c)
                              : ExamineHouseCell(vehicle, v, jet, cannon, c, tile);
}

struct RingFind {
    FireMark mark;
    CellPos cell;
    int distance = kFarAway;
};

// The cell's centre, which the ring's marks and the burning objects are measured against.
int CellCentreDistance(const UnitHead& v, CellPos c) {
    return DistanceFrom(v, kCellWidth * c.column - 16 * c.row + 16,
                        kCellHeight * c.row + kCellHeight / 2);
}

// The next ring around the vehicle's cell, walked clockwise from its top-left corner: a mark
// replaces the best one when its storey is lower, or when it is nearer.
RingFind SearchNextRing(std::int16_t vehicle, const UnitHead& v, WasserStrahl& jet,
                        const KanoneTyp& cannon) {
    RingFind best;
    if (v.storey != 0 || (BurningCellCount == 0 && BurningHouseCount == 0)) return best;
    // The radius stops at its limit instead of running on through the 16-bit range.
    const int limit = cannon.range / kCellHeight + 1;
    if (jet.searchRadius < limit) ++jet.searchRadius;
    const int r = jet.searchRadius;
    if (r >= limit || r <= 0) return best;
    const CellPos centre = CellFromPixel(Whole16(v.x), Whole16(v.y));
    int bestStorey = 0;
    int bestDistance = kNoDistance;
    const CellPos corners[4] = {{centre.column - r, centre.row - r},
                                {centre.column + r, centre.row - r},
                                {centre.column + r, centre.row + r},
                                {centre.column - r, centre.row + r}};
    const CellPos steps[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    for (int side = 0; side < 4; ++side) {
        for (int k = 0; k < 2 * r; ++k) {
            const CellPos c{corners[side].column + k * steps[side].column,
                            corners[side].row + k * steps[side].row};
            const FireMark m = ExamineCell(vehicle, v, jet, cannon, c);
            if (!m.found) continue;
            const int distance = CellCentreDistance(v, c);
            if (m.storey < bestStorey || distance < bestDistance) {
                best = {m, c, distance};
                bestStorey = m.storey;
                bestDistance = distance;
            }
        }
    }
    return best;
}

struct ObjectFind {
    std::int16_t slot = -1;
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// The nearest burning object on the vehicle's storey in range, nearer than limit, that a straight
// jet reaches; measured to its box centre.
ObjectFind NearestBurningObject(std::int16_t vehicle, const UnitHead& v, const KanoneTyp& cannon,
                                int limit) {
    ObjectFind best;
    if (BurningSonderObjCount == 0) return best;
    int bestDistance = limit;
    for (std::int16_t n = 0; n < SonderObjCount; ++n) {
        const SonderObj* o = SonderObjAt(n);
        if (o == nullptr || o->type == -1 || o->burning == 0 || o->storey != v.storey) continue;
        const SonderObjTyp* t = SonderObjTypAt(o->type);
        if (t == nullptr) continue;
        const int x = Whole16(o->x) + t->boxX0 + (t->boxX1 - t->boxX0) / 2;
        const int y = Whole16(o->y) + t->boxY0 + (t->boxY1 - t->boxY0) / 2;
        const std::int32_t d = DistanceFrom(v, x, y);
        if (d > cannon.range || d >= bestDistance) continue;
        const auto cx = static_cast<std::int16_t>(x);
        const auto cy = static_cast<std::int16_t>(y);
        if (!TestWasserStrahlTarget(vehicle, cx, cy, nullptr)) continue;
        best = {n, cx, cy};
        bestDistance = d;
    }
    return best;
}

bool InShipZone(std::int16_t vehicle, const UnitHead& v) {
    if (MissionNummer != kShipMission || v.type != kTypF115) return false;
    const auto hook = OptionalMissionHook(MissionNummer, &MissionHooks::IsInShipZoneM30);
    return hook != nullptr && hook(vehicle);
}

bool PersonToHit(std::int32_t index) {
    const UnitHead* p = PersonUnits.at(index);
    return p != nullptr && p->type != -1 && p->present != 0 && p->energy > 0 && p->storey == 0 &&
           !PersonUnits.isOffMap(index);
}

}  // namespace

bool SearchFireForIdleCannon(std::int16_t vehicle, UnitHead& v, WasserStrahl& jet,
                             const KanoneTyp& cannon) {
    // The search starts the jet itself beside the order it gives, until orders 53 and 55 start
    // their own.
    const RingFind fire = SearchNextRing(vehicle, v, jet, cannon);
    const ObjectFind object = NearestBurningObject(
        vehicle, v, cannon, fire.mark.found ? CellCentreDistance(v, fire.cell) : kFarAway);
    if (object.slot >= 0) {
        AppendBefehl(v, kOpCannonAtObject, object.x, object.y, object.slot, 0, 0);
        StartWasserStrahl(vehicle, object.x, object.y, 0, 0);
        jet.searchRadius = 0;
        return false;
    }
    if (!fire.mark.found) return false;
    if (InShipZone(vehicle, v)) return true;
    const CellPos c = fire.cell;
    const auto storey = static_cast<std::uint16_t>(fire.mark.storey);
    if (!fire.mark.house) {
        const int half = JetTileHeight(c) / 2;
        const int x = kCellWidth * c.column - 16 * c.row + 15;
        const int y = kCellHeight * c.row + kCellHeight - 1 - half;
        AppendBefehl(v, kOpCannonAtCell, x, y, c.column, c.row, 0);
        StartWasserStrahl(vehicle, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                          static_cast<std::int16_t>(half), storey);
    } else {
        const int height = kStoreyHeight * fire.mark.storey + kStoreyAimHalf;
        const int x = kCellWidth * c.column - 16 * c.row;
        const int y = kCellHeight * c.row + kCellHeight - height;
        GoalList target = {GoalPoint{static_cast<float>(x), static_cast<float>(y),
                                     static_cast<std::uint8_t>(fire.mark.storey), 0},
                           GoalPoint{static_cast<float>(c.column), static_cast<float>(c.row),
                                     static_cast<std::uint8_t>(fire.mark.houseIndex), 0}};
        AppendBefehl(v, kOpCannonAim, std::move(target), 0, 0, 0);
        StartWasserStrahl(vehicle, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                          static_cast<std::int16_t>(height), storey);
    }
    jet.searchRadius = 0;
    jet.elevation = fire.mark.elevation;
    return false;
}

std::int16_t CrowdCannonTarget(const WasserStrahl& jet) {
    return PersonToHit(jet.targetPerson) ? jet.targetPerson : -1;
}

void AimCrowdCannon(std::int16_t vehicle, const UnitHead& v, WasserStrahl& jet,
                    const KanoneTyp& cannon) {
    // Our own rule: the nearest person with a controller that a straight jet reaches, chosen again
    // every 20 ticks or when it is gone.
    if (jet.retargetTicks < std::numeric_limits<std::uint8_t>::max()) ++jet.retargetTicks;
    if (jet.retargetTicks < kRetargetTicks && CrowdCannonTarget(jet) >= 0) return;
    std::int16_t best = -1;
    int bestDistance = kFarAway;
    for (std::int16_t p = 0; p < PersonUnits.count; ++p) {
        const UnitHead* person = PersonUnits.at(p);
        if (person == nullptr || !PersonToHit(p) || (person->controlFlags & 1) == 0) continue;
        const std::int32_t d = DistanceFrom(v, Whole16(person->x), Whole16(person->y));
        if (d > cannon.range || d >= bestDistance) continue;
        if (!TestWasserStrahlTarget(vehicle, Whole16(person->x), Whole16(person->y), nullptr))
            continue;
        best = p;
        bestDistance = d;
    }
    const UnitHead* target = PersonUnits.at(best);
    if (target == nullptr) {
        jet.targetPerson = -1;
        jet.retargetTicks = kRetargetTicks;
        SwitchOffJet(jet);
        return;
    }
    jet.targetPerson = best;
    jet.retargetTicks = 0;
    StartWasserStrahl(vehicle, Whole16(target->x), Whole16(target->y), 0, 0);
}

}  // namespace kv
