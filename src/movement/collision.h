#pragma once
// Collision tests: whether a footprint fits at a point, a person's trail of passed points, and
// the turning record of the straight-line run.

#include <cstdint>

#include "core/unit_head.h"
#include "movement/unit_type.h"

namespace kv {

struct Person;

// What a collision test met: the kind (0 nothing, 1 vehicle, 2 person, 3 special object, 4 map
// cell, 5 furniture, 6 house wall, 9 another house, 11 a full zone) and its indices.
struct CollisionHit {
    std::uint8_t kind = 0;
    std::uint16_t index1 = 0;
    std::uint16_t index2 = 0;
    std::uint16_t index3 = 0;
};

// Whether the rectangle left..right x top..bottom is blocked on a layer (a storey inside house).
// Unit and type may be null. Nonzero when blocked. Reports free until the collision tests come.
std::uint8_t FindCollisionAt(std::uint16_t mode, const UnitHead* unit, const UnitTypHead* type,
                             std::int16_t left, std::int16_t top, std::int16_t right,
                             std::int16_t bottom, std::int16_t house, std::int8_t layer,
                             std::uint8_t moveClass, CollisionHit* hit);

// Whether the unit's footprint fits at (x, y) facing direction with that animation on a layer
// (a storey inside a house); nonzero when blocked, with what was met. The second point, facing
// and animation that the callers pass along are never read, so they are left out. Reports free
// until the collision tests come.
std::uint8_t TestCollision(std::uint16_t mode, const UnitHead& unit, const UnitTypHead& type,
                           float x, float y, std::uint8_t direction, std::int8_t layer,
                           std::uint8_t anim, CollisionHit* hit);

// The waypoint shortcut window of the movement handlers: opened behind the unit's planned steps,
// then advanced one waypoint at a time. Do nothing until the collision tests come.
void StartWaypointShortcut(UnitHead& unit, const UnitTypHead& type);
void ShortcutWaypoints(UnitHead& unit, const UnitTypHead& type);

// Empties the person's trail of passed points.
void ResetPersonTrail(Person& person);

// Frees the unit's turning record of the straight-line run, if any. Nothing allocates one until
// the straight-line run comes with the collision tests.
void FreeContourRecord(UnitHead& unit);

}  // namespace kv
