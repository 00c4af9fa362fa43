// The airfield on mission 1's sample data: buying a flight, the target choice with its live view,
// its scroll and its refusals, and the rest after a flight.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "mission/mission_tick.h"
#include "mission/scroll_view.h"
#include "platform/cp1252.h"
#include "screens/basis_screen.h"
#include "vehicles/fahrzeuge.h"

#include "screens/basen_twins_fixture.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv {
namespace {

using LflugBasis = test::TwinBaseTest;

std::int32_t FlightPrice() {
    return static_cast<std::int32_t>(FahrzeugTypen[kTypF111].price);
}

std::string Message() {
    return MessageLine.data();
}

// The aircraft's rectangle, clicked in its middle.
constexpr int kAircraftX = 355;
constexpr int kAircraftY = 300;

TEST_F(LflugBasis, AFlightIsBoughtOnTheCampaignMapAndTheAirfieldRests) {
    test::ScriptedPlayer player(backend);
    openMissionOneMap(player);
    enterBase(test::kLflugBase);
    ASSERT_EQ(GameMode, 13u) << FatalErrorMessage();
    EXPECT_EQ(WorldStarted, 0);
    ASSERT_GT(FlightPrice(), 0);
    Money = FlightPrice() + 1000;
    const std::int32_t money = Money;

    player.click(kAircraftX, kAircraftY);
    player.frames(1);
    ASSERT_EQ(BasisScreen.view, 1);
    EXPECT_EQ(WorldStarted, 1);
    EXPECT_EQ(BasisScreen.previewMoney, money - FlightPrice());
    EXPECT_EQ(Money, money);

    player.mouse(300, 200);
    player.frames(2);
    EXPECT_EQ(CursorId, kCursorMove);
    const ViewPoint origin = ViewOrigin;
    player.click(300, 200);
    player.frames(1);
    ASSERT_EQ(BasisScreen.view, 2);
    EXPECT_EQ(LflugDropX, 2 * 300 + origin.x - 470);
    EXPECT_EQ(LflugDropY, 2 * 200 + origin.y - 250);
    const std::int16_t aircraft = BasisScreen.vehicle;
    ASSERT_GE(aircraft, 0);

    ASSERT_TRUE(player.runUntil([] { return GameMode == 10u; }, 60)) << FatalErrorMessage();
    EXPECT_EQ(LflugCooldown, 3600);
    EXPECT_EQ(Money, money - FlightPrice());
    const Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(aircraft)];
    EXPECT_EQ(v.type, kTypF111);
    EXPECT_EQ(v.KarteWeg, 4);
    EXPECT_EQ(LflugDropX, 2 * 300 + origin.x - 470) << "kept for the arrival";

    // The map runs the world now, and the tick counts the rest down.
    const std::int16_t rest = LflugCooldown;
    player.frames(3);
    EXPECT_LT(LflugCooldown, rest);
}

TEST_F(LflugBasis, TheAircraftIsBoughtWithExactlyTheMoneyAndLeavingTheTargetChoiceBuysNothing) {
    test::ScriptedPlayer player(backend);
    openMissionOneMap(player);
    enterBase(test::kLflugBase);
    ASSERT_EQ(GameMode, 13u) << FatalErrorMessage();

    Money = FlightPrice() - 1;
    OnLflugLButtonDown(kAircraftX, kAircraftY);
    EXPECT_EQ(BasisScreen.view, 0);
    EXPECT_EQ(Message(), "Zu wenig Geld!");

    Money = FlightPrice();
    OnLflugLButtonDown(kAircraftX, kAircraftY);
    ASSERT_EQ(BasisScreen.view, 1);
    EXPECT_EQ(BasisScreen.previewMoney, 0);
    EXPECT_EQ(WorldStarted, 1);
    Rect clip;
    ASSERT_TRUE(GetClipCursor(clip));
    EXPECT_EQ(clip, kZielWahlClip);

    player.key(VK_ESCAPE);
    player.frames(1);
    EXPECT_EQ(GameMode, 10u);
    EXPECT_EQ(WorldStarted, 1) << "the world, once started, keeps running";
    EXPECT_EQ(Money, FlightPrice());
    EXPECT_EQ(LflugCooldown, 0);
    ASSERT_TRUE(GetClipCursor(clip));
    EXPECT_EQ(clip, (Rect{21, 21, 779, 579}));
}

TEST_F(LflugBasis, TheOptionsButtonAndThePauseWorkOnlyOverTheAircraft) {
    test::ScriptedPlayer player(backend);
    openMissionOneMap(player);
    enterBase(test::kLflugBase);
    ASSERT_EQ(GameMode, 13u) << FatalErrorMessage();
    Money = FlightPrice();

    OnLflugLButtonDown(700, 380);
    EXPECT_EQ(BasisScreen.buttons[3].pressed, 1);
    BasisScreen.buttons[3] = {};
    OnLflugLButtonDown(kAircraftX, kAircraftY);
    ASSERT_EQ(BasisScreen.view, 1);
    // The cursor cannot leave the live view; a click there is a target, never a button.
    CursorId = kCursorPointer;
    OnLflugLButtonDown(700, 380);
    EXPECT_EQ(BasisScreen.buttons[3].pressed, 0);
    OnLflugKeyDown(VK_SPACE);
    EXPECT_EQ(GameMode, 13u);
}

TEST_F(LflugBasis, ATargetNeedsGroundUnderTheCursorAndAFreeVehicleSlot) {
    test::ScriptedPlayer player(backend);
    openMissionOneMap(player);
    enterBase(test::kLflugBase);
    ASSERT_EQ(GameMode, 13u) << FatalErrorMessage();
    OpenZielWahl();
    MouseX = 300;
    MouseY = 200;

    for (const std::uint16_t house : {kHoverHouseLower, kHoverHouseMiddle, kHoverHouseUpper}) {
        HoverKind = house;
        SetLflugCursor();
        EXPECT_EQ(CursorId, kCursorPointer);
        OnLflugLButtonDown(MouseX, MouseY);
        EXPECT_EQ(BasisScreen.view, 1);
        EXPECT_EQ(Message(), W("Kein gültiges Ziel!"));
    }

    // With every vehicle slot taken the click does nothing.
    HoverKind = kHoverNothing;
    SetLflugCursor();
    EXPECT_EQ(CursorId, kCursorMove);
    std::vector<std::size_t> filled;
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
        if (Fahrzeuge[i].type != -1) continue;
        Fahrzeuge[i].type = 0;
        filled.push_back(i);
    }
    OnLflugLButtonDown(MouseX, MouseY);
    EXPECT_EQ(BasisScreen.view, 1);
    for (const std::size_t i : filled) Fahrzeuge[i].type = -1;

    // The clip rectangle's top-left corner drops at the view's origin plus (32, 32).
    ViewOrigin = {100, 60};
    MouseX = static_cast<std::uint16_t>(kZielWahlClip.left);
    MouseY = static_cast<std::uint16_t>(kZielWahlClip.top);
    SetLflugCursor();
    EXPECT_EQ(CursorId, kCursorScrollUpLeft);
    OnLflugLButtonDown(MouseX, MouseY);
    ASSERT_EQ(BasisScreen.view, 2);
    EXPECT_EQ(LflugDropX, 132);
    EXPECT_EQ(LflugDropY, 92);
    EXPECT_EQ(Message(), "");
}

TEST_F(LflugBasis, TheLiveViewScrollsFasterUpToItsLimitsOnTheEdgesAndStopsAway) {
    test::ScriptedPlayer player(backend);
    openMissionOneMap(player);
    enterBase(test::kLflugBase);
    ASSERT_EQ(GameMode, 13u) << FatalErrorMessage();
    OpenZielWahl();
    const ViewPoint limit = ViewScrollLimits();
    ASSERT_GT(limit.x, 48 * 13);

    ViewOrigin = {0, 0};
    MouseX = static_cast<std::uint16_t>(kZielWahlClip.right - 1);
    MouseY = 200;
    int expected = 0;
    for (int frame = 1; frame <= 14; ++frame) {
        ScrollZielWahl();
        expected += std::min(4 * frame, 48);
        EXPECT_EQ(ScrollVelocity.x, std::min(4 * frame, 48));
        EXPECT_EQ(ViewOrigin.x, expected);
    }
    MouseX = 300;
    ScrollZielWahl();
    EXPECT_EQ(ScrollVelocity.x, 44) << "slowing down away from the edge";
    EXPECT_EQ(ViewOrigin.x, expected + 44);

    // Against the left limit the origin stays at 0; the cursor says the view is blocked.
    ViewOrigin = {0, 0};
    ScrollVelocity = {};
    MouseX = static_cast<std::uint16_t>(kZielWahlClip.left);
    ScrollZielWahl();
    EXPECT_EQ(ViewOrigin.x, 0);
    SetLflugCursor();
    EXPECT_EQ(CursorId, kCursorScrollLeft + kCursorAtLimit);

    // A map narrower than the view: its limit would be negative, and the origin stays 0.
    ScrollCols = 1;
    ScrollVelocity = {};
    MouseX = static_cast<std::uint16_t>(kZielWahlClip.right - 1);
    ScrollZielWahl();
    ScrollZielWahl();
    EXPECT_EQ(ViewOrigin.x, 0);
}

TEST_F(LflugBasis, APictureSmallerThanTheLiveViewTakesOnlyWhatFitsOfIt) {
    // The sample data with the airfield's first picture replaced by a small one.
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(KV_SAMPLEDATA_DIR)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_directory() || name == "videos") continue;
        if (name != "basen") {
            dir.linkSampleData(name);
            continue;
        }
        fs::copy(entry.path(), dir.path() / name, fs::copy_options::recursive);
    }
    const std::vector<std::uint8_t> small =
        sampledata::MakeVff(std::vector<sampledata::Canvas>{sampledata::Canvas(300, 200, 66)});
    const fs::path auswahl = dir.path() / "basen" / "lflug" / "auswahl.vff";
    fs::remove(auswahl);
    std::ofstream(auswahl, std::ios::binary)
        .write(reinterpret_cast<const char*>(small.data()),
               static_cast<std::streamsize>(small.size()));
    cwd.emplace(dir.path());
    openGame();
    test::ScriptedPlayer player(backend);
    player.click(400, 300);
    player.frames(1);
    enterBase(test::kLflugBase);
    ASSERT_EQ(GameMode, 13u) << FatalErrorMessage();
    Money = FlightPrice();
    OpenZielWahl();
    player.mouse(300, 200);
    player.frames(3);
    EXPECT_EQ(BasisScreen.view, 1);
    EXPECT_FALSE(FatalErrorRaised());
}

}  // namespace
}  // namespace kv
