#pragma once
// The cursor choice on mission 1's map with units of the sample types: a test sets the selection,
// the mouse, and what the last frame's drawing recorded under it, then asks for the cursor.

#include <cstdint>

#include "vehicles/move_fixture.h"

namespace kv::test {

class CursorTest : public MoveTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A vehicle as the player buys it: selectable, taking orders; -1 when none could be made.
    static std::int16_t Bought(std::int32_t type, std::int16_t x, std::int16_t y,
                               std::int32_t facing = 3);
    // The mouse over a world point, which the view must show.
    static void MouseAtWorld(int x, int y);
    // What the drawing recorded under the mouse.
    static void Hover(std::uint16_t kind, std::uint16_t id1, std::uint16_t id2 = 0,
                      std::uint16_t id3 = 0, std::uint16_t id4 = 0);
    // The selection as its recount sets it: one vehicle or one person, by its mode.
    static void SelectFahrzeug(std::int16_t index);
    static void SelectPerson(std::int16_t index);
    static void SelectMode(std::uint16_t mode, std::uint16_t index = 65535);
    // The cursor the frame chooses.
    static std::uint16_t Cursor();
};

}  // namespace kv::test
