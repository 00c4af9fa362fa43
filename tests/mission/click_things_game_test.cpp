// Mission 1 played headless on the sample data: the player clicks a medic, which becomes the
// selection, then the casualty beside it, which the medic walks to and treats; and a four-storey
// house is cut open at its lowest storey by a click on its wall.
//
// The click dispatcher is not in the game yet: each click calls the entry the release calls for
// what lay under the mouse, with the release's points.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "media/sound_table.h"
#include "mission/input/click_on_house.h"
#include "mission/input/click_on_person.h"
#include "mission/input/cursor_choice.h"
#include "mission/mission_fixture.h"
#include "mission/mission_steps.h"
#include "movement/befehl_queue.h"
#include "persons/person_link.h"
#include "persons/personen.h"
#include "support/scripted_player.h"
#include "support/sound_log.h"
#include "world/houses.h"
#include "world/sonder_obj.h"
#include "writers/sample_palette.h"

namespace kv {
namespace {

constexpr std::int16_t kCasualty = 1;  // mission 1's casualty at (800, 490), lying in direction 3
constexpr std::int16_t kFuelSlot = 2;  // the fuel the mission sets off unless it is bound
constexpr float kMedicX = 760;
constexpr float kMedicY = 470;

MissionHooks g_missionOne;
std::int16_t g_medic = -1;

void InitPersonenWithMedic() {
    g_missionOne.InitPersonen();
    g_medic = FindFreePerson();
    PlacePerson(g_medic, kPersonTypMedic, kMedicX, kMedicY, 0);
    ResetPerson(g_medic);
}

// A four-storey house north of the road, left of the mission's cars and in view at the start:
// cell (0, 0) at column 24, row 13.
void InitHousesWithOne() {
    HouseCount = 1;
    InitHouseList();
    AddHouse(4, 24, 13, 0, 0, 1);
}

class ClickThingsGame : public test::MissionTest {
  protected:
    void start(test::ScriptedPlayer& player, bool house) {
        playIntoMissionOne(player, [house](MissionHooks& row) {
            g_missionOne = row;
            if (house)
                row.InitHouses = InitHousesWithOne;
            else
                row.InitPersonen = InitPersonenWithMedic;
            // Not about the mission's rules: nothing here may end it.
            row.CheckMission = [] {};
        });
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    }
    static Person& P(std::int16_t i) { return Personen[static_cast<std::size_t>(i)]; }
    // The middle of the person's picture.
    static void mouseOver(test::ScriptedPlayer& player, const Person& p) {
        const VffImage* image =
            UnitFrameImage(PersonAnimSlot(p.type, p.direction, p.anim), p.frame);
        ASSERT_NE(image, nullptr);
        player.mouseWorld(static_cast<float>(p.drawX + image->width / 2),
                          static_cast<float>(p.drawY + image->height / 2));
    }
    // The release where the mouse is.
    static ClickPoints here() {
        const int x = ViewOrigin.x + MouseX;
        const int y = ViewOrigin.y + MouseY;
        return {x, y, x, y};
    }
    std::vector<int> played() {
        std::vector<int> ids = test::PlayedSoundIds(backend.sound);
        backend.sound.clearCalls();
        return ids;
    }
};

TEST_F(ClickThingsGame, TheMedicChosenByAClickTreatsTheCasualtyClickedNext) {
    test::ScriptedPlayer player(backend);
    start(player, false);
    FreeSonderObjSlot(kFuelSlot);
    ASSERT_GE(g_medic, 0);
    Person& medic = P(g_medic);
    Person& patient = P(kCasualty);
    ASSERT_EQ(patient.casualty, 1);
    ASSERT_EQ(patient.x, 800.0f);
    ASSERT_EQ(patient.y, 490.0f);

    // The frame drawn with the mouse over the medic records it; the click chooses it.
    mouseOver(player, medic);
    player.frames(2);
    ASSERT_EQ(HoverKind, kHoverPerson);
    ASSERT_EQ(HoverIds[0], static_cast<std::uint16_t>(g_medic));
    played();
    HandlePersonClick(here());
    EXPECT_EQ(SelectionMode, kPersonSelected + kPersonTypMedic);
    EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(g_medic));
    EXPECT_EQ(medic.selected, 1);
    const std::vector<int> chosen = played();
    EXPECT_NE(
        std::find(chosen.begin(), chosen.end(), PersonTypOf(medic).speaker * kPhraseCount + 9),
        chosen.end());

    // The casualty: the walk to either side of it, then the treatment.
    mouseOver(player, patient);
    player.frames(2);
    ASSERT_EQ(HoverKind, kHoverPerson);
    ASSERT_EQ(HoverIds[0], static_cast<std::uint16_t>(kCasualty));
    HandlePersonClick(here());
    ASSERT_NE(medic.orders, nullptr);
    EXPECT_EQ(medic.orders->opcode, 2);
    ASSERT_NE(medic.orders->next, nullptr);
    EXPECT_EQ(medic.orders->next->opcode, 150);
    EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(g_medic)) << "the medic stays chosen";

    ASSERT_TRUE(player.runUntil([&] { return medic.anim == kAnimTreat; }, 400));
    EXPECT_EQ(patient.link, kTreatedByLink + g_medic);
    EXPECT_EQ(medic.x, 800.0f);
    EXPECT_TRUE(medic.y == 475.0f || medic.y == 505.0f) << medic.y;
    player.frames(2);
    EXPECT_TRUE(player.shot("click-medic"));
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

TEST_F(ClickThingsGame, ACutOpenCursorOnTheWallOpensTheHouseAtItsLowestStorey) {
    test::ScriptedPlayer player(backend);
    start(player, true);
    House& h = Houses[0];
    ASSERT_EQ(HouseTypOf(h).floors, 4);
    ASSERT_EQ(h.interiorView, 0);

    // Over the right wall of the front row, a little above the ground line.
    player.mouseWorld(688, 410);
    player.frames(1);
    // The world drawing that records a house under the mouse is not in the game yet: the test
    // writes what it would record, and the cursor is chosen from it.
    HoverKind = kHoverHouseUpper;
    HoverIds = {4, 3, 0, 0};
    ChooseCursor();
    ASSERT_EQ(CursorId, kCursorOpenStorey);
    HandleHouseClick(here());
    EXPECT_EQ(h.shownStorey, 1);
    EXPECT_EQ(h.interiorView, 1);

    player.frames(2);
    EXPECT_EQ(h.shownStorey, 1) << "it stays open";
    EXPECT_TRUE(player.shot("click-house"));
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
