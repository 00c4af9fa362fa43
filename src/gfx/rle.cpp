#include "gfx/rle.h"

#include <algorithm>
#include <cstring>

namespace kv {

namespace {

// One block of a stream: count bytes, either copied from literal or all equal to fill.
struct RleBlock {
    std::size_t count = 0;
    const std::uint8_t* literal = nullptr;
    std::uint8_t fill = 0;
};

enum class Next { Block, End, Broken };

// Reads the block at pos and moves pos past it.
Next ReadBlock(std::span<const std::uint8_t> packed, std::size_t& pos, RleBlock& block) {
    if (pos >= packed.size()) return Next::Broken;
    const std::uint8_t c = packed[pos++];
    if (c == 0) return Next::End;
    if (c < 128) {
        if (packed.size() - pos < c) return Next::Broken;
        block.count = c;
        block.literal = packed.data() + pos;
        pos += c;
        return Next::Block;
    }
    if (pos >= packed.size()) return Next::Broken;
    block.count = static_cast<std::size_t>(c) - 127;
    block.literal = nullptr;
    block.fill = packed[pos++];
    return Next::Block;
}

void Put(std::uint8_t* out, const RleBlock& block, std::size_t offset, std::size_t count) {
    if (block.literal != nullptr)
        std::memcpy(out, block.literal + offset, count);
    else
        std::memset(out, block.fill, count);
}

}  // namespace

std::optional<std::size_t> RleUnpackedSize(std::span<const std::uint8_t> packed) {
    std::size_t pos = 0;
    std::size_t total = 0;
    RleBlock block;
    for (;;) {
        switch (ReadBlock(packed, pos, block)) {
            case Next::End:
                return total;
            case Next::Broken:
                return std::nullopt;
            case Next::Block:
                total += block.count;
                break;
        }
    }
}

bool UnpackRle(std::span<const std::uint8_t> packed, std::span<std::uint8_t> destination) {
    std::size_t pos = 0;
    std::size_t written = 0;
    RleBlock block;
    for (;;) {
        switch (ReadBlock(packed, pos, block)) {
            case Next::End:
                return written == destination.size();
            case Next::Broken:
                return false;
            case Next::Block:
                if (block.count > destination.size() - written) return false;
                Put(destination.data() + written, block, 0, block.count);
                written += block.count;
                break;
        }
    }
}

bool UnpackRleRect(std::span<const std::uint8_t> packed, std::span<std::uint8_t> destination,
                   int width, std::size_t pitch) {
    if (width < 0 || pitch < static_cast<std::size_t>(width)) return false;
    const std::size_t rowLength = static_cast<std::size_t>(width);
    std::size_t pos = 0;
    std::size_t out = 0;     // where the next byte goes
    std::size_t column = 0;  // bytes written in the current row
    RleBlock block;
    for (;;) {
        switch (ReadBlock(packed, pos, block)) {
            case Next::End:
                return true;
            case Next::Broken:
                return false;
            case Next::Block:
                for (std::size_t done = 0; done < block.count;) {
                    if (column == rowLength) {
                        if (rowLength == 0) return false;
                        out += pitch - rowLength;
                        column = 0;
                    }
                    const std::size_t n = std::min(block.count - done, rowLength - column);
                    if (out > destination.size() || n > destination.size() - out) return false;
                    Put(destination.data() + out, block, done, n);
                    out += n;
                    column += n;
                    done += n;
                }
                break;
        }
    }
}

}  // namespace kv
