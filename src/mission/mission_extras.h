#pragma once
// A few rectangles of the map in which the collision test lets units overlap; missions 7, 11 and
// 23 set them at their start, every other mission has none.

#include <cstdint>
#include <vector>

namespace kv {

// World pixels.
struct MissionExtraRect {
    std::int16_t x0 = 0;
    std::int16_t y0 = 0;
    std::int16_t x1 = 0;
    std::int16_t y1 = 0;
};

// MissionExtraCount rectangles once allocated; empty for none.
extern std::vector<MissionExtraRect> MissionExtras;
extern std::uint8_t MissionExtraCount;
// How many of the first rectangles are in force; never more than MissionExtraCount are read.
extern std::uint8_t MissionExtraActive;

// Empties the list, then runs the mission's own set-up where it has one.
void InitMissionExtras(int mission);
// MissionExtraCount zeroed rectangles; none for a count of 0.
void AllocMissionExtras();
// The list emptied and both counts 0; nothing to do when there is none.
void FreeMissionExtras();

}  // namespace kv
