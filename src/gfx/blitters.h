#pragma once
// Copies, fills and the other drawing primitives, all over 8-bit buffers.

#include <cstdint>

namespace kv {

// Opaque copy of a packed w x h picture (pitch w) to (x, y) of DrawTarget.
void BlitToBackBuffer(const std::uint8_t* src, int x, int y, int w, int h);
// Sets w x h pixels from dst to 0; w is a multiple of 4 (whole words per row).
void ClearRect8(std::uint8_t* dst, std::uint32_t pitch, int w, int h);

}  // namespace kv
