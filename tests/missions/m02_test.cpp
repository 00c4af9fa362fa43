// Mission 2 on the sample data: its set-up, the smoke over the camp, the fire's roar, its checks
// and its evaluation.

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
#include "core/mission_state.h"
#include "core/options.h"
#include "core/random.h"
#include "media/sound_slots.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "missions/mission_rows.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "support/sound_log.h"
#include "world/brand_cells.h"
#include "world/explosions.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

// The wood cells round the camp, in the order the mission watches them.
constexpr int kWatched[6][2] = {{15, 11}, {15, 15}, {16, 8}, {21, 8}, {28, 11}, {28, 18}};
constexpr int kRoar = kFirstMissionSound;
constexpr std::int8_t kCamper = 40;

class MissionTwo : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        GameSpeed = 1;
        SeedRandom(5);
        CampaignPosition = 11;
        StartMission(kNewMission);
        leaveKarte();
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        ASSERT_EQ(MissionNummer, 2);
    }

    // The map bare of persons and its fire out, so that only what a test places is there.
    static void clearScene() {
        for (std::size_t i = 0; i < Personen.size(); ++i)
            if (Personen[i].type != -1) DeletePerson(static_cast<std::int32_t>(i));
        for (BrandState& s : BrandStates) s.burning = 0;
        ToteCount = 0;
    }
    static void lightWatched(int count) {
        for (int n = 0; n < count; ++n)
            BrandStates[static_cast<std::size_t>(
                            brand::FireCellIndex(kWatched[n][0], kWatched[n][1]))]
                .burning = 1;
    }
    static Person& person(std::int8_t type, std::int16_t x, std::int16_t y,
                          std::int8_t storey = 0) {
        const std::int16_t i = CreatePersonAt(x, y, 0, 0);
        EXPECT_GE(i, 0);
        Person& p = Personen[static_cast<std::size_t>(i)];
        LoadPersonTyp(type);
        p.type = type;
        p.controlFlags = 0;
        p.storey = storey;
        return p;
    }
    static void update() { kMissionHooksM02.UpdateMission(); }
    static std::string message() { return MessageLine.data(); }
};

TEST_F(MissionTwo, SetsUpItsPeopleFlagAndHydrants) {
    const auto persons = std::count_if(Personen.begin(), Personen.end(),
                                       [](const Person& p) { return p.type != -1; });
    EXPECT_EQ(persons, 33) << "29 onlookers and 4 pedestrians";
    int objects = 0;
    for (std::int32_t i = 0; i < SonderObjCount; ++i)
        if (const SonderObj* o = SonderObjAt(i); o != nullptr && o->type != -1) ++objects;
    EXPECT_EQ(objects, 9) << "the flag and eight hydrants";
    EXPECT_EQ(SonderObjs[0].type, 18);
    for (const auto& c : kWatched)
        EXPECT_NE(
            MapCells[static_cast<std::size_t>(brand::FireCellIndex(c[0], c[1]))].material & 0x7F, 0)
            << c[0] << "," << c[1] << " can burn";
    EXPECT_GT(BurningCellCount, 0) << "the level burns from the start";
}

// The first draws of the generator from a seed.
std::vector<std::int32_t> Draws(std::uint32_t seed, int count) {
    SeedRandom(seed);
    std::vector<std::int32_t> r;
    for (int n = 0; n < count; ++n) r.push_back(Rand());
    SeedRandom(seed);
    return r;
}

// The smoke a person of the type takes from one draw with n watched cells burning.
std::int32_t Smoke(std::int32_t draw, int n, std::int8_t type) {
    const PersonTyp& t = PersonTypen[static_cast<std::size_t>(type)];
    return ((draw % 300 + 300) * n - t.heatProtection) / std::max<std::int16_t>(t.heatDivisor, 1);
}

// Who takes smoke, with how many watched cells burning; each person in the camp draws one
// number whether it is hurt or not, the dead included.
TEST_F(MissionTwo, SmokeHurtsTheCampOnlyFromTheThirdWatchedCell) {
    clearScene();
    Person& corner = person(kCamper, 789, 499);
    Person& right = person(kCamper, 790, 300);
    Person& below = person(kCamper, 500, 500);
    Person& staff = person(kCamper, 400, 300, -3);
    Person& dead = person(kCamper, 400, 300);
    dead.energy = 0;

    lightWatched(2);
    std::vector<std::int32_t> r = Draws(9, 1);
    update();
    EXPECT_EQ(Rand(), r[0]) << "no draw with two cells";
    EXPECT_EQ(corner.energy, kFullEnergy);

    lightWatched(3);
    // The type's protection takes the smaller draws whole: a seed whose first draw gets through.
    std::uint32_t seed = 1;
    while (Smoke(Draws(seed, 1)[0], 3, kCamper) <= 0) ++seed;
    r = Draws(seed, 3);
    update();
    EXPECT_EQ(Rand(), r[2]) << "one draw each for the corner and the dead";
    EXPECT_EQ(corner.energy, kFullEnergy - Smoke(r[0], 3, kCamper));
    EXPECT_EQ(right.energy, kFullEnergy);
    EXPECT_EQ(below.energy, kFullEnergy);
    EXPECT_EQ(staff.energy, kFullEnergy) << "base staff are not in the camp";
    EXPECT_EQ(dead.energy, 0);
    EXPECT_EQ(ToteCount, 0u);
}

TEST_F(MissionTwo, ASmokedCasualtyDiesOnceAndADivisorBelowOneCountsAsOne) {
    clearScene();
    Person& casualty = person(kCamper, 400, 300);
    casualty.casualty = 1;
    casualty.energy = 1;
    Person& camper = person(kCamper, 450, 300);
    camper.energy = 1;
    lightWatched(6);
    const std::int16_t divisor = PersonTypen[kCamper].heatDivisor;
    PersonTypen[kCamper].heatDivisor = 0;

    update();
    EXPECT_EQ(casualty.energy, 0);
    EXPECT_EQ(casualty.deadTicks, 0);
    EXPECT_EQ(camper.energy, 0);
    EXPECT_EQ(ToteCount, 1u) << "only the casualty counts";
    casualty.deadTicks = 7;
    for (int n = 0; n < 5; ++n) update();
    EXPECT_EQ(ToteCount, 1u);
    EXPECT_EQ(casualty.deadTicks, 7);

    Person& fresh = person(kCamper, 500, 300);
    const std::vector<std::int32_t> r = Draws(3, 3);  // the two dead draw first
    update();
    EXPECT_EQ(fresh.energy, kFullEnergy - Smoke(r[2], 6, kCamper));
    PersonTypen[kCamper].heatDivisor = divisor;
}

TEST_F(MissionTwo, TheRoarStartsAtTheTwentyFirstCellAndStopsBelow) {
    test::FillSoundSlotsWithTones();
    SoundOn = 1;
    backend.sound.clearCalls();
    BurningCellCount = 20;
    update();
    EXPECT_TRUE(test::PlayedSoundIds(backend.sound).empty());
    BurningCellCount = 21;
    update();
    update();
    EXPECT_EQ(test::PlayedSoundIds(backend.sound), std::vector<int>{kRoar});
    EXPECT_NE(IsSoundPlaying(kRoar), 0);
    BurningCellCount = 20;
    update();
    EXPECT_EQ(IsSoundPlaying(kRoar), 0);

    SoundOn = 0;
    backend.sound.clearCalls();
    BurningCellCount = 30;
    update();
    BurningCellCount = 0;
    update();
    EXPECT_TRUE(backend.sound.calls().empty());
}

TEST_F(MissionTwo, ChecksFailOnTheDeadAndTheHousesBeforeTheyWin) {
    struct Case {
        const char* what;
        std::uint32_t dead;
        std::uint16_t houses;
        std::uint16_t cells;
        bool explosion;
        std::uint32_t mode;
        const char* message;
    };
    const Case cases[] = {
        {"three dead", 3, 0, 5, false, 2, ""},
        {"four dead", 4, 0, 5, false, 4, "Zu viele Tote!"},
        {"four dead while something explodes", 4, 0, 5, true, 2, ""},
        {"three houses", 0, 3, 5, false, 2, ""},
        {"four houses", 0, 4, 5, false, 4, "Brand ist ausser Kontrolle geraten!"},
        {"the dead before the houses", 4, 4, 5, false, 4, "Zu viele Tote!"},
        {"a failure beats the win", 4, 0, 0, false, 4, "Zu viele Tote!"},
        {"a cell still burns", 0, 0, 1, false, 2, ""},
        {"a house still burns", 0, 1, 0, false, 2, ""},
        {"all out", 0, 0, 0, false, 5, ""},
    };
    clearScene();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameMode = 2;
        MessageLine.fill(0);
        ToteCount = c.dead;
        BurningHouseCount = c.houses;
        BurningCellCount = c.cells;
        ExplosionSlots[0].live = c.explosion ? 1 : 0;
        kMissionHooksM02.CheckMission();
        EXPECT_EQ(GameMode, c.mode);
        if (c.mode != 5) {
            EXPECT_EQ(message(), c.message);
        }
    }
    ExplosionSlots[0].live = 0;
}

TEST_F(MissionTwo, NobodyAwaitingRescueIsPartOfTheWin) {
    clearScene();
    person(kCamper, 400, 300).casualty = 1;
    BurningHouseCount = 0;
    BurningCellCount = 0;
    kMissionHooksM02.CheckMission();
    EXPECT_EQ(GameMode, 2u);
}

TEST_F(MissionTwo, EvaluatesTheDeadTimeAndMoney) {
    ToteCount = 1;
    TickCounter = 14400;
    Money = 5000;
    kMissionHooksM02.EvaluateMission();
    EXPECT_EQ(ResultLines[0].percent, 75);
    EXPECT_EQ(ResultLines[1].percent, 100);
    EXPECT_EQ(ResultLines[2].percent, 100);
    EXPECT_STREQ(ResultLines[0].text.data(), "Tote: 1");
    EXPECT_STREQ(ResultLines[1].text.data(), "Zeit: 12:00");
    EXPECT_STREQ(ResultLines[2].text.data(), "Geld: 5000");
    EXPECT_EQ(ResultLines[3].text[0], 0);
    EXPECT_EQ(EvaluationEfficiency, 90);
    EXPECT_EQ(EvaluationPoints, 563);
}

}  // namespace
}  // namespace kv
