#pragma once
// Water jets: the hose jet a person owns and the cannon jet of a vehicle.

#include <cstdint>

#include "core/record_fields.h"

namespace kv {

// A person's hose jet: the person owns it as its attachment (24 bytes, saved whole).
struct SchlauchStrahl {
    std::int8_t direction = 0;  // the person must face it to spray
    std::uint8_t active = 0;
    std::int16_t floor = 0;  // storey passed on with the water; -1 all floors
    std::int16_t targetX = 0;
    std::int16_t targetY = 0;
    std::int16_t wobbleXTarget = 0;
    std::int16_t wobbleYTarget = 0;
    std::int16_t wobbleX = 0;
    std::int16_t wobbleY = 0;
    std::int16_t height = 0;
    std::int8_t wobbleDTarget = 0;
    std::int8_t wobbleD = 0;
    std::uint16_t ticksRunning = 0;  // the drawer's texture column
    std::int16_t splash = 0;         // special-object slot of the splash
};
template <class V>
constexpr void VisitFields(SchlauchStrahl& r, V& v) {
    v("direction", r.direction);
    v("active", r.active);
    v("floor", r.floor);
    v("targetX", r.targetX);
    v("targetY", r.targetY);
    v("wobbleXTarget", r.wobbleXTarget);
    v("wobbleYTarget", r.wobbleYTarget);
    v("wobbleX", r.wobbleX);
    v("wobbleY", r.wobbleY);
    v("height", r.height);
    v("wobbleDTarget", r.wobbleDTarget);
    v("wobbleD", r.wobbleD);
    v("ticksRunning", r.ticksRunning);
    v("splash", r.splash);
}

// Stops a vehicle's cannon jet; without force, a vehicle still at a cannon order only arms its
// 60-tick countdown. Does nothing yet: the cannons come with the water-jet work.
void StopWasserStrahl(std::int16_t vehicle, std::uint8_t force);

}  // namespace kv
