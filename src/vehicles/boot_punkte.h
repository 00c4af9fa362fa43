#pragma once
// Boat points: where boats are launched and taken back, and the order that takes a person in
// distress aboard.
//
// The mission's points are kept here; until the boat points come, no mission defines any, and
// order 77 does nothing and stays at the head.

#include <cstdint>
#include <vector>

#include "core/record_fields.h"

namespace kv {

inline constexpr std::uint16_t kBootPunktUnused = 65535;

// One point (14 bytes, saved whole).
struct BootPunkt {
    std::uint16_t x = kBootPunktUnused;
    std::uint16_t y = kBootPunktUnused;
    std::int16_t dx = 0;  // the boat stands at (x + dx, y + dy)
    std::int16_t dy = 0;
    std::int16_t ex = 0;  // persons leave and board a boat on the point at (x + ex, y + ey)
    std::int16_t ey = 0;
    std::uint8_t facing = 0;  // of a carrier on the point
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
extern std::int16_t BootPunktCount;

// With a boat or a carrier selected: whether the mouse is over a point it would be sent to; the
// cursor is then the rescue cursor and the result 1.
std::uint8_t HoverBootPunkt();
// With a boat or a carrier selected: a click at world point (x, y) on a point it would be sent to
// sends it there; 1 when it did.
std::uint8_t ClickBootPunkt(std::int16_t x, std::int16_t y);

// The markers on the active points, drawn while a boat or a boat carrier is selected.
void DrawBootPunkte();

// Take the person in distress into the first free seat.
void RunFahrzeugBefehl77(std::int16_t vehicle);

}  // namespace kv
