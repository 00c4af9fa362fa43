// The missions' level files and tile sets.

#include "generate/mission_levels.h"
#include "generate/level_builder.h"
#include "generate/topics.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

namespace {

// Mission 1: a country road running east-west between fields, a wood in the north-east and a
// meadow south of the road where the accident lies. The road runs on for some 2300 px east of the
// wrecks: the mission's room for 20 vehicles fills with cars queueing behind them before the
// queue backs up to the map's edge, so a player at normal speed has time to clear the road.
LevelBuilder Mission01() {
    LevelBuilder b(121, 38, Ground::Grass);
    b.paint(Ground::Field, 120, 40, 900, 440);
    b.paint(Ground::Field, 100, 640, 900, 1040);
    b.paint(Ground::Forest, 1250, 30, 1790, 410);
    b.paint(Ground::Sand, 960, 720, 1210, 990);
    b.paint(Ground::Water, 1000, 760, 1170, 950);
    b.paint(Ground::Meadow, 1280, 630, 1700, 905);
    b.paint(Ground::Field, 2250, 40, 2650, 440);
    b.paint(Ground::Field, 1850, 640, 2500, 1040);
    b.paint(Ground::Forest, 2750, 30, 3800, 410);
    b.paint(Ground::Meadow, 2600, 640, 3300, 1040);
    b.eastWestRoad(475, 585, 224);
    return b;
}

}  // namespace

LevelBuilder StationSquare() {
    // A paved town: only the park in the south-west and the lawns in the north-east burn, so a
    // fire in the station stays there.
    LevelBuilder b(104, 43, Ground::Sand);
    b.paint(Ground::Meadow, -400, 1000, 300, 1200);
    b.paint(Ground::Grass, 2300, 280, 3000, 600);
    // The street along the north, where vehicles come in at the left edge (in at y 193, out at
    // y 143) and the hydrants stand on its northern kerb.
    b.eastWestRoad(120, 230, 224);
    // Down through the gap between the houses of the second row, west past the station and along
    // its front to the two western entrances, so that the engines stand at the station within a
    // minute of coming in; on south to the street along the square's far side, clear of its
    // kiosks. The way down leaves the street southwards from one of its nodes.
    b.branch({1130, 175},
             {{1150, 260}, {1180, 420}, {1130, 640}, {1140, 800}, {1180, 990}, {2050, 990}}, 30,
             200);
    b.branch({1140, 800}, {{1200, 800}, {1400, 800}}, 30, 200);
    return b;
}

bool WriteMissionLevels(const OutputTree& out) {
    return Mission01().write(out, 1, false) && Mission02Level().write(out, 2, false) &&
           Mission03Level().write(out, 3, false) && PrisonQuarter().write(out, 4, false) &&
           Mission05Level().write(out, 5, false) && StationSquare().write(out, 7, false) &&
           Mission08Level().write(out, 8, false) && Mission09Level().write(out, 9, false) &&
           Mission11Level().write(out, 11, false) && Mission11LevelB().write(out, 11, true) &&
           Mission12Level().write(out, 12, false) && Mission13Level().write(out, 13, false) &&
           Mission16Level().write(out, 16, false) && Mission17Level().write(out, 17, false) &&
           Mission18Level().write(out, 18, false) && Mission20Level().write(out, 20, false) &&
           Mission21Level().write(out, 21, false) && StationSquare().write(out, 23, false) &&
           Mission24Level().write(out, 24, false) && PrisonQuarter().write(out, 25, false) &&
           Mission29Level().write(out, 29, false);
}

}  // namespace kv::sampledata
