// Mission 13's level: a small town of paved streets. Vehicles come in from the left edge on the
// northern street (in at y 221, out at y 171), turn south through the gap between the third and
// fourth houses of the northern row, cross the street of the drains, pass between the houses
// south of it and reach the open ground where the tanker lies, its tank trailer south of the
// truck and the puddle and sand heap beside them.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

LevelBuilder Mission13Level() {
    LevelBuilder b(102, 53, Ground::Sand);
    // The lawns between the houses.
    b.paint(Ground::Grass, -600, 1180, 700, 1480);
    b.paint(Ground::Grass, 1500, 1000, 2300, 1480);
    // The northern street and the street of the drains, edge to edge.
    b.eastWestRoad(150, 240, 224);
    b.eastWestRoad(440, 560, 224);
    // Down from the northern street, across the drains' street, to the site.
    b.branch({870, 221}, {{870, 242}, {770, 500}, {660, 780}, {740, 840}}, 36, 200);
    return b;
}

}  // namespace kv::sampledata
