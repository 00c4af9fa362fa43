// The shared helpers by which missions send units to special objects: the four approach points of
// a vehicle or a person, and water on the point under the mouse.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "gfx/image_files.h"
#include "missions/approach_points.h"
#include "missions/water_on_point.h"
#include "movement/befehl_opcodes.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "support/order_list.h"
#include "vehicles/carry_befehle.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv {
namespace {

constexpr std::int16_t kTyp = kCommonSonderObjTypen;
// A hit box wholly left of and above the position with odd corners: where an arithmetic halving
// and a truncating one differ.
constexpr std::array<std::int16_t, 4> kBox = {-7, -5, -3, -1};

class ObjectOrders : public test::FahrzeugTest {
  protected:
    void SetUp() override {
        FahrzeugTest::SetUp();
        FreeSonderObj();
        SonderObjTypCount = kTyp + 1;
        SonderObjCount = 1;
        AllocSonderObj();
        SonderObjTyp& t = *SonderObjTypAt(kTyp);
        const std::vector<sampledata::AffFrame> frames = {{0, 0, sampledata::Canvas(8, 8, 7), 0}};
        t.frames = LoadAffFromBytes(sampledata::MakeAff(frames));
        t.frameCount = 1;
        t.boxX0 = kBox[0];
        t.boxY0 = kBox[1];
        t.boxX1 = kBox[2];
        t.boxY1 = kBox[3];
        CreateSonderObj(kSlot, kTyp, 701, 533, 0, 15, 0, 0.0f, 0);
    }
    static constexpr std::int16_t kSlot = 0;
};

TEST_F(ObjectOrders, EveryVehicleGetsTheCranesPickUpPointsInItsOrder) {
    const std::int16_t engine = Make(kTypF104);
    ASSERT_GE(engine, 0);
    const GoalList goals = ApproachPoints(kSlot, Fahrzeuge[static_cast<std::size_t>(engine)]);
    ASSERT_EQ(goals.size(), 4u);
    const std::array<std::uint8_t, 4> facings = {7, 3, 1, 9};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto p = GetFahrzeugPickUpPoint(kTypF110, PickUpSonderObj(kSlot), facings[i]);
        ASSERT_TRUE(p);
        EXPECT_EQ(goals[i].x, static_cast<float>(p->x)) << i;
        EXPECT_EQ(goals[i].y, static_cast<float>(p->y)) << i;
        EXPECT_EQ(goals[i].facing, facings[i]) << i;
    }
    FreeSonderObjSlot(kSlot);
    EXPECT_TRUE(ApproachPoints(kSlot, Fahrzeuge[static_cast<std::size_t>(engine)]).empty());
}

TEST_F(ObjectOrders, APersonsPointsFollowItsOwnSizeAndFaceTheObject) {
    PreloadPersonTypen();
    const std::int16_t index = MakePerson(1);
    const Person& p = Personen[static_cast<std::size_t>(index)];
    const PersonTyp& t = PersonTypOf(p);
    ASSERT_GT(t.extent[3], 0);
    // The halves are shifts of the 16-bit sizes and box corners; 4k/11 truncates toward zero.
    const int uw = t.extent[2] >> 1;
    const int uh = t.extent[3] >> 1;
    const int a = uh + kBox[3] + 1;
    const int b = uh - kBox[1] + 1;
    const int x = 701;
    const int y = 533;
    const std::array<GoalPoint, 4> expected = {{
        {static_cast<float>(x + (kBox[2] >> 1) - 4 * a / 11), static_cast<float>(y + a), 1, 0},
        {static_cast<float>(x + kBox[2] + uw + 2), static_cast<float>(y + (kBox[3] >> 1)), 9, 0},
        {static_cast<float>(x + (kBox[2] >> 1) + 4 * b / 11), static_cast<float>(y - b), 7, 0},
        {static_cast<float>(x + kBox[0] - uw - 2), static_cast<float>(y + (kBox[3] >> 1)), 3, 0},
    }};
    const GoalList goals = ApproachPoints(kSlot, p);
    ASSERT_EQ(goals.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(goals[i].x, expected[i].x) << i;
        EXPECT_EQ(goals[i].y, expected[i].y) << i;
        EXPECT_EQ(goals[i].facing, expected[i].facing) << i;
    }
}

TEST_F(ObjectOrders, ReleaseSpotsComeInTheGivenOrderWithTheirFacings) {
    // Facing 2 stands left of the position, 10 right of the box's right edge, both 30 below.
    const GoalList goals = ReleaseSpotGoals(kSlot, {10, 2, 6});
    ASSERT_EQ(goals.size(), 2u) << "facing 6 has no spot";
    EXPECT_EQ(goals[0].x, 701.0f + kBox[2] + 3);
    EXPECT_EQ(goals[0].y, 533.0f + 30);
    EXPECT_EQ(goals[0].facing, 10);
    EXPECT_EQ(goals[1].x, 701.0f - 3);
    EXPECT_EQ(goals[1].y, 533.0f + 30);
    EXPECT_EQ(goals[1].facing, 2);
    FreeSonderObjSlot(kSlot);
    EXPECT_TRUE(ReleaseSpotGoals(kSlot, {2, 10}).empty());
}

TEST_F(ObjectOrders, WaterOnThePointSpraysInRangeAndDrivesUpBeyondIt) {
    const std::int16_t engine = Make(kTypF104, 1, 600, 500);
    ASSERT_GE(engine, 0);
    Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(engine)];
    const std::int16_t range = FahrzeugTypOf(v).kanone->range;
    SelectionMode = kTypF104;
    SelectedIndex = static_cast<std::uint16_t>(engine);
    ViewOrigin = {400, 300};

    // Right at the range, then one pixel past it.
    MouseX = static_cast<std::uint16_t>(200 + range);
    MouseY = 200;
    EXPECT_TRUE(WaterOnPoint(kSlot));
    const int tx = 600 + range;
    EXPECT_EQ(test::Orders(v),
              (std::vector<test::Order>{{kOpCannonAtObject, tx, 500, kSlot, 0, 0}}));
    MouseX = static_cast<std::uint16_t>(201 + range);
    EXPECT_TRUE(WaterOnPoint(kSlot));
    EXPECT_EQ(test::Orders(v),
              (std::vector<test::Order>{{kOpRouteLeg, tx + 1, 500, 0, 0, 0},
                                        {kOpCannonAtObject, tx + 1, 500, kSlot, 0, 1}}));
}

TEST_F(ObjectOrders, WaterOnThePointNeedsASelectedCannonVehicle) {
    const std::int16_t crane = Make(kTypF110);
    const std::int16_t engine = Make(kTypF104, 1, 900, 500);
    ASSERT_GE(crane, 0);
    ASSERT_GE(engine, 0);
    PreloadPersonTypen();
    const std::int16_t person = MakePerson(1);
    ViewOrigin = {400, 300};
    MouseX = 300;
    MouseY = 200;
    struct Case {
        std::uint16_t mode;
        std::uint16_t index;
    };
    const Case cases[] = {
        {kTypF110, static_cast<std::uint16_t>(crane)},  // no cannon
        {1001, static_cast<std::uint16_t>(person)},     // a person
        {kTypF104, 19},                                 // a free slot
        {kTypF104, 65535},                              // nobody
        {1001, static_cast<std::uint16_t>(engine)},     // the engine under a person mode
    };
    for (const Case& c : cases) {
        SelectionMode = c.mode;
        SelectedIndex = c.index;
        EXPECT_FALSE(WaterOnPoint(kSlot)) << c.mode << " " << c.index;
    }
    for (const Fahrzeug& v : Fahrzeuge) EXPECT_EQ(v.orders, nullptr);
}

}  // namespace
}  // namespace kv
