// A click on the ground: water and landing by the cursor, the ladder vehicle's basket, felling a
// tree, the box group's move, stepping out of the basket, and the click's checks of what it reads
// from the last frame and the selection.

#include "mission/input/ground_click.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "core/hover.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/random.h"
#include "core/view.h"
#include "media/sound_table.h"
#include "mission/input/click_fixture.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "support/order_list.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "vehicles/helicopter_befehle.h"
#include "world/level_map.h"

namespace kv {
namespace {

using test::Order;
using test::Orders;
using OrderList = std::vector<Order>;

// The click point and the mouse point lie apart, so that each order shows which one it took. The
// hovered cell is the one under the mouse.
constexpr int kClickX = 620;
constexpr int kClickY = 260;
constexpr int kMouseX = 700;  // the fixture's mouse (300, 300) under the view at (400, 100)
constexpr int kMouseY = 400;
const CellPos kCell = CellFromPixel(kMouseX, kMouseY);

constexpr int kOpSetPersonDown = 79;
constexpr int kOpBasketDown = 58;
constexpr int kOpBasketUp = 59;
constexpr int kOpBasketToColumn = 60;
constexpr int kOpTakeDown = 62;
constexpr int kOpFellTree = 176;
constexpr int kOpHoseAtCell = 177;
constexpr int kOpLeaveBasket = 182;

// The moves of the selection to the click point: the first replaces the queue.
const OrderList kMovedToClick = {{kOpMove, kClickX, kClickY, 0, 0, 0}};

class GroundClick : public test::ClickTest {
  protected:
    void SetUp() override {
        ClickTest::SetUp();
        ASSERT_EQ(ViewOrigin.x + MouseX, kMouseX);
        ASSERT_EQ(ViewOrigin.y + MouseY, kMouseY);
        CursorId = kCursorMove;
        Hover(kHoverMapCell, static_cast<std::uint16_t>(kCell.column),
              static_cast<std::uint16_t>(kCell.row));
    }
    // The unit selected with its flag, as one unit of its kind.
    static std::int16_t Selected(std::int16_t v) {
        V(v).selected = 1;
        SelectFahrzeug(v);
        return v;
    }
    static std::int16_t SelectedPerson(std::int16_t p) {
        P(p).selected = 1;
        SelectPerson(p);
        return p;
    }
    static void Click() { ClickAt(kClickX, kClickY); }
    bool heard(int sound) const {
        const std::vector<int> ids = played();
        return std::find(ids.begin(), ids.end(), sound) != ids.end();
    }
};

TEST_F(GroundClick, WaterAndLandingFollowTheCursorAndTheMousePoint) {
    LoadFahrzeugTyp(kTypF104);
    ASSERT_NE(FahrzeugTypen[kTypF104].kanone, nullptr);
    const int range = FahrzeugTypen[kTypF104].kanone->range;
    const int groundY = kCellHeight * kCell.row;  // the cell's top line, below the mouse
    const struct {
        const char* what;
        std::uint16_t cursor;
        std::int32_t type;  // a vehicle, or 1000 + a person type
        int y;              // where the unit stands, below the mouse
        OrderList orders;
        int phrase;
    } cases[] = {
        {"cannon in reach",
         kCursorWater,
         kTypF104,
         groundY + range,
         {{kOpCannonAtCell, kMouseX, kMouseY, kCell.column, kCell.row, 0}},
         7},
        {"cannon out of reach",
         kCursorWater,
         kTypF104,
         groundY + range + 1,
         {{kOpRouteLeg, kMouseX, groundY, 0, 0, 0},
          {kOpCannonAtCell, kMouseX, kMouseY, kCell.column, kCell.row, 1}},
         7},
        {"the hose person",
         kCursorWater,
         1000 + 11,
         450,
         {{kOpHoseAtCell, kMouseX, kMouseY, kCell.column, kCell.row, 0}},
         15},
        {"the helicopter carrying a person",
         kCursorLand,
         kTypF203B,
         450,
         {{kOpMove, kMouseX - 30, kMouseY - 100, 0, 0, 0},
          {kOpWait, 1, 0, 0, 0, 1},
          {kOpTurn, kMouseX - 30, kMouseY - 100, 3, 0, 1},
          {kOpSetPersonDown, kMouseX - 30, kMouseY - 100, 0, 0, 1}},
         17},
        // No cannon: the water cursor of an earlier selection moves it like any other.
        {"a car under the water cursor", kCursorWater, kTypF101, 505, kMovedToClick, 7},
        {"a car under the landing cursor", kCursorLand, kTypF101, 505, kMovedToClick, 7},
    };
    for (const auto& c : cases) {
        ClearUnits();
        quiet();
        CursorId = c.cursor;
        const UnitHead* unit = nullptr;
        int speaker = -1;
        if (c.type >= 1000) {
            const std::int16_t p = SelectedPerson(Walker(c.type - 1000, kMouseX, c.y));
            unit = &P(p);
            speaker = PersonTypOf(P(p)).speaker;
        } else {
            const std::int16_t v =
                Selected(Bought(c.type, kMouseX, static_cast<std::int16_t>(c.y)));
            ASSERT_GE(v, 0) << c.what;
            unit = &V(v);
            speaker = FahrzeugTypOf(V(v)).speaker;
        }
        Click();
        EXPECT_EQ(Orders(*unit), c.orders) << c.what;
        EXPECT_TRUE(heard(speaker * kPhraseCount + c.phrase)) << c.what;
    }

    // The helicopter lands at the mouse point as its own landing order lays it out.
    ClearUnits();
    CursorId = kCursorLand;
    const std::int16_t heli = Selected(Bought(kTypF203, 800, 450));
    const std::int16_t twin = Bought(kTypF203, 800, 450);
    OrderFahrzeugLandAt(twin, kMouseX, kMouseY);
    Click();
    ASSERT_FALSE(Orders(V(twin)).empty());
    EXPECT_EQ(Orders(V(heli)), Orders(V(twin)));
}

TEST_F(GroundClick, TheSetUpLadderVehicleBringsItsBasketHomeBeforeItDrives) {
    const Order drive{kOpMove, kMouseX, kMouseY, 0, 0, 1};
    const Order home{kOpBasketToColumn, 3, 0, 0, 0, 1};
    const Order down{kOpBasketDown, 0, 0, 0, 0, 1};
    const Order takeDown{kOpTakeDown, 0, 0, 0, 0, 1};
    const Order up{kOpBasketUp, 0, 0, 0, 0, 1};
    const Order busy{kOpWait, 100, 0, 0, 0, 0};
    const struct {
        std::uint8_t persons, down, column;
        bool busy;
        OrderList orders;  // the first one replaces the queue
    } cases[] = {
        {1, 0, 3, false, {down, takeDown, up, drive}},
        {1, 0, 5, false, {home, down, takeDown, up, drive}},
        {1, 1, 3, false, {takeDown, up, drive}},
        {0, 1, 3, false, {up, drive}},
        {0, 0, 5, false, {home, drive}},
        {0, 0, 3, true, {busy}},
        {0, 0, 3, false, {drive}},
    };
    for (const auto& c : cases) {
        ClearUnits();
        quiet();
        const std::int16_t v = Selected(Bought(kTypF106, 600, 505));
        V(v).anim = 3;
        ASSERT_NE(V(v).kanzel, nullptr);
        *V(v).kanzel = KanzelState{};
        V(v).kanzel->persons = c.persons;
        V(v).kanzel->down = c.down;
        V(v).kanzel->column = c.column;
        if (c.busy) SetBefehl(V(v), FahrzeugTypOf(V(v)), kOpWait, -1, 100, 0, 0, 0, 0);
        Click();
        OrderList expected = c.orders;
        if (!c.busy) expected.front()[5] = 0;
        EXPECT_EQ(Orders(V(v)), expected) << int{c.persons} << int{c.down} << int{c.column};
        if (!c.busy) {
            EXPECT_TRUE(heard(Phrase(FahrzeugTypOf(V(v)), 17)))
                << int{c.persons} << int{c.down} << int{c.column};
        }
    }

    // Not set up, it drives to the click point as any vehicle; set up without its basket record
    // it counts as not set up, and the move leaves a raised ladder where it stands.
    ClearUnits();
    const std::int16_t v = Selected(Bought(kTypF106, 600, 505));
    Click();
    EXPECT_EQ(Orders(V(v)), kMovedToClick);
    ClearBefehle(V(v));
    V(v).anim = 13;
    V(v).kanzel.reset();
    Click();
    EXPECT_TRUE(Orders(V(v)).empty());
}

TEST_F(GroundClick, AChainsawCrewFellsATreeThatDoesNotBurnFromOutside) {
    const auto cell = static_cast<std::size_t>(CellIndex(kCell.column, kCell.row));
    MapCells[cell].terrain = 76;
    const float x = static_cast<float>(kCellWidth * kCell.column - 16 * kCell.row);
    const float y = static_cast<float>(kCellHeight * kCell.row);
    const struct {
        const char* what;
        int type;
        bool burning;
        bool inHouse;
        bool fells;
    } cases[] = {
        {"a tree", 13, false, false, true},
        {"a tree, with the other saws", 25, false, false, true},
        {"a burning tree", 20, true, false, false},
        {"from inside a house", 13, false, true, false},
        {"without a saw", 1, false, false, false},
    };
    for (const auto& c : cases) {
        ClearUnits();
        BrandStates[cell].burning = c.burning ? 1 : 0;
        const std::int16_t p = SelectedPerson(Walker(c.type, 650, 300));
        if (c.inHouse) P(p).house = 0;  // a house that is not placed: nowhere to walk out
        Click();
        if (!c.fells) {
            EXPECT_EQ(Orders(P(p)), c.inHouse ? OrderList{} : kMovedToClick) << c.what;
            continue;
        }
        EXPECT_EQ(Orders(P(p)), (OrderList{{kOpGoals, 0, 4, 0, 0, 0},
                                           {kOpFellTree, kCell.column, kCell.row, 0, 0, 1}}))
            << c.what;
        ASSERT_NE(P(p).orders, nullptr);
        const GoalList& goals = P(p).orders->goals;
        const GoalPoint sides[] = {{x + 16, y - 6, 7, 0},
                                   {x, y + 34, 1, 0},
                                   {x + 35, y + 14, 9, 0},
                                   {x - 18, y + 14, 3, 0}};
        ASSERT_EQ(goals.size(), 4u) << c.what;
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(goals[i].x, sides[i].x) << c.what << " " << i;
            EXPECT_EQ(goals[i].y, sides[i].y) << c.what << " " << i;
            EXPECT_EQ(goals[i].facing, sides[i].facing) << c.what << " " << i;
        }
        EXPECT_TRUE(heard(Phrase(PersonTypOf(P(p)), 16))) << c.what;
    }
    BrandStates[cell].burning = 0;
}

TEST_F(GroundClick, ABoxGroupMovesQuietlyWithoutItsLeaderOrThoseAtWork) {
    const std::int16_t leader = Walker(0, 560, 300);
    const std::int16_t staff = Walker(1, 570, 300);
    const std::int16_t hoseTied = Walker(10, 580, 300);
    const std::int16_t hoseHeld = Walker(11, 590, 300);
    const std::int16_t led = Walker(2, 600, 300);
    const std::int16_t casualty = Walker(3, 610, 300);
    const std::int16_t onlooker = Walker(1, 620, 300);
    const std::int16_t follower = Walker(2, 630, 300);
    const std::int16_t followed = Walker(3, 640, 300);
    const std::int16_t landed = Bought(kTypF203, 700, 480);
    const std::int16_t layer = Bought(kTypF113, 800, 505);
    const std::int16_t ladder = Bought(kTypF106, 900, 505);
    for (std::int16_t p : {leader, staff, hoseTied, hoseHeld, led, casualty, onlooker, follower})
        P(p).selected = 1;
    for (std::int16_t v : {landed, layer, ladder}) V(v).selected = 1;
    P(hoseTied).link = static_cast<std::uint16_t>(staff);
    P(led).moverFlags |= kMoverLed;
    P(led).link = static_cast<std::uint16_t>(leader);
    P(casualty).casualty = 1;
    // An onlooker caught in the box goes along, though it takes no orders of its own.
    P(onlooker).selectable = 0;
    P(onlooker).controlFlags = kPersonOnlooker;
    SetBefehl(P(follower), PersonTypOf(P(follower)), kOpFollowTrail, -1, followed, 0, 0, 0, 0);
    V(landed).link2 = 3;  // standing on its landing object
    V(layer).anim = 3;
    V(ladder).anim = 3;
    SelectionMode = kBoxGroupSelected;
    SelectedIndex = static_cast<std::uint16_t>(leader);

    SeedRandom(7);
    const int idle = 1800 + Rand() % 3000;
    SeedRandom(7);
    Click();

    const OrderList silentMove = {{kOpMove, kClickX, kClickY, 0, 0, 0}};
    EXPECT_EQ(Orders(P(staff)), silentMove);
    EXPECT_EQ(Orders(P(onlooker)),
              (OrderList{{kOpMove, kClickX, kClickY, 0, 0, 0}, {kOpWait, idle, 0, 0, 0, 1}}));
    EXPECT_GE(idle, 1800);
    EXPECT_LE(idle, 4799);
    EXPECT_EQ(Orders(P(followed)), silentMove) << "the person followed takes the move";
    EXPECT_EQ(Orders(P(follower)).size(), 1u);
    EXPECT_EQ(Orders(V(landed)),
              (OrderList{{kOpTakeOff, 0, 0, 0, 0, 0}, {kOpMove, kClickX, kClickY, 0, 0, 1}}));
    for (std::int16_t p : {leader, hoseTied, hoseHeld, led, casualty})
        EXPECT_TRUE(Orders(P(p)).empty()) << "person " << p;
    for (std::int16_t v : {layer, ladder}) EXPECT_TRUE(Orders(V(v)).empty()) << "vehicle " << v;
    EXPECT_EQ(played(), std::vector<int>{Phrase(PersonTypOf(P(leader)), 14)})
        << "the leader's one phrase, no siren and no acknowledgements";
    EXPECT_EQ(SelectionMode, kBoxGroupSelected);
}

TEST_F(GroundClick, APersonInTheBasketStepsOutOnlyOnceTheBasketIsDown) {
    const std::int16_t ladder = Bought(kTypF106, 600, 505);
    const std::int16_t car = Bought(kTypF101, 800, 505);
    const struct {
        const char* what;
        std::int16_t basket;
        float height;
        OrderList orders;
    } cases[] = {
        {"down",
         ladder,
         0.0f,
         {{kOpLeaveBasket, 0, 0, 0, 0, 0}, {kOpMove, kClickX, kClickY, 0, 0, 1}}},
        {"raised", ladder, 4.0f, {}},
        // A basket that no ladder vehicle holds is no basket.
        {"no ladder", car, 0.0f, kMovedToClick},
    };
    for (const auto& c : cases) {
        for (Person& p : Personen) DiscardBefehle(p), p.type = -1;
        const std::int16_t p = SelectedPerson(Walker(1, 650, 300));
        P(p).basketVehicle = static_cast<std::uint16_t>(c.basket);
        P(p).height = c.height;
        Click();
        EXPECT_EQ(Orders(P(p)), c.orders) << c.what;
    }
}

TEST_F(GroundClick, StaleIndicesAndCellsOffTheMapNameNothing) {
    const std::int16_t car = Selected(Bought(kTypF101, 600, 505));
    const std::int16_t staff = Walker(1, 570, 300);
    P(staff).selected = 1;

    // The hovered cell lies off the map: the click gives nothing.
    Hover(kHoverMapCell, MapWidth, 0);
    Click();
    EXPECT_TRUE(Orders(V(car)).empty());
    Hover(kHoverMapCell, static_cast<std::uint16_t>(kCell.column),
          static_cast<std::uint16_t>(kCell.row));

    // A cannon selected by a slot freed since: no water, and only the units still selected move.
    CursorId = kCursorWater;
    SelectionMode = kTypF104;
    SelectedIndex = 19;
    Click();
    EXPECT_EQ(Orders(V(car)), kMovedToClick);
    EXPECT_EQ(Orders(P(staff)).front()[0], kOpMove);

    // A box group whose leader is gone moves nobody.
    ClearBefehle(V(car));
    ClearBefehle(P(staff));
    CursorId = kCursorMove;
    SelectionMode = kBoxGroupSelected;
    SelectedIndex = 39;
    Click();
    EXPECT_TRUE(Orders(V(car)).empty());
    EXPECT_TRUE(Orders(P(staff)).empty());

    // A group member following a person out of range hands its move to nobody.
    const std::int16_t leader = Walker(0, 560, 300);
    P(leader).selected = 1;
    SelectedIndex = static_cast<std::uint16_t>(leader);
    SetBefehl(P(staff), PersonTypOf(P(staff)), kOpFollowTrail, -1, 999, 0, 0, 0, 0);
    Click();
    EXPECT_EQ(Orders(P(staff)).size(), 1u);
    EXPECT_EQ(Orders(V(car)), (OrderList{{kOpMove, kClickX, kClickY, 0, 0, 0}}));
}

}  // namespace
}  // namespace kv
