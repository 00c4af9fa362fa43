#pragma once
// The mission's own variables: 34 bytes whose words each mission gives its own meaning. They are
// saved with the game, cleared with the mission's state and never by a mission start; each
// mission's set-up writes the words it uses. The engine reads a few of them through the named
// accessors below.

#include <cstdint>

namespace kv {

struct MissionScratchWords {
    std::uint16_t S0 = 0;
    std::uint16_t S1 = 0;
    std::uint16_t S2 = 0;
    std::int32_t S3 = 0;
    std::int32_t S4 = 0;
    std::uint16_t S5 = 0;
    std::uint8_t S6 = 0;
    std::uint8_t S7 = 0;
    std::uint16_t S8 = 0;
    std::uint8_t S9a = 0;
    std::uint8_t S9b = 0;
    std::uint8_t S9c = 0;
    std::uint8_t unkept = 0;  // not saved
    std::uint16_t S10 = 0;
    std::uint16_t S11 = 0;
    std::uint16_t S12 = 0;
    std::uint16_t S13 = 0;
    std::uint16_t S14 = 0;
};

extern MissionScratchWords MissionScratch;

inline void ResetMissionScratch() {
    MissionScratch = {};
}

// Mission 15: the first of the two rioters inside the march (-1 unset, -2 once both have left
// it), and the first of the three rioters in houses, which also bounds the persons that march.
inline std::int16_t MarchRioterPair() {
    return static_cast<std::int16_t>(MissionScratch.S0);
}
inline void SetMarchRioterPair(std::int16_t person) {
    MissionScratch.S0 = static_cast<std::uint16_t>(person);
}
inline std::int16_t HouseRioterFirst() {
    return static_cast<std::int16_t>(MissionScratch.S1);
}
inline void SetHouseRioterFirst(std::int16_t person) {
    MissionScratch.S1 = static_cast<std::uint16_t>(person);
}

}  // namespace kv
