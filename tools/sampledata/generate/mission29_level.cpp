// Mission 29's level: an air-show ground of hard standing where nothing burns, with the main road
// along the top. A lane leaves it west of the fuel tanker, runs down to the field and east along
// its northern edge; its branch goes on south past the wreckage to the grass patch where the fire
// starts. A second lane comes down the east side to the parachute in the south-east. The patch
// burns out on its own inside the hard standing; the grass under the spectator rows in the far
// east lies out of its reach.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

LevelBuilder Mission29Level() {
    LevelBuilder b(146, 58, Ground::Paving);
    b.eastWestRoad(150, 240, 224);
    // The grass patch round the two cells that burn at the start, far enough from the wreckage
    // and the people that its heat reaches none of them.
    b.paint(Ground::Grass, 850, 1150, 1050, 1345);
    b.ignite(48, 41);
    b.ignite(55, 47);
    // The spectator rows' grass.
    for (int column = 119; column <= 125; ++column) b.paintCell(Ground::Grass, column, 22);
    // Down west of the tanker and east along the field's northern edge, and on south to the patch.
    b.branch({690, 195}, {{690, 223}, {690, 600}, {2150, 600}}, 28, 224);
    b.branch({690, 600}, {{690, 628}, {690, 1250}, {790, 1250}}, 28, 224);
    // Down the east side to the parachute.
    b.branch({3250, 195}, {{3250, 223}, {3250, 1440}, {3080, 1440}}, 28, 224);
    return b;
}

}  // namespace kv::sampledata
