// Mission 16's level: a motorway across the whole map. The westbound carriageway carries two
// lanes (y 242 and 320), the grass median the car wreck, and the eastbound carriageway the lane
// towards the scene (y 535). South of it a grass verge holds the folded traffic-jam sign, and a
// gravel lay-by on it the burning coach and its passengers; below the verge a service road runs
// edge to edge, the only one with a road graph, so that the rescue never drives on the motorway's
// lanes.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

LevelBuilder Mission16Level() {
    LevelBuilder b(118, 40, Ground::Grass);
    // Whole rows, edge to edge of the sheared map, and no graph on the lanes.
    b.paint(Ground::Road, -1000, 196, 5000, 364);
    b.paint(Ground::RoadMarking, -1000, 294, 5000, 294);
    b.paint(Ground::Road, -1000, 476, 5000, 560);
    // The coach lies on a gravel lay-by with its passengers: its fire does not spread over the
    // verge to them.
    b.paint(Ground::Sand, 2500, 561, 3400, 866);
    b.eastWestRoad(870, 950, 224);
    return b;
}

}  // namespace kv::sampledata
