// The prison quarter: paved streets and squares between blocks of flats and offices, the walled
// prison compound west of the square in front of its gate, a through road along the top, and the
// roads the rescue comes in and leaves by on the left. Missions 4, 25 and 26 play here.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

LevelBuilder PrisonQuarter() {
    // Paving does not burn: a fire stays with the house or barricade it started in.
    LevelBuilder b(147, 88, Ground::Paving);
    // The compound, walled: its gate stands in the east wall at (973, 728), and the square in
    // front of it runs east to the barricades at x 1240. The ground south of it stays open.
    b.paint(Ground::Wall, 600, 530, 955, 780);
    // The through road, edge to edge; its traffic keeps to y 83 and y 139.
    b.eastWestRoad(60, 160, 224);
    // In from the left edge along y 1873, north past the exit road, and on to the east side of
    // the square, where the vehicles stop short of the barricades.
    b.road({{-200, 1873},
            {880, 1873},
            {880, 1427},
            {1120, 1380},
            {1250, 1140},
            {1340, 900},
            {1340, 660}},
           30, 224);
    // Out along y 1427 to the left edge.
    const std::vector<int> out = b.road({{860, 1427}, {-200, 1427}}, 26, 224);
    b.link(b.nearestNode(880, 1427), out.front(), terrain::kRoad, kRoadLane);
    return b;
}

}  // namespace kv::sampledata
