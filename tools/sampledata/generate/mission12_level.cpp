// Mission 12's level: an amusement park on lawns. The road comes in from the right edge along
// y 703, past the car park's east end, turns south and runs west to the square under the wrecked
// roller coaster, where the car hangs and the hurt lie; the way out is the same road's other lane.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

LevelBuilder Mission12Level() {
    LevelBuilder b(110, 72, Ground::Grass);
    // The car park, and the paved square under the wreckage with the crowd round it.
    b.paint(Ground::Paving, 1660, 420, 2280, 790);
    b.paint(Ground::Paving, 560, 1080, 1520, 1440);
    // The park's walks.
    b.paintAlong(Ground::Paving, {{275, 1270}, {1030, 1285}}, 20);
    b.paintAlong(Ground::Paving, {{475, 1860}, {1240, 1860}}, 20);
    b.paintAlong(Ground::Paving, {{45, 1975}, {610, 1975}, {700, 1840}}, 20);
    // In from the right edge past the car park, south, and west to the square.
    b.road({{3300, 728}, {2080, 728}, {2080, 1010}, {1150, 1010}}, 50, 224);
    return b;
}

}  // namespace kv::sampledata
