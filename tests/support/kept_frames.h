#pragma once
// Frames a whole-game test keeps for a person to look at: <build>/test-frames/<name>.png.

#include <filesystem>
#include <string>

#include "platform/headless/headless_backend.h"

namespace kv::test {

// The folder of kept frames, made on first use.
std::filesystem::path TestFramesDir();

// Writes the last frame the backend showed as <name>.png there; false when no frame was shown or
// the file could not be written.
bool KeepFrame(const HeadlessBackend& backend, const std::string& name);
// The same in the colours the display has now: a picture shown once and then faded in is
// flipped under the black palette.
bool KeepFrameInCurrentPalette(const HeadlessBackend& backend, const std::string& name);

}  // namespace kv::test
