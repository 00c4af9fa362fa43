#include "missions/mission_rows.h"

namespace kv {

void InstallMissionHooks() {
    ClearMissionHooks();
    MissionHookRows[0] = kMissionHooksM01;
    MissionHookRows[1] = kMissionHooksM02;
    MissionHookRows[4] = kMissionHooksM05;
    MissionHookRows[20] = kMissionHooksM21;
}

}  // namespace kv
