// Mission 13 on the sample data: its set-up with the held driver, the tank's and drains' script,
// the driver's death with his truck, the click table with its water rows, the callbacks, checks
// and evaluation.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "mission/evaluation.h"
#include "missions/mission_rows.h"
#include "movement/befehl_opcodes.h"
#include "persons/personen.h"
#include "support/order_list.h"
#include "support/sample_mission_test.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int16_t kHeap = 1;
constexpr std::int16_t kTruck = 2;
constexpr std::int16_t kTank = 3;
constexpr std::int16_t kPuddle = 4;

class MissionThirteen : public test::SampleMissionTest {
  protected:
    MissionThirteen() : SampleMissionTest(13, 3) {}

    static void update() { kMissionHooksM13.UpdateMission(); }
    static void check() { kMissionHooksM13.CheckMission(); }
    static std::string message() { return MessageLine.data(); }
    static void at(std::uint32_t tick) {
        TickCounter = tick;
        update();
    }
    static int headKind(std::int16_t slot) {
        return O(slot).commands ? O(slot).commands->kind : -1;
    }
    static std::uint8_t cursorOn(std::int16_t slot) {
        HoverIds = {static_cast<std::uint16_t>(slot), 0, 0, 0};
        CursorId = 0;
        return kMissionHooksM13.CursorOnSonderObj();
    }
    static std::uint8_t clickOn(std::int16_t slot) {
        HoverIds = {static_cast<std::uint16_t>(slot), 0, 0, 0};
        return kMissionHooksM13.ClickOnSonderObj();
    }
    static void selectPerson(std::int16_t i) {
        SelectionMode = static_cast<std::uint16_t>(1000 + P(i).type);
        SelectedIndex = static_cast<std::uint16_t>(i);
    }
    static void selectVehicle(std::int16_t v) {
        SelectionMode = static_cast<std::uint16_t>(Fahrzeuge[static_cast<std::size_t>(v)].type);
        SelectedIndex = static_cast<std::uint16_t>(v);
    }
};

TEST_F(MissionThirteen, SetsUpPeopleTheHeldDriverObjectsAndHouses) {
    const auto persons = std::count_if(Personen.begin(), Personen.end(),
                                       [](const Person& p) { return p.type != -1; });
    EXPECT_EQ(persons, 14) << "11 onlookers, two pedestrians and the driver";
    const Person* driver = UsedPersonAt(O(kTruck).user);
    ASSERT_NE(driver, nullptr);
    EXPECT_EQ(driver->type, 28);
    EXPECT_EQ(driver->offMap, 1);
    EXPECT_EQ(driver->present, 0);
    EXPECT_EQ(driver->energyLoss, 80);
    EXPECT_EQ(O(0).type, -1) << "slot 0 stays empty";
    const std::array<std::int16_t, 10> types = {19, 20, 22, 26, 24, 24, 24, 24, 24, 24};
    for (std::int16_t s = 1; s <= 10; ++s)
        EXPECT_EQ(O(s).type, types[static_cast<std::size_t>(s - 1)]) << s;
    const auto hydrants = std::count_if(SonderObjs.begin(), SonderObjs.end(),
                                        [](const SonderObj& o) { return o.type == kSobjHydrant; });
    EXPECT_EQ(hydrants, 8);
    const auto houses =
        std::count_if(Houses.begin(), Houses.end(), [](const House& h) { return h.type != -1; });
    EXPECT_EQ(houses, 19);
}

TEST_F(MissionThirteen, TheTankGoesAt4800AndTheDrainsOneByOneFrom5050) {
    at(4799);
    EXPECT_EQ(headKind(kTank), -1);
    at(4800);
    EXPECT_EQ(headKind(kTank), 0);
    // A drain whose frame is not 0 at its turn is spared; the others go in slot order, each as a
    // great fire.
    O(7).frame = 1;
    for (std::uint32_t t = 5000; t < 5300; ++t) {
        at(t);
        for (std::int16_t s = 5; s <= 10; ++s) {
            const bool due = t >= 5000 + 10u * static_cast<std::uint32_t>(s) && s != 7;
            EXPECT_EQ(headKind(s) != -1, due) << "tick " << t << " slot " << s;
        }
        if (t == 5100) break;
    }
    EXPECT_EQ(headKind(5), 1);
    EXPECT_EQ(headKind(7), -1);
    EXPECT_EQ(headKind(0), -1);
    EXPECT_EQ(headKind(kHeap), -1);

    // A trailer already burnt to its cold wreck does not blow up a second time.
    restart();
    O(kTank).type = 23;
    at(4800);
    EXPECT_EQ(headKind(kTank), -1);
}

TEST_F(MissionThirteen, TheDriverDiesWithHisTruckCountedOnce) {
    const std::int16_t driver = O(kTruck).user;
    update();
    EXPECT_NE(UsedPersonAt(driver), nullptr);
    O(kTruck).type = 21;
    update();
    EXPECT_EQ(UsedPersonAt(driver), nullptr);
    EXPECT_EQ(O(kTruck).user, -1);
    EXPECT_EQ(ToteCount, 1u);
    update();
    EXPECT_EQ(ToteCount, 1u);
    check();
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(message(), "Verletzter gestorben!");

    // One who bled to death in the cab was counted then.
    restart();
    const std::int16_t bled = O(kTruck).user;
    P(bled).energy = 0;
    ToteCount = 1;
    O(kTruck).type = 21;
    update();
    EXPECT_EQ(UsedPersonAt(bled), nullptr);
    EXPECT_EQ(ToteCount, 1u);
}

TEST_F(MissionThirteen, EveryClickRowGivesItsQueueAndTheCursorShowsIt) {
    using test::Order;
    // The cutter: below the truck, left of its middle, facing up.
    const std::int16_t cutter = staff(9, 700, 900);
    selectPerson(cutter);
    const int w = SonderObjTypAt(20)->frames[0].width;
    const int cx = 805 + w / 2 - 10;
    const int cy = 820 + 67 + 7;
    EXPECT_EQ(cursorOn(kTruck), 1);
    EXPECT_EQ(CursorId, kCursorRescue);
    ASSERT_EQ(clickOn(kTruck), 1);
    EXPECT_EQ(test::Orders(P(cutter)), (std::vector<Order>{{kOpMove, cx, cy, 0, 0, 0},
                                                           {kOpTurn, cx, cy, 1, 0, 1},
                                                           {kOpWorkAtSonderObj, 2, 20, 10, 1, 5}}));
    EXPECT_EQ(cursorOn(kTank), 0) << "a cutter has nothing to do at the tank";
    O(kTruck).frame = 1;
    EXPECT_EQ(cursorOn(kTruck), 0) << "the driver is out";
    EXPECT_EQ(clickOn(kTruck), 0);

    // The extinguisher smothers the puddle from either end.
    const std::int16_t ext = staff(8, 700, 1000);
    selectPerson(ext);
    EXPECT_EQ(cursorOn(kPuddle), 1);
    ASSERT_EQ(clickOn(kPuddle), 1);
    const std::vector<Order> puddle = {{kOpGoals, 0, 2, 0, 0, 0},
                                       {kOpWorkThenRemove, kPuddle, 26, 999, 0, 1}};
    EXPECT_EQ(test::Orders(P(ext)), puddle);
    const GoalList& g = P(ext).orders->goals;
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0].x, 827.0f);
    EXPECT_EQ(g[0].y, 965.0f);
    EXPECT_EQ(g[0].facing, 2);
    EXPECT_EQ(g[1].x, 912.0f);
    EXPECT_EQ(g[1].facing, 10);
    EXPECT_EQ(cursorOn(kHeap), 0);

    // The loader drives to the heap's right side, faces west and pushes it to x 850.
    const std::int16_t loader = vehicle(kTypF114, 1300, 963);
    selectVehicle(loader);
    const Fahrzeug& l = Fahrzeuge[static_cast<std::size_t>(loader)];
    const int lx = 1010 + 51 + FahrzeugTypOf(l).extent[2] / 2 + 2;
    const int ly = 945 + 10 + (27 - 10) / 2;
    EXPECT_EQ(cursorOn(kHeap), 1);
    ASSERT_EQ(clickOn(kHeap), 1);
    EXPECT_EQ(test::Orders(l), (std::vector<Order>{{kOpMove, lx, ly, 0, 0, 0},
                                                   {kOpWait, 1, 0, 0, 0, 1},
                                                   {kOpTurn, lx, ly, 9, 0, 1},
                                                   {kOpPushSonderObj, kHeap, 850, 10, 0, 1}}));
}

TEST_F(MissionThirteen, WaterOnTruckAndTankInAndOutOfRange) {
    using test::Order;
    ViewOrigin = {425, 660};
    MouseX = 420;
    MouseY = 330;  // (845, 990), on the tank
    const std::int16_t near = vehicle(kTypF104, 1000, 1100);
    const std::int16_t far = vehicle(kTypF104, 200, 221);
    selectVehicle(near);
    EXPECT_EQ(cursorOn(kTank), 1);
    EXPECT_EQ(CursorId, kCursorWater);
    ASSERT_EQ(clickOn(kTank), 1);
    EXPECT_EQ(test::Orders(Fahrzeuge[static_cast<std::size_t>(near)]),
              (std::vector<Order>{{kOpCannonAtObject, 845, 990, kTank, 0, 0}}));
    selectVehicle(far);
    EXPECT_EQ(cursorOn(kTruck), 1);
    EXPECT_EQ(CursorId, kCursorWater);
    ASSERT_EQ(clickOn(kTruck), 1);
    EXPECT_EQ(test::Orders(Fahrzeuge[static_cast<std::size_t>(far)]),
              (std::vector<Order>{{kOpRouteLeg, 845, 990, 0, 0, 0},
                                  {kOpCannonAtObject, 845, 990, kTruck, 0, 1}}));
    // No vehicle behind the selection: the cursor may show, the click is not taken.
    RemoveFahrzeug(far, kRemoveDrivenOff);
    EXPECT_EQ(cursorOn(kTruck), 1);
    EXPECT_EQ(clickOn(kTruck), 0);
    const std::int16_t crane = vehicle(kTypF110, 1000, 1100);
    selectVehicle(crane);
    EXPECT_EQ(cursorOn(kTank), 0);
    EXPECT_EQ(clickOn(kTank), 0);
}

TEST_F(MissionThirteen, TheCallbacksFreeTheDriverAndBuryThePuddle) {
    const std::int16_t driver = O(kTruck).user;
    MissionNummer = 12;
    OnBefehlDone05M13(kTruck, 0);
    OnBefehlDone10M13(kHeap, 0);
    MissionNummer = 13;
    EXPECT_EQ(O(kTruck).frame, 0) << "nothing outside its mission";
    EXPECT_EQ(O(kHeap).type, 19);
    OnBefehlDone05M13(kTruck, 0);
    EXPECT_EQ(O(kTruck).frame, 1);
    EXPECT_EQ(O(kTruck).user, -1);
    const Person& p = P(driver);
    EXPECT_EQ(p.offMap, 0);
    EXPECT_EQ(p.present, 1);
    // From x - 10 + (101 - 6) / 2 and y + 10 + (67 - 40) / 2, pushed free from there.
    EXPECT_NEAR(p.x, 805.0f - 10 + 47, 24.0f);
    EXPECT_NEAR(p.y, 820.0f + 10 + 13, 40.0f);

    OnBefehlDone10M13(kHeap, 0);
    EXPECT_EQ(O(kHeap).type, -1);
    EXPECT_EQ(O(kPuddle).type, -1);
    // A puddle put out before: the heap goes alone, and what took the slot since stays.
    restart();
    FreeSonderObjSlot(kPuddle);
    CreateSonderObj(kPuddle, 19, 500, 500, 0, 15, 0, 0.0f, 0);
    OnBefehlDone10M13(kHeap, 0);
    EXPECT_EQ(O(kHeap).type, -1);
    EXPECT_EQ(O(kPuddle).type, 19);
}

TEST_F(MissionThirteen, WonWithNobodyToRescueAndNothingBurning) {
    for (std::size_t i = 0; i < Personen.size(); ++i)
        if (Personen[i].type != -1 && Personen[i].casualty != 0)
            DeletePerson(static_cast<std::int32_t>(i));
    BurningCellCount = 1;
    check();
    EXPECT_EQ(GameMode, 2u);
    BurningCellCount = 0;
    BurningHouseCount = 1;
    check();
    EXPECT_EQ(GameMode, 2u);
    BurningHouseCount = 0;
    check();
    EXPECT_EQ(GameMode, 5u);
}

TEST_F(MissionThirteen, Evaluation) {
    TickCounter = 18000;
    Money = 5000;
    kMissionHooksM13.EvaluateMission();
    EXPECT_EQ(ResultLines[0].percent, 100);
    EXPECT_EQ(ResultLines[1].percent, 50);
    EXPECT_EQ(ResultLines[2].percent, 100);
    EXPECT_EQ(EvaluationEfficiency, 75);
    EXPECT_EQ(EvaluationPoints, 583);
}

}  // namespace
}  // namespace kv
