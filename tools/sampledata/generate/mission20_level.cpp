// Mission 20's level: a mountain valley of alpine meadow with rock all round. The road comes in
// from the left edge in the south, runs east past a mountain lake and climbs north to the crash
// site below a tarn in the north. The crevices lie scattered over the valley and the rock, each
// a row of four cleft cells with firm ground along their southern lip.

#include <array>

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

namespace {

// The crevices' cleft cells: the first column and the row of each four.
struct Cleft {
    int column;
    int row;
};
constexpr std::array<Cleft, 10> kClefts = {{
    {15, 7},
    {26, 51},
    {89, 51},
    {83, 32},
    {91, 16},
    {112, 45},
    {122, 63},
    {148, 72},
    {135, 48},
    {132, 30},
}};

}  // namespace

LevelBuilder Mission20Level() {
    LevelBuilder b(166, 87, Ground::Meadow);
    // The mountains: the western slopes, the ridge along the top and the eastern massif.
    b.paint(Ground::Rock, -1500, 0, 650, 1950);
    b.paint(Ground::Rock, -1500, 0, 4000, 180);
    b.paint(Ground::Rock, 3450, 0, 4000, 2400);
    // The lake south of the road's bend, with its slipway on the western shore, and the tarn
    // west of the crash site, with its slipway on the eastern shore.
    b.paint(Ground::Lake, 1100, 1780, 1520, 2080);
    b.paint(Ground::Lake, 1440, 220, 1790, 440);
    // Scree below the crash site and below the victim's crevice, where the engines stand
    // without their cursor aiming at burnable ground.
    b.paint(Ground::Sand, 2080, 470, 2420, 720);
    b.paint(Ground::Sand, 2560, 1340, 2820, 1480);
    // In from the left edge, east along the valley floor, then up to the crash site.
    b.road({{-500, 2212}, {1650, 2212}, {1900, 1500}, {2000, 800}, {2050, 450}}, 50, 224);
    for (const Cleft& c : kClefts)
        for (int k = 0; k < 4; ++k) b.paintCell(Ground::Crevice, c.column + k, c.row);
    return b;
}

}  // namespace kv::sampledata
