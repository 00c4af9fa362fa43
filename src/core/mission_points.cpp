#include "core/mission_points.h"

namespace kv {

MapEntryPoint RoadEntry;
MapExitPoint RoadExit;
MapEntryPoint WaterEntry;
MapExitPoint WaterExit;
KartePoint KarteMarker;

void ResetMissionPoints() {
    RoadEntry = {};
    RoadExit = {};
    WaterEntry = {};
    WaterExit = {};
    KarteMarker = {};
}

}  // namespace kv
