// The helicopter base on mission 1's sample data: the lift-off at two game speeds, the ways out
// before and during it, the crew chosen in the staff room only, the purchase, and the shadow.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_points.h"
#include "core/options.h"
#include "movement/befehl.h"
#include "persons/person.h"
#include "persons/personen.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

#include "screens/basen_twins_fixture.h"

namespace kv {
namespace {

class HeliBasis : public test::TwinBaseTest {
  protected:
    void TearDown() override {
        GameSpeed = 1;
        TwinBaseTest::TearDown();
    }
    // Mission 1 on the map, the helicopter base open in its hall.
    void open(test::ScriptedPlayer& player) {
        openMissionOneMap(player);
        enterBase(test::kHeliBase);
        ASSERT_EQ(GameMode, 14u) << FatalErrorMessage();
    }
};

const BasisPlace& Place() {
    return Basen[static_cast<std::size_t>(test::kHeliBase)].places[0];
}

std::int32_t HeliPrice() {
    return static_cast<std::int32_t>(FahrzeugTypen[kTypF203].price);
}

// The staff figure of a type, -1 when there is none.
std::int16_t StaffOfType(std::int8_t type) {
    for (std::size_t i = 0; i < Personen.size(); ++i)
        if (Personen[i].type == type && Personen[i].storey == kStoreyStaffRoom)
            return static_cast<std::int16_t>(i);
    return -1;
}

int StaffCount() {
    return static_cast<int>(std::count_if(Personen.begin(), Personen.end(), [](const Person& p) {
        return p.type >= 0 && p.storey >= kStoreyHall && p.storey <= kStoreyStaffRoom;
    }));
}

std::string Message() {
    return MessageLine.data();
}

TEST_F(HeliBasis, TheShadowShrinksTheHelicopterRisesTurnsAndFliesOffAtEitherSpeed) {
    for (const std::uint8_t speed : {std::uint8_t{1}, std::uint8_t{3}}) {
        SCOPED_TRACE(testing::Message() << "speed " << int{speed});
        test::ScriptedPlayer player(backend);
        if (speed == 1) open(player);
        if (speed == 3) {
            enterBase(test::kHeliBase);
            ASSERT_EQ(GameMode, 14u) << FatalErrorMessage();
        }
        GameSpeed = speed;
        Money = HeliPrice();
        BasisScreen.chosenPlace = 0;
        StartHeliTakeOff();
        ASSERT_EQ(BasisScreen.view, 3);
        const std::int16_t heli = BasisScreen.vehicle;
        const Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(heli)];
        const SonderObj& shadow = SonderObjs[static_cast<std::size_t>(HeliBasisShadow)];
        ASSERT_EQ(shadow.frame, 17);
        for (int steps = speed; steps <= 42; steps += speed) {
            UpdateHeliBasis();
            const int rising = std::min(steps, 34);
            EXPECT_FLOAT_EQ(v.y, static_cast<float>(Place().y - 5 * rising)) << steps;
            EXPECT_EQ(v.direction, 3 + std::clamp(steps - 34, 0, 6)) << steps;
            if (steps <= 34) {
                EXPECT_EQ(shadow.frame, 17 - steps / 2) << steps;
            } else {
                EXPECT_EQ(HeliBasisShadow, -1) << "gone once the helicopter turns";
            }
        }
        ASSERT_EQ(v.direction, 9);
        const float hotX = static_cast<float>(FahrzeugAnim(v).hotX);
        const float step = FahrzeugTypOf(v).speed * static_cast<float>(speed);
        float lastX = v.x;
        for (int calls = 0; GameMode == 14u && calls < 400; ++calls) {
            lastX = v.x;
            UpdateHeliBasis();
        }
        ASSERT_EQ(GameMode, 10u);
        EXPECT_LE(lastX - step, -hotX) << "off the view's left edge";
        EXPECT_GT(lastX, -hotX - step);
        EXPECT_EQ(Money, 0);
        EXPECT_EQ(v.height, 0.0F);
        RemoveFahrzeug(heli, kRemoveDrivenOff);
    }
}

TEST_F(HeliBasis, LeavingBeforeStartBuysNothingAndAnyWayOutOfTheLiftOffBuysAtOnce) {
    test::ScriptedPlayer player(backend);
    open(player);
    const std::int32_t money = Money;
    EXPECT_EQ(StaffCount(), 2);
    player.key(VK_ESCAPE);
    player.frames(1);
    EXPECT_EQ(GameMode, 10u);
    EXPECT_EQ(Money, money);
    EXPECT_EQ(StaffCount(), 0);
    EXPECT_EQ(HeliBasisShadow, -1);
    EXPECT_EQ(BasisPaths, nullptr);

    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"Esc", [] { OnHeliKeyDown(VK_ESCAPE); }},
        {"right button", [] { OnHeliRButtonDown(); }},
        {"left button", [] { OnHeliLButtonDown(300, 300); }},
    };
    for (const auto& [name, leave] : ways) {
        SCOPED_TRACE(name);
        LeaveKarte(1);
        OpenHeliBasis(test::kHeliBase);
        ASSERT_EQ(GameMode, 14u);
        Money = HeliPrice() + 10;
        BasisScreen.chosenPlace = 0;
        StartHeliTakeOff();
        const std::int16_t heli = BasisScreen.vehicle;
        ASSERT_GE(heli, 0);
        player.frames(3);
        leave();
        EXPECT_EQ(GameMode, 10u);
        EXPECT_EQ(Money, 10);
        EXPECT_EQ(Fahrzeuge[static_cast<std::size_t>(heli)].KarteWeg, 3);
        RemoveFahrzeug(heli, kRemoveDrivenOff);
    }
}

TEST_F(HeliBasis, TheCrewIsChosenInTheStaffRoomOnlyAndTheHelicopterFliesWithItSeated) {
    test::ScriptedPlayer player(backend);
    open(player);
    const std::int32_t money = Money;
    const std::int16_t medic = StaffOfType(4);
    const std::int16_t team = StaffOfType(5);
    ASSERT_GE(medic, 0);
    ASSERT_GE(team, 0);

    // In the hall the staff show their info but take no clicks; there is no call to choose a
    // vehicle first.
    HoverKind = kHoverPerson;
    HoverIds = {static_cast<std::uint16_t>(team), 0, 0, 0};
    OnHeliLButtonDown(300, 300);
    EXPECT_EQ(BasisScreen.assignedCount, 0);
    EXPECT_EQ(Message(), "");
    LoadHeliOben();
    OnHeliLButtonDown(300, 300);
    EXPECT_EQ(BasisScreen.assignedCount, 0) << "no helicopter chosen";
    EXPECT_EQ(Message(), "");
    LoadHeliUnten();

    HoverKind = kHoverFahrzeug;
    HoverIds = {0, 0, 0, 0};
    OnHeliLButtonDown(Place().x, Place().y);
    ASSERT_EQ(BasisScreen.chosenPlace, 0);
    EXPECT_EQ(BasisScreen.previewMoney, money - HeliPrice());

    LoadHeliOben();
    // The staff checks run in the staff room: too little money left for the medic.
    const std::int32_t preview = BasisScreen.previewMoney;
    BasisScreen.previewMoney = static_cast<std::int32_t>(PersonTypen[4].price) - 1;
    HoverKind = kHoverPerson;
    HoverIds = {static_cast<std::uint16_t>(medic), 0, 0, 0};
    OnHeliLButtonDown(300, 300);
    EXPECT_EQ(BasisScreen.assignedCount, 0);
    EXPECT_EQ(Message(), "Zu wenig Geld!");
    BasisScreen.previewMoney = preview;
    for (const std::int16_t person : {medic, team}) {
        HoverKind = kHoverPerson;
        HoverIds = {static_cast<std::uint16_t>(person), 0, 0, 0};
        OnHeliLButtonDown(300, 300);
    }
    ASSERT_EQ(BasisScreen.assignedCount, 2);
    OnHeliLButtonDown(300, 300);  // the team again, walking now: nothing
    EXPECT_EQ(BasisScreen.assignedCount, 2);
    const std::int32_t crew =
        static_cast<std::int32_t>(PersonTypen[4].price + PersonTypen[5].price);
    EXPECT_EQ(BasisScreen.previewMoney, money - HeliPrice() - crew);
    // The standing team walks its path to the pad's gathering point; the medic stands up first.
    const Person& walker = Personen[static_cast<std::size_t>(team)];
    ASSERT_NE(walker.orders, nullptr);
    const Befehl* last = walker.orders;
    while (last->next != nullptr) last = last->next;
    EXPECT_FLOAT_EQ(last->aFloat(), kHeliGatheringPoint.x);
    EXPECT_FLOAT_EQ(last->bFloat(), kHeliGatheringPoint.y);
    ASSERT_TRUE(player.runUntil(
        [&] { return Personen[static_cast<std::size_t>(medic)].orders != nullptr; }, 100));
    player.frames(2);
    EXPECT_EQ(Personen[static_cast<std::size_t>(medic)].storey, kStoreyStaffRoom);

    StartHeliTakeOff();
    const std::int16_t heli = BasisScreen.vehicle;
    ASSERT_GE(heli, 0);
    OnHeliKeyDown(VK_ESCAPE);
    ASSERT_EQ(GameMode, 10u);
    const Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(heli)];
    EXPECT_EQ(Money, money - HeliPrice() - crew);
    EXPECT_EQ(v.KarteWeg, 3);
    EXPECT_FLOAT_EQ(v.x, RoadEntry.x);
    EXPECT_FLOAT_EQ(v.y, RoadEntry.y);
    ASSERT_GE(v.seats.size(), 2u);
    EXPECT_EQ(v.seats[0], medic);
    EXPECT_EQ(v.seats[1], team);
    EXPECT_EQ(Personen[static_cast<std::size_t>(medic)].offMap, 1);
}

TEST_F(HeliBasis, TheShadowStaysOutOfTheWorldAndAShortSetCountsDownFromItsLast) {
    test::ScriptedPlayer player(backend);
    open(player);
    EXPECT_TRUE(FahrzeugTypLoaded(kTypF203)) << "the base loads what it sells";
    const SonderObj& shadow = SonderObjs[static_cast<std::size_t>(HeliBasisShadow)];
    EXPECT_EQ(shadow.type, kSobjHeliSchatten);
    EXPECT_EQ(shadow.blockMask, 0);
    EXPECT_EQ(shadow.visible, 0);
    EXPECT_EQ(shadow.fuel, 0);
    EXPECT_EQ(shadow.frame, 17);
    CloseHeliBasis();

    // A set of five frames: the lift-off starts at its fifth.
    SonderObjTyp& typ = SonderObjTypen[static_cast<std::size_t>(kSobjHeliSchatten)];
    FrameSet* const loaded = typ.frames;
    std::vector<FrameSet> shortSet(loaded, loaded + 5);
    shortSet.push_back({});
    typ.frames = shortSet.data();
    LeaveKarte(1);
    OpenHeliBasis(test::kHeliBase);
    const std::int16_t slot = HeliBasisShadow;
    ASSERT_GE(slot, 0);
    EXPECT_EQ(SonderObjs[static_cast<std::size_t>(slot)].frame, 4);
    FreeHeliBasisScreen();
    typ.frames = loaded;
    EXPECT_EQ(HeliBasisShadow, -1);
    EXPECT_EQ(SonderObjs[static_cast<std::size_t>(slot)].type, -1);
    EXPECT_EQ(StaffCount(), 0);
    FreeHeliBasisScreen();  // a second time frees nothing more

    // Without a free object slot the screen does not open, and leaves nothing behind.
    std::vector<std::size_t> taken;
    for (std::size_t i = static_cast<std::size_t>(FixedSonderObjCount); i < SonderObjs.size();
         ++i) {
        if (SonderObjs[i].type != -1) continue;
        SonderObjs[i].type = 0;
        taken.push_back(i);
    }
    GameMode = 10;
    OpenHeliBasis(test::kHeliBase);
    EXPECT_EQ(GameMode, 10u);
    EXPECT_EQ(StaffCount(), 0);
    EXPECT_EQ(BasisPaths, nullptr);
    for (const std::size_t i : taken) SonderObjs[i].type = -1;
}

TEST_F(HeliBasis, WithoutAVehicleSlotStartDoesNothingAndWithoutSpeedItStillFliesOff) {
    test::ScriptedPlayer player(backend);
    open(player);
    BasisScreen.chosenPlace = 0;
    std::vector<std::size_t> filled;
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
        if (Fahrzeuge[i].type != -1) continue;
        Fahrzeuge[i].type = 0;
        filled.push_back(i);
    }
    StartHeliTakeOff();
    EXPECT_EQ(BasisScreen.view, 1);
    EXPECT_EQ(BasisScreen.vehicle, -1);
    for (const std::size_t i : filled) Fahrzeuge[i].type = -1;

    const float speed = FahrzeugTypen[kTypF203].speed;
    FahrzeugTypen[kTypF203].speed = 0;
    Money = HeliPrice();
    StartHeliTakeOff();
    ASSERT_EQ(BasisScreen.view, 3);
    EXPECT_TRUE(player.runUntil([] { return GameMode == 10u; }, 800));
    FahrzeugTypen[kTypF203].speed = speed;
}

}  // namespace
}  // namespace kv
