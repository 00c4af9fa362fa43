#pragma once
// Selecting units: SelectionMode and SelectedIndex derived from the selected flags of vehicles
// and persons, the right click that drops the selection, the mouse of game mode 2 (its position,
// and a left press in the view or on a button), and sending the selection to a map point.

#include <cstdint>

namespace kv {

struct Fahrzeug;

// 1 while the player drags a selection box; no cursor picture is drawn then.
extern std::uint8_t DragActive;
// The world point of the last left press in the view; (-1, -1) none. The click's release takes
// it.
struct WorldPoint {
    std::int32_t x = -1;
    std::int32_t y = -1;
};
extern WorldPoint MouseDownPoint;

// The rule behind UpdateSelectionMode (core/selection.h), which the program installs: the
// selection recomputed from the selected flags. A leader and the person it leads count as one
// person, and a box group stays while its leading person is selected.
void RecomputeSelectionMode();
// The right button of game mode 2: nothing selected any more.
void ClearSelection();
// The mouse-move handler of game mode 2; the point is kept inside the cursor's rectangle.
void StoreMousePos(std::uint16_t x, std::uint16_t y);
// The left-button-down handler of game mode 2: a press in the world view starts a click or box,
// a press elsewhere presses the buttons under it.
void OnGameMouseDown(std::int32_t x, std::int32_t y);
// Every selected unit that takes the player's orders moves to the map point, but for those at
// work where they stand.
void MoveSelectedTo(std::int16_t x, std::int16_t y);
// Vehicles at work where they stand, which a move of the selection leaves there: a pontoon layer
// laying or taking up its pontoon, a ladder vehicle with its ladder set up.
bool AtWork(const Fahrzeug& v);

// Everything as at mission start.
void ResetSelection();

}  // namespace kv
