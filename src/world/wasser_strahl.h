#pragma once
// Water jets: the hose jet a person owns and the cannon jet of a vehicle. A cannon turns its nozzle
// to the target, tests whether a straight jet clears the houses or throws an arc onto the first one
// in the way, delivers water every tick while it faces the target, and a jet left running stops by
// itself after a countdown. An idle cannon looks for fire around it; the crowd cannon aims itself
// at persons. The hose's operations are in world/schlauch_strahl.h.

#include <cstdint>
#include <string_view>

#include "core/record_fields.h"
#include "gfx/image_files.h"
#include "world/level_map.h"

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
// The floor argument that keeps the jet's floor.
inline constexpr std::uint16_t kKeepFloor = 65535;

// The four stretches of a jet that the drawer lays along the arc, all read with frame 0's row
// width.
inline constexpr std::string_view kJetImagePath = "sobj\\jet.vff";
inline constexpr int kJetImageFrames = 4;
extern FrameSet* JetImages;

// Mission start: loads the jet images. A file with fewer than four frames, or with a frame
// narrower than frame 0, is refused like a missing one (fatal).
void LoadSobjJet();
// Mission end; nothing loaded is fine.
void FreeSobjJet();

// The vehicle's jet; null for a vehicle without a water cannon or an index that names no vehicle.
WasserStrahl* FahrzeugWasserStrahl(std::int32_t vehicle);

// Sets the nozzle's target direction toward (x, y), relative to the vehicle's facing.
void AimWasserWerfer(std::int16_t vehicle, std::int16_t x, std::int16_t y);
// Starts or re-aims the jet at (x, y), height above the ground there, and the floor the water
// reaches (kKeepFloor keeps it). The aim at a tall tile seen from the north is lowered.
void StartWasserStrahl(std::int16_t vehicle, std::int16_t x, std::int16_t y, std::int16_t height,
                       std::uint16_t floor);
// Stops the vehicle's jet: active 0, splash hidden, countdown off. Without force, a vehicle other
// than the crowd cannon that has no orders or is working a cannon order (53, 55, 67) keeps its jet
// and only arms the run-on countdown, unless that already runs.
void StopWasserStrahl(std::int16_t vehicle, std::uint8_t force);
// One tick of a vehicle's cannon: the countdown, the idle search for a fire (or the crowd cannon's
// choice of a person), the nozzle's turn and the water it delivers.
void UpdateWasserStrahl(std::int16_t vehicle);

// Aims the nozzle at (x, y) and walks the straight line from the nozzle to it: false when a house
// cell other than the target's is in the way (written to blocking when given), or when the vehicle
// has no cannon.
bool TestWasserStrahlTarget(std::int16_t vehicle, std::int16_t x, std::int16_t y,
                            CellPos* blocking);
// Starts the jet where an arc of that elevation (degrees) from the nozzle toward (x, y) with its
// height meets the blocking cell, at the height the arc has there.
void StartWasserStrahlArc(std::int16_t vehicle, std::int16_t x, std::int16_t y, std::int16_t height,
                          std::int32_t elevation, const CellPos* blocking);

}  // namespace kv
