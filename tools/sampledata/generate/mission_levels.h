#pragma once
// Each mission's level, built in a file of its own; mission_levels.cpp writes them all.

#include "generate/level_builder.h"

namespace kv::sampledata {

LevelBuilder Mission02Level();
LevelBuilder Mission03Level();

// The prison quarter (missions 4, 25 and 26): 147 x 88 cells, the last four rows out of view.
LevelBuilder PrisonQuarter();

LevelBuilder Mission05Level();
LevelBuilder Mission08Level();

// The square over an underground station (missions 7 and 23): a street from the left edge past
// the hydrants in the north, a road down to the station's front, and paving round the station,
// whose three buildings the missions place at columns 50, 58 and 66 of row 26.
LevelBuilder StationSquare();

LevelBuilder Mission09Level();
LevelBuilder Mission11Level();
// The flooded valley of the second part.
LevelBuilder Mission11LevelB();
LevelBuilder Mission12Level();
LevelBuilder Mission13Level();
LevelBuilder Mission16Level();
LevelBuilder Mission17Level();
LevelBuilder Mission18Level();
// A mountain valley: the crevices are terrain::kCrevice cells in rows of four.
LevelBuilder Mission20Level();
LevelBuilder Mission21Level();
LevelBuilder Mission24Level();
LevelBuilder Mission29Level();

}  // namespace kv::sampledata
