#include "movement/sonder_obj_push.h"

#include "movement/stepping.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_collision.h"

namespace kv {

namespace {

// An object is pushed only along an axis; which one, for each of the vehicle's directions.
constexpr std::uint8_t PushAxis(std::uint8_t direction) {
    switch (direction % kDirectionCount) {
        case 0:
        case 2:
        case 10:
            return 0;
        case 1:
        case 3:
        case 5:
            return 3;
        case 4:
        case 6:
        case 8:
            return 6;
        default:
            return 9;
    }
}

// Moves the object by one step of the vehicle at (x, y) along the pushing axis.
void StepObject(const UnitHead& unit, const UnitTypHead& type, float x, float y,
                std::uint8_t direction, SonderObj& o) {
    float sx = x;
    float sy = y;
    StepMoverFree(unit, type, sx, sy, PushAxis(direction), static_cast<std::uint8_t>(unit.anim), 1);
    o.x += sx - x;
    o.y += sy - y;
}

SonderObj* UsedSonderObj(std::int16_t object) {
    SonderObj* o = SonderObjAt(object);
    return o != nullptr && o->type != -1 ? o : nullptr;
}

}  // namespace

bool CanPushSonderObj(const UnitHead& unit, const UnitTypHead& type, float x, float y,
                      std::uint8_t direction, std::int16_t object) {
    SonderObj* o = UsedSonderObj(object);
    if (o == nullptr) return false;
    const float ox = o->x;
    const float oy = o->y;
    StepObject(unit, type, x, y, direction, *o);
    SonderObjContact contact;
    const bool free = TestSonderObjCollision(object, 1, type.terrainColumn, contact) == 0;
    o->x = ox;
    o->y = oy;
    return free;
}

void PushSonderObj(const UnitHead& unit, const UnitTypHead& type, float x, float y,
                   std::uint8_t direction, std::int16_t object) {
    if (SonderObj* o = UsedSonderObj(object)) StepObject(unit, type, x, y, direction, *o);
}

}  // namespace kv
