#include "core/mission_hooks.h"

#include <string>

#include "core/fatal_error.h"

namespace kv {

std::array<MissionHooks, kMissionCount> MissionHookRows{};

MissionHooks* MissionHookRow(int mission) {
    if (mission < 1 || mission > kMissionCount) return nullptr;
    return &MissionHookRows[static_cast<std::size_t>(mission - 1)];
}

void ReportMissingMissionHook(const char* name) {
    FatalError(std::string(name) + " not defined");
}

void ClearMissionHooks() {
    MissionHookRows = {};
}

}  // namespace kv
