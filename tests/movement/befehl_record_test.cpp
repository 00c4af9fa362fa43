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
