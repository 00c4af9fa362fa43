// Boarding on a plain map with vehicles of the sample data (F201, F203, F108, F116): who may be
// sent to the door, the seats taken in order, the door or hatch asked for until it opens, and the
// selection passing to the vehicle.

#include "persons/boarding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/mission_state.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/person_link.h"
#include "persons/person_update_fixture.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeug_update.h"
#include "vehicles/fahrzeuge.h"

namespace kv {
namespace {

constexpr std::int8_t kCivilian = 0;
constexpr std::int8_t kFireFighter = 1;
constexpr std::int8_t kMedic = 4;
constexpr std::int8_t kStretcherTeam = 5;
constexpr std::int8_t kCatchingTeam = 6;
constexpr std::int8_t kLoadedStretcher = 26;
constexpr std::uint8_t kOpBoard = 151;
constexpr std::uint8_t kOpDoor = 41;
constexpr std::uint8_t kOpHatch = 61;

std::vector<int> Opcodes(const UnitHead& unit) {
    std::vector<int> ops;
    for (const Befehl* b = unit.orders; b != nullptr; b = b->next) ops.push_back(b->opcode);
    return ops;
}

class Boarding : public test::PersonUpdateTest {
  protected:
    void SetUp() override {
        PersonUpdateTest::SetUp();
        MissionNummer = 1;
        FahrzeugCount = 6;
        AllocFahrzeuge();
        alloc(16);
    }

    static std::int16_t vehicle(std::int16_t type, std::int8_t anim = 0) {
        LoadFahrzeugTyp(type);
        const std::int16_t v = CreateFahrzeug(type, 600, 400, 3);
        EXPECT_GE(v, 0);
        SetupFahrzeug(v, 1);
        Fahrzeug& f = Fahrzeuge[static_cast<std::size_t>(v)];
        f.anim = anim;
        return v;
    }
    static Fahrzeug& car(std::int16_t v) { return Fahrzeuge[static_cast<std::size_t>(v)]; }
    // Selects the person as the click code does.
    void select(std::int16_t p) {
        person(p).selected = 1;
        SelectedIndex = static_cast<std::uint16_t>(p);
        SelectionMode = static_cast<std::uint16_t>(kPersonSelected + person(p).type);
    }
    // A person standing on the vehicle's door (or hatch) point with the boarding order.
    std::int16_t atDoor(std::int8_t type, std::int16_t v, bool hatch = false) {
        const std::int16_t p = stand(type, 0, 0);
        const FahrzeugPunkt at = hatch ? GetFahrzeugHatchPoint(v, p) : GetFahrzeugDoorPoint(v, p);
        person(p).x = at.x;
        person(p).y = at.y;
        UpdatePersonDrawPos(person(p));
        AppendBefehl(person(p), kOpBoard, v, static_cast<int>(car(v).x), static_cast<int>(car(v).y),
                     0, 0);
        return p;
    }
    // A person of the type in the seat.
    std::int16_t seated(std::int16_t v, std::size_t seat, std::int8_t type) {
        const std::int16_t p = stand(type, car(v).x, car(v).y);
        person(p).offMap = 1;
        car(v).seats[seat] = static_cast<std::uint16_t>(p);
        return p;
    }
    static void both(int n) {
        for (int t = 0; t < n; ++t) {
            UpdateFahrzeuge();
            ticks(1);
        }
    }
};

TEST_F(Boarding, SelectedPersonsAreSentToTheDoorWhichOpensAndTakeTheSeatsInOrder) {
    const std::int16_t v = vehicle(kTypF201);
    const std::int16_t medic = stand(kMedic, 500, 300);
    const std::int16_t team = stand(kLoadedStretcher, 700, 300);
    const std::int16_t patient = stand(kCivilian, 700, 300);
    person(team).link = static_cast<std::uint16_t>(patient);
    person(patient).offMap = 1;
    for (const std::int16_t p : {medic, team}) {
        select(p);
        ASSERT_EQ(OrderPersonIntoFahrzeug(v), 1);
        EXPECT_EQ(Opcodes(person(p)), (std::vector<int>{0, 0, kOpBoard}));
        const FahrzeugPunkt door = GetFahrzeugDoorPoint(v, p);
        EXPECT_EQ(person(p).orders->aFloat(), door.x);
        EXPECT_EQ(person(p).orders->next->e, 1u);
        // There, as the walks bring it (the whole-game test walks).
        person(p).x = door.x;
        person(p).y = door.y;
        PopBefehl(person(p));
        PopBefehl(person(p));
        for (int t = 0; t < 3 && person(p).offMap == 0; ++t) both(1);
        ASSERT_EQ(person(p).offMap, 1);
        EXPECT_EQ(car(v).anim, 2) << "the door stands open as it gets in";
        EXPECT_EQ(person(p).orders, nullptr);
        EXPECT_EQ(person(p).selected, 0);
        EXPECT_EQ(SelectionMode, kTypF201) << "the selection passes to the vehicle";
        EXPECT_EQ(SelectedIndex, v);
        EXPECT_EQ(car(v).selected, 1);
        car(v).selected = 0;
    }
    EXPECT_EQ(car(v).seats[0], medic);
    EXPECT_EQ(car(v).seats[1], team);
    EXPECT_EQ(person(team).link, patient) << "the patient rides along on the stretcher";
}

struct RefusalCase {
    const char* name;
    std::int8_t type;      // of the selected person
    std::int16_t vehicle;  // its type
    std::int8_t anim;      // the vehicle's
    std::int8_t seat0;     // the type in the first seat; -1 empty
    bool full;             // every seat taken (by civilians after the first)
    std::uint16_t link;    // the selected person's
    std::uint8_t ordered;  // the result
};

TEST_F(Boarding, WhoMayBeSentToTheDoor) {
    const RefusalCase cases[] = {
        {"a medic into the ambulance", kMedic, kTypF201, 0, -1, false, kNoLink, 1},
        {"a fire-fighter may not", kFireFighter, kTypF201, 0, -1, false, kNoLink, 0},
        {"hands full", kFireFighter, kTypF108, 0, -1, false, 2, 0},
        {"hands full into the boat", kFireFighter, kTypF116, 0, -1, false, 2, 1},
        {"a second medic", kMedic, kTypF201, 0, kMedic, false, kNoLink, 0},
        {"a medic after the stretcher", kMedic, kTypF201, 0, kStretcherTeam, false, kNoLink, 1},
        {"a stretcher after the medic", kStretcherTeam, kTypF201, 0, kMedic, false, kNoLink, 1},
        {"a second stretcher", kLoadedStretcher, kTypF203, 3, kStretcherTeam, false, kNoLink, 0},
        {"a second loaded stretcher", kStretcherTeam, kTypF203, 3, kLoadedStretcher, false, kNoLink,
         0},
        {"no free seat", kMedic, kTypF201, 0, kCivilian, true, kNoLink, 0},
        {"the helicopter in the air", kMedic, kTypF203, 0, -1, false, kNoLink, 0},
        {"the landed helicopter", kMedic, kTypF203, 3, -1, false, kNoLink, 1},
    };
    for (const RefusalCase& k : cases) {
        SCOPED_TRACE(k.name);
        alloc(16);
        AllocFahrzeuge();
        const std::int16_t v = vehicle(k.vehicle, k.anim);
        if (k.seat0 >= 0) seated(v, 0, k.seat0);
        if (k.full)
            for (std::size_t s = 1; s < car(v).seats.size(); ++s) seated(v, s, kCivilian);
        const std::int16_t p = stand(k.type, 500, 300);
        person(p).link = k.link;
        select(p);
        EXPECT_EQ(OrderPersonIntoFahrzeug(v), k.ordered);
        EXPECT_EQ(person(p).orders != nullptr, k.ordered == 1);
    }
    // Nobody selected, or no vehicle.
    SelectedIndex = 65535;
    EXPECT_EQ(OrderPersonIntoFahrzeug(0), 0);
    SelectedIndex = 0;
    EXPECT_EQ(OrderPersonIntoFahrzeug(-1), 0);
    EXPECT_EQ(OrderPersonIntoFahrzeug(6), 0);
}

TEST_F(Boarding, APersonThatLeadsSomeoneSendsItInstead) {
    const std::int16_t v = vehicle(kTypF116);
    const std::int16_t leader = stand(kCivilian, 500, 300);
    const std::int16_t led = stand(kCivilian, 511, 300);
    person(leader).link = static_cast<std::uint16_t>(kLeadsLinkBase + led);
    select(leader);
    ASSERT_EQ(OrderPersonIntoFahrzeug(v), 1);
    EXPECT_EQ(person(leader).orders, nullptr);
    EXPECT_EQ(Opcodes(person(led)), (std::vector<int>{0, 0, kOpBoard}));
    const Befehl* board = person(led).orders->next->next;
    EXPECT_EQ(board->aInt(), v);
    EXPECT_EQ(board->bInt(), 600);
    EXPECT_EQ(board->cInt(), 400);

    // A lead that names nobody refuses boarding.
    ClearBefehle(person(led));
    person(leader).link = kLeadsLinkBase + 900;
    EXPECT_EQ(OrderPersonIntoFahrzeug(v), 0);
    EXPECT_EQ(person(led).orders, nullptr);
    EXPECT_EQ(person(leader).orders, nullptr);
}

struct DoorCase {
    const char* name;
    std::int16_t type;
    std::int8_t anim;
    bool open;
    std::int8_t opensTo;  // after the vehicle's own tick
};

TEST_F(Boarding, TheDoorIsAskedForEveryTickUntilItStandsOpen) {
    const DoorCase cases[] = {
        {"closed ambulance", kTypF201, 0, false, 2},
        {"open ambulance", kTypF201, 2, true, 2},
        {"ladder set up", kTypF106, 3, false, 13},
        {"ladder set up, door open", kTypF106, 13, true, 13},
        {"ladder vehicle, door open", kTypF106, 2, true, 2},
        {"the boat has no door", kTypF116, 0, true, 0},
        {"landed helicopter", kTypF203, 3, false, 2},
    };
    for (const DoorCase& k : cases) {
        SCOPED_TRACE(k.name);
        alloc(16);
        AllocFahrzeuge();
        const std::int16_t v = vehicle(k.type, k.anim);
        const std::int16_t p = atDoor(kMedic, v);
        ticks(1);
        EXPECT_EQ(person(p).offMap, k.open ? 1 : 0);
        if (k.open) continue;
        for (int t = 0; t < 3; ++t) {
            ASSERT_NE(car(v).orders, nullptr);
            EXPECT_EQ(car(v).orders->opcode, kOpDoor);
            EXPECT_EQ(car(v).orders->aInt(), 8);
            car(v).orders->setA(1);  // a fresh order each tick
            ticks(1);
        }
        EXPECT_EQ(HeadBefehlOpcode(person(p)), kOpBoard);
        UpdateFahrzeuge();
        EXPECT_EQ(car(v).anim, k.opensTo);
        ticks(1);
        EXPECT_EQ(person(p).offMap, 1);
        EXPECT_EQ(car(v).seats[0], p);
    }
}

TEST_F(Boarding, TheCatchingTeamGetsInThroughTheHatch) {
    const std::int16_t v = vehicle(kTypF108);
    const std::int16_t p = atDoor(kCatchingTeam, v, true);
    ticks(1);
    EXPECT_EQ(HeadBefehlOpcode(car(v)), kOpHatch);
    UpdateFahrzeuge();
    EXPECT_EQ(car(v).anim, 4);
    ticks(1);
    EXPECT_EQ(car(v).seats[0], p);

    // At the door, 31 px or more from the hatch, it gives up.
    const FahrzeugPunkt door = GetFahrzeugDoorPoint(v, p);
    const FahrzeugPunkt hatch = GetFahrzeugHatchPoint(v, p);
    ASSERT_GT(std::abs(door.x - hatch.x) + std::abs(door.y - hatch.y), 60);
    const std::int16_t q = atDoor(kCatchingTeam, v, false);
    ticks(1);
    EXPECT_EQ(person(q).orders, nullptr);
    EXPECT_EQ(person(q).offMap, 0);
}

TEST_F(Boarding, TheBoardingOrderEndsForAVehicleThatMovedIsFullOrAPersonTooFar) {
    const struct {
        const char* name;
        void (*spoil)(Fahrzeug& v, Person& p);
    } cases[] = {
        {"the vehicle moved", [](Fahrzeug& v, Person&) { v.x += 1; }},
        {"31 px from the door", [](Fahrzeug&, Person& p) { p.y += 31; }},
        {"no free seat", [](Fahrzeug& v, Person&) { v.seats.assign(v.seats.size(), 0); }},
        {"the helicopter took off", [](Fahrzeug& v, Person&) { v.anim = 1; }},
        {"the vehicle is gone", [](Fahrzeug& v, Person&) { v.type = -1; }},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        alloc(16);
        AllocFahrzeuge();
        const std::int16_t v = vehicle(kTypF203, 3);
        const std::int16_t p = atDoor(kMedic, v);
        k.spoil(car(v), person(p));
        ticks(1);
        EXPECT_EQ(person(p).orders, nullptr);
        EXPECT_EQ(person(p).offMap, 0);
        EXPECT_EQ(car(v).orders, nullptr) << "nobody asked for the door";
    }
}

TEST_F(Boarding, ALedPersonGettingInIsLetGoByItsLeader) {
    const std::int16_t v = vehicle(kTypF116);
    const std::int16_t leader = stand(kFireFighter, 400, 300);
    const std::int16_t p = atDoor(kCivilian, v);
    person(p).controlFlags = kPersonController;
    person(p).moverFlags |= kMoverLed;
    person(p).link = static_cast<std::uint16_t>(leader);
    person(p).link2 = 3;
    person(leader).link = static_cast<std::uint16_t>(kLeadsLinkBase + p);
    ticks(1);
    EXPECT_EQ(car(v).seats[0], p);
    EXPECT_EQ(person(leader).link, kNoLink);
    EXPECT_EQ(person(p).link, kNoLink);
    EXPECT_EQ(person(p).link2, kNoLink);
    EXPECT_EQ(person(p).orders, nullptr);
}

TEST_F(Boarding, IndicesNamingNobodyRefuseNothing) {
    // A first seat holding an index past the array is no medic.
    const std::int16_t v = vehicle(kTypF201);
    car(v).seats[0] = 4000;
    const std::int16_t medic = stand(kMedic, 500, 300);
    select(medic);
    EXPECT_EQ(OrderPersonIntoFahrzeug(v), 1);

    // A controlled person whose link names nobody gets in without a leader to leave.
    const std::int16_t p = atDoor(kCivilian, vehicle(kTypF116));
    person(p).controlFlags = kPersonController;
    person(p).link = 4000;
    ticks(1);
    EXPECT_EQ(person(p).offMap, 1);
    EXPECT_EQ(person(p).link, 4000);
}

}  // namespace
}  // namespace kv
