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

}  // namespace kv
