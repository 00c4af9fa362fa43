#include "missions/mission_rows.h"

namespace kv {

void InstallMissionHooks() {
    ClearMissionHooks();
    MissionHookRows[0] = kMissionHooksM01;
    MissionHookRows[1] = kMissionHooksM02;
    MissionHookRows[2] = kMissionHooksM03;
    MissionHookRows[3] = kMissionHooksM04;
    MissionHookRows[4] = kMissionHooksM05;
    MissionHookRows[6] = kMissionHooksM07;
    MissionHookRows[7] = kMissionHooksM08;
    MissionHookRows[8] = kMissionHooksM09;
    MissionHookRows[10] = kMissionHooksM11;
    MissionHookRows[11] = kMissionHooksM12;
    MissionHookRows[12] = kMissionHooksM13;
    MissionHookRows[15] = kMissionHooksM16;
    MissionHookRows[16] = kMissionHooksM17;
    MissionHookRows[17] = kMissionHooksM18;
    MissionHookRows[19] = kMissionHooksM20;
    MissionHookRows[20] = kMissionHooksM21;
    MissionHookRows[22] = kMissionHooksM23;
    MissionHookRows[23] = kMissionHooksM24;
    MissionHookRows[24] = kMissionHooksM25;
    MissionHookRows[28] = kMissionHooksM29;
}

}  // namespace kv
