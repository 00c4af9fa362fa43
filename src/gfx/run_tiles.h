#pragma once
// Run-encoded map tiles: pictures exactly 48 pixels wide, row after row; each row is pairs of a
// skip count and a copy count with that many pixel bytes, until the row's 48 pixels are used (a
// skip that completes the row has no copy count after it). The drawers trust the encoding, so a
// tile is checked once, when it is loaded.

#include <cstdint>
#include <span>

namespace kv {

inline constexpr int kRunTileWidth = 48;

// True when height rows decode to exactly 48 pixels each without reading past data. Bytes left
// over after the last row are allowed. A tile needs at least one row.
bool ValidateRunTile(std::span<const std::uint8_t> data, int height);

// Draws h rows of a tile with its top-left corner at (x, y) of DrawTarget, clipped to the world
// view (x 10..639, y 10..479): rows above it are read past, columns outside it are not written.
void DrawRunSpriteClipped(const std::uint8_t* tile, int x, int y, int h);
// The same with each pixel mixed over the one below it: BlendTable20[pixel x 256 + below].
void DrawRunSpriteBlend20(const std::uint8_t* tile, int x, int y, int h);

}  // namespace kv
