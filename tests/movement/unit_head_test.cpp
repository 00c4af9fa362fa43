#include "movement/unit_head.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

// The head is the first 312 bytes of both unit records in the save format.
TEST(UnitHead, SaveOffsetsOfTheSharedHead) {
    EXPECT_EQ(kUnitHeadSaveSize, 312u);
    EXPECT_EQ(UnitHeadSaveOffset("drawX"), 4u);
    EXPECT_EQ(UnitHeadSaveOffset("storey"), 20u);
    EXPECT_EQ(UnitHeadSaveOffset("orders"), 21u);
    EXPECT_EQ(UnitHeadSaveOffset("link"), 30u);
    EXPECT_EQ(UnitHeadSaveOffset("energy"), 34u);
    EXPECT_EQ(UnitHeadSaveOffset("house"), 39u);
    EXPECT_EQ(UnitHeadSaveOffset("stepRing"), 43u);
    EXPECT_EQ(UnitHeadSaveOffset("moveDir"), 259u);
    EXPECT_EQ(UnitHeadSaveOffset("moverFlags"), 268u);
    EXPECT_EQ(UnitHeadSaveOffset("speed"), 277u);
    EXPECT_EQ(UnitHeadSaveOffset("stepMarker"), 293u);
    EXPECT_EQ(UnitHeadSaveOffset("zone"), 308u);
    EXPECT_EQ(UnitHeadSaveOffset("sound"), 310u);
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
