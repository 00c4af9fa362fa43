// The ship base on mission 1's sample data: picking the boat, START, and every way out of the
// boat's leaving buys it onto the water entry's road.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_points.h"
#include "core/options.h"
#include "screens/basis_screen.h"
#include "vehicles/fahrzeuge.h"

#include "screens/basen_twins_fixture.h"

namespace kv {
namespace {

using SchiffBasis = test::TwinBaseTest;

std::int32_t BoatPrice() {
    return static_cast<std::int32_t>(FahrzeugTypen[kTypF115].price);
}

const BasisPlace& Place() {
    return Basen[static_cast<std::size_t>(test::kSchiffBase)].places[0];
}

// Every free vehicle slot taken for the time being.
std::vector<std::size_t> FillVehicleSlots() {
    std::vector<std::size_t> filled;
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
        if (Fahrzeuge[i].type != -1) continue;
        Fahrzeuge[i].type = 0;
        filled.push_back(i);
    }
    return filled;
}

TEST_F(SchiffBasis, PickingTheBoatShowsThePreviewAndStartWithoutAPickDoesNothing) {
    test::ScriptedPlayer player(backend);
    openMissionOneMap(player);
    enterBase(test::kSchiffBase);
    ASSERT_EQ(GameMode, 15u) << FatalErrorMessage();
    EXPECT_EQ(BasisScreen.previewMoney, Money);
    Money = BoatPrice() + 500;

    player.click(400, 540);  // START
    player.frames(4);
    EXPECT_EQ(BasisScreen.view, 1);
    EXPECT_EQ(BasisScreen.vehicle, -1);

    // The hover probe finds the boat under the mouse in the next frame.
    player.mouse(Place().x, Place().y - 10);
    player.frames(1);
    ASSERT_EQ(HoverKind, kHoverFahrzeug);
    const std::int32_t money = Money;
    Money = BoatPrice() - 1;
    player.click(Place().x, Place().y - 10);
    player.frames(1);
    EXPECT_EQ(BasisScreen.chosenPlace, -1);
    EXPECT_EQ(std::string(MessageLine.data()), "Zu wenig Geld!");
    Money = money;
    player.click(Place().x, Place().y - 10);
    player.frames(1);
    EXPECT_EQ(BasisScreen.chosenPlace, 0);
    EXPECT_EQ(BasisScreen.previewMoney, 500);
    EXPECT_EQ(Money, money) << "nothing is paid before the boat has left";
}

struct WayOut {
    const char* name;
    std::function<void(test::ScriptedPlayer&)> leave;
};

TEST_F(SchiffBasis, EveryWayOutOfTheLeavingBuysTheBoatOntoTheWaterEntry) {
    const std::vector<WayOut> ways = {
        {"leaves the picture", [](test::ScriptedPlayer&) {}},
        {"Esc", [](test::ScriptedPlayer&) { OnSchiffKeyDown(VK_ESCAPE); }},
        {"right button", [](test::ScriptedPlayer&) { OnSchiffRButtonDown(); }},
        {"left button", [](test::ScriptedPlayer&) { OnSchiffLButtonDown(300, 300); }},
        {"map button", [](test::ScriptedPlayer& p) { p.click(700, 170); }},
    };
    test::ScriptedPlayer player(backend);
    openMissionOneMap(player);
    for (const WayOut& way : ways) {
        SCOPED_TRACE(way.name);
        enterBase(test::kSchiffBase);
        ASSERT_EQ(GameMode, 15u) << FatalErrorMessage();
        Money = BoatPrice() + 100;
        BasisScreen.chosenPlace = 0;
        StartSchiffDriveOut();
        const std::int16_t boat = BasisScreen.vehicle;
        ASSERT_GE(boat, 0);
        ASSERT_EQ(BasisScreen.view, 3);
        player.frames(2);
        EXPECT_GT(Fahrzeuge[static_cast<std::size_t>(boat)].x, Place().x);
        // Checked before the map's next frame moves the boat on.
        way.leave(player);
        if (GameMode != 10u) {
            ASSERT_TRUE(player.runUntil([] { return GameMode != 15u; }, 300));
        }
        ASSERT_EQ(GameMode, 10u);
        const Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(boat)];
        EXPECT_EQ(Money, 100);
        EXPECT_EQ(v.KarteWeg, 5);
        EXPECT_FLOAT_EQ(v.x, WaterEntry.x);
        EXPECT_FLOAT_EQ(v.y, WaterEntry.y);
        RemoveFahrzeug(boat, kRemoveDrivenOff);
    }
}

TEST_F(SchiffBasis, ABoatWithoutSpeedStillLeavesAndAFullVehicleArrayMakesNone) {
    test::ScriptedPlayer player(backend);
    openMissionOneMap(player);
    enterBase(test::kSchiffBase);
    ASSERT_EQ(GameMode, 15u) << FatalErrorMessage();
    BasisScreen.chosenPlace = 0;

    const std::vector<std::size_t> filled = FillVehicleSlots();
    StartSchiffDriveOut();
    EXPECT_EQ(BasisScreen.view, 1);
    EXPECT_EQ(BasisScreen.vehicle, -1);
    for (const std::size_t i : filled) Fahrzeuge[i].type = -1;

    const float speed = FahrzeugTypen[kTypF115].speed;
    FahrzeugTypen[kTypF115].speed = 0;
    GameSpeed = 3;
    StartSchiffDriveOut();
    ASSERT_EQ(BasisScreen.view, 3);
    const Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(BasisScreen.vehicle)];
    const float x = v.x;
    player.frames(1);
    EXPECT_FLOAT_EQ(v.x, x + 3.0F) << "a pixel a step, three steps a frame";
    EXPECT_TRUE(player.runUntil([] { return GameMode == 10u; }, 200));
    GameSpeed = 1;
    FahrzeugTypen[kTypF115].speed = speed;
}

}  // namespace
}  // namespace kv
