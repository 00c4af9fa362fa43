// Mission 9's level: the stadium's wall across the north with its two gates, a car park at the
// top left, the open ground outside where the fans gather and fight, a street coming in from the
// right edge, and at the bottom the railway with its platform.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

LevelBuilder Mission09Level() {
    LevelBuilder b(76, 60, Ground::Grass);
    // The stadium is closed to everyone but at its gates, each open for a walker's way in.
    b.paint(Ground::Rock, 560, 0, 1500, 700);
    for (const int gateX : {982, 1112}) b.paint(Ground::Sand, gateX - 40, 560, gateX + 40, 700);
    // The car park.
    b.paint(Ground::Sand, -100, 60, 520, 600);
    // The street in from the right edge, ending in the open ground.
    b.road({{1650, 1428}, {1250, 1428}, {1000, 1428}}, 60, 224);
    // The track can be crossed on foot; past it only the platform is open.
    b.paint(Ground::Sand, -1000, 1540, 1500, 1577);
    b.paint(Ground::Rock, -1000, 1578, 1500, 1700);
    b.paint(Ground::Sand, 350, 1578, 760, 1620);
    return b;
}

}  // namespace kv::sampledata
