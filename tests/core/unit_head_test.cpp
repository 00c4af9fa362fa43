#include "core/unit_views.h"

#include <gtest/gtest.h>

#include "support/record_offsets.h"

namespace kv {
namespace {

// The head is the first 312 bytes of both unit records in the save format.
TEST(UnitHead, SaveOffsetsOfTheSharedHead) {
    test::ExpectLayout<UnitHead>(312,
                                 {{"type", 0},         {"drawX", 4},           {"x", 8},
                                  {"storey", 20},      {"orders", 21},         {"present", 25},
                                  {"targetable", 26},  {"selectable", 27},     {"link", 30},
                                  {"energy", 34},      {"controlFlags", 38},   {"house", 39},
                                  {"stepRing", 43},    {"moveDir", 259},       {"moverFlags", 268},
                                  {"pathSearch", 269}, {"contour", 273},       {"speed", 277},
                                  {"moveSpare", 281},  {"shortcutFirst", 285}, {"stepMarker", 293},
                                  {"route", 294},      {"moveByte", 306},      {"zone", 308},
                                  {"sound", 310}});
    test::ExpectLayout<MoveStep>(9, {{"direction", 0}, {"x", 1}, {"y", 5}});
}

UnitHead g_units[3];

TEST(UnitHead, ArraysAreReachedOnlyInsideTheirCount) {
    UnitArray a;
    EXPECT_EQ(a.at(0), nullptr);
    a.count = 3;
    a.head = [](std::int16_t i) { return &g_units[i]; };
    EXPECT_EQ(a.at(2), &g_units[2]);
    EXPECT_EQ(a.at(3), nullptr);
    EXPECT_EQ(a.at(-1), nullptr);
    EXPECT_EQ(a.at(65535), nullptr);
    EXPECT_EQ(g_units[0].type, -1) << "a new head is a free slot";
    EXPECT_EQ(g_units[0].sound, -1);
}

}  // namespace
}  // namespace kv
