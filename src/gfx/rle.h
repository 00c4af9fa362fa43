#pragma once
// The run-length packing every picture file uses. A stream is a sequence of blocks, each opened
// by a control byte c: 0 ends the stream, 1..127 copies the next c bytes, 128..255 writes the next
// byte c - 127 times. The unpackers are told the size of their destination and never write or
// read outside it: a stream that would is refused.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace kv {

// The number of bytes a stream unpacks to; none when its end mark is missing from packed (the
// data stops before it, or inside a block).
std::optional<std::size_t> RleUnpackedSize(std::span<const std::uint8_t> packed);

// Unpacks into consecutive bytes. True only when the stream ends within packed and fills the
// destination exactly; a stream that would write past the destination stops there.
bool UnpackRle(std::span<const std::uint8_t> packed, std::span<std::uint8_t> destination);

// Unpacks into a rectangle whose top-left corner is the start of destination: after every width
// bytes written the destination skips pitch - width bytes to the next row. False when the end mark
// is missing, pitch is below width, or a byte would fall outside destination (unpacking stops
// there).
bool UnpackRleRect(std::span<const std::uint8_t> packed, std::span<std::uint8_t> destination,
                   int width, std::size_t pitch);

}  // namespace kv
