#pragma once
// Collision tests: whether a unit's footprint fits at a point (TestCollision) or a bare rectangle
// is free (FindCollisionAt), and the searches built on them: a free point near a blocked target,
// whether a unit's destination is taken, the drift of a turning vehicle and a random free spot.
// Both tests look in a fixed order at vehicles, persons, special objects, full zones, furniture
// and house walls (on storeys) and impassable map cells, and report the first thing met.

#include <cstdint>

#include "core/unit_head.h"
#include "gfx/primitives.h"
#include "movement/collision_line.h"
#include "movement/collision_shortcut.h"
#include "movement/person_trail.h"
#include "movement/unit_type.h"

namespace kv {

// Mode bits of TestCollision; FindCollisionAt reads those that apply to a bare rectangle.
inline constexpr std::uint16_t kCollideSizeBox = 1;       // footprint from the type's size box
inline constexpr std::uint16_t kCollideSkipMoving = 2;    // units moving together pass
inline constexpr std::uint16_t kCollideWideLying = 4;     // lying civilians facing us count wider
inline constexpr std::uint16_t kCollideAnimWalk = 16;     // footprint of animation 1
inline constexpr std::uint16_t kCollideAnimStand = 32;    // footprint of animation 0
inline constexpr std::uint16_t kCollideNoOnlookers = 64;  // player vehicles ignore onlookers
inline constexpr std::uint16_t kCollideTrample = 256;     // a unit on the point tramples fields
inline constexpr std::uint16_t kCollidePush = 512;        // pushable objects may be entered
inline constexpr std::uint16_t kCollideZones = 1024;      // full zones block
inline constexpr std::uint16_t kCollideNoCivil = 2048;    // FindCollisionAt: civilian cars pass

// What was met.
inline constexpr std::uint8_t kHitNothing = 0;
inline constexpr std::uint8_t kHitFahrzeug = 1;
inline constexpr std::uint8_t kHitPerson = 2;
inline constexpr std::uint8_t kHitSonderObj = 3;
inline constexpr std::uint8_t kHitMapCell = 4;
inline constexpr std::uint8_t kHitHouseObj = 5;
inline constexpr std::uint8_t kHitWall = 6;
inline constexpr std::uint8_t kHitOtherHouse = 9;
inline constexpr std::uint8_t kHitSlide = 10;  // the straight-line run only
inline constexpr std::uint8_t kHitZone = 11;

// How much wider a civilian on the ground counts on each side, for a tester facing it or an
// onlooker keeping its distance.
inline constexpr int kWideLying = 20;

// What a collision test met: the kind and its indices (a unit, object, piece or zone in index1; a
// map cell's column and row in index1 and index2; index3 1 for a wall of the diagonal cell).
struct CollisionHit {
    std::uint8_t kind = 0;
    std::uint16_t index1 = 0;
    std::uint16_t index2 = 0;
    std::uint16_t index3 = 0;
};

// While a scope is open the tests keep what lies near the place they looked at last, and look
// only at that while the footprints stay near it. Nothing may move, turn, change its animation or
// type, or come or go meanwhile: the walk and drive steps open one around their look-ahead, and
// the straight-line run holds one while it runs. Scopes nest.
class CollisionScope {
  public:
    CollisionScope();
    // Looks at once at what lies around the area, where the rectangle tests are to come.
    explicit CollisionScope(const Rect16& area);
    // The same for the tests of a unit of the type: a person's reach less far around the area.
    CollisionScope(const Rect16& area, const UnitTypHead& type);
    ~CollisionScope();
    CollisionScope(const CollisionScope&) = delete;
    CollisionScope& operator=(const CollisionScope&) = delete;
};

// Whether the unit's footprint fits at (x, y) facing direction with that animation on a layer
// (a storey inside a house); nonzero when blocked, with what was met. The value says how: the
// edge bits of the overlap (1 the blocker's left edge lies in the footprint, 2 its top, 4 its
// right, 8 its bottom, 15 it encloses the footprint), the wall bits for a house wall. The second
// point, facing and animation that the callers pass along are never read, so they are left out.
std::uint8_t TestCollision(std::uint16_t mode, const UnitHead& unit, const UnitTypHead& type,
                           float x, float y, std::uint8_t direction, std::int8_t layer,
                           std::uint8_t anim, CollisionHit* hit);

// Whether the rectangle left..right x top..bottom is blocked on a layer (a storey of the given
// house). Unit and type may be null. Nonzero when blocked, valued as TestCollision's.
std::uint8_t FindCollisionAt(std::uint16_t mode, const UnitHead* unit, const UnitTypHead* type,
                             std::int16_t left, std::int16_t top, std::int16_t right,
                             std::int16_t bottom, std::int16_t house, std::int8_t layer,
                             std::uint8_t moveClass, CollisionHit* hit);

// Whether a target point lies on impassable ground (or a house's wall or furniture) for the unit;
// units and objects standing there do not count.
std::uint8_t IsTargetBlocked(const UnitHead& unit, const UnitTypHead& type, float x, float y);
// The free point nearest (x, y) found by walking out 3 px at a time in each of the twelve
// directions, at most 87 px and never off the map; ties go to the lower direction. 0 when none.
std::uint8_t FindFreePointNear(const UnitHead& unit, const UnitTypHead& type, float x, float y,
                               float& fx, float& fy);
// 1 when a vehicle or person stands on the target of the unit's leading movement orders and the
// unit is already close enough to it to count as arrived.
std::uint8_t TestDestinationOccupied(const UnitHead& unit, const UnitTypHead& type);
// How far a vehicle's point drifts while it turns from one direction to another, a step forward
// after each turn step; (0, 0) for a person, who turns on the spot.
void TurnDisplacement(const UnitHead& unit, const UnitTypHead& type, std::uint8_t from,
                      std::uint8_t to, float x, float y, float& dx, float& dy);
// Whether the unit's footprint at (x, y) lies wholly on the map: a spot a unit may be put on.
bool FootprintOnMap(const UnitTypHead& type, float x, float y, std::uint8_t direction,
                    std::uint8_t anim);
// Whether the unit's footprint where it stands (its direction and animation, as TestCollision
// takes it) meets an impassable map cell, on the ground, by the collision test's own map-cell step;
// the hit names the cell. Units and objects beside it never count: a level switch asks whether
// the new map has room for what stood on the old one.
std::uint8_t CollidesWithMap(const UnitHead& unit, const UnitTypHead& type, CollisionHit* hit);
// Up to 10 random points of the rectangle (cut to the map) where the unit's footprint, wholly on
// the map, is free when it counts as outside any house. The unit itself is left as it was.
bool FindRandomFreeSpot(UnitHead& unit, const UnitTypHead& type, std::int16_t left,
                        std::int16_t top, std::int16_t right, std::int16_t bottom,
                        std::uint8_t layer, std::uint8_t direction, float& x, float& y);

}  // namespace kv
