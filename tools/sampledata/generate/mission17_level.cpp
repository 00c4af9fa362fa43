// Mission 17's level: a paved town centre. Streets run east-west under the rows of parked cars;
// the rescue comes in on the northern street from the left edge, goes round the east side of the
// town block and along the street south of it to the store, where the casualties, the rubble and
// the gas house lie. The way out is the street at y 434, back to the left edge.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

LevelBuilder Mission17Level() {
    LevelBuilder b(132, 64, Ground::Sand);
    // The streets under the car rows, edge to edge where no house stands in the way.
    for (const int y : {55, 142, 590, 1290, 1427, 1514, 1652, 1737})
        b.paint(Ground::Road, -2000, y - 30, 5000, y + 30);
    // The entry street, with its road graph.
    b.eastWestRoad(180, 240, 224);
    // Down the east side of the block and west along the street south of it to the store.
    b.branch({2330, 210}, {{2330, 238}, {2330, 1130}, {1750, 1130}}, 30, 224);
    // The way out: from the entry street south at x 780 and west along y 434 to the edge.
    b.branch({780, 210}, {{780, 238}, {780, 434}, {0, 434}}, 26, 224);
    return b;
}

}  // namespace kv::sampledata
