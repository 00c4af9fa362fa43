#pragma once
// A person's hose jet: the person turns to face the target, then sprays a fixed strength every
// tick, its aim drifting about the target. The water leaves from the person's hand, which sits
// where the direction's hand offset says.

#include <array>
#include <cstdint>

#include "world/level_map.h"
#include "world/wasser_strahl.h"

namespace kv {

struct HandOffset {
    std::int8_t dx;
    std::int8_t dy;
};
// By the person's direction 0..11: the hand holding the hose, relative to its position.
inline constexpr std::array<HandOffset, 12> kSchlauchHandOffsets = {{
    {1, -25},
    {6, -24},
    {12, -20},
    {14, -16},
    {12, -10},
    {6, -6},
    {0, -4},
    {-7, -7},
    {-13, -12},
    {-13, -16},
    {-11, -21},
    {-5, -25},
}};

// The water a hose delivers each tick.
inline constexpr std::int32_t kSchlauchStrength = 15;
// The hose's nozzle is this far below the hand; an arc from it rises at this elevation (62
// degrees).
inline constexpr int kSchlauchNozzleDrop = 16;
inline constexpr double kSchlauchElevation = 1.0821041;

// The person's hose jet; null for an index that names no person or a person without one.
SchlauchStrahl* PersonSchlauchStrahl(std::int32_t person);

// Starts or re-aims the jet at (x, y), height above the ground there, on the floor given (-1 keeps
// it); the jet's direction turns toward the target.
void StartSchlauchStrahl(std::int16_t person, std::int16_t x, std::int16_t y, std::int16_t height,
                         std::int16_t floor);
// active 0, the splash hidden.
void StopSchlauchStrahl(std::int16_t person);
// Sets the jet's direction toward (x, y) and walks the straight line from the hose's nozzle: false
// when a house cell other than the target's is in the way (written to blocking when given), or
// when the person has no jet.
bool TestSchlauchStrahlTarget(std::int16_t person, std::int16_t x, std::int16_t y,
                              CellPos* blocking);
// Starts the jet where the hose's arc toward (x, y) meets the blocking cell, on the storey its
// height reaches. Every caller passes 62 degrees; the hose always throws at that elevation.
void StartSchlauchStrahlArc(std::int16_t person, std::int16_t x, std::int16_t y,
                            std::int16_t height, std::int32_t elevation, const CellPos* blocking);
// One tick of a running jet: facing its direction the person sprays, else it turns a step.
void UpdateSchlauchStrahl(std::int16_t person);

}  // namespace kv
