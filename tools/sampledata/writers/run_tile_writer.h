#pragma once
// Packs a 48-pixel-wide picture (colour 0 transparent) into the run-encoded tile form.

#include <cstdint>
#include <span>
#include <vector>

namespace kv::sampledata {

// pixels: height rows of 48 bytes.
std::vector<std::uint8_t> EncodeRunTile(std::span<const std::uint8_t> pixels, int height);

}  // namespace kv::sampledata
