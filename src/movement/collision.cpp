#include "movement/collision.h"

#include "persons/person.h"

namespace kv {

std::uint8_t FindCollisionAt(std::uint16_t, const UnitHead*, const UnitTypHead*, std::int16_t,
                             std::int16_t, std::int16_t, std::int16_t, std::int16_t, std::int8_t,
                             std::uint8_t, CollisionHit* hit) {
    if (hit != nullptr) *hit = {};
    return 0;
}

std::uint8_t TestCollision(std::uint16_t, UnitHead&, const UnitTypHead&, float, float, std::uint8_t,
                           float, float, std::uint8_t, std::uint8_t, std::int8_t, std::uint8_t,
                           CollisionHit* hit) {
    if (hit != nullptr) *hit = {};
    return 0;
}

std::uint8_t TestLineFree(float, float, std::uint8_t, UnitHead&, const UnitTypHead&, float, float,
                          LineRun& out) {
    out = {};
    return 1;
}

std::uint8_t TestDirectPath(float x, float y, std::uint8_t direction, UnitHead& unit,
                            const UnitTypHead& type, float targetX, float targetY, LineRun& out) {
    return TestLineFree(x, y, direction, unit, type, targetX, targetY, out);
}

void ResetPersonTrail(Person& person) {
    person.trailWrite = kTrailEmpty;
    person.trailWrapped = 0;
}

void FreeContourRecord(UnitHead& unit) {
    unit.contour = nullptr;
}

}  // namespace kv
