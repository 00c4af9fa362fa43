// Mission 5: the fire its set-up lights, and its evaluation.

#include <gtest/gtest.h>

#include <string>

#include "core/campaign.h"
#include "core/mission_state.h"
#include "mission/evaluation.h"
#include "missions/mission_rows.h"
#include "world/brand_cells.h"
#include "world/house_fixture.h"
#include "world/houses.h"

namespace kv {
namespace {

using test::BoxHouse;
using test::Placement;

class MissionFiveFire : public test::HouseTest {
  protected:
    void SetUp() override {
        HouseTest::SetUp();
        writePictures(0, 0);
    }
    // Whether any cell of any floor of any house burns.
    static int burningHouseCells() {
        int n = 0;
        for (const House& h : Houses)
            for (const HouseFloor& f : h.floors)
                for (const auto& column : f.brand)
                    for (const BrandState& s : column) n += s.burning != 0;
        return n;
    }
};

TEST_F(MissionFiveFire, OnlyTheFlatOverTheFireCellBurns) {
    level(40, 30);
    writeHouse(18, BoxHouse(5, 4, 3));
    ASSERT_TRUE(test::PlaceHouses({{18, 24, 18, 0, 0}}));
    kMissionHooksM05.InitBrand();
    EXPECT_EQ(burningHouseCells(), 1);
    EXPECT_EQ(brand::At(Houses[0].floors[2].brand, 2, 3).burning, 1);
    EXPECT_EQ(brand::At(Houses[0].floors[2].brand, 2, 3).heat, 0) << "heat left as it was";
}

TEST_F(MissionFiveFire, NothingBurnsWithoutAHouseFloorOverTheCell) {
    struct Case {
        const char* what;
        int width;
        int height;
        Placement house;
        int floors;
    };
    const Case cases[] = {
        {"ground under the cell", 40, 30, {18, 2, 2, 0, 0}, 3},
        {"a house of two floors", 40, 30, {18, 24, 18, 0, 0}, 2},
        {"the map ends before the column", 26, 30, {18, 22, 18, 0, 0}, 3},
        {"the map ends before the row", 40, 21, {18, 24, 17, 0, 0}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        level(c.width, c.height);
        writeHouse(18, BoxHouse(5, 4, c.floors));
        ASSERT_TRUE(test::PlaceHouses({c.house}));
        kMissionHooksM05.InitBrand();
        EXPECT_EQ(burningHouseCells(), 0);
        test::ResetHouseState();
    }
}

TEST(MissionFiveEvaluation, TimeAndMoneyWeighEqually) {
    ResetEvaluation();
    TickCounter = 30000;
    Money = 7000;
    kMissionHooksM05.EvaluateMission();
    EXPECT_EQ(std::string(ResultLines[0].text.data()), "Zeit: 25:00");
    EXPECT_EQ(ResultLines[0].percent, 0);
    EXPECT_EQ(std::string(ResultLines[1].text.data()), "Geld: 7000");
    EXPECT_EQ(ResultLines[1].percent, 100);
    EXPECT_EQ(std::string(ResultLines[2].text.data()), "");
    EXPECT_EQ(EvaluationEfficiency, 50);
    EXPECT_EQ(EvaluationPoints, 250 + 500);
}

}  // namespace
}  // namespace kv
