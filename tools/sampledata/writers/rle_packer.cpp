#include "writers/rle_packer.h"

#include <algorithm>

namespace kv::sampledata {

namespace {

constexpr std::size_t kMaxRun = 128;
constexpr std::size_t kMaxLiteral = 127;

std::size_t RunLength(std::span<const std::uint8_t> pixels, std::size_t at) {
    std::size_t n = 1;
    while (at + n < pixels.size() && n < kMaxRun && pixels[at + n] == pixels[at]) ++n;
    return n;
}

}  // namespace

std::vector<std::uint8_t> PackRle(std::span<const std::uint8_t> pixels) {
    std::vector<std::uint8_t> out;
    std::size_t i = 0;
    while (i < pixels.size()) {
        const std::size_t run = RunLength(pixels, i);
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(run + 127));
            out.push_back(pixels[i]);
            i += run;
            continue;
        }
        // A literal block lasts until the next run of two or its size limit.
        std::size_t n = 1;
        while (i + n < pixels.size() && n < kMaxLiteral && RunLength(pixels, i + n) < 2) ++n;
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), pixels.begin() + static_cast<std::ptrdiff_t>(i),
                   pixels.begin() + static_cast<std::ptrdiff_t>(i + n));
        i += n;
    }
    out.push_back(0);
    return out;
}

}  // namespace kv::sampledata
