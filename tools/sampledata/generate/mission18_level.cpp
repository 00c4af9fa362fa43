// Mission 18's level: a heath with a holiday camp in the north, a walled yard by the western road,
// a wood east of the camp where the fire starts, a second wood round the houses in the north-east
// that a hedge joins to the first, and a lake along the whole south, with the containers and the
// slipway on its western shore.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

namespace {

// The first wood: the drainage line (columns 102..115, rows 39 and 40) runs through it.
void FirstWood(LevelBuilder& b) {
    for (int r = 37; r <= 42; ++r)
        for (int c = 100; c <= 120; ++c) b.paintCell(Ground::Forest, c, r);
}

// A hedge from the first wood's east end, east along row 42 and north up column 130 into the
// second wood: one cell wide, so the fire creeps along it. A branch of it round the two houses
// at row 45.
void Hedge(LevelBuilder& b) {
    for (int c = 121; c <= 130; ++c) b.paintCell(Ground::Forest, c, 42);
    for (int r = 32; r <= 41; ++r) b.paintCell(Ground::Forest, 130, r);
    for (int r = 43; r <= 44; ++r)
        for (int c = 127; c <= 140; ++c) b.paintCell(Ground::Forest, c, r);
    for (int r = 45; r <= 49; ++r) {
        b.paintCell(Ground::Forest, 127, r);
        b.paintCell(Ground::Forest, 128, r);
    }
}

// The second wood, round the houses in the north-east; the parked car at its edge keeps sand.
void SecondWood(LevelBuilder& b) {
    b.paint(Ground::Forest, 2700, 440, 3620, 900);
    b.paint(Ground::Sand, 3560, 440, 3800, 560);
}

// The yard's wall, open only where the gate stands (the two cells of row 26 under it).
void Yard(LevelBuilder& b) {
    b.paintAlong(Ground::Wall, {{665, 742}, {665, 574}, {985, 574}, {985, 742}}, 16);
    b.paintAlong(Ground::Wall, {{665, 742}, {770, 742}}, 16);
    b.paintAlong(Ground::Wall, {{870, 742}, {985, 742}}, 16);
}

// The lake: from y 2520 along the western shore, from 2436 east of x 2980, so that the swimmers
// lie within a ring's throw of the bank.
void Lake(LevelBuilder& b) {
    b.paint(Ground::Lake, 250, 2520, 6000, 3000);
    b.paint(Ground::Lake, 2980, 2436, 6000, 3000);
}

}  // namespace

LevelBuilder Mission18Level() {
    LevelBuilder b(167, 97, Ground::Sand);
    FirstWood(b);
    Hedge(b);
    SecondWood(b);
    Yard(b);
    Lake(b);
    // The roads in: the northern one along the camp, the southern one past the yard's gate.
    const std::vector<int> north = b.road({{-230, 445}, {1100, 445}, {2450, 445}}, 30, 224);
    const std::vector<int> south = b.road({{-440, 815}, {1070, 815}}, 30, 224);
    // A road joining them and on south to the lake road.
    const std::vector<int> link =
        b.road({{1100, 475}, {1100, 815}, {1100, 2200}, {1100, 2330}}, 30, 224);
    b.link(b.nearestNode(1100, 445), link.front(), terrain::kRoad, kRoadLane);
    b.link(south.back(), b.nearestNode(1100, 815), terrain::kRoad, kRoadLane);
    // From the camp's east end south past the first wood and east below it, to the houses at
    // row 45.
    const std::vector<int> east = b.road({{2450, 475}, {2450, 1250}, {3250, 1250}}, 30, 224);
    b.link(north.back(), east.front(), terrain::kRoad, kRoadLane);
    // West past the containers to the slipway, and east along the lake's shore.
    const std::vector<int> containers = b.road({{1070, 2200}, {330, 2200}, {330, 2480}}, 30, 224);
    b.link(b.nearestNode(1100, 2200), containers.front(), terrain::kRoad, kRoadLane);
    const std::vector<int> shore = b.road({{1130, 2330}, {3300, 2330}}, 30, 224);
    b.link(link.back(), shore.front(), terrain::kRoad, kRoadLane);
    // The fire, at the first wood's west end.
    b.ignite(100, 39);
    b.ignite(100, 40);
    return b;
}

}  // namespace kv::sampledata
