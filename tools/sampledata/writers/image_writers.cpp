#include "writers/image_writers.h"

#include <cstdio>
#include <cstdlib>

#include "platform/bytes.h"
#include "writers/rle_packer.h"

namespace kv::sampledata {

namespace {

// A generator bug, not a data condition: stop at once with the reason.
[[noreturn]] void Misuse(const char* what) {
    std::fprintf(stderr, "image writer: %s\n", what);
    std::abort();
}

std::uint16_t Dimension(int value, bool isSigned) {
    if (value < 0 || value > (isSigned ? 32767 : 65535)) Misuse("frame size out of range");
    return static_cast<std::uint16_t>(value);
}

std::uint32_t PackedSize(const std::vector<std::uint8_t>& packed) {
    return static_cast<std::uint32_t>(packed.size());
}

}  // namespace

std::vector<std::uint8_t> MakeVff(std::span<const Canvas> frames, int type) {
    if (type != 2 && type != 3) Misuse("a .vff is of type 2 or 3");
    if (frames.size() > 65535) Misuse("too many frames");
    std::vector<std::vector<std::uint8_t>> packed;
    for (const Canvas& f : frames) packed.push_back(PackRle(f.pixels()));

    ByteWriter out;
    out.u8(static_cast<std::uint8_t>(type));
    out.u16(static_cast<std::uint16_t>(frames.size()));
    if (type == 2) {
        const int w = frames.empty() ? 0 : frames[0].width();
        const int h = frames.empty() ? 0 : frames[0].height();
        for (const Canvas& f : frames)
            if (f.width() != w || f.height() != h) Misuse("type 2 frames share one size");
        out.u16(Dimension(w, false));
        out.u16(Dimension(h, false));
        for (const auto& p : packed) out.u32(PackedSize(p));
    } else {
        for (std::size_t i = 0; i < frames.size(); ++i) {
            out.u16(Dimension(frames[i].width(), false));
            out.u16(Dimension(frames[i].height(), false));
            out.u32(PackedSize(packed[i]));
        }
    }
    for (const auto& p : packed) out.bytes(p);
    return out.take();
}

std::vector<std::uint8_t> MakeAff(std::span<const AffFrame> frames) {
    if (frames.size() > 32767) Misuse("too many frames");
    std::vector<std::vector<std::uint8_t>> packed;
    for (const AffFrame& f : frames) packed.push_back(PackRle(f.image.pixels()));

    ByteWriter out;
    out.i16(static_cast<std::int16_t>(frames.size()));
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const AffFrame& f = frames[i];
        out.i16(f.dx);
        out.i16(f.dy);
        out.u16(Dimension(f.image.width(), true));
        out.u16(Dimension(f.image.height(), true));
        out.u32(PackedSize(packed[i]));
        out.u16(f.delay);
    }
    for (const auto& p : packed) out.bytes(p);
    return out.take();
}

std::vector<std::uint8_t> MakeCff(const Canvas& picture, const GamePalette& palette) {
    ByteWriter out;
    out.u32(static_cast<std::uint32_t>(picture.width()));
    out.u32(static_cast<std::uint32_t>(picture.height()));
    out.bytes(PackRle(picture.pixels()));
    out.bytes(palette);
    return out.take();
}

std::vector<std::uint8_t> MakePal(const GamePalette& palette) {
    return std::vector<std::uint8_t>(palette.begin(), palette.end());
}

}  // namespace kv::sampledata
