// Mission 18's level: a heath with a holiday camp in the north, a walled yard by the western road,
// a hedge below the camp where the fire starts, leading into a wood on the drainage line, a second
// wood round the houses in the north-east that another hedge joins to the first, and a lake along
// the whole south, with the containers and the slipway on its western shore.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

namespace {

// The fire starts at the west end of a hedge, one cell wide so that the fire creeps along it (some
// forty ticks a cell): east along row 31 below the camp, clear of the houses and the drain covers,
// then down column 97 into the first wood, whose cells the drainage line (columns 102..115, rows
// 39 and 40) runs through.
//
// Gaps of two cells break the hedge below the camp: the fire has to grow to its full heat before
// it leaps one, which holds it up some 400 ticks at each, so that tankers bought at the start
// stand at the hedge's way down in time.
constexpr int kHedgeGaps[] = {63, 70, 77, 84, 91};

bool InHedgeGap(int column) {
    for (const int gap : kHedgeGaps)
        if (column == gap || column == gap + 1) return true;
    return false;
}

void StartHedge(LevelBuilder& b) {
    for (int c = 57; c <= 97; ++c)
        if (!InHedgeGap(c)) b.paintCell(Ground::Forest, c, 31);
    for (int r = 32; r <= 37; ++r) b.paintCell(Ground::Forest, 97, r);
    for (int c = 98; c <= 99; ++c) b.paintCell(Ground::Forest, c, 37);
}

void FirstWood(LevelBuilder& b) {
    for (int r = 37; r <= 42; ++r)
        for (int c = 100; c <= 120; ++c) b.paintCell(Ground::Forest, c, r);
}

// From the first wood's east end east along row 42 and north up column 126 into the second wood,
// with a branch round the two houses at row 45.
void EastHedge(LevelBuilder& b) {
    for (int c = 121; c <= 126; ++c) b.paintCell(Ground::Forest, c, 42);
    for (int r = 29; r <= 41; ++r) b.paintCell(Ground::Forest, 126, r);
    for (int r = 43; r <= 44; ++r)
        for (int c = 126; c <= 140; ++c) b.paintCell(Ground::Forest, c, r);
}

// The second wood, round the houses in the north-east; the parked car at its edge keeps sand.
void SecondWood(LevelBuilder& b) {
    b.paint(Ground::Forest, 2760, 440, 3620, 800);
    b.paint(Ground::Sand, 3560, 440, 3800, 560);
}

// The yard's wall, open only where the gate stands (the cells of row 26 under it). The wall
// stops a cell short of the gate's west end, so that the cutter can stand below the gate's
// corner; the gap beside the gate is narrower than a person.
void Yard(LevelBuilder& b) {
    b.paintAlong(Ground::Wall, {{665, 742}, {665, 574}, {985, 574}, {985, 742}}, 16);
    b.paintAlong(Ground::Wall, {{665, 742}, {750, 742}}, 16);
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
    StartHedge(b);
    FirstWood(b);
    EastHedge(b);
    SecondWood(b);
    Yard(b);
    Lake(b);
    // The roads in: the northern one along the camp, the southern one past the yard's gate.
    b.road({{-230, 445}, {1100, 445}, {2450, 445}}, 30, 224);
    const std::vector<int> south = b.road({{-440, 815}, {1070, 815}}, 30, 224);
    // A road joining them and on south to the lake road.
    const std::vector<int> link = b.branch(
        {1100, 445}, {{1100, 475}, {1100, 815}, {1100, 1250}, {1100, 2200}, {1100, 2330}}, 30, 224);
    b.link(south.back(), b.nearestNode(1100, 815), terrain::kRoad, kRoadLane);
    // East below the first wood to the houses at row 45.
    b.branch({1100, 1250}, {{1130, 1250}, {2450, 1250}, {3250, 1250}}, 30, 224);
    // A track from it north beside the hedge's way down into the first wood, where the tankers
    // stand to stop the fire before the drainage line.
    b.branch({2450, 1250}, {{2450, 1220}, {2450, 990}}, 24, 224);
    // West past the containers to the slipway, and east along the lake's shore.
    b.branch({1100, 2200}, {{1070, 2200}, {330, 2200}, {330, 2480}}, 30, 224);
    const std::vector<int> shore = b.road({{1130, 2330}, {3300, 2330}}, 30, 224);
    b.link(link.back(), shore.front(), terrain::kRoad, kRoadLane);
    // The fire, at the hedge's west end.
    b.ignite(57, 31);
    b.ignite(58, 31);
    return b;
}

}  // namespace kv::sampledata
