// Mission 12 on the sample data: its set-up with the held passenger, the wreckage's click table,
// order 197 and the cut's callback, its checks and its evaluation.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/befehl_callbacks.h"
#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "mission/evaluation.h"
#include "missions/mission_rows.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_befehle.h"
#include "persons/personen.h"
#include "support/order_list.h"
#include "support/sample_mission_test.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int16_t kCar = 0;
constexpr std::int16_t kBeam = 1;
constexpr std::int16_t kUpright = 2;
constexpr std::int16_t kGrid = 3;

class MissionTwelve : public test::SampleMissionTest {
  protected:
    MissionTwelve() : SampleMissionTest(12, 3) {}

    static std::string message() { return MessageLine.data(); }
    static std::int16_t passenger() { return O(kCar).user; }
    // A fire-fighter of the type standing below the wreckage, selected.
    static std::int16_t select(std::int8_t type) {
        const std::int16_t i = staff(type, 1100, 1240);
        SelectionMode = static_cast<std::uint16_t>(1000 + type);
        SelectedIndex = static_cast<std::uint16_t>(i);
        return i;
    }
    static std::uint8_t cursorOn(std::int16_t slot) {
        HoverIds = {static_cast<std::uint16_t>(slot), 0, 0, 0};
        CursorId = 0;
        return kMissionHooksM12.CursorOnSonderObj();
    }
    static std::uint8_t clickOn(std::int16_t slot) {
        HoverIds = {static_cast<std::uint16_t>(slot), 0, 0, 0};
        return kMissionHooksM12.ClickOnSonderObj();
    }
    static void remove(std::int16_t slot) { FreeSonderObjSlot(slot); }
};

TEST_F(MissionTwelve, SetsUpTheCrowdTheHurtTheHeldPassengerAndTheWreckage) {
    const auto persons = std::count_if(Personen.begin(), Personen.end(),
                                       [](const Person& p) { return p.type != -1; });
    EXPECT_EQ(persons, 21) << "17 onlookers, three casualties and the passenger";
    const Person* held = UsedPersonAt(passenger());
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->type, 27);
    EXPECT_EQ(held->offMap, 1);
    EXPECT_EQ(held->present, 0);
    EXPECT_EQ(held->energy, 299999);
    const auto cars = std::count_if(Fahrzeuge.begin(), Fahrzeuge.end(),
                                    [](const Fahrzeug& v) { return v.type != -1; });
    EXPECT_EQ(cars, 17);
    const std::array<std::int16_t, 4> types = {19, 20, 21, 22};
    const std::array<float, 4> heights = {43.0f, 74.0f, 39.0f, 70.0f};
    for (std::int16_t s = 0; s < 4; ++s) {
        EXPECT_EQ(O(s).type, types[static_cast<std::size_t>(s)]) << s;
        EXPECT_EQ(O(s).z, heights[static_cast<std::size_t>(s)]) << s;
        EXPECT_EQ(O(s).depthLayer, 2) << s;
        EXPECT_EQ(O(s).blockMask, 0) << s;
    }
}

TEST_F(MissionTwelve, EveryRowOfTheClickTableGivesItsQueueAndTheCursorShowsIt) {
    using test::Order;
    struct Case {
        const char* name;
        std::int8_t type;
        std::vector<std::int16_t> removed;
        std::int16_t slot;
        std::vector<Order> queue;  // empty: no cursor and no orders
    };
    const Order clearBeam = {kOpRemoveSonderObj, kBeam, 0, 0, 0, 1};
    const Order clearGrid = {kOpRemoveSonderObj, kGrid, 0, 0, 0, 1};
    const Order goals = {kOpGoals, 0, 2, 0, 0, 0};
    const std::vector<Case> cases = {
        {"beam", 1, {}, kBeam, {goals, clearBeam, clearGrid}},
        {"grid", 3, {}, kGrid, {goals, clearBeam, clearGrid}},
        {"grid alone left", 2, {kBeam}, kGrid, {goals, clearGrid}},
        {"upright",
         1,
         {},
         kUpright,
         {{kOpMove, 998, 1185, 0, 0, 0},
          {kOpTurn, 998, 1185, 1, 0, 1},
          {197, kUpright, 0, 0, 0, 1}}},
        {"car",
         9,
         {kBeam, kUpright, kGrid},
         kCar,
         {{kOpMove, 980, 1185, 0, 0, 0},
          {kOpTurn, 980, 1185, 1, 0, 1},
          {kOpWorkAtSonderObj, kCar, 19, 10, 4, 9}}},
        {"car while a beam stands", 9, {kBeam, kGrid}, kCar, {}},
        {"car with bare hands", 1, {kBeam, kUpright, kGrid}, kCar, {}},
        {"beam with a cutter", 9, {}, kBeam, {}},
    };
    for (const Case& c : cases) {
        restart();
        for (const std::int16_t s : c.removed) remove(s);
        const std::int16_t i = select(c.type);
        EXPECT_EQ(cursorOn(c.slot), c.queue.empty() ? 0 : 1) << c.name;
        EXPECT_EQ(CursorId, c.queue.empty() ? 0 : kCursorRescue) << c.name;
        EXPECT_EQ(clickOn(c.slot), c.queue.empty() ? 0 : 1) << c.name;
        EXPECT_EQ(test::Orders(P(i)), c.queue) << c.name;
        if (!c.queue.empty() && c.queue[0][0] == kOpGoals) {
            const GoalList& g = P(i).orders->goals;
            ASSERT_EQ(g.size(), 2u) << c.name;
            EXPECT_EQ(g[0].x, 950.0f);
            EXPECT_EQ(g[1].x, 998.0f);
            EXPECT_EQ(g[0].y, 1185.0f);
            EXPECT_EQ(g[1].facing, 1);
        }
    }
    restart();
    EXPECT_EQ(cursorOn(kBeam), 0) << "nobody selected";
    const std::int16_t i = select(1);
    remove(kBeam);
    EXPECT_EQ(cursorOn(kBeam), 0) << "a removed piece";
    EXPECT_EQ(clickOn(kBeam), 0);
    EXPECT_EQ(cursorOn(99), 0);
    EXPECT_TRUE(test::Orders(P(i)).empty());
}

TEST_F(MissionTwelve, TheUprightComesAwayOnlyAfterBeamAndGridElseTheWreckageKills) {
    const auto give197 = [](std::int16_t i) {
        ClearBefehle(P(i));
        AppendBefehl(P(i), kOpTakeUpright, kUpright, 0, 0, 0, 1);
        ExecutePersonBefehl(i);
    };
    remove(kBeam);
    remove(kGrid);
    std::int16_t i = select(1);
    give197(i);
    EXPECT_EQ(O(kUpright).type, -1);
    EXPECT_EQ(P(i).orders, nullptr);
    EXPECT_EQ(ToteCount, 0u);

    restart();
    remove(kBeam);
    i = select(1);
    give197(i);
    EXPECT_EQ(O(kUpright).type, 21) << "stays";
    for (const std::int16_t s : {kUpright, kGrid}) EXPECT_EQ(O(s).z, 0.0f) << s;
    EXPECT_EQ(O(kCar).z, 43.0f);
    EXPECT_EQ(P(i).casualty, 1);
    EXPECT_EQ(ToteCount, 1u);
    EXPECT_EQ(P(i).orders, nullptr);
    kMissionHooksM12.CheckMission();
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(message(), "Verletzter gestorben!");

    // Elsewhere the order only empties the queue.
    restart();
    i = select(1);
    MissionNummer = 8;
    give197(i);
    MissionNummer = 12;
    EXPECT_EQ(O(kUpright).type, 21);
    EXPECT_EQ(P(i).orders, nullptr);
    EXPECT_EQ(ToteCount, 0u);
}

TEST_F(MissionTwelve, TheCutEmptiesTheCarAndLaysThePassengerBelowIt) {
    const std::int16_t held = passenger();
    MissionNummer = 8;
    OnBefehlDone09M12(kCar, 0);
    MissionNummer = 12;
    EXPECT_EQ(O(kCar).type, 19) << "nothing outside its mission";
    OnBefehlDone09M12(kCar, 0);
    EXPECT_EQ(O(kCar).type, 18);
    EXPECT_EQ(O(kCar).user, -1);
    const Person& p = P(held);
    EXPECT_EQ(p.offMap, 0);
    EXPECT_EQ(p.present, 1);
    // Below the car's box: x + (47 - 4) / 2, y + 27, pushed free from there.
    EXPECT_NEAR(p.x, 966.0f + 21.0f, 24.0f);
    EXPECT_NEAR(p.y, 1174.0f + 27.0f, 24.0f);
    const float x = p.x;
    OnBefehlDone09M12(kCar, 0);
    EXPECT_EQ(p.x, x) << "once";
}

TEST_F(MissionTwelve, WonOnceNobodyIsLeftToRescue) {
    kMissionHooksM12.CheckMission();
    EXPECT_EQ(GameMode, 2u);
    for (std::size_t i = 0; i < Personen.size(); ++i)
        if (Personen[i].type != -1 && Personen[i].casualty != 0)
            DeletePerson(static_cast<std::int32_t>(i));
    kMissionHooksM12.CheckMission();
    EXPECT_EQ(GameMode, 5u);
}

TEST_F(MissionTwelve, Evaluation) {
    TickCounter = 6000;
    Money = 4000;
    kMissionHooksM12.EvaluateMission();
    EXPECT_EQ(ResultLines[0].percent, 100);
    EXPECT_EQ(ResultLines[1].percent, 100);
    EXPECT_EQ(EvaluationPoints, 785);
    TickCounter = 18000;
    Money = 2000;
    kMissionHooksM12.EvaluateMission();
    EXPECT_EQ(ResultLines[0].percent, 50);
    EXPECT_EQ(ResultLines[1].percent, 50);
    EXPECT_EQ(EvaluationEfficiency, 50);
}

}  // namespace
}  // namespace kv
