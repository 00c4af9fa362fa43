#pragma once
// The steps of a whole game played by clicks and keys, shared by the missions' play-through
// tests: frames checked one by one, a frame kept at each change of screen, the view scrolled to a
// point, units and command slots clicked, staff found at a station.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mouse.h"
#include "core/view.h"
#include "mission/command_slots.h"
#include "movement/unit_type.h"
#include "persons/personen.h"
#include "platform/headless/headless_backend.h"
#include "platform/window.h"
#include "screens/basis_kauf.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"

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

// Mixed into a test fixture that names its backend.
class PlayThroughSteps {
  protected:
    virtual ~PlayThroughSteps() = default;
    virtual HeadlessBackend& playBackend() = 0;

    static Person& P(std::int16_t i) { return Personen[static_cast<std::size_t>(i)]; }
    static Fahrzeug& F(std::int16_t i) { return Fahrzeuge[static_cast<std::size_t>(i)]; }

    // Keeps a frame at each change of screen, as the new screen first draws itself.
    void keepOnChange(test::ScriptedPlayer& player) {
        if (pendingShot) {
            pendingShot = false;
            char name[24];
            std::snprintf(name, sizeof name, "play-%02d", ++shots);
            EXPECT_TRUE(player.shot(name));
        }
        if (GameMode == lastMode) return;
        lastMode = GameMode;
        pendingShot = true;
    }
    // Frames, each checked: no fatal error, no message box.
    void play(test::ScriptedPlayer& player, int n) {
        for (int i = 0; i < n; ++i) {
            player.frames(1);
            ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
            ASSERT_TRUE(playBackend().boxes().empty()) << playBackend().boxes().front().text;
            keepOnChange(player);
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
    // The mouse over the middle of a person's picture, found there by a frame.
    void hoverPerson(test::ScriptedPlayer& player, std::int16_t i) {
        const Person& p = P(i);
        const VffImage* image =
            UnitFrameImage(PersonAnimSlot(p.type, p.direction, p.anim), p.frame);
        ASSERT_NE(image, nullptr);
        centreView(player, p.x, p.y);
        player.mouseWorld(static_cast<float>(p.drawX + image->width / 2),
                          static_cast<float>(p.drawY + image->height / 2));
        play(player, 2);
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
        const Fahrzeug& f = F(v);
        centreView(player, f.x, f.y);
        constexpr float kTries[][2] = {{0, -4}, {20, -4},  {-20, -4}, {0, -20},
                                       {0, 12}, {30, -10}, {-30, -10}};
        for (const auto& d : kTries) {
            player.mouseWorld(f.x + d[0], f.y + d[1]);
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
    // The view scrolled by the arrow keys until the point is well inside it.
    void centreView(test::ScriptedPlayer& player, float x, float y) {
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
    // The command slot showing the command; -1 none.
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

    std::uint32_t lastMode = 0;
    bool pendingShot = false;
    int shots = 0;
};

}  // namespace kv::test
