// The release of the left button in the world view: which releases count, a click told from a box,
// the checks that may take a click before what lies under the mouse, and the hover kinds that give
// no orders.

#include "mission/input/mission_click.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "mission/input/click_fixture.h"
#include "mission/selection.h"
#include "movement/befehl_queue.h"
#include "support/order_list.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"
#include "world/ponton_punkte.h"

namespace kv {
namespace {

using test::Order;
using test::Orders;

// The click point, in open field in view, and the cell under it.
constexpr int kClickX = 620;
constexpr int kClickY = 260;
const CellPos kClickCell = CellFromPixel(kClickX, kClickY);

class MissionClick : public test::ClickTest {
  protected:
    void TearDown() override {
        PontonPunkte.clear();
        ClickTest::TearDown();
    }
    // A bought vehicle, selected as the player selects it.
    std::int16_t selectedCar(std::int32_t type) {
        const std::int16_t v = Bought(type, 600, 505);
        V(v).selected = 1;
        SelectFahrzeug(v);
        return v;
    }
    static void overGround() {
        Hover(kHoverMapCell, static_cast<std::uint16_t>(kClickCell.column),
              static_cast<std::uint16_t>(kClickCell.row));
    }
};

TEST_F(MissionClick, OnlyAReleaseAfterAPressCountsAndFivePixelsAreStillAClick) {
    const std::int16_t car = selectedCar(kTypF101);
    overGround();
    const std::vector<Order> moved = {{kOpMove, kClickX, kClickY, 0, 0, 0}};
    const struct {
        const char* what;
        int pressX, pressY, releaseX, releaseY;
        std::vector<Order> orders;
    } cases[] = {
        {"no press recorded", -1, -1, kClickX, kClickY, {}},
        {"5 x 5 px: a click at the top-left", kClickX + 5, kClickY + 5, kClickX, kClickY, moved},
        {"the same drawn down and right", kClickX, kClickY, kClickX + 5, kClickY + 5, moved},
        {"6 px across: a box", kClickX, kClickY, kClickX + 6, kClickY, {}},
        {"6 px down: a box", kClickX, kClickY + 6, kClickX, kClickY, {}},
    };
    for (const auto& c : cases) {
        ClearBefehle(V(car));
        Drag(c.pressX, c.pressY, c.releaseX, c.releaseY);
        EXPECT_EQ(Orders(V(car)), c.orders) << c.what;
        EXPECT_EQ(DragActive, 0) << c.what;
        EXPECT_EQ(MouseDownPoint.x, -1) << c.what;
        EXPECT_EQ(MouseDownPoint.y, -1) << c.what;
    }

    // The press is used up: a second release gives nothing.
    ClickAt(kClickX, kClickY);
    ClearBefehle(V(car));
    DragActive = 1;
    HandleMissionClick(0, kClickX - ViewOrigin.x, kClickY - ViewOrigin.y);
    EXPECT_TRUE(Orders(V(car)).empty());
    EXPECT_EQ(DragActive, 0);
}

std::vector<std::string> g_hooksCalled;
std::uint8_t g_mapAreaAnswer = 0;

std::uint8_t RecordMapArea() {
    g_hooksCalled.push_back("map area");
    return g_mapAreaAnswer;
}
std::uint8_t RecordGround() {
    g_hooksCalled.push_back("ground");
    return 0;
}

TEST_F(MissionClick, TheMissionSeesEveryClickFirstAndTheGroundHookOnlyTheGround) {
    const std::int16_t car = selectedCar(kTypF101);
    MissionNummer = 21;
    MissionHooks& row = MissionHookRows[20];
    row.ClickOnMapArea = RecordMapArea;
    row.ClickOnGround = RecordGround;
    using Calls = std::vector<std::string>;
    const std::vector<Order> moved = {{kOpMove, kClickX, kClickY, 0, 0, 0}};
    const struct {
        std::uint16_t kind;
        std::uint8_t mapAreaAnswer;
        Calls calls;
        std::vector<Order> orders;
    } cases[] = {
        {kHoverMapCell, 0, {"map area", "ground"}, moved},
        {kHoverMapCell, 1, {"map area"}, {}},
        {kHoverPerson, 0, {"map area"}, {}},
        // Furniture and nothing under the mouse: no orders.
        {kHoverFurniture, 0, {"map area"}, {}},
        {kHoverNothing, 0, {"map area"}, {}},
    };
    for (const auto& c : cases) {
        ClearBefehle(V(car));
        g_hooksCalled.clear();
        g_mapAreaAnswer = c.mapAreaAnswer;
        Hover(c.kind, static_cast<std::uint16_t>(kClickCell.column),
              static_cast<std::uint16_t>(kClickCell.row));
        ClickAt(kClickX, kClickY);
        EXPECT_EQ(g_hooksCalled, c.calls) << c.kind << " " << int{c.mapAreaAnswer};
        EXPECT_EQ(Orders(V(car)), c.orders) << c.kind << " " << int{c.mapAreaAnswer};
    }
    row = MissionHooks{};
}

TEST_F(MissionClick, APontoonPointTakesTheClickOnlyFromThePontoonLayer) {
    MissionNummer = 21;
    MissionHookRows[20].ClickOnMapArea = RecordMapArea;
    g_mapAreaAnswer = 0;
    PontonPunkt point;
    point.x = kClickX + 3;
    point.y = kClickY + 3;
    PontonPunkte.push_back(point);
    overGround();

    g_hooksCalled.clear();
    const std::int16_t layer = selectedCar(kTypF113);
    ClickAt(kClickX, kClickY);
    EXPECT_TRUE(g_hooksCalled.empty()) << "the point took the click";
    // It drives onto the point to set up there.
    const std::vector<Order> orders = Orders(V(layer));
    ASSERT_FALSE(orders.empty());
    EXPECT_EQ(orders.front()[0], kOpMove);
    EXPECT_EQ(orders.front()[1], kClickX + 3);
    EXPECT_EQ(orders.front()[2], kClickY + 3);

    // Any other vehicle moves to the click point as if there were no point.
    ClearUnits();
    const std::int16_t car = selectedCar(kTypF101);
    ClickAt(kClickX, kClickY);
    EXPECT_EQ(g_hooksCalled, std::vector<std::string>{"map area"});
    EXPECT_EQ(Orders(V(car)), (std::vector<Order>{{kOpMove, kClickX, kClickY, 0, 0, 0}}));
    MissionHookRows[20] = MissionHooks{};
}

}  // namespace
}  // namespace kv
