// Full-screen pictures into a screen-sized buffer with a palette.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "gfx/frame_buffer.h"
#include "gfx/image_files.h"
#include "support/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const kv::fuzz::Input input;
    static std::vector<std::uint8_t> screen(kv::kWorkBufferSize);
    kv::GamePalette palette{};
    kv::LoadCffFromBytes(std::span(data, size), &palette, screen);
    // A small destination too, so that short pictures load and their palette is taken.
    std::uint8_t small[64];
    kv::LoadCffFromBytes(std::span(data, size), &palette, small);
    return 0;
}
