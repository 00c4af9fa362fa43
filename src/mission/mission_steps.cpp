#include "mission/mission_steps.h"

#include "core/fatal_error.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "mission/input/cursor_choice.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "mission/panels/commands.h"
#include "mission/panels/control_panel.h"
#include "mission/scroll_view.h"
#include "mission/view/draw_list.h"

namespace kv {

namespace {

// Until the world screen comes, the mission's frame shows the panels around an empty world view
// (which the screen before, such as the campaign map, may have left drawn), so that the buttons
// carry their commands and can be seen.
void DrawPanelsOnly() {
    if (WorkBuffer == nullptr) return;
    DrawTarget = WorkBuffer;
    DrawPitch = kScreenWidth;
    FillRect8(kWorldView.left, kWorldView.top, kWorldView.right - kWorldView.left + 1,
              kWorldView.bottom - kWorldView.top + 1, 0, DrawTarget, DrawPitch);
    DrawControlPanel();
    DrawTarget = nullptr;
    PresentWorkBuffer();
}

// Filled in as the mission view's parts arrive.
constexpr MissionViewSteps kMissionViewSteps{
    .RunCommandSlots = RunCommandSlots,
    .ScrollView = ScrollView,
    .ChooseCursor = ChooseCursor,
    .BuildDrawList = BuildDrawList,
    .DrawGameScreen = DrawPanelsOnly,
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
