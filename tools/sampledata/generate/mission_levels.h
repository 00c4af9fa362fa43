#pragma once
// Each mission's level, built in a file of its own; mission_levels.cpp writes them all.

#include "generate/level_builder.h"

namespace kv::sampledata {

LevelBuilder Mission02Level();
LevelBuilder Mission05Level();
LevelBuilder Mission21Level();

}  // namespace kv::sampledata
