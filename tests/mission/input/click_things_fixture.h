#pragma once
// The clicks on things on mission 1's map with units of the sample types: a test sets the
// selection, the mouse and what the last frame recorded under it, clicks, and reads the queues
// order by order and the phrases played.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/unit_head.h"
#include "mission/input/click_orders.h"
#include "mission/input/cursor_fixture.h"
#include "movement/unit_type.h"

namespace kv::test {

class ThingClickTest : public CursorTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Each order as "opcode(a,b,c,d)e" with its arguments as the opcode keeps them (points of
    // moves and turns as floats, the rest as integers), or "opcode[x,y,f;...]e" for a list.
    static std::vector<std::string> Orders(const UnitHead& unit);
    // The first and the last of them; empty for an empty queue.
    static std::string FirstOrder(const UnitHead& unit);
    static std::string LastOrder(const UnitHead& unit);
    // The click point at the mouse's world point, which is also the mouse point.
    static ClickPoints AtMouse();

    // Hover on the thing, then the click's entry for it.
    static void ClickFahrzeug(std::int16_t v);
    static void ClickPerson(std::int16_t p);
    static void ClickSonderObj(std::int16_t o);
    // A piece (kHoverHouseLower..Upper) of storey s at house-grid cell (i, j) of house h, with
    // the cursor the last frame chose.
    static void ClickHouse(std::uint16_t piece, int i, int j, int s, std::uint16_t cursor,
                           int h = 0);

    // Sound ids played since the last click began; the phrase of a unit type as they list it
    // (nothing for a type that never answers).
    std::vector<int> Played();
    static std::vector<int> Said(const UnitTypHead& type, int phrase);

    // Each goal point of the carrier's first order, with the carrier standing there in the
    // point's facing and only its second order, which runs once; the number of points where
    // the carrier took its load up (changed its type). reset puts the load back after each.
    static int PointsTakenUp(std::int16_t carrier, void (*run)(std::int16_t),
                             const std::function<void()>& reset);
};

}  // namespace kv::test
