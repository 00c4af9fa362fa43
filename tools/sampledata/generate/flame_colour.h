#pragma once
// The colour of fire in the placeholder art, shared by every picture that burns.

#include <cstdint>

#include "writers/sample_palette.h"

namespace kv::sampledata {

// Pixel k of a tongue of flame h pixels high, counted up from its base: embers at the bottom,
// orange higher up, the pale tip on top.
constexpr std::uint8_t FlameColour(int k, int h) {
    const int step = k * 8 / (h + 1);
    return step < 6 ? pal::kFire[7 - step] : pal::kFlameTip[step - 6];
}

}  // namespace kv::sampledata
