#include "core/mission_points.h"

namespace kv {

MapExitPoint RoadExit;
MapExitPoint WaterExit;

void ResetMissionPoints() {
    RoadExit = {};
    WaterExit = {};
}

}  // namespace kv
