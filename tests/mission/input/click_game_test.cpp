// Mission 1 played by the scripted player with a bought fire-brigade car selected: a click on free
// road in view sends it there, with its siren and its answer, and it drives to the spot.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/selection.h"
#include "core/view.h"
#include "media/sound_table.h"
#include "mission/mission_fixture.h"
#include "movement/befehl_opcodes.h"
#include "support/order_list.h"
#include "support/scripted_player.h"
#include "support/sound_log.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"

namespace kv {
namespace {

// On the road of mission 1, both in the start view at (530, 240).
constexpr std::int16_t kCarX = 600;
constexpr std::int16_t kCarY = 505;
constexpr int kTargetX = 740;
constexpr int kTargetY = 505;

std::int16_t g_car = -1;

// The car as the player bought it, placed with the mission's extras.
void PlaceBoughtF101() {
    LoadFahrzeugTyp(kTypF101);
    g_car = CreateFahrzeug(kTypF101, kCarX, kCarY, 3);
    if (g_car < 0) return;
    SetupFahrzeug(g_car, kOwnerBought);
    Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(g_car)];
    v.targetable = 1;
    v.selectable = 1;
}

class ClickGameTest : public test::MissionTest {};

TEST_F(ClickGameTest, AClickOnTheRoadSendsTheSelectedCarThere) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player, [](MissionHooks& row) {
        row.InitMissionExtras = PlaceBoughtF101;
        // Not a test of mission 1's rules: its check would end the mission with the scene.
        row.CheckMission = [] {};
    });
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    ASSERT_GE(g_car, 0);
    Fahrzeug& car = Fahrzeuge[static_cast<std::size_t>(g_car)];
    car.selected = 1;
    UpdateSelectionMode();
    ASSERT_EQ(SelectionMode, kTypF101);

    const int sx = kTargetX - ViewOrigin.x;
    const int sy = kTargetY - ViewOrigin.y;
    player.mouse(sx, sy);
    player.frames(1);
    // The frame's world drawing has recorded the road cell under the mouse, and the cursor over
    // it offers the move.
    const CellPos cell = CellFromPixel(kTargetX, kTargetY);
    ASSERT_EQ(HoverKind, kHoverMapCell);
    ASSERT_EQ(HoverIds[0], static_cast<std::uint16_t>(cell.column));
    ASSERT_EQ(HoverIds[1], static_cast<std::uint16_t>(cell.row));
    ASSERT_EQ(CursorId, kCursorMove);
    backend.sound.clearCalls();
    player.press(sx, sy);
    player.release(sx, sy);
    player.frames(0);  // the waiting input is handled before the next frame

    EXPECT_EQ(test::Orders(car),
              (std::vector<test::Order>{{kOpMove, kTargetX, kTargetY, 0, 0, 0}}));
    const std::vector<int> played = test::PlayedSoundIds(backend.sound);
    const int phrase = FahrzeugTypen[kTypF101].speaker * kPhraseCount + 7;
    EXPECT_NE(std::find(played.begin(), played.end(), phrase), played.end());
    EXPECT_TRUE(std::any_of(played.begin(), played.end(), [](int id) {
        return id >= kSoundSiren && id < kSoundSiren + kSirenCopies;
    }));

    ASSERT_TRUE(player.runUntil([&car] { return car.orders == nullptr; }, 400));
    EXPECT_LE(std::abs(car.x - kTargetX), 2.0f);
    EXPECT_LE(std::abs(car.y - kTargetY), 2.0f);
    player.frames(1);
    EXPECT_TRUE(player.shot("click-move"));
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
