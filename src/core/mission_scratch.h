#pragma once
// The missions' own variables: one 34-byte area whose layout is the same for every mission, each
// mission giving the words its own meaning. It is the only state a mission keeps outside the
// engine's records, so the save game keeps it (all but one byte) and a loaded script goes on where
// it stood. The mission start never clears it: each mission's set-up hooks set the words they use.

#include <cstdint>

namespace kv {

struct MissionScratchArea {
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
    // Byte 23 of the area: no mission keeps anything in it, and the save game skips it.
    std::uint8_t unkept = 0;
    std::uint16_t S10 = 0;
    std::uint16_t S11 = 0;
    std::uint16_t S12 = 0;
    std::uint16_t S13 = 0;
    std::uint16_t S14 = 0;
};

extern MissionScratchArea MissionScratch;

// A 16-bit word that a mission reads signed (an index with -1 or -2 for none). An object may be
// read through the signed type of its own.
inline std::int16_t& SignedWord(std::uint16_t& word) {
    return reinterpret_cast<std::int16_t&>(word);
}

// The words under the names the missions give them; the control panel reads some of them.
// Mission 3: the person allowed to call the cat; 65535 none.
inline std::uint16_t& MarkedPersonM03 = MissionScratch.S5;
// Mission 19: the mountaineer, the scanner's animation ticks.
inline std::int16_t& MountaineerIndex = SignedWord(MissionScratch.S0);
inline std::int16_t& ScannerFrameCounter = SignedWord(MissionScratch.S1);

// Every word 0, as before the first mission (the game's reset, never the mission start).
void ResetMissionScratch();

}  // namespace kv
