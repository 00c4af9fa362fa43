#include "core/mission_points.h"

namespace kv {

ExitPoint RoadExit;
ExitPoint WaterExit;

void ResetMissionPoints() {
    RoadExit = {};
    WaterExit = {};
}

}  // namespace kv
