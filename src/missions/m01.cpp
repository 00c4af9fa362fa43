// Mission 1.

#include "missions/mission_rows.h"

namespace kv {

namespace {

// Nothing burns at the start.
void InitBrandM01() {}

}  // namespace

// Hooks arrive with the modules that call them.
const MissionHooks kMissionHooksM01{
    .InitBrand = InitBrandM01,
};

}  // namespace kv
