// Mission 11's levels: a valley below a dam, with the village's eight houses, a stream at its foot
// and the road from the west up to the east bank's yard; and the same valley flooded, where only
// islands are left of the houses and the east bank stays dry.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

#include <vector>

namespace kv::sampledata {

namespace {

constexpr int kWidth = 148;
constexpr int kHeight = 59;

// Both levels share the east bank: its road, the yard behind the gates, and everything east of
// the flood's edge.
constexpr int kFloodEdgeX = 2800;

std::vector<int> EastBank(LevelBuilder& b) {
    // The yard where the vehicles may stand close together, and its two gates.
    b.paint(Ground::Sand, 3381, 380, 3720, 685);
    return b.road({{2700, 952}, {3000, 952}, {3250, 530}, {3560, 530}}, 50, 224);
}

// The road from the left edge to the east bank's road; the flooded level keeps only the east
// bank's part.
void ValleyRoad(LevelBuilder& b, const std::vector<int>& east) {
    const std::vector<int> valley = b.road({{-40, 952}, {2680, 952}}, 50, 224);
    b.link(valley.back(), east.front(), terrain::kRoad, kRoadLane);
}

// What is left of each house above the water: the rows where its upstairs residents stood, a
// cell either side of them, so that a boat drawn up beside the island reaches everyone on it.
struct Island {
    int x0, y0, x1, y1;
};
constexpr Island kIslands[] = {
    {883, 504, 976, 587},      // house 0, boat point 1 below
    {1091, 504, 1151, 531},    // house 1, point 2
    {740, 812, 800, 839},      // house 2, point 3
    {904, 784, 964, 811},      // house 3, point 4
    {534, 1120, 594, 1147},    // house 4, point 5 above
    {702, 1092, 772, 1147},    // house 5, point 6
    {1076, 1064, 1163, 1119},  // house 6, point 7 to the left
    {961, 1204, 1090, 1259},   // house 7, point 8 to the left
};

}  // namespace

LevelBuilder Mission11Level() {
    LevelBuilder b(kWidth, kHeight, Ground::Grass);
    b.paint(Ground::Meadow, 200, 1200, 2600, 1600);
    b.paint(Ground::Field, 1500, 60, 2500, 700);
    // The stream at the valley's foot, which the pontoon chains cross from both banks.
    b.paint(Ground::Water, 980, 1480, 1380, 1660);
    ValleyRoad(b, EastBank(b));
    return b;
}

LevelBuilder Mission11LevelB() {
    LevelBuilder b(kWidth, kHeight, Ground::Grass);
    b.paint(Ground::Water, -2000, -100, kFloodEdgeX, 1800);
    for (const Island& i : kIslands) b.paint(Ground::Grass, i.x0, i.y0, i.x1, i.y1);
    // A bay below boat point 0, wide enough for the boat that the carrier puts in at its
    // launch point.
    b.paint(Ground::Water, kFloodEdgeX, 500, 3130, 640);
    EastBank(b);
    return b;
}

}  // namespace kv::sampledata
