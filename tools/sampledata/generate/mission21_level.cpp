// Mission 21's level: an open grass field where the airliner came down, a main road along the
// bottom with a lane up to the field, and ponds and a river-like water to its south and west
// where panicking passengers can fall in and pontoons can be laid.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"
#include "world/level_map.h"

namespace kv::sampledata {

namespace {

// The places where a wandering passenger goes into the water, each with the bank beside it
// that the one pulling it out stands on (20 px to the side, on the same line).
struct WaterPoint {
    PixelPos water;
    int bankDx;
};
constexpr WaterPoint kWaterPointsM21[] = {
    {{1265, 812}, -20},
    {{1554, 1215}, -20},
    {{1806, 1730}, -20},
    {{2173, 1162}, 20},
};

void PaintAt(LevelBuilder& b, Ground ground, PixelPos p) {
    const CellPos c = CellFromPixel(p.x, p.y);
    b.paintCell(ground, c.column, c.row);
}

}  // namespace

LevelBuilder Mission21Level() {
    LevelBuilder b(142, 88, Ground::Grass);
    // Meadow round the field, so the grass where the aircraft lies stands out.
    b.paint(Ground::Meadow, 1300, 150, 3200, 1100);
    b.paint(Ground::Grass, 1820, 280, 2600, 950);
    // The water: a pond west of the field, two long waters under the pontoon places and a pond
    // in the south. The banks the water points need are put back after.
    b.paint(Ground::Water, 1270, 770, 1420, 860);
    b.paint(Ground::Water, 890, 1370, 1250, 1450);
    b.paint(Ground::Water, 1545, 1176, 2270, 1232);
    b.paint(Ground::Water, 1810, 1700, 1960, 1790);
    for (const WaterPoint& w : kWaterPointsM21) {
        PaintAt(b, Ground::Water, w.water);
        PaintAt(b, Ground::Grass, {w.water.x + w.bankDx, w.water.y});
    }
    // The main road along rows 79..82, and a lane from it up to the field and along its southern
    // edge, so that a vehicle anywhere on the field finds the road within its reach and goes home
    // by it rather than straight across the waters. The bend keeps well east of the western
    // water, so that a vehicle keeping right through it stays on dry ground.
    b.eastWestRoad(2212, 2324, 224);
    b.branch({700, 2254}, {{700, 2230}, {1440, 1500}, {1440, 1000}, {1800, 960}, {2640, 1000}}, 28,
             224);
    return b;
}

}  // namespace kv::sampledata
