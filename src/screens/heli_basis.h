#pragma once
// The helicopter base (base type 3, game mode 14), a twin of the stations' screen: the helicopter
// is chosen in the hall, its crew in the staff room, and on START it lifts off in the hall, its
// shadow shrinking under it, turns and flies off to the left; then it is bought and the campaign
// map opens again.

#include <array>
#include <cstdint>

#include "screens/basis_staff_table.h"

namespace kv {

// The base's two figures, its one walking path and where the crew gathers.
inline constexpr std::array<BasisStaffRow, 2> kHeliStaff = {{
    {4, 519, 122, 7, kStaffSit, 0, kStoreyStaffRoom},
    {5, 493, 155, 9, kStaffStand, 0, kStoreyStaffRoom},
}};
inline constexpr BasisPathSet kHeliPaths = {1, {{{2, {{{445, 183}, {382, 228}}}}}}};
inline constexpr BasisPoint kHeliGatheringPoint = {510, 274};
inline constexpr const char* kHeliPathTemplate = "basen\\heli1\\%s";

// The lift-off: the shadow's frame steps down every second tick while the helicopter rises; then
// it turns to facing 9 a step a tick, and flies off left at its type's speed.
inline constexpr std::int16_t kHeliShadowFirstFrame = 17;
inline constexpr std::int16_t kHeliShadowTicksPerFrame = 2;
inline constexpr float kHeliRisePerTick = 5.0F;
inline constexpr std::int8_t kHeliPlaceFacing = 3;
inline constexpr std::int8_t kHeliFlyOffFacing = 9;

// Opens the helicopter base of a base; the campaign map has closed itself before. Without a free
// special-object slot for the shadow it does not open.
void OpenHeliBasis(std::int16_t base);
// Frees the screen and opens the campaign map.
void CloseHeliBasis();
// Frees what an open helicopter base holds, as CloseHeliBasis does but without the map: for the
// mission's end while the base (or the options over it) is open. Nothing when none is open.
void FreeHeliBasisScreen();

// Game mode 14's frame function and handlers.
void RunHeliBasisFrame();
void OnHeliLButtonDown(int x, int y);
void OnHeliRButtonDown();
void OnHeliMouseMove(int x, int y);
void OnHeliKeyDown(std::uint32_t key);
// One frame's update: the world behind the base, the lift-off, the staff list. The options screen
// runs it too, with DrawBasisPanel and DrawHeliBasisView, while it is open over the base.
void UpdateHeliBasis();
// The view into the WorkBuffer.
void DrawHeliBasisView();
void DrawHeliBasisScreen();

void PlaceHeliStaff();
void InitHeliPaths();
// The hall (view 1); the staff room (view 0).
void LoadHeliUnten();
void LoadHeliOben();
// The chosen helicopter made and lifting off (view 3); nothing when the vehicle array is full.
void StartHeliTakeOff();
// The purchase of the helicopter flown out; the choice and the hover state stay, as the screen
// closes next.
void CommitHeliPurchase(std::int16_t helicopter);

// The shadow of the helicopter lifting off in the base view: a special object that belongs to
// the base, not to the mission; -1 none.
extern std::int16_t HeliBasisShadow;

}  // namespace kv
