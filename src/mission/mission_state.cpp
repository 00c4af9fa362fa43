#include "mission/mission_state.h"

namespace kv {

std::uint8_t MissionNummer = 0;
std::uint8_t PartTwo = 0;
std::int16_t MapMaxX = 0;
std::int16_t MapMaxY = 0;
std::uint16_t ViewRowLimit = 0;

void ResetMissionState() {
    MissionNummer = 0;
    PartTwo = 0;
    MapMaxX = 0;
    MapMaxY = 0;
    ViewRowLimit = 0;
}

}  // namespace kv
