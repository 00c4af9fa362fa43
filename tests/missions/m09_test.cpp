// Mission 9 on the sample data: its set-up, the gates and arrivals, the train and who boards it,
// the brawl's sound, its checks and its evaluation.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/random.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "mission/scroll_view.h"
#include "missions/mission_rows.h"
#include "movement/befehl_queue.h"
#include "persons/gaffer.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "screens/save_game.h"
#include "support/saved_slot.h"
#include "support/sound_log.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::uint16_t kNone = 65535;
constexpr std::int16_t kGateAX = 982;
constexpr std::int16_t kGateBX = 1112;
constexpr std::int16_t kGateY = 707;
constexpr std::int8_t kFanA = 41;
constexpr std::int8_t kFanB = 43;
constexpr int kBrawl = kFirstMissionSound + 1;

// The words under their names.
std::int16_t& ArrivalTimer() {
    return SignedWord(MissionScratch.S0);
}
std::int16_t& SbahnTimer() {
    return SignedWord(MissionScratch.S1);
}
std::uint16_t& SbahnPhase() {
    return MissionScratch.S2;
}
std::int32_t& FansA() {
    return MissionScratch.S3;
}
std::int32_t& FansB() {
    return MissionScratch.S4;
}
std::uint16_t& WalkerA() {
    return MissionScratch.S5;
}
std::uint16_t& WalkerB() {
    return MissionScratch.S8;
}
std::uint16_t& StepsA() {
    return MissionScratch.S10;
}

class MissionNine : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        SeedRandom(9);
        CampaignPosition = CampaignPositionOf(9);
        StartMission(kNewMission);
        leaveKarte();
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        ASSERT_EQ(MissionNummer, 9);
    }

    // One tick of the script, with the tick count going on as the game's does.
    static void tick() {
        kMissionHooksM09.UpdateMission();
        ++TickCounter;
    }
    static int personsUsed() {
        int n = 0;
        for (const Person& p : Personen) n += p.type != -1;
        return n;
    }
    static Person& person(std::int16_t index) { return Personen[static_cast<std::size_t>(index)]; }
    // A person of the type standing at the point, with the control flags given.
    static std::int16_t place(std::int8_t type, float x, float y, std::uint8_t flags) {
        const std::int16_t i = CreateGaffer(27, 700, 1000, 0, 6, 0);
        EXPECT_GE(i, 0);
        Person& p = person(i);
        LoadPersonTyp(type);
        p.type = type;
        p.x = x;
        p.y = y;
        p.controlFlags = flags;
        UpdatePersonDrawPos(p);
        return i;
    }
    // A seed whose next arrival draws this gate: the pause first, then the side.
    static void seedForSide(int side) {
        for (std::uint32_t seed = 1;; ++seed) {
            SeedRandom(seed);
            Rand();
            if (Rand() % 2 == side) {
                SeedRandom(seed);
                return;
            }
        }
    }
    // The next tick is an arrival at the gate.
    static void arriveAt(int side) {
        ArrivalTimer() = 1;
        seedForSide(side);
    }
    // The train held away, so that only what a test sets up happens.
    static void holdTrain() {
        SbahnPhase() = 0;
        SbahnTimer() = 30000;
    }
    static std::string message() { return MessageLine.data(); }
};

TEST_F(MissionNine, StartsEmptyWithItsCarsTheHiddenTrainAndItsWords) {
    EXPECT_EQ(personsUsed(), 0);
    int cars = 0;
    for (const Fahrzeug& v : Fahrzeuge) cars += v.type != -1;
    EXPECT_EQ(cars, 32);
    EXPECT_EQ(SonderObjs[0].type, 18);
    EXPECT_EQ(SonderObjs[0].visible, 0);
    EXPECT_EQ(SonderObjs[0].blockMask, 15);
    for (std::int8_t t : {kFanA, kFanB, std::int8_t{27}, std::int8_t{28}})
        EXPECT_TRUE(PersonTypLoaded(t)) << int{t};
    EXPECT_EQ(WorldMaxX, 1407);
    EXPECT_EQ(WorldMaxY, 1651);
    EXPECT_EQ(RoadEntry.x, 1508);
    EXPECT_EQ(RoadExit.x, 1558);
    EXPECT_EQ(HomeView.x, 768);
    const std::vector<std::uint32_t> words = {
        MissionScratch.S0,      MissionScratch.S1,      MissionScratch.S2,
        std::uint32_t(FansA()), std::uint32_t(FansB()), MissionScratch.S5,
        MissionScratch.S8,      MissionScratch.S10,     MissionScratch.S11};
    EXPECT_EQ(words, (std::vector<std::uint32_t>{2400, 200, 0, 0, 0, 65535, 65535, 0, 0}));
}

TEST_F(MissionNine, TheFirstArrivalComesOnTheTwoThousandFourHundredthTick) {
    for (int t = 0; t < 2399; ++t) tick();
    EXPECT_EQ(personsUsed(), 0);
    tick();
    ASSERT_EQ(personsUsed(), 1);
    const std::uint16_t walker = WalkerA() != kNone ? WalkerA() : WalkerB();
    ASSERT_NE(walker, kNone);
    const Person& p = person(static_cast<std::int16_t>(walker));
    EXPECT_TRUE(p.type == 27 || p.type == 28) << "an onlooker before the fans' time";
    EXPECT_EQ(FansA() + FansB(), 0);
    ASSERT_NE(p.orders, nullptr);
    EXPECT_EQ(p.orders->opcode, 9) << "held by the script";
    EXPECT_EQ(p.anim, 1);
    EXPECT_EQ(p.direction, 7);
}

// Who gate A lets in, by its club's count and the tick.
TEST_F(MissionNine, ClubAFansComeOnlyAtTheirTimeAndOnlookersBetween) {
    struct Case {
        std::int32_t fans;
        std::uint32_t tick;
        bool fan;
    };
    const Case cases[] = {
        {0, 2700, false}, {0, 2701, true}, {1, 3600, false}, {1, 3601, true},
        {2, 4500, false}, {2, 4501, true}, {3, 5400, false}, {3, 5401, true},
        {4, 6000, false}, {4, 6001, true}, {25, 6001, true},
    };
    holdTrain();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fans << " fans at tick " << c.tick);
        FansA() = c.fans;
        WalkerA() = kNone;
        TickCounter = c.tick;
        arriveAt(0);
        kMissionHooksM09.UpdateMission();
        ASSERT_NE(WalkerA(), kNone);
        Person& p = person(static_cast<std::int16_t>(WalkerA()));
        EXPECT_EQ(p.x, kGateAX);
        EXPECT_EQ(p.type == kFanA, c.fan) << int{p.type};
        EXPECT_EQ(FansA(), c.fans + (c.fan ? 1 : 0));
        EXPECT_EQ(p.controlFlags, c.fan ? 17 : 3);
        EXPECT_EQ(StepsA(), 0);
        DeletePerson(WalkerA());
    }
    EXPECT_EQ(FansB(), 0);
}

TEST_F(MissionNine, AnOccupiedGateDeletesTheNewcomerAndCountsNothing) {
    holdTrain();
    TickCounter = 7000;
    const std::int16_t blocker = place(27, kGateBX, kGateY, 3);
    arriveAt(1);
    kMissionHooksM09.UpdateMission();
    EXPECT_EQ(personsUsed(), 1);
    EXPECT_EQ(person(blocker).type, 27);
    EXPECT_EQ(FansB(), 0);
    EXPECT_EQ(WalkerB(), kNone);
}

TEST_F(MissionNine, ABlockedWalkerKeepsItsGateAndAFreeOneWalksThrough) {
    holdTrain();
    TickCounter = 7000;
    arriveAt(0);
    kMissionHooksM09.UpdateMission();
    const std::uint16_t walker = WalkerA();
    ASSERT_NE(walker, kNone);
    // A person a few pixels down its way: every step runs into it.
    const std::int16_t blocker = place(27, kGateAX - 2, kGateY + 6, 3);
    for (int t = 0; t < 300; ++t) tick();
    EXPECT_EQ(WalkerA(), walker);
    EXPECT_EQ(StepsA(), 0);
    EXPECT_EQ(person(static_cast<std::int16_t>(walker)).anim, 0);
    EXPECT_EQ(person(static_cast<std::int16_t>(walker)).x, kGateAX);
    int atGateA = 0;
    for (const Person& p : Personen) atGateA += p.type == kFanA;
    EXPECT_EQ(atGateA, 1) << "nobody else through gate A";

    DeletePerson(blocker);
    for (int t = 0; t < 39; ++t) kMissionHooksM09.UpdateMission();
    EXPECT_EQ(StepsA(), 39);
    kMissionHooksM09.UpdateMission();
    EXPECT_EQ(WalkerA(), kNone);
    const Person& p = person(static_cast<std::int16_t>(walker));
    EXPECT_EQ(p.orders, nullptr) << "let go";
    EXPECT_EQ(p.anim, 0);
    EXPECT_LT(p.x, kGateAX);
    EXPECT_GT(p.y, kGateY);
}

TEST_F(MissionNine, ALostWalkerFreesItsGateAndAFullArrayCreatesNobody) {
    holdTrain();
    TickCounter = 7000;
    arriveAt(0);
    kMissionHooksM09.UpdateMission();
    ASSERT_NE(WalkerA(), kNone);
    DeletePerson(WalkerA());
    ArrivalTimer() = 50;
    kMissionHooksM09.UpdateMission();
    EXPECT_EQ(WalkerA(), kNone);

    // Every slot taken, far from the gates.
    for (std::size_t k = 0; k < Personen.size(); ++k)
        if (Personen[k].type == -1) place(27, 100.0f + static_cast<float>(k % 10) * 30, 1200, 3);
    const std::int32_t before = FansA();
    arriveAt(0);
    kMissionHooksM09.UpdateMission();
    EXPECT_EQ(FansA(), before);
    EXPECT_EQ(WalkerA(), kNone);
}

TEST_F(MissionNine, AFullClubsDrawSkipsTheTrainThatTick) {
    FansA() = 26;
    SbahnPhase() = 1;
    SonderObjs[0].x = 100.0f;
    arriveAt(0);
    kMissionHooksM09.UpdateMission();
    EXPECT_EQ(SonderObjs[0].x, 100.0f);
    EXPECT_EQ(personsUsed(), 0);
    kMissionHooksM09.UpdateMission();
    EXPECT_EQ(SonderObjs[0].x, 105.0f);
}

TEST_F(MissionNine, TheTrainComesStandsAndLeaves) {
    for (int t = 0; t < 199; ++t) tick();
    EXPECT_EQ(SonderObjs[0].visible, 0);
    tick();
    EXPECT_EQ(SonderObjs[0].visible, 1);
    EXPECT_EQ(SonderObjs[0].x, -299.0f);
    EXPECT_EQ(SonderObjs[0].y, 1552.0f);
    EXPECT_EQ(SbahnPhase(), 1);
    int ticks = 0;
    while (SbahnPhase() == 1 && ticks < 1000) {
        tick();
        ++ticks;
    }
    EXPECT_EQ(SonderObjs[0].x, 341.0f) << "standing from the tick it passes 340";
    EXPECT_EQ(SbahnPhase(), 2);
    EXPECT_EQ(SbahnTimer(), 300);
    for (int t = 0; t < 299; ++t) tick();
    EXPECT_EQ(SbahnPhase(), 2);
    tick();
    EXPECT_EQ(SbahnPhase(), 3);
    while (SbahnPhase() == 3 && ticks < 3000) {
        tick();
        ++ticks;
    }
    EXPECT_GT(SonderObjs[0].x, static_cast<float>(WorldMaxX));
    EXPECT_LE(SonderObjs[0].x, static_cast<float>(WorldMaxX) + 5.0f);
    EXPECT_EQ(SbahnPhase(), 0);
    EXPECT_EQ(SbahnTimer(), 200);
    EXPECT_EQ(SonderObjs[0].visible, 0);
}

TEST_F(MissionNine, OnlyScriptPersonsOnThePlatformBoardTheStandingTrain) {
    struct Case {
        const char* what;
        float x;
        float y;
        std::uint8_t flags;
        bool boards;
    };
    const Case cases[] = {
        {"left of the platform", 349.9f, 1590, 17, false},
        {"its left end", 350, 1590, 17, true},
        {"its right end", 618.9f, 1590, 17, true},
        {"right of it", 619, 1590, 17, false},
        {"on the track", 500, 1577.9f, 3, false},
        {"on the platform's edge", 500, 1578, 3, true},
        {"without a controller", 500, 1590, 16, false},
    };
    holdTrain();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::int16_t i = place(kFanA, c.x, c.y, c.flags);
        SbahnPhase() = 2;
        SbahnTimer() = 100;
        kMissionHooksM09.UpdateMission();
        EXPECT_EQ(person(i).type == -1, c.boards);
        if (person(i).type != -1) DeletePerson(i);
    }

    // A casualty and a seated person stay; nobody boards on the last standing tick.
    const std::int16_t casualty = place(kFanA, 500, 1590, 17);
    person(casualty).casualty = 1;
    const std::int16_t seated = place(kFanA, 520, 1590, 17);
    person(seated).offMap = 1;
    const std::int16_t late = place(kFanA, 540, 1590, 17);
    SbahnPhase() = 2;
    SbahnTimer() = 1;
    kMissionHooksM09.UpdateMission();
    EXPECT_EQ(person(late).type, kFanA);
    SbahnPhase() = 2;
    SbahnTimer() = 100;
    kMissionHooksM09.UpdateMission();
    EXPECT_EQ(person(casualty).type, kFanA);
    EXPECT_EQ(person(seated).type, kFanA);
    EXPECT_EQ(person(late).type, -1);

    // A led fan boards, its officer stays behind and is let go.
    const std::int16_t officer = place(1, 500, 1560, 0);
    const std::int16_t led = place(kFanA, 500, 1590, 17);
    person(led).moverFlags |= 16;
    person(led).link = static_cast<std::uint16_t>(officer);
    person(officer).link = static_cast<std::uint16_t>(1000 + led);
    kMissionHooksM09.UpdateMission();
    EXPECT_EQ(person(led).type, -1);
    EXPECT_EQ(person(officer).type, 1);
    EXPECT_EQ(person(officer).link, kNoLink);
}

TEST_F(MissionNine, TheBrawlIsHeardFromTheThirdFightOrder) {
    test::FillSoundSlotsWithTones();
    SoundOn = 1;
    holdTrain();
    ArrivalTimer() = 30000;
    std::vector<std::int16_t> fighters;
    for (int k = 0; k < 3; ++k) {
        const std::int16_t i = place(kFanA, 500.0f + 40.0f * k, 1000, 17);
        const std::uint8_t op = k == 1 ? 173 : 168;
        SetBefehl(person(i), PersonTypOf(person(i)), op, -1, 0, 0, 0, 0, 0);
        fighters.push_back(i);
    }
    // A third person under order 172 does not count.
    const std::int16_t other = place(kFanB, 700, 1000, 17);
    SetBefehl(person(other), PersonTypOf(person(other)), 172, -1, 0, 0, 0, 0, 0);
    DiscardBefehle(person(fighters[2]));
    backend.sound.clearCalls();
    kMissionHooksM09.UpdateMission();
    EXPECT_TRUE(test::PlayedSoundIds(backend.sound).empty());

    SetBefehl(person(fighters[2]), PersonTypOf(person(fighters[2])), 168, -1, 0, 0, 0, 0, 0);
    kMissionHooksM09.UpdateMission();
    kMissionHooksM09.UpdateMission();
    EXPECT_EQ(test::PlayedSoundIds(backend.sound), std::vector<int>{kBrawl});
    DiscardBefehle(person(fighters[0]));
    kMissionHooksM09.UpdateMission();
    EXPECT_EQ(IsSoundPlaying(kBrawl), 0);

    SoundOn = 0;
    SetBefehl(person(fighters[0]), PersonTypOf(person(fighters[0])), 168, -1, 0, 0, 0, 0, 0);
    backend.sound.clearCalls();
    kMissionHooksM09.UpdateMission();
    EXPECT_TRUE(backend.sound.calls().empty());
}

TEST_F(MissionNine, ChecksFailOnInjuredAndDeadBeforeTheyWin) {
    struct Case {
        const char* what;
        std::uint16_t injured;
        std::uint16_t dead;
        std::int32_t fansA;
        std::int32_t fansB;
        bool fighterLeft;
        bool casualtyLeft;
        std::uint32_t mode;
        const char* message;
    };
    const Case cases[] = {
        {"fourteen injured", 14, 0, 0, 0, false, false, 2, ""},
        {"fifteen injured", 15, 0, 0, 0, false, false, 4, "Lage ist eskaliert!"},
        {"one dead", 0, 1, 0, 0, false, false, 4, "Verletzter gestorben!"},
        {"all fans in", 0, 0, 26, 26, false, false, 5, ""},
        {"club B one short", 0, 0, 26, 25, false, false, 2, ""},
        {"club A one short", 0, 0, 25, 26, false, false, 2, ""},
        {"a fighter left", 0, 0, 26, 26, true, false, 2, ""},
        {"a casualty left", 0, 0, 26, 26, false, true, 2, ""},
        {"a failure beats the win", 15, 0, 26, 26, false, false, 4, "Lage ist eskaliert!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameMode = 2;
        MessageLine.fill(0);
        VerletzteCount = c.injured;
        ToteCount = c.dead;
        FansA() = c.fansA;
        FansB() = c.fansB;
        std::int16_t left = -1;
        if (c.fighterLeft) left = place(kFanA, 700, 1000, 17);
        if (c.casualtyLeft) {
            left = place(27, 700, 1000, 0);
            person(left).casualty = 1;
        }
        kMissionHooksM09.CheckMission();
        EXPECT_EQ(GameMode, c.mode);
        if (c.mode != 5) {
            EXPECT_EQ(message(), c.message);
        }
        if (left >= 0) DeletePerson(left);
    }
}

TEST_F(MissionNine, EvaluatesTimeAndMoneyTwice) {
    TickCounter = 18000;
    Money = 5000;
    kMissionHooksM09.EvaluateMission();
    EXPECT_EQ(ResultLines[0].percent, 100);
    EXPECT_EQ(ResultLines[1].percent, 100);
    EXPECT_STREQ(ResultLines[0].text.data(), "Zeit: 15:00");
    EXPECT_STREQ(ResultLines[1].text.data(), "Geld: 5000");
    EXPECT_EQ(ResultLines[2].text[0], 0);
    EXPECT_EQ(EvaluationEfficiency, 100);
    EXPECT_EQ(EvaluationPoints, 631);
}

TEST_F(MissionNine, ASaveInTheMiddleOfAWalkKeepsWalkerAndSteps) {
    holdTrain();
    TickCounter = 7000;
    arriveAt(0);
    kMissionHooksM09.UpdateMission();
    for (int t = 0; t < 10; ++t) kMissionHooksM09.UpdateMission();
    const std::uint16_t walker = WalkerA();
    ASSERT_NE(walker, kNone);
    ASSERT_EQ(StepsA(), 10);
    const float y = person(static_cast<std::int16_t>(walker)).y;
    ASSERT_TRUE(WriteSaveSlot(0, "Tor"));

    ASSERT_TRUE(test::LoadSavedSlot(0)) << FatalErrorMessage();
    EXPECT_EQ(WalkerA(), walker);
    EXPECT_EQ(StepsA(), 10);
    EXPECT_EQ(person(static_cast<std::int16_t>(walker)).y, y);
    ASSERT_NE(person(static_cast<std::int16_t>(walker)).orders, nullptr);
    EXPECT_EQ(person(static_cast<std::int16_t>(walker)).orders->opcode, 9);
    for (int t = 0; t < 30; ++t) kMissionHooksM09.UpdateMission();
    EXPECT_EQ(WalkerA(), kNone) << "the walk goes on to its fortieth step";
}

}  // namespace
}  // namespace kv
