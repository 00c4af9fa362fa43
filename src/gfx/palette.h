#pragma once
// The game's palette: 256 colours of 6-bit components in memory, set on the display as 8-bit
// components (c x 4, so 63 shows as 252), and the fades between black and a palette.

#include <array>
#include <cstdint>

namespace kv {

// 768 bytes: r, g, b of entry 0, then of entry 1, and so on; each 0..63.
using GamePalette = std::array<std::uint8_t, 768>;

// The current palette of the game.
extern GamePalette Palette;

inline constexpr const char* kFarbenPalPath = "graphs\\farben.pal";

// The two entries the mission view cycles as blue lights, and the colour both start with (the
// fourth of the cycle).
inline constexpr int kBlueLightEntries[2] = {9, 163};
inline constexpr std::uint8_t kBlueLightStart[3] = {0, 0, 43};

// Puts the blue lights' start colour into a palette read from the palette file.
void SetBlueLightStart(GamePalette& palette);

// "graphs\farben.pal" into Palette, with the blue lights at their start colour. A missing or
// short file is fatal ("graphs\farben.pal not found!").
void LoadFarbenPal();

// All 256 display entries from a palette. Nothing happens without a display palette.
void SetPalette(const GamePalette& palette);
void SetBlackPalette();
void SetPaletteEntry(int index, std::uint8_t r, std::uint8_t g, std::uint8_t b);

// 256 steps from the colours on the display to black, and from black to a palette; the display
// gets 32 of them, each after a vertical blank, the last one the end colours exactly. Both return
// at once without a display palette.
void FadePaletteOut();
void FadePaletteIn(const GamePalette& palette);

}  // namespace kv
