#pragma once
// Mission 9's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump from mission 1 to the football final, the video and the briefing, police cars
// and ambulances bought at the small station and driven in, and play at speed 3: the gates
// held, the fans taken to the train, the casualties cared for.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>
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
        fast(player);
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
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
    }

    // A person clicked where the mouse finds it, a point of its figure tried after another;
    // false when another unit covers it there or it moved away meanwhile (the crowd keeps moving).
    bool tryClickPerson(ScriptedPlayer& player, std::int16_t i) {
        if (P(i).type == -1) return false;
        centreView(player, P(i).x, P(i).y);
        for (const auto& d : {std::pair{0, 0}, {-3, -4}, {3, -4}, {0, 6}}) {
            // The frames played may have taken the person away or ended the mission.
            if (GameMode != 2 || P(i).type == -1 || P(i).offMap != 0) return false;
            const Person& p = P(i);
            const VffImage* image =
                UnitFrameImage(PersonAnimSlot(p.type, p.direction, p.anim), p.frame);
            if (image == nullptr) return false;
            player.mouseWorld(static_cast<float>(p.drawX + image->width / 2 + d.first),
                              static_cast<float>(p.drawY + image->height / 2 + d.second));
            play(player, 1);
            if (HoverKind != kHoverPerson || HoverIds[0] != static_cast<std::uint16_t>(i)) continue;
            player.click(MouseX, MouseY);
            play(player, 1);
            return true;
        }
        return false;
    }

    static bool Walker(std::int16_t i) {
        const auto u = static_cast<std::uint16_t>(i);
        return u == MissionScratch.S5 || u == MissionScratch.S8;
    }
    // A fan let go by its gate that nobody leads, fights or holds.
    static bool FreeFan(std::int16_t i) {
        const Person& p = P(i);
        return p.type != -1 && (p.controlFlags & kPersonFighter) != 0 && p.link == kNoLink &&
               p.casualty == 0 && p.present != 0 && p.offMap == 0 && !Walker(i);
    }
    static bool OnGround(std::int16_t i) {
        const Person& p = P(i);
        return p.type != -1 && p.offMap == 0;
    }
    static float Distance(const Person& a, float x, float y) {
        return std::abs(a.x - x) + std::abs(a.y - y);
    }
    // Where the train takes whoever stands there.
    static bool InBoardingZone(const Person& p) {
        return p.x >= 352.0f && p.x < 615.0f && p.y >= 1580.0f;
    }

    // Where the cars stand, off the street and out of the fans' way down to the platform; where
    // idle officers wait below the gates; and the places on the platform where they hold the fans
    // for the train.
    static constexpr float kParkX[6] = {1250, 1330, 1250, 1330, 1250, 1330};
    static constexpr float kParkY[6] = {1040, 1040, 1120, 1120, 1230, 1230};
    static std::pair<float, float> WaitPoint(std::size_t k) {
        return {960.0f + static_cast<float>(k % 6) * 30.0f,
                965.0f + static_cast<float>(k / 6) * 30.0f};
    }
    static std::pair<float, float> PlatformPoint(int slot) {
        return {370.0f + static_cast<float>(slot % 13) * 18.0f, slot < 13 ? 1590.0f : 1606.0f};
    }
    // Where an officer freed on the platform waits for the next fan coming down.
    static std::pair<float, float> MidPoint(std::size_t k) {
        return {640.0f + static_cast<float>(k % 5) * 30.0f,
                1300.0f + static_cast<float>(k / 5) * 30.0f};
    }
    // The gates' points, where an officer keeps his gate shut, and where he steps aside to open
    // it, clear of the newcomers' way in.
    static constexpr float kGateX[2] = {982.0f, 1112.0f};
    static constexpr float kGateY = 707.0f;
    static constexpr float kAsideDX = 40.0f;
    static constexpr float kAsideY = 730.0f;
    static constexpr int kOpenUpTo = 0;
    static constexpr int kShutFrom = 1;

    // The fans of a club walking in or let go and not yet led.
    static int Loose() {
        int n = 0;
        for (std::int16_t f = 0; f < static_cast<std::int16_t>(Personen.size()); ++f) {
            const Person& p = P(f);
            if (p.type != 41 && p.type != 43) continue;
            n += Walker(f) || (FreeFan(f) && !InBoardingZone(p));
        }
        return n;
    }

    // An officer stands on each gate's point, where every newcomer finds the way taken, and steps
    // aside to let his club in: club B first, club A once club B is in and gone, so that no fan
    // ever meets a rival. The open gate is shut again while any fan is loose. Officers
    // waiting below the gates take each fan along, lead it to where the train takes its
    // passengers and hold it there until the standing train takes it. Medics treat
    // any casualty and the stretcher teams carry it into the ambulances, which drive off.
    void keepFansApart(ScriptedPlayer& player) {
        std::vector<std::int16_t> officers;
        std::vector<std::int16_t> cars;
        std::vector<std::int16_t> ambulances;
        std::vector<std::int16_t> medics;
        std::vector<std::int16_t> stretchers;
        for (const Bought& b : BoughtVehicles()) {
            cars.push_back(b.vehicle);
            if (F(b.vehicle).type == kTypF301) {
                officers.insert(officers.end(), b.crew.begin(), b.crew.end());
            } else {
                ambulances.push_back(b.vehicle);
                for (const std::int16_t c : b.crew)
                    (P(c).type == kPersonTypMedic ? medics : stretchers).push_back(c);
            }
        }
        ASSERT_EQ(medics.size(), ambulances.size());
        ASSERT_EQ(stretchers.size(), ambulances.size());
        std::vector<int> parked(cars.size(), 0);  // 1 sent off the street, 2 crew out
        // 0 free, 1 waits, 2 after a fan, 3 leads it, 4 on the way to the platform or holding
        // it there, 5 keeps a gate, 6 cannot get beside its fan
        std::vector<int> state(officers.size(), 0);
        std::vector<std::int16_t> fanOf(officers.size(), -1);
        std::vector<int> slotOf(officers.size(), -1);
        std::vector<std::uint32_t> orderedAt(officers.size(), 0);
        std::vector<std::pair<float, float>> lastAt(officers.size(), {0.0f, 0.0f});
        // The officers at the gates, and where each stands: 0 not yet sent, 1 on the point,
        // 2 aside.
        std::array<std::int16_t, 2> guards = {-1, -1};
        std::array<int, 2> guardAt = {0, 0};
        std::vector<bool> servedOnce(officers.size(), false);
        bool trainShot = false;
        std::vector<std::int16_t> patientOf(ambulances.size(), -1);
        std::vector<int> care(ambulances.size(), 0);
        const auto clickIdle = [&](std::int16_t who, float x, float y) {
            deselect(player);
            if (!tryClickPerson(player, who)) return false;
            clickWorldAt(player, x, y);
            return true;
        };
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                if (GameMode != 2) return true;
                // What became of each officer's pursuit or lead, before any click.
                for (std::size_t k = 0; k < officers.size(); ++k) {
                    const Person& op = P(officers[k]);
                    if (state[k] == 5 || !OnGround(officers[k]) || op.casualty != 0) continue;
                    const Person* led = LedBy(op);
                    if (state[k] >= 3 && state[k] <= 4 && led == nullptr) {
                        state[k] = 0;
                        fanOf[k] = -1;
                        slotOf[k] = -1;
                    }
                    if (state[k] == 2) {
                        if (led != nullptr) {
                            state[k] = 3;
                        } else if (op.orders == nullptr) {
                            state[k] = 0;
                            fanOf[k] = -1;
                        }
                    }
                    // A pursuit or a lead stuck in the crowd is given up or sent on again.
                    if ((state[k] == 2 || state[k] == 4) && TickCounter > orderedAt[k] + 150) {
                        const Person& mover = state[k] == 4 ? *led : op;
                        const bool stuck = std::abs(mover.x - lastAt[k].first) +
                                               std::abs(mover.y - lastAt[k].second) <
                                           4.0f;
                        lastAt[k] = {mover.x, mover.y};
                        orderedAt[k] = TickCounter;
                        if (stuck && state[k] == 4 && !InBoardingZone(*led)) state[k] = 3;
                        if (stuck && state[k] == 2) state[k] = 6;
                    }
                }
                // Each car, once at rest at the entry, drives off the street out of the next
                // one's way and lets its crew out there.
                for (std::size_t k = 0; k < cars.size(); ++k) {
                    const Fahrzeug& f = F(cars[k]);
                    if (parked[k] == 2 || f.KarteWeg != -1 || f.orders != nullptr || f.x <= 0)
                        continue;
                    deselect(player);
                    if (parked[k] == 0) {
                        driveTo(player, cars[k], kParkX[k], kParkY[k]);
                        parked[k] = 1;
                        return false;
                    }
                    clickFahrzeug(player, cars[k]);
                    command(player, kCmdStaffOut);
                    parked[k] = 2;
                    return false;
                }
                // The first two officers out go to the gates.
                for (std::size_t g = 0; g < 2; ++g) {
                    if (guards[g] >= 0) continue;
                    for (std::size_t k = 0; k < officers.size(); ++k) {
                        if (state[k] == 5 || !OnGround(officers[k]) ||
                            P(officers[k]).orders != nullptr)
                            continue;
                        guards[g] = officers[k];
                        state[k] = 5;
                        break;
                    }
                }
                bool clubBLeft = false;
                for (std::int16_t f = 0; f < static_cast<std::int16_t>(Personen.size()); ++f)
                    clubBLeft |= OnGround(f) && (P(f).type == 43 || P(f).type == 44);
                const int open = MissionScratch.S4 < 26 ? 1 : clubBLeft ? -1 : 0;
                const int loose = Loose();
                for (std::size_t g = 0; g < 2; ++g) {
                    if (guards[g] < 0) continue;
                    const bool mayOpen = static_cast<int>(g) == open && loose <= kOpenUpTo;
                    const bool mustShut = static_cast<int>(g) != open || loose >= kShutFrom;
                    if (guardAt[g] != 1 && (guardAt[g] == 0 || mustShut)) {
                        if (clickIdle(guards[g], kGateX[g], kGateY)) guardAt[g] = 1;
                        return false;
                    }
                    if (guardAt[g] == 1 && mayOpen && std::abs(P(guards[g]).y - kGateY) < 6.0f) {
                        if (clickIdle(guards[g], kGateX[g] + kAsideDX, kAsideY)) guardAt[g] = 2;
                        return false;
                    }
                }
                std::vector<bool> taken(Personen.size(), false);
                int pursuing = 0;
                for (std::size_t k = 0; k < officers.size(); ++k) {
                    if (fanOf[k] >= 0) taken[static_cast<std::size_t>(fanOf[k])] = true;
                    pursuing += state[k] == 2;
                }
                for (std::size_t k = 0; k < officers.size(); ++k) {
                    const std::int16_t o = officers[k];
                    // An officer who cannot get to the fan's left steps up close beside it
                    // instead, from where he takes it along from any side.
                    if (state[k] == 6) {
                        const std::int16_t f = fanOf[k];
                        const bool there = f >= 0 && FreeFan(f);
                        const auto [x, y] =
                            there ? std::pair{P(f).x, P(f).y - 14.0f} : WaitPoint(k);
                        if (clickIdle(o, x, y)) {
                            state[k] = 1;
                            fanOf[k] = -1;
                        }
                        return false;
                    }
                    if (state[k] == 3) {
                        if (slotOf[k] < 0) {
                            int slot = 0;
                            while (std::find(slotOf.begin(), slotOf.end(), slot) != slotOf.end())
                                ++slot;
                            slotOf[k] = slot;
                        }
                        const auto [x, y] = PlatformPoint(slotOf[k] % 26);
                        if (clickIdle(o, x, y) && LedBy(P(o)) != nullptr) {
                            orderedAt[k] = TickCounter;
                            lastAt[k] = {LedBy(P(o))->x, LedBy(P(o))->y};
                            state[k] = 4;
                        }
                        return false;
                    }
                }
                // The free fan nearest to an idle officer, and that officer.
                std::size_t who = officers.size();
                std::int16_t best = -1;
                float bestD = 1e9f;
                for (std::size_t k = 0; k < officers.size(); ++k) {
                    const Person& op = P(officers[k]);
                    if (state[k] >= 2 || !OnGround(officers[k]) || op.casualty != 0 ||
                        op.link != kNoLink)
                        continue;
                    for (std::int16_t f = 0; f < static_cast<std::int16_t>(Personen.size()); ++f) {
                        if (!FreeFan(f) || taken[static_cast<std::size_t>(f)] ||
                            InBoardingZone(P(f)))
                            continue;
                        const float d = Distance(op, P(f).x, P(f).y);
                        if (d < bestD) {
                            bestD = d;
                            best = f;
                            who = k;
                        }
                    }
                }
                if (best >= 0 && pursuing < 6) {
                    const std::int16_t o = officers[who];
                    deselect(player);
                    if (tryClickPerson(player, o) && tryClickPerson(player, best) &&
                        P(o).orders != nullptr) {
                        fanOf[who] = best;
                        servedOnce[who] = true;
                        orderedAt[who] = TickCounter;
                        lastAt[who] = {P(o).x, P(o).y};
                        state[who] = 2;
                    }
                    return false;
                }
                for (std::size_t k = 0; k < officers.size(); ++k) {
                    const std::int16_t o = officers[k];
                    if (state[k] != 0 || !OnGround(o) || P(o).orders != nullptr ||
                        P(o).link != kNoLink)
                        continue;
                    const auto [x, y] = servedOnce[k] ? MidPoint(k) : WaitPoint(k);
                    if (clickIdle(o, x, y)) state[k] = 1;
                    return false;
                }
                careForCasualties(player, ambulances, medics, stretchers, patientOf, care);
                // A picture of the train pulling in to take the fans held for it.
                if (!trainShot && MissionScratch.S2 == 1 && SonderObjs[0].x >= 250.0f) {
                    for (std::size_t k = 0; k < officers.size(); ++k) {
                        const Person* led = state[k] == 4 ? LedBy(P(officers[k])) : nullptr;
                        if (led == nullptr || !InBoardingZone(*led)) continue;
                        centreView(player, led->x, led->y - 60.0f);
                        EXPECT_TRUE(player.shot("play-m09-train"));
                        trainShot = true;
                        break;
                    }
                }
                return false;
            },
            8000));
    }

    // Each casualty gets an ambulance of its own: the medic treats it, the stretcher team carries
    // it in, the medic gets in, and the ambulance drives off.
    void careForCasualties(ScriptedPlayer& player, const std::vector<std::int16_t>& ambulances,
                           const std::vector<std::int16_t>& medics,
                           const std::vector<std::int16_t>& stretchers,
                           std::vector<std::int16_t>& patientOf, std::vector<int>& care) {
        for (std::size_t a = 0; a < ambulances.size(); ++a) {
            if (GameMode != 2) return;
            const std::int16_t medic = medics[a];
            const std::int16_t team = stretchers[a];
            if (!OnGround(medic) && care[a] < 3) continue;  // still in the ambulance
            if (patientOf[a] < 0) {
                for (std::int16_t c = 0; c < static_cast<std::int16_t>(Personen.size()); ++c) {
                    if (!OnGround(c) || P(c).casualty == 0 ||
                        std::find(patientOf.begin(), patientOf.end(), c) != patientOf.end())
                        continue;
                    patientOf[a] = c;
                    care[a] = 0;
                    break;
                }
                if (patientOf[a] < 0) continue;
            }
            const std::int16_t c = patientOf[a];
            switch (care[a]) {
                case 0:
                    if (P(medic).orders != nullptr || P(medic).link != kNoLink) break;
                    deselect(player);
                    if (tryClickPerson(player, medic) && tryClickPerson(player, c) &&
                        P(medic).orders != nullptr)
                        care[a] = 1;
                    break;
                case 1:
                    if (P(c).treated == 0 || P(team).orders != nullptr) break;
                    deselect(player);
                    if (tryClickPerson(player, team) && tryClickPerson(player, c) &&
                        P(team).orders != nullptr)
                        care[a] = 2;
                    break;
                case 2:
                    if (P(team).link != c || P(team).orders != nullptr) break;
                    deselect(player);
                    if (!tryClickPerson(player, team)) break;
                    clickFahrzeug(player, ambulances[a]);
                    if (P(team).orders != nullptr) care[a] = 3;
                    break;
                case 3:
                    if (OnGround(team) || P(medic).orders != nullptr) break;
                    deselect(player);
                    if (!tryClickPerson(player, medic)) break;
                    clickFahrzeug(player, ambulances[a]);
                    if (P(medic).orders != nullptr) care[a] = 4;
                    break;
                case 4:
                    if (OnGround(medic)) break;
                    deselect(player);
                    clickFahrzeug(player, ambulances[a]);
                    command(player, kCmdBackToBase);
                    if (F(ambulances[a]).orders != nullptr) care[a] = 5;
                    break;
                default:
                    break;
            }
        }
    }

    // The whole mission from another's play: jumped to, bought, the clubs let in one after the
    // other and taken to the train, won; the evaluation opened.
    void winMissionNine(ScriptedPlayer& player) {
        ASSERT_NO_FATAL_FAILURE(jumpToMissionNine(player));
        ASSERT_NO_FATAL_FAILURE(buyToWin(player));
        ASSERT_NO_FATAL_FAILURE(keepFansApart(player));
        ASSERT_EQ(GameMode, 5u) << "injured " << VerletzteCount;
        EXPECT_EQ(VerletzteCount, 0);
        expectEvaluation(player, 0);
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
