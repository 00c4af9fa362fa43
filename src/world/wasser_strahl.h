#pragma once
// Water jets: the hose jet a person owns and the cannon jet of a vehicle. A cannon's jet aims, its
// aim drifts, and a jet left running stops by itself after a countdown.

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

// A vehicle's cannon jet: the vehicle owns it and saves it with itself.
struct WasserStrahl {
    std::int8_t nozzle = 0;        // direction 0..11 relative to the vehicle's facing
    std::int8_t nozzleTarget = 0;  // the direction the nozzle turns to
    std::uint8_t autoAim = 0;      // the crowd cannon aims itself at persons
    std::uint8_t retargetTicks = 0;
    std::int16_t targetPerson = -1;
    std::int16_t searchRadius = 0;  // ring radius in cells the idle search has reached
    std::uint8_t active = 0;
    std::uint8_t elevation = 0;  // degrees: 25, 50 or 75
    std::int16_t floor = 0;      // passed to ApplyWasser; -1 all floors
    std::int16_t targetX = 0;
    std::int16_t targetY = 0;
    std::int16_t wobbleXTarget = 0;
    std::int16_t reserved = 0;  // the drawer's texture column
    std::int16_t wobbleX = 0;
    std::int16_t yCorrection = 0;
    std::int16_t height = 0;  // of the aim point above the target's ground
    std::int8_t wobbleDTarget = 0;
    std::int8_t wobbleD = 0;
    std::uint16_t ticksRunning = 0;
    std::int16_t splash = -1;     // special-object slot of the splash; -1 none
    std::int16_t countdown = -1;  // ticks until the jet stops by itself; -1 off
};

// 34 bytes of fields, stored as 36.
template <class V>
constexpr void VisitFields(WasserStrahl& r, V& v) {
    v("nozzle", r.nozzle);
    v("nozzleTarget", r.nozzleTarget);
    v("autoAim", r.autoAim);
    v("retargetTicks", r.retargetTicks);
    v("targetPerson", r.targetPerson);
    v("searchRadius", r.searchRadius);
    v("active", r.active);
    v("elevation", r.elevation);
    v("floor", r.floor);
    v("targetX", r.targetX);
    v("targetY", r.targetY);
    v("wobbleXTarget", r.wobbleXTarget);
    v("reserved", r.reserved);
    v("wobbleX", r.wobbleX);
    v("yCorrection", r.yCorrection);
    v("height", r.height);
    v("wobbleDTarget", r.wobbleDTarget);
    v("wobbleD", r.wobbleD);
    v("ticksRunning", r.ticksRunning);
    v("splash", r.splash);
    v("countdown", r.countdown);
    v.pad("spare", 2);
}

// Ticks a jet runs on after the fire it was aimed at has gone out while the vehicle still works
// its cannon order.
inline constexpr std::int16_t kWasserStrahlRunOn = 60;
// The special-object type of a jet's splash.
inline constexpr std::int16_t kSplashSonderObjTyp = 6;

// The vehicle's jet; null for a vehicle without a water cannon or an index that names no vehicle.
WasserStrahl* FahrzeugWasserStrahl(std::int32_t vehicle);

// Stops the vehicle's jet: active 0, splash hidden, countdown off. Without force, a vehicle other
// than the crowd cannon that has no orders or is working a cannon order (53, 55, 67) keeps its jet
// and only arms the run-on countdown, unless that already runs.
void StopWasserStrahl(std::int16_t vehicle, std::uint8_t force);

// One tick of a vehicle's cannon: the countdown, the idle search for a fire, the drift of a
// running jet. Does nothing yet: the cannons come with the water-jet work.
void UpdateWasserStrahl(std::int16_t vehicle);

// One tick of a person's hose jet. Does nothing yet: the hoses come with the water-jet work.
void UpdateSchlauchStrahl(std::int16_t person);

}  // namespace kv
