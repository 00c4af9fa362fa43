// The order panel over a running mission 1. Nothing in the game opens it: the tests call
// OpenOrderPanel.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_points.h"
#include "core/view.h"
#include "mission/mission_fixture.h"
#include "mission/scroll_view.h"
#include "movement/befehl.h"
#include "movement/befehl_opcodes.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "screens/order_panel.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"

namespace kv {
namespace {

constexpr std::int16_t kMedic = 4;
constexpr std::int16_t kStretcherTeam = 5;

class OrderPanelGame : public test::MissionTest {
  protected:
    void playIn(test::ScriptedPlayer& player) {
        playIntoMissionOne(player, [](MissionHooks& row) {
            // The panel is not about mission 1's rules: its checks stay out.
            row.CheckMission = [] {};
        });
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        // Enough for any order, whatever the sample data's prices.
        Money = 1999000;
    }
    // A point inside the strip entry of the type, as it is scrolled now.
    static std::pair<int, int> stripPoint(std::int16_t type) {
        for (std::size_t k = 0; k < OrderStripCount; ++k)
            if (OrderStripTypes[k] == type)
                return {OrderStripPos[k + 1].x - OrderStripScroll + 3, OrderStripPos[k + 1].y - 5};
        ADD_FAILURE() << "type " << type << " not in the strip";
        return {0, 0};
    }
    static std::pair<int, int> crewPoint(std::int16_t type) {
        for (std::size_t j = 0; j < static_cast<std::size_t>(OrderCrewCount); ++j)
            if (OrderCrewTypes[j] == type) return {OrderCrewPos[j].x + 1, OrderCrewPos[j].y - 3};
        ADD_FAILURE() << "person type " << type << " not in the crew list";
        return {0, 0};
    }
    static void clickStrip(std::int16_t type) {
        const auto [x, y] = stripPoint(type);
        OnOrderPanelLButtonDown(x, y);
    }
    static void clickCrew(std::int16_t type) {
        const auto [x, y] = crewPoint(type);
        OnOrderPanelLButtonDown(x, y);
    }
    static std::int32_t price(std::int16_t vehicle, std::initializer_list<std::int16_t> crew) {
        std::int64_t total = FahrzeugTypAt(vehicle)->price;
        for (const std::int16_t p : crew) total += PersonTypRecord(p)->price;
        return static_cast<std::int32_t>(total);
    }
    static int usedFahrzeuge() {
        return static_cast<int>(std::count_if(Fahrzeuge.begin(), Fahrzeuge.end(),
                                              [](const Fahrzeug& v) { return v.type >= 0; }));
    }
};

TEST_F(OrderPanelGame, AnAmbulanceOrderedWithItsCrewDrivesIn) {
    test::ScriptedPlayer player(backend);
    playIn(player);
    const std::int32_t money = Money;
    OpenOrderPanel(0);
    ASSERT_EQ(GameMode, 3u);
    player.mouse(400, 300);
    player.frames(1);
    const auto [vx, vy] = stripPoint(kTypF201);
    player.click(vx, vy);
    player.frames(1);
    ASSERT_EQ(OrderChosenType, kTypF201);
    const auto [mx, my] = crewPoint(kMedic);
    player.click(mx, my);
    const auto [sx, sy] = crewPoint(kStretcherTeam);
    player.click(sx, sy);
    player.mouse(300, 300);
    player.frames(1);
    ASSERT_EQ(OrderSeatCount, 2);
    EXPECT_TRUE(player.shot("order-panel"));

    player.click(400, 540);
    player.frames(1);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    const auto found = std::find_if(Fahrzeuge.begin(), Fahrzeuge.end(), [](const Fahrzeug& v) {
        return v.type == kTypF201 && v.controlFlags == kOwnerBought;
    });
    ASSERT_NE(found, Fahrzeuge.end());
    const Fahrzeug& v = *found;
    EXPECT_EQ(Money, money - price(kTypF201, {kMedic, kStretcherTeam}));
    // Mission 1's entry lies left of the map, facing east (3): the drive goes its run east.
    EXPECT_EQ(v.x, RoadEntry.x);
    EXPECT_EQ(v.y, RoadEntry.y);
    EXPECT_EQ(v.direction, 3);
    ASSERT_NE(v.orders, nullptr);
    EXPECT_EQ(v.orders->opcode, kOpMove);
    EXPECT_EQ(v.orders->aFloat(), RoadEntry.x + RoadEntry.run);
    EXPECT_EQ(v.orders->bFloat(), RoadEntry.y);
    ASSERT_GE(v.seats.size(), 2u);
    std::vector<std::int16_t> crew;
    for (const std::uint16_t seat : v.seats) {
        const Person* p = UsedPersonAt(seat);
        if (p == nullptr) continue;
        EXPECT_EQ(p->offMap, 1);
        crew.push_back(p->type);
    }
    EXPECT_EQ(crew, (std::vector<std::int16_t>{kMedic, kStretcherTeam}));
    EXPECT_EQ(ViewOrigin.x, HomeView.x);
    EXPECT_EQ(ViewOrigin.y, HomeView.y);
    // It drives in from the entry along the entry's facing.
    const float startX = v.x;
    player.frames(10);
    EXPECT_NE(v.x, startX);
}

TEST_F(OrderPanelGame, ChoicesAndMessages) {
    test::ScriptedPlayer player(backend);
    playIn(player);
    const std::int32_t money = Money;
    struct Case {
        const char* what;
        std::function<void()> act;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"no allowed type: an empty strip, and the button only closes",
         [] {
             OpenOrderPanel(7);
             OnOrderPanelLButtonDown(400, 540);
             RunOrderPanelFrame();
         },
         [&] {
             EXPECT_EQ(OrderStripCount, 0);
             EXPECT_EQ(OrderStripScrollMax, 0);
             EXPECT_EQ(GameMode, 2u);
             EXPECT_EQ(Money, money);
         }},
        {"the chosen type clicked again is un-chosen",
         [] {
             OpenOrderPanel(0);
             clickStrip(kTypF201);
             clickCrew(kMedic);
             clickStrip(kTypF201);
         },
         [] {
             EXPECT_EQ(OrderChosenType, -1);
             EXPECT_EQ(OrderSeatCount, 0);
             EXPECT_EQ(OrderCrewCount, 0);
             EXPECT_TRUE(std::all_of(OrderSeatList.begin(), OrderSeatList.end(),
                                     [](std::int8_t s) { return s == -1; }));
         }},
        {"the ambulance refuses seat 0's type again",
         [] {
             OpenOrderPanel(0);
             clickStrip(kTypF201);
             clickCrew(kMedic);
             clickCrew(kMedic);
         },
         [] {
             EXPECT_EQ(OrderSeatCount, 1);
             EXPECT_EQ(OrderPanelMessage, kOrderCarFull);
         }},
        {"the helicopter refuses seat 0's type again",
         [] {
             OpenOrderPanel(1);
             clickStrip(kTypF203);
             clickCrew(kStretcherTeam);
             clickCrew(kStretcherTeam);
         },
         [] {
             EXPECT_EQ(OrderSeatCount, 1);
             EXPECT_EQ(OrderPanelMessage, kOrderCarFull);
         }},
        {"every seat taken: car full",
         [] {
             OpenOrderPanel(0);
             clickStrip(kTypF202);
             for (std::size_t s = 0; s <= FahrzeugTypAt(kTypF202)->seats; ++s)
                 clickCrew(OrderCrewTypes[0]);
         },
         [] {
             EXPECT_EQ(OrderSeatCount, FahrzeugTypAt(kTypF202)->seats);
             EXPECT_EQ(OrderPanelMessage, kOrderCarFull);
         }},
        {"a person type with no vehicle chosen",
         [] {
             OpenOrderPanel(0);
             clickStrip(kTypF201);
             OrderChosenType = -1;
             clickCrew(kMedic);
         },
         [] { EXPECT_EQ(OrderPanelMessage, kOrderNoCarSelected); }},
        {"a type above the money",
         [] {
             OpenOrderPanel(0);
             Money = price(kTypF201, {}) - 1;
             clickStrip(kTypF201);
         },
         [] {
             EXPECT_EQ(OrderChosenType, -1);
             EXPECT_EQ(OrderPanelMessage, kOrderNoMoney);
         }},
        {"a message shows until a click into the view, which does nothing more",
         [] {
             OpenOrderPanel(0);
             Money = price(kTypF201, {}) - 1;
             clickStrip(kTypF201);
             Money = price(kTypF201, {});
             clickStrip(kTypF201);
         },
         [] {
             EXPECT_EQ(OrderPanelMessage, kOrderNoMessage);
             EXPECT_EQ(OrderChosenType, -1);
         }},
        {"money exactly enough for the vehicle and one of its crew",
         [] {
             OpenOrderPanel(0);
             Money = price(kTypF201, {kMedic});
             clickStrip(kTypF201);
             clickCrew(kMedic);
             clickCrew(kStretcherTeam);
             OrderPanelMessage = kOrderNoMessage;
             OnOrderPanelLButtonDown(400, 540);
             RunOrderPanelFrame();
         },
         [] {
             EXPECT_EQ(GameMode, 2u);
             EXPECT_EQ(Money, 0);
         }},
        {"no room for the crew: nothing made, nothing charged",
         [] {
             OpenOrderPanel(0);
             clickStrip(kTypF201);
             clickCrew(kMedic);
             clickCrew(kStretcherTeam);
             // One free person slot for two seats.
             const auto free = [] {
                 return std::count_if(Personen.begin(), Personen.end(),
                                      [](const Person& p) { return p.type == -1; });
             };
             while (free() > 1) PlacePerson(FindFreePerson(), 0, 0, 0, 0).offMap = 1;
             OnOrderPanelLButtonDown(400, 540);
             RunOrderPanelFrame();
         },
         [] {
             EXPECT_EQ(GameMode, 3u);
             EXPECT_EQ(OrderPanelMessage, kOrderTooMany);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Money = money;
        const int vehicles = usedFahrzeuge();
        c.act();
        c.check();
        if (std::string(c.what).starts_with("no room")) {
            EXPECT_EQ(usedFahrzeuge(), vehicles);
            EXPECT_EQ(Money, money);
        }
        if (GameMode == 3u) CloseOrderPanel();
        ASSERT_EQ(GameMode, 2u);
    }
}

TEST_F(OrderPanelGame, TheAircraftDropsItsWaterOnTheMiddleOfTheView) {
    test::ScriptedPlayer player(backend);
    playIn(player);
    ViewOrigin = {200, 100};
    OpenOrderPanel(2);
    ASSERT_EQ(OrderStripCount, 1);
    clickStrip(kTypF111);
    ASSERT_EQ(OrderChosenType, kTypF111);
    ASSERT_TRUE(PlaceOrderedFahrzeug());
    CloseOrderPanel();
    const auto found = std::find_if(Fahrzeuge.begin(), Fahrzeuge.end(),
                                    [](const Fahrzeug& v) { return v.type == kTypF111; });
    ASSERT_NE(found, Fahrzeuge.end());
    const Befehl* drop = found->orders != nullptr ? found->orders->next : nullptr;
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(drop->opcode, kOpWaterDrop);
    EXPECT_EQ(drop->a, 520u);
    EXPECT_EQ(drop->b, 340u);
}

TEST_F(OrderPanelGame, TheStripScrollsAtTheScreenEdges) {
    test::ScriptedPlayer player(backend);
    playIn(player);
    OpenOrderPanel(0);
    OrderStripScrollMax = 100;
    for (const auto& [x, scroll, cursor] :
         {std::tuple{kMouseEdgeLeft, 0, 13}, std::tuple{kMouseEdgeRight, 6, 3},
          std::tuple{kMouseEdgeRight, 15, 3}, std::tuple{400, 21, 0}, std::tuple{400, 24, 0},
          std::tuple{400, 24, 0}, std::tuple{kMouseEdgeLeft, 21, 5}}) {
        OnOrderPanelMouseMove(x, 300);
        ScrollOrderPanel();
        SetOrderPanelCursor();
        EXPECT_EQ(OrderStripScroll, scroll) << x;
        EXPECT_EQ(CursorId, cursor) << x;
    }
    CloseOrderPanel();
    EXPECT_EQ(ScrollVelocity.x, 0);
}

}  // namespace
}  // namespace kv
