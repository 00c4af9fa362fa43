// Mission 1 on the sample data with a row of its own hooks: overlapping persons and vehicles, a
// selected vehicle, a cannon and a hose spraying, and a furnished house. The draw list holds them
// in depth order; the world drawing draws it every frame, and the hover record names the unit
// under the mouse.

#include <gtest/gtest.h>

#include <set>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_hooks.h"
#include "mission/mission_fixture.h"
#include "mission/view/draw_fixture.h"
#include "mission/view/draw_list.h"
#include "persons/personen.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/furniture.h"
#include "world/houses.h"
#include "world/schlauch_strahl.h"
#include "world/wasser_strahl.h"

namespace kv {
namespace {

// What the row adds, by index once the mission runs.
struct Scene {
    std::int16_t back = -1;  // two persons, the front one a little lower and to the right
    std::int16_t front = -1;
    std::int16_t hoseman = -1;
    std::int16_t selected = -1;  // a vehicle, overlapped by the cannon's
    std::int16_t cannon = -1;
    bool spraying = false;
};
Scene g_scene;
MissionHooks g_missionOne;

std::int16_t AddPerson(int type, float x, float y, int direction) {
    const std::int16_t i = FindFreePerson();
    Person& p = Personen[static_cast<std::size_t>(i)];
    p.type = static_cast<std::int8_t>(type);
    p.x = x;
    p.y = y;
    p.direction = static_cast<std::int8_t>(direction);
    ResetPerson(i);
    UpdatePersonDrawPos(p);
    return i;
}

void InitHouses() {
    HouseCount = 1;
    InitHouseList();
    AddHouse(3, 24, 13, 0, 0, 0);
}

void InitPersonen() {
    g_missionOne.InitPersonen();
    g_scene.back = AddPerson(1, 960, 380, 3);
    g_scene.front = AddPerson(2, 963, 386, 4);
    g_scene.hoseman = AddPerson(1, 1060, 470, 9);
    Personen[static_cast<std::size_t>(g_scene.hoseman)].attachment.makeJet().splash = -1;
}

void InitFahrzeuge() {
    g_missionOne.InitFahrzeuge();
    LoadFahrzeugTyp(kTypF101);
    LoadFahrzeugTyp(kTypF104);
    g_scene.selected = CreateFahrzeug(kTypF101, 760, 420, 2);
    g_scene.cannon = CreateFahrzeug(kTypF104, 820, 440, 3);
}

// The jets start once the vehicles are set up, on the first tick.
void UpdateMission() {
    if (g_scene.spraying) return;
    g_scene.spraying = true;
    Fahrzeuge[static_cast<std::size_t>(g_scene.selected)].selected = 1;
    StartWasserStrahl(g_scene.cannon, 900, 330, 0, kKeepFloor);
    StartSchlauchStrahl(g_scene.hoseman, 990, 430, 0, -1);
}

class DrawListGameTest : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        g_scene = Scene{};
    }
    static bool Entered(std::uint16_t id) {
        for (int i = 0; i < DrawListCount; ++i)
            if (DrawList[static_cast<std::size_t>(i)].id == id) return true;
        return false;
    }
};

TEST_F(DrawListGameTest, TheDrawListOfAPlayedFrameIsDrawnInDepthOrderAndPicksTheUnitInFront) {
    test::ScriptedPlayer player(backend);
    useSampleData(false);
    openGame();
    g_missionOne = MissionHookRows[0];
    MissionHookRows[0].InitHouses = InitHouses;
    MissionHookRows[0].InitPersonen = InitPersonen;
    MissionHookRows[0].InitFahrzeuge = InitFahrzeuge;
    MissionHookRows[0].UpdateMission = UpdateMission;
    player.click(400, 300);
    player.frames(1);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    player.frames(8);

    // Everything the row added is in the list, in sort order.
    ASSERT_TRUE(g_scene.spraying);
    for (const std::int16_t p : {g_scene.back, g_scene.front, g_scene.hoseman})
        EXPECT_TRUE(Entered(static_cast<std::uint16_t>(kDrawPerson + p))) << "person " << p;
    for (const std::int16_t v : {g_scene.selected, g_scene.cannon})
        EXPECT_TRUE(Entered(static_cast<std::uint16_t>(kDrawFahrzeug + v))) << "vehicle " << v;
    EXPECT_TRUE(Entered(static_cast<std::uint16_t>(kDrawFahrzeugFrame + g_scene.selected)));
    EXPECT_TRUE(Entered(static_cast<std::uint16_t>(kDrawFahrzeugJet + g_scene.cannon)));
    EXPECT_TRUE(Entered(static_cast<std::uint16_t>(kDrawPersonJet + g_scene.hoseman)));
    ASSERT_GT(HouseObjCount, 0);
    std::set<int> furniture;
    for (int i = 0; i < DrawListCount; ++i) {
        const DrawListThing t = DrawListThingOf(DrawList[static_cast<std::size_t>(i)].id);
        if (t.kind == kDrawHouseObj) furniture.insert(t.index);
        if (i > 0) {
            ASSERT_LE(CompareDrawListEntries(DrawList[static_cast<std::size_t>(i - 1)],
                                             DrawList[static_cast<std::size_t>(i)]),
                      0)
                << i;
        }
    }
    EXPECT_FALSE(furniture.empty()) << "the house's furniture";

    // With the mouse over both persons, the front one is picked.
    const auto over = test::PointsOverBoth(Personen[static_cast<std::size_t>(g_scene.back)],
                                           Personen[static_cast<std::size_t>(g_scene.front)]);
    ASSERT_FALSE(over.empty());
    player.mouse(over[0][0], over[0][1]);
    player.frames(1);
    EXPECT_EQ(HoverKind, kHoverPerson);
    EXPECT_EQ(HoverIds[0], g_scene.front);
    ASSERT_TRUE(player.shot("draw-list"));
}

}  // namespace
}  // namespace kv
