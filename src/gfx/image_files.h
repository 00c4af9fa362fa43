#pragma once
// The picture files: image sets (.vff), sprite sequences (.aff), full-screen pictures with their
// palette (.cff) and bare palettes (.pal). A file that is shorter than its headers say, or whose
// packed frames do not unpack to exactly their size, is refused like a missing one; the path
// loaders also say on stderr why they refused a file that exists.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "gfx/palette.h"
#include "platform/bytes.h"

namespace kv {

// One frame of an image set. A set is an array ended by an entry whose pixels are null; it owns
// its pixels (width x height bytes, row-major). Run-encoded tiles are not pixels and have a type of
// their own (gfx/run_tiles.h).
struct VffImage {
    std::uint16_t width;
    std::uint16_t height;
    std::uint8_t* pixels;
};

// A frame with its drawing offset; ended and owned like a VffImage set.
struct FrameSet {
    std::int16_t dx;
    std::int16_t dy;
    std::uint16_t width;
    std::uint16_t height;
    std::uint8_t* pixels;
};

// The frames of a set before its terminator; 0 for a null set.
std::size_t FrameCount(const VffImage* set);
std::size_t FrameCount(const FrameSet* set);

// The smallest rectangle around a frame's non-transparent pixels, corners included; none when
// every pixel is transparent. Sprite boxes that the type tables leave to the pictures use it.
struct PixelBounds {
    int left;
    int top;
    int right;
    int bottom;
};
std::optional<PixelBounds> OpaqueBounds(const VffImage& frame);

// Null when the file is missing, of another type than 2 or 3, or malformed. No message.
VffImage* LoadVff(std::string_view path);
// A null set is ignored.
void FreeVff(VffImage* set);

// A .vff or .aff file, chosen by the extension in any letter case. A missing or malformed file
// is fatal ("file not found: '<path>'"), as is any other extension; a .vff without frames gives
// null without a message.
FrameSet* LoadFrameSet(std::string_view path);
// Frees every frame and then the array; a null set is ignored.
void FreeFrameSet(FrameSet* set);

// Unpacks the picture into destination, which it must fill exactly, and when palette is given
// puts the file's palette there. False (nothing changed) when the file is missing or malformed.
bool LoadCff(std::string_view path, GamePalette* palette, std::span<std::uint8_t> destination);

// Reads the 768 bytes of a .pal file. False (buffer untouched) when the file is missing or
// shorter.
bool ReadWholeFile(std::string_view path, GamePalette& buffer);

// One frame header of an .aff file as it stands.
struct AffFrameHeader {
    std::int16_t dx = 0;
    std::int16_t dy = 0;
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::uint32_t packedSize = 0;
    std::uint16_t delay = 0;  // milliseconds
};
// Reads an .aff file's count and frame headers; the reader then stands at the packed frames.
// False, with the reason in the reader, for a negative count, width or height, or a short file.
bool ReadAffHeaders(ByteReader& in, std::vector<AffFrameHeader>& out);
// The packedSize bytes at the reader's place, when they unpack to exactly width x height bytes;
// else empty, with the reason (naming the frame) in the reader.
std::span<const std::uint8_t> ViewPackedFrame(ByteReader& in, std::size_t frame,
                                              std::uint32_t packedSize, std::size_t width,
                                              std::size_t height);

// The loaders over a file already read; the path loaders call them, the fuzzers too. None of
// them reports anything: null or false when the file is malformed, with the reason in why when
// given.
VffImage* LoadVffFromBytes(std::span<const std::uint8_t> file, ReadFault* why = nullptr);
FrameSet* LoadAffFromBytes(std::span<const std::uint8_t> file, ReadFault* why = nullptr);
bool LoadCffFromBytes(std::span<const std::uint8_t> file, GamePalette* palette,
                      std::span<std::uint8_t> destination, ReadFault* why = nullptr);

}  // namespace kv
