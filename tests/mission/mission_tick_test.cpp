#include "mission/mission_tick.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/main_window.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "media/sound_slots.h"
#include "mission/mission_frame.h"
#include "mission/mission_steps.h"
#include "movement/searching_movers.h"
#include "movement/traffic_paths.h"
#include "persons/person_update.h"
#include "platform/display.h"
#include "platform/window.h"
#include "support/headless_test.h"
#include "vehicles/fahrzeug_update.h"
#include "world/brand.h"
#include "world/furniture.h"
#include "world/sonder_obj.h"
#include "world/tile_set.h"

namespace kv {
namespace {

// What ran, in order.
std::vector<std::string> g_ran;

class MissionTickTest : public test::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        g_ran.clear();
        ASSERT_EQ(InitWindow(), 1);
        MissionNummer = 1;
    }
    void TearDown() override {
        if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
        HeadlessTest::TearDown();
    }
    static std::array<int, 3> colour(int entry) {
        const PaletteEntry& e = DisplayCurrentPalette()[static_cast<std::size_t>(entry)];
        return {e.r, e.g, e.b};
    }
    // A blue-light row as the display shows it.
    static std::array<int, 3> row(int n) {
        const BlueLightColour& c = kBlueLightCycle[static_cast<std::size_t>(n)];
        return {c.r * 4, c.g * 4, c.b * 4};
    }
};

template <int I>
void RecordTick() {
    g_ran.push_back(DefaultMissionTickSteps()[I].name);
    // The default step still runs, so the counters move as they would.
    if (DefaultMissionTickSteps()[I].run != nullptr) DefaultMissionTickSteps()[I].run();
}
template <std::size_t... I>
void PutTickRecorders(std::index_sequence<I...>) {
    ((MissionTickSteps[I].run = RecordTick<static_cast<int>(I)>), ...);
}

int CommandSlotsOpenAScreen() {
    g_ran.push_back("RunCommandSlots");
    return 0;
}
int CommandSlotsGoOn() {
    g_ran.push_back("RunCommandSlots");
    return 1;
}
void ScrollViewForTest() {
    g_ran.push_back("ScrollView");
}
void ChooseCursorForTest() {
    g_ran.push_back("ChooseCursor");
}
void BuildDrawListForTest() {
    g_ran.push_back("BuildDrawList");
}
void DrawGameScreenForTest() {
    g_ran.push_back("DrawGameScreen");
}
void CheckMissionForTest() {
    g_ran.push_back("CheckMission");
}
void UpdateMissionForTest() {
    g_ran.push_back("UpdateMission");
}
void FailingStep() {
    g_ran.push_back("fails");
    FatalError("tick failed");
}

void RecordTheMissionView() {
    MissionView.ScrollView = ScrollViewForTest;
    MissionView.ChooseCursor = ChooseCursorForTest;
    MissionView.BuildDrawList = BuildDrawListForTest;
    MissionView.DrawGameScreen = DrawGameScreenForTest;
    MissionHookRows[0].CheckMission = CheckMissionForTest;
}

TEST_F(MissionTickTest, TheTickRunsTheModulesInTheirFixedOrder) {
    const std::vector<std::string> order = {
        "RecountSearchers", "UpdateBrand",          "ApplyBrandDamage", "SpawnZF",
        "UpdateFahrzeuge",  "UpdatePersonen",       "UpdateSonderObj",  "UpdateHouseObjAnims",
        "UpdateMission",    "UpdateCellAnimations", "UpdateKanzelLift", "UpdateSoundPositions",
        "BrandPhase",       "LflugCooldown",        "TickCounter",      "MissionClock"};
    std::vector<std::string> names;
    for (const MissionStep& s : DefaultMissionTickSteps()) names.push_back(s.name);
    EXPECT_EQ(names, order);

    PutTickRecorders(std::make_index_sequence<kTickStepCount>{});
    GameSpeed = 2;
    RunGameTicks(0);
    std::vector<std::string> twice = order;
    twice.insert(twice.end(), order.begin(), order.end());
    EXPECT_EQ(g_ran, twice);
}

// The names alone say nothing of what runs: each named step must run its own module's update.
TEST_F(MissionTickTest, EachNamedStepRunsItsOwnModule) {
    const auto step = [](std::string_view name) -> const MissionStep* {
        for (const MissionStep& s : DefaultMissionTickSteps())
            if (name == s.name) return &s;
        return nullptr;
    };
    // Runs a named step; a name the list lacks fails the test.
    const auto runStep = [&step](std::string_view name) {
        const MissionStep* s = step(name);
        ASSERT_NE(s, nullptr) << name;
        if (s->run != nullptr) s->run();
    };
    struct Module {
        const char* name;
        void (*run)();
    };
    for (const Module& m :
         {Module{"RecountSearchers", BeginSearcherTick}, Module{"UpdateBrand", UpdateBrand},
          Module{"ApplyBrandDamage", ApplyBrandDamage}, Module{"SpawnZF", SpawnZF},
          Module{"UpdateFahrzeuge", UpdateFahrzeuge}, Module{"UpdatePersonen", UpdatePersonen},
          Module{"UpdateSonderObj", UpdateSonderObj},
          Module{"UpdateHouseObjAnims", UpdateHouseObjAnims},
          Module{"UpdateCellAnimations", UpdateCellAnimations},
          Module{"UpdateKanzelLift", UpdateKanzelLift},
          Module{"UpdateSoundPositions", UpdateSoundPositions}}) {
        const MissionStep* s = step(m.name);
        ASSERT_NE(s, nullptr) << m.name;
        EXPECT_EQ(s->run, m.run) << m.name;
    }

    // The tick's own steps, each run alone, move only their own counter.
    MissionHookRows[0].UpdateMission = UpdateMissionForTest;
    LflugCooldown = 3;
    MissionClockMode = 1;
    for (const char* name :
         {"UpdateMission", "BrandPhase", "LflugCooldown", "TickCounter", "MissionClock"})
        runStep(name);
    EXPECT_EQ(g_ran, std::vector<std::string>{"UpdateMission"});
    EXPECT_EQ(BrandPhase, 1);
    EXPECT_EQ(LflugCooldown, 2);
    EXPECT_EQ(TickCounter, 1u);
    EXPECT_EQ(MissionClock, 1u);
    runStep("TickCounter");
    EXPECT_EQ(TickCounter, 2u);
    EXPECT_EQ(BrandPhase, 1);
    EXPECT_EQ(MissionClock, 1u);
}

TEST_F(MissionTickTest, AFrameAtSpeedThreeRunsThreeTicksAndFlashesTheLightsOnce) {
    RecordTheMissionView();
    MissionView.RunCommandSlots = CommandSlotsGoOn;
    MissionHookRows[0].UpdateMission = UpdateMissionForTest;
    GameSpeed = 3;
    MissionClockMode = 1;
    RunMissionFrame();
    EXPECT_EQ(g_ran, (std::vector<std::string>{"RunCommandSlots", "ScrollView", "UpdateMission",
                                               "UpdateMission", "UpdateMission", "BuildDrawList",
                                               "ChooseCursor", "DrawGameScreen", "CheckMission"}));
    EXPECT_EQ(TickCounter, 3u);
    EXPECT_EQ(MissionClock, 3u);
    EXPECT_EQ(BrandPhase, 3);
    // The first frame of the program shows rows 1 and 6, the next rows 2 and 7.
    EXPECT_EQ(colour(kBlueLightFirstEntry), row(1));
    EXPECT_EQ(colour(kBlueLightSecondEntry), row(6));
    RunMissionFrame();
    EXPECT_EQ(colour(kBlueLightFirstEntry), row(2));
    EXPECT_EQ(colour(kBlueLightSecondEntry), row(7));
    EXPECT_EQ(BrandPhase, 1) << "back to 0 after 4";
    // Ten frames later the pulse is where it was.
    for (int n = 0; n < 10; ++n) CyclePaletteColours();
    EXPECT_EQ(colour(kBlueLightFirstEntry), row(2));
}

TEST_F(MissionTickTest, OpeningAnotherScreenEndsTheFrameBeforeAnythingElse) {
    RecordTheMissionView();
    MissionView.RunCommandSlots = CommandSlotsOpenAScreen;
    const int paletteChanges = backend.paletteChanges();
    RunMissionFrame();
    EXPECT_EQ(g_ran, std::vector<std::string>{"RunCommandSlots"});
    EXPECT_EQ(TickCounter, 0u);
    EXPECT_EQ(backend.paletteChanges(), paletteChanges);

    // Without command buttons the frame goes on.
    MissionView.RunCommandSlots = nullptr;
    RunMissionFrame();
    EXPECT_EQ(TickCounter, 1u);
}

TEST_F(MissionTickTest, TicksWithoutDrawingLeaveThePaletteAndTheDrawList) {
    RecordTheMissionView();
    const int paletteChanges = backend.paletteChanges();
    RunGameTicks(0);
    EXPECT_EQ(TickCounter, 1u);
    EXPECT_EQ(backend.paletteChanges(), paletteChanges);
    EXPECT_TRUE(g_ran.empty());
}

TEST_F(MissionTickTest, AFatalErrorEndsTheFrameWhereItHappens) {
    RecordTheMissionView();
    PutTickRecorders(std::make_index_sequence<kTickStepCount>{});
    MissionTickSteps[5].run = FailingStep;
    GameSpeed = 3;
    RunMissionFrame();
    EXPECT_EQ(g_ran, (std::vector<std::string>{"ScrollView", "RecountSearchers", "UpdateBrand",
                                               "ApplyBrandDamage", "SpawnZF", "UpdateFahrzeuge",
                                               "fails"}));
    EXPECT_EQ(TickCounter, 0u);
}

struct ClockCase {
    std::uint8_t mode;
    std::uint32_t start;
    std::uint32_t afterThree;
};

class MissionClockTest : public MissionTickTest, public testing::WithParamInterface<ClockCase> {};

TEST_P(MissionClockTest, CountsUpDownToZeroOrStands) {
    const ClockCase c = GetParam();
    MissionClockMode = c.mode;
    MissionClock = c.start;
    for (int n = 0; n < 3; ++n) RunGameTicks(0);
    EXPECT_EQ(MissionClock, c.afterThree);
    EXPECT_EQ(TickCounter, 3u);
}

INSTANTIATE_TEST_SUITE_P(Modes, MissionClockTest,
                         testing::Values(ClockCase{0, 7, 7}, ClockCase{1, 1198, 1201},
                                         ClockCase{2, 5, 2}, ClockCase{2, 2, 0}, ClockCase{7, 0, 0},
                                         // Read as signed, this clock is below 0.
                                         ClockCase{2, 0x80000000u, 0x80000000u}));

TEST_F(MissionTickTest, EveryTickStartsTheSearcherCountAndCountsTheCooldownDownToZero) {
    SearchingMoverCount = 9;
    LflugCooldown = 2;
    BrandPhase = 4;
    for (int n = 0; n < 3; ++n) RunGameTicks(0);
    EXPECT_EQ(RecountSearchers, 1);
    EXPECT_EQ(SearchingMoverCount, 0);
    EXPECT_EQ(LflugCooldown, 0);
    EXPECT_EQ(BrandPhase, 2);
}

}  // namespace
}  // namespace kv
