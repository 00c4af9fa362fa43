#include "mission/mission_extras.h"

#include "core/mission_hooks.h"

namespace kv {

void InitMissionExtras(int mission) {
    FreeMissionExtras();
    if (const auto hook = OptionalMissionHook(mission, &MissionHooks::InitMissionExtras)) hook();
}

}  // namespace kv
