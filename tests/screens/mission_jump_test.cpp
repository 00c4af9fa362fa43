// The mission jump's boxes and their texts.

#include "screens/mission_jump.h"

#include <gtest/gtest.h>

#include <string>

namespace kv {
namespace {

TEST(MissionJump, BoxesStandInThreeColumnsOfTen) {
    constexpr JumpBoxTable boxes = BuildJumpBoxes();
    struct Case {
        int i;
        int x;
        int y;
    };
    for (const Case& c : {Case{0, 20, 50}, Case{1, 20, 90}, Case{9, 20, 410}, Case{10, 270, 50},
                          Case{19, 270, 410}, Case{20, 520, 50}, Case{29, 520, 410}}) {
        EXPECT_EQ(boxes[static_cast<std::size_t>(c.i)].x, c.x) << c.i;
        EXPECT_EQ(boxes[static_cast<std::size_t>(c.i)].y, c.y) << c.i;
    }
}

TEST(MissionJump, EntriesFollowTheCampaignOrder) {
    EXPECT_EQ(JumpEntryText(0), std::string("01 ") + MissionTitlesShort[1]);
    EXPECT_EQ(JumpEntryText(1), std::string("02 ") + MissionTitlesShort[5]);
    EXPECT_EQ(JumpEntryText(29), std::string("30 ") + MissionTitlesShort[18]);
}

}  // namespace
}  // namespace kv
