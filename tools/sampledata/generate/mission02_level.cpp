// Mission 2's level: a ring of wood round a camp clearing on a heath in the north-west, a small
// settlement among fields and meadows in the south and east, and the main road along the bottom.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

LevelBuilder Mission02Level() {
    LevelBuilder b(125, 64, Ground::Grass);
    // The heath does not burn, so the fire keeps to the wood: a ring round the camp's clearing
    // (the ring's cells next to the clearing are the ones whose fire smokes the camp out), a
    // tongue running north from it where the fire starts, and a strip down to the first houses.
    b.paint(Ground::Sand, -2000, 0, 1400, 900);
    b.paint(Ground::Forest, 200, 170, 810, 560);
    b.paint(Ground::Sand, 320, 270, 690, 470);
    b.paint(Ground::Forest, 560, 40, 640, 170);
    b.paintAlong(Ground::Forest, {{780, 540}, {1000, 760}, {1200, 990}}, 28);
    b.paint(Ground::Field, 1080, 1140, 1320, 1330);
    b.paint(Ground::Field, 1700, 1140, 2200, 1300);
    b.paint(Ground::Meadow, 1900, 560, 2500, 900);
    b.eastWestRoad(1512, 1624, 224);
    // A road from the main road up the heath's west side to the wood's north end.
    const std::vector<int> north =
        b.road({{150, 1540}, {120, 600}, {120, 150}, {470, 60}}, 24, 224);
    b.link(b.nearestNode(150, 1568), north.front(), terrain::kRoad, kRoadLane);
    // The fire, at the north end of the tongue.
    b.ignite(19, 2);
    b.ignite(20, 2);
    return b;
}

}  // namespace kv::sampledata
