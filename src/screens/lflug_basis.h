#pragma once
// The airfield (base type 4, game mode 13): it sells flights of the fire-fighting aircraft, which
// drop their water on a point the player chooses on a half-size live view of the mission world.
// After a flight the airfield rests (LflugCooldown).

#include <cstdint>

#include "platform/system.h"

namespace kv {

// The world point the next arriving aircraft drops its water on.
extern std::int16_t LflugDropX;
extern std::int16_t LflugDropY;
// The frame of the aircraft picture the take-off shows, 0 or 1.
extern std::uint8_t LflugFrameToggle;

inline constexpr const char* kLflugPathTemplate = "basen\\lflug\\%s";
inline constexpr const char* kZielWahlPicture = "graphs\\d\\zwahl.vff";
// The aircraft in the first view (x, y from, to exclusive).
inline constexpr Rect kLflugAircraftRect{285, 240, 425, 370};
// The cursor's rectangle during the target choice (right and bottom exclusive); its edges scroll.
inline constexpr Rect kZielWahlClip{251, 141, 543, 353};
inline constexpr int kZielWahlScrollStep = 4;
inline constexpr int kZielWahlScrollMax = 48;
// The live view: the world view shrunk by two into the view picture here, the target frame
// there; a mouse point maps to the world view as (2 x - 470, 2 y - 250).
inline constexpr int kLiveViewX = 230;
inline constexpr int kLiveViewY = 120;
inline constexpr int kZielFrameX = 198;
inline constexpr int kZielFrameY = 10;
inline constexpr int kLiveMouseDX = 470;
inline constexpr int kLiveMouseDY = 250;
// The take-off: the aircraft starts here, rolls 10 pixels a step and is gone at x 640.
inline constexpr float kLflugStartX = 232.0F;
inline constexpr float kLflugStartY = 244.0F;
inline constexpr float kLflugRollPerStep = 10.0F;
inline constexpr float kLflugGoneX = 640.0F;
inline constexpr std::int16_t kLflugRestTicks = 3600;

// Opens the airfield of a base; the campaign map has closed itself before.
void OpenLflugBasis(std::int16_t base);
// Frees the screen; with an aircraft (not -1) the flight is bought; then the campaign map opens.
void CloseLflugBasis(std::int16_t aircraft);
// Frees what an open airfield holds, as CloseLflugBasis (-1) does but without the map: for the
// mission's end while the airfield (or the options over it) is open. Nothing when none is open.
void FreeLflugBasisScreen();

// Game mode 13's frame function and handlers.
void RunLflugBasisFrame();
void OnLflugLButtonDown(int x, int y);
void OnLflugRButtonDown();
void OnLflugKeyDown(std::uint32_t key);
void OnLflugMouseMove(int x, int y);
// One frame's update; with draw 0 no colours cycle and the target choice neither scrolls nor
// runs the world. The options screen runs it with 1, with DrawLflugPanel and DrawLflugBasisView.
void UpdateLflugBasis(std::uint8_t draw);
void DrawLflugPanel();
void DrawLflugBasisView();
void DrawLflugBasisScreen();

// The aircraft (view 0), the target choice (view 1, the world started), the take-off (view 2).
void LoadLflugAuswahl();
void OpenZielWahl();
void LoadLflugStart();
// The aircraft of the take-off in the first free vehicle slot; -1 when the array is full.
std::int16_t CreateLflugFahrzeug();
void SetLflugCursor();
// The live view's scroll while the mouse touches an edge of the cursor's rectangle.
void ScrollZielWahl();

}  // namespace kv
