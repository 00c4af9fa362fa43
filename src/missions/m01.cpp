// Mission 1.

#include "missions/mission_rows.h"

namespace kv {

// Hooks arrive with the modules that call them.
const MissionHooks kMissionHooksM01{};

}  // namespace kv
