// Mission 20 on the sample data: its set-up, the crevice search, the rope rescue and the clicks on
// the wreck and the fuel, the pilot coming out, the checks with the fuel explosion, and the
// evaluation.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "mission/evaluation.h"
#include "mission/mission_frame.h"
#include "missions/mission_checks.h"
#include "missions/mission_rows.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "support/order_list.h"
#include "support/sample_mission_test.h"
#include "support/sound_log.h"
#include "vehicles/boot_punkte.h"
#include "world/explosions.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {
namespace {

constexpr std::int16_t kWreck = 0;
constexpr std::int16_t kPuddle = 1;
constexpr std::int8_t kFireFighter = 1;
constexpr std::int8_t kCutter = 9;
constexpr std::int8_t kBinder = 8;
constexpr std::int8_t kRope = 15;

class MissionTwenty : public test::SampleMissionTest {
  protected:
    MissionTwenty() : SampleMissionTest(20, 7) {}

    static void check() { kMissionHooksM20.CheckMission(); }
    static std::string message() { return Cp1252ToUtf8(MessageLine.data()); }
    static std::int16_t victim() { return SignedWord(MissionScratch.S0); }
    static constexpr std::int16_t kWalker = 1;
    // The mouse over a world point.
    static void mouseAt(int x, int y) {
        ViewOrigin = {static_cast<std::int16_t>(x - 300), static_cast<std::int16_t>(y - 200)};
        MouseX = 300;
        MouseY = 200;
    }
    // The middle of a cell.
    static void mouseOnCell(int column, int row) {
        const int x = 32 * column - 16 * row + 8;
        const int y = 28 * row + 14;
        ASSERT_EQ(CellFromPixel(x, y), (CellPos{column, row}));
        mouseAt(x, y);
    }
    static void select(std::uint16_t mode, std::int16_t index) {
        SelectionMode = mode;
        SelectedIndex = static_cast<std::uint16_t>(index);
    }
};

TEST_F(MissionTwenty, SetsUpTheHiddenVictimTheWalkerThePilotInTheWreckAndTheFuel) {
    EXPECT_EQ(MissionSonderObjTypCount(20), 21);
    EXPECT_EQ(O(kWreck).type, 18);
    EXPECT_EQ(O(kPuddle).type, 20);
    EXPECT_EQ(O(kPuddle).blockMask, 0);
    ASSERT_EQ(victim(), 0);
    EXPECT_EQ(P(0).type, 27);
    EXPECT_EQ(P(0).present, 0) << "hidden in the crevice";
    EXPECT_EQ(P(0).x, 2893.0f);
    EXPECT_EQ(P(kWalker).type, 28);
    EXPECT_EQ(P(kWalker).present, 1);
    const std::int16_t pilot = O(kWreck).user;
    ASSERT_EQ(pilot, 2);
    EXPECT_EQ(P(pilot).offMap, 1);
    EXPECT_EQ(P(pilot).present, 0);
    EXPECT_EQ(P(pilot).energy, 599999);
    ASSERT_EQ(BootPunktCount, 2);
    EXPECT_EQ(BootPunkte[1].x, 1860);
    EXPECT_EQ(BootPunkte[1].dx, -110);
    EXPECT_EQ(GameMode, 2u);
}

TEST_F(MissionTwenty, SearchingACreviceSendsTheFireFighterToItsSpot) {
    const std::int16_t ff = staff(kFireFighter, 2600, 1100);
    const std::int16_t rope = staff(kRope, 2650, 1100);
    // A crevice cell that no rectangle covers.
    MapCells[static_cast<std::size_t>(CellIndex(60, 40))].terrain = 7;
    enum class Then { Nothing, VictimOut };
    struct Case {
        const char* what;
        int column, row;
        std::uint16_t mode;
        Then then;
        std::uint8_t cursor;  // the hooks' answers, both the same
        std::vector<test::Order> orders;
    };
    const Case cases[] = {
        {"rectangle 1",
         17,
         7,
         1001,
         Then::Nothing,
         1,
         {{kOpMove, 360, 240, 0, 0, 0}, {kOpTurn, 360, 240, 1, 0, 0}, {209, 360, 240, 0, 0, 0}}},
        {"rectangle 6",
         113,
         45,
         1001,
         Then::Nothing,
         1,
         {{kOpMove, 2856, 1304, 0, 0, 0},
          {kOpTurn, 2856, 1304, 1, 0, 0},
          {209, 2856, 1304, 0, 0, 0}}},
        {"rectangle 2",
         29,
         51,
         1001,
         Then::Nothing,
         1,
         {{kOpMove, 8, 1472, 0, 0, 0}, {kOpTurn, 8, 1472, 1, 0, 0}, {209, 8, 1472, -1, 0, 0}}},
        {"rectangle 6 after the victim became a fire fighter's patient",
         112,
         45,
         1001,
         Then::VictimOut,
         1,
         {{kOpMove, 2856, 1304, 0, 0, 0},
          {kOpTurn, 2856, 1304, 1, 0, 0},
          {209, 2856, 1304, -1, 0, 0}}},
        {"a crevice outside the rectangles", 60, 40, 1001, Then::Nothing, 0, {}},
        {"the row below a crevice", 113, 46, 1001, Then::Nothing, 0, {}},
        {"a rope fire fighter", 113, 45, 1015, Then::Nothing, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearBefehle(P(ff));
        P(0).type = c.then == Then::VictimOut ? 1 : 27;
        mouseOnCell(c.column, c.row);
        select(c.mode, c.mode == 1015 ? rope : ff);
        CursorId = 0;
        const bool crevice = c.column == 60 || c.cursor != 0;
        EXPECT_EQ(kMissionHooksM20.CursorOnGround(), crevice ? 1 : 0);
        EXPECT_EQ(CursorId, crevice ? kCursorRescue : 0);
        EXPECT_EQ(kMissionHooksM20.ClickOnGround(), c.cursor);
        EXPECT_EQ(test::Orders(P(ff)), c.orders);
    }
}

TEST_F(MissionTwenty, TheSearchOfTheRightCreviceShowsTheVictim) {
    const std::int16_t ff = staff(kFireFighter, 2856, 1304, 0, 1);
    // Animated as a fire fighter who came out of his vehicle.
    P(ff).animate = 1;
    mouseOnCell(113, 45);
    select(1001, ff);
    ASSERT_EQ(kMissionHooksM20.ClickOnGround(), 1);
    for (int tick = 0; tick < 300 && P(0).present == 0; ++tick) RunMissionFrame();
    EXPECT_EQ(P(0).present, 1);
    EXPECT_EQ(P(0).x, 2893.0f) << "still in the crevice";
}

TEST_F(MissionTwenty, TheRopeRescueAndTheLookAtTheVictimInTheCrevice) {
    const std::int16_t rope = staff(kRope, 2800, 1350);
    const std::int16_t ff = staff(kFireFighter, 2800, 1400);
    P(0).present = 1;
    test::FillSoundSlotsWithTones();
    struct Case {
        const char* what;
        std::int16_t hovered;
        float victimX;
        std::uint16_t mode;
        std::int16_t selected;
        std::uint16_t cursor;
        std::vector<test::Order> orders;
    };
    const Case cases[] = {
        {"the rope",
         0,
         2893,
         1015,
         rope,
         kCursorRescue,
         {{kOpMove, 2856, 1304, 0, 0, 0},
          {kOpTurn, 2856, 1304, 1, 0, 0},
          {210, 2856, 1304, 0, 0, 0}}},
        {"a pixel off the crevice's spot", 0, 2894, 1015, rope, 0, {}},
        {"the walker", kWalker, 2893, 1015, rope, 0, {}},
        {"any other selection", 0, 2893, 1001, ff, kCursorSelect, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearBefehle(P(rope));
        P(0).x = c.victimX;
        P(0).selected = 0;
        HoverKind = kHoverPerson;
        HoverIds = {static_cast<std::uint16_t>(c.hovered), 0, 0, 0};
        select(c.mode, c.selected);
        P(c.selected).selected = 1;
        CursorId = 0;
        backend.sound.clearCalls();
        EXPECT_EQ(kMissionHooksM20.CursorOnPerson(), c.cursor != 0 ? 1 : 0);
        EXPECT_EQ(CursorId, c.cursor);
        EXPECT_EQ(kMissionHooksM20.ClickOnPerson(), c.cursor != 0 ? 1 : 0);
        EXPECT_EQ(test::Orders(P(rope)), c.orders);
        if (c.cursor == kCursorSelect) {
            EXPECT_EQ(SelectionMode, kCasualtySelected);
            EXPECT_EQ(SelectedIndex, 0);
            EXPECT_EQ(P(0).selected, 1);
            EXPECT_EQ(P(ff).selected, 0);
            EXPECT_EQ(test::PlayedSoundIds(backend.sound).size(), 1u);
        }
    }
}

TEST_F(MissionTwenty, TheWreckAndTheFuelTakeOnlyTheirOwnTools) {
    const std::int16_t cutter = staff(kCutter, 2100, 450);
    const std::int16_t binder = staff(kBinder, 2150, 450);
    const std::int16_t ff = staff(kFireFighter, 2200, 450);
    const SonderObjTyp& wreck = *SonderObjTypAt(18);
    const int wx = 2180 + wreck.frames[0].width / 2;
    const int wy = 277 + wreck.boxY1 + 7;
    struct Case {
        std::int16_t slot;
        std::uint16_t mode;
        std::int16_t selected;
        std::vector<test::Order> orders;  // empty: falls through
    };
    const Case cases[] = {
        {kWreck,
         1009,
         cutter,
         {{kOpMove, wx, wy, 0, 0, 0},
          {kOpTurn, wx, wy, 1, 0, 0},
          {kOpWorkAtSonderObj, 0, 18, 10, 0, 11}}},
        {kWreck, 1008, binder, {}},
        {kWreck, 1001, ff, {}},
        {kPuddle, 1008, binder, {{kOpGoals, 0, 2, 0, 0, 0}, {kOpWorkThenRemove, 1, 20, 5, 0, 1}}},
        {kPuddle, 1009, cutter, {}},
        {kPuddle, 1001, ff, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.slot << " " << c.mode);
        ClearBefehle(P(c.selected));
        HoverKind = kHoverSonderObj;
        HoverIds = {static_cast<std::uint16_t>(c.slot), 0, 0, 0};
        select(c.mode, c.selected);
        CursorId = 0;
        const std::uint8_t handled = c.orders.empty() ? 0 : 1;
        EXPECT_EQ(kMissionHooksM20.CursorOnSonderObj(), handled);
        EXPECT_EQ(CursorId, handled != 0 ? kCursorRescue : 0);
        EXPECT_EQ(kMissionHooksM20.ClickOnSonderObj(), handled);
        EXPECT_EQ(test::Orders(P(c.selected)), c.orders);
    }
    // The binder's two ends of the puddle.
    const Befehl& goals = *P(binder).orders;
    ASSERT_EQ(goals.goals.size(), 2u);
    EXPECT_EQ(goals.goals[0].x, 2208.0f);
    EXPECT_EQ(goals.goals[0].y, 347.0f);
    EXPECT_EQ(goals.goals[0].facing, 2);
    EXPECT_EQ(goals.goals[1].x, 2211.0f + static_cast<float>(SonderObjTypAt(20)->boxX1 + 3));
    EXPECT_EQ(goals.goals[1].facing, 10);
}

TEST_F(MissionTwenty, ThePilotComesOutOfTheWreckOnce) {
    const std::int16_t pilot = O(kWreck).user;
    const SonderObjTyp& t = *SonderObjTypAt(18);
    OnBefehlDone11M20(kWreck, 3);
    EXPECT_EQ(P(pilot).present, 1);
    EXPECT_EQ(P(pilot).offMap, 0);
    EXPECT_EQ(O(kWreck).user, -1);
    EXPECT_NEAR(P(pilot).x, 2180.0f + static_cast<float>((t.boxX1 - t.boxX0) / 2), 40.0f);
    EXPECT_NEAR(P(pilot).y, 277.0f + static_cast<float>((t.boxY1 - t.boxY0) / 2), 40.0f);
    const float x = P(pilot).x;
    const float y = P(pilot).y;
    // The wreck holds nobody now; an object out of range holds nobody at all.
    OnBefehlDone11M20(kWreck, 3);
    OnBefehlDone11M20(-1, 3);
    OnBefehlDone11M20(4000, 3);
    EXPECT_EQ(P(pilot).x, x);
    EXPECT_EQ(P(pilot).y, y);
}

TEST_F(MissionTwenty, WorkAtTheWreckBesideTheFuelIsStoppedAndSetsItOff) {
    const std::int16_t cutter = staff(kCutter, 2200, 400);
    const std::int16_t other = staff(kFireFighter, 2250, 400);
    P(cutter).selected = 1;
    select(1009, cutter);
    P(cutter).anim = 3;
    AppendBefehl(P(cutter), kOpWorkAtSonderObj, kWreck, 18, 10, 0, 11);
    // Work at another object is no work at the wreck.
    AppendBefehl(P(other), kOpWorkAtSonderObj, kPuddle, 20, 10, 0, 11);
    check();
    EXPECT_EQ(P(cutter).orders, nullptr);
    EXPECT_EQ(P(cutter).anim, 0);
    EXPECT_EQ(P(cutter).selected, 0);
    EXPECT_EQ(SelectionMode, kNoSelection);
    EXPECT_NE(P(other).orders, nullptr);
    ASSERT_NE(O(kPuddle).commands, nullptr);
    EXPECT_EQ(O(kPuddle).commands->kind, kCmdExplosion);
    EXPECT_EQ(GameMode, 2u);
}

// The failure comes with the first check after the explosion's last frame, whatever the speed.
class MissionTwentyFuel : public MissionTwenty, public ::testing::WithParamInterface<int> {};

TEST_P(MissionTwentyFuel, FailsOnceTheExplosionShowedItsLastFrame) {
    GameSpeed = static_cast<std::uint8_t>(GetParam());
    // At the wreck's work point, facing it: the work begins with the frame's first tick.
    const std::int16_t cutter = staff(kCutter, 2250, 363, 0, 1);
    AppendBefehl(P(cutter), kOpWorkAtSonderObj, kWreck, 18, 10, 0, 11);
    RunMissionFrame();
    ASSERT_NE(O(kPuddle).commands, nullptr);
    const std::uint16_t anim = O(kPuddle).commands->a;
    const auto animType = static_cast<std::int16_t>(O(kPuddle).commands->b);
    const int last = SonderObjTypAt(animType)->frameCount - 1;
    int frames = 0;
    while (GameMode == 2 && frames < 200) {
        ASSERT_TRUE(O(anim).type == animType && O(anim).frame < last) << "the check let it pass";
        RunMissionFrame();
        ++frames;
    }
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(message(), "Ausgelaufener Treibstoff ist explodiert!");
    EXPECT_EQ(O(kPuddle).commands, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Speeds, MissionTwentyFuel, ::testing::Values(1, 3));

TEST_F(MissionTwenty, ADeathFailsOnceNoExplosionRunsAndTheHiddenVictimHoldsTheWinBack) {
    ToteCount = 1;
    ExplodeSonderObj(kWreck);
    check();
    EXPECT_EQ(GameMode, 2u) << "a death waits for the explosion";
    restart();
    ToteCount = 1;
    check();
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(message(), "Verletzter gestorben!");

    restart();
    FreeSonderObjSlot(kPuddle);
    DeletePerson(kWalker);
    DeletePerson(O(kWreck).user);
    check();
    EXPECT_EQ(GameMode, 2u) << "the victim in the crevice still waits";
    DeletePerson(victim());
    check();
    EXPECT_EQ(GameMode, 5u);
}

TEST_F(MissionTwenty, AnExplosionIsPastAFrameFromThatFrameOnOrOnceItsAnimationIsGone) {
    EXPECT_FALSE(ExplosionPastFrame(kPuddle)) << "no command";
    EXPECT_FALSE(ExplosionPastFrame(-1));
    ExplodeSonderObj(kPuddle);
    ASSERT_NE(O(kPuddle).commands, nullptr);
    const std::uint16_t anim = O(kPuddle).commands->a;
    const std::int16_t type = O(anim).type;
    const int last = SonderObjTypAt(type)->frameCount - 1;
    ASSERT_GT(last, 3);
    struct Case {
        const char* what;
        std::int16_t animType;
        int frame;
        int past;
        bool expected;
    };
    const Case cases[] = {
        {"before the frame", type, 2, 3, false},
        {"at the frame", type, 3, 3, true},
        {"before the last", type, last - 1, kLastExplosionFrame, false},
        {"at the last", type, last, kLastExplosionFrame, true},
        {"its animation gone", -1, 0, kLastExplosionFrame, true},
        {"its slot of another type", 18, 0, kLastExplosionFrame, true},
    };
    for (const Case& c : cases) {
        O(anim).type = c.animType;
        O(anim).frame = static_cast<std::uint16_t>(c.frame);
        EXPECT_EQ(ExplosionPastFrame(kPuddle, c.past), c.expected) << c.what;
    }
    O(anim).type = type;
    O(kPuddle).commands->a = 65000;
    EXPECT_TRUE(ExplosionPastFrame(kPuddle)) << "an animation slot out of range";
}

TEST_F(MissionTwenty, Evaluation) {
    TickCounter = 45000;
    Money = 6000;
    kMissionHooksM20.EvaluateMission();
    EXPECT_EQ(ResultLines[0].percent, 50);
    EXPECT_EQ(ResultLines[1].percent, 100);
    EXPECT_EQ(EvaluationEfficiency, 75);
    EXPECT_EQ(EvaluationPoints, 562);
}

}  // namespace
}  // namespace kv
