// Clicks on a vehicle: equipment choices, boarding or selecting, the ladder's basket, the hatch,
// the decontamination, towing and the boat carriers.

#include "mission/input/click_on_fahrzeug.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "mission/input/click_things_fixture.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/person_houses.h"
#include "persons/personen.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/carry_befehle.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/house_fixture.h"
#include "world/houses.h"

namespace kv {
namespace {

using Strings = std::vector<std::string>;

class FahrzeugClick : public test::ThingClickTest {
  protected:
    // A person of the type standing on the field, selected.
    std::int16_t Selected(int type, float x = 700, float y = 250, int direction = 0) {
        const std::int16_t p = Walker(type, x, y, direction);
        SelectPerson(p);
        return p;
    }
    // What selecting the vehicle by a click leaves.
    void ExpectChosen(std::int16_t v) {
        EXPECT_EQ(SelectionMode, static_cast<std::uint16_t>(V(v).type));
        EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(v));
        EXPECT_EQ(V(v).selected, 1);
        EXPECT_EQ(Played(), Said(FahrzeugTypOf(V(v)), 6));
    }
    // What boarding leaves: the person on its way in, still the selection.
    void ExpectBoards(std::int16_t p, std::int16_t v) {
        const Strings orders = Orders(P(p));
        ASSERT_FALSE(orders.empty());
        EXPECT_EQ(orders.back().substr(0, orders.back().size() - 1),
                  "151(" + std::to_string(v) + "," + std::to_string(static_cast<int>(V(v).x)) +
                      "," + std::to_string(static_cast<int>(V(v).y)) + ",0)");
        EXPECT_EQ(SelectionMode, static_cast<std::uint16_t>(kPersonSelected + P(p).type));
        EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(p));
    }
};

// --- Equipment ---------------------------------------------------------------------------------

TEST_F(FahrzeugClick, StaffChooseTheEquipmentOfTheirRowAndStandThere) {
    const struct {
        std::int16_t vehicle;
        int person;
        std::uint16_t mode;
    } cases[] = {
        {kTypF102, 1, 2009}, {kTypF102, 25, 2010}, {kTypF103, 2, 2001}, {kTypF103, 10, 2002},
        {kTypF104, 3, 2003}, {kTypF104, 21, 2004}, {kTypF105, 1, 2005}, {kTypF105, 23, 2006},
        {kTypF108, 2, 2007}, {kTypF108, 17, 2008},
    };
    for (const auto& c : cases) {
        ClearUnits();
        const std::int16_t v = Bought(c.vehicle, 800, 250);
        const std::int16_t p = Selected(c.person);
        P(p).anim = 1;
        AppendBefehl(P(p), 0, 900, 900, 0, 0, 0);
        ClickFahrzeug(v);
        EXPECT_EQ(SelectionMode, c.mode) << c.person;
        EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(p));
        EXPECT_EQ(P(p).link2, static_cast<std::uint16_t>(v));
        EXPECT_EQ(V(v).selected, 1);
        EXPECT_EQ(P(p).anim, 0);
        EXPECT_EQ(P(p).orders, nullptr);
        const AnimSlot& stand = PersonAnimSlot(c.person, 0, 0);
        EXPECT_EQ(P(p).drawX, 700 - stand.hotX);
        EXPECT_EQ(Played(), std::vector<int>{}) << "no phrase";
    }
}

TEST_F(FahrzeugClick, AChoiceEndsAtTheNextVehicleAndTheSameVehicleStartsItAgain) {
    const std::int16_t f104 = Bought(kTypF104, 800, 250);
    const std::int16_t f101 = Bought(kTypF101, 900, 350);
    const std::int16_t p = Selected(2);
    ClickFahrzeug(f104);
    ASSERT_EQ(SelectionMode, 2003);

    // Another vehicle: the person's mode again, the F104 let go (its link kept), then the F101 is
    // chosen since fire fighters do not board it.
    ClickFahrzeug(f101);
    EXPECT_EQ(V(f104).selected, 0);
    EXPECT_EQ(P(p).link2, static_cast<std::uint16_t>(f104));
    ExpectChosen(f101);

    SelectPerson(p);
    ClickFahrzeug(f104);
    ClickFahrzeug(f104);
    EXPECT_EQ(SelectionMode, 2003);
    EXPECT_EQ(V(f104).selected, 1);
}

// What keeps a person from equipment: a house, a link, a type without a row. The person then
// boards, or else the vehicle is chosen.
TEST_F(FahrzeugClick, WithoutARowOrOutsideItsConditionsThePersonBoardsOrTheVehicleIsChosen) {
    ASSERT_TRUE(test::PlaceHouses({{4, 10, 3}}));
    const std::int16_t f103 = Bought(kTypF103, 800, 250);
    const struct {
        int person;
        bool inHouse;
        bool linked;
        bool boards;
    } cases[] = {
        {1, true, false, false},    // a staff person inside a house takes nothing, cannot board
        {1, false, true, false},    // one who leads someone may not board either
        {9, false, false, true},    // the metal cutter is not the F103's: it boards
        {10, true, false, false},   // the hose's row refuses boarding too
        {10, false, true, false},   // and so it does with a link
        {11, false, false, false},  // the hose holder never boards by a click
    };
    for (const auto& c : cases) {
        ClearUnits();
        const std::int16_t v = Bought(kTypF103, 800, 250);
        ASSERT_EQ(v, f103);
        const std::int16_t led = Walker(0, 500, 250);
        const std::int16_t p = Selected(c.person);
        if (c.inHouse) P(p).house = 0;
        if (c.linked) P(p).link = static_cast<std::uint16_t>(1000 + led);
        ClickFahrzeug(v);
        if (c.boards)
            ExpectBoards(p, v);
        else
            ExpectChosen(v);
        EXPECT_EQ(P(p).link2, kNoLink) << c.person;
    }
    test::ResetHouseState();
}

TEST_F(FahrzeugClick, EquipmentRowsNameEachVehicleAndPersonTypeOnce) {
    for (const EquipmentModeRow& row : kEquipmentModes)
        for (const std::int8_t t : row.personTypes)
            if (t >= 0) {
                EXPECT_EQ(FindEquipmentMode(row.vehicleType, t), &row) << int{t};
            }
    EXPECT_EQ(FindEquipmentMode(kTypF103, 9), nullptr);
    EXPECT_EQ(FindEquipmentMode(kTypF101, 1), nullptr);
    EXPECT_EQ(FindEquipmentMode(kTypF102, -1), nullptr);
}

// --- The hatch, the boats ----------------------------------------------------------------------

TEST_F(FahrzeugClick, TheJumpCushionBoardsTheF108ByItsHatchUnlessEverySeatIsTaken) {
    const std::int16_t v = Bought(kTypF108, 800, 250);
    const std::int16_t p = Selected(6);
    const FahrzeugPunkt h = GetFahrzeugHatchPoint(v, p);
    ClickFahrzeug(v);
    EXPECT_EQ(Orders(P(p)),
              (Strings{"0(" + std::to_string(h.x) + "," + std::to_string(h.y) + ",0,0)0",
                       "151(" + std::to_string(v) + ",800,250,0)1"}));
    EXPECT_EQ(SelectionMode, kPersonSelected + 6);

    ClearBefehle(P(p));
    for (std::uint16_t& seat : V(v).seats) seat = 0;
    ClickFahrzeug(v);
    EXPECT_EQ(P(p).orders, nullptr);
    EXPECT_EQ(SelectionMode, kPersonSelected + 6) << "nothing happens";
    EXPECT_EQ(Played(), std::vector<int>{});
}

TEST_F(FahrzeugClick, TheBoatIsChosenOffALaunchPlaceAndGoesOntoTheCarrierOnItsPoint) {
    BootPunkte = {BootPunkt{}, BootPunkt{700, 400, 30, -20, 0, 0, 9, 1}};
    const std::int16_t boat = Bought(kTypF116, 900, 300);
    const std::int16_t staff = Selected(1);
    ClickFahrzeug(boat);
    ExpectChosen(boat);

    // On the launch place a person may board.
    V(boat).x = 730;
    V(boat).y = 380;
    SelectPerson(staff);
    ClickFahrzeug(boat);
    ExpectBoards(staff, boat);

    // The empty carrier on the active point, facing as the point: the selected boat goes onto it.
    const std::int16_t carrier = Bought(kTypF119, 700, 400, 9);
    SelectFahrzeug(boat);
    ClickFahrzeug(carrier);
    EXPECT_EQ(Orders(V(boat)),
              (Strings{"0(730,380,0,0)0", "7(1,0,0,0)1", "1(730,380,9,0)1", "72(1,0,0,0)1"}));
    EXPECT_EQ(SelectionMode, kTypF116);
    EXPECT_EQ(Played(), Said(FahrzeugTypOf(V(boat)), 17));

    // Facing otherwise, or the point inactive: the carrier is chosen.
    ClearBefehle(V(boat));
    V(carrier).direction = 3;
    ClickFahrzeug(carrier);
    EXPECT_EQ(V(boat).orders, nullptr);
    ExpectChosen(carrier);
}

// --- Carriers: the points of a click are where the take-up orders accept the carrier ------------

TEST_F(FahrzeugClick, TheCraneTowsAnIdleMissionCarThatCannotBeSelected) {
    const std::int16_t crane = Bought(kTypF110, 1000, 250);
    const std::int16_t car = Make(kTypF101, kOwnerMission, 800, 250, 3);
    V(car).targetable = 0;
    SelectFahrzeug(crane);
    ClickFahrzeug(car);
    const Strings orders = Orders(V(crane));
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(orders[1], "73(" + std::to_string(car) + ",0,0,0)1");
    EXPECT_EQ(Played(), Said(FahrzeugTypOf(V(crane)), 17));
    EXPECT_EQ(SelectionMode, kTypF110);
    EXPECT_EQ(PointsTakenUp(crane, RunFahrzeugBefehl73,
                            [&] {
                                V(car).present = 1;
                                V(car).link = kNoLink;
                            }),
              4);
    SelectFahrzeug(crane);

    // A car with orders, or one the mission did not place: nothing, and nothing chosen.
    for (const std::uint8_t owner : {kOwnerMission, kOwnerBought}) {
        AppendBefehl(V(car), 7, 10, 0, 0, 0, 0);
        if (owner == kOwnerBought) ClearBefehle(V(car));
        V(car).controlFlags = owner;
        ClickFahrzeug(car);
        EXPECT_EQ(V(crane).orders, nullptr) << int{owner};
        EXPECT_EQ(SelectionMode, kTypF110);
    }
    // Anyone but the crane does nothing either.
    V(car).controlFlags = kOwnerMission;
    Selected(1);
    ClickFahrzeug(car);
    EXPECT_EQ(SelectionMode, kPersonSelected + 1);
}

TEST_F(FahrzeugClick, TheEmptyTrailerTakesItsBoatUpFromItsPoints) {
    const std::int16_t trailer = Bought(kTypF119, 1000, 300);
    const std::int16_t boat = Bought(kTypF114, 800, 300);
    SelectFahrzeug(trailer);
    ClickFahrzeug(boat);
    const Strings orders = Orders(V(trailer));
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(orders[1], "66(" + std::to_string(boat) + ",0,0,0)1");
    const GoalList& goals = V(trailer).orders->goals;
    ASSERT_EQ(goals.size(), 4u);
    EXPECT_EQ(
        (std::vector<int>{goals[0].facing, goals[1].facing, goals[2].facing, goals[3].facing}),
        (std::vector<int>{1, 3, 7, 9}));
    // The boat goes with the take-up, so it comes back for each point.
    EXPECT_EQ(PointsTakenUp(trailer, RunFahrzeugBefehl66,
                            [&] { ASSERT_EQ(Bought(kTypF114, 800, 300), boat); }),
              4);
}

// --- Decontamination ---------------------------------------------------------------------------

TEST_F(FahrzeugClick, TheDecontaminationTakesTheContaminatedPersonTheLedOneOrTheCarrier) {
    const std::int16_t f109 = Bought(kTypF109, 800, 250);
    const std::int16_t s = Selected(1);
    P(s).contamination = 1;
    const FahrzeugPunkt pt = GetFahrzeugSidePoint(f109, s);
    const std::string walk = "0(" + std::to_string(pt.x) + "," + std::to_string(pt.y) + ",0,0)0";
    const std::string turn = "1(" + std::to_string(pt.x) + "," + std::to_string(pt.y) + "," +
                             std::to_string(pt.facing) + ",0)1";
    ClickFahrzeug(f109);
    EXPECT_EQ(Orders(P(s)), (Strings{walk, turn, "198(-1," + std::to_string(f109) + ",0,0)1"}));
    EXPECT_EQ(Played(), Said(PersonTypOf(P(s)), 17));

    // A type-3 leader sends the contaminated person it leads.
    ClearBefehle(P(s));
    P(s).type = 3;
    P(s).contamination = 0;
    const std::int16_t led = Walker(0, 720, 250);
    P(led).contamination = 2;
    P(s).link = static_cast<std::uint16_t>(1000 + led);
    SelectPerson(s);
    ClickFahrzeug(f109);
    EXPECT_EQ(P(s).orders, nullptr);
    const FahrzeugPunkt lpt = GetFahrzeugSidePoint(f109, led);
    EXPECT_EQ(LastOrder(P(led)),
              "198(" + std::to_string(s) + "," + std::to_string(f109) + ",0,0)1");
    EXPECT_EQ(FirstOrder(P(led)),
              "0(" + std::to_string(lpt.x) + "," + std::to_string(lpt.y) + ",0,0)0");
    EXPECT_EQ(Played(), Said(PersonTypOf(P(led)), 14));

    // A carrier whose load is contaminated.
    ClearBefehle(P(led));
    LoadPersonTyp(12);
    P(s).type = 12;
    P(s).link = static_cast<std::uint16_t>(led);
    SelectPerson(s);
    ClickFahrzeug(f109);
    EXPECT_EQ(LastOrder(P(s)), "198(-1," + std::to_string(f109) + ",0,0)1");
    EXPECT_EQ(Played(), Said(PersonTypOf(P(s)), 16));

    // Nobody contaminated: boarding or choosing.
    ClearBefehle(P(s));
    P(led).contamination = 0;
    ClickFahrzeug(f109);
    EXPECT_EQ(P(s).orders, nullptr);
    ExpectChosen(f109);
}

// --- The ladder's basket -----------------------------------------------------------------------

class BasketClick : public FahrzeugClick {
  protected:
    void SetUp() override {
        FahrzeugClick::SetUp();
        ViewOrigin = {200, 0};
        ASSERT_TRUE(test::PlaceHouses({{4, 10, 3}, {0, 20, 3}}));
        ladder = Bought(kTypF106, 700, 300);
        V(ladder).anim = 3;
        k().target = 0;
    }
    void TearDown() override {
        test::ResetHouseState();
        FahrzeugClick::TearDown();
    }
    KanzelState& k() { return *V(ladder).kanzel; }
    std::string Into(int x, int y) const {
        return "181(" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(ladder) +
               "," + std::to_string(V(ladder).kanzel->column) + ")" +
               std::to_string(V(ladder).kanzel->position);
    }
    std::int16_t ladder = -1;
};

TEST_F(BasketClick, FromTheStreetIntoTheLoweredEmptyBasket) {
    const std::int16_t p = Selected(1);
    k().down = 1;
    k().position = 2;
    k().column = 11;
    ClickFahrzeug(ladder);
    EXPECT_EQ(Orders(P(p)), (Strings{"0(762,303,0,0)0", Into(762, 303)}));
    EXPECT_EQ(SelectionMode, kPersonSelected + 1);

    // Raised, full, or not set up: the person boards the vehicle instead.
    for (int c = 0; c < 3; ++c) {
        ClearBefehle(P(p));
        SelectPerson(p);
        k().down = c == 0 ? 0 : 1;
        k().persons = c == 1 ? 1 : 0;
        V(ladder).anim = c == 2 ? 0 : 13;
        ClickFahrzeug(ladder);
        ExpectBoards(p, ladder);
    }
}

TEST_F(BasketClick, FromAWindowOfItsHouseWhereTheRaisedBasketWaits) {
    const std::int16_t p = Selected(2, 420, 150);
    P(p).house = 0;
    P(p).storey = 3;
    k().position = 1;
    k().column = 11;  // facade column 1
    std::int32_t fx = 0;
    std::int32_t fy = 0;
    ASSERT_TRUE(GetHouseFacadePoint(1, 0, fx, fy));
    ClickFahrzeug(ladder);
    EXPECT_EQ(Orders(P(p)),
              (Strings{"0(" + std::to_string(fx) + "," + std::to_string(fy - 7) + ",0,0)0",
                       Into(fx, fy - 7)}));
    EXPECT_EQ(Played(), Said(PersonTypOf(P(p)), 17));

    // Column 1 is facade column 3; a person following another hands the orders on.
    ClearBefehle(P(p));
    k().column = 1;
    ASSERT_TRUE(GetHouseFacadePoint(3, 0, fx, fy));
    const std::int16_t led = Walker(0, 430, 150);
    AppendBefehl(P(p), 160, led, 0, 0, 0, 0);
    ClickFahrzeug(ladder);
    EXPECT_EQ(Orders(P(led)),
              (Strings{"0(" + std::to_string(fx) + "," + std::to_string(fy - 7) + ",0,0)0",
                       Into(fx, fy - 7)}));
    EXPECT_EQ(Orders(P(p)), (Strings{"160(" + std::to_string(led) + ",0,0,0)0"}));
    EXPECT_EQ(Played(), Said(PersonTypOf(P(led)), 15));

    // Another storey: choosing (the person cannot board from a house).
    P(p).storey = 2;
    ClickFahrzeug(ladder);
    ExpectChosen(ladder);
}

// Out of another house by its door (the type's door side), then to the lowered basket.
TEST_F(BasketClick, FromAnotherHouseOutByItsDoorFirst) {
    k().down = 1;
    const House& other = Houses[1];
    const HousePoints hp = GetHousePoints(other);
    const struct {
        std::uint8_t side;
        int qx;
        int qy;
        int facing;
    } sides[] = {{0, 16, 10, 0}, {1, 0, -20, 6}, {2, 2, 14, 9}, {3, 14, 14, 3}};
    const std::int16_t p = Selected(1, 740, 150);
    P(p).house = 1;
    for (const auto& s : sides) {
        HouseTypen[static_cast<std::size_t>(other.type)].doorSide = s.side;
        for (const int storey : {1, 3}) {
            P(p).storey = static_cast<std::int8_t>(storey);
            SelectPerson(p);
            ClickFahrzeug(ladder);
            const std::string q =
                std::to_string(hp.doorBase.x + s.qx) + "," + std::to_string(hp.doorBase.y + s.qy);
            Strings want;
            if (storey == 1) {
                want.push_back("0(" + q + ",0,0)0");
            } else {
                want.push_back("0(" + std::to_string(hp.stair.x) + "," +
                               std::to_string(hp.stair.y) + ",0,0)0");
                want.push_back("171(0,0,0,0)1");
                want.push_back("0(" + q + ",0,0)1");
            }
            want.push_back("1(" + q + "," + std::to_string(s.facing) + ",0)1");
            want.push_back("170(" + q + ",-1,0)1");
            want.push_back("0(762,303,0,0)1");
            want.push_back(Into(762, 303));
            EXPECT_EQ(Orders(P(p)), want) << int{s.side} << " storey " << storey;
        }
    }
    HouseTypen[static_cast<std::size_t>(other.type)].doorSide = HouseTypSettingsOf(0).doorSide;
}

// --- Hooks and what the ticks freed ------------------------------------------------------------

std::uint8_t Consumes() {
    return 1;
}

TEST_F(FahrzeugClick, TheMissionsHookComesAfterTheEquipmentChoiceEnds) {
    const std::int16_t f104 = Bought(kTypF104, 800, 250);
    const std::int16_t p = Selected(1);
    ClickFahrzeug(f104);
    ASSERT_EQ(SelectionMode, 2003);
    MissionHookRows[0].ClickOnFahrzeug = Consumes;
    ClickFahrzeug(Bought(kTypF101, 900, 350));
    EXPECT_EQ(SelectionMode, kPersonSelected + 1);
    EXPECT_EQ(V(f104).selected, 0);
    EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(p));

    // A vehicle the ticks removed, or none, is no click.
    MissionHookRows[0].ClickOnFahrzeug = nullptr;
    RemoveFahrzeug(f104, kRemoveDrivenOff);
    ClickFahrzeug(f104);
    ClickFahrzeug(-1);
    EXPECT_EQ(SelectionMode, kPersonSelected + 1);
}

}  // namespace
}  // namespace kv
