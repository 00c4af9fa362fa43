#pragma once
// The packer for the run-length scheme the picture files use (see src/gfx/rle.h): runs of two or
// more equal bytes become run blocks of up to 128, everything else literal blocks of up to 127,
// and the stream ends with its 0 mark.

#include <cstdint>
#include <span>
#include <vector>

namespace kv::sampledata {

std::vector<std::uint8_t> PackRle(std::span<const std::uint8_t> pixels);

}  // namespace kv::sampledata
