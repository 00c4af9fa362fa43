#pragma once
// A few rectangles of the map in which the collision test lets units overlap; missions 7, 11 and
// 23 set them at their start, every other mission has none. Kept here, below the simulation,
// because the collision test reads them and the mission start fills them.

#include <cstdint>
#include <vector>

namespace kv {

// World pixels, both corners included.
struct MissionExtraRect {
    std::int16_t x0 = 0;
    std::int16_t y0 = 0;
    std::int16_t x1 = 0;
    std::int16_t y1 = 0;
};

template <class V>
constexpr void VisitFields(MissionExtraRect& r, V& v) {
    v("x0", r.x0);
    v("y0", r.y0);
    v("x1", r.x1);
    v("y1", r.y1);
}

// MissionExtraCount rectangles once allocated; empty for none.
extern std::vector<MissionExtraRect> MissionExtras;
extern std::uint8_t MissionExtraCount;
// How many of the first rectangles are in force; never more than MissionExtraCount are read.
extern std::uint8_t MissionExtraActive;

// MissionExtraCount zeroed rectangles; none for a count of 0.
void AllocMissionExtras();
// The list emptied and both counts 0; nothing to do when there is none.
void FreeMissionExtras();

}  // namespace kv
