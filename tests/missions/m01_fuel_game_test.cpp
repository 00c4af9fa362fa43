// Mission 1 lost to its trap, as the player loses it: a medic clicked and sent to the badly
// injured casualty beside the leaked fuel before anybody has bound it. The fuel goes up, and the
// failed screen comes only once the explosion has burnt out.

#include <gtest/gtest.h>

#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/random.h"
#include "mission/mission_fixture.h"
#include "movement/unit_type.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "support/scripted_player.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int16_t kBadlyInjured = 0;  // type 35, beside the fuel at (917, 500)
constexpr std::size_t kFuelSlot = 2;

MissionHooks g_missionOne;
std::int16_t g_medic = -1;

// The mission's own persons, and a medic on the road left of the accident, as if it had just
// left its ambulance.
void InitPersonenWithMedic() {
    g_missionOne.InitPersonen();
    g_medic = FindFreePerson();
    PlacePerson(g_medic, kPersonTypMedic, 860, 540, 0);
    ResetPerson(g_medic);
}

using MissionOneFuelGame = test::MissionTest;

// Moves the mouse over the middle of the person's picture and lets two frames find it there.
void HoverOver(test::ScriptedPlayer& player, std::int16_t i) {
    const Person& p = Personen[static_cast<std::size_t>(i)];
    const VffImage* image = UnitFrameImage(PersonAnimSlot(p.type, p.direction, p.anim), p.frame);
    ASSERT_NE(image, nullptr);
    player.mouseWorld(static_cast<float>(p.drawX + image->width / 2),
                      static_cast<float>(p.drawY + image->height / 2));
    player.frames(2);
    ASSERT_EQ(HoverKind, kHoverPerson);
    ASSERT_EQ(HoverIds[0], static_cast<std::uint16_t>(i));
}

TEST_F(MissionOneFuelGame, AMedicSentToTheCasualtyBesideTheUnboundFuelSetsItOff) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player, [](MissionHooks& row) {
        g_missionOne = row;
        row.InitPersonen = InitPersonenWithMedic;
    });
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    // The traffic's cars are drawn at random: the seed fixes them.
    SeedRandom(7);
    ASSERT_GE(g_medic, 0);
    const SonderObj& fuel = SonderObjs[kFuelSlot];
    ASSERT_EQ(fuel.type, 20);

    // The medic is chosen by a click, then sent by a click on the casualty.
    HoverOver(player, g_medic);
    player.click(MouseX, MouseY);
    player.frames(1);
    ASSERT_EQ(SelectedIndex, static_cast<std::uint16_t>(g_medic));
    HoverOver(player, kBadlyInjured);
    player.click(MouseX, MouseY);
    player.frames(1);

    // It walks up to the casualty; the moment its treatment is the head order the fuel goes up.
    ASSERT_TRUE(player.runUntil(
        [&] { return fuel.commands != nullptr && fuel.commands->kind == kCmdExplosion; }, 600))
        << "the medic never reached the casualty";
    const std::uint16_t blast = fuel.commands->a;
    const auto blastType = static_cast<std::int16_t>(fuel.commands->b);
    const SonderObjTyp* typ = SonderObjTypAt(blastType);
    ASSERT_NE(typ, nullptr);
    const int lastFrame = typ->frameCount - 1;
    EXPECT_EQ(SelectedIndex, 0xFFFF) << "the choice is dropped";
    player.frames(2);
    EXPECT_TRUE(player.shot("failed-fuel-blast"));

    // Play goes on while it burns; the failure waits for its last frame.
    int frames = 0;
    while (GameMode == 2 && frames < 200) {
        const SonderObj& b = SonderObjs[blast];
        ASSERT_TRUE(b.type == blastType && b.frame < lastFrame) << "failed before the end";
        player.frames(1);
        ++frames;
    }
    ASSERT_EQ(GameMode, 4u) << FatalErrorMessage();
    EXPECT_EQ(std::string(MessageLine.data()), W("Ausgelaufener Treibstoff ist explodiert!"));
    player.frames(1);
    EXPECT_TRUE(player.shot("failed-fuel"));
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
