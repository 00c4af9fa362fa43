#pragma once
// Copies, transparent copies, blends and fills over 8-bit buffers. A buffer is a pointer to its
// first pixel and a pitch (bytes from one row to the next). Colour 0 is transparent wherever a
// routine says so. Sizes are at least 1 unless a routine says otherwise; nothing allocates.

#include <cstdint>

namespace kv {

// The world view and the whole panel area, inclusive screen rectangles the clipped blitters keep
// to.
struct ClipRect {
    int left;
    int top;
    int right;
    int bottom;
};
inline constexpr ClipRect kWorldView{10, 10, 639, 479};
inline constexpr ClipRect kPanelArea{10, 10, 789, 589};
inline constexpr ClipRect kScreenRect{0, 0, 799, 599};

// Opaque copy of the w x h block at the top-left of src to (x, y) of dst.
void BlitRect(const std::uint8_t* src, std::uint32_t srcPitch, int x, int y, int w, int h,
              std::uint8_t* dst, std::uint32_t dstPitch);
// Opaque copy of a packed w x h picture (pitch w) to (x, y) of DrawTarget.
void BlitToBackBuffer(const std::uint8_t* src, int x, int y, int w, int h);
// The same, clipped to a rectangle; a picture wholly outside draws nothing.
void BlitToBackBufferClippedTo(const ClipRect& clip, const std::uint8_t* src, int x, int y, int w,
                               int h);
// Opaque copy of the w x h block at (x, y) of src to the top-left of dst.
void GrabRect(int x, int y, int w, int h, const std::uint8_t* src, std::uint32_t srcPitch,
              std::uint8_t* dst, std::uint32_t dstPitch);
// As BlitRect, but source pixels 0 are left out.
void BlitTransparent(const std::uint8_t* src, std::uint32_t srcPitch, int x, int y, int w, int h,
                     std::uint8_t* dst, std::uint32_t dstPitch);
// Transparent copy of a packed picture, clipped to the world view (x 10..639, y 10..479) or to
// the whole panel area (x 10..789, y 10..589). A picture wholly outside draws nothing.
void BlitTransparentClipped(const std::uint8_t* src, int x, int y, int w, int h, std::uint8_t* dst,
                            std::uint32_t dstPitch);
void BlitTransparentClippedFull(const std::uint8_t* src, int x, int y, int w, int h,
                                std::uint8_t* dst, std::uint32_t dstPitch);
// The same, clipped to any rectangle.
void BlitTransparentClippedTo(const ClipRect& clip, const std::uint8_t* src, int x, int y, int w,
                              int h, std::uint8_t* dst, std::uint32_t dstPitch);
// Every source pixel s other than 0 mixed over the destination: BlendTable50[s x 256 + dst].
void BlitBlend50(const std::uint8_t* src, std::uint32_t srcPitch, int x, int y, int w, int h,
                 std::uint8_t* dst, std::uint32_t dstPitch);
// The same for every pixel of a packed picture, 0 included.
void BlitBlendAll50(const std::uint8_t* src, int x, int y, int w, int h, std::uint8_t* dst,
                    std::uint32_t dstPitch);
// Every pixel of the rectangle: BlendTable50[colour x 256 + dst].
void TintRect50(int x, int y, int w, int h, std::uint8_t colour, std::uint8_t* dst,
                std::uint32_t dstPitch);
void FillRect8(int x, int y, int w, int h, std::uint8_t colour, std::uint8_t* dst,
               std::uint32_t dstPitch);
// Sets w x h pixels from dst to 0; w is a multiple of 4 (whole words per row).
void ClearRect8(std::uint8_t* dst, std::uint32_t pitch, int w, int h);

// The pixel at (x, y) of a buffer; y may be negative.
inline std::uint8_t* PixelAt(std::uint8_t* buffer, std::uint32_t pitch, int x, int y) {
    return buffer + static_cast<std::ptrdiff_t>(y) * static_cast<std::ptrdiff_t>(pitch) + x;
}
inline const std::uint8_t* PixelAt(const std::uint8_t* buffer, std::uint32_t pitch, int x, int y) {
    return buffer + static_cast<std::ptrdiff_t>(y) * static_cast<std::ptrdiff_t>(pitch) + x;
}

}  // namespace kv
