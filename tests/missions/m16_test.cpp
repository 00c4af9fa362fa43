// Mission 16 on the sample data: its set-up with the held pair and the three lanes, what a car at
// speed does to what it runs into, the coach's fire stages and the burnt passenger, the cut-free
// callbacks, the cursor and click table, the checks and the evaluation.

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
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "mission/evaluation.h"
#include "mission/scroll_view.h"
#include "missions/approach_points.h"
#include "missions/mission_rows.h"
#include "missions/motorway.h"
#include "movement/befehl_opcodes.h"
#include "movement/collision.h"
#include "movement/traffic_paths.h"
#include "persons/person_injury.h"
#include "persons/personen.h"
#include "support/order_list.h"
#include "support/sample_mission_test.h"
#include "support/sound_log.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int16_t kWreck = 0;
constexpr std::int16_t kCoach = 1;
constexpr std::int16_t kMarker = 2;
constexpr std::int16_t kSign = 3;
constexpr int kStrikeSound = kFirstMissionSound;
constexpr int kFireSound = kFirstMissionSound + 1;

class MissionSixteen : public test::SampleMissionTest {
  protected:
    MissionSixteen() : SampleMissionTest(16, 5) {}

    static void update() { kMissionHooksM16.UpdateMission(); }
    static void check() { kMissionHooksM16.CheckMission(); }
    static std::string message() { return MessageLine.data(); }
    static void at(std::uint32_t tick) {
        TickCounter = tick;
        update();
    }
    static std::uint8_t cursorOn(std::int16_t slot) {
        HoverIds = {static_cast<std::uint16_t>(slot), 0, 0, 0};
        CursorId = 0;
        return kMissionHooksM16.CursorOnSonderObj();
    }
    static std::uint8_t clickOn(std::int16_t slot) {
        HoverIds = {static_cast<std::uint16_t>(slot), 0, 0, 0};
        return kMissionHooksM16.ClickOnSonderObj();
    }
    static void selectPerson(std::int16_t i) {
        SelectionMode = static_cast<std::uint16_t>(1000 + P(i).type);
        SelectedIndex = static_cast<std::uint16_t>(i);
    }
    static void selectVehicle(std::int16_t v) {
        SelectionMode = static_cast<std::uint16_t>(F(v).type);
        SelectedIndex = static_cast<std::uint16_t>(v);
    }
    static Fahrzeug& F(std::int32_t v) { return Fahrzeuge[static_cast<std::size_t>(v)]; }
    // A car of the lane towards the scene, driving east on it.
    static std::int16_t laneCar(std::int16_t x, float speed) {
        const std::int16_t car = vehicle(kTypZF01, x, 535);
        F(car).link = kSignedRoute;
        ZFWege[kSignedRoute].speed = speed;
        return car;
    }
    static bool burningOut(std::int16_t v) {
        return F(v).type != -1 && F(v).orders != nullptr && F(v).orders->opcode == kOpBurnOut;
    }
    static bool exploding(std::int16_t slot) {
        return O(slot).commands != nullptr && O(slot).commands->kind == kCmdExplosion;
    }
    static std::int16_t casualties() {
        return static_cast<std::int16_t>(
            std::count_if(Personen.begin(), Personen.end(),
                          [](const Person& p) { return p.type != -1 && p.casualty != 0; }));
    }
};

TEST_F(MissionSixteen, SetsUpTheHeldPairTheVergeTheObjectsAndThreeLanes) {
    EXPECT_EQ(casualties(), 11);
    for (const std::int16_t slot : {kWreck, kCoach}) {
        const Person* held = UsedPersonAt(O(slot).user);
        ASSERT_NE(held, nullptr) << slot;
        EXPECT_EQ(held->offMap, 1);
        EXPECT_EQ(held->present, 0) << "absent, so no ground object lies at (0, 0)";
    }
    EXPECT_EQ(P(O(kWreck).user).type, 28);
    EXPECT_EQ(P(O(kCoach).user).energyLoss, 25);
    EXPECT_EQ(O(kWreck).type, 18);
    EXPECT_EQ(O(kCoach).type, 19);
    EXPECT_EQ(O(kCoach).burning, 1);
    EXPECT_EQ(BurningSonderObjCount, 1);
    EXPECT_EQ(O(kMarker).type, 23);
    EXPECT_EQ(O(kMarker).visible, 0);
    EXPECT_EQ(O(kMarker).blockMask, 0);
    EXPECT_EQ(O(kSign).type, 27);
    EXPECT_EQ(O(kSign).frame, 0);

    // R = 32 x 117 - 16 x 40; the far end of the lanes is 32 columns more, and 100.
    EXPECT_EQ(HomeView.x, 3104 - 640);
    EXPECT_EQ(HomeView.y, 28 * 39 - 480);
    EXPECT_EQ(RoadEntry.x, 3204);
    EXPECT_EQ(RoadExit.x, 3254);
    EXPECT_EQ(MotorwayFarX(), 3236);
    ASSERT_EQ(ZFWegCount, 3);
    const std::array<float, 3> speeds = {22.0f, 15.0f, 15.0f};
    const std::array<std::int32_t, 3> ys = {320, 242, 535};
    const std::array<std::size_t, 3> types = {12, 16, 11};
    for (std::size_t r = 0; r < 3; ++r) {
        EXPECT_EQ(ZFWege[r].speed, speeds[r]) << r;
        EXPECT_EQ(ZFWege[r].startY, ys[r]);
        EXPECT_EQ(ZFWege[r].typeCount, types[r]);
    }
    EXPECT_EQ(ZFWege[0].startX, 3236);
    EXPECT_EQ(ZFWege[0].targetX, -100);
    EXPECT_EQ(ZFWege[2].startX, -100);
    EXPECT_EQ(ZFWege[2].targetX, 3236);
    EXPECT_EQ(ZFWege[2].interval, 480);
    EXPECT_EQ(ZFWege[1].types[6], kTypSF02);
    EXPECT_EQ(ZFWege[1].percents[15], 10);
}

// What the play needs of the level: the sign's standing points on the grass of the verge, and the
// crane's point below the wreck clear of the lane's cars.
TEST_F(MissionSixteen, TheSceneFitsThePlay) {
    const auto terrainAt = [](float x, float y) {
        const CellPos c = CellFromPixel(TruncInt(x), TruncInt(y));
        return MapCells[static_cast<std::size_t>(CellIndex(c.column, c.row))].terrain;
    };
    const std::uint8_t grass = terrainAt(500, 700);
    const std::int16_t police = staff(0, 500, 700);
    TrafficSignOrders(police, kSign);
    ASSERT_NE(P(police).orders, nullptr);
    for (const GoalPoint& g : P(police).orders->goals)
        EXPECT_EQ(terrainAt(g.x, g.y), grass) << g.x << ", " << g.y;
    const std::int16_t crane = vehicle(kTypF110, 2700, 882);
    const GoalList points = ApproachPoints(kWreck, F(crane));
    const auto south = std::find_if(points.begin(), points.end(),
                                    [](const GoalPoint& g) { return g.facing == 7; });
    ASSERT_NE(south, points.end());
    EXPECT_GT(south->y, 385.0f + static_cast<float>(SonderObjTypAt(18)->boxY1));
    EXPECT_LT(south->y, 520.0f);
}

// What a car meets and what comes of it; every row on a fresh mission.
struct StrikeCase {
    const char* what;
    float laneSpeed;
    std::uint8_t lookAhead;
    std::uint8_t result;
    int dead;       // ToteCount afterwards
    bool explodes;  // the car is burning out
    bool struck;    // sound 82 was played
};

TEST_F(MissionSixteen, WhatACarDoesToWhatItRunsInto) {
    test::FillSoundSlotsWithTones();
    SoundOn = 1;
    enum Blocker {
        Civilian,
        Player,
        Casualty,
        DeadBody,
        LoneP01,
        P01OnCar,
        P02,
        WreckTrapped,
        WreckFree,
        Sign
    };
    struct Row {
        Blocker blocker;
        StrikeCase c;
    };
    const std::vector<Row> rows = {
        {Civilian, {"slow lane", 4.0f, 0, 1, 0, false, false}},
        {Casualty, {"slow lane, casualty", 4.0f, 0, 1, 0, false, false}},
        {WreckTrapped, {"slow lane, wreck", 4.0f, 0, 1, 0, false, false}},
        {Civilian, {"ahead, civilian car", 15.0f, 3, 1, 0, false, false}},
        {Player, {"ahead, player vehicle", 15.0f, 3, 0, 0, false, false}},
        {Casualty, {"ahead, casualty", 15.0f, 3, 0, 0, false, false}},
        {Civilian, {"civilian car", 15.0f, 0, 0, 0, true, false}},
        {Player, {"player vehicle", 15.0f, 0, 0, 0, true, false}},
        {Casualty, {"casualty", 15.0f, 0, 0, 1, false, true}},
        {DeadBody, {"a body already lying there", 15.0f, 0, 0, 1, false, false}},
        {LoneP01, {"P01 clear of the car", 15.0f, 0, 0, 0, false, false}},
        {P01OnCar, {"P01 under the car", 15.0f, 0, 0, 1, false, true}},
        {P02, {"P02", 15.0f, 0, 0, 1, false, true}},
        {WreckTrapped, {"wreck, driver inside", 15.0f, 0, 0, 1, true, false}},
        {WreckFree, {"wreck, driver out", 15.0f, 0, 0, 0, true, false}},
        {Sign, {"another object", 15.0f, 0, 1, 0, false, false}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.c.what);
        restart();
        const std::int16_t car = laneCar(1000, row.c.laneSpeed);
        std::uint8_t kind = kHitPerson;
        std::uint16_t index = 0;
        std::int16_t other = -1;
        std::int16_t person = -1;
        std::int16_t driver = O(kWreck).user;
        switch (row.blocker) {
            case Civilian:
                other = vehicle(kTypZF01 + 1, 1100, 535);
                kind = kHitFahrzeug;
                break;
            case Player:
                other = vehicle(kTypF104, 1100, 535);
                kind = kHitFahrzeug;
                break;
            case Casualty:
            case DeadBody:
                person = CreateVerletzter(27, 1080, 535, 0, 3, 500000, 10, 300, 0);
                if (row.blocker == DeadBody) {
                    P(person).energy = 0;
                    ToteCount = 1;
                }
                break;
            case LoneP01:
                person = staff(0, 1400, 600);
                break;
            case P01OnCar:
                person = staff(0, 1000, 535);
                break;
            case P02:
                person = staff(9, 1400, 600);
                break;
            case WreckTrapped:
            case WreckFree:
                kind = kHitSonderObj;
                index = kWreck;
                if (row.blocker == WreckFree) OnBefehlDone07M16(kWreck, 0);
                break;
            case Sign:
                kind = kHitSonderObj;
                index = kSign;
                break;
        }
        if (other >= 0) index = static_cast<std::uint16_t>(other);
        if (person >= 0) {
            UpdatePersonDrawPos(P(person));
            index = static_cast<std::uint16_t>(person);
        }
        UpdateFahrzeugDrawPos(F(car));
        backend.sound.clearCalls();
        const std::uint8_t result =
            kMissionHooksM16.HandleZFCollision(car, kind, index, row.c.lookAhead);
        EXPECT_EQ(result, row.c.result);
        EXPECT_EQ(ToteCount, row.c.dead);
        EXPECT_EQ(burningOut(car), row.c.explodes);
        const std::vector<int> played = test::PlayedSoundIds(backend.sound);
        EXPECT_EQ(std::count(played.begin(), played.end(), kStrikeSound) != 0, row.c.struck);
        if (other >= 0) {
            EXPECT_EQ(burningOut(other), row.c.explodes);
        }
        if (person >= 0 && row.c.dead == 1 && row.blocker != DeadBody) {
            EXPECT_LT(P(person).energy, 1);
            EXPECT_EQ(P(person).deadTicks, kNeverRevivable);
        }
        if (kind == kHitSonderObj) {
            EXPECT_EQ(exploding(index), row.c.explodes);
        }
        if (row.blocker == WreckTrapped && row.c.explodes) {
            EXPECT_EQ(UsedPersonAt(driver), nullptr) << "the driver dies with the wreck";
            EXPECT_EQ(O(kWreck).fuel, 0);
        }
    }
}

TEST_F(MissionSixteen, ASecondCarOnTheWreckCountsNobody) {
    const std::int16_t first = laneCar(2900, 15.0f);
    ASSERT_EQ(kMissionHooksM16.HandleZFCollision(first, kHitSonderObj, kWreck, 0), 0);
    EXPECT_EQ(ToteCount, 1);
    EXPECT_EQ(O(kWreck).user, -1);
    const std::int16_t second = laneCar(2800, 15.0f);
    kMissionHooksM16.HandleZFCollision(second, kHitSonderObj, kWreck, 0);
    EXPECT_EQ(ToteCount, 1);
    // A car without a lane stops for anything.
    const std::int16_t parked = laneCar(2000, 15.0f);
    F(parked).link = kNoLink;
    EXPECT_EQ(MotorwayStrike(parked, kHitFahrzeug, static_cast<std::uint16_t>(first), 0), 1);
    EXPECT_EQ(MotorwayStrike(parked, kHitPerson, 60000, 0), 1);
}

TEST_F(MissionSixteen, TheCoachBurnsInStagesAndThePassengerWithIt) {
    SonderObj& coach = O(kCoach);
    coach.heat = 1234;
    coach.fuel = 5678;
    at(2400);
    EXPECT_EQ(coach.type, 19);
    at(2401);
    EXPECT_EQ(coach.type, 20);
    at(4800);
    EXPECT_EQ(coach.type, 20);
    at(4801);
    EXPECT_EQ(coach.type, 21);
    EXPECT_EQ(coach.heat, 1234) << "the stage changes the type only";
    EXPECT_EQ(coach.fuel, 5678);
    EXPECT_EQ(coach.burning, 1);

    // Burnt out with the passenger inside: he dies, counted once, and the marker goes.
    const std::int16_t passenger = coach.user;
    coach.type = 26;
    update();
    EXPECT_EQ(UsedPersonAt(passenger), nullptr);
    EXPECT_EQ(ToteCount, 1);
    EXPECT_EQ(O(kMarker).type, -1);
    update();
    EXPECT_EQ(ToteCount, 1);

    // One who was cut free before is safe.
    restart();
    O(kMarker).visible = 1;
    O(kCoach).type = 26;
    const std::int16_t out = O(kCoach).user;
    update();
    EXPECT_NE(UsedPersonAt(out), nullptr);
    EXPECT_EQ(ToteCount, 0);
    EXPECT_EQ(O(kMarker).type, -1);

    // One who bled to death inside was counted then.
    restart();
    const std::int16_t bled = O(kCoach).user;
    P(bled).energy = 0;
    ToteCount = 1;
    O(kCoach).type = 26;
    update();
    EXPECT_EQ(UsedPersonAt(bled), nullptr);
    EXPECT_EQ(ToteCount, 1);
}

TEST_F(MissionSixteen, TheFireSoundLoopsAtTheCoachWhileItBurns) {
    test::FillSoundSlotsWithTones();
    SoundOn = 1;
    backend.sound.clearCalls();
    update();
    EXPECT_EQ(test::PlayedSoundIds(backend.sound), std::vector<int>{kFireSound});
    O(kCoach).burning = 0;
    update();
    EXPECT_EQ(IsSoundPlaying(kFireSound), 0);
}

TEST_F(MissionSixteen, TheCallbacksFreeTheDriverAndThePassenger) {
    const std::int16_t driver = O(kWreck).user;
    const SonderObjTyp& wreckTyp = *SonderObjTypAt(18);
    OnBefehlDone07M16(kWreck, 0);
    EXPECT_EQ(O(kWreck).frame, 1);
    EXPECT_EQ(O(kWreck).user, -1);
    EXPECT_EQ(P(driver).offMap, 0);
    EXPECT_EQ(P(driver).present, 1);
    EXPECT_NEAR(P(driver).x, 2976.0f + ((wreckTyp.boxX1 - wreckTyp.boxX0) >> 1), 24.0f);
    EXPECT_NEAR(P(driver).y, 385.0f + 10 + ((wreckTyp.boxY1 - wreckTyp.boxY0) >> 1), 40.0f);

    // The passenger keeps what the fire stage leaves him; out of stage 3 he is dead.
    struct Stage {
        std::int16_t type;
        std::int32_t energy;
        int dead;
    };
    for (const Stage s :
         {Stage{19, 599999, 0}, Stage{20, 299999, 0}, Stage{21, 0, 1}, Stage{24, 123456, 0}}) {
        SCOPED_TRACE(s.type);
        restart();
        const std::int16_t passenger = O(kCoach).user;
        P(passenger).energy = 123456;
        O(kCoach).type = s.type;
        OnBefehlDone08M16(kCoach, 0);
        EXPECT_EQ(P(passenger).energy, s.energy);
        EXPECT_EQ(ToteCount, s.dead);
        EXPECT_EQ(O(kMarker).visible, 1);
        EXPECT_EQ(O(kCoach).user, -1);
        EXPECT_EQ(P(passenger).offMap, 0);
        EXPECT_NEAR(P(passenger).x, 2839.0f + SonderObjTypAt(s.type)->frames[0].width, 24.0f);
    }
    // Without the marker the coach has burnt out: nobody to free.
    restart();
    const std::int16_t passenger = O(kCoach).user;
    FreeSonderObjSlot(kMarker);
    OnBefehlDone08M16(kCoach, 0);
    EXPECT_EQ(P(passenger).offMap, 1);
}

TEST_F(MissionSixteen, EveryClickRowGivesItsQueueAndTheCursorShowsIt) {
    using test::Order;
    // The cutter at the wreck: one point below it at seven tenths of its width.
    const std::int16_t cutter = staff(9, 2900, 600);
    selectPerson(cutter);
    EXPECT_EQ(cursorOn(kWreck), 1);
    EXPECT_EQ(CursorId, kCursorRescue);
    ASSERT_EQ(clickOn(kWreck), 1);
    EXPECT_EQ(test::Orders(P(cutter)), (std::vector<Order>{{kOpGoals, 0, 1, 0, 0, 0},
                                                           {kOpWorkAtSonderObj, 0, 18, 10, 3, 7}}));
    const SonderObjTyp& wt = *SonderObjTypAt(18);
    EXPECT_EQ(P(cutter).orders->goals[0].x, 2976.0f + wt.frames[0].width * 7 / 10);
    EXPECT_EQ(P(cutter).orders->goals[0].y, 385.0f + wt.boxY1 + 7);
    EXPECT_EQ(P(cutter).orders->goals[0].facing, 1);
    // At the coach only once it no longer burns, and only while the passenger is inside.
    EXPECT_EQ(cursorOn(kCoach), 0);
    O(kCoach).burning = 0;
    EXPECT_EQ(cursorOn(kCoach), 1);
    ASSERT_EQ(clickOn(kCoach), 1);
    EXPECT_EQ(test::Orders(P(cutter)), (std::vector<Order>{{kOpGoals, 0, 1, 0, 0, 0},
                                                           {kOpWorkAtSonderObj, 1, -1, 10, 2, 8}}));
    EXPECT_EQ(P(cutter).orders->goals[0].x, 2839.0f + SonderObjTypAt(19)->boxX1 * 9 / 10);
    O(kMarker).visible = 1;
    EXPECT_EQ(cursorOn(kCoach), 0);
    O(kWreck).frame = 1;
    EXPECT_EQ(cursorOn(kWreck), 0) << "the driver is out";

    // The crane lifts the freed wreck from one of its approach points.
    const std::int16_t crane = vehicle(kTypF110, 2700, 882);
    selectVehicle(crane);
    EXPECT_EQ(cursorOn(kWreck), 1);
    ASSERT_EQ(clickOn(kWreck), 1);
    EXPECT_EQ(test::Orders(F(crane)),
              (std::vector<Order>{{kOpGoals, 0, 4, 0, 0, 0}, {kOpTakeUpObject, 0, 18, 0, 0, 1}}));
    O(kWreck).frame = 0;
    EXPECT_EQ(cursorOn(kWreck), 0);

    // Water on the coach; the click is taken even with no vehicle behind the selection.
    ViewOrigin = {2440, 270};
    MouseX = 480;
    MouseY = 450;
    const std::int16_t engine = vehicle(kTypF104, 2900, 882);
    selectVehicle(engine);
    EXPECT_EQ(cursorOn(kCoach), 1);
    EXPECT_EQ(CursorId, kCursorWater);
    ASSERT_EQ(clickOn(kCoach), 1);
    EXPECT_EQ(test::Orders(F(engine)),
              (std::vector<Order>{{kOpCannonAtObject, 2920, 720, kCoach, 0, 0}}));
    RemoveFahrzeug(engine, kRemoveDrivenOff);
    EXPECT_EQ(cursorOn(kCoach), 1);
    EXPECT_EQ(clickOn(kCoach), 1);

    // The sign: put up from frame 0, taken down from any other.
    const std::int16_t police = staff(0, 500, 700);
    selectPerson(police);
    EXPECT_EQ(cursorOn(kSign), 1);
    EXPECT_EQ(CursorId, kCursorRescue);
    ASSERT_EQ(clickOn(kSign), 1);
    EXPECT_EQ(test::Orders(P(police)), (std::vector<Order>{{kOpGoals, 0, 4, 0, 0, 0},
                                                           {kOpSonderObjCommand, 3, 0, 2, 4, 1}}));
    const SonderObjTyp& st = *SonderObjTypAt(27);
    const GoalList& g = P(police).orders->goals;
    ASSERT_EQ(g.size(), 4u);
    EXPECT_EQ(g[0].x, 424.0f + st.boxX1);
    EXPECT_EQ(g[0].y, 587.0f + st.boxY0 - 7);
    EXPECT_EQ(g[0].facing, 7);
    EXPECT_EQ(g[1].x, 424.0f + st.boxX0 - 7);
    EXPECT_EQ(g[1].facing, 3);
    EXPECT_EQ(g[2].y, 587.0f + st.boxY1 + 7);
    EXPECT_EQ(g[2].facing, 1);
    EXPECT_EQ(g[3].x, 424.0f + st.boxX1 + 7);
    EXPECT_EQ(g[3].facing, 9);
    O(kSign).frame = 7;
    ASSERT_EQ(clickOn(kSign), 1);
    EXPECT_EQ(test::Orders(P(police))[1], (Order{kOpSonderObjCommand, 3, 1, 2, 15, 1}));
    EXPECT_EQ(cursorOn(kWreck), 0);
    selectPerson(cutter);
    EXPECT_EQ(cursorOn(kSign), 0);
    EXPECT_EQ(clickOn(kSign), 0);
}

TEST_F(MissionSixteen, FailsAtTheFifthDeadOrThirdLostVehicle) {
    ToteCount = 4;
    check();
    EXPECT_EQ(GameMode, 2u);
    ToteCount = 5;
    check();
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(message(), "Zu viele Tote!");

    restart();
    LostBoughtFahrzeugCount = 1;
    LostMissionFahrzeugCount = 1;
    check();
    EXPECT_EQ(GameMode, 2u);
    LostMissionFahrzeugCount = 2;
    check();
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(message(), "Zu viele Fahrzeuge zerst\xF6rt!");
}

TEST_F(MissionSixteen, WonOnlyWithEveryPartDone) {
    // Each part alone left undone holds the win back.
    const std::vector<std::pair<const char*, void (*)()>> undone = {
        {"a casualty", [] {}},
        {"the coach burns", [] { O(kCoach).burning = 1; }},
        {"a cell burns", [] { BurningCellCount = 1; }},
        {"the wreck lies there", [] { O(kWreck).type = 18; }},
        {"the sign stands", [] { O(kSign).frame = 7; }},
    };
    for (std::size_t skip = 0; skip <= undone.size(); ++skip) {
        SCOPED_TRACE(skip < undone.size() ? undone[skip].first : "all done");
        restart();
        if (skip != 0)
            for (std::size_t i = 0; i < Personen.size(); ++i)
                if (Personen[i].type != -1 && Personen[i].casualty != 0)
                    DeletePerson(static_cast<std::int32_t>(i));
        O(kCoach).burning = 0;
        FreeSonderObjSlot(kWreck);
        if (skip > 0 && skip < undone.size()) undone[skip].second();
        check();
        EXPECT_EQ(GameMode, skip == undone.size() ? 5u : 2u);
    }
}

TEST_F(MissionSixteen, Evaluation) {
    ToteCount = 1;
    TickCounter = 14400;
    Money = 4000;
    kMissionHooksM16.EvaluateMission();
    EXPECT_EQ(ResultLines[0].percent, 75);
    EXPECT_EQ(ResultLines[1].percent, 100);
    EXPECT_EQ(ResultLines[2].percent, 100);
    EXPECT_EQ(EvaluationEfficiency, 90);
    EXPECT_EQ(EvaluationPoints, 631);
}

}  // namespace
}  // namespace kv
