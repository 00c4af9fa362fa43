#pragma once
// Mission 18's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the forest fire (the campaign's last position), the video and the briefing,
// the way from the campaign map into the mission, and the win: three tankers stop the fire on the
// hedge, a fire fighter cuts the yard's gate open, the crane truck lifts a container. Waiting is
// done at speed 3.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "mission/panels/command_tables.h"
#include "movement/befehl_opcodes.h"
#include "platform/window.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv::test {

class MissionEighteenMoves : public virtual PlayThroughSteps {
  protected:
    // In a running mission: EINSATZ over the options button, and the forest fire's entry
    // (campaign position 30); then the video ends, and the briefing is read on the map.
    void jumpToMissionEighteen(ScriptedPlayer& player) {
        jumpToMission(player, 30, "30 Waldbrand!", 18);
        if (::testing::Test::HasFatalFailure()) return;
        videoAndBriefing(player);
    }

    // From the campaign map into the mission without buying, and the game at speed 3.
    void intoThePlayUnbought(ScriptedPlayer& player) {
        player.key(VK_ESCAPE);
        player.mouse(400, 300);
        play(player, 1);
        ASSERT_EQ(GameMode, 2u);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
    }

    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kMetalCutter = 9;  // P02 with the cutter
    static constexpr std::size_t kPlaceF104 = 1;
    static constexpr std::size_t kPlaceF110 = 3;
    static constexpr std::size_t kGroupTruckBase = 1;
    static constexpr std::size_t kPlaceF102 = 0;  // at base 1
    static constexpr std::size_t kGate = 12;
    static constexpr std::size_t kContainer = 28;
    static constexpr float kGateOpenX = 902.0f;

    // At base 0 three tankers with two fire fighters each and the crane truck, at base 1 the
    // group truck with two fire fighters (its compartment holds the metal cutters); into play at
    // speed 3.
    void buyForTheWin(ScriptedPlayer& player) {
        openStation(player);
        for (int k = 0; k < 3; ++k)
            buy(player, kPlaceF104, {{kFireFighter, false}, {kFireFighter, false}});
        buy(player, kPlaceF110, {});
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        openStation(player, kGroupTruckBase);
        buy(player, kPlaceF102, {{kFireFighter, false}, {kFireFighter, false}});
        EXPECT_GT(Money, 0) << "within the mission's money";
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), 5u);
        for (int k = 0; k < 3; ++k) tankers[k] = bought[static_cast<std::size_t>(k)].vehicle;
        crane = bought[3].vehicle;
        groupTruck = bought[4].vehicle;
        groupCrew = bought[4].crew;
        ASSERT_EQ(groupCrew.size(), 2u);
    }

    // Each vehicle, as it comes to rest, sent on to its stop: the tankers by the roads to the
    // track beside the hedge's way down, the crane truck down to the lake road by the containers,
    // the group truck to the road past the yard's gate. Each tanker, once there, sets its cannon
    // on its cell of the hedge.
    //
    // The hedge runs down column 97 into the first wood, the fire creeping down it. Its reach is
    // three cells, so the tankers wet three cells in a row before the fire comes: each catches
    // fire under the water and goes out at once, too wet to burn again, and no cell beyond them
    // is near enough to the fire above to catch.
    void driveInAndWetTheHedge(ScriptedPlayer& player) {
        struct Hop {
            std::int16_t v;
            PixelPos stop;
            CellPos wet{-1, -1};
            int step = 0;  // 0 to be sent, 1 on its way, 2 done
        };
        std::vector<Hop> convoy = {
            {tankers[0], {2450, 1000}, {97, 34}},
            {tankers[1], {2450, 1080}, {97, 35}},
            {tankers[2], {2450, 1160}, {97, 36}},
            {crane, {900, 2200}},
            {groupTruck, {900, 815}},
        };
        const bool parked = playUntil(
            player,
            [&] {
                bool slowed = false;
                for (Hop& h : convoy) {
                    if (!atRest(h.v) || h.step == 2) continue;
                    if (!slowed) slow(player);
                    slowed = true;
                    if (h.step == 0) {
                        driveTo(player, h.v, static_cast<float>(h.stop.x),
                                static_cast<float>(h.stop.y));
                        h.step = 1;
                    } else {
                        if (h.wet.column >= 0) wet(player, h.v, h.wet);
                        h.step = 2;
                    }
                }
                if (slowed) fast(player);
                return std::all_of(convoy.begin(), convoy.end(),
                                   [&](const Hop& h) { return h.step == 2; });
            },
            3000);
        ASSERT_TRUE(parked) << "tick " << TickCounter;
        play(player, 20);
        EXPECT_TRUE(player.shot("play-m18-firebreak"));
    }

    // The middle of a map cell.
    static PixelPos CellMiddle(CellPos c) {
        return {kCellWidth * c.column - 16 * c.row + 8, kCellHeight * c.row + 14};
    }

    // The tanker's cannon set on a cell, under the water cursor.
    void wet(ScriptedPlayer& player, std::int16_t tanker, CellPos cell) {
        const PixelPos at = CellMiddle(cell);
        const auto x = static_cast<float>(at.x);
        const auto y = static_cast<float>(at.y);
        selectFahrzeug(player, tanker);
        centreView(player, x, y);
        player.mouseWorld(x, y);
        play(player, 2);
        ASSERT_EQ(CursorId, kCursorWater)
            << cell.column << " " << cell.row << " tick " << TickCounter << " at " << F(tanker).x
            << " " << F(tanker).y;
        player.clickWorld(x, y);
        play(player, 1);
    }

    // The group truck's crew out, and the first of them with a metal cutter from its
    // compartment.
    void takeCutter(ScriptedPlayer& player) {
        selectFahrzeug(player, groupTruck);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                return std::all_of(groupCrew.begin(), groupCrew.end(), [](std::int16_t c) {
                    return P(c).offMap == 0 && P(c).orders == nullptr;
                });
            },
            600));
        const std::int16_t cutter = groupCrew[0];
        selectPerson(player, cutter);
        clickFahrzeug(player, groupTruck);
        command(player, kCmdMetalCutter);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(cutter).type == kMetalCutter && P(cutter).orders == nullptr; },
            600))
            << "type " << int{P(cutter).type};
    }

    // The cutter sent to the closed gate under cursor 19: it cuts the lock, and the gate slides
    // open.
    void cutTheGate(ScriptedPlayer& player) {
        const std::int16_t cutter = groupCrew[0];
        selectPerson(player, cutter);
        ASSERT_TRUE(hoverObject(player, kGate));
        ASSERT_EQ(CursorId, kCursorRescue);
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_NE(P(cutter).orders, nullptr);
        ASSERT_TRUE(playUntil(
            player, [] { return SonderObjs[kGate].x >= kGateOpenX; }, 1500))
            << "gate at " << SonderObjs[kGate].x << ", cutter at " << P(cutter).x << " "
            << P(cutter).y << " facing " << int{P(cutter).direction} << " anim "
            << int{P(cutter).anim} << " type " << int{P(cutter).type} << " order "
            << (P(cutter).orders != nullptr ? int{P(cutter).orders->opcode} : -1);
        EXPECT_TRUE(player.shot("play-m18-gate"));
    }

    // The crane truck sent to the first container under cursor 19: it drives round to it and
    // lifts it.
    void liftContainer(ScriptedPlayer& player) {
        selectFahrzeug(player, crane);
        ASSERT_TRUE(hoverObject(player, kContainer))
            << "mode " << GameMode << " tick " << TickCounter << " hover " << int{HoverKind} << " "
            << HoverIds[0] << " crane at " << F(crane).x << " " << F(crane).y;
        ASSERT_EQ(CursorId, kCursorRescue);
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_NE(F(crane).orders, nullptr);
        ASSERT_TRUE(playUntil(
            player, [&] { return atRest(crane); }, 1500));
        EXPECT_EQ(F(crane).type, kTypF110MD) << "crane at " << F(crane).x << " " << F(crane).y;
        EXPECT_EQ(SonderObjs[kContainer].visible, 0);
        EXPECT_TRUE(player.shot("play-m18-container"));
    }

    // The whole mission from its briefing: bought, driven in, the hedge wetted, the gate cut,
    // a container lifted, and the fire burnt out behind the break.
    void winMissionEighteen(ScriptedPlayer& player) {
        ASSERT_NO_FATAL_FAILURE(buyForTheWin(player));
        ASSERT_NO_FATAL_FAILURE(driveInAndWetTheHedge(player));
        ASSERT_NO_FATAL_FAILURE(takeCutter(player));
        ASSERT_NO_FATAL_FAILURE(cutTheGate(player));
        ASSERT_NO_FATAL_FAILURE(liftContainer(player));
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 6000))
            << "tick " << TickCounter << " cells " << BurningCellCount;
        ASSERT_EQ(GameMode, 5u) << MessageLine.data();
    }

    std::int16_t tankers[3] = {-1, -1, -1};
    std::int16_t crane = -1;
    std::int16_t groupTruck = -1;
    std::vector<std::int16_t> groupCrew;
};

}  // namespace kv::test
