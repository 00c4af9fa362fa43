#pragma once
// The special objects a mission places at its start, as one table per mission.

#include <cstdint>
#include <span>

namespace kv {

// A special object in its slot: its type and point, the sides it blocks (all, unless it lies
// flat), its depth layer and the frame it shows.
struct MissionSonderObj {
    std::int16_t slot;
    std::int16_t type;
    std::int16_t x;
    std::int16_t y;
    std::uint8_t blockMask = 15;
    std::uint8_t depthLayer = 0;
    std::uint16_t frame = 0;
};

// Creates each row's object in its slot, in order.
void PlaceSonderObjs(std::span<const MissionSonderObj> objects);

}  // namespace kv
