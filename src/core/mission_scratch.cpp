#include "core/mission_scratch.h"

namespace kv {

MissionScratchWords MissionScratch;

std::uint16_t DroppedFahrzeugM27() {
    return MissionScratch.S1;
}

void SetDroppedFahrzeugM27(std::uint16_t vehicle) {
    MissionScratch.S1 = vehicle;
}

}  // namespace kv
