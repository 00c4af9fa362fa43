#pragma once
// Mission 9's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump from mission 1 to the football final, the video and the briefing, police cars
// bought at the small station and driven in, and play at speed 3.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "mission/panels/command_tables.h"
#include "movement/befehl_queue.h"
#include "persons/person_lead.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "platform/cp1252.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"

namespace kv::test {

class MissionNineMoves : public PlayThroughSteps {
  protected:
    // Base 0's place of the police car, and its officers.
    static constexpr std::size_t kPlaceF301 = 0;
    static constexpr std::int8_t kOfficer = 0;  // P01
    static constexpr std::size_t kPlaceF201 = 2;
    static constexpr std::int8_t kStretcher = 5;  // P06
    static constexpr int kPoliceCars = 4;
    static constexpr int kAmbulances = 2;

    // In mission 1's play: EINSATZ typed over the options button, and the box "10 Sichern Sie das
    // Fußballendspiel!" in the list; then the video ends, and the briefing is read on the map.
    void jumpToMissionNine(ScriptedPlayer& player) {
        jumpToPosition(player, 10);
        ASSERT_EQ(MissionNummer, 9);
        videoAndBriefing(player);
    }

    // Base 0 entered from the map: two police cars with two officers each; back to the map, then
    // into play at speed 3.
    void buyAndEnter(ScriptedPlayer& player) {
        openStation(player);
        for (int car = 0; car < 2; ++car)
            buy(player, kPlaceF301, {{kOfficer, false}, {kOfficer, false}});
        EXPECT_GE(Money, 5000) << "within the mission's 19000";
        leaveStationForTheMission(player);
        player.key('3');
        play(player, 1);
        EXPECT_EQ(GameSpeed, 3);
        int bought = 0;
        for (const Bought& b : BoughtVehicles()) bought += F(b.vehicle).type == kTypF301;
        EXPECT_EQ(bought, 2);
    }

    // Base 0 entered from the map: police cars full of officers, an ambulance with a stretcher
    // team and a medic; into play at speed 3.
    void buyToWin(ScriptedPlayer& player) {
        openStation(player);
        for (int car = 0; car < kPoliceCars; ++car)
            buy(player, kPlaceF301, std::vector<Crew>(4, Crew{kOfficer, false}));
        for (int car = 0; car < kAmbulances; ++car)
            buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        EXPECT_GE(Money, 5000) << "within the mission's 19000";
        leaveStationForTheMission(player);
        player.key('3');
        play(player, 1);
        ASSERT_EQ(GameSpeed, 3);
    }

    // A person clicked where the mouse finds it; false when another unit covers it there or it
    // moved away meanwhile (the crowd keeps moving).
    bool tryClickPerson(ScriptedPlayer& player, std::int16_t i) {
        const Person& p = P(i);
        const VffImage* image =
            UnitFrameImage(PersonAnimSlot(p.type, p.direction, p.anim), p.frame);
        if (image == nullptr) return false;
        centreView(player, p.x, p.y);
        player.mouseWorld(static_cast<float>(p.drawX + image->width / 2),
                          static_cast<float>(p.drawY + image->height / 2));
        play(player, 1);
        if (HoverKind != kHoverPerson || HoverIds[0] != static_cast<std::uint16_t>(i)) return false;
        player.click(MouseX, MouseY);
        play(player, 1);
        return true;
    }
    void driveTo(ScriptedPlayer& player, std::int16_t v, float x, float y) {
        clickFahrzeug(player, v);
        clickWorldAt(player, x, y);
    }

    static bool Walker(std::int16_t i) {
        const auto u = static_cast<std::uint16_t>(i);
        return u == MissionScratch.S5 || u == MissionScratch.S8;
    }
    static bool FreeFan(std::int16_t i) {
        const Person& p = P(i);
        return p.type != -1 && (p.controlFlags & kPersonFighter) != 0 && p.link == kNoLink &&
               p.casualty == 0 && p.present != 0 && p.offMap == 0 && !Walker(i);
    }

    // Not yet a win: the third and fourth police cars stay behind those parked on the street,
    // pursuits of moving fans take long, and the casualties are not yet treated.
    // Officers wait below the gates and take each fan the gates let go to the platform, where
    // the standing train takes it; medics treat the fights' casualties and the stretcher teams
    // carry them into the ambulances, which drive off.
    void keepFansApart(ScriptedPlayer& player) {
        std::vector<std::int16_t> officers;
        std::vector<std::int16_t> police;
        for (const Bought& b : BoughtVehicles()) {
            if (F(b.vehicle).type == kTypF301) {
                police.push_back(b.vehicle);
                officers.insert(officers.end(), b.crew.begin(), b.crew.end());
            }
        }
        std::vector<int> out(police.size(), 0);      // 1 driven on, 2 officers out
        std::vector<int> state(officers.size(), 0);  // 0 idle, 1 after a fan, 2 leads to platform
        std::vector<std::int16_t> fanOf(officers.size(), -1);
        int platformSlot = 0;
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                if (GameMode != 2) return true;
                // Each car, once at rest at the entry, drives on below the gates, out of the
                // next one's way, and lets its officers out there.
                for (std::size_t k = 0; k < police.size(); ++k) {
                    const Fahrzeug& f = F(police[k]);
                    if (out[k] == 2 || f.KarteWeg != -1 || f.orders != nullptr || f.x <= 0)
                        continue;
                    if (out[k] == 0) {
                        driveTo(player, police[k], 1030.0f + 70.0f * static_cast<float>(k),
                                1428.0f);
                        out[k] = 1;
                        continue;
                    }
                    clickFahrzeug(player, police[k]);
                    command(player, kCmdStaffOut);
                    out[k] = 2;
                }
                for (std::size_t k = 0; k < officers.size(); ++k) {
                    const std::int16_t o = officers[k];
                    Person& op = P(o);
                    if (op.offMap != 0 || op.casualty != 0) continue;
                    if (state[k] == 2 && op.link == kNoLink) state[k] = 0;
                    if (state[k] == 1 && LedBy(op) != nullptr) {
                        if (!tryClickPerson(player, o)) continue;
                        const float x = 380.0f + static_cast<float>(platformSlot % 12) * 20.0f;
                        platformSlot++;
                        clickWorldAt(player, x, 1598.0f);
                        state[k] = 2;
                        continue;
                    }
                    if (state[k] == 1 && op.orders == nullptr && op.link == kNoLink) state[k] = 0;
                    if (state[k] != 0) continue;
                    // The nearest free fan nobody goes after yet.
                    std::int16_t best = -1;
                    float bestD = 1e9f;
                    for (std::int16_t f = 0; f < static_cast<std::int16_t>(Personen.size()); ++f) {
                        if (!FreeFan(f)) continue;
                        if (std::find(fanOf.begin(), fanOf.end(), f) != fanOf.end()) continue;
                        const float d = std::abs(P(f).x - op.x) + std::abs(P(f).y - op.y);
                        if (d < bestD) {
                            bestD = d;
                            best = f;
                        }
                    }
                    if (best < 0) continue;
                    if (!tryClickPerson(player, o)) continue;
                    if (!tryClickPerson(player, best)) continue;
                    fanOf[k] = best;
                    state[k] = 1;
                }
                for (std::size_t k = 0; k < officers.size(); ++k)
                    if (state[k] == 0) fanOf[k] = -1;
                return false;
            },
            20000));
    }

    // Nobody keeps the fans apart: they fight until the fifteenth casualty fails the mission.
    void leaveFansAlone(ScriptedPlayer& player) {
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 20000))
            << "injured " << VerletzteCount;
        ASSERT_EQ(GameMode, 4u);
        EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Lage ist eskaliert!");
        EXPECT_GE(VerletzteCount, 15);
        EXPECT_EQ(ToteCount, 0);
        play(player, 2);
    }
};

}  // namespace kv::test
