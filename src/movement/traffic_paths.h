#pragma once
// The background life of a mission map. A civilian traffic path is a straight lane: now and then
// a civilian car of a weighted random type appears at its start, drives to its target with the
// traffic order and is removed there. A pedestrian path is a list of points that pedestrians walk
// round in a loop or back and forth. The missions define both at mission start; the tick spawns
// the traffic and the person update walks the pedestrians.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/unit_head.h"
#include "world/geometry.h"

namespace kv {

// One traffic path (44 bytes in the save game, which keeps only its speed and timer; the mission
// rebuilds the rest).
struct ZFWeg {
    std::int32_t startX = 0;  // where a new car is placed
    std::int32_t startY = 0;
    std::int32_t targetX = 0;  // where the traffic order drives it
    std::int32_t targetY = 0;
    std::int32_t turnX = 0;  // where it turns back to when the lane is blocked
    std::int32_t turnY = 0;
    std::uint8_t startDir = 0;
    std::int16_t interval = 0;  // at most this many ticks between two cars
    std::int16_t timer = 0;     // ticks since the last car
    float speed = 5.0f;         // the step length of the path's cars
    std::uint8_t typeCount = 0;
    std::vector<std::uint16_t> types;    // vehicle types, one per entry
    std::vector<std::int16_t> percents;  // each type's chance in percent
    std::uint16_t lastType = 0xFFFF;     // the type of the last car; 0xFFFF none
};
template <class V>
constexpr void VisitFields(ZFWeg& r, V& v) {
    v("startX", r.startX);
    v("startY", r.startY);
    v("targetX", r.targetX);
    v("targetY", r.targetY);
    v("turnX", r.turnX);
    v("turnY", r.turnY);
    v("startDir", r.startDir);
    v("interval", r.interval);
    v("timer", r.timer);
    v("speed", r.speed);
    v("typeCount", r.typeCount);
    v.pointer("types", r.types);
    v.pointer("percents", r.percents);
    v("lastType", r.lastType);
}

// One entry of a path's type list.
struct ZFWegTyp {
    std::uint16_t type;
    std::int16_t percent;
};

// Set by the mission's traffic set-up before it calls AllocZFWege.
extern std::uint8_t ZFWegCount;
extern std::vector<ZFWeg> ZFWege;

// What FindNearestZFWeg gives without paths.
inline constexpr std::int32_t kNoZFWeg = 0x7FFFFFFF;

// The path of an index; null for one that names no path.
ZFWeg* ZFWegAt(std::int32_t path);

// Mission start: no paths, the mission's traffic set-up (fatal "InitZFWege not defined" without
// one), then every vehicle type the paths list is loaded. False after a fatal error.
bool InitZFWege(int mission);
// ZFWegCount paths with the defaults: timer 0, no types, no last type, speed 5.
void AllocZFWege();
void FreeZFWege();
// Writes a path's type and percent lists from one list of entries (at most 255).
void SetZFWegTypen(ZFWeg& path, std::span<const ZFWegTyp> list);

// Once per tick: counts every path's timer and spawns a car where it runs out.
void SpawnZF();

// The path whose lane passes nearest the unit; kNoZFWeg without paths.
std::int32_t FindNearestZFWeg(const UnitHead& unit);

// The step length of the cars of a path (civilian cars step by their path, not by the terrain);
// none for an index that names no path, such as a parked car's -1.
std::optional<float> ZFWegSpeed(std::int32_t path);
// Sets it (a gate opening or closing across the lane); a path at or past ZFWegCount is left
// alone.
void SetZFWegSpeed(std::uint16_t path, float speed);

// One pedestrian path.
struct PassantenWeg {
    std::uint8_t pointCount = 0;
    std::vector<Point16> points;
    std::uint8_t mode = 0;
};
inline constexpr std::uint8_t kPassantenWegLoop = 0;
inline constexpr std::uint8_t kPassantenWegBackAndForth = 1;

// A pedestrian's link2: its path in bits 8..14, its point in the low byte, this bit while it walks
// the path backwards; 0xFFFF none.
inline constexpr std::uint16_t kPassantBackwards = 0x8000;
inline constexpr std::uint8_t kMaxPassantenWeg = 127;
// What NextPassantenWegPoint gives for a path without points.
inline constexpr std::uint8_t kNoPassantenWegPoint = 255;

// Set by the mission's pedestrian set-up before it calls AllocPassantenWege.
extern std::uint8_t PassantenWegCount;
extern std::vector<PassantenWeg> PassantenWege;

// Mission start: no paths, then the mission's pedestrian set-up (fatal "InitPassantenWege not
// defined" without one). False after a fatal error.
bool InitPassantenWege(int mission);
// PassantenWegCount paths without points.
void AllocPassantenWege();
void FreePassantenWege();
// Defines a path (an index past the table is ignored): the points are copied in order up to and
// with the first one that has a negative coordinate, at most 255.
void SetPassantenWeg(std::int32_t index, std::uint8_t mode, std::span<const Point16> points);
// A pedestrian on a point of a path, facing the next point; -1 when the path or point is not
// there, the path cannot be held in link2, the type is not one, or no person slot is free. It
// gets no orders: the first StepPassantRoute starts it.
std::int16_t SpawnPassant(std::uint8_t type, std::uint8_t path, std::uint8_t point,
                          std::uint8_t contamination);
// The point after `point` on the path; backwards is the walking direction, in and out. A path of
// one point stays on point 0; a path without points, or an index past the table, gives
// kNoPassantenWegPoint.
std::uint8_t NextPassantenWegPoint(std::uint8_t path, std::uint8_t point, bool& backwards);
// Gives an idle pedestrian its next walk: one holding (head order 9) or standing on its point walks
// to the next point; one standing elsewhere waits, walks back onto its point and holds.
void StepPassantRoute(std::int16_t person);

}  // namespace kv
