#pragma once
// The campaign map's road picture of a mission, drawn with the rest of the map.

#include <vector>

#include "writers/canvas.h"

namespace kv::sampledata {

// Frame 0: the road of each open station of the mission to its site, in the station's colours.
std::vector<Canvas> MapWege(int mission);

}  // namespace kv::sampledata
