#pragma once
// The steps of a whole game played by clicks and keys, shared by the missions' play-through
// tests: frames checked one by one, a frame kept at each change of screen, the view scrolled to a
// point, units and command slots clicked, staff found at a station.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/view.h"
#include "mission/command_slots.h"
#include "mission/evaluation.h"
#include "mission/mission_keys.h"
#include "mission/panels/command_tables.h"
#include "mission/scroll_view.h"
#include "mission/view/draw_pictures.h"
#include "movement/befehl.h"
#include "movement/unit_type.h"
#include "own_memory.h"
#include "persons/person_houses.h"
#include "persons/personen.h"
#include "platform/headless/headless_backend.h"
#include "platform/window.h"
#include "screens/basis.h"
#include "screens/basis_kauf.h"
#include "screens/basis_points.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff_table.h"
#include "screens/karte.h"
#include "screens/mission_jump.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv::test {

// A station person of the type on the storey, idle and not yet assigned; -1 none.
inline std::int16_t StaffToAssign(std::int8_t type, std::int8_t storey) {
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        const Person& p = Personen[i];
        if (p.type == type && p.storey == storey && p.orders == nullptr &&
            !IsPersonAssigned(static_cast<std::uint16_t>(i)))
            return static_cast<std::int16_t>(i);
    }
    return -1;
}

// The command buttons under the view, by slot.
constexpr int kSlotX[3] = {400, 515, 628};
constexpr int kSlotY = 540;

// A station person to seat in a vehicle bought: from the hall, else from the staff room.
struct Crew {
    std::int8_t type;
    bool hall;
};

// Mixed into a test fixture that names its backend.
class PlayThroughSteps {
  protected:
    virtual ~PlayThroughSteps() = default;
    virtual HeadlessBackend& playBackend() = 0;

    static Person& P(std::int16_t i) { return Personen[static_cast<std::size_t>(i)]; }
    static Fahrzeug& F(std::int16_t i) { return Fahrzeuge[static_cast<std::size_t>(i)]; }
    // A bought vehicle come in and at rest: off the campaign map, on the map, its orders done.
    static bool atRest(std::int16_t v) {
        return F(v).KarteWeg == -1 && F(v).orders == nullptr && F(v).x > 0;
    }

    // Keeps a frame at each change of screen, as the new screen first draws itself. The memory the
    // game holds is read there and every 500 frames.
    void keepOnChange(test::ScriptedPlayer& player) {
        if (++framesPlayed % 500 == 0) memory.sample();
        if (pendingShot) {
            pendingShot = false;
            char number[16];
            std::snprintf(number, sizeof number, "-%02d", ++shots);
            EXPECT_TRUE(player.shot(shotPrefix + number));
        }
        if (GameMode == lastMode) return;
        lastMode = GameMode;
        pendingShot = true;
        memory.sample();
    }
    // The most memory the game held over the play, printed at its end.
    void printMemory() {
        memory.sample();
        std::printf("%s\n", memory.report().c_str());
    }
    // Frames, each checked: no fatal error, no message box. Only the newest frame is held.
    void play(test::ScriptedPlayer& player, int n) {
        for (int i = 0; i < n; ++i) {
            player.frames(1);
            ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
            ASSERT_TRUE(playBackend().boxes().empty()) << playBackend().boxes().front().text;
            keepOnChange(player);
            playBackend().keepLastFrame();
        }
    }
    bool playUntil(test::ScriptedPlayer& player, const std::function<bool()>& done, int max) {
        for (int i = 0; i < max; ++i) {
            if (done()) return true;
            play(player, 1);
            if (FatalErrorRaised()) return false;
        }
        return done();
    }
    // The mouse over the middle of a person's picture, found there by a frame; where the middle
    // falls beside its body or between its legs, a little aside or higher up; where a vehicle
    // drawn in front hides all but its feet, lower down.
    void hoverPerson(test::ScriptedPlayer& player, std::int16_t i) {
        const Person& p = P(i);
        const VffImage* image =
            UnitFrameImage(PersonAnimSlot(p.type, p.direction, p.anim), p.frame);
        ASSERT_NE(image, nullptr);
        centreView(player, p.x, p.y);
        const auto hit = [&] {
            return HoverKind == kHoverPerson && HoverIds[0] == static_cast<std::uint16_t>(i);
        };
        for (const int up : {0, 4, 8, -10}) {
            for (const int aside : {0, -3, 3, -6, 6}) {
                player.mouseWorld(static_cast<float>(p.drawX + image->width / 2 + aside),
                                  static_cast<float>(p.drawY + image->height / 2 - up));
                play(player, 2);
                if (hit()) break;
            }
            if (hit()) break;
        }
        ASSERT_EQ(HoverKind, kHoverPerson);
        ASSERT_EQ(HoverIds[0], static_cast<std::uint16_t>(i));
    }
    void clickPerson(test::ScriptedPlayer& player, std::int16_t i) {
        hoverPerson(player, i);
        player.click(MouseX, MouseY);
        play(player, 1);
    }
    // The mouse on a part of the vehicle's picture that no other unit covers: a few points
    // around its position are tried, as a player's eye would pick one.
    void hoverFahrzeug(test::ScriptedPlayer& player, std::int16_t v) {
        centreView(player, F(v).x, F(v).y);
        constexpr float kTries[][2] = {{0, -4}, {20, -4},  {-20, -4}, {0, -20},
                                       {0, 12}, {30, -10}, {-30, -10}};
        for (const auto& d : kTries) {
            // The frames may end the mission and free its vehicles: the slot is read anew.
            if (GameMode != 2) break;
            player.mouseWorld(F(v).x + d[0], F(v).y + d[1]);
            play(player, 2);
            if (HoverKind == kHoverFahrzeug && HoverIds[0] == static_cast<std::uint16_t>(v)) return;
        }
        FAIL() << "vehicle " << v << " not found under the mouse";
    }
    void clickFahrzeug(test::ScriptedPlayer& player, std::int16_t v) {
        hoverFahrzeug(player, v);
        player.click(MouseX, MouseY);
        play(player, 1);
    }
    void clickSlot(test::ScriptedPlayer& player, int slot) {
        player.click(kSlotX[slot], kSlotY);
        play(player, 3);
    }
    // Orders are given at speed 1, waits run at speed 3, as a player plays a tight mission.
    void slow(test::ScriptedPlayer& player) {
        player.key('1');
        play(player, 1);
    }
    void fast(test::ScriptedPlayer& player) {
        player.key('3');
        play(player, 1);
    }
    // A wait at speed 3 until done, back at speed 1 after it; whether done came within max frames.
    bool waitUntil(test::ScriptedPlayer& player, const std::function<bool()>& done, int max) {
        fast(player);
        const bool ok = playUntil(player, done, max);
        slow(player);
        return ok;
    }
    // Tab jumps the view from vehicle to vehicle, quicker than scrolling across the map: pressed
    // until a vehicle near the point is in the middle of the view.
    void tabNear(test::ScriptedPlayer& player, float x, float y) {
        mouseOffTheEdge(player);
        const auto inView = [&] {
            const float dx = x - static_cast<float>(ViewOrigin.x);
            const float dy = y - static_cast<float>(ViewOrigin.y);
            return dx > 0 && dx < 630 && dy > 0 && dy < 470;
        };
        for (int i = 0; i <= FahrzeugCount && !inView(); ++i) {
            player.key(VK_TAB);
            play(player, 1);
        }
    }
    // The mouse left at an edge of the view scrolls it on and works against the keys: it is
    // moved into the view first.
    void mouseOffTheEdge(test::ScriptedPlayer& player) {
        if (MouseX != kMouseEdgeLeft && MouseX != kMouseEdgeRight && MouseY != kMouseEdgeTop &&
            MouseY != kMouseEdgeBottom)
            return;
        player.mouse(320, 240);
        play(player, 1);
    }
    // The view scrolled by the arrow keys until the point is well inside it.
    void centreView(test::ScriptedPlayer& player, float x, float y) {
        mouseOffTheEdge(player);
        const auto scroll = [&](WParam key, const std::function<bool()>& far) {
            if (!far()) return;
            player.keyDown(key);
            for (int i = 0; i < 200 && far(); ++i) {
                const ViewPoint before = ViewOrigin;
                play(player, 1);
                if (ViewOrigin.x == before.x && ViewOrigin.y == before.y) break;
            }
            player.keyUp(key);
            play(player, 1);
        };
        scroll(VK_LEFT, [&] { return x - ViewOrigin.x < 150; });
        scroll(VK_RIGHT, [&] { return x - ViewOrigin.x > 500; });
        scroll(VK_UP, [&] { return y - ViewOrigin.y < 110; });
        scroll(VK_DOWN, [&] { return y - ViewOrigin.y > 370; });
        // The view glides on a little after the key is let go.
        for (int i = 0; i < 50; ++i) {
            const ViewPoint before = ViewOrigin;
            play(player, 1);
            if (ViewOrigin.x == before.x && ViewOrigin.y == before.y) break;
        }
    }
    // The mouse on a part of the vehicle no other unit covers; false if none of the tried points
    // shows it (another vehicle may still stand over it at the entry).
    bool findFahrzeug(test::ScriptedPlayer& player, std::int16_t v) {
        tabNear(player, F(v).x, F(v).y);
        centreView(player, F(v).x, F(v).y);
        constexpr float kTries[][2] = {{0, -4},   {20, -4},   {-20, -4}, {0, -20}, {0, 12},
                                       {30, -10}, {-30, -10}, {40, 0},   {-40, 0}, {0, -30}};
        for (const auto& d : kTries) {
            player.mouseWorld(F(v).x + d[0], F(v).y + d[1]);
            play(player, 2);
            if (HoverKind == kHoverFahrzeug && HoverIds[0] == static_cast<std::uint16_t>(v))
                return true;
        }
        return false;
    }
    // The selection cleared by a right click, so that a click on a unit selects it rather than
    // giving the unit selected before an order towards it.
    void deselect(test::ScriptedPlayer& player) {
        player.rclick(MouseX, MouseY);
        play(player, 1);
    }
    // A unit chosen afresh: the selection let go first.
    void selectFahrzeug(test::ScriptedPlayer& player, std::int16_t v) {
        deselect(player);
        clickFahrzeug(player, v);
    }
    void selectPerson(test::ScriptedPlayer& player, std::int16_t p) {
        deselect(player);
        clickPerson(player, p);
    }
    // The mouse on a point of the world, a frame for the cursor it shows there, and the click.
    void clickWorldAt(test::ScriptedPlayer& player, float x, float y) {
        centreView(player, x, y);
        player.mouseWorld(x, y);
        play(player, 2);
        player.clickWorld(x, y);
        play(player, 1);
    }
    // The same, with the cursor the selection shows there checked before the click.
    void clickWorldWith(test::ScriptedPlayer& player, float x, float y, std::uint16_t cursor) {
        centreView(player, x, y);
        player.mouseWorld(x, y);
        play(player, 2);
        EXPECT_EQ(CursorId, cursor) << "at " << x << " " << y << ", hover " << int{HoverKind};
        player.clickWorld(x, y);
        play(player, 1);
    }
    // A vehicle sent to a point of the ground. Over anything that can burn a fire engine's cursor
    // aims its cannon instead, so the point is bare ground or road.
    void driveTo(test::ScriptedPlayer& player, std::int16_t v, float x, float y) {
        clickFahrzeug(player, v);
        ASSERT_EQ(SelectedIndex, static_cast<std::uint16_t>(v));
        clickWorldWith(player, x, y, kCursorMove);
        ASSERT_NE(F(v).orders, nullptr) << "vehicle " << v << " got no order";
    }
    // A person sent walking to a point of the ground.
    void walkTo(test::ScriptedPlayer& player, std::int16_t p, float x, float y) {
        clickPerson(player, p);
        ASSERT_EQ(SelectedIndex, static_cast<std::uint16_t>(p));
        clickWorldWith(player, x, y, kCursorMove);
    }
    // The middle of a special object's hit box, in the world.
    static std::pair<float, float> ObjectMiddle(std::size_t slot) {
        const SonderObj& o = SonderObjs[slot];
        const SonderObjTyp* typ = SonderObjTypAt(o.type);
        if (typ == nullptr) return {o.x, o.y};
        return {o.x + static_cast<float>((typ->boxX0 + typ->boxX1) / 2),
                o.y + static_cast<float>((typ->boxY0 + typ->boxY1) / 2)};
    }
    // The command slot showing the command; -1 none.
    // The mouse on a point of the object's picture that shows the object itself, tried row by row
    // from its foot up (its ground box may lie under what stands in front of it). An object hanging
    // above the ground is drawn lifted by its height.
    bool hoverObject(ScriptedPlayer& player, std::size_t slot) {
        const SonderObj& o = SonderObjs[slot];
        const SonderObjTyp* typ = nullptr;
        const FrameSet* f = SonderObjFrame(o, &typ);
        if (f == nullptr) return false;
        const float top = o.y - (o.storey > 1 ? 0.0f : static_cast<float>(static_cast<int>(o.z)));
        centreView(player, o.x + static_cast<float>(f->dx + f->width / 2),
                   top + static_cast<float>(f->dy + f->height / 2));
        for (int y = f->dy + f->height - 1; y >= f->dy; y -= 3) {
            for (int x = f->dx + 1; x < f->dx + f->width; x += 3) {
                player.mouseWorld(o.x + static_cast<float>(x), top + static_cast<float>(y));
                play(player, 1);
                if (HoverKind == kHoverSonderObj && HoverIds[0] == slot) {
                    play(player, 1);  // the cursor follows the frame drawn last
                    return true;
                }
            }
        }
        return false;
    }
    static int slotOf(std::uint16_t command) {
        for (int i = 0; i < kCommandSlotCount; ++i)
            if (CommandSlots[static_cast<std::size_t>(i)].command == command) return i;
        return -1;
    }
    void command(test::ScriptedPlayer& player, std::uint16_t command) {
        play(player, 1);
        const int slot = slotOf(command);
        ASSERT_GE(slot, 0) << "command " << command << " not offered";
        clickSlot(player, slot);
    }

    // The won mission's banner clicked away into its evaluation: the time line, from the tick the
    // mission was won, at the row given, and the money line below it.
    void expectEvaluation(test::ScriptedPlayer& player, std::size_t timeRow) {
        const std::uint32_t wonAt = TickCounter;
        play(player, 1);
        player.click(400, 300);
        play(player, 1);
        ASSERT_EQ(GameMode, 18u) << FatalErrorMessage();
        char time[32];
        std::snprintf(time, sizeof time, "Zeit: %02u:%02u", wonAt / 20 / 60, wonAt / 20 % 60);
        EXPECT_EQ(std::string(ResultLines[timeRow].text.data()), time);
        EXPECT_EQ(std::string(ResultLines[timeRow + 1].text.data()),
                  "Geld: " + std::to_string(Money));
        EXPECT_TRUE(playBackend().boxes().empty());
    }

    // From the start picture into mission 1: its video run out, and its campaign map left for
    // play (the briefing opened, Esc).
    void intoMissionOne(test::ScriptedPlayer& player) {
        player.click(400, 300);
        play(player, 1);
        ASSERT_TRUE(playBackend().videoDevice().finishVideo());
        play(player, 1);
        ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
        player.click(KarteMarker.x, KarteMarker.y);
        player.key(VK_ESCAPE);
        player.mouse(400, 300);
        play(player, 1);
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    }
    // The mission jump: the word typed over the options button, then a click on the campaign
    // position's box (1..30). Its mission starts from its beginning with its video.
    void jumpToPosition(test::ScriptedPlayer& player, int position) {
        player.mouse(700, 380);
        for (const char c : kMissionJumpWord) player.key(static_cast<WParam>(c));
        play(player, 1);
        ASSERT_EQ(GameMode, 11u);
        ASSERT_TRUE(JumpBoxes.has_value());
        const JumpBox& b = (*JumpBoxes)[static_cast<std::size_t>(position - 1)];
        player.click(b.x + kJumpBoxWidth / 2, b.y + kJumpBoxHeight / 2);
        play(player, 1);
    }
    // The jump to a campaign position whose box reads text, into its mission.
    void jumpToMission(test::ScriptedPlayer& player, int position, std::string_view text,
                       int mission) {
        EXPECT_EQ(JumpEntryText(position - 1), text);
        jumpToPosition(player, position);
        ASSERT_EQ(MissionNummer, mission);
    }
    // The mission's video run out, then its briefing read on the campaign map.
    void videoAndBriefing(test::ScriptedPlayer& player) {
        ASSERT_TRUE(playBackend().videoDevice().finishVideo());
        play(player, 1);
        ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
        player.click(KarteMarker.x, KarteMarker.y);
        ASSERT_TRUE(playUntil(
            player, [] { return BriefingState == kBriefingComplete; }, 2000));
    }
    // A base's station (base 0 unless named) opened from the campaign map.
    void openStation(test::ScriptedPlayer& player, std::size_t base = 0) {
        player.click(Basen[base].x + 4, Basen[base].y + 4);
        play(player, 1);
        ASSERT_EQ(GameMode, 8u) << FatalErrorMessage();
    }
    // At an open station with a vehicle chosen: a free person of the type on the storey seated.
    void seatStaff(test::ScriptedPlayer& player, std::int8_t type, std::int8_t storey) {
        const std::int16_t who = StaffToAssign(type, storey);
        ASSERT_GE(who, 0) << "no free staff of type " << int{type};
        // A point of the figure itself: a team's picture has gaps between its two bearers.
        const test::ScreenPoint mid = test::PersonMiddle(who);
        test::ScreenPoint at = mid;
        for (const auto& d : {std::pair{0, 0}, {-8, 0}, {8, 0}, {0, -6}, {0, 6}, {-10, -4}}) {
            at = {mid.x + d.first, mid.y + d.second};
            player.mouse(at.x, at.y);
            play(player, 2);
            if (HoverKind == kHoverPerson && HoverIds[0] == static_cast<std::uint16_t>(who)) break;
        }
        ASSERT_EQ(HoverKind, kHoverPerson);
        ASSERT_EQ(HoverIds[0], static_cast<std::uint16_t>(who));
        player.click(at.x, at.y);
        play(player, 1);
        ASSERT_TRUE(IsPersonAssigned(static_cast<std::uint16_t>(who)));
    }
    // From the campaign map: the helicopter base's F203 with its crew from the staff room. It
    // lifts off at START and the map comes back. The helicopter's index, -1 when not bought.
    std::int16_t buyHelicopter(test::ScriptedPlayer& player, const std::vector<std::int8_t>& crew) {
        constexpr std::size_t kHeliBase = 3;
        player.click(Basen[kHeliBase].x + 4, Basen[kHeliBase].y + 4);
        play(player, 2);
        EXPECT_EQ(GameMode, 14u);
        const test::ScreenPoint m = test::PlaceMiddle(0, kHeliBase);
        player.mouse(m.x, m.y);
        play(player, 2);
        player.click(m.x, m.y);
        play(player, 2);
        EXPECT_EQ(BasisScreen.chosenPlace, 0);
        player.click(510, 540);  // PERSONAL
        play(player, 4);
        for (const std::int8_t type : crew) {
            seatStaff(player, type, kStoreyStaffRoom);
            if (::testing::Test::HasFatalFailure()) return -1;
        }
        player.click(400, 540);  // START
        play(player, 4);
        const std::int16_t heli = BasisScreen.vehicle;
        EXPECT_TRUE(playUntil(
            player, [] { return GameMode == 10u; }, 300));
        return heli;
    }
    // A helicopter landing beside a point, where the cursor offers the landing; false when it
    // offers none around the point.
    bool landBeside(test::ScriptedPlayer& player, std::int16_t heli, float x, float y) {
        selectFahrzeug(player, heli);
        centreView(player, x, y);
        for (const auto& [dx, dy] : {std::pair{70.0f, 10.0f},
                                     {-70.0f, 10.0f},
                                     {0.0f, 80.0f},
                                     {70.0f, 80.0f},
                                     {-70.0f, 80.0f},
                                     {0.0f, -80.0f},
                                     {100.0f, 40.0f},
                                     {-100.0f, 40.0f}}) {
            player.mouseWorld(x + dx, y + dy);
            play(player, 2);
            if (CursorId != kCursorLand) continue;
            player.clickWorld(x + dx, y + dy);
            play(player, 1);
            return true;
        }
        return false;
    }
    // At the open station: the vehicle at the place chosen, the crew seated one by one, and START.
    void buy(test::ScriptedPlayer& player, std::size_t place, const std::vector<Crew>& crew) {
        ASSERT_EQ(BasisScreen.view, kBasisViewUnten);
        const test::ScreenPoint m =
            test::PlaceMiddle(place, static_cast<std::size_t>(BasisScreen.base));
        player.mouse(m.x, m.y);
        play(player, 2);
        ASSERT_EQ(HoverKind, kHoverFahrzeug) << "place " << place;
        ASSERT_EQ(HoverIds[0], place);
        player.click(m.x, m.y);
        play(player, 1);
        ASSERT_EQ(BasisScreen.chosenPlace, static_cast<std::int16_t>(place));
        for (const Crew& c : crew) {
            const std::int8_t storey = c.hall ? kStoreyHall : kStoreyStaffRoom;
            if (!c.hall && BasisScreen.view != kBasisViewOben) {
                player.click(510, 540);  // PERSONAL
                play(player, 3);
                ASSERT_EQ(BasisScreen.view, kBasisViewOben);
            }
            ASSERT_NO_FATAL_FAILURE(seatStaff(player, c.type, storey));
        }
        player.click(400, 540);  // START
        ASSERT_TRUE(playUntil(
            player,
            [] {
                return BasisScreen.view == kBasisViewUnten && BasisScreen.chosenPlace == -1 &&
                       BasisScreen.vehicle == -1;
            },
            300));
    }
    // From the station back to the campaign map, and through its camera box into the mission.
    void leaveStationForTheMission(test::ScriptedPlayer& player) {
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        player.click(kMapCamX + 5, kMapCamY + 5);
        play(player, 1);
        ASSERT_EQ(GameMode, 2u);
    }
    // The vehicles bought, in the order bought, each with its crew as seated.
    struct Bought {
        std::int16_t vehicle;
        std::vector<std::int16_t> crew;
    };
    static std::vector<Bought> BoughtVehicles() {
        std::vector<Bought> out;
        for (std::int16_t v = 0; v < static_cast<std::int16_t>(Fahrzeuge.size()); ++v) {
            if (F(v).type < 0 || F(v).controlFlags != kOwnerBought) continue;
            out.push_back({v, {}});
            for (const std::uint16_t seat : F(v).seats)
                if (seat != kNoPerson) out.back().crew.push_back(static_cast<std::int16_t>(seat));
        }
        return out;
    }

    // An ambulance fetching one casualty: it drives to its place, its staff get out, its
    // stretcher team fetches the casualty, team and medic board again, and it goes home as soon
    // as its patient, cared for on board, is strong enough for the drive. A casualty below 0 is
    // not there yet; one that has died is left lying.
    struct CasualtyRun {
        std::int16_t ambulance;
        std::int16_t team;
        std::int16_t medic;
        std::int16_t casualty;
        PixelPos park;
        int step = 0;
    };
    static constexpr int kCasualtyRunHome = 5;
    static constexpr int kCasualtyRunLeft = 6;
    // Each run moves on by a step where it can; false once the mission has ended.
    bool stepCasualtyRuns(ScriptedPlayer& player, std::vector<CasualtyRun>& runs) {
        const auto idle = [](std::int16_t p) { return P(p).offMap == 0 && P(p).orders == nullptr; };
        const auto board = [&](std::int16_t person, std::int16_t ambulance) {
            if (P(person).offMap != 0) return;
            selectPerson(player, person);
            hoverFahrzeug(player, ambulance);
            if (CursorId != kCursorRescue)
                std::printf("tick %u: %d not let into %d, cursor %d\n", TickCounter, person,
                            ambulance, CursorId);
            player.click(MouseX, MouseY);
            play(player, 1);
        };
        for (CasualtyRun& r : runs) {
            if (GameMode != 2) return false;
            switch (r.step) {
                case 0:  // at the entry: off to its place
                    if (!atRest(r.ambulance)) break;
                    // To a point of the ground; sent again while it takes no order.
                    selectFahrzeug(player, r.ambulance);
                    clickWorldWith(player, static_cast<float>(r.park.x),
                                   static_cast<float>(r.park.y), kCursorMove);
                    r.step = F(r.ambulance).orders != nullptr ? 1 : 0;
                    break;
                case 1:  // parked: the staff out
                    if (!atRest(r.ambulance)) break;
                    selectFahrzeug(player, r.ambulance);
                    command(player, kCmdStaffOut);
                    r.step = F(r.ambulance).orders != nullptr ? 2 : 1;
                    break;
                case 2:  // out: the team to its casualty
                    if (P(r.team).offMap != 0 && atRest(r.ambulance)) {
                        r.step = 1;
                        break;
                    }
                    if (r.casualty < 0) break;
                    if (P(r.casualty).type == -1 || P(r.casualty).energy <= 0) {
                        r.step = kCasualtyRunLeft;
                        break;
                    }
                    if (!idle(r.team) || !idle(r.medic)) break;
                    selectPerson(player, r.team);
                    clickPerson(player, r.casualty);
                    r.step = P(r.team).orders != nullptr ? 3 : 2;
                    break;
                case 3:  // loaded: both aboard
                    if (P(r.team).orders != nullptr) break;
                    if (P(r.team).link != static_cast<std::uint16_t>(r.casualty)) {
                        r.step = 2;
                        break;
                    }
                    board(r.team, r.ambulance);
                    board(r.medic, r.ambulance);
                    r.step = 4;
                    break;
                case 4:  // aboard: home once the patient may travel
                    if (P(r.team).offMap == 0 || P(r.medic).offMap == 0) {
                        if (idle(r.team) && idle(r.medic)) r.step = 3;
                        break;
                    }
                    selectFahrzeug(player, r.ambulance);
                    play(player, 1);
                    if (slotOf(kCmdBackToBase) < 0) break;
                    command(player, kCmdBackToBase);
                    r.step = F(r.ambulance).orders != nullptr ? kCasualtyRunHome : 4;
                    break;
                default:
                    break;
            }
        }
        return GameMode == 2;
    }
    // Where each run stands, for a stuck play's report.
    static void printCasualtyRuns(const std::vector<CasualtyRun>& runs) {
        for (const CasualtyRun& r : runs)
            std::printf(
                "ambulance %d step %d at %.0f %.0f; team %d at %.0f %.0f order %d link %d;"
                " casualty %d energy %d\n",
                r.ambulance, r.step, static_cast<double>(F(r.ambulance).x),
                static_cast<double>(F(r.ambulance).y), r.team, static_cast<double>(P(r.team).x),
                static_cast<double>(P(r.team).y),
                P(r.team).orders != nullptr ? P(r.team).orders->opcode : -1, P(r.team).link,
                r.casualty, r.casualty >= 0 ? P(r.casualty).energy : 0);
    }

    // Pointing is done at speed 1, waiting at speed 3.
    void slowDown(ScriptedPlayer& player) {
        if (GameSpeed == 1) return;
        slow(player);
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
    // The fire fighter sent into the house by its door.
    void toTheDoor(ScriptedPlayer& player, std::int16_t who, int house) {
        const std::optional<PixelPos> door = HouseDoorSpot(house);
        ASSERT_TRUE(door.has_value());
        selectPerson(player, who);
        centreView(player, static_cast<float>(door->x), static_cast<float>(door->y));
        ASSERT_TRUE(hoverHouseCursor(player, static_cast<float>(door->x),
                                     static_cast<float>(door->y), kCursorRescue, house));
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_NE(P(who).orders, nullptr) << "person " << who << " not sent to house " << house;
    }
    static bool inside(std::int16_t who, int house) {
        return P(who).house == static_cast<std::uint16_t>(house) && P(who).orders == nullptr;
    }
    // The selected fire fighter goes in by the house's door and waits inside on the ground floor.
    void inByTheDoor(ScriptedPlayer& player, std::int16_t who, int house) {
        toTheDoor(player, who, house);
        if (::testing::Test::HasFatalFailure()) return;
        ASSERT_TRUE(playUntil(
            player, [&] { return inside(who, house); }, 1500));
        EXPECT_EQ(P(who).storey, 1);
    }
    // The mouse on any point of a person's picture that shows the person, tried row by row from
    // the head down: inside a house only what its walls leave free.
    bool hoverPersonAnywhere(ScriptedPlayer& player, std::int16_t i) {
        const Person& p = P(i);
        const VffImage* image =
            UnitFrameImage(PersonAnimSlot(p.type, p.direction, p.anim), p.frame);
        if (image == nullptr) return false;
        centreView(player, p.x, p.y);
        const auto hit = [&] {
            return HoverKind == kHoverPerson && HoverIds[0] == static_cast<std::uint16_t>(i);
        };
        for (int y = 1; y < image->height; y += 2) {
            for (int x = 1; x < image->width; x += 2) {
                player.mouseWorld(static_cast<float>(p.drawX + x), static_cast<float>(p.drawY + y));
                play(player, 1);
                if (hit()) {
                    play(player, 1);  // the cursor follows the frame drawn last
                    return hit();
                }
            }
        }
        return false;
    }
    // The house cut open at its ground floor, nothing selected, so that those inside show.
    // The mouse goes over the house's side wall, between its ground line and the ceiling of the
    // ground floor.
    void openGroundFloor(ScriptedPlayer& player, int house) {
        const House* h = PlacedHouse(static_cast<std::uint16_t>(house));
        ASSERT_NE(h, nullptr);
        if (h->interiorView != 0 && h->shownStorey == 1) return;
        const auto& c = h->floors[0].corners;
        const float frontX = static_cast<float>(c[4]);
        const float frontY = static_cast<float>(c[5]);
        const float rearX = static_cast<float>(c[10]);
        const float rearY = static_cast<float>(c[11]);
        deselect(player);
        centreView(player, (frontX + rearX) / 2, (frontY + rearY) / 2);
        for (const float along : {0.5f, 0.3f, 0.7f, 0.15f, 0.85f}) {
            for (const float up : {12.0f, 6.0f, 20.0f, 26.0f}) {
                player.mouseWorld(frontX + along * (rearX - frontX),
                                  frontY + along * (rearY - frontY) - up);
                play(player, 1);
                if (CursorId == kCursorOpenStorey && HoverIds[3] == house) {
                    player.click(MouseX, MouseY);
                    play(player, 1);
                    return;
                }
            }
        }
        FAIL() << "house " << house << " offers no opening";
    }
    // A person chosen afresh wherever it stands, inside a house too.
    void choosePerson(ScriptedPlayer& player, std::int16_t i) {
        if (P(i).storey > 0) openGroundFloor(player, P(i).house);
        deselect(player);
        ASSERT_TRUE(hoverPersonAnywhere(player, i)) << "person " << i << " not under the mouse";
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_EQ(SelectedIndex, static_cast<std::uint16_t>(i));
    }

    // A fire fighter carrying a casualty out of a house: in by the door, the casualty taken up
    // where it lies inside, out again and laid down on the ground at the spot given, moved on a
    // little where there is no room or no way to it.
    struct CarryOut {
        std::int16_t carrier;
        std::int16_t casualty;
        int house;
        PixelPos layDown;
        int step = 0;
    };
    static constexpr int kCarriedOut = 5;
    // The carry moves on by a step where it can.
    void stepCarryOut(ScriptedPlayer& player, CarryOut& f) {
        const std::int16_t carrier = f.carrier;
        const std::int16_t c = f.casualty;
        const auto layDownAt = [&] {
            clickWorldAt(player, static_cast<float>(f.layDown.x), static_cast<float>(f.layDown.y));
        };
        switch (f.step) {
            case 0:
                if (P(carrier).offMap != 0 || P(carrier).orders != nullptr) return;
                slowDown(player);
                toTheDoor(player, carrier, f.house);
                f.step = 1;
                return;
            case 1:
                if (!inside(carrier, f.house)) return;
                slowDown(player);
                choosePerson(player, carrier);
                if (::testing::Test::HasFatalFailure()) return;
                // Hidden behind someone passing: pointed at once it shows again.
                if (!hoverPersonAnywhere(player, c)) return;
                EXPECT_TRUE(player.shot(shotPrefix + "-carry-" + std::to_string(c)));
                player.click(MouseX, MouseY);
                play(player, 1);
                f.step = 2;
                return;
            case 2:
                if (P(carrier).orders != nullptr) return;
                if (P(carrier).link != static_cast<std::uint16_t>(c)) {
                    f.step = 1;
                    return;
                }
                choosePerson(player, carrier);
                if (::testing::Test::HasFatalFailure()) return;
                layDownAt();
                f.step = 3;
                return;
            case 3:
                if (P(carrier).orders != nullptr) return;
                if (P(carrier).house != 0xFFFF) {
                    // Stopped inside, the way to that spot refused: a spot a little further on.
                    f.layDown.y += 30;
                    choosePerson(player, carrier);
                    if (::testing::Test::HasFatalFailure()) return;
                    layDownAt();
                    return;
                }
                selectPerson(player, carrier);
                command(player, kCmdPutDown);
                f.step = 4;
                return;
            case 4:
                if (P(carrier).orders != nullptr) return;
                if (P(c).offMap == 0) {
                    f.step = kCarriedOut;
                    return;
                }
                // No room to lay it down here: a few steps on.
                f.layDown.y += 30;
                selectPerson(player, carrier);
                layDownAt();
                f.step = 3;
                return;
            default:
                return;
        }
    }

    // The kept frames' names begin with it; a test playing more than one game names each.
    std::string shotPrefix = "play";
    std::uint32_t lastMode = 0;
    play::OwnMemoryPeak memory;
    long framesPlayed = 0;
    bool pendingShot = false;
    int shots = 0;
};

}  // namespace kv::test
