#pragma once
// How a click gives its orders: the first order of a sequence replaces the unit's queue and may be
// acknowledged, the rest are appended behind it; approach points travel as goal lists. The clicks
// on the ground, on houses, persons, vehicles and special objects all give orders this way.

#include <cstdint>

#include "core/unit_head.h"
#include "movement/befehl.h"
#include "movement/unit_type.h"

namespace kv {

// The two points of a click, in world pixels. The click point is the top-left corner of the box
// between press and release: the pre-checks and the moves aim there. The mouse point is the view's
// origin plus the mouse: orders that aim at the spot under the cursor (water, landing, the basket
// drive, house actions) use it.
struct ClickPoints {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    std::int32_t mx = 0;
    std::int32_t my = 0;
};

// The unit's whole queue becomes this one order; the unit acknowledges it with the phrase (-1:
// silent) while unit speech is on.
void GiveOrder(UnitHead& unit, const UnitTypHead& type, std::uint8_t opcode, std::int32_t phrase,
               std::int32_t a = 0, std::int32_t b = 0, std::int32_t c = 0, std::int32_t d = 0);
void GiveOrder(UnitHead& unit, const UnitTypHead& type, std::uint8_t opcode, std::int32_t phrase,
               GoalList goals, std::int32_t c = 0, std::int32_t d = 0);
// The order is appended behind the unit's queue.
void ThenOrder(UnitHead& unit, std::uint8_t opcode, std::int32_t a = 0, std::int32_t b = 0,
               std::int32_t c = 0, std::int32_t d = 0);
void ThenOrder(UnitHead& unit, std::uint8_t opcode, GoalList goals, std::int32_t c = 0,
               std::int32_t d = 0);

// A phrase spoken outside an order, whether unit speech is on or not; a speaker below 0 says
// nothing.
void SayPhrase(std::int32_t phrase, std::int8_t speaker);

}  // namespace kv
