// Mission 1 played by the scripted player with a fire engine selected, a cell burning and a person
// standing in the view: the cursor at every edge and corner, over the panel, the fire and the
// person, each kept as a frame.

#include <gtest/gtest.h>

#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/selection.h"
#include "core/view.h"
#include "mission/mission_fixture.h"
#include "mission/mission_steps.h"
#include "persons/personen.h"
#include "platform/messages.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand.h"
#include "world/level_map.h"

namespace kv {
namespace {

// The scene, in world pixels: the view's home (0, 240) shows all three.
constexpr int kFireColumn = 16;
constexpr int kFireRow = 14;
constexpr float kFireX = 300;  // a point of that cell
constexpr float kFireY = 400;
constexpr std::int16_t kPersonX = 420;
constexpr std::int16_t kPersonY = 430;
constexpr std::int16_t kEngineX = 560;  // out of its cannon's reach of the fire
constexpr std::int16_t kEngineY = 650;

void (*g_initPersonenM01)() = nullptr;
void (*g_initFahrzeugeM01)() = nullptr;
std::int16_t g_person = -1;
std::int16_t g_engine = -1;

// After mission 1's own persons: a fire fighter standing, and the fire.
void InitPersonenWithScene() {
    g_initPersonenM01();
    g_person = CreatePersonAt(kPersonX, kPersonY, 0, 6);
    if (g_person < 0) return;
    Person& p = Personen[static_cast<std::size_t>(g_person)];
    p.type = 1;
    p.controlFlags = 0;
    IgniteMapCellAt(kFireColumn, kFireRow);
}

// After mission 1's own vehicles: the fire engine as the player bought it.
void InitFahrzeugeWithScene() {
    g_initFahrzeugeM01();
    g_engine = CreateFahrzeug(kTypF104, kEngineX, kEngineY, 3);
    if (g_engine < 0) return;
    Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(g_engine)];
    v.controlFlags = 0;  // set up as bought
    v.targetable = 1;
    v.selectable = 1;
}

class CursorGameTest : public test::MissionTest {
  protected:
    void keep(const test::ScriptedPlayer& player) {
        EXPECT_TRUE(player.shot("cursor-" + std::to_string(CursorId)));
    }
};

TEST_F(CursorGameTest, TheCursorShowsScrollingThePanelWaterAndSelecting) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player, [](MissionHooks& row) {
        g_initPersonenM01 = row.InitPersonen;
        g_initFahrzeugeM01 = row.InitFahrzeuge;
        row.InitPersonen = InitPersonenWithScene;
        row.InitFahrzeuge = InitFahrzeugeWithScene;
    });
    ASSERT_EQ(GameMode, 2u) << "the start picture's click starts mission 1";
    ASSERT_GE(g_person, 0);
    ASSERT_GE(g_engine, 0);
    // The engine selected, as the selection is recounted after any change of the units.
    Fahrzeuge[static_cast<std::size_t>(g_engine)].selected = 1;
    UpdateSelectionMode();
    ASSERT_EQ(SelectionMode, kTypF104);
    ASSERT_EQ(ViewOrigin.x, 530);

    // The view is inside its limits: every edge and corner shows its plain arrow.
    const struct {
        int x;
        int y;
        std::uint16_t cursor;
    } edges[] = {
        {400, 0, kCursorScrollUp},       {799, 300, kCursorScrollRight},
        {400, 599, kCursorScrollDown},   {0, 300, kCursorScrollLeft},
        {799, 0, kCursorScrollUpRight},  {799, 599, kCursorScrollDownRight},
        {0, 599, kCursorScrollDownLeft}, {0, 0, kCursorScrollUpLeft},
    };
    for (const auto& e : edges) {
        player.mouse(e.x, e.y);
        player.frames(1);
        EXPECT_EQ(CursorId, e.cursor) << e.x << ", " << e.y;
        keep(player);
    }

    // End glides the view home to x 0, where the left edge shows that it cannot go further.
    player.mouse(0, 300);
    player.key(VK_END);
    ASSERT_TRUE(player.runUntil([] { return ViewOrigin.x == 0; }, 10));
    player.frames(1);
    EXPECT_EQ(CursorId, kCursorScrollLeft + kCursorAtLimit);
    keep(player);

    player.mouse(700, 300);
    player.frames(1);
    EXPECT_EQ(CursorId, kCursorPointer) << "over the panel";
    keep(player);

    // Over the fire the engine sprays water. The frame records what lies under the mouse, the next
    // one chooses the cursor from it.
    player.mouseWorld(kFireX, kFireY);
    player.frames(2);
    EXPECT_EQ(HoverKind, kHoverMapCell);
    EXPECT_EQ(HoverIds[0], kFireColumn);
    EXPECT_EQ(HoverIds[1], kFireRow);
    ASSERT_NE(BrandStates[static_cast<std::size_t>(CellIndex(kFireColumn, kFireRow))].burning, 0);
    EXPECT_EQ(CursorId, kCursorWater);
    keep(player);

    // Over the person, whom the engine can only select.
    player.mouseWorld(kPersonX, kPersonY - 10);
    player.frames(2);
    EXPECT_EQ(HoverKind, kHoverPerson);
    EXPECT_EQ(HoverIds[0], g_person);
    EXPECT_EQ(CursorId, kCursorSelect);
    keep(player);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
