#include "gfx/image_files.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/fatal_error.h"
#include "gfx/rle.h"
#include "platform/bytes.h"
#include "platform/files.h"

namespace kv {

namespace {

constexpr std::size_t kPaletteBytes = 768;
// Two words in front of the packed picture, the palette behind it.
constexpr std::size_t kCffFrameBytes = 8 + kPaletteBytes;

// The packed bytes of one frame at offset, or none when they lie outside the file.
std::optional<std::span<const std::uint8_t>> PackedFrame(std::span<const std::uint8_t> file,
                                                         std::size_t offset, std::uint32_t size) {
    if (offset > file.size() || size > file.size() - offset) return std::nullopt;
    return file.subspan(offset, size);
}

// New pixels for a width x height frame unpacked from packed; null when the stream does not
// unpack to exactly that size. Measured before allocating, so a lying header costs nothing.
std::uint8_t* UnpackFrame(std::span<const std::uint8_t> packed, std::size_t width,
                          std::size_t height) {
    const std::size_t size = width * height;
    const std::optional<std::size_t> unpacked = RleUnpackedSize(packed);
    if (!unpacked || *unpacked != size) return nullptr;
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
    std::string ext(dot == std::string_view::npos ? std::string_view() : name.substr(dot));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
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

}  // namespace

VffImage* LoadVffFromBytes(std::span<const std::uint8_t> file) {
    ByteReader in(file);
    const int type = in.u8() % 128;
    const std::size_t count = in.u16();
    if (!in.ok() || (type != 2 && type != 3)) return nullptr;

    std::uint16_t sharedWidth = 0;
    std::uint16_t sharedHeight = 0;
    std::size_t entrySize = 8;
    if (type == 2) {
        sharedWidth = in.u16();
        sharedHeight = in.u16();
        entrySize = 4;
    }
    const std::size_t headerStart = in.position();
    const std::size_t dataStart = headerStart + entrySize * count;
    if (!in.ok() || dataStart > file.size()) return nullptr;

    VffImage* set = AllocFrames<VffImage>(count);
    std::size_t offset = dataStart;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint16_t width = sharedWidth;
        std::uint16_t height = sharedHeight;
        if (type == 3) {
            width = in.u16();
            height = in.u16();
        }
        const std::uint32_t packedSize = in.u32();
        const auto packed = PackedFrame(file, offset, packedSize);
        std::uint8_t* pixels = packed ? UnpackFrame(*packed, width, height) : nullptr;
        if (pixels == nullptr) {
            FreeFrames(set);
            return nullptr;
        }
        set[i] = VffImage{width, height, pixels};
        offset += packedSize;
    }
    return set;
}

VffImage* LoadVff(std::string_view path) {
    const auto file = ReadFileBytes(path);
    if (!file) return nullptr;
    return LoadVffFromBytes(*file);
}

void FreeVff(VffImage* set) {
    FreeFrames(set);
}

FrameSet* LoadAffFromBytes(std::span<const std::uint8_t> file) {
    constexpr std::size_t kHeaderSize = 14;
    ByteReader in(file);
    const std::int16_t count = in.i16();
    if (!in.ok() || count < 0) return nullptr;
    const std::size_t n = static_cast<std::size_t>(count);
    const std::size_t dataStart = 2 + kHeaderSize * n;
    if (dataStart > file.size()) return nullptr;

    FrameSet* set = AllocFrames<FrameSet>(n);
    std::vector<std::uint32_t> packedSizes(n);
    bool valid = true;
    for (std::size_t i = 0; i < n; ++i) {
        const std::int16_t dx = in.i16();
        const std::int16_t dy = in.i16();
        const std::int16_t width = in.i16();
        const std::int16_t height = in.i16();
        packedSizes[i] = in.u32();
        in.u16();  // the delay plays no part in a sprite
        if (width < 0 || height < 0) valid = false;
        set[i] = FrameSet{dx, dy, static_cast<std::uint16_t>(width),
                          static_cast<std::uint16_t>(height), nullptr};
    }
    std::size_t offset = dataStart;
    for (std::size_t i = 0; valid && i < n; ++i) {
        const auto packed = PackedFrame(file, offset, packedSizes[i]);
        set[i].pixels = packed ? UnpackFrame(*packed, set[i].width, set[i].height) : nullptr;
        valid = set[i].pixels != nullptr;
        offset += packedSizes[i];
    }
    if (!valid) {
        FreeFrames(set);
        return nullptr;
    }
    return set;
}

FrameSet* LoadFrameSet(std::string_view path) {
    const std::string ext = LowerExtension(path);
    if (ext == ".vff") return FrameSetFromVff(path);
    if (ext == ".aff") {
        const auto file = ReadFileBytes(path);
        FrameSet* set = file ? LoadAffFromBytes(*file) : nullptr;
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
                      std::span<std::uint8_t> destination) {
    if (file.size() < kCffFrameBytes) return false;
    const auto packed = file.subspan(8, file.size() - kCffFrameBytes);
    // Checked whole before anything is written, so a refused file changes nothing.
    const std::optional<std::size_t> unpacked = RleUnpackedSize(packed);
    if (!unpacked || *unpacked != destination.size()) return false;
    UnpackRle(packed, destination);
    if (palette != nullptr)
        std::memcpy(palette->data(), file.data() + file.size() - kPaletteBytes, kPaletteBytes);
    return true;
}

bool LoadCff(std::string_view path, GamePalette* palette, std::span<std::uint8_t> destination) {
    const auto file = ReadFileBytes(path);
    if (!file) return false;
    return LoadCffFromBytes(*file, palette, destination);
}

bool ReadWholeFile(std::string_view path, GamePalette& buffer) {
    File f;
    if (!f.open(path, File::Mode::Read)) return false;
    GamePalette read{};
    if (f.read(read) != read.size()) return false;
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
