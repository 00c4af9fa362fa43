#include "mission/input/cursor_fixture.h"

#include <gtest/gtest.h>

#include "core/hover.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "mission/input/cursor_choice.h"
#include "persons/person_types.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug.h"
#include "world/level_map.h"

namespace kv::test {

void CursorTest::SetUp() {
    MoveTest::SetUp();
    // As mission 1's start leaves them: the view scrolls over 0..1120 x 0..500.
    ScrollCols = static_cast<std::int16_t>(MapWidth - 1);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 3);
    ViewOrigin = {400, 100};
    for (std::int16_t type : {1, 2, 3, 4, 5}) LoadPersonTyp(type);
    MouseX = 300;
    MouseY = 300;
}

void CursorTest::TearDown() {
    BootPunkte.clear();
    MoveTest::TearDown();
}

std::int16_t CursorTest::Bought(std::int32_t type, std::int16_t x, std::int16_t y,
                                std::int32_t facing) {
    const std::int16_t v = Make(type, kOwnerBought, x, y, facing);
    if (v >= 0) V(v).targetable = V(v).selectable = 1;
    return v;
}

void CursorTest::MouseAtWorld(int x, int y) {
    const int sx = x - ViewOrigin.x;
    const int sy = y - ViewOrigin.y;
    ASSERT_TRUE(sx > 21 && sx < 640 && sy > 21 && sy < 480) << x << ", " << y;
    MouseX = static_cast<std::uint16_t>(sx);
    MouseY = static_cast<std::uint16_t>(sy);
}

void CursorTest::Hover(std::uint16_t kind, std::uint16_t id1, std::uint16_t id2, std::uint16_t id3,
                       std::uint16_t id4) {
    HoverKind = kind;
    HoverIds = {id1, id2, id3, id4};
}

void CursorTest::SelectFahrzeug(std::int16_t index) {
    SelectMode(static_cast<std::uint16_t>(V(index).type), static_cast<std::uint16_t>(index));
}

void CursorTest::SelectPerson(std::int16_t index) {
    SelectMode(static_cast<std::uint16_t>(kPersonSelected + P(index).type),
               static_cast<std::uint16_t>(index));
}

void CursorTest::SelectMode(std::uint16_t mode, std::uint16_t index) {
    SelectionMode = mode;
    SelectedIndex = index;
}

std::uint16_t CursorTest::Cursor() {
    CursorId = 65535;
    ChooseCursor();
    return CursorId;
}

}  // namespace kv::test
