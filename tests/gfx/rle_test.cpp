#include "gfx/rle.h"

#include <gtest/gtest.h>

#include <vector>

#include "writers/rle_packer.h"

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Repeat(std::size_t n, std::uint8_t v) {
    return Bytes(n, v);
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes Counting(std::size_t n) {
    Bytes out(n);
    for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<std::uint8_t>(i + 1);
    return out;
}

struct RleCase {
    const char* name;
    Bytes packed;
    std::size_t destinationSize;
    bool ok;
    Bytes expected;  // when ok
};

TEST(UnpackRle, ControlBytes) {
    const RleCase cases[] = {
        {"0 ends an empty stream", {0}, 0, true, {}},
        {"1 copies one byte", {1, 7, 0}, 1, true, {7}},
        {"127 copies 127 bytes", Concat({{127}, Counting(127), {0}}), 127, true, Counting(127)},
        {"128 writes its byte once", {128, 5, 0}, 1, true, {5}},
        {"255 writes its byte 128 times", {255, 9, 0}, 128, true, Repeat(128, 9)},
        {"blocks follow each other", {129, 3, 2, 1, 2, 0}, 4, true, {3, 3, 1, 2}},
        {"bytes after the end mark are ignored", {128, 5, 0, 44, 44}, 1, true, {5}},
        {"a run past the destination", {255, 9, 0}, 127, false, {}},
        {"literals past the destination", {3, 1, 2, 3, 0}, 2, false, {}},
        {"a stream that ends before filling", {128, 5, 0}, 2, false, {}},
        {"no end mark", {128, 5}, 1, false, {}},
        {"data ends inside literals", {3, 1, 2}, 3, false, {}},
        {"data ends before a run's byte", {130}, 3, false, {}},
        {"no data at all", {}, 0, false, {}},
    };
    for (const RleCase& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes out(c.destinationSize + 4, 0xEE);
        const bool ok = UnpackRle(c.packed, std::span(out).first(c.destinationSize));
        EXPECT_EQ(ok, c.ok);
        if (c.ok) {
            EXPECT_EQ(Bytes(out.begin(), out.begin() + c.destinationSize), c.expected);
            EXPECT_EQ(RleUnpackedSize(c.packed), std::optional(c.destinationSize));
        }
        EXPECT_EQ(Bytes(out.end() - 4, out.end()), Repeat(4, 0xEE)) << "nothing written beyond";
    }
}

TEST(RleUnpackedSize, NoneWithoutAnEndMark) {
    EXPECT_EQ(RleUnpackedSize(Bytes{255, 9, 2, 1, 2, 0}), std::optional<std::size_t>(130));
    EXPECT_FALSE(RleUnpackedSize(Bytes{128, 5}));
    EXPECT_FALSE(RleUnpackedSize(Bytes{3, 1, 2}));
    EXPECT_FALSE(RleUnpackedSize(Bytes{130}));
    EXPECT_FALSE(RleUnpackedSize(Bytes{}));
}

TEST(UnpackRleRect, SkipsToTheNextRowAfterEachWidth) {
    // A 3 x 2 rectangle in rows of 5: the two bytes right of each row stay untouched.
    Bytes out(10, 0xEE);
    ASSERT_TRUE(UnpackRleRect(Bytes{4, 1, 2, 3, 4, 129, 7, 0}, out, 3, 5));
    EXPECT_EQ(out, (Bytes{1, 2, 3, 0xEE, 0xEE, 4, 7, 7, 0xEE, 0xEE}));
}

TEST(UnpackRleRect, RefusesWritesOutsideItsDestination) {
    Bytes out(12, 0xEE);
    // Two rows of 3 in rows of 5 need 8 bytes; a third row would start at byte 10.
    EXPECT_FALSE(UnpackRleRect(Bytes{134, 1, 0}, std::span(out).first(8), 3, 5));
    EXPECT_EQ(Bytes(out.begin() + 8, out.end()), Repeat(4, 0xEE));
    EXPECT_FALSE(UnpackRleRect(Bytes{128, 1, 0}, out, 3, 2)) << "pitch below width";
    EXPECT_FALSE(UnpackRleRect(Bytes{128, 1, 0}, out, 0, 5)) << "bytes for a zero-width rectangle";
    EXPECT_FALSE(UnpackRleRect(Bytes{128, 1}, out, 3, 5)) << "no end mark";
    EXPECT_TRUE(UnpackRleRect(Bytes{0}, std::span<std::uint8_t>(), 3, 5));
}

TEST(PackRle, RoundTripsAndUsesTheLongestBlocks) {
    Bytes noisy;
    for (int i = 0; i < 5000; ++i) noisy.push_back(static_cast<std::uint8_t>((i * i / 7) % 5));
    const Bytes inputs[] = {
        {},
        {42},
        Repeat(128, 3),
        Repeat(1000, 0),
        Counting(300),
        Concat({Counting(126), Repeat(2, 9), Counting(1), Repeat(129, 1)}),
        noisy,
    };
    for (const Bytes& in : inputs) {
        const Bytes packed = sampledata::PackRle(in);
        Bytes out(in.size());
        EXPECT_TRUE(UnpackRle(packed, out));
        EXPECT_EQ(out, in);
    }
    EXPECT_EQ(sampledata::PackRle(Repeat(128, 3)), (Bytes{255, 3, 0}));
    EXPECT_EQ(sampledata::PackRle(Counting(127)), Concat({{127}, Counting(127), {0}}));
}

}  // namespace
}  // namespace kv
