#include "movement/collision.h"

#include <algorithm>
#include <cstdlib>

#include "core/mission_extras.h"
#include "core/unit_views.h"
#include "movement/collision_parts.h"
#include "movement/sonder_obj_push.h"
#include "movement/stepping.h"
#include "movement/zones.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

// How far around the tester the units are looked at: its base radius (by its kind) plus the
// other's.
constexpr int kVehicleRadius = 68;
constexpr int kPersonRadius = 17;
// The vehicle type that may push objects aside.
constexpr std::int8_t kPushingFahrzeugTyp = 12;
// Lying and seated civilians, and how much wider they count.
constexpr std::int8_t kCivilianTyp = 0;
constexpr std::int8_t kAnimLying = 4;
constexpr std::int8_t kAnimSeated = 5;
constexpr int kWideLying = 20;
// Person control flags and the mover flag the tests read.
constexpr std::uint8_t kOnlookerFlag = 2;
constexpr std::uint8_t kPedestrianFlag = 8;

// One test: the footprint and what decides which things count.
struct Query {
    std::uint16_t mode = 0;
    const UnitHead* unit = nullptr;
    const UnitTypHead* type = nullptr;
    Rect16 foot{};
    // The point the footprint stands for: the centre of the pre-filter and of the wall test.
    int px = 0;
    int py = 0;
    bool prefilter = false;  // TestCollision: only units near the point
    int vehicleRange = 0;    // |d| below it
    int personRange = 0;     // |d| at most it
    bool hasDirection = false;
    int direction = 0;
    std::int8_t layer = 0;
    std::uint16_t house = 0xFFFF;
    std::uint8_t moveClass = 0;
};

std::uint8_t Hit(CollisionHit& hit, std::uint8_t kind, int index1, std::uint8_t value) {
    hit.kind = kind;
    hit.index1 = static_cast<std::uint16_t>(index1);
    return value != 0 ? value : 1;
}

Rect16 UnitBox(const UnitHead& u, const AnimSlot& slot) {
    return {To16(u.drawX + slot.box[0]), To16(u.drawY + slot.box[1]), To16(u.drawX + slot.box[2]),
            To16(u.drawY + slot.box[3])};
}

// Units may overlap inside a mission's overlap rectangles.
bool InOverlapRect(const Rect16& f) {
    const std::size_t n =
        std::min<std::size_t>({MissionExtraActive, MissionExtraCount, MissionExtras.size()});
    for (std::size_t i = 0; i < n; ++i) {
        const MissionExtraRect& r = MissionExtras[i];
        if (r.x0 <= f.x1 && f.y1 >= r.y0 && f.x2 <= r.x1 && f.y2 <= r.y1) return true;
    }
    return false;
}

bool Carries(const UnitHead& u) {
    return (u.moverFlags & kMoverLed) != 0;
}

std::uint8_t TestFahrzeuge(const Query& q, CollisionHit& hit) {
    const UnitArray& units = FahrzeugUnits;
    if (!units.readable()) return 0;
    for (int i = 0; i < units.count; ++i) {
        const UnitHead& v = units.slot(i);
        if (v.type == -1) continue;
        if (q.prefilter && (std::abs(q.px - TruncInt(v.x)) >= q.vehicleRange ||
                            std::abs(q.py - TruncInt(v.y)) >= q.vehicleRange))
            continue;
        if ((q.mode & kCollideSkipMoving) != 0 && (v.moverFlags & kMoverSearching) != 0) continue;
        if (v.storey != q.layer || v.present == 0 || &v == q.unit) continue;
        if ((q.mode & kCollideNoCivil) != 0) {
            const UnitTypHead* vt = units.typeOf(v.type);
            if (vt != nullptr && vt->unitClass == kCivilVehicleUnitClass) continue;
        }
        const AnimSlot* slot = units.currentAnim(i);
        if (slot == nullptr) continue;
        if (const int edges = RectsIntersect(q.foot, UnitBox(v, *slot)))
            return Hit(hit, kHitFahrzeug, i, static_cast<std::uint8_t>(edges));
    }
    return 0;
}

// A lying or seated civilian counts wider where the tester faces it (mode bit 2), and an onlooker
// keeps its distance from a lying one.
bool CountsWider(const Query& q, const UnitHead& p) {
    if (p.type != kCivilianTyp) return false;
    if ((q.mode & kCollideWideLying) != 0 && q.hasDirection &&
        (p.anim == kAnimLying || p.anim == kAnimSeated)) {
        const int turned =
            ((p.direction + 6) % kDirectionCount + kDirectionCount) % kDirectionCount;
        if (std::abs(turned - q.direction) < 2) return true;
    }
    return q.unit != nullptr && q.type != nullptr && q.type->unitClass == kPersonUnitClass &&
           (q.unit->controlFlags & kOnlookerFlag) != 0 && !Carries(*q.unit) && p.anim == kAnimLying;
}

std::uint8_t TestPersonen(const Query& q, CollisionHit& hit) {
    const UnitArray& units = PersonUnits;
    if (!units.readable()) return 0;
    const bool ignoreOnlookers = (q.mode & kCollideNoOnlookers) != 0 && q.type != nullptr &&
                                 q.type->unitClass == kPlayerVehicleUnitClass;
    for (int i = 0; i < units.count; ++i) {
        const UnitHead& p = units.slot(i);
        if (p.type == -1) continue;
        if (q.prefilter && (std::abs(q.px - TruncInt(p.x)) > q.personRange ||
                            std::abs(q.py - TruncInt(p.y)) > q.personRange))
            continue;
        if (p.present == 0 || p.storey != q.layer || &p == q.unit || units.isOffMap(i)) continue;
        if (ignoreOnlookers && (p.controlFlags & (kOnlookerFlag | kPedestrianFlag)) != 0 &&
            !Carries(p))
            continue;
        if (q.unit != nullptr && Carries(*q.unit) && q.unit->link == i) continue;
        if ((q.mode & kCollideSkipMoving) != 0 && (p.moverFlags & kMoverSearching) != 0) continue;
        const AnimSlot* slot = units.currentAnim(i);
        if (slot == nullptr) continue;
        Rect16 box = UnitBox(p, *slot);
        if (CountsWider(q, p))
            box = {To16(box.x1 - kWideLying), To16(box.y1 - kWideLying), To16(box.x2 + kWideLying),
                   To16(box.y2 + kWideLying)};
        if (const int edges = RectsIntersect(q.foot, box))
            return Hit(hit, kHitPerson, i, static_cast<std::uint8_t>(edges));
    }
    return 0;
}

std::uint8_t TestSonderObjs(const Query& q, bool anyMask, CollisionHit& hit) {
    const int count = std::min<int>(SonderObjCount, static_cast<int>(SonderObjs.size()));
    const std::uint8_t unitClass = q.type != nullptr ? q.type->unitClass : 0;
    for (int j = 0; j < count; ++j) {
        const SonderObj& o = SonderObjs[static_cast<std::size_t>(j)];
        if (o.type == -1 || o.visible == 0 || o.storey != q.layer) continue;
        if (anyMask ? o.blockMask == 0 : (o.blockMask & unitClass) == 0) continue;
        const SonderObjTyp* t = SonderObjTypAt(o.type);
        if (t == nullptr) continue;
        const int ox = TruncInt(o.x);
        const int oy = TruncInt(o.y);
        const Rect16 box{To16(ox + t->boxX0), To16(oy + t->boxY0), To16(ox + t->boxX1),
                         To16(oy + t->boxY1)};
        const int edges = RectsIntersect(q.foot, box);
        if (edges == 0) continue;
        // Only TestCollision passes the push bit on.
        if (!anyMask && (q.mode & kCollidePush) != 0 && o.pushable != 0 && q.unit != nullptr &&
            CanPushSonderObj(*q.unit, *q.type, q.unit->x, q.unit->y,
                             static_cast<std::uint8_t>(q.direction), static_cast<std::int16_t>(j)))
            continue;
        return Hit(hit, kHitSonderObj, j, static_cast<std::uint8_t>(edges));
    }
    return 0;
}

std::uint8_t TestZones(const Query& q, CollisionHit& hit) {
    std::uint16_t zone = 0xFFFF;
    if (!FindFullZone(q.foot, zone)) return 0;
    if (q.unit != nullptr && q.unit->zone == static_cast<std::int16_t>(zone)) return 0;
    std::uint8_t edges = 1;
    if (zone < Zones.size()) {
        const Zone& z = Zones[zone];
        edges = static_cast<std::uint8_t>(RectsIntersect(q.foot, Rect16{z.x1, z.y1, z.x2, z.y2}));
    }
    return Hit(hit, kHitZone, zone, edges);
}

// The fixed order of both tests.
std::uint8_t RunTests(const Query& q, bool anyMask, CollisionHit& hit) {
    if (!InOverlapRect(q.foot)) {
        if (std::uint8_t r = TestFahrzeuge(q, hit)) return r;
        if (std::uint8_t r = TestPersonen(q, hit)) return r;
        if (std::uint8_t r = TestSonderObjs(q, anyMask, hit)) return r;
    }
    if ((q.mode & kCollideZones) != 0)
        if (std::uint8_t r = TestZones(q, hit)) return r;
    if (q.layer >= 1) {
        if (std::uint8_t r = TestHouseObjs(q.foot, q.layer, hit)) return r;
        if (std::uint8_t r = TestHouseWalls(q.foot, q.px, q.py, q.house, q.layer, hit)) return r;
    }
    return TestMapCells(q.foot, q.layer, q.moveClass, hit);
}

}  // namespace

Rect16 SlotFootprint(const AnimSlot& slot, float x, float y) {
    const int left = TruncInt(x) - slot.hotX;
    const int top = TruncInt(y) - slot.hotY;
    return {To16(left + slot.box[0]), To16(top + slot.box[1]), To16(left + slot.box[2]),
            To16(top + slot.box[3])};
}

std::uint8_t TestCollision(std::uint16_t mode, const UnitHead& unit, const UnitTypHead& type,
                           float x, float y, std::uint8_t direction, std::int8_t layer,
                           std::uint8_t anim, CollisionHit* out) {
    CollisionHit scratch;
    CollisionHit& hit = out != nullptr ? *out : scratch;
    hit = {};
    if ((mode & kCollideAnimWalk) != 0)
        anim = 1;
    else if ((mode & kCollideAnimStand) != 0)
        anim = 0;
    const bool person = type.unitClass == kPersonUnitClass;
    const int base = person ? kPersonRadius : kVehicleRadius;
    if (!person && unit.type != kPushingFahrzeugTyp)
        mode &= static_cast<std::uint16_t>(~kCollidePush);
    mode &= static_cast<std::uint16_t>(~kCollideNoCivil);

    Query q;
    q.mode = mode;
    q.unit = &unit;
    q.type = &type;
    q.px = TruncInt(x);
    q.py = TruncInt(y);
    if ((mode & kCollideSizeBox) != 0) {
        const int hw = (type.extent[2] - type.extent[0]) >> 1;
        const int hh = (type.extent[3] - type.extent[1]) >> 1;
        q.foot = {To16(q.px - hw), To16(q.py - hh), To16(q.px + hw), To16(q.py + hh)};
    } else {
        q.foot = SlotFootprint(UnitAnimSlot(type, direction, anim), x, y);
    }
    q.prefilter = true;
    q.vehicleRange = base + kVehicleRadius;
    q.personRange = base + kPersonRadius;
    q.hasDirection = true;
    q.direction = direction;
    q.layer = layer;
    q.house = unit.house;
    q.moveClass = type.terrainColumn;

    if (const std::uint8_t r = RunTests(q, false, hit)) return r;
    if ((mode & kCollideTrample) != 0 && layer == 0 && unit.x == x && unit.y == y)
        TrampleCells(q.foot, q.px, q.py, q.moveClass);
    return 0;
}

std::uint8_t FindCollisionAt(std::uint16_t mode, const UnitHead* unit, const UnitTypHead* type,
                             std::int16_t left, std::int16_t top, std::int16_t right,
                             std::int16_t bottom, std::int16_t house, std::int8_t layer,
                             std::uint8_t moveClass, CollisionHit* out) {
    CollisionHit scratch;
    CollisionHit& hit = out != nullptr ? *out : scratch;
    hit = {};
    Query q;
    q.mode = mode;
    q.unit = unit;
    q.type = type;
    q.foot = {left, top, right, bottom};
    // The rectangle stands for a footprint around its centre.
    q.px = (left + right) / 2;
    q.py = (top + bottom) / 2;
    q.layer = layer;
    q.house = static_cast<std::uint16_t>(house);
    q.moveClass = moveClass;
    return RunTests(q, true, hit);
}

}  // namespace kv
