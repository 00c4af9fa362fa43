#pragma once
// Boat points: where boats are launched and taken back, and the order that takes a person in
// distress aboard.
//
// Declared here for the vehicle order interpreter and the cursor; until the boat points come,
// the table stays empty, each operation does nothing and the order stays at the head.

#include <cstdint>
#include <vector>

namespace kv {

inline constexpr std::uint16_t kBootPunktFree = 65535;

// One point (14 bytes).
struct BootPunkt {
    std::uint16_t x = kBootPunktFree;  // kBootPunktFree: a free record
    std::uint16_t y = kBootPunktFree;
    std::int16_t dx = 0;  // the boat's place on the water: (x + dx, y + dy)
    std::int16_t dy = 0;
    std::int16_t ex = 0;  // where persons leave and board a boat on the point: (x + ex, y + ey)
    std::int16_t ey = 0;
    std::uint8_t facing = 0;  // the facing a carrier on the point has
    std::uint8_t active = 0;  // 1: drawn and clickable
};

// Empty in missions without water.
extern std::vector<BootPunkt> BootPunkte;

// With a boat or a carrier selected: whether the mouse is over a point it would be sent to; the
// cursor is then the rescue cursor and the result 1.
std::uint8_t HoverBootPunkt();

// Take the person in distress into the first free seat.
void RunFahrzeugBefehl77(std::int16_t vehicle);

}  // namespace kv
