#pragma once
// The missions' hook rows, one per mission file mNN.cpp.

#include "core/mission_hooks.h"

namespace kv {

extern const MissionHooks kMissionHooksM01;
extern const MissionHooks kMissionHooksM02;
extern const MissionHooks kMissionHooksM05;
extern const MissionHooks kMissionHooksM21;

// Writes every mission's row into MissionHookRows; a mission without a file keeps an empty row.
void InstallMissionHooks();

}  // namespace kv
