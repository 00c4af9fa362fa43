#include "gfx/blitters.h"

#include <algorithm>
#include <cstring>

#include "gfx/blend_tables.h"
#include "gfx/frame_buffer.h"

namespace kv {

namespace {

// Whole rows: memcpy moves them as fast as the machine can.
void CopyRows(const std::uint8_t* src, std::uint32_t srcPitch, std::uint8_t* dst,
              std::uint32_t dstPitch, int w, int h) {
    if (w <= 0) return;
    if (srcPitch == dstPitch && srcPitch == static_cast<std::uint32_t>(w)) {
        std::memcpy(dst, src,
                    static_cast<std::size_t>(w) * static_cast<std::size_t>(std::max(h, 0)));
        return;
    }
    for (int row = 0; row < h; ++row, src += srcPitch, dst += dstPitch)
        std::memcpy(dst, src, static_cast<std::size_t>(w));
}

// Written without a branch so that the compiler can turn it into vector blends.
void TransparentRows(const std::uint8_t* src, std::uint32_t srcPitch, std::uint8_t* dst,
                     std::uint32_t dstPitch, int w, int h) {
    for (int row = 0; row < h; ++row, src += srcPitch, dst += dstPitch) {
        const std::uint8_t* __restrict s = src;
        std::uint8_t* __restrict d = dst;
        for (int i = 0; i < w; ++i) d[i] = s[i] != 0 ? s[i] : d[i];
    }
}

// The part of a w x h picture at (x, y) inside the clip rectangle, and the offset of its first
// visible pixel in the packed picture; false when nothing is inside.
struct ClippedBlock {
    int left;
    int top;
    int width;
    int height;
    std::ptrdiff_t srcOffset;
};
bool ClipBlock(const ClipRect& clip, int x, int y, int w, int h, ClippedBlock& out) {
    const int left = std::max(x, clip.left);
    const int top = std::max(y, clip.top);
    const int right = std::min(x + w - 1, clip.right);
    const int bottom = std::min(y + h - 1, clip.bottom);
    if (left > right || top > bottom) return false;
    out = {left, top, right - left + 1, bottom - top + 1,
           static_cast<std::ptrdiff_t>(top - y) * w + (left - x)};
    return true;
}

}  // namespace

void BlitRect(const std::uint8_t* src, std::uint32_t srcPitch, int x, int y, int w, int h,
              std::uint8_t* dst, std::uint32_t dstPitch) {
    CopyRows(src, srcPitch, PixelAt(dst, dstPitch, x, y), dstPitch, w, h);
}

void BlitToBackBuffer(const std::uint8_t* src, int x, int y, int w, int h) {
    CopyRows(src, static_cast<std::uint32_t>(w), PixelAt(DrawTarget, DrawPitch, x, y), DrawPitch, w,
             h);
}

void BlitToBackBufferClippedTo(const ClipRect& clip, const std::uint8_t* src, int x, int y, int w,
                               int h) {
    ClippedBlock b;
    if (!ClipBlock(clip, x, y, w, h, b)) return;
    CopyRows(src + b.srcOffset, static_cast<std::uint32_t>(w),
             PixelAt(DrawTarget, DrawPitch, b.left, b.top), DrawPitch, b.width, b.height);
}

void GrabRect(int x, int y, int w, int h, const std::uint8_t* src, std::uint32_t srcPitch,
              std::uint8_t* dst, std::uint32_t dstPitch) {
    CopyRows(PixelAt(src, srcPitch, x, y), srcPitch, dst, dstPitch, w, h);
}

void BlitTransparent(const std::uint8_t* src, std::uint32_t srcPitch, int x, int y, int w, int h,
                     std::uint8_t* dst, std::uint32_t dstPitch) {
    TransparentRows(src, srcPitch, PixelAt(dst, dstPitch, x, y), dstPitch, w, h);
}

void BlitTransparentClippedTo(const ClipRect& clip, const std::uint8_t* src, int x, int y, int w,
                              int h, std::uint8_t* dst, std::uint32_t dstPitch) {
    ClippedBlock b;
    if (!ClipBlock(clip, x, y, w, h, b)) return;
    // The source row stride stays w; only the visible part is read.
    TransparentRows(src + b.srcOffset, static_cast<std::uint32_t>(w),
                    PixelAt(dst, dstPitch, b.left, b.top), dstPitch, b.width, b.height);
}

void BlitTransparentClipped(const std::uint8_t* src, int x, int y, int w, int h, std::uint8_t* dst,
                            std::uint32_t dstPitch) {
    BlitTransparentClippedTo(kWorldView, src, x, y, w, h, dst, dstPitch);
}

void BlitTransparentClippedFull(const std::uint8_t* src, int x, int y, int w, int h,
                                std::uint8_t* dst, std::uint32_t dstPitch) {
    BlitTransparentClippedTo(kPanelArea, src, x, y, w, h, dst, dstPitch);
}

void BlitBlend50(const std::uint8_t* src, std::uint32_t srcPitch, int x, int y, int w, int h,
                 std::uint8_t* dst, std::uint32_t dstPitch) {
    const std::uint8_t* table = BlendTable50.data();
    std::uint8_t* d = PixelAt(dst, dstPitch, x, y);
    for (int row = 0; row < h; ++row, src += srcPitch, d += dstPitch)
        for (int i = 0; i < w; ++i)
            if (const unsigned s = src[i]; s != 0) d[i] = table[s << 8 | d[i]];
}

void BlitBlendAll50(const std::uint8_t* src, int x, int y, int w, int h, std::uint8_t* dst,
                    std::uint32_t dstPitch) {
    const std::uint8_t* table = BlendTable50.data();
    std::uint8_t* d = PixelAt(dst, dstPitch, x, y);
    for (int row = 0; row < h; ++row, src += w, d += dstPitch)
        for (int i = 0; i < w; ++i) d[i] = table[static_cast<unsigned>(src[i]) << 8 | d[i]];
}

void TintRect50(int x, int y, int w, int h, std::uint8_t colour, std::uint8_t* dst,
                std::uint32_t dstPitch) {
    const std::uint8_t* row = BlendTable50.data() + (static_cast<std::size_t>(colour) << 8);
    std::uint8_t* d = PixelAt(dst, dstPitch, x, y);
    for (int r = 0; r < h; ++r, d += dstPitch)
        for (int i = 0; i < w; ++i) d[i] = row[d[i]];
}

void FillRect8(int x, int y, int w, int h, std::uint8_t colour, std::uint8_t* dst,
               std::uint32_t dstPitch) {
    if (w <= 0) return;
    std::uint8_t* d = PixelAt(dst, dstPitch, x, y);
    for (int r = 0; r < h; ++r, d += dstPitch) std::memset(d, colour, static_cast<std::size_t>(w));
}

void ClearRect8(std::uint8_t* dst, std::uint32_t pitch, int w, int h) {
    // Whole words only: the last w mod 4 pixels of a row stay as they are.
    if (w < 4) return;
    const std::size_t bytes = static_cast<std::size_t>(w / 4) * 4;
    for (int row = 0; row < h; ++row)
        std::memset(dst + static_cast<std::size_t>(row) * pitch, 0, bytes);
}

}  // namespace kv
