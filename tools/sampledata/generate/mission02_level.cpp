// Mission 2's level: a ring of wood round a camp clearing on a heath in the north-west, a small
// settlement among fields and meadows in the south and east, and the main road along the bottom.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

LevelBuilder Mission02Level() {
    LevelBuilder b(125, 64, Ground::Grass);
    // The heath does not burn, so the fire keeps to the wood: a ring round the camp's clearing
    // (the ring's cells next to the clearing are the ones whose fire smokes the camp out), a
    // hedge winding over the heath north of it where the fire starts, and a strip down to the
    // first houses.
    b.paint(Ground::Sand, -2000, 0, 1560, 900);
    b.paint(Ground::Forest, 200, 170, 810, 560);
    b.paint(Ground::Sand, 320, 270, 690, 470);
    // The hedge is a single row of cells, so the fire creeps along it one cell at a time instead
    // of spreading in a widening front: east along row 2, down column 60 and back west along row
    // 6 into the ring, some 3600 ticks, long enough for tankers bought at the start to reach the
    // ring's corner before it. Its legs lie four rows apart, too far for the heat to jump between
    // them, and the sand between them is the tankers' way along it. The heath reaches far enough
    // east round the hedge's east end that the heat finds no grass there.
    b.paint(Ground::Sand, 1500, 0, 2400, 330);
    for (int c = 19; c <= 60; ++c) b.paintCell(Ground::Forest, c, 2);
    for (int r = 3; r <= 6; ++r) b.paintCell(Ground::Forest, 60, r);
    for (int c = 29; c <= 59; ++c) b.paintCell(Ground::Forest, c, 6);
    b.paintAlong(Ground::Forest, {{780, 540}, {1000, 760}, {1200, 990}}, 28);
    b.paint(Ground::Field, 1080, 1140, 1320, 1330);
    b.paint(Ground::Field, 1700, 1140, 2200, 1300);
    b.paint(Ground::Meadow, 1900, 560, 2500, 900);
    b.eastWestRoad(1512, 1624, 224);
    // A road from the main road up the heath's west side to the wood's north end, far enough
    // from the wood for a tanker to turn at its bend.
    b.branch({150, 1568}, {{150, 1540}, {80, 600}, {80, 110}, {470, 60}}, 24, 224);
    // A track from its bend east over the heath between the hedge's legs, for the tankers.
    b.branch({80, 110}, {{110, 125}, {1250, 126}}, 24, 224);
    // The fire, at the hedge's west end.
    b.ignite(19, 2);
    b.ignite(20, 2);
    return b;
}

}  // namespace kv::sampledata
