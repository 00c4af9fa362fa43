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

// SelectionMode as every range test reads it: none is -1 and several -2, below every range.
inline std::int16_t SignedSelectionMode() {
    return static_cast<std::int16_t>(SelectionMode);
}

// The cursor shape chosen for the next frame: the frame of the cursor pictures. A click acts on
// the shapes from 19 on as the cursor showed them.
extern std::uint16_t CursorId;
// No cursor picture is drawn.
inline constexpr std::uint16_t kNoCursor = 65535;
inline constexpr std::uint16_t kCursorPointer = 0;  // no action
inline constexpr std::uint16_t kCursorMove = 1;
// Scrolling, while the mouse touches an edge or corner.
inline constexpr std::uint16_t kCursorScrollUp = 2;
inline constexpr std::uint16_t kCursorScrollRight = 3;
inline constexpr std::uint16_t kCursorScrollDown = 4;
inline constexpr std::uint16_t kCursorScrollLeft = 5;
inline constexpr std::uint16_t kCursorScrollUpRight = 6;
inline constexpr std::uint16_t kCursorScrollDownRight = 7;
inline constexpr std::uint16_t kCursorScrollDownLeft = 8;
inline constexpr std::uint16_t kCursorScrollUpLeft = 9;
// The same eight directions, where the view cannot move that way: scroll shape + 8.
inline constexpr std::uint16_t kCursorAtLimit = 8;
inline constexpr std::uint16_t kCursorSelect = 18;
// Act on the thing under the mouse: board, treat, take along, tow, rescue, use.
inline constexpr std::uint16_t kCursorRescue = 19;
inline constexpr std::uint16_t kCursorLand = 20;
inline constexpr std::uint16_t kCursorWater = 21;
// Show a house only up to storey 0..4: this + the storey.
inline constexpr std::uint16_t kCursorOpenStorey = 22;
// Go to another storey: this + the step 0..4.
inline constexpr std::uint16_t kCursorChangeStorey = 27;
// The storeys the two families above can name.
inline constexpr int kCursorStoreys = 5;
inline constexpr std::uint16_t kCursorWholeHouse = 32;
inline constexpr std::uint16_t kCursorMoveGroup = 33;
inline constexpr std::uint16_t kCursorCount = 34;

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
