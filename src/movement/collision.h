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

// What a straight-line run met and where it stopped.
struct LineRun {
    std::uint8_t kind = 0;  // collision kind; bit 6 a circle was found, bit 7 a turn was blocked
    std::uint16_t index1 = 0;
    std::uint16_t index2 = 0;
    std::uint16_t index3 = 0;
    std::uint8_t blocked = 0;
    std::uint8_t stopDirection = 0;
    std::uint8_t directionHint = 0;
    float stopX = 0;
    float stopY = 0;
    std::uint16_t reason = 0;
};

// Whether the unit's footprint is blocked at (x, y) facing direction on a layer (a storey inside a
// house). Nonzero when blocked. Reports free until the collision tests come.
std::uint8_t TestCollision(std::uint16_t mode, UnitHead& unit, const UnitTypHead& type, float x,
                           float y, std::uint8_t direction, float x2, float y2,
                           std::uint8_t direction2, std::uint8_t anim2, std::int8_t layer,
                           std::uint8_t anim, CollisionHit* hit);
// Whether the unit can drive or walk the straight way from (x, y), facing direction, to the target;
// 1 when free. The run plans in the unit's step ring. TestDirectPath also drops the turning
// record the run may leave and restores the mover flags. Both report free until the collision
// tests come.
std::uint8_t TestLineFree(float x, float y, std::uint8_t direction, UnitHead& unit,
                          const UnitTypHead& type, float targetX, float targetY, LineRun& out);
std::uint8_t TestDirectPath(float x, float y, std::uint8_t direction, UnitHead& unit,
                            const UnitTypHead& type, float targetX, float targetY, LineRun& out);

// Empties the person's trail of passed points.
void ResetPersonTrail(Person& person);

// Frees the unit's turning record of the straight-line run, if any. Nothing allocates one until
// the straight-line run comes with the collision tests.
void FreeContourRecord(UnitHead& unit);

}  // namespace kv
