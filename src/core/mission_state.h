#pragma once
// Which mission runs, the limits of its map and view, and the state of the mission view that the
// simulation reads: set at mission start, reset with the mission.

#include <cstdint>

namespace kv {

inline constexpr int kMissionCount = 30;

// 1..30; every per-mission dispatcher switches on it.
extern std::uint8_t MissionNummer;
// 1 while a mission runs its second part.
extern std::uint8_t PartTwo;
// The largest world x and y of the playable map, derived from the level at mission start.
extern std::uint16_t WorldMaxX;
extern std::uint16_t WorldMaxY;
// The columns and rows of the map the view may scroll over, set by the mission's level hook.
extern std::int16_t ScrollCols;
extern std::int16_t ScrollRows;

// Simulation ticks since the mission started, 20 per second.
extern std::uint32_t TickCounter;

// What is selected: a vehicle type 0..46, 1000 + a person type, 2000.. special modes; 65535
// none, 65534 several. Range tests read it as signed.
inline constexpr std::uint16_t kNoSelection = 65535;
inline constexpr std::uint16_t kSeveralSelected = 65534;
inline constexpr std::uint16_t kPersonSelected = 1000;  // + the person's type
inline constexpr std::uint16_t kCasualtySelected = 2000;
// A person choosing equipment at a vehicle, by the vehicle's and the person's types.
inline constexpr std::uint16_t kEquipmentSelectedFirst = 2001;
inline constexpr std::uint16_t kEquipmentSelectedLast = 2010;
inline constexpr std::uint16_t kBoxGroupSelected = 2200;
extern std::uint16_t SelectionMode;
// The selected unit's index; 65535 none.
extern std::uint16_t SelectedIndex;
// The cursor shape chosen for the next frame.
extern std::uint16_t CursorId;
// The cursor that offers the selected unit an action on the target under the mouse: a rescue,
// taking something up, work at an object.
inline constexpr std::uint16_t kCursorRescue = 19;

// 1 once the campaign map has handed over to the mission: from then on the screens around the
// mission run the simulation behind them.
extern std::uint8_t WorldStarted;
// 1 until the briefing of the mission was opened; the map cannot be left to the mission before.
extern std::uint8_t BriefingUnread;
// Where the briefing box stands on the campaign map, and its size.
struct BriefingRect {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t width = 0;
    std::int16_t height = 0;
};
extern BriefingRect BriefingBox;

// Back to the state before any mission.
void ResetMissionState();

}  // namespace kv
