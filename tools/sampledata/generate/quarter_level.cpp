// The prison quarter: paved streets and squares between blocks of flats and offices, the walled
// prison compound west of the square in front of its gate, a through road along the top, and the
// roads the rescue comes in and leaves by on the left, clear of the way the rioters come in.
// Missions 4, 25 and 26 play here.

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
    // In from the left edge along y 1873, north, and east below the rioters' way in from the
    // left, through the gap between the blocks of flats (west of the hydrant at (1285, 1575)) to
    // the stands south-east of the square.
    b.road({{-200, 1873},
            {880, 1873},
            {880, 1660},
            {1210, 1660},
            {1225, 1560},
            {1280, 1440},
            {1380, 1200},
            {1430, 1000},
            {1430, 900}},
           30, 224);
    // Out: north from the entry road and west to the left edge at the exit (y 1427), its lanes
    // south of the hydrant at (120, 1380).
    b.branch({880, 1660}, {{880, 1640}, {880, 1447}, {-200, 1447}}, 26, 224);
    return b;
}

}  // namespace kv::sampledata
