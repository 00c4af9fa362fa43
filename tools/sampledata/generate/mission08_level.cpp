// Mission 8's level: a paved town grid, rows of houses between east-west streets. The rescue
// comes in from the left edge on the street at y 949, between the third and fourth house rows,
// turns south before the restaurant and runs east along the open ground in front of it, where the
// wreck lies. The way out is the street at y 619, back to the left edge. Only a patch of lawn in
// front of the southern houses burns at the start.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

LevelBuilder Mission08Level() {
    LevelBuilder b(157, 70, Ground::Paving);
    // The streets between the house rows, edge to edge.
    for (const int y : {364, 1540, 1820}) b.paint(Ground::Road, -3000, y - 40, 6000, y + 40);
    b.eastWestRoad(590, 650, 224);
    // In at the left edge, south before the restaurant and east along its front.
    b.road({{-100, 949}, {1420, 949}, {1460, 1250}, {2300, 1250}}, 30, 224);
    b.paintCell(Ground::Grass, 76, 53);
    // The lawn in front of the restaurant, under the wreck: the burning wreck sets it alight, and
    // its fire, left alone, reaches the restaurant.
    b.paint(Ground::Grass, 1580, 1149, 1720, 1200);
    return b;
}

}  // namespace kv::sampledata
