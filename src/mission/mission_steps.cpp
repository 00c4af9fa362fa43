#include "mission/mission_steps.h"

#include "mission/mission_start.h"
#include "mission/mission_tick.h"

namespace kv {

namespace {

// Filled in as the mission view's parts arrive.
constexpr MissionViewSteps kMissionViewSteps{};

}  // namespace

MissionViewSteps MissionView = kMissionViewSteps;

void ResetMissionSteps() {
    MissionView = kMissionViewSteps;
    MissionInitSteps = DefaultMissionInitSteps();
    MissionFreeSteps = DefaultMissionFreeSteps();
    MissionTickSteps = DefaultMissionTickSteps();
}

}  // namespace kv
