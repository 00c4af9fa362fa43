#include "core/mission_counters.h"

#include <gtest/gtest.h>

#include "support/record_offsets.h"

namespace kv {
namespace {

TEST(MissionCounters, SaveOffsetsOfTheNineCounters) {
    test::ExpectLayout<MissionCounterSet>(18, {{"ToteCount", 0},
                                               {"VerletzteCount", 2},
                                               {"LostBoughtFahrzeugCount", 4},
                                               {"LostMissionFahrzeugCount", 6},
                                               {"BurningCellCount", 8},
                                               {"BurningHouseCount", 10},
                                               {"BurningSonderObjCount", 12},
                                               {"BoughtFahrzeugCount", 14},
                                               {"F101Count", 16}});
}

}  // namespace
}  // namespace kv
