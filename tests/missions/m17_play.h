#pragma once
// Mission 17's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the department store, the video and the briefing, the purchase at base 0, and
// the drive in at speed 3 until the engine's fire fighters stand outside.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "mission/panels/command_tables.h"
#include "persons/person_houses.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "screens/mission_jump.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv::test {

class MissionSeventeenMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kStretcher = 5;    // P06
    static constexpr std::size_t kPlaceF104 = 1;
    static constexpr std::size_t kPlaceF201 = 2;
    // The fuse box stands on the ground floor inside house 25.
    static constexpr std::size_t kGasHouse = 0;
    static constexpr std::size_t kCaravan = 3;
    static constexpr std::size_t kFuseBox = 12;
    static constexpr int kFuseBoxHouse = 25;

    // In a running mission: EINSATZ over the options button, and the store's entry (campaign
    // position 7); then the video ends, and the briefing is read on the map.
    void jumpToMissionSeventeen(ScriptedPlayer& player) {
        EXPECT_EQ(JumpEntryText(6), "07 Gasexplosion in Kaufhaus!");
        jumpToPosition(player, 7);
        ASSERT_EQ(MissionNummer, 17);
        videoAndBriefing(player);
    }

    // Base 0: the engine with two fire fighters, and an ambulance with a stretcher team and the
    // medic; back to the map, and into play at speed 3.
    void buyAndEnter(ScriptedPlayer& player) {
        openStation(player);
        const std::int32_t before = Money;
        buy(player, kPlaceF104, {{kFireFighter, false}, {kFireFighter, false}});
        buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        EXPECT_LT(Money, before);
        EXPECT_GT(Money, 0);
        leaveStationForTheMission(player);
        player.key('3');
        play(player, 1);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), 2u);
        engine = bought[0].vehicle;
        ambulance = bought[1].vehicle;
        ASSERT_EQ(bought[0].crew.size(), 2u);
        fireFighters = bought[0].crew;
    }

    // The engine drives in and comes to rest; its fire fighters get out.
    void engineInAndCrewOut(ScriptedPlayer& player) {
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                return F(engine).KarteWeg == -1 && F(engine).orders == nullptr && F(engine).x > 0;
            },
            3000));
        clickFahrzeug(player, engine);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                return std::all_of(fireFighters.begin(), fireFighters.end(),
                                   [](std::int16_t p) { return P(p).offMap == 0; }) &&
                       F(engine).orders == nullptr;
            },
            300));
    }

    // A point near (x, y), tried upward from below, where the cursor over the house is the one
    // wanted; false when there is none.
    bool hoverHouseCursor(ScriptedPlayer& player, float x, float y, std::uint16_t cursor,
                          int house) {
        for (float dy = 40; dy > -120; dy -= 4) {
            for (const float dx : {0.0f, -8.0f, 8.0f, -16.0f, 16.0f, -24.0f, 24.0f}) {
                player.mouseWorld(x + dx, y + dy);
                play(player, 1);
                if (CursorId == cursor && HoverIds[3] == static_cast<std::uint16_t>(house))
                    return true;
            }
        }
        return false;
    }
    // The selected fire fighter goes in by the house's door and waits inside on the ground floor.
    void inByTheDoor(ScriptedPlayer& player, std::int16_t who, int house) {
        const std::optional<PixelPos> door = HouseDoorSpot(house);
        ASSERT_TRUE(door.has_value());
        clickPerson(player, who);
        centreView(player, static_cast<float>(door->x), static_cast<float>(door->y));
        ASSERT_TRUE(hoverHouseCursor(player, static_cast<float>(door->x),
                                     static_cast<float>(door->y), kCursorRescue, house));
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(who).house == house && P(who).orders == nullptr; }, 1500));
        EXPECT_EQ(P(who).storey, 1);
    }
    // A fire fighter goes into the house and switches the fuse box off.
    void switchPowerOff(ScriptedPlayer& player, std::int16_t who) {
        inByTheDoor(player, who, kFuseBoxHouse);
        ASSERT_TRUE(hoverObject(player, kFuseBox));
        EXPECT_EQ(CursorId, kCursorRescue);
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_NE(P(who).orders, nullptr);
        ASSERT_TRUE(playUntil(
            player, [] { return SonderObjs[kFuseBox].frame == 1; }, 1000));
    }

    // A fire fighter walks to the gas house's valve and closes the leak.
    void closeTheLeak(ScriptedPlayer& player, std::int16_t who) {
        clickPerson(player, who);
        ASSERT_TRUE(hoverObject(player, kGasHouse));
        EXPECT_EQ(CursorId, kCursorRescue);
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_NE(P(who).orders, nullptr);
    }

    // The engine's cannon puts the burning caravan out.
    void putOutTheCaravan(ScriptedPlayer& player) {
        clickFahrzeug(player, engine);
        ASSERT_TRUE(hoverObject(player, kCaravan));
        EXPECT_EQ(CursorId, kCursorWater);
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_TRUE(playUntil(
            player, [] { return SonderObjs[kCaravan].burning == 0; }, 3000));
    }
    // A fire fighter takes a piece of rubble away.
    void clearRubble(ScriptedPlayer& player, std::int16_t who, std::size_t slot) {
        clickPerson(player, who);
        ASSERT_TRUE(hoverObject(player, slot));
        EXPECT_EQ(CursorId, kCursorRescue);
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_TRUE(playUntil(
            player, [&] { return SonderObjs[slot].type < 0; }, 3000));
    }

    std::int16_t engine = -1;
    std::int16_t ambulance = -1;
    std::vector<std::int16_t> fireFighters;
};

}  // namespace kv::test
