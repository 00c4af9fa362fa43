// Mission 3's level: villa gardens between two streets that cross the quarter from edge to edge,
// gravel paths for the pedestrians, and a drive from the southern street into the garden of the
// tree the cat sits in.

#include "generate/mission_levels.h"
#include "generate/world_tables.h"

namespace kv::sampledata {

LevelBuilder Mission03Level() {
    LevelBuilder b(72, 38, Ground::Grass);
    // Lawns round the villas.
    b.paint(Ground::Meadow, 40, 230, 420, 460);
    b.paint(Ground::Meadow, 1000, 240, 1500, 460);
    b.paint(Ground::Meadow, 150, 900, 900, 1040);
    // The pedestrians' paths, along their walks.
    b.paintAlong(Ground::Sand, {{967, 627}, {1203, 213}, {1285, 70}, {620, 70}}, 10);
    b.paintAlong(Ground::Sand, {{216, 880}, {302, 627}, {535, 210}, {1205, 210}, {882, 880}}, 10);
    b.paintAlong(Ground::Sand,
                 {{1430, 490}, {1200, 490}, {1450, 70}, {455, 70}, {295, 350}, {35, 350}}, 10);
    // The northern street: traffic east on 164, back west on 114. The southern one: the rescue
    // comes in and leaves on 726, traffic east on 840 and back on 790.
    b.eastWestRoad(100, 180, 224);
    b.eastWestRoad(700, 860, 224);
    // The tree's garden: a paved yard east of the tree where the ladder stands, its drive down to
    // the southern street.
    b.paint(Ground::Road, 770, 615, 900, 700);
    b.branch({860, 780}, {{860, 712}, {860, 650}}, 20, 224);
    return b;
}

}  // namespace kv::sampledata
