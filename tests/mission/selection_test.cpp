#include "mission/selection.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "media/sound_device.h"
#include "media/sound_slots.h"
#include "mission/command_slots.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/personen.h"
#include "support/headless_test.h"
#include "vehicles/fahrzeuge.h"
#include "vehicles/move_fixture.h"

namespace kv {
namespace {

class SelectionTest : public test::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        PersonCount = 6;
        AllocPersonen();
        FahrzeugCount = 3;
        AllocFahrzeuge();
    }
    static Person& P(int i) { return Personen[static_cast<std::size_t>(i)]; }
    // A selected person of the type.
    static Person& Selected(int i, std::int8_t type) {
        P(i).type = type;
        P(i).selected = 1;
        return P(i);
    }
    // The leader of type t keeps 1000 + the led person's index, the led person its leader's.
    static void Lead(int leader, std::int8_t type, int led) {
        Selected(leader, type).link = static_cast<std::uint16_t>(1000 + led);
        Person& p = Selected(led, 1);
        p.link = static_cast<std::uint16_t>(leader);
        p.moverFlags |= kMoverLed;
    }
};

TEST_F(SelectionTest, TheModeComesFromTheSelectedFlags) {
    struct Case {
        std::string name;
        std::function<void()> setUp;
        std::uint16_t mode;
        std::uint16_t index;
    };
    const std::vector<Case> cases = {
        {"nothing", [] {}, 65535, 65535},
        {"one vehicle of type 0",
         [] {
             Fahrzeuge[1].type = 0;
             Fahrzeuge[1].selected = 1;
         },
         0, 1},
        {"one person of type 5", [] { Selected(4, 5); }, 1005, 4},
        {"a casualty", [] { Selected(2, 35).casualty = 1; }, 2000, 2},
        {"a leader of type 2 before the person it leads", [] { Lead(1, 2, 3); }, 1002, 1},
        {"a leader of type 2 after the person it leads", [] { Lead(4, 2, 1); }, 1002, 4},
        {"a leader of type 4 counts as a second unit", [] { Lead(1, 4, 3); }, 65534, 65535},
        {"a vehicle and a person",
         [] {
             Fahrzeuge[0].type = 3;
             Fahrzeuge[0].selected = 1;
             Selected(0, 1);
         },
         65534, 65535},
        {"a box group stays while its leading person is selected",
         [] {
             SelectionMode = kBoxGroupSelected;
             SelectedIndex = 2;
             for (int i : {0, 2, 5}) Selected(i, 1);
         },
         2200, 2},
        {"a box group goes with its leading person",
         [] {
             SelectionMode = kBoxGroupSelected;
             SelectedIndex = 2;
             P(2).type = 1;
             for (int i : {0, 5}) Selected(i, 1);
         },
         65534, 65535},
        {"a box group whose leading person lies past the array",
         [] {
             SelectionMode = kBoxGroupSelected;
             SelectedIndex = 40;
             for (int i : {0, 5}) Selected(i, 1);
         },
         65534, 65535},
        {"a led person whose link lies past the array",
         [] {
             Lead(1, 2, 3);
             P(3).link = 40;
         },
         65534, 65535},
        {"a leader whose link is below 1000",
         [] {
             Lead(3, 2, 1);
             P(3).link = 999;
         },
         65534, 65535},
        {"a leader whose link names a free slot",
         [] {
             Lead(3, 2, 1);
             P(3).link = 1005;
         },
         65534, 65535},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FreePersonen();
        PersonCount = 6;
        AllocPersonen();
        FreeFahrzeuge();
        FahrzeugCount = 3;
        AllocFahrzeuge();
        SelectionMode = kNoSelection;
        SelectedIndex = 65535;
        c.setUp();
        RecomputeSelectionMode();
        EXPECT_EQ(SelectionMode, c.mode);
        EXPECT_EQ(SelectedIndex, c.index);
    }

    // The right click drops everything, free slots included.
    P(5).selected = 1;
    Fahrzeuge[2].selected = 1;
    ClearSelection();
    for (const Person& p : Personen) EXPECT_EQ(p.selected, 0);
    for (const Fahrzeug& v : Fahrzeuge) EXPECT_EQ(v.selected, 0);
    EXPECT_EQ(SelectionMode, kNoSelection);
    EXPECT_EQ(SelectedIndex, 65535);
}

// What a press did: "view" with the world point, else the buttons it pressed.
std::string PressResult() {
    std::string pressed;
    if (DragActive != 0)
        pressed =
            "view " + std::to_string(MouseDownPoint.x) + " " + std::to_string(MouseDownPoint.y);
    if (MapButton.pressed != 0) pressed += "map";
    if (OptionsButton.pressed != 0) pressed += "options";
    for (int s = 0; s < kCommandSlotCount; ++s)
        if (CommandSlots[static_cast<std::size_t>(s)].pressed != 0)
            pressed += "slot" + std::to_string(s);
    return pressed;
}

TEST_F(SelectionTest, APressInTheViewKeepsItsWorldPointElsewhereItPressesTheButtonsUnderIt) {
    ViewOrigin = {530, 240};
    struct Case {
        int x;
        int y;
        std::string pressed;
    };
    const Case cases[] = {
        {10, 10, "view 540 250"},
        {639, 479, "view 1169 719"},
        {9, 300, ""},
        {640, 300, ""},
        {300, 480, ""},
        {662, 155, "map"},
        {769, 188, "map"},
        {661, 170, ""},
        {770, 170, ""},
        {700, 154, ""},
        {700, 189, ""},
        {662, 353, "options"},
        {769, 411, "options"},
        {700, 412, ""},
        {352, 502, "slot0"},
        {455, 578, "slot0"},
        {456, 540, ""},
        {465, 502, "slot1"},
        {566, 578, "slot1"},
        {578, 502, "slot2"},
        {679, 578, "slot2"},
        {680, 540, ""},
        {600, 579, ""},
        {600, 501, ""},
    };
    for (const Case& c : cases) {
        ResetSelection();
        ResetCommandSlots();
        CommandSlots[0].frameCounter = 2;
        OnGameMouseDown(c.x, c.y);
        EXPECT_EQ(PressResult(), c.pressed) << c.x << ", " << c.y;
        if (c.pressed.starts_with("slot0")) {
            EXPECT_EQ(CommandSlots[0].frameCounter, 0);
        }
    }
    EXPECT_EQ(MouseDownPoint.x, -1) << "a press outside the view leaves the point alone";
}

TEST_F(SelectionTest, TheMouseIsKeptInsideTheCursorsRectangle) {
    struct Case {
        std::uint16_t x, y, keptX, keptY;
    };
    for (const Case& c : {Case{799, 300, 778, 300}, Case{0, 0, 21, 21}, Case{400, 599, 400, 578},
                          Case{21, 578, 21, 578}, Case{65535, 65535, 778, 578}}) {
        StoreMousePos(c.x, c.y);
        EXPECT_EQ(MouseX, c.keptX);
        EXPECT_EQ(MouseY, c.keptY);
    }
}

class MoveSelectedToTest : public test::MoveTest {
  protected:
    static constexpr std::int16_t kX = 700;
    static constexpr std::int16_t kY = 260;

    static std::int16_t SelectedVehicle(std::int32_t type, std::int8_t anim = 0) {
        const std::int16_t i = Make(type, kOwnerBought);
        // Both flags, as a vehicle bought at a base has them.
        V(i).targetable = 1;
        V(i).selectable = 1;
        V(i).selected = 1;
        V(i).anim = anim;
        return i;
    }
    static std::int16_t SelectedPerson(int type) {
        const std::int16_t i = Walker(type, test::kFieldX, test::kFieldY);
        P(i).selected = 1;
        return i;
    }
    // Any order to show whether the move replaced it.
    static void Busy(UnitHead& unit) { AppendBefehl(unit, kOpWait, 50, 0, 0, 0, 1); }
    static bool MovesToTarget(const UnitHead& unit) {
        return unit.orders != nullptr && unit.orders->opcode == kOpMove &&
               unit.orders->aFloat() == kX && unit.orders->bFloat() == kY;
    }
    static bool Siren(std::int16_t vehicle) {
        for (int id = kSoundSiren; id < kSoundSiren + 4; ++id)
            if (IsFahrzeugSoundPlaying(vehicle, id) != 0) return true;
        return false;
    }
};

TEST_F(MoveSelectedToTest, VehiclesAtWorkStayAndALandedHelicopterTakesOffFirst) {
    InitDirectSound();
    LoadSounds();
    struct Case {
        std::string name;
        std::int32_t type;
        std::int8_t anim;
        std::vector<int> orders;  // after the move
        bool siren;
    };
    const std::vector<Case> cases = {
        {"an F101", kTypF101, 0, {0}, true},
        {"a crane truck moves without a siren", kTypF110, 0, {0}, false},
        {"an F113 laying its pontoon", kTypF113, 2, {7}, false},
        {"an F113 taking it up", kTypF113, 6, {7}, false},
        {"an F113 before laying", kTypF113, 1, {0}, true},
        {"an F106 with its ladder set up", kTypF106, 3, {7}, false},
        {"an F106 with its ladder set up and turned", kTypF106, 13, {7}, false},
        {"an F106 setting up", kTypF106, 2, {0}, true},
        {"an F203 in the air", kTypF203, 0, {0}, false},
    };
    std::vector<std::int16_t> made;
    for (const Case& c : cases) {
        made.push_back(SelectedVehicle(c.type, c.anim));
        Busy(V(made.back()));
    }
    const std::int16_t landed = SelectedVehicle(kTypF203);
    V(landed).link2 = 3;
    const std::int16_t notOurs = SelectedVehicle(kTypF101);
    V(notOurs).selectable = 0;
    Busy(V(notOurs));
    const std::int16_t unselected = Make(kTypF101);
    Busy(V(unselected));

    MoveSelectedTo(kX, kY);
    for (std::size_t n = 0; n < cases.size(); ++n) {
        SCOPED_TRACE(cases[n].name);
        const Fahrzeug& v = V(made[n]);
        EXPECT_EQ(Opcodes(v), cases[n].orders);
        if (cases[n].orders == std::vector<int>{0}) {
            EXPECT_TRUE(MovesToTarget(v));
        }
        EXPECT_EQ(Siren(made[n]), cases[n].siren);
    }
    EXPECT_EQ(Opcodes(V(landed)), (std::vector<int>{52, 0}));
    EXPECT_EQ(V(landed).orders->next->aFloat(), kX);
    EXPECT_EQ(V(landed).orders->next->bFloat(), kY);
    EXPECT_FALSE(Siren(landed));
    EXPECT_EQ(Opcodes(V(notOurs)), std::vector<int>{7});
    EXPECT_EQ(Opcodes(V(unselected)), std::vector<int>{7});
}

TEST_F(MoveSelectedToTest, PersonsMoveButThoseHeldInPlaceAndALeaderSendsThePersonItLeads) {
    const std::int16_t walker = SelectedPerson(1);
    const std::int16_t casualty = SelectedPerson(1);
    P(casualty).casualty = 1;
    const std::int16_t hoseHeld = SelectedPerson(11);
    const std::int16_t hoseTied = SelectedPerson(10);
    P(hoseTied).link = 7;
    const std::int16_t hoseFree = SelectedPerson(10);
    const std::int16_t notOurs = SelectedPerson(1);
    P(notOurs).selectable = 0;
    const std::int16_t inside = SelectedPerson(1);
    P(inside).house = 0;
    const std::int16_t led = SelectedPerson(1);
    P(led).moverFlags |= kMoverLed;
    for (std::int16_t i : {casualty, hoseHeld, hoseTied, notOurs, inside, led}) Busy(P(i));

    // A leader following the trail of the person it leads hands the move to that person; with
    // the order naming nobody the leader is passed over.
    const std::int16_t leader = SelectedPerson(0);
    const std::int16_t follower = Walker(1, test::kFieldX + 20, test::kFieldY);
    Busy(P(follower));
    SetBefehl(P(leader), PersonTypOf(P(leader)), kOpFollowTrail, -1, follower, 0, 0, 0, 0);
    const std::int16_t lostLeader = SelectedPerson(0);
    SetBefehl(P(lostLeader), PersonTypOf(P(lostLeader)), kOpFollowTrail, -1, 99, 0, 0, 0, 0);
    const std::int16_t leaderOfNobody = SelectedPerson(0);
    const std::int16_t freeSlot = FindFreePerson();
    SetBefehl(P(leaderOfNobody), PersonTypOf(P(leaderOfNobody)), kOpFollowTrail, -1, freeSlot, 0, 0,
              0, 0);

    MoveSelectedTo(kX, kY);
    for (std::int16_t i : {walker, hoseFree, follower}) EXPECT_TRUE(MovesToTarget(P(i))) << i;
    for (std::int16_t i : {casualty, hoseHeld, hoseTied, notOurs, inside, led})
        EXPECT_EQ(Opcodes(P(i)), std::vector<int>{7}) << i;
    for (std::int16_t i : {leader, lostLeader, leaderOfNobody})
        EXPECT_EQ(Opcodes(P(i)), std::vector<int>{kOpFollowTrail}) << i;
    EXPECT_EQ(P(freeSlot).type, -1);
}

TEST_F(MoveSelectedToTest, APersonChoosingEquipmentLeavesItsVehicleFirst) {
    const std::int16_t w = SelectedVehicle(kTypF101);
    V(w).anim = 0;
    const std::int16_t p = SelectedPerson(2);
    P(p).link2 = static_cast<std::uint16_t>(w);
    SelectionMode = 2003;
    SelectedIndex = static_cast<std::uint16_t>(p);

    MoveSelectedTo(kX, kY);
    EXPECT_EQ(SelectionMode, 1002);
    EXPECT_EQ(SelectedIndex, p);
    EXPECT_EQ(P(p).link2, kNoLink);
    EXPECT_EQ(V(w).selected, 0);
    EXPECT_EQ(V(w).orders, nullptr) << "the vehicle is no longer selected";
    EXPECT_TRUE(MovesToTarget(P(p)));
}

}  // namespace
}  // namespace kv
