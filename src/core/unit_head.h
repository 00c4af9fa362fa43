#pragma once
// The head that persons and vehicles share field for field: the order queue, stepping, collision
// and path search take either kind of unit through it. `Person` and `Fahrzeug` derive from it and
// add their own fields after it.

#include <array>
#include <cstddef>
#include <cstdint>

namespace kv {

struct Befehl;
struct PathSearch;
struct ContourRecord;
struct Route;

// One planned step: the direction to face and the point to reach.
struct MoveStep {
    std::uint8_t direction = 0;
    float x = 0;
    float y = 0;
};

// Entries 0..23 of the step ring; entry 24, the planning origin, is moveDir, moveX and moveY.
inline constexpr int kStepRingEntries = 24;

// A link that names no unit, and the energy of a unit in full health.
inline constexpr std::uint16_t kNoLink = 0xFFFF;
inline constexpr std::int32_t kFullEnergy = 1000000;
// The stepMarker while no back-off direction is set.
inline constexpr std::uint8_t kNoBackOff = 128;

struct UnitHead {
    std::int8_t type = -1;  // -1: free slot
    std::int8_t direction = 0;
    std::int8_t anim = 0;
    std::uint8_t selected = 0;
    std::int16_t drawX = 0;
    std::int16_t drawY = 0;
    float x = 0;
    float y = 0;
    float height = 0;
    // A person's storey (bases use -3..-5); a vehicle's layer: 0 ground, -1 helicopter, -2
    // aircraft.
    std::int8_t storey = 0;
    Befehl* orders = nullptr;
    std::uint8_t present = 0;
    std::uint8_t targetable = 0;  // a vehicle's first flag byte
    std::uint8_t selectable = 0;  // a vehicle's second flag byte
    std::uint8_t frame = 0;
    std::int8_t frameTimer = 0;
    std::uint16_t link = kNoLink;
    std::uint16_t link2 = kNoLink;
    std::int32_t energy = kFullEnergy;
    std::uint8_t controlFlags = 0;  // a vehicle's owner flags
    std::uint16_t house = 0xFFFF;
    std::uint8_t stepWrite = 0;
    std::uint8_t stepRead = 0;
    std::array<MoveStep, kStepRingEntries> stepRing{};
    std::uint8_t moveDir = 0;
    float moveX = 0;
    float moveY = 0;
    std::uint8_t moverFlags = 0;
    PathSearch* pathSearch = nullptr;
    ContourRecord* contour = nullptr;
    float speed = 0;
    std::uint32_t moveSpare = 0;
    Befehl* shortcutFirst = nullptr;
    Befehl* shortcutLast = nullptr;
    std::uint8_t stepMarker = kNoBackOff;
    Route* route = nullptr;
    float aimX = 0;
    float aimY = 0;
    std::uint8_t moveByte = 0;
    std::uint8_t walkCount = 0;
    std::int16_t zone = -1;
    std::int16_t sound = -1;  // id of the looping sound the unit owns; -1 none
};

// The head's stored fields, pointers counted as 4 bytes.
template <class V>
constexpr void VisitFields(MoveStep& r, V& v) {
    v("direction", r.direction);
    v("x", r.x);
    v("y", r.y);
}

template <class V>
constexpr void VisitFields(UnitHead& r, V& v) {
    v("type", r.type);
    v("direction", r.direction);
    v("anim", r.anim);
    v("selected", r.selected);
    v("drawX", r.drawX);
    v("drawY", r.drawY);
    v("x", r.x);
    v("y", r.y);
    v("height", r.height);
    v("storey", r.storey);
    v.pointer("orders", r.orders);
    v("present", r.present);
    v("targetable", r.targetable);
    v("selectable", r.selectable);
    v("frame", r.frame);
    v("frameTimer", r.frameTimer);
    v("link", r.link);
    v("link2", r.link2);
    v("energy", r.energy);
    v("controlFlags", r.controlFlags);
    v("house", r.house);
    v("stepWrite", r.stepWrite);
    v("stepRead", r.stepRead);
    v("stepRing", r.stepRing);
    v("moveDir", r.moveDir);
    v("moveX", r.moveX);
    v("moveY", r.moveY);
    v("moverFlags", r.moverFlags);
    v.pointer("pathSearch", r.pathSearch);
    v.pointer("contour", r.contour);
    v("speed", r.speed);
    v("moveSpare", r.moveSpare);
    v.pointer("shortcutFirst", r.shortcutFirst);
    v.pointer("shortcutLast", r.shortcutLast);
    v("stepMarker", r.stepMarker);
    v.pointer("route", r.route);
    v("aimX", r.aimX);
    v("aimY", r.aimY);
    v("moveByte", r.moveByte);
    v("walkCount", r.walkCount);
    v("zone", r.zone);
    v("sound", r.sound);
}

}  // namespace kv
