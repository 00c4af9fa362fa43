// Mission 1's small station, played: from the campaign map's plate into the hall, up to the staff
// room, a medic down the stairs to the gathering point, and a vehicle out through the gate.

#include <gtest/gtest.h>

#include <string>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "generate/basis_art.h"
#include "gfx/image_files.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "mission/panel_pictures.h"
#include "persons/person.h"
#include "persons/personen.h"
#include "screens/basis.h"
#include "screens/basis_points.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff_table.h"
#include "screens/basis_views.h"
#include "screens/karte.h"
#include "screens/karte_wege.h"
#include "screens/mission_end.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "writers/canvas.h"
#include "writers/sample_palette.h"

namespace kv {
namespace {

using BasisGame = test::MissionTest;

constexpr std::int8_t kPersonTypMedicStaff = 4;

int StaffInBasis() {
    int n = 0;
    for (const Person& p : Personen)
        n += p.type >= 0 && p.storey >= kStoreyHall && p.storey <= kStoreyStaffRoom ? 1 : 0;
    return n;
}

std::int16_t SeatedMedic() {
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        const Person& p = Personen[i];
        if (p.type == kPersonTypMedicStaff && p.storey == kStoreyStaffRoom)
            return static_cast<std::int16_t>(i);
    }
    return -1;
}

// The game on mission 1's campaign map, its briefing unread, and base 0's plate clicked.
void EnterSmallStation(test::ScriptedPlayer& player) {
    player.click(400, 300);
    player.frames(1);
    ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
    player.click(Basen[0].x + 4, Basen[0].y + 4);
    player.frames(1);
    ASSERT_EQ(GameMode, kGameModeBasis) << FatalErrorMessage();
}

TEST_F(BasisGame, MissionOnesSmallStationSendsAVehicleOutThroughItsGate) {
    useSampleData(false);
    openGame();
    test::ScriptedPlayer player(backend);
    player.click(400, 300);
    player.frames(1);
    ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
    player.click(KarteMarker.x, KarteMarker.y);
    ASSERT_TRUE(player.runUntil([] { return BriefingState == kBriefingComplete; }, 200));

    player.click(Basen[0].x + 4, Basen[0].y + 4);
    player.frames(1);
    ASSERT_EQ(GameMode, kGameModeBasis) << FatalErrorMessage();
    EXPECT_EQ(BasisScreen.view, kBasisViewUnten);
    EXPECT_EQ(BasisScreen.previewMoney, 6000);
    EXPECT_EQ(StaffInBasis(), static_cast<int>(kBasisStaffSmall.size()));
    // The places of the vehicles mission 1 offers answer the mouse; F106 and F103 are not there.
    for (const std::size_t place : {0u, 1u, 2u, 3u, 6u}) {
        SCOPED_TRACE(place);
        const test::ScreenPoint m = test::PlaceMiddle(place);
        player.mouse(m.x, m.y);
        player.frames(2);  // the cursor follows what the frame before found
        EXPECT_EQ(HoverKind, kHoverFahrzeug);
        EXPECT_EQ(HoverIds[0], place);
        EXPECT_EQ(CursorId, 18);
    }
    for (const std::size_t place : {4u, 5u}) {
        const test::ScreenPoint m = test::PlaceMiddle(place);
        player.mouse(m.x, m.y);
        player.frames(2);
        EXPECT_FALSE(HoverKind == kHoverFahrzeug && HoverIds[0] == place) << place;
    }
    player.mouse(720, 300);
    player.frames(2);
    EXPECT_EQ(CursorId, 0);
    EXPECT_TRUE(player.shot("basis-halle"));

    // Buying is the purchase rules' part: the ambulance is chosen here by hand. PERSONAL fires
    // on the third frame after the press.
    BasisScreen.chosenPlace = 2;
    player.click(510, 540);
    player.frames(2);
    EXPECT_EQ(BasisScreen.view, kBasisViewUnten);
    player.frames(1);
    ASSERT_EQ(BasisScreen.view, kBasisViewOben);
    player.frames(1);
    EXPECT_TRUE(player.shot("basis-oben"));
    {
        // The stairs' sign has dark letters, which an info box's white text never runs into.
        const HeadlessBackend::Frame& shown = backend.frames().back();
        int white = 0;
        int ink = 0;
        for (int y = 90; y < 106; ++y)
            for (int x = 288; x < 332; ++x) {
                white += shown.at(x, y) == sampledata::pal::kWhite.first;
                ink += shown.at(x, y) == sampledata::pal::kShadow[0];
            }
        EXPECT_EQ(white, 0);
        EXPECT_GT(ink, 30);
    }

    // A seated medic told to come stands up, walks to the stairs and comes down into the hall.
    const std::int16_t medic = SeatedMedic();
    ASSERT_GE(medic, 0);
    const Person& m = Personen[static_cast<std::size_t>(medic)];
    ASSERT_NE(PersonTypOf(m).mayBoard[kTypF201], 0);
    Personen[static_cast<std::size_t>(medic)].animate = 1;
    ASSERT_TRUE(player.runUntil([&m] { return m.storey == kStoreyStairs; }, 400));
    EXPECT_EQ(static_cast<int>(m.x), kBasisDoors[4].door.x);
    player.click(510, 540);  // FAHRZEUGE: back to the hall to see it arrive
    ASSERT_TRUE(player.runUntil([&m] { return m.storey == kStoreyHall; }, 100));
    EXPECT_EQ(BasisScreen.view, kBasisViewUnten);
    ASSERT_TRUE(player.runUntil([&m] { return m.orders == nullptr; }, 400));
    EXPECT_EQ(static_cast<int>(m.x), kBasisGatheringPoint.x);
    EXPECT_EQ(static_cast<int>(m.y), kBasisGatheringPoint.y);

    // START: the gate opens, then the vehicle drives out under the wall.
    player.click(400, 540);
    ASSERT_TRUE(player.runUntil([] { return BasisScreen.view == kBasisViewAussen; }, 4));
    const std::int16_t vehicle = BasisScreen.vehicle;
    ASSERT_GE(vehicle, 0);
    EXPECT_EQ(Fahrzeuge[static_cast<std::size_t>(vehicle)].type, kTypF201);
    ASSERT_TRUE(player.runUntil([] { return BasisScreen.view == kBasisViewAusfahrt; }, 60));
    const int driveOutFrom = player.framesRun();
    const Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(vehicle)];
    ASSERT_TRUE(player.runUntil([&v] { return v.y > 330.0f; }, 40));
    EXPECT_TRUE(player.shot("basis-ausfahrt"));
    // 88 steps of 3.1818182 take it from y 270 past 550: it is bought, the hall shows again.
    ASSERT_TRUE(player.runUntil([] { return BasisScreen.view == kBasisViewUnten; }, 100));
    EXPECT_EQ(player.framesRun() - driveOutFrom, 88);
    EXPECT_EQ(BasisScreen.vehicle, -1);
    EXPECT_EQ(StaffInBasis(), static_cast<int>(kBasisStaffSmall.size()));

    player.key(VK_ESCAPE);
    player.frames(1);
    EXPECT_EQ(GameMode, 10u);
    EXPECT_EQ(StaffInBasis(), 0);
    EXPECT_EQ(TickCounter, 0u);
}

// The hall's bay numbers stand clear of the vehicles, and the map button answers a click on its
// drawn label.
TEST_F(BasisGame, TheHallShowsItsBayNumbersAndItsMapButtonWorksWhereItIsDrawn) {
    useSampleData(false);
    openGame();
    test::ScriptedPlayer player(backend);
    EnterSmallStation(player);
    player.mouse(720, 300);
    player.frames(2);
    ASSERT_FALSE(backend.frames().empty());
    const HeadlessBackend::Frame& shown = backend.frames().back();
    const Basis& base = Basen[0];
    for (std::size_t i = 0; i < base.placeCount; ++i) {
        const sampledata::PlaceNumberSpot at = sampledata::PlaceNumberAt(base.places[i]);
        int ink = 0;
        for (int y = at.y; y < at.y + sampledata::Canvas::textHeight(1); ++y)
            for (int x = at.x; x < at.x + sampledata::Canvas::textWidth("9", 1); ++x)
                ink += shown.at(x, y) == sampledata::pal::kRoadMarkYellow.first;
        EXPECT_GT(ink, 3) << "bay " << i + 1;
    }
    EXPECT_TRUE(player.shot("basis-halle-nummern"));

    // The middle of the label KARTE drawn on the right panel, above the options button.
    int sumX = 0, sumY = 0, n = 0;
    for (int y = 10; y < 300; ++y)
        for (int x = 640; x < 800; ++x)
            if (shown.at(x, y) == sampledata::pal::kLightGrey.first) {
                sumX += x;
                sumY += y;
                ++n;
            }
    ASSERT_GT(n, 0);
    player.click(sumX / n, sumY / n);
    player.frames(3);
    ASSERT_EQ(GameMode, 10u);

    // The map's border keeps nothing of the station's panels.
    player.frames(1);
    EXPECT_TRUE(player.shot("karte-nach-basis"));
    const HeadlessBackend::Frame& map = backend.frames().back();
    int panelLeft = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            if (x < 10 || x >= 790 || y < 10 || y >= 590) panelLeft += map.at(x, y) != 0;
    EXPECT_EQ(panelLeft, 0);
}

// Until the map is first left only the map's roads move; afterwards the world ticks at game speed
// behind the station, and the map's vehicles move with it.
TEST_F(BasisGame, TheWorldStandsBehindTheStationUntilItHasStarted) {
    useSampleData(false);
    openGame();
    test::ScriptedPlayer player(backend);
    EnterSmallStation(player);
    const std::int16_t car = CreateFahrzeug(kTypF201, RoadEntry.x, RoadEntry.y, 7);
    ASSERT_GE(car, 0);
    SetupFahrzeug(car, kOwnerBought);
    PlaceFahrzeugOnKarte(car, 0);
    const Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(car)];
    const std::uint16_t startY = v.KarteY;
    player.frames(6);
    EXPECT_EQ(TickCounter, 0u);
    EXPECT_NE(v.KarteY, startY);

    WorldStarted = 1;  // as after the first time the map was left for play
    GameSpeed = 3;
    const std::uint16_t movedY = v.KarteY;
    player.frames(2);
    EXPECT_EQ(TickCounter, 6u);
    EXPECT_NE(v.KarteY, movedY);
    GameSpeed = 1;
}

// A mission that fails while a vehicle drives out of the station leaves the screen at once; its
// end frees what the station held.
TEST_F(BasisGame, AMissionEndingBehindTheStationLeavesNothingOfIt) {
    useSampleData(false);
    openGame();
    test::ScriptedPlayer player(backend);
    EnterSmallStation(player);
    BasisScreen.chosenPlace = 0;
    player.click(400, 540);
    ASSERT_TRUE(player.runUntil([] { return BasisScreen.view == kBasisViewAusfahrt; }, 60));
    ASSERT_NE(BasisMaskImage, nullptr);
    WorldStarted = 1;
    MissionTickSteps[0] = {"fail", [] { ShowMissionFailed(0, "Zu viele Tote!"); }};
    player.frames(1);
    MissionTickSteps = DefaultMissionTickSteps();
    EXPECT_EQ(GameMode, 4u);
    ShutdownMission(0);
    EXPECT_EQ(BasisViewImage, nullptr);
    EXPECT_EQ(BasisMaskImage, nullptr);
    EXPECT_EQ(BasisDoorAnis[0].goingDown, nullptr);
    EXPECT_TRUE(BasisScreen.pathTemplate.empty());
}

// Every station's pictures load as the screen asks for them: the hall, the staff room, the gate
// opening into the drive-out, and the door figures. A click, Esc or the right button outside buys
// the vehicle at once, even while the gate still opens, and the hall shows again.
TEST_F(BasisGame, EveryStationOpensAndSendsAVehicleOut) {
    useSampleData(false);
    openGame();
    test::ScriptedPlayer player(backend);
    EnterSmallStation(player);
    struct Case {
        std::int16_t base;
        std::uint8_t view;  // where the player cuts the drive-out short
        int input;          // 0 Esc, 1 left click, 2 right click
    };
    for (const Case c : {Case{0, kBasisViewAussen, 1}, Case{1, kBasisViewAusfahrt, 0},
                         Case{2, kBasisViewAusfahrt, 2}}) {
        SCOPED_TRACE(c.base);
        CloseBasis();
        ASSERT_EQ(GameMode, 10u);
        LeaveKarte(1);
        OpenBasis(c.base);
        ASSERT_EQ(GameMode, kGameModeBasis) << FatalErrorMessage();
        EXPECT_EQ(BasisScreen.view, kBasisViewUnten);
        EXPECT_EQ(StaffInBasis(),
                  static_cast<int>(kBasisStaff[static_cast<std::size_t>(c.base)].size()));
        for (const BasisDoorAnimations& door : BasisDoorAnis) {
            EXPECT_EQ(FrameCount(door.goingDown), 12u);
            EXPECT_EQ(FrameCount(door.arriving), 12u);
        }
        BasisScreen.chosenPlace = 0;
        LoadFahrzeugTyp(Basen[static_cast<std::size_t>(c.base)].places[0].type);  // to be seen
        LoadBasisOben();
        EXPECT_EQ(BasisScreen.view, kBasisViewOben);
        player.frames(1);
        LoadBasisAussen();
        ASSERT_EQ(BasisScreen.view, kBasisViewAussen);
        const std::uint8_t view = c.view;
        ASSERT_TRUE(player.runUntil([view] { return BasisScreen.view == view; }, 60));
        player.frames(c.view == kBasisViewAusfahrt ? 12 : 1);
        EXPECT_TRUE(player.shot("basis-aussen-" + std::to_string(c.base)));
        if (c.input == 0) player.key(VK_ESCAPE);
        if (c.input == 1) player.click(300, 300);
        if (c.input == 2) player.rclick(300, 300);
        player.frames(1);
        EXPECT_EQ(GameMode, kGameModeBasis);
        EXPECT_EQ(BasisScreen.view, kBasisViewUnten);
        EXPECT_EQ(BasisScreen.vehicle, -1);
        EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    }
}

// The station's panel under the options keeps its own buttons: START and PERSONAL, not the
// mission's commands.
TEST_F(BasisGame, TheOptionsOverTheStationLeaveItsButtonsAsTheyAre) {
    useSampleData(false);
    openGame();
    test::ScriptedPlayer player(backend);
    EnterSmallStation(player);
    const test::ScreenPoint m = test::PlaceMiddle(0);
    player.mouse(m.x, m.y);
    player.frames(2);
    player.click(m.x, m.y);
    player.mouse(700, 380);
    player.frames(2);
    ASSERT_EQ(BasisScreen.chosenPlace, 0);
    const auto station = backend.frames().back();
    player.click(700, 380);
    player.frames(3);
    ASSERT_EQ(GameMode, 9u) << FatalErrorMessage();
    player.frames(1);
    const auto& options = backend.frames().back();
    int differing = 0;
    for (int y = 502; y < 580; ++y)
        for (int x = 352; x < 690; ++x) differing += options.at(x, y) != station.at(x, y) ? 1 : 0;
    EXPECT_EQ(differing, 0) << "the panel's buttons under the options";
    EXPECT_TRUE(player.shot("options-over-basis"));
}

}  // namespace
}  // namespace kv
