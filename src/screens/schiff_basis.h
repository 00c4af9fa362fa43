#pragma once
// The ship base (base type 5, game mode 15): it sells the fire boat of its one place, without
// crew. The boat is picked in the hall, leaves it on START, and is bought; it then travels the
// base's map road and enters the mission world at its water entry point.

#include <cstdint>

namespace kv {

inline constexpr const char* kSchiffPathTemplate = "basen\\schiff\\%s";
// The boat leaves the hall to the right until it is past the screen's edge.
inline constexpr float kSchiffGoneX = 800.0F;

// Opens the ship base of a base; the campaign map has closed itself before.
void OpenSchiffBasis(std::int16_t base);
// Frees the screen and opens the campaign map.
void CloseSchiffBasis();
// Frees what an open ship base holds, as CloseSchiffBasis does but without the map: for the
// mission's end while the base (or the options over it) is open. Nothing when none is open.
void FreeSchiffBasisScreen();
// Buys the boat leaving the hall; nothing for -1 or below.
void CommitSchiffPurchase(std::int16_t vehicle);

// Game mode 15's frame function and handlers.
void RunSchiffBasisFrame();
void OnSchiffLButtonDown(int x, int y);
void OnSchiffRButtonDown();
void OnSchiffKeyDown(std::uint32_t key);
void OnSchiffMouseMove(int x, int y);
// One frame's update; the options screen runs it with 1, with DrawBasisPanel and
// DrawSchiffBasisView, while it is open over the base.
void UpdateSchiffBasis(std::uint8_t draw);
void DrawSchiffBasisView();
void DrawSchiffBasisScreen();

// The hall (view 1); the chosen boat made and leaving (view 3), nothing when the vehicle array is
// full.
void LoadSchiffUnten();
void StartSchiffDriveOut();

}  // namespace kv
