// Mission 29 on the sample data: its set-up, the cursor and clicks on the parachute and the
// wreckage, the pilot coming down, its checks and its evaluation.

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
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "mission/evaluation.h"
#include "missions/mission_rows.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "support/order_list.h"
#include "support/sample_mission_test.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand_cells.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {
namespace {

constexpr std::int16_t kParachute = 21;
constexpr std::int16_t kHanging = 53;
constexpr std::int16_t kEmpty = 52;
constexpr std::int8_t kPilot = 54;
constexpr std::int8_t kP02 = 1;
constexpr std::int8_t kP02Cutter = 9;

class MissionTwentyNine : public test::SampleMissionTest {
  protected:
    MissionTwentyNine() : SampleMissionTest(29, 5) {}

    static void check() { kMissionHooksM29.CheckMission(); }
    static std::string message() { return MessageLine.data(); }
    static std::int16_t first() { return SignedWord(MissionScratch.S0); }
    static std::int16_t last() { return SignedWord(MissionScratch.S1); }
    static BrandState& cell(int column, int row) {
        return BrandStates[static_cast<std::size_t>(brand::FireCellIndex(column, row))];
    }
    // The persons of a type, by index.
    static std::vector<std::int16_t> ofType(std::int8_t type) {
        std::vector<std::int16_t> found;
        for (std::size_t i = 0; i < Personen.size(); ++i)
            if (Personen[i].type == type) found.push_back(static_cast<std::int16_t>(i));
        return found;
    }
    // Every fire out, every living casualty gone and the pilot down: the field as at a win.
    static void clearField() {
        for (std::size_t i = 0; i < Personen.size(); ++i)
            if (Personen[i].type != -1 && Personen[i].casualty != 0 && Personen[i].energy > 0)
                DeletePerson(static_cast<std::int32_t>(i));
        for (BrandState& s : BrandStates) s.burning = 0;
        BurningCellCount = 0;
        O(kParachute).type = kEmpty;
    }
};

TEST_F(MissionTwentyNine, SetsUpTypesObjectsPeopleAndFire) {
    EXPECT_EQ(MissionSonderObjTypCount(29), 54);
    EXPECT_EQ(FixedSonderObjCount, 22);
    EXPECT_EQ(O(6).type, -1) << "slot 6 stays empty";
    EXPECT_EQ(O(0).type, 18);
    EXPECT_EQ(O(20).type, 33);
    EXPECT_EQ(O(kParachute).type, kHanging);
    EXPECT_EQ(O(kParachute).x, 2971.0f);
    int objects = 0;
    for (int s = 0; s < 22; ++s) objects += O(s).type != -1;
    EXPECT_EQ(objects, 21);
    EXPECT_EQ(O(18).burning, 1);
    EXPECT_EQ(O(19).burning, 1);
    EXPECT_EQ(BurningSonderObjCount, 2);
    EXPECT_EQ(cell(48, 41).burning, 1);
    EXPECT_EQ(cell(55, 47).burning, 1);

    int persons = 0;
    int casualties = 0;
    int dead = 0;
    for (const Person& p : Personen) {
        if (p.type == -1) continue;
        ++persons;
        casualties += p.casualty != 0;
        dead += p.casualty != 0 && p.energy == 0;
    }
    EXPECT_EQ(persons, 45) << "every casualty and spectator landed";
    EXPECT_EQ(casualties, 26);
    EXPECT_EQ(dead, 16);
    EXPECT_EQ(ToteCount, 0u) << "the dead from the crash count nobody";
    EXPECT_EQ(first(), 26);
    EXPECT_EQ(last(), 44);
    EXPECT_EQ(P(first()).x, 1261.0f);
    EXPECT_EQ(P(last()).x, 2534.0f);
    EXPECT_EQ(P(last()).casualty, 0);
    EXPECT_EQ(MissionScratch.S2, 0);
    EXPECT_NE(PersonTypen[static_cast<std::size_t>(kPilot)].dirAnims[0], nullptr)
        << "the pilot's images are loaded";
}

TEST_F(MissionTwentyNine, CursorAndClicksOnTheParachuteAndTheWreckage) {
    const std::int16_t cutter = staff(kP02Cutter, 2900, 1420);
    const std::int16_t ff = staff(kP02, 1300, 950);
    // The mouse over part 7, whose box lies at 1240..1349 x 1018..1043.
    ViewOrigin = {1000, 800};
    MouseX = 290;
    MouseY = 230;
    const std::int16_t near = vehicle(kTypF104, 1250, 900);
    const std::int16_t far = vehicle(kTypF104, 300, 195);
    const int gx = 2971 + SonderObjTypAt(kHanging)->frames[0].width / 2;

    struct Case {
        const char* what;
        std::uint16_t slot;
        std::uint16_t mode;
        std::int16_t selected;
        std::uint16_t cursor;  // 0: not claimed
        std::uint8_t click;
        std::vector<test::Order> orders;
    };
    const Case cases[] = {
        {"the cutter at the parachute",
         kParachute,
         1009,
         cutter,
         kCursorRescue,
         1,
         {{kOpGoals, 0, 2, 0, 0, 0}, {kOpWorkAtSonderObj, kParachute, kHanging, 1, 0, 13}}},
        {"a plain fire-fighter at the parachute", kParachute, 1001, ff, 0, 0, {}},
        {"an engine at the parachute", kParachute, 3, near, 0, 0, {}},
        {"an engine in range of the wreckage",
         7,
         3,
         near,
         kCursorWater,
         1,
         {{kOpCannonAtObject, 1290, 1030, 7, 0, 0}}},
        {"an engine out of range",
         7,
         13,
         far,
         kCursorWater,
         1,
         {{kOpRouteLeg, 1290, 1030, 0, 0, 0}, {kOpCannonAtObject, 1290, 1030, 7, 0, 1}}},
        {"a vehicle without a cannon", 7, 5, near, 0, 0, {}},
        {"the cutter at the wreckage", 7, 1009, cutter, 0, 0, {}},
        {"the empty slot", 6, 3, near, 0, 0, {}},
    };
    for (const Case& c : cases) {
        for (const std::int16_t p : {cutter, ff}) ClearBefehle(P(p));
        for (const std::int16_t v : {near, far})
            ClearBefehle(Fahrzeuge[static_cast<std::size_t>(v)]);
        HoverIds = {c.slot, 0, 0, 0};
        SelectionMode = c.mode;
        SelectedIndex = static_cast<std::uint16_t>(c.selected);
        CursorId = 0;
        EXPECT_EQ(kMissionHooksM29.CursorOnSonderObj(), c.cursor != 0 ? 1 : 0) << c.what;
        EXPECT_EQ(CursorId, c.cursor) << c.what;
        EXPECT_EQ(kMissionHooksM29.ClickOnSonderObj(), c.click) << c.what;
        const UnitHead& unit =
            c.mode < 1000
                ? static_cast<const UnitHead&>(Fahrzeuge[static_cast<std::size_t>(c.selected)])
                : P(c.selected);
        EXPECT_EQ(test::Orders(unit), c.orders) << c.what;
    }

    // The rescuer's goals: above the box (40..47 below the parachute's point) facing it, and
    // below it.
    HoverIds = {kParachute, 0, 0, 0};
    SelectionMode = 1009;
    SelectedIndex = static_cast<std::uint16_t>(cutter);
    ASSERT_EQ(kMissionHooksM29.ClickOnSonderObj(), 1);
    const Befehl* walk = P(cutter).orders;
    ASSERT_NE(walk, nullptr);
    ASSERT_EQ(walk->goals.size(), 2u);
    EXPECT_EQ(walk->goals[0].x, static_cast<float>(gx));
    EXPECT_EQ(walk->goals[0].y, 1485.0f);
    EXPECT_EQ(walk->goals[0].facing, 7);
    EXPECT_EQ(walk->goals[1].x, static_cast<float>(gx));
    EXPECT_EQ(walk->goals[1].y, 1506.0f);
    EXPECT_EQ(walk->goals[1].facing, 1);

    // A person selected under the water cursor: the click is the wreckage's, with no orders.
    ClearBefehle(P(ff));
    HoverIds = {7, 0, 0, 0};
    SelectionMode = 1001;
    SelectedIndex = static_cast<std::uint16_t>(ff);
    CursorId = kCursorWater;
    EXPECT_EQ(kMissionHooksM29.ClickOnSonderObj(), 1);
    EXPECT_EQ(P(ff).orders, nullptr);
}

TEST_F(MissionTwentyNine, ThePilotComesDownOnceWeakerTheLaterUntilTick14400) {
    struct Case {
        std::uint32_t tick;
        std::int32_t energy;
    };
    for (const Case c : {Case{14399, 69}, Case{14400, 0}, Case{20000, 0}, Case{0, 14400 * 69}}) {
        restart();
        TickCounter = c.tick;
        OnBefehlDone13M29(kParachute, 0);
        EXPECT_EQ(O(kParachute).type, kEmpty) << c.tick;
        EXPECT_EQ(O(kParachute).x, 2978.0f) << c.tick;
        const std::vector<std::int16_t> pilots = ofType(kPilot);
        ASSERT_EQ(pilots.size(), 1u) << c.tick;
        const Person& pilot = P(pilots[0]);
        EXPECT_EQ(pilot.energy, c.energy) << c.tick;
        EXPECT_EQ(pilot.casualty, 1);
        EXPECT_EQ(pilot.x, 2981.0f);
        EXPECT_EQ(pilot.y, 1476.0f);
        EXPECT_EQ(pilot.direction, 1);
    }
    // A second rescuer finishing finds him gone; a slot out of range is nobody's.
    OnBefehlDone13M29(kParachute, 0);
    OnBefehlDone13M29(-1, 0);
    OnBefehlDone13M29(4000, 0);
    EXPECT_EQ(ofType(kPilot).size(), 1u);
    EXPECT_EQ(O(kParachute).x, 2978.0f);
}

TEST_F(MissionTwentyNine, ChecksInTheirOrder) {
    enum class Set { RowCell, LastSpectatorHurt, FirstSpectatorHurt, Tick, Cleared, Revived };
    struct Case {
        Set set;
        std::uint32_t tick;
        std::uint32_t mode;
        const char* message;
    };
    const Case cases[] = {
        {Set::RowCell, 0, 4, "Brand ist ausser Kontrolle geraten!"},
        {Set::LastSpectatorHurt, 0, 2, ""},
        {Set::FirstSpectatorHurt, 0, 4, "Unbeteiligte Zuschauer wurden verletzt!"},
        {Set::Tick, 14400, 2, ""},
        {Set::Tick, 14401, 4, "Der Pilot wurde nicht gerettet!"},
        {Set::Cleared, 20000, 5, ""},
        {Set::Revived, 0, 2, ""},
    };
    for (const Case& c : cases) {
        restart();
        TickCounter = c.tick;
        switch (c.set) {
            case Set::RowCell:
                cell(122, 22).burning = 1;
                break;
            case Set::LastSpectatorHurt:
                P(last()).casualty = 1;
                break;
            case Set::FirstSpectatorHurt:
                P(first()).casualty = 1;
                break;
            case Set::Tick:
                break;
            case Set::Cleared:
                clearField();
                break;
            case Set::Revived:
                clearField();
                for (Person& p : Personen)
                    if (p.type != -1 && p.casualty != 0) {
                        p.energy = 1;
                        break;
                    }
                break;
        }
        check();
        EXPECT_EQ(GameMode, c.mode) << static_cast<int>(c.set) << " " << c.tick;
        if (c.mode == 4) {
            EXPECT_EQ(message(), c.message);
        }
    }
}

TEST_F(MissionTwentyNine, Evaluation) {
    ToteCount = 2;
    TickCounter = 18000;
    Money = 7000;
    kMissionHooksM29.EvaluateMission();
    EXPECT_EQ(ResultLines[0].percent, 80);
    EXPECT_EQ(ResultLines[1].percent, 100);
    EXPECT_EQ(ResultLines[2].percent, 100);
    EXPECT_EQ(EvaluationEfficiency, 93);
    EXPECT_EQ(EvaluationPoints, 594);
}

}  // namespace
}  // namespace kv
