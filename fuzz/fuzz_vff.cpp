// Image sets: any bytes either load as a set that frees cleanly or are refused.

#include <cstddef>
#include <cstdint>
#include <span>

#include "gfx/image_files.h"
#include "support/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const kv::fuzz::Input input;
    kv::VffImage* set = kv::LoadVffFromBytes(std::span(data, size));
    if (set != nullptr) {
        // Touch every pixel, so that a frame smaller than its size shows.
        unsigned sum = 0;
        for (const kv::VffImage* f = set; f->pixels != nullptr; ++f)
            for (std::size_t i = 0; i < std::size_t{f->width} * f->height; ++i) sum += f->pixels[i];
        (void)sum;
    }
    kv::FreeVff(set);
    return 0;
}
