// Clicks on a house: opening and closing its view, water at a storey, the basket at a window,
// the ladder set up at the house, the jump cushion, the door walks, storey changes and moving the
// persons inside.

#include "mission/input/click_on_house.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "mission/input/click_things_fixture.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/house_fixture.h"
#include "world/houses.h"

namespace kv {
namespace {

using Strings = std::vector<std::string>;

std::string N(int v) {
    return std::to_string(v);
}
std::string At(int x, int y) {
    return N(x) + "," + N(y);
}

// House 0: four floors at column 10, row 3. Its door cell's corner is (256, 168) with the door in
// front (side 1), its stair point (282, 120), its front row 6 with the front line y 196, and its
// facade columns start at x 208. House 1: two floors at column 20, row 3.
class HouseClick : public test::ThingClickTest {
  protected:
    static constexpr int kX0 = 256;
    static constexpr int kY0 = 168;
    static constexpr int kFrontLine = 196;

    void SetUp() override {
        test::ThingClickTest::SetUp();
        ViewOrigin = {100, 0};
        ASSERT_TRUE(test::PlaceHouses({{4, 10, 3}, {6, 20, 3}}));
        ASSERT_EQ(HouseTypOf(Houses[0]).floors, 4);
        ASSERT_EQ(HouseTypOf(Houses[1]).floors, 2);
        for (House& h : Houses) h.shownStorey = static_cast<std::uint8_t>(HouseTypOf(h).floors);
    }
    void TearDown() override {
        test::ResetHouseState();
        test::ThingClickTest::TearDown();
    }
    // A person of the type, selected, inside house h on the storey (1 the ground floor), or
    // outside with h -1.
    std::int16_t Selected(int type, int h = -1, int storey = 0) {
        const std::int16_t p = Walker(type, 300, 150);
        if (h >= 0) {
            P(p).house = static_cast<std::uint16_t>(h);
            P(p).storey = static_cast<std::int8_t>(storey);
        }
        P(p).selected = 1;
        SelectPerson(p);
        return p;
    }
    // The mouse over facade column c at the first storey above the ground (storey step 0).
    static void MouseAtWindow(int column) { MouseAtWorld(208 + 32 * column + 5, kFrontLine - 40); }
    static void SetDoorSide(std::uint8_t side) {
        HouseTypen[static_cast<std::size_t>(Houses[0].type)].doorSide = side;
    }
};

TEST_F(HouseClick, TheWallsOpenAtTheStoreyAndTheWholeHouseComesBack) {
    House& h = Houses[0];
    SelectMode(kNoSelection);
    ClickHouse(kHoverHouseMiddle, 5, 3, 0, kCursorOpenStorey);
    EXPECT_EQ(h.shownStorey, 1);
    EXPECT_EQ(h.interiorView, 1);
    ClickHouse(kHoverHouseUpper, 5, 3, 2, kCursorOpenStorey + 2);
    EXPECT_EQ(h.shownStorey, 3);
    ClickHouse(kHoverHouseMiddle, 5, 3, 2, kCursorWholeHouse);
    EXPECT_EQ(h.shownStorey, 4);
    EXPECT_EQ(h.interiorView, 0);
    // The lower piece has no view cursors.
    ClickHouse(kHoverHouseLower, 5, 3, 0, kCursorOpenStorey);
    EXPECT_EQ(h.shownStorey, 4);
    EXPECT_EQ(h.interiorView, 0);
}

TEST_F(HouseClick, TheHosePersonAimsAtTheStoreyUnderTheMouse) {
    LoadPersonTyp(11);
    const std::int16_t s = Selected(11);
    MouseAtWorld(300, 160);
    ClickHouse(kHoverHouseLower, 2, 3, 1, kCursorWater);
    EXPECT_EQ(Orders(P(s)), (Strings{"178[300,160,1;12,6,0]0"}));
    EXPECT_EQ(Played(), Said(PersonTypOf(P(s)), 17));
}

// A cannon sprays at storey k of the front row's cell under the mouse: at (288, 150) for k 1 in
// column 12, when it stands in range in front of the front line; else it drives to (288, 196)
// first.
TEST_F(HouseClick, ACannonSpraysFromInFrontWithinRangeElseDrivesToTheFrontLineFirst) {
    const std::int16_t v = Bought(kTypF104, 300, 230);
    const int range = FahrzeugTypOf(V(v)).kanone->range;
    ASSERT_GT(range, 60);
    SelectFahrzeug(v);
    const std::string list = "55[288,150,1;12,6,0]";
    const struct {
        int x;
        int y;
        bool drives;
    } cases[] = {
        {300, 230, false},          // in front, in range
        {300, 190, true},           // behind the front line
        {288, 197 + range, true},   // in front, out of range
        {288, 196 + range, false},  // the range itself
    };
    MouseAtWorld(300, kFrontLine - 36);
    for (const auto& c : cases) {
        V(v).x = static_cast<float>(c.x);
        V(v).y = static_cast<float>(c.y);
        ClickHouse(kHoverHouseLower, 2, 3, 1, kCursorWater);
        if (c.drives)
            EXPECT_EQ(Orders(V(v)), (Strings{"54(288,196,0,0)0", list + "1"})) << c.y;
        else
            EXPECT_EQ(Orders(V(v)), (Strings{list + "0"})) << c.y;
    }
    EXPECT_EQ(Played(), Said(FahrzeugTypOf(V(v)), 17));

    // Above the top floor, a whole storey below the front line, or without a cannon: nothing.
    ClearBefehle(V(v));
    for (const int y : {kFrontLine - 4 * 31, kFrontLine + 31}) {
        MouseAtWorld(300, y);
        ClickHouse(kHoverHouseLower, 2, 3, 1, kCursorWater);
        EXPECT_EQ(V(v).orders, nullptr) << y;
    }
    // Storey 0 reaches the line and less than a storey below it, where the cursor shows water.
    for (const int y : {kFrontLine, kFrontLine + 1, kFrontLine + 30}) {
        ClearBefehle(V(v));
        MouseAtWorld(300, y);
        ClickHouse(kHoverHouseLower, 2, 3, 1, kCursorWater);
        EXPECT_EQ(LastOrder(V(v)), "55[288,181,0;12,6,0]0") << y;
    }
    const std::int16_t car = Bought(kTypF101, 300, 230);
    ASSERT_EQ(FahrzeugTypOf(V(car)).kanone, nullptr);
    SelectFahrzeug(car);
    ClickHouse(kHoverHouseLower, 2, 3, 1, kCursorWater);
    EXPECT_EQ(V(car).orders, nullptr);
}

// --- The ladder and its basket -----------------------------------------------------------------

TEST_F(HouseClick, TheBasketPersonSendsTheBasketToTheWindowUnderTheMouse) {
    const std::int16_t ladder = Bought(kTypF106, 500, 260);
    V(ladder).anim = 3;
    KanzelState& k = *V(ladder).kanzel;
    const std::int16_t s = Selected(1);
    P(s).basketVehicle = static_cast<std::uint16_t>(ladder);
    const std::string into = "68(" + N(s) + ",0,0,0)1";
    const int basketColumns[] = {10, 11, 0, 1, 2};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(BasketColumnAtFacade(c), basketColumns[c]);
        MouseAtWindow(c);
        const std::string at = N(basketColumns[c]) + ",0";
        k.column = 3;
        ClickHouse(kHoverHouseLower, 0, 3, 1, kCursorRescue);
        EXPECT_EQ(Orders(V(ladder)),
                  (Strings{"59(0,0,0,0)0", "60(" + at + ",0,0)1", into, "63(" + at + ",0,0)1"}))
            << c;
        k.column = 0;
        ClickHouse(kHoverHouseLower, 0, 3, 1, kCursorRescue);
        EXPECT_EQ(Orders(V(ladder)), (Strings{"60(" + at + ",0,0)0", into, "63(" + at + ",0,0)1"}))
            << c;
    }
    EXPECT_EQ(Played(), Said(FahrzeugTypOf(V(ladder)), 17));

    // No window there (storey 3 is the top floor's): nothing.
    ClearBefehle(V(ladder));
    MouseAtWorld(208 + 5, kFrontLine - 100);
    ClickHouse(kHoverHouseLower, 0, 3, 1, kCursorRescue);
    EXPECT_EQ(V(ladder).orders, nullptr);
    EXPECT_EQ(P(s).orders, nullptr);
}

TEST_F(HouseClick, TheLadderSetsUpAtTheHouseAndThenServesOnlyItsWindows) {
    const std::int16_t ladder = Bought(kTypF106, 500, 260);
    SelectFahrzeug(ladder);
    const AnimSlot& slot = FahrzeugAnimSlot(kTypF106, 3, 0);
    const std::string p = At(272 + slot.hotX, 224 + slot.hotY);
    MouseAtWindow(3);
    ClickHouse(kHoverHouseLower, 4, 3, 0, kCursorRescue);
    EXPECT_EQ(Orders(V(ladder)),
              (Strings{"0(" + p + ",0,0)0", "0(" + p + ",0,0)1", "7(1,0,0,0)1", "1(" + p + ",3,0)1",
                       "57(" + p + ",3,0)1", "58(0,0,0,0)1"}));

    V(ladder).anim = 13;
    V(ladder).kanzel->target = 0;
    ClickHouse(kHoverHouseLower, 4, 3, 0, kCursorRescue);
    EXPECT_EQ(Orders(V(ladder)), (Strings{"59(0,0,0,0)0", "60(1,0,0,0)1", "63(1,0,0,0)1"}));
    V(ladder).kanzel->column = 10;
    ClickHouse(kHoverHouseLower, 4, 3, 0, kCursorRescue);
    EXPECT_EQ(Orders(V(ladder)), (Strings{"60(1,0,0,0)0", "63(1,0,0,0)1"}));

    // Another house's windows, or no window: nothing, and no persons moved.
    ClearBefehle(V(ladder));
    V(ladder).kanzel->target = 1;
    ClickHouse(kHoverHouseLower, 4, 3, 0, kCursorRescue);
    V(ladder).kanzel->target = 0;
    MouseAtWorld(208 + 6 * 32 + 5, kFrontLine - 40);
    ClickHouse(kHoverHouseLower, 4, 3, 0, kCursorRescue);
    EXPECT_EQ(V(ladder).orders, nullptr);
}

TEST_F(HouseClick, TheJumpCushionGoesUnderTheFacadeColumnUnderTheMouse) {
    const std::int16_t s = Selected(6);
    MouseAtWorld(208 + 64 + 10, kFrontLine - 50);
    ClickHouse(kHoverHouseLower, 2, 3, 0, kCursorRescue);
    EXPECT_EQ(Orders(P(s)), (Strings{"0(277,214,0,0)0", "1(277,214,1,0)1", "187(277,214,0,2)1"}));
    EXPECT_EQ(Played(), Said(PersonTypOf(P(s)), 14));
}

// --- The door ----------------------------------------------------------------------------------

TEST_F(HouseClick, ACivilianMarksTheHouseFromInFrontOfItsDoor) {
    const struct {
        std::uint8_t side;
        int wx, wy, ox, oy, f;
    } sides[] = {
        {0, 16, -8, 16, -38, 6},
        {1, 0, 36, 0, 66, 0},
        {2, -24, 14, -54, 14, 3},
        {3, 40, 14, 70, 14, 9},
    };
    const std::int16_t s = Selected(0);
    for (const auto& d : sides) {
        SetDoorSide(d.side);
        ClickHouse(kHoverHouseLower, 2, 3, 0, kCursorRescue);
        const std::string w = At(kX0 + d.wx, kY0 + d.wy);
        EXPECT_EQ(Orders(P(s)),
                  (Strings{"0(" + w + ",0,0)0", "1(" + w + "," + N(d.f) + ",0)1",
                           "162(0," + w + ",0)1", "1(" + w + "," + N((d.f + 6) % 12) + ",0)1",
                           "0(" + At(kX0 + d.ox, kY0 + d.oy) + ",0,0)1"}))
            << int{d.side};
    }
    SetDoorSide(1);

    // A marked house, or a civilian who leads someone: only the persons inside would move.
    ClearBefehle(P(s));
    Houses[0].evacuated = 1;
    ClickHouse(kHoverHouseLower, 2, 3, 0, kCursorRescue);
    Houses[0].evacuated = 0;
    P(s).link = static_cast<std::uint16_t>(1000 + Walker(0, 600, 250));
    ClickHouse(kHoverHouseLower, 2, 3, 0, kCursorRescue);
    EXPECT_EQ(P(s).orders, nullptr);
}

TEST_F(HouseClick, StaffGoInThroughTheDoorMarkingTheHouseUnlessItIsMarked) {
    const struct {
        std::uint8_t side;
        int wx, wy, nx, ny, ox, oy, f;
    } sides[] = {
        {0, 16, -8, 16, -6, 16, 30, 6},
        {1, 0, 36, 0, 34, 0, -2, 0},
        {2, -24, 14, -17, 14, 22, 14, 3},
        {3, 40, 14, 33, 14, -6, 14, 9},
    };
    const std::int16_t s = Selected(2);
    for (const std::uint8_t marked : {0, 1}) {
        Houses[0].evacuated = marked;
        for (const auto& d : sides) {
            SetDoorSide(d.side);
            ClickHouse(kHoverHouseLower, 2, 3, 0, kCursorRescue);
            const std::string w = At(kX0 + d.wx, kY0 + d.wy);
            const std::string n = At(kX0 + d.nx, kY0 + d.ny);
            Strings want = {"0(" + w + ",0,0)0", "1(" + w + "," + N(d.f) + ",0)1"};
            if (marked == 0) want.push_back("162(0," + w + ",0)1");
            want.push_back("0(" + n + ",0,0)1");
            want.push_back("169(" + n + ",0,-1)1");
            want.push_back("0(" + At(kX0 + d.ox, kY0 + d.oy) + ",0,0)1");
            EXPECT_EQ(Orders(P(s)), want) << int{d.side} << " marked " << int{marked};
        }
    }
    SetDoorSide(1);
    EXPECT_EQ(Played(), Said(PersonTypOf(P(s)), 10));
}

// --- Inside ------------------------------------------------------------------------------------

TEST_F(HouseClick, TheStaircaseCellChangesStoreyButNeverToTheTopFloor) {
    const std::int16_t s = Selected(1, 0, 1);
    const struct {
        int storey;
        std::uint16_t cursor;
        bool climbs;
    } cases[] = {
        {1, kCursorChangeStorey + 1, true},   // up to storey 1
        {1, kCursorChangeStorey + 2, true},   // up to storey 2
        {1, kCursorChangeStorey + 3, false},  // the top floor
        {1, kCursorChangeStorey, false},      // where it is
        {3, kCursorChangeStorey, true},       // down to the ground floor
        {1, kCursorWholeHouse, false},        // no storey
        {1, kCursorMove, false},
    };
    for (const auto& c : cases) {
        ClearBefehle(P(s));
        P(s).storey = static_cast<std::int8_t>(c.storey);
        ClickHouse(kHoverHouseLower, 0, 0, 0, c.cursor);
        const int k = c.cursor - kCursorChangeStorey;
        const Strings climb = {"0(282,120,0,0)0", "171(" + N(k) + ",0,0,0)1"};
        EXPECT_EQ(Orders(P(s)), c.climbs ? climb : Strings{}) << c.storey << " " << c.cursor;
    }
    // Carrying someone, it stays.
    P(s).moverFlags |= kMoverLed;
    ClickHouse(kHoverHouseLower, 0, 0, 0, kCursorChangeStorey + 1);
    EXPECT_EQ(P(s).orders, nullptr);

    // In a two-floor house only storey 0 is offered.
    const std::int16_t low = Selected(12, 1, 2);
    const std::string z = At(32 * 20 - 16 * 3 + 10, 120);
    ClickHouse(kHoverHouseLower, 0, 0, 0, kCursorChangeStorey + 1, 1);
    EXPECT_EQ(P(low).orders, nullptr);
    ClickHouse(kHoverHouseLower, 0, 0, 0, kCursorChangeStorey, 1);
    EXPECT_EQ(Orders(P(low)), (Strings{"0(" + z + ",0,0)0", "171(0,0,0,0)1"}));
    EXPECT_EQ(Played(), Said(PersonTypOf(P(low)), 16));
}

// A person following another hands the storey change and moves inside on, speaking itself.
TEST_F(HouseClick, AFollowingPersonsOrdersGoToThePersonItFollows) {
    const std::int16_t s = Selected(1, 0, 1);
    const std::int16_t led = Walker(0, 310, 150);
    AppendBefehl(P(s), 160, led, 0, 0, 0, 0);
    const Strings follows = Orders(P(s));
    ClickHouse(kHoverHouseLower, 0, 0, 0, kCursorChangeStorey + 2);
    EXPECT_EQ(Orders(P(led)), (Strings{"0(282,120,0,0)0", "171(2,0,0,0)1"}));
    EXPECT_EQ(Orders(P(s)), follows);
    EXPECT_EQ(Played(), Said(PersonTypOf(P(s)), 16));

    P(s).storey = 3;
    MouseAtWorld(400, 200);
    ClickHouse(kHoverHouseLower, 3, 1, 0, kCursorMove);
    EXPECT_EQ(Orders(P(led)), (Strings{"0(400,262,0,0)0"}));
    EXPECT_EQ(Orders(P(s)), follows);
    EXPECT_EQ(Played(), Said(PersonTypOf(P(s)), 15));
}

TEST_F(HouseClick, OnlyTheLowerPieceMovesTheSelectedPersonsInsideRaisedByTheirStorey) {
    MouseAtWorld(400, 200);
    const std::int16_t s = Selected(1, 0, 1);
    const std::int16_t upstairs = Walker(2, 320, 150);
    P(upstairs).house = 0;
    P(upstairs).storey = 3;
    const std::int16_t casualty = Walker(2, 330, 150);
    P(casualty).house = 0;
    P(casualty).casualty = 1;
    const std::int16_t elsewhere = Walker(2, 340, 150);
    P(elsewhere).house = 1;
    const std::int16_t unselected = Walker(2, 350, 150);
    P(unselected).house = 0;
    for (const std::int16_t p : {upstairs, casualty, elsewhere}) P(p).selected = 1;

    // The middle piece runs the house actions (a storey change away from the staircase) and
    // stops; so does a box group.
    ClickHouse(kHoverHouseMiddle, 3, 1, 0, kCursorMove);
    SelectMode(kBoxGroupSelected, static_cast<std::uint16_t>(s));
    ClickHouse(kHoverHouseLower, 3, 1, 0, kCursorMove);
    for (const std::int16_t p : {s, upstairs, casualty, elsewhere, unselected})
        EXPECT_EQ(P(p).orders, nullptr) << p;

    SelectPerson(s);
    ClickHouse(kHoverHouseLower, 3, 1, 0, kCursorMove);
    EXPECT_EQ(Orders(P(s)), (Strings{"0(400,200,0,0)0"}));
    EXPECT_EQ(Orders(P(upstairs)), (Strings{"0(400,262,0,0)0"}));
    for (const std::int16_t p : {casualty, elsewhere, unselected})
        EXPECT_EQ(P(p).orders, nullptr) << p;
    // Both speak phrase 15 of one speaker: one slot, played once.
    ASSERT_EQ(PersonTypOf(P(s)).speaker, PersonTypOf(P(upstairs)).speaker);
    EXPECT_EQ(Played(), Said(PersonTypOf(P(s)), 15));
}

std::uint8_t Consumes() {
    return 1;
}

TEST_F(HouseClick, TheMissionsHookComesAfterTheViewCursorsAndAHouseGoneIsNoClick) {
    MissionHookRows[0].ClickOnHouse = Consumes;
    const std::int16_t s = Selected(1, 0, 1);
    ClickHouse(kHoverHouseMiddle, 5, 3, 0, kCursorOpenStorey);
    EXPECT_EQ(Houses[0].shownStorey, 1);
    ClickHouse(kHoverHouseLower, 0, 0, 0, kCursorChangeStorey + 1);
    EXPECT_EQ(P(s).orders, nullptr);
    MissionHookRows[0].ClickOnHouse = nullptr;
    ClickHouse(kHoverHouseMiddle, 5, 3, 0, kCursorWholeHouse, 7);
    ClickHouse(kHoverHouseLower, 0, 0, 0, kCursorChangeStorey + 1, 65535);
    EXPECT_EQ(P(s).orders, nullptr);
    EXPECT_EQ(Houses[0].shownStorey, 1);
}

}  // namespace
}  // namespace kv
