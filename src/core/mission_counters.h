#pragma once
// The mission's nine counters: zeroed at mission start, raised and lowered by the modules that
// count, read by the mission checks and the evaluation, and saved with the game as one record.

#include <cstdint>

namespace kv {

struct MissionCounterSet {
    std::uint16_t ToteCount = 0;                 // persons dead
    std::uint16_t VerletzteCount = 0;            // persons turned into casualties
    std::uint16_t LostBoughtFahrzeugCount = 0;   // bought vehicles destroyed
    std::uint16_t LostMissionFahrzeugCount = 0;  // vehicles the mission placed, destroyed
    std::uint16_t BurningCellCount = 0;          // burning map cells
    std::uint16_t BurningHouseCount = 0;         // houses with at least one burning cell
    std::uint16_t BurningSonderObjCount = 0;     // burning special objects
    std::uint16_t BoughtFahrzeugCount = 0;
    std::uint16_t F101Count = 0;
};

template <class V>
constexpr void VisitFields(MissionCounterSet& r, V& v) {
    v("ToteCount", r.ToteCount);
    v("VerletzteCount", r.VerletzteCount);
    v("LostBoughtFahrzeugCount", r.LostBoughtFahrzeugCount);
    v("LostMissionFahrzeugCount", r.LostMissionFahrzeugCount);
    v("BurningCellCount", r.BurningCellCount);
    v("BurningHouseCount", r.BurningHouseCount);
    v("BurningSonderObjCount", r.BurningSonderObjCount);
    v("BoughtFahrzeugCount", r.BoughtFahrzeugCount);
    v("F101Count", r.F101Count);
}

extern MissionCounterSet MissionCounters;

// The counters under their own names, for the modules that raise and lower them.
inline std::uint16_t& ToteCount = MissionCounters.ToteCount;
inline std::uint16_t& VerletzteCount = MissionCounters.VerletzteCount;
inline std::uint16_t& LostBoughtFahrzeugCount = MissionCounters.LostBoughtFahrzeugCount;
inline std::uint16_t& LostMissionFahrzeugCount = MissionCounters.LostMissionFahrzeugCount;
inline std::uint16_t& BoughtFahrzeugCount = MissionCounters.BoughtFahrzeugCount;
inline std::uint16_t& F101Count = MissionCounters.F101Count;

// All nine back to 0.
void ResetMissionCounters();

}  // namespace kv
