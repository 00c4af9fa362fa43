// Sprite sequences loaded as frame sets.

#include <cstddef>
#include <cstdint>
#include <span>

#include "gfx/image_files.h"
#include "support/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const kv::fuzz::Input input;
    kv::FrameSet* set = kv::LoadAffFromBytes(std::span(data, size));
    if (set != nullptr) {
        unsigned sum = 0;
        for (const kv::FrameSet* f = set; f->pixels != nullptr; ++f)
            for (std::size_t i = 0; i < std::size_t{f->width} * f->height; ++i) sum += f->pixels[i];
        (void)sum;
    }
    kv::FreeFrameSet(set);
    return 0;
}
