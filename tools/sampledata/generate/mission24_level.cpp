// Mission 24's level: a river across the whole map, a road bridge over it near the left edge, the
// main road along the north and a road down to a slipway on the north bank near the right edge,
// where a spit of land juts into the water. The south bank is meadow, with a track along it.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

LevelBuilder Mission24Level() {
    LevelBuilder b(132, 40, Ground::Grass);
    b.paint(Ground::Meadow, -1000, 880, 4300, 1120);
    b.paint(Ground::Field, 700, 350, 1600, 640);
    b.paint(Ground::Forest, 2000, 340, 2900, 600);
    // The people drift at 780, bob 20 px either way and sink up to 45 px on their way east.
    b.paint(Ground::Water, -1000, 720, 4300, 880);
    b.eastWestRoad(200, 300, 224);
    // The bridge road from the main road to the south bank; boats cannot pass under the bridge.
    const std::vector<int> bridge = b.branch({465, 250}, {{465, 330}, {465, 1000}}, 40, 224);
    b.paint(Ground::Bridge, 400, 690, 530, 910);
    // A track along the south bank, from the bridge road to the east.
    const std::vector<int> bank = b.road({{520, 1040}, {2700, 1040}}, 24, 224);
    b.link(bridge.back(), bank.front(), terrain::kRoad, kRoadLane);
    // The slipway: the carrier stands at (3450, 685) and persons leave the boat at (3430, 725),
    // both on the spit; the boat lies at (3405, 785) in the water. The spit is wide enough for
    // the five people to be laid down side by side, none of them across the river.
    b.paint(Ground::Sand, 3280, 690, 3570, 745);
    b.branch({3450, 250}, {{3450, 330}, {3450, 685}}, 32, 224);
    return b;
}

}  // namespace kv::sampledata
