// Mission 21 on the sample data: its set-up, the engine and fuselage fires, the fire sound, its
// checks and its evaluation.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/random.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "missions/mission_rows.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "support/sound_log.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr int kAircraftFire = kFirstMissionSound;

class MissionTwentyOne : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        GameSpeed = 1;
        SeedRandom(5);
        CampaignPosition = CampaignPositionOf(21);
        StartMission(kNewMission);
        leaveKarte();
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        ASSERT_EQ(MissionNummer, 21);
    }

    static void update() { kMissionHooksM21.UpdateMission(); }
    // The fire model, then the script, as a simulation tick runs them.
    static void tick() {
        UpdateSonderObj();
        update();
    }
    static std::string message() { return MessageLine.data(); }
    static SonderObj& slot(int n) { return SonderObjs[static_cast<std::size_t>(n)]; }
    // A vehicle whose head order aims its cannon at the object.
    static void cannonOn(int object) {
        const std::int16_t i = FindFreeFahrzeug();
        ASSERT_GE(i, 0);
        Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(i)];
        v.type = 3;
        PushBefehl(v, kOpCannonAtObject, object, 0, 0, 0, 0);
    }
    static void clearPersons() {
        for (std::size_t i = 0; i < Personen.size(); ++i)
            if (Personen[i].type != -1) DeletePerson(static_cast<std::int32_t>(i));
    }
};

TEST_F(MissionTwentyOne, SetsUpPassengersPontoonPointsAndTheAircraft) {
    const auto persons = std::count_if(Personen.begin(), Personen.end(),
                                       [](const Person& p) { return p.type != -1; });
    EXPECT_EQ(persons, 17) << "eight onlookers and nine casualties";
    const auto casualties = std::count_if(Personen.begin(), Personen.end(), [](const Person& p) {
        return p.type != -1 && p.casualty != 0;
    });
    EXPECT_EQ(casualties, 9);
    EXPECT_EQ(SignedWord(MissionScratch.S0), 0);
    EXPECT_EQ(SignedWord(MissionScratch.S1), 4);
    EXPECT_EQ(MissionScratch.S2, 0);
    EXPECT_EQ(MissionScratch.S3, 0);
    EXPECT_EQ(FirstIgnitionFlagM21, 0);

    ASSERT_EQ(PontonPunkte.size(), 2u);
    EXPECT_EQ(PontonPunkte[0].x, 860);
    EXPECT_EQ(PontonPunkte[0].b, 13);
    EXPECT_EQ(PontonPunkte[1].x, 1500);
    EXPECT_EQ(PontonPunkte[1].b, 25);
    for (const PontonPunkt& p : PontonPunkte) {
        EXPECT_EQ(p.a, 1);
        EXPECT_EQ(p.berthMode, 2);
    }

    EXPECT_EQ(slot(0).type, 18);
    EXPECT_EQ(slot(1).type, 19);
    EXPECT_EQ(slot(0).blockMask, 0) << "the fuselage does not block by mask";
    EXPECT_EQ(slot(1).blockMask, 0);
    EXPECT_EQ(slot(7).type, 31) << "the engine burns from the start";
    EXPECT_EQ(slot(6).blockMask, 15);
    EXPECT_EQ(slot(13).depthLayer, 1) << "luggage lies flat";
    EXPECT_EQ(slot(2).type, -1) << "no rear door";
}

TEST_F(MissionTwentyOne, CannonsOnTheEngineSetItsHeating) {
    struct Case {
        const char* what;
        int cannons;
        std::int32_t start;
        std::int32_t after10;
    };
    const Case cases[] = {
        {"none", 0, 0, 20},          {"one", 1, 0, 10},
        {"two cool it", 2, 100, 90}, {"two from 0 stay at 0", 2, 0, 0},
        {"three", 3, 0, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (Fahrzeug& v : Fahrzeuge) {
            if (v.type == -1) continue;
            DiscardBefehle(v);
            v.type = -1;
        }
        for (int k = 0; k < c.cannons; ++k) cannonOn(5 + k % 3);
        MissionScratch.S3 = c.start;
        for (int k = 0; k < 10; ++k) update();
        EXPECT_EQ(MissionScratch.S3, c.after10);
    }
}

TEST_F(MissionTwentyOne, TheEngineExplodesOnceAndSetsTheWingAlight) {
    MissionScratch.S3 = 59998;
    tick();
    ASSERT_TRUE(slot(7).commands != nullptr);
    EXPECT_EQ(slot(7).commands->kind, kCmdExplosion);
    EXPECT_EQ(slot(7).commands->next, nullptr) << "exploded once";
    EXPECT_EQ(FirstIgnitionFlagM21, 1);
    EXPECT_EQ(slot(6).heat, 4000);
    EXPECT_EQ(slot(5).heat, -17000000);
    EXPECT_EQ(slot(4).heat, -17000000);
    EXPECT_EQ(slot(3).heat, -3000000);
    EXPECT_EQ(slot(0).heat, -12000000);

    tick();
    EXPECT_NE(slot(6).burning, 0);
    EXPECT_EQ(slot(6).heat, 4000);
    EXPECT_EQ(FirstIgnitionFlagM21, 2);
    for (int k = 0; k < 3 && slot(7).type == 31; ++k) {
        tick();
        EXPECT_EQ(FirstIgnitionFlagM21, 2) << "the spent flag stays spent";
    }
    EXPECT_EQ(slot(5).heat < 0, true) << "the heats are not set again";
}

TEST_F(MissionTwentyOne, TheFuselageIsSolidWithoutBasketTransfersAndCountsItsFire) {
    MissionScratch.S2 = 1;
    update();
    EXPECT_EQ(slot(0).visible, 0);
    MissionScratch.S2 = 0;
    update();
    EXPECT_EQ(slot(0).visible, 1);

    slot(0).burning = 1;
    for (int k = 0; k < 5; ++k) update();
    EXPECT_EQ(MissionScratch.S4, 5);
    slot(0).burning = 0;
    update();
    EXPECT_EQ(MissionScratch.S4, 0) << "one tick out restarts the count";
    slot(0).burning = 1;
    update();
    EXPECT_EQ(MissionScratch.S4, 1);
}

TEST_F(MissionTwentyOne, ChecksFailOnTheDeadAndTheFuselageBeforeTheyWin) {
    struct Case {
        const char* what;
        std::uint32_t dead;
        std::int32_t fuselageTicks;
        std::uint16_t cells;
        int burningSlot;  // -1 none
        bool casualty;
        bool explosion;
        std::uint32_t mode;
        const char* message;
    };
    const Case cases[] = {
        {"three dead", 3, 0, 1, -1, false, false, 2, ""},
        {"four dead", 4, 0, 0, -1, false, false, 4, "Zu viele Tote!"},
        {"four dead wait for an explosion", 4, 0, 0, -1, false, true, 2, ""},
        {"the fuselage at 4799", 0, 4799, 1, -1, false, false, 2, ""},
        {"the fuselage at 4800 fails at once", 0, 4800, 0, -1, false, true, 4,
         "Brand ist ausser Kontrolle geraten!"},
        {"a failure beats the win", 4, 0, 0, -1, false, false, 4, "Zu viele Tote!"},
        {"a cell burns", 0, 0, 1, -1, false, false, 2, ""},
        {"a wing burns", 0, 0, 0, 5, false, false, 2, ""},
        {"the fuselage burns", 0, 0, 0, 0, false, false, 2, ""},
        {"a casualty waits", 0, 0, 0, -1, true, false, 2, ""},
        {"the burning engine alone", 0, 0, 0, 7, false, false, 5, ""},
    };
    clearPersons();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameMode = 2;
        MessageLine.fill(0);
        ToteCount = c.dead;
        MissionScratch.S4 = c.fuselageTicks;
        BurningCellCount = c.cells;
        for (int s : {0, 3, 4, 5, 6}) slot(s).burning = 0;
        slot(7).burning = 1;
        if (c.burningSlot >= 0) slot(c.burningSlot).burning = 1;
        std::int16_t casualty = -1;
        if (c.casualty) {
            casualty = CreateVerletzter(27, 2305, 547, 0, 3, 500000, 0, 300, 0);
            ASSERT_GE(casualty, 0);
        }
        ExplosionSlots[0].live = c.explosion ? 1 : 0;
        kMissionHooksM21.CheckMission();
        EXPECT_EQ(GameMode, c.mode);
        if (c.mode == 4) {
            EXPECT_EQ(message(), c.message);
        }
        if (casualty >= 0) DeletePerson(casualty);
    }
    ExplosionSlots[0].live = 0;
}

TEST_F(MissionTwentyOne, TheFireSoundFollowsTheBurningParts) {
    test::FillSoundSlotsWithTones();
    SoundOn = 1;
    backend.sound.clearCalls();
    update();
    EXPECT_TRUE(test::PlayedSoundIds(backend.sound).empty()) << "the engine alone is silent";
    slot(4).burning = 1;
    update();
    update();
    EXPECT_EQ(test::PlayedSoundIds(backend.sound), std::vector<int>{kAircraftFire});
    EXPECT_NE(IsSoundPlaying(kAircraftFire), 0);
    slot(4).burning = 0;
    update();
    EXPECT_EQ(IsSoundPlaying(kAircraftFire), 0);

    SoundOn = 0;
    backend.sound.clearCalls();
    slot(4).burning = 1;
    update();
    EXPECT_TRUE(backend.sound.calls().empty());
}

TEST_F(MissionTwentyOne, EvaluatesTheDeadTimeAndMoney) {
    struct Case {
        std::uint32_t dead;
        std::uint32_t ticks;
        std::int32_t money;
        int tote, zeit, geld, efficiency, points;
    };
    for (const Case& c : {Case{1, 24000, 9000, 75, 100, 100, 87, 547},
                          Case{0, 48000, 4500, 100, 50, 50, 75, 431}}) {
        SCOPED_TRACE(c.ticks);
        ToteCount = c.dead;
        TickCounter = c.ticks;
        Money = c.money;
        kMissionHooksM21.EvaluateMission();
        EXPECT_EQ(ResultLines[0].percent, c.tote);
        EXPECT_EQ(ResultLines[1].percent, c.zeit);
        EXPECT_EQ(ResultLines[2].percent, c.geld);
        EXPECT_EQ(EvaluationEfficiency, c.efficiency);
        EXPECT_EQ(EvaluationPoints, c.points);
    }
}

}  // namespace
}  // namespace kv
