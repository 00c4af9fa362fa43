#pragma once
// How a click gives orders, the same for every kind of thing clicked: the first order replaces
// the unit's queue (with its acknowledgement), the rest are appended behind it; approach points
// travel as goal lists. Speech outside orders plays whether or not units answer orders.

#include <cstdint>

#include "core/unit_head.h"
#include "movement/befehl.h"
#include "movement/unit_type.h"

namespace kv {

// The two points of a click in world pixels: the click point (the top-left of the press-release
// box) and the mouse point (the view's origin plus the mouse), where orders aim at the spot under
// the cursor.
struct ClickPoints {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    std::int32_t mx = 0;
    std::int32_t my = 0;
};

// Replaces the unit's queue by the order (e = 0); phrase -1 is silent.
void GiveOrder(UnitHead& unit, const UnitTypHead& type, std::uint8_t opcode, std::int32_t phrase,
               std::int32_t a = 0, std::int32_t b = 0, std::int32_t c = 0, std::int32_t d = 0);
void GiveOrder(UnitHead& unit, const UnitTypHead& type, std::uint8_t opcode, std::int32_t phrase,
               GoalList goals, std::int32_t c = 0, std::int32_t d = 0);
// Appends the order (e = 1, flags 0, extra -1).
void ThenOrder(UnitHead& unit, std::uint8_t opcode, std::int32_t a = 0, std::int32_t b = 0,
               std::int32_t c = 0, std::int32_t d = 0);
void ThenOrder(UnitHead& unit, std::uint8_t opcode, GoalList goals, std::int32_t c = 0,
               std::int32_t d = 0);
// The phrase of the speaker; a negative speaker says nothing.
void SayPhrase(std::int32_t phrase, std::int8_t speaker);

}  // namespace kv
