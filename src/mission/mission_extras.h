#pragma once
// The mission's overlap rectangles (core/mission_extras.h) are set at its start.

#include "core/mission_extras.h"

namespace kv {

// Empties the list, then runs the mission's own set-up where it has one.
void InitMissionExtras(int mission);

}  // namespace kv
