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
extern const MissionHooks kMissionHooksM12;
extern const MissionHooks kMissionHooksM13;
extern const MissionHooks kMissionHooksM16;
extern const MissionHooks kMissionHooksM17;
extern const MissionHooks kMissionHooksM18;
extern const MissionHooks kMissionHooksM20;
extern const MissionHooks kMissionHooksM21;
extern const MissionHooks kMissionHooksM23;
extern const MissionHooks kMissionHooksM24;
extern const MissionHooks kMissionHooksM25;
extern const MissionHooks kMissionHooksM29;

// Mission 3's person order 186, which the persons reach through their hook table: the caller
// below the tree calls the cat down.
void RunPersonBefehl186M03(std::int16_t person);

// Person order 197, mission 12's own: taking the vertical beam out of the wreckage.
void RunPersonBefehl197M12(std::int16_t person);
// Order callback 9, mission 12's: the passenger has been cut out of the car.
void OnBefehlDone09M12(std::int32_t slot, std::int32_t person);
// Order callbacks 5 and 10, mission 13's: the driver has been cut out of the truck; the sand heap
// has been pushed over the puddle.
void OnBefehlDone05M13(std::int32_t slot, std::int32_t person);
void OnBefehlDone10M13(std::int32_t slot, std::int32_t vehicle);

// Order callbacks 7 and 8, mission 16's: the driver has been cut out of the car wreck, the
// passenger out of the coach.
void OnBefehlDone07M16(std::int32_t slot, std::int32_t person);
void OnBefehlDone08M16(std::int32_t slot, std::int32_t person);

// Person order 218, mission 4's own: the ringleader agitating at the prison gate.
void RunPersonBefehl218M04(std::int16_t person);

// Person order 222, mission 17's own: closing the gas house.
void RunPersonBefehl222M17(std::int16_t person);

// Mission 18's order callback 12: the cut gate (object, worker) starts to slide open.
void OnBefehlDone12M18(std::int32_t object, std::int32_t worker);
// Order callback 11, mission 20's: the wreck (object) worked open, the pilot it holds comes out.
void OnBefehlDone11M20(std::int32_t object, std::int32_t person);
// Order-done callback 13, mission 29's own: the pilot taken down from his parachute (object) by
// the rescuer (person) comes down as a casualty.
void OnBefehlDone13M29(std::int32_t object, std::int32_t person);

// Writes every mission's row into MissionHookRows; a mission without a file keeps an empty row.
void InstallMissionHooks();

}  // namespace kv
