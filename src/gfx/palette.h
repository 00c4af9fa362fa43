#pragma once
// The game's palette: 256 colours of 6-bit components in memory, set on the display as 8-bit
// components (c x 4, so 63 shows as 252).

#include <array>
#include <cstdint>

namespace kv {

// 768 bytes: r, g, b of entry 0, then of entry 1, and so on; each 0..63.
using GamePalette = std::array<std::uint8_t, 768>;

// The current palette of the game.
extern GamePalette Palette;

// All 256 display entries from a palette. Nothing happens without a display palette.
void SetPalette(const GamePalette& palette);
void SetBlackPalette();
void SetPaletteEntry(int index, std::uint8_t r, std::uint8_t g, std::uint8_t b);

}  // namespace kv
