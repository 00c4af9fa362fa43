#pragma once
// The writers of the picture files, each the exact inverse of its loader in src/gfx/image_files.h
// and src/gfx/screen_animation.h. They return the file's bytes; OutputTree::write stores them.

#include <cstdint>
#include <span>
#include <vector>

#include "gfx/palette.h"
#include "writers/canvas.h"

namespace kv::sampledata {

// An image set. Type 2 stores one size for all frames (they must all have it), type 3 a size per
// frame. Frame sizes must fit 16 bits.
std::vector<std::uint8_t> MakeVff(std::span<const Canvas> frames, int type = 3);

struct AffFrame {
    std::int16_t dx = 0;
    std::int16_t dy = 0;
    Canvas image;
    std::uint16_t delay = 0;  // milliseconds, for the screen animation
};
// A sprite sequence, which the screen animation also plays.
std::vector<std::uint8_t> MakeAff(std::span<const AffFrame> frames);

// A full-screen picture with its palette. The two leading words hold the picture's width and
// height, which the game does not read.
std::vector<std::uint8_t> MakeCff(const Canvas& picture, const GamePalette& palette);

// 768 bytes, as they stand in the palette.
std::vector<std::uint8_t> MakePal(const GamePalette& palette);

}  // namespace kv::sampledata
