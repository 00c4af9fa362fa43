#include <gtest/gtest.h>

#include "movement/befehl.h"
#include "support/record_offsets.h"

namespace kv {
namespace {

// The save game's order body copies these bytes; opcode 54 adds its final target.
TEST(BefehlRecord, SaveOffsets) {
    test::ExpectLayout<Befehl>(35, {{"opcode", 0},
                                    {"a", 1},
                                    {"b", 5},
                                    {"c", 9},
                                    {"d", 13},
                                    {"e", 17},
                                    {"flags", 21},
                                    {"extra", 22},
                                    {"next", 23},
                                    {"finalX", 27},
                                    {"finalY", 31}});
    test::ExpectLayout<GoalPoint>(10, {{"x", 0}, {"y", 4}, {"facing", 8}, {"flags", 9}});
}

// A route leg typed byte by byte: opcode 54, a = 1.0f, b = -2.0f, c = 3, d = -1, e = 1, flags
// 0x14, extra -1, next (ignored), finalX = 0.5f, finalY = 100.0f.
TEST(BefehlRecord, ReadsTheStoredBytes) {
    const std::uint8_t bytes[] = {
        0x36,                    // opcode
        0x00, 0x00, 0x80, 0x3F,  // a
        0x00, 0x00, 0x00, 0xC0,  // b
        0x03, 0x00, 0x00, 0x00,  // c
        0xFF, 0xFF, 0xFF, 0xFF,  // d
        0x01, 0x00, 0x00, 0x00,  // e
        0x14,                    // flags
        0xFF,                    // extra
        0x78, 0x56, 0x34, 0x12,  // next
        0x00, 0x00, 0x00, 0x3F,  // finalX
        0x00, 0x00, 0xC8, 0x42,  // finalY
    };
    ByteReader in(bytes);
    const Befehl b = ReadRecord<Befehl>(in);
    EXPECT_TRUE(in.ok());
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(b.opcode, 54);
    EXPECT_EQ(b.aFloat(), 1.0f);
    EXPECT_EQ(b.bFloat(), -2.0f);
    EXPECT_EQ(b.cInt(), 3);
    EXPECT_EQ(b.dInt(), -1);
    EXPECT_EQ(b.e, 1u);
    EXPECT_EQ(b.flags, 0x14);
    EXPECT_EQ(b.extra, -1);
    EXPECT_EQ(b.next, nullptr);
    EXPECT_EQ(b.finalX, 0.5f);
    EXPECT_EQ(b.finalY, 100.0f);
}

TEST(BefehlRecord, ArgumentsKeepTheirBits) {
    Befehl b;
    b.setA(12.5f);
    b.setB(-3);
    b.c = 0xFFFF0003u;
    EXPECT_EQ(b.aFloat(), 12.5f);
    EXPECT_EQ(b.a, 0x41480000u);
    EXPECT_EQ(b.bInt(), -3);
    EXPECT_EQ(b.b, 0xFFFFFFFDu);
    EXPECT_EQ(LowHalf(b.c), 3);
    EXPECT_EQ(HighHalf(b.c), -1);
    EXPECT_EQ(b.extra, -1);
}

}  // namespace
}  // namespace kv
