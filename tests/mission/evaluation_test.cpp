#include "mission/evaluation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/campaign.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "missions/mission_rows.h"
#include "support/headless_test.h"

namespace kv {
namespace {

using Evaluation = test::HeadlessTest;

std::string Text(const ResultLine& line) {
    return line.text.data();
}

TEST_F(Evaluation, TheRuleOfTheLines) {
    struct Case {
        const char* what;
        std::uint16_t percent;
        std::uint16_t expected;
    };
    const Case cases[] = {
        {"time at T1", TimePercent(4200, 4200, 30000), 100},
        {"time one tick after T1", TimePercent(4201, 4200, 30000), 99},
        {"time halfway", TimePercent(17100, 4200, 30000), 50},
        {"time at T2", TimePercent(30000, 4200, 30000), 0},
        {"time long past T2", TimePercent(0xFFFFFFFFu, 4200, 30000), 0},
        {"money above M", MoneyPercent(50000, 3000), 100},
        {"money below M", MoneyPercent(2999, 3000), 99},
        {"money negative", MoneyPercent(-100000, 3000), 0},
        {"money whose x 100 leaves 32 bits", MoneyPercent(-2000000000, 3000), 0},
        {"no dead", DeadPercent(0, 25), 100},
        {"k 25 with 3 dead", DeadPercent(3, 25), 25},
        {"k 25 with 4 dead", DeadPercent(4, 25), 0},
        {"k 25 with 5 dead", DeadPercent(5, 25), 0},
        {"k 100 with 65535 dead", DeadPercent(65535, 100), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(c.percent, c.expected) << c.what;

    // Points are two integer divisions, each quotient on its own.
    EXPECT_EQ(PointsFor(99, 0, 6000), 495);
    EXPECT_EQ(PointsFor(99, 5999, 6000), 495 + 499);
    EXPECT_EQ(PointsFor(100, 100000000, 6000), 500 + 8333333) << "money x 500 in 64 bits";
    EXPECT_EQ(PointsFor(0, -6000, 6000), -500);
}

TEST_F(Evaluation, LinesAreWrittenFromTheMissionsState) {
    TickCounter = 4200;
    ToteCount = 2;
    Money = -7;
    ResultLine line;
    EXPECT_EQ(WriteTimeLine(line, 4200, 30000), 100);
    EXPECT_EQ(Text(line), "Zeit: 03:30");
    EXPECT_EQ(WriteDeadLine(line, 50), 0);
    EXPECT_EQ(Text(line), "Tote: 2");
    EXPECT_EQ(WriteMoneyLine(line, 3000), 0);
    EXPECT_EQ(Text(line), "Geld: -7");
    // A very long mission: the minutes take more than two digits, and the text stays in its 80
    // bytes.
    TickCounter = 0xFFFFFFFFu;
    EXPECT_EQ(WriteTimeLine(line, 4200, 30000), 0);
    EXPECT_EQ(Text(line), "Zeit: 3579139:24");
}

TEST_F(Evaluation, MissionOneWeighsTimeAndMoney) {
    struct Case {
        std::uint32_t ticks;
        std::int32_t money;
        const char* time;
        std::uint16_t timePercent;
        const char* money_;
        std::uint16_t moneyPercent;
        std::int32_t efficiency;
        std::int32_t points;
    };
    const Case cases[] = {
        {4200, 1500, "Zeit: 03:30", 100, "Geld: 1500", 50, 75, 375 + 125},
        {30000, 6000, "Zeit: 25:00", 0, "Geld: 6000", 100, 50, 250 + 500},
        {17100, 2997, "Zeit: 14:15", 50, "Geld: 2997", 99, 74, 370 + 249},
        // (99 + 100) / 2 truncates.
        {4201, 3000, "Zeit: 03:30", 99, "Geld: 3000", 100, 99, 495 + 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ticks);
        ResetEvaluation();
        TickCounter = c.ticks;
        Money = c.money;
        kMissionHooksM01.EvaluateMission();
        EXPECT_EQ(Text(ResultLines[0]), c.time);
        EXPECT_EQ(ResultLines[0].percent, c.timePercent);
        EXPECT_EQ(Text(ResultLines[1]), c.money_);
        EXPECT_EQ(ResultLines[1].percent, c.moneyPercent);
        for (int k = 2; k < kResultLineCount; ++k) EXPECT_EQ(Text(ResultLines[k]), "") << k;
        EXPECT_EQ(EvaluationEfficiency, c.efficiency);
        EXPECT_EQ(EvaluationPoints, c.points);
        EXPECT_EQ(EvaluationLineLayout.step, 60);
        EXPECT_EQ(EvaluationLineLayout.firstBarY, 122);
    }
}

}  // namespace
}  // namespace kv
