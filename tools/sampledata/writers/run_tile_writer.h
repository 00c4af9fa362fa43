#pragma once
// Packs a 48-pixel-wide picture (colour 0 transparent) into the run-encoded tile form.

#include <cstdint>
#include <span>
#include <vector>

#include "gfx/run_tiles.h"
#include "platform/bytes.h"

namespace kv::sampledata {

// pixels: height rows of 48 bytes.
std::vector<std::uint8_t> EncodeRunTile(std::span<const std::uint8_t> pixels, int height);
// The same as a picture.
RunImage EncodeRunImage(std::span<const std::uint8_t> pixels, int height);

// As tile sets, house picture sets and flame sets store a picture: byte length, height, rows.
void WriteRunImage(ByteWriter& out, const RunImage& image);

}  // namespace kv::sampledata
