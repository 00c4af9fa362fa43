// Mission 5's level: a town block of paved yards between three streets. The two northern streets
// carry the through traffic; the front street south of the burning house is where the rescue
// comes in from the right edge and the onlookers gather.

#include "generate/mission_levels.h"

namespace kv::sampledata {

LevelBuilder Mission05Level() {
    // Paving does not burn: the fire can pass from house to house only where they touch.
    LevelBuilder b(62, 36, Ground::Sand);
    b.eastWestRoad(100, 190, 224);
    b.eastWestRoad(380, 470, 224);
    b.eastWestRoad(640, 780, 224);
    return b;
}

}  // namespace kv::sampledata
