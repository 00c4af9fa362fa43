// The missions' level files and tile sets.

#include "generate/mission_levels.h"
#include "generate/level_builder.h"
#include "generate/topics.h"

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

bool WriteMissionLevels(const OutputTree& out) {
    return Mission01().write(out, 1, false) && Mission02Level().write(out, 2, false) &&
           Mission05Level().write(out, 5, false) && Mission21Level().write(out, 21, false);
}

}  // namespace kv::sampledata
