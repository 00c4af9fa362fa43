#include "core/mission_extras.h"

namespace kv {

std::vector<MissionExtraRect> MissionExtras;
std::uint8_t MissionExtraCount = 0;
std::uint8_t MissionExtraActive = 0;

void AllocMissionExtras() {
    MissionExtras.assign(MissionExtraCount, MissionExtraRect{});
}

void FreeMissionExtras() {
    MissionExtras = {};
    MissionExtraCount = 0;
    MissionExtraActive = 0;
}

}  // namespace kv
