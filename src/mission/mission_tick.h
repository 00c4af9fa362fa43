#pragma once
// The simulation tick: the modules' updates in their fixed order, as many ticks per call as the
// game speed asks; the mission clock; and the two flashing blue-light colours of the palette.

#include <array>
#include <cstdint>

#include "mission/mission_steps.h"

namespace kv {

// The clock the panel shows, in ticks; the mission scripts set it and its mode.
extern std::uint32_t MissionClock;
// 0 stands, 1 counts up, any other value counts down to 0.
extern std::uint8_t MissionClockMode;
// Counted down once per tick while above 0; the airfield sets it.
extern std::int16_t LflugCooldown;

inline constexpr int kTickStepCount = 16;
// One tick, in order; tests may put recorders in it.
extern std::array<MissionStep, kTickStepCount> MissionTickSteps;
// The program's own tick list.
const std::array<MissionStep, kTickStepCount>& DefaultMissionTickSteps();

// GameSpeed ticks (read anew before each). With draw non-zero the blue lights flash first and
// the draw list is rebuilt after. A fatal error ends the ticking at once.
void RunGameTicks(std::uint8_t draw);

// The two entries' pulse: ten colours of 6-bit components.
struct BlueLightColour {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
};
inline constexpr std::array<BlueLightColour, 10> kBlueLightCycle = {{
    {0, 30, 63},
    {0, 20, 53},
    {0, 10, 43},
    {0, 0, 43},
    {0, 0, 33},
    {0, 0, 23},
    {0, 0, 33},
    {0, 0, 43},
    {0, 10, 43},
    {0, 20, 53},
}};
// Palette entry 163 follows the first counter, entry 9 the second, half a cycle behind.
inline constexpr int kBlueLightFirstEntry = 163;
inline constexpr int kBlueLightSecondEntry = 9;
// The counters live for the whole program: 0 and 5 at its start.
extern std::array<std::int32_t, 2> BlueLightCounters;
void CyclePaletteColours();

// The clock, its mode and the cooldown as at mission start.
void ResetMissionTick();
// The blue-light counters as at program start.
void ResetBlueLights();

}  // namespace kv
