// Buying at a station: choosing a vehicle, assigning staff with the checks in their order, the
// info texts, and the purchase of the vehicle driven out.

#include "screens/basis_kauf.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "core/campaign.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/basis.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff.h"
#include "screens/karte_wege.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeuge.h"

namespace kv {
namespace {

// Places of the small station (base 0) and its figures, as they are placed afresh.
constexpr std::int16_t kPlaceF104 = 1;
constexpr std::int16_t kPlaceF201 = 2;
constexpr std::int16_t kPlaceF103 = 5;
constexpr std::uint16_t kSeatedPolice = 0;    // P01: never in an ambulance
constexpr std::uint16_t kSeatedMedic = 13;    // P05
constexpr std::uint16_t kHallStretcher = 14;  // P06, standing in the hall
constexpr std::int8_t kTypMedic = 4;
constexpr std::int8_t kTypStretcher = 5;

std::string Message() {
    return MessageLine.data();
}

class BasisKauf : public test::FahrzeugTest {
  protected:
    void SetUp() override {
        FahrzeugTest::SetUp();
        for (std::size_t t = 0; t < FahrzeugTypen.size(); ++t)
            savedFahrzeug_[t] = {FahrzeugTypen[t].price, FahrzeugTypen[t].seats};
        PreloadPersonTypen();
        savedPersonen_ = {PersonTypen[kTypMedic].price, PersonTypen[kTypStretcher].price};
        InitBasen();
        BasisScreen = {};
        BasisScreen.assigned.fill(kNoStaff);
        BasisScreen.view = kBasisViewUnten;
        Money = 6000;
        Price(kTypF201, 400, 4);
        Price(kTypF104, 600, 3);
        Price(kTypF103, 500, 6);
        PlaceBasisStaff(kBasisSmall);
    }
    void TearDown() override {
        FahrzeugTest::TearDown();
        for (std::size_t t = 0; t < FahrzeugTypen.size(); ++t) {
            FahrzeugTypen[t].price = savedFahrzeug_[t].first;
            FahrzeugTypen[t].seats = savedFahrzeug_[t].second;
        }
        PersonTypen[kTypMedic].price = savedPersonen_[0];
        PersonTypen[kTypStretcher].price = savedPersonen_[1];
        FreeBasen();
        BasisScreen = {};
    }
    static void Price(std::int16_t type, std::uint32_t price, std::uint8_t seats) {
        FahrzeugTypen[static_cast<std::size_t>(type)].price = price;
        FahrzeugTypen[static_cast<std::size_t>(type)].seats = seats;
    }
    static Person& P(std::uint16_t i) { return Personen[i]; }
    // A click in the view on what the hover probe found.
    static void Click(std::uint16_t kind, std::uint16_t id) {
        HoverKind = kind;
        HoverIds[0] = id;
        BasisPurchaseClick();
    }

  private:
    std::array<std::pair<std::uint32_t, std::uint8_t>, kFahrzeugTypCount> savedFahrzeug_{};
    std::array<std::uint32_t, 2> savedPersonen_{};
};

TEST_F(BasisKauf, ChoosingKeepsToTheCommandCentreRuleAndTheRealMoney) {
    struct Case {
        const char* what;
        std::uint16_t zentralen;
        std::uint16_t bought;
        std::int16_t base;
        std::int16_t place;
        std::int32_t money;
        std::uint32_t price;
        const char* refusal;  // null: chosen
    };
    const char* const zentrale = W("Einsatzzentrale wird benötigt!");
    const Case cases[] = {
        {"ten bought, no centre", 0, 10, 0, kPlaceF201, 6000, 400, zentrale},
        {"the centre itself", 0, 10, 2, 0, 6000, 400, nullptr},
        {"nine bought", 0, 9, 0, kPlaceF201, 6000, 400, nullptr},
        {"one centre, nineteen bought", 1, 19, 0, kPlaceF201, 6000, 400, nullptr},
        {"one centre, twenty bought", 1, 20, 0, kPlaceF201, 6000, 400, zentrale},
        {"exactly the money", 0, 0, 0, kPlaceF201, 400, 400, nullptr},
        {"one more than the money", 0, 0, 0, kPlaceF201, 400, 401, "Zu wenig Geld!"},
        {"a free vehicle in debt", 0, 0, 0, kPlaceF201, -1, 0, "Zu wenig Geld!"},
        {"the largest price", 0, 0, 0, kPlaceF201, std::numeric_limits<std::int32_t>::max(),
         std::numeric_limits<std::uint32_t>::max(), "Zu wenig Geld!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        F101Count = c.zentralen;
        BoughtFahrzeugCount = c.bought;
        BasisScreen.base = c.base;
        BasisScreen.chosenPlace = -1;
        BasisScreen.previewMoney = 1234;
        Money = c.money;
        const std::int16_t type = Basen[static_cast<std::size_t>(c.base)].places[c.place].type;
        Price(type, c.price, 4);
        SetMessageLine("old", 5);
        Click(kHoverFahrzeug, static_cast<std::uint16_t>(c.place));
        if (c.refusal != nullptr) {
            EXPECT_EQ(Message(), c.refusal);
            EXPECT_EQ(MessageLineCountdown, 60);
            EXPECT_EQ(BasisScreen.chosenPlace, -1);
            EXPECT_EQ(BasisScreen.previewMoney, 1234);
        } else {
            EXPECT_EQ(Message(), "");
            EXPECT_EQ(BasisScreen.chosenPlace, c.place);
            EXPECT_EQ(BasisScreen.previewMoney, c.money - static_cast<std::int32_t>(c.price));
        }
        EXPECT_EQ(Money, c.money) << "nothing is paid before the purchase";
    }
}

TEST_F(BasisKauf, AChoiceAtExactlyTheMoneyLeavesRoomForFreeStaffOnly) {
    Money = 400;
    ChooseBasisFahrzeug(kPlaceF201);
    ASSERT_EQ(BasisScreen.previewMoney, 0);
    AssignBasisStaff(kSeatedMedic);
    EXPECT_EQ(Message(), "Zu wenig Geld!");
    EXPECT_EQ(BasisScreen.assignedCount, 0);
    PersonTypen[kTypStretcher].price = 0;
    AssignBasisStaff(kHallStretcher);
    EXPECT_EQ(BasisScreen.assignedCount, 1);
    EXPECT_EQ(BasisScreen.previewMoney, 0);
}

TEST_F(BasisKauf, ASecondChoiceDropsTheStaffAndStartsFromTheMoneyAgain) {
    ChooseBasisFahrzeug(kPlaceF201);
    AssignBasisStaff(kHallStretcher);
    ASSERT_EQ(BasisScreen.assignedCount, 1);
    ASSERT_NE(P(kHallStretcher).orders, nullptr);
    ChooseBasisFahrzeug(kPlaceF104);
    EXPECT_EQ(BasisScreen.chosenPlace, kPlaceF104);
    EXPECT_EQ(BasisScreen.assignedCount, 0);
    EXPECT_FALSE(IsPersonAssigned(kHallStretcher));
    EXPECT_EQ(BasisScreen.previewMoney, 6000 - 600);
    EXPECT_EQ(P(kHallStretcher).orders, nullptr) << "the figures are placed afresh";
}

TEST_F(BasisKauf, StaffChecksRunInTheirOrder) {
    // Each case breaks one check and every later one: the first broken check answers.
    enum Fault : unsigned { kOrders = 1, kUnsuitable = 2, kNoRoom = 4, kMoney = 8, kListed = 16 };
    struct Case {
        unsigned faults;
        const char* message;  // "old": untouched
        bool added;
    };
    const Case cases[] = {
        {kOrders | kUnsuitable | kNoRoom | kMoney, "old", false},
        {kUnsuitable | kNoRoom | kMoney, W("Einsatzkraft für dieses Fahrzeug ungeeignet!"), false},
        {kNoRoom | kMoney | kListed, "Kein Platz mehr im Fahrzeug!", false},
        {kMoney | kListed, "Zu wenig Geld!", false},
        {kListed, "old", false},
        {0, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.faults);
        FreshUnitArrays();
        Price(kTypF201, 400, 4);
        BasisScreen.view = kBasisViewOben;
        ChooseBasisFahrzeug(kPlaceF201);
        const std::uint16_t person = (c.faults & kUnsuitable) != 0 ? kSeatedPolice : kSeatedMedic;
        if ((c.faults & kListed) != 0) {
            AssignBasisStaff(person);
            ASSERT_EQ(BasisScreen.assignedCount, 1);
            P(person).animate = 0;  // sat down again: no orders, no stand-up under way
        }
        if ((c.faults & kOrders) != 0) PutPersonInFahrzeug(static_cast<std::int16_t>(person));
        const int countBefore = BasisScreen.assignedCount;
        Price(kTypF201, 400,
              (c.faults & kNoRoom) != 0 ? static_cast<std::uint8_t>(countBefore) : 4);
        if ((c.faults & kMoney) != 0) BasisScreen.previewMoney = 74;  // the medic costs 75
        const std::int32_t preview = BasisScreen.previewMoney;
        SetMessageLine("old", 5);
        Click(kHoverPerson, person);
        EXPECT_EQ(Message(), c.message);
        EXPECT_EQ(BasisScreen.assignedCount, countBefore + (c.added ? 1 : 0));
        EXPECT_EQ(BasisScreen.previewMoney, preview - (c.added ? 75 : 0));
        if (c.added) {
            EXPECT_EQ(BasisScreen.assigned[0], person);
            EXPECT_EQ(P(person).animate, 1) << "a seated figure stands up first";
            EXPECT_EQ(P(person).orders, nullptr);
        }
    }
}

TEST_F(BasisKauf, TheHallAsksForAVehicleFirstAndSendsItsTeamAtOnce) {
    Click(kHoverPerson, kHallStretcher);
    EXPECT_EQ(Message(), W("Zuerst ein Fahrzeug auswählen!"));
    EXPECT_EQ(MessageLineCountdown, 60);
    EXPECT_EQ(BasisScreen.assignedCount, 0);

    Click(kHoverFahrzeug, kPlaceF201);
    Click(kHoverPerson, kHallStretcher);
    EXPECT_TRUE(IsPersonAssigned(kHallStretcher));
    const Befehl* walk = P(kHallStretcher).orders;
    ASSERT_NE(walk, nullptr) << "a standing figure walks at once";
    EXPECT_EQ(walk->opcode, kOpMove);
    EXPECT_EQ(BasisScreen.previewMoney, 6000 - 400 - 25);

    // Without a chosen vehicle the helicopter base's staff room does nothing.
    BasisScreen.chosenPlace = -1;
    SetMessageLine("old", 5);
    AssignBasisStaff(kSeatedMedic);
    EXPECT_EQ(Message(), "old");
    EXPECT_EQ(BasisScreen.assignedCount, 1);
}

TEST_F(BasisKauf, TheListHoldsSixWhateverTheSeats) {
    Price(kTypF103, 500, 9);
    ChooseBasisFahrzeug(kPlaceF103);
    BasisScreen.view = kBasisViewOben;
    // The firemen of the staff room (types 1..3) may all board the F103.
    int added = 0;
    std::uint16_t seventh = kNoStaff;
    for (std::uint16_t i = 4; i <= 12; ++i) {
        if (added == 6) {
            seventh = i;
            break;
        }
        AssignBasisStaff(i);
        added = BasisScreen.assignedCount;
    }
    ASSERT_EQ(BasisScreen.assignedCount, 6);
    ASSERT_NE(seventh, kNoStaff);
    AssignBasisStaff(seventh);
    EXPECT_EQ(Message(), "Kein Platz mehr im Fahrzeug!");
    EXPECT_EQ(BasisScreen.assignedCount, 6);
    EXPECT_FALSE(IsPersonAssigned(seventh));
}

TEST_F(BasisKauf, InfoTextsCarryThePriceAndTheSeats) {
    LoadFahrzeugTyp(kTypF201);
    Price(kTypF201, 400, 4);
    LoadInfoText(kTypF201, kInfoPlace);
    EXPECT_NE(BasisScreen.infoText.find("Preis: 400\r\n"), std::string::npos)
        << BasisScreen.infoText;
    EXPECT_NE(BasisScreen.infoText.find(W("Sitzplätze: 4\r\n")), std::string::npos);
    PersonTypen[kTypMedic].price = 75;
    LoadInfoText(kTypMedic, kInfoPerson);
    EXPECT_NE(BasisScreen.infoText.find("Preis: 75\r\n"), std::string::npos);
    EXPECT_EQ(BasisScreen.infoText.find('%'), std::string::npos);
    // No file, no type or no kind: no text, and no box.
    for (const auto& [index, kind] :
         {std::pair<std::int16_t, std::uint8_t>{kPersonTypBurning, kInfoPerson},
          {kTypNone, kInfoPlace},
          {-1, kInfoPlace},
          {kFahrzeugTypCount, kInfoPlace},
          {kTypF201, kInfoNone}}) {
        BasisScreen.infoText = "old";
        LoadInfoText(index, kind);
        EXPECT_EQ(BasisScreen.infoText, "") << index << " " << int{kind};
    }
}

class BasisKaufCommit : public BasisKauf {
  protected:
    void SetUp() override {
        BasisKauf::SetUp();
        LoadFahrzeugTyp(kTypF201);
        Price(kTypF201, 400, 4);
        RoadEntry = {-40, 300, 60, 3};
        KarteStartPoints[0] = {50, 60};
        ChooseBasisFahrzeug(kPlaceF201);
        AssignBasisStaff(kHallStretcher);
        BasisScreen.view = kBasisViewOben;
        AssignBasisStaff(kSeatedMedic);
        ASSERT_EQ(BasisScreen.assignedCount, 2);
        vehicle_ = CreateBasisFahrzeug();
        ASSERT_GE(vehicle_, 0);
        BasisScreen.vehicle = vehicle_;
        BasisScreen.infoIndex = kPlaceF201;
        BasisScreen.infoKind = kInfoPlace;
    }
    Fahrzeug& V() const { return Fahrzeuge[static_cast<std::size_t>(vehicle_)]; }
    std::int16_t vehicle_ = -1;
};

TEST_F(BasisKaufCommit, PaysForTheVehicleAndItsCrewAndSeatsTheCrewInListOrder) {
    Person& medic = P(kSeatedMedic);
    medic.energy = 5;
    medic.energyLoss = 7;
    medic.controlFlags = 1;
    V().seats[3] = 9;
    Money = 100;  // spent meanwhile: the purchase does not ask again
    CommitFahrzeugPurchase(vehicle_);
    EXPECT_EQ(Money, 100 - 400 - 25 - 75);
    EXPECT_EQ(V().x, -40.0F);
    EXPECT_EQ(V().y, 300.0F);
    EXPECT_EQ(V().KarteWeg, 0);
    EXPECT_EQ(V().KarteX, 50);
    EXPECT_EQ(V().KarteY, 60);
    EXPECT_EQ(V().seats,
              (std::vector<std::uint16_t>{kHallStretcher, kSeatedMedic, kNoPerson, kNoPerson}));
    for (const std::uint16_t i : {kHallStretcher, kSeatedMedic}) {
        SCOPED_TRACE(i);
        const Person& p = P(i);
        EXPECT_EQ(p.orders, nullptr);
        EXPECT_EQ(p.moverFlags, 0);
        EXPECT_EQ(p.offMap, 1);
        EXPECT_EQ(p.controlFlags, 0);
        EXPECT_EQ(p.storey, 0);
        EXPECT_EQ(p.direction, 6);
        EXPECT_EQ(p.x, 0.0F);
        EXPECT_EQ(p.y, 0.0F);
        EXPECT_EQ(p.height, 0.0F);
        EXPECT_EQ(p.link, kNoLink);
        EXPECT_EQ(p.animate, 1);
        EXPECT_EQ(p.energy, 1000000);
        EXPECT_EQ(p.energyLoss, 0);
    }
    EXPECT_EQ(BasisScreen.chosenPlace, -1);
    EXPECT_EQ(BasisScreen.infoIndex, -1);
    EXPECT_EQ(BasisScreen.infoKind, kInfoNone);
}

TEST_F(BasisKaufCommit, SkipsASlotNotInUse) {
    DeletePerson(kHallStretcher);
    CommitFahrzeugPurchase(vehicle_);
    EXPECT_EQ(Money, 6000 - 400 - 75) << "the freed slot is not paid for";
    EXPECT_EQ(V().seats,
              (std::vector<std::uint16_t>{kNoPerson, kSeatedMedic, kNoPerson, kNoPerson}));

    Money = 6000;
    BasisScreen.chosenPlace = kPlaceF201;
    for (const std::int16_t v : {std::int16_t{-1}, std::int16_t{19}, FahrzeugCount}) {
        CommitFahrzeugPurchase(v);
        EXPECT_EQ(Money, 6000) << v;
        EXPECT_EQ(BasisScreen.chosenPlace, kPlaceF201);
    }
}

}  // namespace
}  // namespace kv
