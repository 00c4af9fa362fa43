#pragma once
// Boat points: the fixed places on a shore of the missions with water where the boat carrier
// launches its boat and takes it back. While a boat or a carrier is selected the usable points
// carry an animated marker, and a click on one sends the vehicle there with the launch or the
// take-back order. Also the order by which a boat takes a person in distress aboard.

#include <cstdint>
#include <vector>

#include "core/record_fields.h"
#include "gfx/image_files.h"

namespace kv {

struct Fahrzeug;
struct Person;

inline constexpr std::uint16_t kBootPunktUnused = 65535;

// One point (14 bytes, saved whole).
struct BootPunkt {
    std::uint16_t x = kBootPunktUnused;  // where the carrier stands
    std::uint16_t y = kBootPunktUnused;
    std::int16_t dx = 0;  // the boat stands at (x + dx, y + dy)
    std::int16_t dy = 0;
    std::int16_t ex = 0;  // persons leave and board a boat on the point at (x + ex, y + ey)
    std::int16_t ey = 0;
    std::uint8_t facing = 0;  // of a carrier on the point, and of its boat
    std::uint8_t active = 0;  // 1: drawn and clickable
};
template <class V>
constexpr void VisitFields(BootPunkt& r, V& v) {
    v("x", r.x);
    v("y", r.y);
    v("dx", r.dx);
    v("dy", r.dy);
    v("ex", r.ex);
    v("ey", r.ey);
    v("facing", r.facing);
    v("active", r.active);
}

// Empty when the mission has none.
extern std::vector<BootPunkt> BootPunkte;
// Set by the mission before it calls AllocBootPunkte.
extern std::int16_t BootPunktCount;
// The marker (the pontoon points' picture), held while the mission runs.
extern VffImage* BootMarkerImage;
extern std::uint8_t BootMarkerFrame;  // 0..3
extern std::uint8_t BootMarkerTick;   // 0..1: drawn frames of the marker frame shown

// The point of an index; null outside the table and for an unused record.
const BootPunkt* UsedBootPunktAt(std::int32_t index);

// Mission start (also of a second part): the earlier points go, then the mission's own, then the
// marker once every point allocated is in use. A missing marker is fatal; false then.
bool InitBootPunkte(int mission);
// BootPunktCount unused points; none for a count of 0 or less.
void AllocBootPunkte();
// Fills the first unused point; nothing when every point is used.
void AddBootPunkt(std::uint16_t x, std::uint16_t y, std::uint8_t facing, std::int16_t dx,
                  std::int16_t dy, std::int16_t ex, std::int16_t ey, std::uint8_t active);
// Mission end: the marker and the points.
void FreeBootPunkte();

// Each frame of the mission view while a boat or a carrier is selected: the marker on every
// active point it could be sent to, one marker frame per two calls.
void DrawBootPunkte();
// A click at world point (x, y) with a boat or a carrier selected: 1 when it hit a point the
// vehicle could be sent to and the vehicle got its orders to launch or take back the boat there.
std::uint8_t ClickBootPunkt(std::int16_t x, std::int16_t y);
// With a boat or a carrier selected: whether the mouse is over a point it would be sent to; the
// cursor is then the rescue cursor and the result 1.
std::uint8_t HoverBootPunkt();

// Whether order 77 would take the person aboard the boat now: a person in distress on the map,
// within the boat's reach, and a free seat.
bool MayTakeAboard(const Fahrzeug& boat, const Person& person);
// Takes the person in distress named by a into the first free seat, when the boat has come near
// enough, and hurts it as one pulled from the water.
void RunFahrzeugBefehl77(std::int16_t vehicle);

}  // namespace kv
