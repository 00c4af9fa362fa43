#pragma once
// Run-encoded map tiles: pictures exactly 48 pixels wide, row after row; each row is pairs of a
// skip count and a copy count with that many pixel bytes, until the row's 48 pixels are used (a
// skip that completes the row has no copy count after it). The drawers trust the encoding, so a
// tile is checked once, when it is loaded.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/bytes.h"

namespace kv {

inline constexpr int kRunTileWidth = 48;

// True when height rows decode to exactly 48 pixels each without reading past data. Bytes left
// over after the last row are allowed. A tile needs at least one row. badRow, when given, gets
// the first row that does not decode (height when there are none).
bool ValidateRunTile(std::span<const std::uint8_t> data, int height, int* badRow = nullptr);

// One run-encoded picture, 48 pixels wide: not width x height pixels but its rows as encoded,
// checked once when read, so that the drawers can trust them.
struct RunImage {
    std::uint16_t height = 0;
    std::vector<std::uint8_t> data;
};
// The pictures of a tile set, a house picture set or a flame set, in file order.
using RunImageSet = std::vector<RunImage>;

// Reads one picture as those files store it: u16 byte length L, u16 height, L bytes of rows.
// False (the reason in the reader) when the file ends early or the rows do not decode.
bool ReadRunImage(ByteReader& in, RunImage& out);
// count pictures one after the other.
bool ReadRunImages(ByteReader& in, std::size_t count, RunImageSet& out);

// Draws h rows of a tile with its top-left corner at (x, y) of DrawTarget, clipped to the world
// view (x 10..639, y 10..479): rows above it are read past, columns outside it are not written.
void DrawRunSpriteClipped(const std::uint8_t* tile, int x, int y, int h);
// The same with each pixel mixed over the one below it: BlendTable20[pixel x 256 + below].
void DrawRunSpriteBlend20(const std::uint8_t* tile, int x, int y, int h);

}  // namespace kv
