#include "screens/mission_end.h"

#include <gtest/gtest.h>

#include <string>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "mission/mission_fixture.h"
#include "world/explosions.h"

namespace kv {
namespace {

// The banners come from the sample data.
class MissionEnd : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
    }
};

TEST_F(MissionEnd, FailingWaitsForExplosionsOnlyWhenAskedTo) {
    struct Case {
        std::uint16_t kind;
        bool exploding;
        std::uint32_t mode;
    };
    for (const Case c : {Case{kFailAfterExplosions, true, 2}, Case{kFailAfterExplosions, false, 4},
                         Case{kFailNow, true, 4}}) {
        SCOPED_TRACE(c.kind * 10 + c.exploding);
        GameMode = 2;
        CursorId = 18;
        ClearMessageLine();
        StartMoney = 6000;
        Money = 1234;
        ExplosionSlots[9].live = c.exploding ? 1 : 0;
        ShowMissionFailed(c.kind, "Zu viele Tote!");
        EXPECT_EQ(GameMode, c.mode);
        if (c.mode == 2) {
            EXPECT_EQ(std::string(MessageLine.data()), "");
            EXPECT_EQ(Money, 1234);
            EXPECT_EQ(CursorId, 18);
            continue;
        }
        EXPECT_EQ(std::string(MessageLine.data()), "Zu viele Tote!");
        EXPECT_EQ(MessageLineCountdown, kMessageLineForever);
        EXPECT_EQ(Money, 6000) << "back to the money the mission was entered with";
        EXPECT_EQ(StartMoney, 6000);
        EXPECT_EQ(CursorId, 0);
    }
}

TEST_F(MissionEnd, WinningCarriesTheMoneyOn) {
    GameMode = 2;
    CursorId = 19;
    StartMoney = 6000;
    Money = 1234;
    ExplosionSlots[0].live = 1;
    ShowWellDone();
    EXPECT_EQ(GameMode, 5u);
    EXPECT_EQ(StartMoney, 1234);
    EXPECT_EQ(Money, 1234);
    EXPECT_EQ(CursorId, 0);
}

}  // namespace
}  // namespace kv
