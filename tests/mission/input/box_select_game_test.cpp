// Mission 1 played by the scripted player with two bought fire-brigade cars and a fire fighter of
// the player: a box dragged over both cars selects them together, one over the fire fighter
// selects him alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "media/sound_table.h"
#include "mission/input/selected_unit.h"
#include "mission/mission_fixture.h"
#include "movement/unit_type.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "support/scripted_player.h"
#include "support/sound_log.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"

namespace kv {
namespace {

// In the field north of the road, in the start view at (530, 240).
constexpr std::int16_t kCar1X = 620;
constexpr std::int16_t kCar2X = 720;
constexpr std::int16_t kCarY = 420;
constexpr float kStaffX = 680;
constexpr float kStaffY = 330;
constexpr std::int8_t kStaffTyp = 1;

std::int16_t g_cars[2] = {-1, -1};
std::int16_t g_staff = -1;

// The player's units, as bought and unloaded, placed with the mission's extras.
void PlaceCarsAndStaff() {
    LoadFahrzeugTyp(kTypF101);
    for (int n = 0; n < 2; ++n) {
        const std::int16_t v = CreateFahrzeug(kTypF101, n == 0 ? kCar1X : kCar2X, kCarY, 3);
        if (v < 0) return;
        SetupFahrzeug(v, kOwnerBought);
        Fahrzeuge[static_cast<std::size_t>(v)].targetable = 1;
        Fahrzeuge[static_cast<std::size_t>(v)].selectable = 1;
        g_cars[n] = v;
    }
    g_staff = FindFreePerson();
    if (g_staff < 0) return;
    Person& p = PlacePerson(g_staff, kStaffTyp, kStaffX, kStaffY, 0);
    ResetPerson(g_staff);
    p.controlFlags = 0;
    p.targetable = 1;
    p.selectable = 1;
}

// The screen rectangle of the unit's picture, corners included.
struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
};
ScreenRect OnScreen(const UnitHead& u, const AnimSlot& slot) {
    const VffImage* image = UnitFrameImage(slot, u.frame);
    EXPECT_NE(image, nullptr);
    const int w = image != nullptr ? image->width : 1;
    const int h = image != nullptr ? image->height : 1;
    const int left = u.drawX - ViewOrigin.x;
    const int top = u.drawY - static_cast<int>(u.height) - ViewOrigin.y;
    return {left, top, left + w - 1, top + h - 1};
}

class BoxSelectGameTest : public test::MissionTest {};

TEST_F(BoxSelectGameTest, ABoxOverBothCarsSelectsThemAndOneOverTheFireFighterHimAlone) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player, [](MissionHooks& row) {
        row.InitMissionExtras = PlaceCarsAndStaff;
        // Not a test of mission 1's rules: its check would end the mission with the scene.
        row.CheckMission = [] {};
    });
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    ASSERT_GE(g_cars[1], 0);
    ASSERT_GE(g_staff, 0);
    player.frames(1);
    const Fahrzeug& car1 = Fahrzeuge[static_cast<std::size_t>(g_cars[0])];
    const Fahrzeug& car2 = Fahrzeuge[static_cast<std::size_t>(g_cars[1])];
    const Person& staff = Personen[static_cast<std::size_t>(g_staff)];

    // From above left of the first car to below right of the second, clear of the fire fighter.
    const ScreenRect r1 = OnScreen(car1, FahrzeugAnim(car1));
    const ScreenRect r2 = OnScreen(car2, FahrzeugAnim(car2));
    const ScreenRect rs = OnScreen(staff, PersonAnimSlot(staff.type, staff.direction, staff.anim));
    const int top = std::min(r1.top, r2.top) - 4;
    ASSERT_LT(rs.bottom, top) << "the fire fighter stands above the box";
    backend.sound.clearCalls();
    player.drag(r1.left - 4, top, r2.right + 4, std::max(r1.bottom, r2.bottom) + 4);
    player.frames(1);
    EXPECT_EQ(SelectionMode, kSeveralSelected);
    EXPECT_EQ(SelectedIndex, 65535);
    EXPECT_EQ(car1.selected, 1);
    EXPECT_EQ(car2.selected, 1);
    EXPECT_EQ(staff.selected, 0);
    const std::vector<int> played = test::PlayedSoundIds(backend.sound);
    const int phrase = FahrzeugTypen[kTypF101].speaker * kPhraseCount + 18;
    EXPECT_NE(std::find(played.begin(), played.end(), phrase), played.end());
    EXPECT_TRUE(player.shot("box-select"));

    // Over the fire fighter alone.
    player.drag(rs.left - 4, rs.top - 4, rs.right + 4, rs.bottom + 4);
    player.frames(1);
    EXPECT_EQ(SelectionMode, PersonSelection(kStaffTyp));
    EXPECT_EQ(SelectedIndex, g_staff);
    EXPECT_EQ(staff.selected, 1);
    EXPECT_EQ(car1.selected, 0);
    EXPECT_EQ(car2.selected, 0);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
