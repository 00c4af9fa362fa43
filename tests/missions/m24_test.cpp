// Mission 24: the five people drifting down the river, the boat in their way, the checks and the
// evaluation, on the sample data.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/random.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "missions/mission_rows.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr float kWaterY = 780.0f;

class MissionTwentyFour : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        SeedRandom(3);
        CampaignPosition = CampaignPositionOf(24);
        StartMission(kNewMission);
        leaveKarte();
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        ASSERT_EQ(MissionNummer, 24);
    }
    static Person& person(int slot) { return Personen[static_cast<std::size_t>(slot)]; }
    static DeadlinePlan& plan(int slot) {
        DeadlinePlan* d = person(slot).attachment.plan();
        if (d == nullptr) {
            static DeadlinePlan none;
            ADD_FAILURE() << "slot " << slot << " has no drift plan";
            return none;
        }
        return *d;
    }
    static std::int16_t offset(int slot) { return static_cast<std::int16_t>(plan(slot).spare2); }
    // Slot 0 alone in the water at x in a phase, on the water line with no bob offset; the others
    // taken out of the drift.
    static void only(float x, std::uint16_t phase, std::int8_t anim) {
        for (int k = 1; k < 5; ++k) person(k).controlFlags = 0;
        Person& p = person(0);
        p.x = x;
        p.y = kWaterY;
        p.anim = anim;
        p.present = phase == 2 ? 0 : 1;
        DeadlinePlan& d = plan(0);
        d.state = phase;
        d.spare2 = 0;
        d.spare3 = static_cast<std::uint16_t>(std::max(0, static_cast<int>(x) / 80));
        d.startX = static_cast<std::int16_t>(std::trunc(x));
    }
    // A boat standing in the river dx right of slot 0, with order 0.
    static Fahrzeug& boatAhead(int dx, int dy) {
        const std::int16_t i = CreateFahrzeug(kTypF116, static_cast<std::int16_t>(person(0).x + dx),
                                              static_cast<std::int16_t>(person(0).y + dy), 9);
        LoadFahrzeugTyp(kTypF116);
        SetupFahrzeug(i, 1);
        Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(i)];
        SetBefehl(v, FahrzeugTypOf(v), 0, -1, 0, 0, 0, 0, 0);
        return v;
    }
};

TEST_F(MissionTwentyFour, StartsWithFivePeopleInTheWaterSevenRingsAndASlipway) {
    constexpr std::int8_t kTypes[] = {50, 49, 51, 50, 51};
    constexpr float kXs[] = {0, -250, -330, -500, -720};
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        const Person& p = person(k);
        EXPECT_EQ(p.type, kTypes[k]);
        EXPECT_EQ(p.x, kXs[k]);
        EXPECT_EQ(p.y, kWaterY);
        EXPECT_EQ(p.anim, 3);
        const DeadlinePlan& d = plan(k);
        EXPECT_EQ(d.approachDx, 50);
        EXPECT_EQ(d.approachDy, 0);
        EXPECT_EQ(d.state, 0);
    }
    int holders = 0;
    for (const SonderObj& o : SonderObjs) holders += o.type == kSobjRingHalterMitRing;
    EXPECT_EQ(holders, 7);
    ASSERT_EQ(BootPunkte.size(), 1u);
    EXPECT_EQ(BootPunkte[0].x, 3450);
    EXPECT_EQ(BootPunkte[0].y, 685);
    EXPECT_EQ(Money, 10000);
}

// From the left edge past 1200 (the check, which would pull the person under, does not run): the
// person keeps on the water line plus the pixels sunk plus its bob, which stays in its reach, is
// pinned under the bridge and only walks back before it.
TEST_F(MissionTwentyFour, TheDriftKeepsTheBobInReachAndHidesUnderTheBridge) {
    only(0.0f, 0, 3);
    const auto& hooks = kMissionHooksM24;
    int previousOffset = 0;
    bool sawBobUp = false;
    bool sawBobDown = false;
    for (int tick = 0; tick < 4100; ++tick) {
        hooks.UpdateMission();
        const Person& p = person(0);
        const DeadlinePlan& d = plan(0);
        const int bob = offset(0);
        ASSERT_GE(bob, -20);
        ASSERT_LE(bob, 20);
        ASSERT_EQ(p.y, kWaterY + static_cast<float>(d.spare3) + static_cast<float>(bob))
            << "tick " << tick;
        ASSERT_EQ(d.spare3, static_cast<int>(p.x) / 80);
        if (d.state == 1) {
            ASSERT_LE(std::abs(bob), std::abs(previousOffset));
        }
        if (d.state == 2) {
            ASSERT_EQ(bob, 20);
        }
        ASSERT_EQ(p.present, d.state == 2 ? 0 : 1) << "x " << p.x;
        sawBobUp |= bob == -20;
        sawBobDown |= bob == 20 && d.state != 2;
        previousOffset = bob;
    }
    EXPECT_TRUE(sawBobUp);
    EXPECT_TRUE(sawBobDown);
    EXPECT_GT(person(0).x, 1200.0f);
    EXPECT_EQ(plan(0).state, 3);
}

TEST_F(MissionTwentyFour, OneTickOfDrift) {
    struct Case {
        const char* what;
        float x;
        std::uint16_t phase;
        std::int8_t anim;
        std::uint16_t phaseAfter;
        std::uint8_t presentAfter;
        bool moves;
        std::int8_t animAfter;
        float sink;  // y gained, with the bob kept still: a pixel sunk, 20 pinned under the bridge
    };
    const Case cases[] = {
        {"calms at 375", 374.8f, 0, 3, 1, 1, true, 3, 0},
        {"hides at 400", 399.8f, 1, 3, 2, 0, true, 3, 21},
        {"shows at 530", 529.8f, 2, 3, 3, 1, true, 3, 0},
        {"sinks at 80", 79.8f, 0, 3, 0, 1, true, 3, 1},
        {"sinks at 160", 159.8f, 3, 3, 3, 1, true, 3, 1},
        {"no sinking left of the map", -80.2f, 0, 3, 0, 1, true, 3, 0},
        {"going under is left alone", 900.0f, 3, 4, 3, 1, false, 4, 0},
        {"phase 0 puts it back in the water", 100.0f, 0, 4, 0, 1, true, 3, 0},
        {"holding a ring it drifts", 900.0f, 3, 5, 3, 1, true, 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        only(c.x, c.phase, c.anim);
        // Last x where the tick ends, so that no bob step runs.
        const auto after = static_cast<float>(c.x + 0.3);
        plan(0).startX = static_cast<std::int16_t>(c.moves ? std::trunc(after) : std::trunc(c.x));
        if (c.phase == 2) {
            plan(0).spare2 = 20;
            person(0).y = kWaterY + 20.0f + plan(0).spare3;
        }
        const float y = person(0).y;
        kMissionHooksM24.UpdateMission();
        EXPECT_EQ(plan(0).state, c.phaseAfter);
        EXPECT_EQ(person(0).present, c.presentAfter);
        EXPECT_EQ(person(0).x, c.moves ? after : c.x);
        EXPECT_EQ(person(0).anim, c.animAfter);
        EXPECT_EQ(person(0).y, y + c.sink);
    }
}

// A boat right ahead of a person past the bridge: with a seat free it is sent to take the person,
// who waits a tick and is aboard; full, or too far off for the boat to reach, the boat keeps its
// own order and the person waits behind it.
TEST_F(MissionTwentyFour, ABoatInTheWayTakesThePersonOnlyWhenItCan) {
    struct Case {
        const char* what;
        int dx;
        bool full;
        int opcode;
    };
    const Case cases[] = {
        {"full", 30, true, 0},
        {"60 px off", 60, false, 0},
        {"a free seat", 30, false, 77},
    };
    GameSpeed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        only(900.0f, 3, 3);
        Fahrzeug& boat = boatAhead(c.dx, 0);
        // The sample boat is too short to stand in the way 60 px off: its picture's hit box
        // reaches further back for the test.
        auto& box = const_cast<AnimSlot&>(FahrzeugAnim(boat)).box;
        const auto keptBox = box;
        if (c.dx >= 50) box[0] = static_cast<std::int16_t>(box[0] - 40);
        CollisionHit hit;
        ASSERT_NE(TestCollision(0, person(0), PersonTypOf(person(0)), 900.3f, kWaterY,
                                static_cast<std::uint8_t>(person(0).direction), 0, 3, &hit),
                  0);
        ASSERT_EQ(hit.kind, kHitFahrzeug) << "the boat must stand in the way";
        if (c.full) std::fill(boat.seats.begin(), boat.seats.end(), std::uint16_t{20});
        kMissionHooksM24.UpdateMission();
        box = keptBox;
        EXPECT_EQ(HeadBefehlOpcode(boat), c.opcode);
        EXPECT_EQ(person(0).x, 900.0f);
        if (c.opcode == 77) {
            RunGameTicks(0);
            EXPECT_EQ(person(0).offMap, 1);
            EXPECT_NE(std::find(boat.seats.begin(), boat.seats.end(), 0), boat.seats.end());
            EXPECT_EQ(person(0).attachment.plan(), nullptr);
            continue;
        }
        const std::uint16_t none = kNoPerson;
        std::fill(boat.seats.begin(), boat.seats.end(), none);
        RemoveFahrzeug(static_cast<std::int16_t>(&boat - Fahrzeuge.data()), kRemoveDrivenOff);
    }
}

TEST_F(MissionTwentyFour, DrowningComesBeforeDeathAndTheWin) {
    struct Case {
        const char* what;
        float x;
        std::int8_t anim;
        bool lastFrame;
        std::uint16_t dead;
        bool rescued;  // the five slots freed
        std::uint32_t mode;
        const char* message;
        std::int8_t animAfter;
    };
    const Case cases[] = {
        {"at 1200 it goes under", 1200.0f, 3, false, 0, false, 2, "", 4},
        {"going under", 1300.0f, 4, false, 0, false, 2, "", 4},
        {"the last frame of going under", 1300.0f, 4, true, 0, false, 4, "Person ertrunken!", 4},
        {"with a ring at 1200", 1200.0f, 5, false, 0, false, 2, "", 5},
        {"with a ring past the edge", 3584.0f, 5, false, 0, false, 4, "Person ertrunken!", 5},
        {"with a ring short of the edge", 3583.9f, 5, false, 0, false, 2, "", 5},
        {"a death waits for an explosion", 900.0f, 3, false, 1, false, 4, "Verletzter gestorben!",
         3},
        {"a drowning beats the death", 1300.0f, 4, true, 1, false, 4, "Person ertrunken!", 4},
        {"all five slots free", 0.0f, 3, false, 0, true, 5, "", 3},
    };
    // The people go for good once a case frees their slots: keep those cases last.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameMode = 2;
        ClearMessageLine();
        ToteCount = c.dead;
        only(c.x, 3, c.anim);
        if (c.lastFrame)
            person(0).frame = static_cast<std::uint16_t>(
                PersonAnimSlot(person(0).type, person(0).direction, 4).frames - 1);
        if (c.rescued)
            for (int k = 0; k < 5; ++k) DeletePerson(k);
        kMissionHooksM24.CheckMission();
        EXPECT_EQ(GameMode, c.mode);
        EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), c.message);
        if (!c.rescued) {
            EXPECT_EQ(person(0).anim, c.animAfter);
        }
    }
}

TEST_F(MissionTwentyFour, TheRescuedStillCountUntilTheirSlotIsTakenByAnother) {
    for (int k = 0; k < 5; ++k) {
        person(k).controlFlags = 0;
        person(k).attachment.reset();
    }
    GameMode = 2;
    kMissionHooksM24.CheckMission();
    EXPECT_EQ(GameMode, 2u) << "aboard, they keep their types";
    for (int k = 0; k < 5; ++k) person(k).type = 1;
    kMissionHooksM24.CheckMission();
    EXPECT_EQ(GameMode, 5u) << "slots of other types";
}

TEST(MissionTwentyFourEvaluation, TimeWeighsTwice) {
    ResetEvaluation();
    TickCounter = 9600;
    Money = 0;
    kMissionHooksM24.EvaluateMission();
    EXPECT_EQ(std::string(ResultLines[0].text.data()), "Zeit: 08:00");
    EXPECT_EQ(ResultLines[0].percent, 100);
    EXPECT_EQ(std::string(ResultLines[1].text.data()), "Geld: 0");
    EXPECT_EQ(ResultLines[1].percent, 0);
    EXPECT_EQ(EvaluationEfficiency, 66);
    EXPECT_EQ(EvaluationPoints, 330);
}

}  // namespace
}  // namespace kv
