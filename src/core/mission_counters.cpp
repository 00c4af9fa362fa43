#include "core/mission_counters.h"

namespace kv {

std::uint16_t ToteCount = 0;
std::uint16_t LostBoughtFahrzeugCount = 0;
std::uint16_t LostMissionFahrzeugCount = 0;
std::uint16_t BoughtFahrzeugCount = 0;
std::uint16_t F101Count = 0;

void ResetMissionCounters() {
    ToteCount = 0;
    LostBoughtFahrzeugCount = 0;
    LostMissionFahrzeugCount = 0;
    BoughtFahrzeugCount = 0;
    F101Count = 0;
}

}  // namespace kv
