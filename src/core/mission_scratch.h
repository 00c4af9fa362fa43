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

// The 33 saved bytes: the area without its unkept byte.
template <class V>
constexpr void VisitFields(MissionScratchArea& r, V& v) {
    v("S0", r.S0);
    v("S1", r.S1);
    v("S2", r.S2);
    v("S3", r.S3);
    v("S4", r.S4);
    v("S5", r.S5);
    v("S6", r.S6);
    v("S7", r.S7);
    v("S8", r.S8);
    v("S9a", r.S9a);
    v("S9b", r.S9b);
    v("S9c", r.S9c);
    v("S10", r.S10);
    v("S11", r.S11);
    v("S12", r.S12);
    v("S13", r.S13);
    v("S14", r.S14);
}

extern MissionScratchArea MissionScratch;

// A 16-bit word that a mission reads signed (an index with -1 or -2 for none). An object may be
// read through the signed type of its own.
inline std::int16_t& SignedWord(std::uint16_t& word) {
    return reinterpret_cast<std::int16_t&>(word);
}

// The words under the names the missions give them. The vehicles' orders and the persons' fights
// write some of them, so they live here rather than in the missions.
// Mission 3: the person allowed to call the cat; 65535 none.
inline std::uint16_t& MarkedPersonM03 = MissionScratch.S5;
// Mission 10: the three gates moving, and the train set off.
inline std::uint8_t& GateOpening1 = MissionScratch.S9a;
inline std::uint8_t& GateOpening2 = MissionScratch.S9b;
inline std::uint8_t& GateOpening3 = MissionScratch.S9c;
inline std::uint16_t& BlockadeActive = MissionScratch.S0;
// Mission 15: the rioters by their first person index; the march pair is -2 once it has left.
inline std::int16_t& MarchRioterPair = SignedWord(MissionScratch.S0);
inline std::int16_t& HouseRioterFirst = SignedWord(MissionScratch.S1);
inline std::int16_t& StreetRioterFirst = SignedWord(MissionScratch.S2);
inline std::int32_t& StreetRiotersHeld = MissionScratch.S3;
// Mission 19: the mountaineer, the scanner's animation ticks, the ticks the helicopter searched.
inline std::int16_t& MountaineerIndex = SignedWord(MissionScratch.S0);
inline std::int16_t& ScannerFrameCounter = SignedWord(MissionScratch.S1);
inline std::int16_t& SearchTicks = SignedWord(MissionScratch.S2);
// Mission 21: 1 until the first special object has caught fire, then 2.
inline std::uint8_t& FirstIgnitionFlagM21 = MissionScratch.S7;
// Mission 25: the arsonist's circuit of target houses.
inline std::int16_t& ArsonFirstTarget = SignedWord(MissionScratch.S0);
inline std::int16_t& ArsonNextTarget = SignedWord(MissionScratch.S1);
inline std::int16_t& ArsonEscapeMark = SignedWord(MissionScratch.S2);
inline std::int16_t& ArsonFireSet = SignedWord(MissionScratch.S5);
// Mission 27: the vehicle dropped into the lake last (vehicle order 76); 65535 none, since
// vehicle 0 is a real parked car.
inline std::uint16_t& DroppedFahrzeugM27 = MissionScratch.S1;
inline constexpr std::uint16_t kNoDroppedFahrzeug = 65535;
// Mission 30: the rescue boat's state, 2 once its order 81 has set it off on its tour.
inline std::uint16_t& SharkStateM30 = MissionScratch.S1;

// Every word 0, as before the first mission (the game's reset, never the mission start).
void ResetMissionScratch();

}  // namespace kv
