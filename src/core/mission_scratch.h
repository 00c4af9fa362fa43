#pragma once
// The mission's own words: the only state a mission script keeps outside the engine's records.
// Every mission reads the same layout with its own meaning for the fields; all but the one unkept
// byte go into the save game. A mission's set-up hooks set the words they use; starting a mission
// does not clear them.

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

// Mission 27: the last vehicle the crane dropped into the lake; 65535 none (vehicle 0 is a real
// car). Vehicle order 76 writes it.
inline constexpr std::uint16_t kNoDroppedFahrzeug = 65535;
std::uint16_t DroppedFahrzeugM27();
void SetDroppedFahrzeugM27(std::uint16_t vehicle);

}  // namespace kv
