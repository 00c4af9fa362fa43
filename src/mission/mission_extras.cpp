#include "mission/mission_extras.h"

#include "core/mission_hooks.h"

namespace kv {

std::vector<MissionExtraRect> MissionExtras;
std::uint8_t MissionExtraCount = 0;
std::uint8_t MissionExtraActive = 0;

void InitMissionExtras(int mission) {
    FreeMissionExtras();
    if (const auto hook = OptionalMissionHook(mission, &MissionHooks::InitMissionExtras)) hook();
}

void AllocMissionExtras() {
    MissionExtras.assign(MissionExtraCount, MissionExtraRect{});
}

void FreeMissionExtras() {
    MissionExtras = {};
    MissionExtraCount = 0;
    MissionExtraActive = 0;
}

}  // namespace kv
