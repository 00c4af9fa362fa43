#pragma once
// Mission 11's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the dam, the video and the briefing, the purchase, the valley evacuated and its
// people led east while one house stays full, the break at speed 3, and in the flooded valley the
// boat round the roofs of the houses that kept residents and back to the east bank, and a
// helicopter for each person the water or the flood hurt.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/view.h"
#include "media/video.h"
#include "mission/evaluation.h"
#include "mission/panel_pictures.h"
#include "mission/panels/command_tables.h"
#include "movement/befehl.h"
#include "movement/befehl_queue.h"
#include "persons/person_lead.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "platform/window.h"
#include "screens/karte.h"
#include "screens/mission_jump.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/sonder_obj.h"

namespace kv::test {

class MissionElevenMoves : public PlayThroughSteps {
  protected:
    static constexpr int kPosition = 21;
    static constexpr std::int8_t kPolice = 0;     // P01
    static constexpr std::int8_t kStretcher = 5;  // P06
    static constexpr std::int8_t kMedic = 4;      // P05
    // Base 0's places, and base 1's.
    static constexpr std::size_t kPlaceF301 = 0;
    static constexpr std::size_t kPlaceF201 = 2;
    static constexpr std::size_t kPlaceF302 = 1;
    static constexpr std::size_t kPlaceF117 = 2;
    // The house left full: house 6 holds two residents upstairs, beside boat point 7; its
    // evacuation spot lies hidden behind house 7, where no click would find a resident.
    static constexpr int kFullHouse = 6;
    static constexpr float kSafeX = 2900;

    struct Force {
        std::vector<std::int16_t> cars;  // F301s
        std::int16_t bus = -1;           // F302
        std::int16_t carrier = -1;
        std::vector<std::int16_t> officers;
    };

    // In a running mission: EINSATZ typed over the options button, the box of campaign position
    // 21, its video run out and its briefing read on the map.
    void jumpToMissionEleven(ScriptedPlayer& player) {
        jumpToPosition(player, kPosition);
        ASSERT_EQ(MissionNummer, 11);
        EXPECT_EQ(JumpEntryText(kPosition - 1), W("21 Regenfälle bedrohen Staudamm!"));
        videoAndBriefing(player);
    }

    // Base 0: a police car with its four officers. Base 1: the police bus with four more, and
    // the boat carrier. Base 0 twice more: a car with four officers each. Then into play at
    // speed 3.
    Force buyAndEnter(ScriptedPlayer& player) {
        Force f;
        const std::int32_t before = Money;
        // Bought in the order they should come in: the police first.
        const std::vector<Crew> officers(4, Crew{kPolice, false});
        openStation(player, 0);
        buy(player, kPlaceF301, officers);
        player.key(VK_ESCAPE);
        play(player, 1);
        openStation(player, 1);
        buy(player, kPlaceF302, officers);
        buy(player, kPlaceF117, {});
        player.key(VK_ESCAPE);
        play(player, 1);
        // Each visit finds four officers on duty: two more cars bring a leader for nearly every
        // resident before the break.
        for (int visit = 0; visit < 2; ++visit) {
            openStation(player, 0);
            buy(player, kPlaceF301, officers);
            if (visit == 0) {
                player.key(VK_ESCAPE);
                play(player, 1);
            }
        }
        EXPECT_LT(Money, before);
        EXPECT_GT(Money, 0) << "within the mission's 35000";
        for (const Bought& b : BoughtVehicles()) {
            switch (F(b.vehicle).type) {
                case kTypF301:
                    f.cars.push_back(b.vehicle);
                    break;
                case kTypF302:
                    f.bus = b.vehicle;
                    break;
                case kTypF117:
                    f.carrier = b.vehicle;
                    break;
                default:
                    break;
            }
            if (F(b.vehicle).type == kTypF301 || F(b.vehicle).type == kTypF302)
                f.officers.insert(f.officers.end(), b.crew.begin(), b.crew.end());
        }
        leaveStationForTheMission(player);
        fast(player);
        EXPECT_EQ(GameSpeed, 3);
        return f;
    }

    static std::string where(std::int16_t v) {
        char s[96];
        std::snprintf(s, sizeof s, " [vehicle %d type %d at %.0f %.0f order %d]", v, F(v).type,
                      static_cast<double>(F(v).x), static_cast<double>(F(v).y),
                      HeadBefehlOpcode(F(v)));
        return s;
    }
    static std::string who(std::int16_t i) {
        char s[120];
        std::snprintf(s, sizeof s, " [person %d type %d at %.0f %.0f storey %d order %d link %u]",
                      i, P(i).type, static_cast<double>(P(i).x), static_cast<double>(P(i).y),
                      P(i).storey, HeadBefehlOpcode(P(i)), P(i).link);
        return s;
    }

    // The mouse over a part of the person's picture that nothing else covers, tried at a few
    // points as a player's eye would pick one; false when none shows the person.
    bool tryHoverPerson(ScriptedPlayer& player, std::int16_t i) {
        const Person& p = P(i);
        const VffImage* image =
            UnitFrameImage(PersonAnimSlot(p.type, p.direction, p.anim), p.frame);
        if (image == nullptr) return false;
        centreView(player, p.x, p.y);
        const float w = static_cast<float>(image->width);
        const float h = static_cast<float>(image->height);
        for (const auto& [fx, fy] : {std::pair{0.5f, 0.5f},
                                     {0.5f, 0.2f},
                                     {0.5f, 0.85f},
                                     {0.25f, 0.5f},
                                     {0.75f, 0.5f},
                                     {0.3f, 0.1f},
                                     {0.7f, 0.1f},
                                     {0.3f, 0.95f},
                                     {0.7f, 0.95f},
                                     {0.5f, 0.05f}}) {
            player.mouseWorld(static_cast<float>(P(i).drawX) + w * fx,
                              static_cast<float>(P(i).drawY) + h * fy);
            play(player, 2);
            if (HoverKind == kHoverPerson && HoverIds[0] == static_cast<std::uint16_t>(i))
                return true;
        }
        return false;
    }
    bool tryClickPerson(ScriptedPlayer& player, std::int16_t i) {
        if (!tryHoverPerson(player, i)) return false;
        player.click(MouseX, MouseY);
        play(player, 1);
        return true;
    }
    bool trySelectPerson(ScriptedPlayer& player, std::int16_t i) {
        deselect(player);
        return tryClickPerson(player, i) && SelectedIndex == static_cast<std::uint16_t>(i);
    }
    // A person a house in front hides from the pointer: a small box dragged over the middle of
    // where it stands picks it, a leader together with the one it leads.
    bool boxSelectPerson(ScriptedPlayer& player, std::int16_t i) {
        deselect(player);
        const Person& p = P(i);
        const VffImage* image =
            UnitFrameImage(PersonAnimSlot(p.type, p.direction, p.anim), p.frame);
        if (image == nullptr) return false;
        centreView(player, p.x, p.y);
        const int x = P(i).drawX - ViewOrigin.x + image->width / 2;
        const int y = P(i).drawY - static_cast<int>(P(i).height) - ViewOrigin.y + image->height / 2;
        player.drag(x - 4, y - 4, x + 4, y + 4);
        play(player, 1);
        return SelectedIndex == static_cast<std::uint16_t>(i);
    }

    // The vehicle chosen afresh and sent to the world point by a click there.
    void driveTo(ScriptedPlayer& player, std::int16_t v, float x, float y) {
        selectFahrzeug(player, v);
        ASSERT_EQ(SelectedIndex, static_cast<std::uint16_t>(v));
        clickWorldAt(player, x, y);
        ASSERT_NE(F(v).orders, nullptr)
            << "vehicle " << v << " got no order" << where(v) << " cursor " << CursorId << " hover "
            << HoverKind << " view " << ViewOrigin.x << " " << ViewOrigin.y << " mouse " << MouseX
            << " " << MouseY << " selection " << SelectionMode << " " << SelectedIndex;
    }

    // ---- the valley before the break -----------------------------------------------------

    static bool isResident(std::int16_t i) {
        const Person& p = P(i);
        return p.type >= 27 && p.type <= 31 && (p.controlFlags & kPersonController) != 0;
    }
    // The residents of a house, by the house their storey stands in.
    static std::vector<std::int16_t> residentsOf(int house) {
        std::vector<std::int16_t> out;
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(Personen.size()); ++i)
            if (isResident(i) && P(i).house == static_cast<std::uint16_t>(house)) out.push_back(i);
        return out;
    }
    // The resident out in the valley nearest the officer that nobody leads or fetches yet and
    // that was not just missed by a click; -1 none.
    std::int16_t residentToFetch(std::int16_t officer, const std::vector<std::int16_t>& taken,
                                 const std::vector<std::uint32_t>& missedUntil) const {
        std::int16_t best = -1;
        float bestDistance = 0;
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(Personen.size()); ++i) {
            const Person& p = P(i);
            if (!isResident(i) || p.storey != 0 || p.house != 0xFFFF || p.offMap != 0 ||
                p.x >= kSafeX || p.link != kNoLink)
                continue;
            if (std::find(taken.begin(), taken.end(), i) != taken.end()) continue;
            if (missedUntil[static_cast<std::size_t>(i)] > TickCounter) continue;
            const float d = std::abs(p.x - P(officer).x) + std::abs(p.y - P(officer).y);
            if (best < 0 || d < bestDistance) {
                best = i;
                bestDistance = d;
            }
        }
        return best;
    }

    // Nobody is left out in the valley west of the safe line; the full house keeps its residents,
    // who wait on its roof for the boat.
    static bool valleyEmpty() {
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(Personen.size()); ++i)
            if (isResident(i) && P(i).x < kSafeX && P(i).house == 0xFFFF) return false;
        return true;
    }

    // Residents on their way out of a marked house.
    static int residentsComingOut() {
        int n = 0;
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(Personen.size()); ++i)
            if (isResident(i) && P(i).house != 0xFFFF && P(i).orders != nullptr) ++n;
        return n;
    }

    // The officer chosen, then a click on the house's walls, where the cursor offers the rescue:
    // the officer marks it at its door, and its residents come out.
    bool evacuate(ScriptedPlayer& player, std::int16_t officer, int house) {
        const House* h = PlacedHouse(house);
        if (h == nullptr) return false;
        const HouseTyp& t = HouseTypOf(*h);
        if (!trySelectPerson(player, officer)) return false;
        const float ci = h->x + t.extentI / 2.0f;
        const float cj = h->y + t.extentJ / 2.0f;
        const float x0 = 32 * ci - 16 * cj;
        const float y0 = 28 * cj;
        centreView(player, x0, y0);
        for (const float dy : {0.0f, -20.0f, 20.0f, -40.0f, 40.0f, -60.0f}) {
            for (const float dx : {0.0f, -30.0f, 30.0f}) {
                player.mouseWorld(x0 + dx, y0 + dy);
                play(player, 2);
                if (HoverKind >= kHoverHouseLower && HoverKind <= kHoverHouseUpper &&
                    HoverIds[3] == house && CursorId == kCursorRescue) {
                    player.clickWorld(x0 + dx, y0 + dy);
                    play(player, 1);
                    return P(officer).orders != nullptr;
                }
            }
        }
        ADD_FAILURE() << "house " << house << " not found under the mouse";
        return false;
    }

    // What an officer is doing: free, marking a house, fetching a resident, leading it, or
    // walking it east.
    struct Officer {
        std::int16_t index;
        int stage = 0;  // 0 free, 1 marking, 2 fetching, 3 leading, 4 walking east, 5 off east
        std::int16_t resident = -1;
    };
    // A bought vehicle's way in: sent on from the entry, the police ones unloaded where they
    // stop and then sent east to the yard.
    struct Park {
        std::int16_t v;
        float x, y;
        bool police;
        int stage = 0;  // 0 at the entry, 1 driving to its place, 2 unloaded, 3 gone or parked
    };

    // From the purchase: the vehicles in, the police ones stopping west of the houses, their
    // officers out and the empty vehicles sent to the east bank's yard, the ambulance and the
    // carrier straight there; each officer marks a house but the full one, then leads the
    // residents one at a time east of the safe line and lets them go there.
    Force evacuateTheValley(ScriptedPlayer& player) {
        Force f = buyAndEnter(player);
        // The carrier waits in the yard by its north gate.
        std::vector<Park> parks = {{f.bus, 320, 870, true}, {f.carrier, 3470, 430, false}};
        constexpr float kCarStops[][2] = {{300, 1060}, {340, 1120}, {420, 1060}};
        for (std::size_t k = 0; k < f.cars.size() && k < 3; ++k)
            parks.push_back({f.cars[k], kCarStops[k][0], kCarStops[k][1], true});
        std::vector<Officer> officers;
        std::vector<int> houses;
        for (int h = 0; h < static_cast<int>(Houses.size()); ++h)
            if (h != kFullHouse && !residentsOf(h).empty()) houses.push_back(h);
        std::vector<std::int16_t> taken;
        std::vector<std::uint32_t> missedUntil(Personen.size(), 0);
        int placed = 0;
        const auto drive = [&](Park& park) {
            switch (park.stage) {
                case 0:
                    if (!atRest(park.v)) return;
                    driveTo(player, park.v, park.x, park.y);
                    park.stage = park.police ? 1 : 3;
                    return;
                case 1: {
                    if (!atRest(park.v)) return;
                    std::vector<std::int16_t> crew;
                    for (const std::uint16_t seat : F(park.v).seats)
                        if (seat != kNoPerson) crew.push_back(static_cast<std::int16_t>(seat));
                    selectFahrzeug(player, park.v);
                    command(player, kCmdStaffOut);
                    for (const std::int16_t o : crew) officers.push_back({o});
                    park.stage = 2;
                    return;
                }
                case 2:
                    if (std::any_of(F(park.v).seats.begin(), F(park.v).seats.end(),
                                    [](std::uint16_t s) { return s != kNoPerson; }) ||
                        F(park.v).orders != nullptr)
                        return;
                    // Empty, it goes home by the road it came, out of the crews' way.
                    selectFahrzeug(player, park.v);
                    command(player, kCmdBackToBase);
                    if (F(park.v).orders != nullptr) park.stage = 3;
                    return;
                default:
                    return;
            }
        };
        const auto act = [&](Officer& o) {
            Person& p = P(o.index);
            if (p.offMap != 0) return;
            switch (o.stage) {
                case 0: {
                    if (p.orders != nullptr) return;
                    if (!houses.empty()) {
                        if (!evacuate(player, o.index, houses.front())) return;
                        houses.erase(houses.begin());
                        o.stage = 1;
                        return;
                    }
                    const std::int16_t r = residentToFetch(o.index, taken, missedUntil);
                    if (r < 0) {
                        // Nobody left to fetch: the officer goes east itself, out of the flood.
                        if (residentsComingOut() > 0 || !trySelectPerson(player, o.index)) return;
                        const float x = 2960 + static_cast<float>(placed % 6) * 30;
                        const float y = 1010 + static_cast<float>(placed / 6) * 35;
                        ++placed;
                        clickWorldAt(player, x, y);
                        if (p.orders != nullptr) o.stage = 5;
                        return;
                    }
                    if (!trySelectPerson(player, o.index) || !tryClickPerson(player, r) ||
                        p.orders == nullptr) {
                        // Hidden behind a house for now: another is tried first.
                        missedUntil[static_cast<std::size_t>(r)] = TickCounter + 300;
                        return;
                    }
                    o.resident = r;
                    taken.push_back(r);
                    o.stage = 2;
                    return;
                }
                case 1:
                    if (p.orders == nullptr) o.stage = 0;
                    return;
                case 2:
                    if (LedBy(p) == &P(o.resident)) {
                        o.stage = 3;
                    } else if (p.orders == nullptr) {
                        taken.erase(std::find(taken.begin(), taken.end(), o.resident));
                        o.stage = 0;
                    }
                    return;
                case 3: {
                    const float x = 2960 + static_cast<float>(placed % 6) * 30;
                    const float y = 1010 + static_cast<float>(placed / 6) * 35;
                    if (!trySelectPerson(player, o.index) && !boxSelectPerson(player, o.index))
                        return;
                    centreView(player, x, y);
                    player.mouseWorld(x, y);
                    play(player, 2);
                    player.clickWorld(x, y);
                    play(player, 1);
                    ++placed;
                    o.stage = 4;
                    return;
                }
                case 4:
                    if (P(o.resident).orders != nullptr || P(o.resident).x < kSafeX + 20) return;
                    if (!trySelectPerson(player, o.index)) return;
                    command(player, kCmdLetGo);
                    if (LedBy(p) == nullptr) o.stage = 0;
                    return;
                case 5:
                    if (p.orders == nullptr && p.x < kSafeX) o.stage = 0;
                    return;
                default:
                    return;
            }
        };
        const bool done = playUntil(
            player,
            [&] {
                // Orders are given at the slowest speed and the game runs on at the fastest.
                player.key('1');
                for (Park& park : parks) drive(park);
                for (Officer& o : officers) act(o);
                player.key('3');
                if (::testing::Test::HasFatalFailure() || GameMode != 2 ||
                    VideoStage == kVideoMidMission)
                    return true;
                return valleyEmpty() && houses.empty() &&
                       std::all_of(parks.begin(), parks.end(),
                                   [](const Park& p) { return p.stage == 3; }) &&
                       !officers.empty() &&
                       std::all_of(officers.begin(), officers.end(), [](const Officer& o) {
                           return o.stage == 5 && P(o.index).x >= kSafeX;
                       });
            },
            9000);
        const bool beforeTheBreak = VideoStage != kVideoMidMission && GameMode == 2;
        EXPECT_TRUE(done && beforeTheBreak) << where(f.bus) << where(f.carrier);
        std::printf("valley empty at tick %u\n", TickCounter);
        if (!done || !beforeTheBreak) {
            for (const Park& pk : parks) std::printf("park %d%s\n", pk.stage, where(pk.v).c_str());
            for (const Officer& o : officers)
                std::printf("officer stage %d resident %d%s\n", o.stage, o.resident,
                            who(o.index).c_str());
            for (std::int16_t i = 0; i < static_cast<std::int16_t>(Personen.size()); ++i)
                if (isResident(i)) std::printf("resident%s house %u\n", who(i).c_str(), P(i).house);
        }
        return f;
    }

    // ---- the flooded valley ---------------------------------------------------------------

    // At speed 3 until the dam breaks; the video between the parts is watched to its end, and
    // the second part starts with every vehicle kept.
    void throughTheBreak(ScriptedPlayer& player) {
        ASSERT_TRUE(playUntil(
            player, [] { return VideoStage == kVideoMidMission; }, 12000));
        EXPECT_GT(TickCounter, 9600u);
        ASSERT_TRUE(playBackend().videoDevice().finishVideo());
        play(player, 1);
        ASSERT_EQ(PartTwo, 1);
        ASSERT_EQ(GameMode, 2u);
        EXPECT_EQ(LostBoughtFahrzeugCount, 0);
        EXPECT_EQ(ToteCount, 0u);
    }

    // The mouse on the point, the rescue cursor shown, and the click.
    void clickPoint(ScriptedPlayer& player, float x, float y) {
        centreView(player, x, y);
        player.mouseWorld(x, y);
        play(player, 2);
        EXPECT_EQ(CursorId, kCursorRescue) << "at " << x << " " << y;
        player.clickWorld(x, y);
        play(player, 1);
    }

    // The carrier to boat point 0, where it puts the boat into the bay; the boat's index.
    std::int16_t launchBoat(ScriptedPlayer& player, const Force& f) {
        const BootPunkt* b = UsedBootPunktAt(0);
        EXPECT_NE(b, nullptr);
        if (b == nullptr) return -1;
        selectFahrzeug(player, f.carrier);
        clickPoint(player, b->x, b->y);
        EXPECT_TRUE(playUntil(
            player, [&] { return F(f.carrier).type == kTypF119; }, 3000))
            << where(f.carrier);
        for (std::int16_t v = 0; v < static_cast<std::int16_t>(Fahrzeuge.size()); ++v)
            if (F(v).type == kTypF116) return v;
        ADD_FAILURE() << "no boat launched";
        return -1;
    }

    // The boat chosen, the full house's roof clicked: the boat goes to the roof's landing point,
    // waits and turns there.
    void boatToRoof(ScriptedPlayer& player, std::int16_t boat, int slot) {
        selectFahrzeug(player, boat);
        const SonderObj& o = SonderObjs[static_cast<std::size_t>(slot)];
        const SonderObjTyp* typ = SonderObjTypAt(o.type);
        ASSERT_NE(typ, nullptr);
        const float x = o.x + static_cast<float>((typ->boxX0 + typ->boxX1) / 2);
        const float y = o.y + static_cast<float>((typ->boxY0 + typ->boxY1) / 2);
        centreView(player, x, y);
        player.mouseWorld(x, y);
        play(player, 2);
        ASSERT_EQ(HoverKind, kHoverSonderObj);
        ASSERT_EQ(HoverIds[0], slot);
        EXPECT_EQ(CursorId, kCursorRescue);
        player.clickWorld(x, y);
        play(player, 1);
        std::vector<int> orders;
        for (const Befehl* b = F(boat).orders; b != nullptr; b = b->next)
            orders.push_back(b->opcode);
        // The move, already laid out in waypoints by the first tick, then the wait (7) and the
        // turn to the point's facing (1).
        ASSERT_GE(orders.size(), 3u);
        EXPECT_EQ(std::vector<int>(orders.end() - 2, orders.end()), (std::vector<int>{7, 1}));
        ASSERT_TRUE(playUntil(
            player, [&] { return F(boat).orders == nullptr; }, 3000))
            << where(boat);
    }

    // The boat chosen, a click on each person waiting on the island takes it aboard.
    void takeAboard(ScriptedPlayer& player, std::int16_t boat,
                    const std::vector<std::int16_t>& people) {
        for (const std::int16_t r : people) {
            // A casualty waits for the helicopter.
            if (P(r).casualty != 0) continue;
            selectFahrzeug(player, boat);
            clickPerson(player, r);
            ASSERT_TRUE(playUntil(
                player, [&] { return P(r).offMap != 0; }, 2000))
                << who(r) << where(boat);
        }
    }
    // The boat back to point 0, where its passengers are put ashore and the boat goes onto its
    // carrier.
    void putAshore(ScriptedPlayer& player, std::int16_t boat,
                   const std::vector<std::int16_t>& people) {
        const BootPunkt* b = UsedBootPunktAt(0);
        ASSERT_NE(b, nullptr);
        selectFahrzeug(player, boat);
        clickPoint(player, b->x, b->y);
        ASSERT_TRUE(playUntil(
            player, [&] { return UsedFahrzeugAt(boat) == nullptr || F(boat).type != kTypF116; },
            3000))
            << where(boat);
        for (const std::int16_t r : people) {
            if (P(r).casualty == 0) {
                EXPECT_EQ(P(r).offMap, 0) << who(r);
            }
        }
    }

    // In the second part, by the map button: the helicopter base's F203 with its medic and
    // stretcher team, which flies in at once. Its index.
    std::int16_t buyHelicopter(ScriptedPlayer& player) {
        player.click(kMapButtonPlace.x + 20, kMapButtonPlace.y + 10);
        EXPECT_TRUE(playUntil(
            player, [] { return GameMode == 10u; }, 20));
        const std::int16_t heli = PlayThroughSteps::buyHelicopter(player, {kMedic, kStretcher});
        EXPECT_EQ(BasisScreen.assignedCount, 2);
        player.click(kMapCamX + 5, kMapCamY + 5);
        play(player, 1);
        EXPECT_EQ(GameMode, 2u);
        return heli;
    }

    // The helicopter takes a casualty home. One the flood left on an island is winched aboard
    // and set down on the east bank first. The helicopter lands beside the casualty, its
    // stretcher team carries it aboard, the medic gets in again, and it flies off.
    void flyCasualtyOff(ScriptedPlayer& player, std::int16_t heli, std::int16_t c) {
        ASSERT_TRUE(playUntil(
            player, [&] { return F(heli).KarteWeg == -1 && F(heli).orders == nullptr; }, 3000))
            << where(heli);
        std::vector<std::int16_t> crew;
        for (const std::uint16_t seat : F(heli).seats)
            if (seat != kNoPerson) crew.push_back(static_cast<std::int16_t>(seat));
        const auto team = std::find_if(crew.begin(), crew.end(),
                                       [](std::int16_t p) { return P(p).type == kStretcher; });
        ASSERT_NE(team, crew.end()) << where(heli);
        if (P(c).x < kSafeX) {
            selectFahrzeug(player, heli);
            clickPerson(player, c);
            ASSERT_TRUE(playUntil(
                player, [&] { return F(heli).type == kTypF203B && F(heli).orders == nullptr; },
                3000))
                << where(heli) << who(c);
            selectFahrzeug(player, heli);
            clickWorldWith(player, 3300, 800, kCursorLand);
            ASSERT_TRUE(playUntil(
                player, [&] { return F(heli).type == kTypF203 && P(c).offMap == 0; }, 3000))
                << where(heli) << who(c);
        }
        // Beside the casualty, where the cursor offers the landing.
        ASSERT_TRUE(landBeside(player, heli, P(c).x, P(c).y)) << "nowhere to land beside" << who(c);
        ASSERT_TRUE(playUntil(
            player,
            [&] { return F(heli).anim == kHelicopterAnimLanded && F(heli).orders == nullptr; },
            3000))
            << where(heli);
        selectFahrzeug(player, heli);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                return std::all_of(crew.begin(), crew.end(),
                                   [](std::int16_t p) { return P(p).offMap == 0; });
            },
            300))
            << where(heli);
        // The medic treats the casualty first, until it is well enough for the flight.
        const auto medic = std::find_if(crew.begin(), crew.end(),
                                        [](std::int16_t p) { return P(p).type == kMedic; });
        ASSERT_NE(medic, crew.end()) << where(heli);
        selectPerson(player, *medic);
        clickPerson(player, c);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(c).treated != 0 && P(c).energy >= 400000; }, 3000))
            << who(c) << who(*medic) << " energy " << P(c).energy;
        selectPerson(player, *team);
        clickPerson(player, c);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(*team).link == c && P(*team).orders == nullptr; }, 1500))
            << who(*team) << who(c);
        for (const std::int16_t p : crew) {
            selectPerson(player, p);
            clickFahrzeug(player, heli);
            ASSERT_TRUE(playUntil(
                player, [&] { return P(p).offMap != 0; }, 1500))
                << who(p) << where(heli);
        }
        selectFahrzeug(player, heli);
        command(player, kCmdBackToBase);
        ASSERT_NE(F(heli).orders, nullptr) << where(heli) << " energy " << P(c).energy;
    }

    // Who keeps the mission from being won: a casualty, or a civilian not yet on the safe side.
    static std::string stillWaiting() {
        std::string out;
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(Personen.size()); ++i) {
            const Person& p = P(i);
            if (p.type == -1) continue;
            if (p.casualty != 0 ||
                ((p.controlFlags & kPersonController) != 0 && (p.offMap != 0 || p.x < kSafeX)))
                out += who(i);
        }
        return out;
    }

    // The whole mission from another's play: jumped to, bought, evacuated, through the break,
    // the people left on the roofs fetched, and won; the evaluation opened.
    void winMissionEleven(ScriptedPlayer& player) {
        ASSERT_NO_FATAL_FAILURE(jumpToMissionEleven(player));
        ASSERT_FALSE(residentsOf(kFullHouse).empty());
        const Force f = evacuateTheValley(player);
        ASSERT_FALSE(::testing::Test::HasFailure());
        // Who stayed in which house: roof k stands over house k - 1.
        std::vector<std::pair<int, std::vector<std::int16_t>>> roofs;
        for (int h = 0; h < static_cast<int>(Houses.size()); ++h)
            if (const auto people = residentsOf(h); !people.empty()) roofs.push_back({h, people});
        ASSERT_NO_FATAL_FAILURE(throughTheBreak(player));
        const std::int16_t boat = launchBoat(player, f);
        ASSERT_GE(boat, 0);
        std::vector<std::int16_t> aboard;
        for (const auto& [house, people] : roofs) {
            ASSERT_NO_FATAL_FAILURE(boatToRoof(player, boat, house + 1));
            ASSERT_NO_FATAL_FAILURE(takeAboard(player, boat, people));
            aboard.insert(aboard.end(), people.begin(), people.end());
        }
        ASSERT_NO_FATAL_FAILURE(putAshore(player, boat, aboard));
        // Whoever the flood hurt leaves by helicopter, the only way out of the flooded valley.
        // One is bought for each when its turn comes: a second one come in would back off behind
        // the first where the road enters the map and wait there for that spot.
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(Personen.size()); ++i) {
            if (P(i).type == -1 || P(i).casualty == 0 || P(i).offMap != 0) continue;
            const std::int16_t heli = buyHelicopter(player);
            ASSERT_GE(heli, 0) << who(i);
            EXPECT_GE(Money, 0) << "within the mission's 35000";
            ASSERT_NO_FATAL_FAILURE(flyCasualtyOff(player, heli, i));
        }
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 3000))
            << stillWaiting();
        ASSERT_EQ(GameMode, 5u) << Cp1252ToUtf8(MessageLine.data());
        ASSERT_NO_FATAL_FAILURE(expectEvaluation(player, 1));
        EXPECT_EQ(std::string(ResultLines[0].text.data()), "Tote: " + std::to_string(ToteCount));
    }
};

}  // namespace kv::test
