// The searches built on the collision tests: whether a target lies on impassable ground, the
// free point nearest a blocked one, whether another unit stands on a unit's destination, the
// drift of a turning vehicle and a random free spot.

#include <algorithm>
#include <limits>

#include "core/mission_state.h"
#include "core/random.h"
#include "core/unit_views.h"
#include "movement/befehl.h"
#include "movement/befehl_opcodes.h"
#include "movement/collision.h"
#include "movement/collision_parts.h"
#include "movement/move_step.h"
#include "movement/stepping.h"

namespace kv {

namespace {

constexpr int kFreePointTests = 29;
// The largest value Rand gives.
constexpr int kRandMax = 32767;

// The smallest width and height of the type's standing box over the directions that have one.
struct BoxSize {
    int w = 0;
    int h = 0;
};
BoxSize SmallestStandingBox(const UnitTypHead& type) {
    int w = std::numeric_limits<int>::max();
    int h = std::numeric_limits<int>::max();
    for (int d = 0; d < kDirectionCount; ++d) {
        const AnimSlot& s = UnitAnimSlot(type, d, 0);
        if (s.frames == 0) continue;
        w = std::min(w, s.box[2] - s.box[0]);
        h = std::min(h, s.box[3] - s.box[1]);
    }
    if (w == std::numeric_limits<int>::max()) return {};
    return {w, h};
}

// The rectangle of half the smallest box sides around a target.
Rect16 TargetRect(const UnitTypHead& type, float x, float y) {
    const BoxSize b = SmallestStandingBox(type);
    return {To16(TruncInt(x - 0.5f * static_cast<float>(b.w))),
            To16(TruncInt(y - 0.5f * static_cast<float>(b.h))),
            To16(TruncInt(x + 0.5f * static_cast<float>(b.w))),
            To16(TruncInt(y + 0.5f * static_cast<float>(b.h)))};
}

bool OnMap(float x, float y) {
    return x >= 0 && x <= WorldMaxX && y >= 0 && y <= WorldMaxY;
}

// The moves at the head of a queue that lead to its destination: the orders dropped once done,
// and the callback markers between them.
bool InLeadingMoves(std::uint8_t opcode) {
    return BefehlOpcode(opcode).dropWhenDone || opcode == kOpFollow;
}

// The size box corner of a unit type; 0 where the type is unknown.
int ExtentX(const UnitTypHead* t) {
    return t != nullptr ? t->extent[2] : 0;
}
int ExtentY(const UnitTypHead* t) {
    return t != nullptr ? t->extent[3] : 0;
}

}  // namespace

std::uint8_t IsTargetBlocked(const UnitHead& unit, const UnitTypHead& type, float x, float y) {
    const Rect16 r = TargetRect(type, x, y);
    CollisionHit hit;
    FindCollisionAt(kCollideSkipMoving, nullptr, nullptr, r.x1, r.y1, r.x2, r.y2,
                    static_cast<std::int16_t>(unit.house), unit.storey, type.terrainColumn, &hit);
    return hit.kind == kHitMapCell ? 1 : 0;
}

std::uint8_t FindFreePointNear(const UnitHead& unit, const UnitTypHead& type, float x, float y,
                               float& fx, float& fy) {
    const CollisionScope scope;
    bool found = false;
    double best = 0;
    for (int d = 0; d < kDirectionCount; ++d) {
        float px = x;
        float py = y;
        StepPoint3(px, py, static_cast<std::uint8_t>(d), 0);
        for (int test = 0; test < kFreePointTests && OnMap(px, py); ++test) {
            if (TestCollision(kCollideSizeBox, unit, type, px, py,
                              static_cast<std::uint8_t>(unit.direction), unit.storey,
                              static_cast<std::uint8_t>(unit.anim), nullptr) == 0) {
                const double dx = static_cast<double>(px) - x;
                const double dy = static_cast<double>(py) - y;
                const double dist = dx * dx + dy * dy;
                if (!found || dist < best) {
                    found = true;
                    best = dist;
                    fx = px;
                    fy = py;
                }
                break;
            }
            StepPoint3(px, py, static_cast<std::uint8_t>(d), 0);
        }
    }
    return found ? 1 : 0;
}

std::uint8_t TestDestinationOccupied(const UnitHead& unit, const UnitTypHead& type) {
    const Befehl* last = nullptr;
    for (const Befehl* o = unit.orders; o != nullptr && InLeadingMoves(o->opcode); o = o->next)
        last = o;
    if (last == nullptr || last->opcode == kOpFollow) return 0;
    const auto [tx, ty] = WaypointOf(*last);
    const Rect16 r = TargetRect(type, tx, ty);
    CollisionHit hit;
    FindCollisionAt(kCollideSkipMoving, &unit, &type, r.x1, r.y1, r.x2, r.y2,
                    static_cast<std::int16_t>(unit.house), unit.storey, type.terrainColumn, &hit);
    const UnitArray* others = hit.kind == kHitFahrzeug ? &FahrzeugUnits
                              : hit.kind == kHitPerson ? &PersonUnits
                                                       : nullptr;
    if (others == nullptr) return 0;
    const UnitHead* other = others->at(hit.index1);
    const UnitTypHead* otherType = other != nullptr ? others->typeOf(other->type) : nullptr;
    const int sx = std::max(ExtentX(&type), ExtentX(otherType));
    const int sy = std::max(ExtentY(&type), ExtentY(otherType));
    const float hx = static_cast<float>(5 * sx / 2);
    const float hy = static_cast<float>(5 * sy / 2);
    return unit.x >= tx - hx && unit.x <= tx + hx && unit.y >= ty - hy && unit.y <= ty + hy ? 1 : 0;
}

void TurnDisplacement(const UnitHead& unit, const UnitTypHead& type, std::uint8_t from,
                      std::uint8_t to, float x, float y, float& dx, float& dy) {
    dx = 0;
    dy = 0;
    if (type.unitClass == kPersonUnitClass || from >= kDirectionCount || to >= kDirectionCount)
        return;
    float px = x;
    float py = y;
    for (std::uint8_t d = from; d != to;) {
        d = TurnStep(d, to);
        StepMoverFree(unit, type, px, py, d, static_cast<std::uint8_t>(unit.anim), 1);
    }
    dx = px - x;
    dy = py - y;
}

bool FootprintOnMap(const UnitTypHead& type, float x, float y, std::uint8_t direction,
                    std::uint8_t anim) {
    const Rect16 foot = SlotFootprint(UnitAnimSlot(type, direction, anim), x, y);
    return foot.x1 >= 0 && foot.y1 >= 0 && foot.x2 <= WorldMaxX && foot.y2 <= WorldMaxY;
}

std::uint8_t CollidesWithMap(const UnitHead& unit, const UnitTypHead& type, CollisionHit* out) {
    CollisionHit scratch;
    CollisionHit& hit = out != nullptr ? *out : scratch;
    hit = {};
    const Rect16 foot =
        SlotFootprint(UnitAnimSlot(type, unit.direction, unit.anim), unit.x, unit.y);
    return TestMapCells(foot, 0, type.terrainColumn, hit);
}

bool FindRandomFreeSpot(UnitHead& unit, const UnitTypHead& type, std::int16_t left,
                        std::int16_t top, std::int16_t right, std::int16_t bottom,
                        std::uint8_t layer, std::uint8_t direction, float& x, float& y) {
    constexpr int kTries = 10;
    // Only points on the map, which the generator reaches: above it the draw would never end.
    const int l = std::max<int>(left, 0);
    const int t = std::max<int>(top, 0);
    const int r = std::min<int>({right, WorldMaxX, kRandMax});
    const int b = std::min<int>({bottom, WorldMaxY, kRandMax});
    if (l > r || t > b) return false;
    SaveMoverPos(unit);
    unit.house = 0xFFFF;
    bool found = false;
    for (int n = 0; n < kTries && !found; ++n) {
        int px = Rand();
        while (px < l || px > r) px = Rand();
        int py = Rand();
        while (py < t || py > b) py = Rand();
        const auto fx = static_cast<float>(px);
        const auto fy = static_cast<float>(py);
        // A spot to put someone on lies wholly on the map.
        if (!FootprintOnMap(type, fx, fy, direction, static_cast<std::uint8_t>(unit.anim)))
            continue;
        if (TestCollision(kCollideSkipMoving, unit, type, fx, fy, direction,
                          static_cast<std::int8_t>(layer), static_cast<std::uint8_t>(unit.anim),
                          nullptr) != 0)
            continue;
        x = fx;
        y = fy;
        found = true;
    }
    // The house too: left outside, a person still inside would meet its own house.
    RestoreMoverPos(unit);
    return found;
}

}  // namespace kv
