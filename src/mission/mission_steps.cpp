#include "mission/mission_steps.h"

#include "core/fatal_error.h"
#include "mission/input/cursor_choice.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "mission/panels/commands.h"
#include "mission/scroll_view.h"
#include "mission/view/draw_list.h"
#include "mission/view/game_screen.h"

namespace kv {

namespace {

constexpr MissionViewSteps kMissionViewSteps{
    .RunCommandSlots = RunCommandSlots,
    .ScrollView = ScrollView,
    .ChooseCursor = ChooseCursor,
    .BuildDrawList = BuildDrawList,
    .DrawGameScreen = DrawGameScreen,
};

}  // namespace

MissionViewSteps MissionView = kMissionViewSteps;

bool RunMissionSteps(std::span<const MissionStep> steps) {
    for (const MissionStep& step : steps) {
        if (step.run != nullptr) step.run();
        if (FatalErrorRaised()) return false;
    }
    return true;
}

void ResetMissionSteps() {
    MissionView = kMissionViewSteps;
    MissionInitSteps = DefaultMissionInitSteps();
    MissionFreeSteps = DefaultMissionFreeSteps();
    MissionTickSteps = DefaultMissionTickSteps();
}

}  // namespace kv
