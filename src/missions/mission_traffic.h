#pragma once
// The traffic paths missions set along their streets.

#include <cstdint>
#include <span>

#include "movement/traffic_paths.h"

namespace kv {

// A street crossing the map from the left edge: cars come in at x -100 on row y, drive east to xr
// and turn back west along backY, leaving the types of the table at the interval.
void SetStreet(ZFWeg& w, std::int32_t xr, std::int32_t y, std::int32_t backY, std::int16_t interval,
               std::span<const ZFWegTyp> types);

}  // namespace kv
