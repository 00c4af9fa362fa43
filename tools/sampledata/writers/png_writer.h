#pragma once
// A canvas as a PNG file with an alpha channel: for the desktop's icon, the one picture of ours
// that something other than the game reads. Colour 0 is transparent, as in the game's sprites.

#include <string>

#include "gfx/palette.h"
#include "writers/canvas.h"

namespace kv::sampledata {

bool WritePng(const Canvas& canvas, const GamePalette& palette, const std::string& path);

}  // namespace kv::sampledata
