// Mission 5: the fire its set-up lights, its set-up and checks on the sample data, and its
// evaluation.

#include <gtest/gtest.h>

#include <string>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "missions/mission_checks.h"
#include "missions/mission_rows.h"
#include "movement/traffic_paths.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "world/brand_cells.h"
#include "world/house_fixture.h"
#include "world/houses.h"
#include "world/sonder_obj.h"

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

// Mission 5 started from its campaign position on the sample data.
class MissionFive : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        SeedRandom(11);
        CampaignPosition = CampaignPositionOf(5);
        StartMission(kNewMission);
        leaveKarte();
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        ASSERT_EQ(MissionNummer, 5);
    }
    static int personsInWorld() {
        int n = 0;
        for (const Person& p : Personen) n += PersonInWorld(p);
        return n;
    }
    static int objectsOfType(std::int16_t type) {
        int n = 0;
        for (const SonderObj& o : SonderObjs) n += o.type == type;
        return n;
    }
};

TEST_F(MissionFive, StartsWithItsPeopleHydrantsAndOneBurningHouse) {
    EXPECT_EQ(personsInWorld(), 16) << "ten onlookers, four pedestrians, two casualties";
    EXPECT_EQ(objectsOfType(kSobjHydrant), 6);
    int pools = 0;
    for (std::int16_t k = 0; k < 4; ++k) pools += objectsOfType(kSobjBlutLache + k);
    EXPECT_EQ(pools, 2) << "a pool under each casualty, and no other object";
    EXPECT_EQ(objectsOfType(-1), static_cast<int>(SonderObjs.size()) - 8);
    EXPECT_EQ(BurningHouseCount, 1);
    EXPECT_EQ(Money, 7000);
    EXPECT_TRUE(RescuePending());
}

TEST_F(MissionFive, AFailureComesBeforeTheWin) {
    struct Case {
        const char* what;
        std::uint16_t dead;
        std::uint16_t houses;
        bool rescuePending;
        std::uint32_t mode;
        const char* message;
    };
    const Case cases[] = {
        {"a casualty died", 1, 1, true, 4, "Verletzter gestorben!"},
        {"a second house burns", 0, 2, true, 4, "Brand ist ausser Kontrolle geraten!"},
        {"one house burns", 0, 1, true, 2, ""},
        {"the fire out, a casualty left", 0, 0, true, 2, ""},
        {"death and spread", 1, 2, false, 4, "Verletzter gestorben!"},
        {"all done but a death", 1, 0, false, 4, "Verletzter gestorben!"},
        {"all done", 0, 0, false, 5, ""},
    };
    // The casualties go for good once a case no longer waits for them: keep those cases last.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameMode = 2;
        ClearMessageLine();
        if (!c.rescuePending)
            for (std::size_t i = 0; i < Personen.size(); ++i)
                DeletePerson(static_cast<std::int32_t>(i));
        ToteCount = c.dead;
        BurningHouseCount = c.houses;
        BurningCellCount = 0;
        kMissionHooksM05.CheckMission();
        EXPECT_EQ(GameMode, c.mode);
        EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), c.message);
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
