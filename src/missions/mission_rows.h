#pragma once
// The missions' hook rows, one per mission file mNN.cpp.

#include <cstdint>

#include "core/mission_hooks.h"

namespace kv {

extern const MissionHooks kMissionHooksM01;
extern const MissionHooks kMissionHooksM02;
extern const MissionHooks kMissionHooksM03;
extern const MissionHooks kMissionHooksM04;
extern const MissionHooks kMissionHooksM05;
extern const MissionHooks kMissionHooksM07;
extern const MissionHooks kMissionHooksM08;
extern const MissionHooks kMissionHooksM09;
extern const MissionHooks kMissionHooksM11;
extern const MissionHooks kMissionHooksM17;
extern const MissionHooks kMissionHooksM18;
extern const MissionHooks kMissionHooksM21;
extern const MissionHooks kMissionHooksM24;

// Mission 3's person order 186, which the persons reach through their hook table: the caller
// below the tree calls the cat down.
void RunPersonBefehl186M03(std::int16_t person);

// Person order 218, mission 4's own: the ringleader agitating at the prison gate.
void RunPersonBefehl218M04(std::int16_t person);

// Person order 222, mission 17's own: closing the gas house.
void RunPersonBefehl222M17(std::int16_t person);

// Mission 18's order callback 12: the cut gate (object, worker) starts to slide open.
void OnBefehlDone12M18(std::int32_t object, std::int32_t worker);

// Writes every mission's row into MissionHookRows; a mission without a file keeps an empty row.
void InstallMissionHooks();

}  // namespace kv
