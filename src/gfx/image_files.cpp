#include "gfx/image_files.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/fatal_error.h"
#include "core/refused_file.h"
#include "gfx/rle.h"
#include "platform/ascii.h"
#include "platform/bytes.h"
#include "platform/files.h"

namespace kv {

namespace {

constexpr std::size_t kPaletteBytes = 768;
// Two words in front of the packed picture, the palette behind it.
constexpr std::size_t kCffFrameBytes = 8 + kPaletteBytes;

// New pixels for a width x height frame from its packed bytes at the reader's place; null, with
// the reason in the reader, when they are not a valid frame of that size.
std::uint8_t* ReadPackedFrame(ByteReader& in, std::size_t frame, std::uint32_t packedSize,
                              std::size_t width, std::size_t height) {
    const auto packed = ViewPackedFrame(in, frame, packedSize, width, height);
    if (!in.ok()) return nullptr;
    const std::size_t size = width * height;
    auto* pixels = static_cast<std::uint8_t*>(AllocMem(size));
    UnpackRle(packed, std::span(pixels, size));
    return pixels;
}

template <typename Frame>
Frame* AllocFrames(std::size_t count) {
    auto* frames = static_cast<Frame*>(AllocMem((count + 1) * sizeof(Frame)));
    std::memset(frames, 0, (count + 1) * sizeof(Frame));
    return frames;
}

// Frees a set whose frames up to its first null pixel pointer are filled.
template <typename Frame>
void FreeFrames(Frame* frames) {
    if (frames == nullptr) return;
    for (Frame* f = frames; f->pixels != nullptr; ++f) std::free(f->pixels);
    std::free(frames);
}

std::string LowerExtension(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/:");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return AsciiLower(dot == std::string_view::npos ? std::string_view() : name.substr(dot));
}

void FileNotFound(std::string_view path) {
    FatalError("file not found: '" + std::string(path) + "'");
}

FrameSet* FrameSetFromVff(std::string_view path) {
    VffImage* vff = LoadVff(path);
    if (vff == nullptr) {
        FileNotFound(path);
        return nullptr;
    }
    const std::size_t count = FrameCount(vff);
    if (count == 0) {
        FreeVff(vff);
        return nullptr;
    }
    // The pixels change owner; only the image array goes.
    FrameSet* set = AllocFrames<FrameSet>(count);
    for (std::size_t i = 0; i < count; ++i)
        set[i] = FrameSet{0, 0, vff[i].width, vff[i].height, vff[i].pixels};
    std::free(vff);
    return set;
}

// An image set of type 2 or 3; null, with the reason in the reader, when malformed.
VffImage* ReadVff(ByteReader& in) {
    const int type = in.u8() % 128;
    const std::size_t count = in.u16();
    if (!in.ok()) return nullptr;
    if (type != 2 && type != 3) {
        in.refuseAt(0, "type " + std::to_string(type) + ", 2 or 3 wanted");
        return nullptr;
    }
    std::uint16_t sharedWidth = 0;
    std::uint16_t sharedHeight = 0;
    if (type == 2) {
        sharedWidth = in.u16();
        sharedHeight = in.u16();
    }
    const std::size_t entrySize = type == 2 ? 4 : 8;
    const std::size_t headerStart = in.position();
    if (!in.require(entrySize * count)) return nullptr;

    VffImage* set = AllocFrames<VffImage>(count);
    ByteReader frames = in;
    frames.seek(headerStart + entrySize * count);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint16_t width = sharedWidth;
        std::uint16_t height = sharedHeight;
        if (type == 3) {
            width = in.u16();
            height = in.u16();
        }
        const std::uint32_t packedSize = in.u32();
        std::uint8_t* pixels = ReadPackedFrame(frames, i, packedSize, width, height);
        if (pixels == nullptr) {
            in = frames;  // the fault is the frame's
            FreeFrames(set);
            return nullptr;
        }
        set[i] = VffImage{width, height, pixels};
    }
    return set;
}

// A sprite sequence; null, with the reason in the reader, when malformed.
FrameSet* ReadAff(ByteReader& in) {
    std::vector<AffFrameHeader> headers;
    if (!ReadAffHeaders(in, headers)) return nullptr;
    FrameSet* set = AllocFrames<FrameSet>(headers.size());
    for (std::size_t i = 0; i < headers.size(); ++i) {
        const AffFrameHeader& h = headers[i];
        set[i] = FrameSet{h.dx, h.dy, static_cast<std::uint16_t>(h.width),
                          static_cast<std::uint16_t>(h.height), nullptr};
    }
    for (std::size_t i = 0; i < headers.size(); ++i) {
        set[i].pixels = ReadPackedFrame(in, i, headers[i].packedSize, set[i].width, set[i].height);
        if (set[i].pixels == nullptr) {
            FreeFrames(set);
            return nullptr;
        }
    }
    return set;
}

}  // namespace

std::span<const std::uint8_t> ViewPackedFrame(ByteReader& in, std::size_t frame,
                                              std::uint32_t packedSize, std::size_t width,
                                              std::size_t height) {
    const auto packed = in.view(packedSize);
    if (!in.ok()) return {};
    // Measured before anything is allocated, so a lying header costs nothing.
    const std::optional<std::size_t> unpacked = RleUnpackedSize(packed);
    if (!unpacked || *unpacked != width * height) {
        in.refuse("frame " + std::to_string(frame) + " unpacks to " +
                  (unpacked ? std::to_string(*unpacked) + " bytes" : "no end mark") + ", " +
                  std::to_string(width) + " x " + std::to_string(height) + " wanted");
        return {};
    }
    return packed;
}

bool ReadAffHeaders(ByteReader& in, std::vector<AffFrameHeader>& out) {
    out.clear();
    const std::int16_t count = in.i16();
    if (!in.ok()) return false;
    if (count < 0) return in.refuse("a negative frame count");
    constexpr std::size_t kHeaderSize = 14;
    if (!in.require(kHeaderSize * static_cast<std::size_t>(count))) return false;
    out.resize(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < out.size(); ++i) {
        AffFrameHeader& h = out[i];
        h.dx = in.i16();
        h.dy = in.i16();
        const std::size_t sizeAt = in.position();
        h.width = in.i16();
        h.height = in.i16();
        h.packedSize = in.u32();
        h.delay = in.u16();
        if (h.width < 0 || h.height < 0)
            return in.refuseAt(sizeAt,
                               "frame " + std::to_string(i) + " of a negative width or height");
    }
    return true;
}

VffImage* LoadVffFromBytes(std::span<const std::uint8_t> file, ReadFault* why) {
    ByteReader in(file);
    VffImage* set = ReadVff(in);
    if (set == nullptr && why != nullptr) *why = in.fault();
    return set;
}

VffImage* LoadVff(std::string_view path) {
    const auto file = ReadFileBytes(path);
    if (!file) return nullptr;
    ReadFault why;
    VffImage* set = LoadVffFromBytes(*file, &why);
    if (set == nullptr) ReportRefusedFile(path, why);
    return set;
}

void FreeVff(VffImage* set) {
    FreeFrames(set);
}

FrameSet* LoadAffFromBytes(std::span<const std::uint8_t> file, ReadFault* why) {
    ByteReader in(file);
    FrameSet* set = ReadAff(in);
    if (set == nullptr && why != nullptr) *why = in.fault();
    return set;
}

FrameSet* LoadFrameSet(std::string_view path) {
    const std::string ext = LowerExtension(path);
    if (ext == ".vff") return FrameSetFromVff(path);
    if (ext == ".aff") {
        const auto file = ReadFileBytes(path);
        ReadFault why;
        FrameSet* set = file ? LoadAffFromBytes(*file, &why) : nullptr;
        if (file && set == nullptr) ReportRefusedFile(path, why);
        if (set == nullptr) FileNotFound(path);
        return set;
    }
    FatalError("wrong format in Sonderobj (should be vff or aff).");
    return nullptr;
}

void FreeFrameSet(FrameSet* set) {
    FreeFrames(set);
}

bool LoadCffFromBytes(std::span<const std::uint8_t> file, GamePalette* palette,
                      std::span<std::uint8_t> destination, ReadFault* why) {
    if (file.size() < kCffFrameBytes)
        return RefuseInto(why, 0,
                          std::to_string(file.size()) + " bytes, at least " +
                              std::to_string(kCffFrameBytes) + " wanted");
    const auto packed = file.subspan(8, file.size() - kCffFrameBytes);
    // Checked whole before anything is written, so a refused file changes nothing.
    const std::optional<std::size_t> unpacked = RleUnpackedSize(packed);
    if (!unpacked || *unpacked != destination.size())
        return RefuseInto(why, 8,
                          "the picture unpacks to " +
                              (unpacked ? std::to_string(*unpacked) + " bytes" : "no end mark") +
                              ", " + std::to_string(destination.size()) + " wanted");
    UnpackRle(packed, destination);
    if (palette != nullptr)
        std::memcpy(palette->data(), file.data() + file.size() - kPaletteBytes, kPaletteBytes);
    return true;
}

bool LoadCff(std::string_view path, GamePalette* palette, std::span<std::uint8_t> destination) {
    const auto file = ReadFileBytes(path);
    if (!file) return false;
    ReadFault why;
    if (LoadCffFromBytes(*file, palette, destination, &why)) return true;
    ReportRefusedFile(path, why);
    return false;
}

bool ReadWholeFile(std::string_view path, GamePalette& buffer) {
    File f;
    if (!f.open(path, File::Mode::Read)) return false;
    GamePalette read{};
    if (const std::size_t got = f.read(read); got != read.size()) {
        ReportRefusedFile(path,
                          ReadFault{0, "768 bytes wanted, only " + std::to_string(got) + " there"});
        return false;
    }
    buffer = read;
    return true;
}

std::optional<PixelBounds> OpaqueBounds(const VffImage& frame) {
    PixelBounds b{frame.width, frame.height, -1, -1};
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            if (frame.pixels[static_cast<std::size_t>(y) * frame.width + x] != 0) {
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.right = std::max(b.right, x);
                b.bottom = std::max(b.bottom, y);
            }
    if (b.right < 0) return std::nullopt;
    return b;
}

namespace {
template <typename Frame>
std::size_t CountFrames(const Frame* set) {
    std::size_t n = 0;
    if (set != nullptr)
        while (set[n].pixels != nullptr) ++n;
    return n;
}
}  // namespace

std::size_t FrameCount(const VffImage* set) {
    return CountFrames(set);
}
std::size_t FrameCount(const FrameSet* set) {
    return CountFrames(set);
}

}  // namespace kv
