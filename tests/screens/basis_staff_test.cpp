// The stations' staff figures: created afresh per station, listed far to near, removed whole.

#include "screens/basis_staff.h"

#include <gtest/gtest.h>

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff_table.h"

namespace kv {
namespace {

class BasisStaff : public testing::Test {
  protected:
    void alloc(std::int16_t count) {
        FreePersonen();
        PersonCount = count;
        AllocPersonen();
    }
    void TearDown() override {
        FreePersonen();
        BasisStaffList.clear();
    }
    static int Used() {
        int n = 0;
        for (const Person& p : Personen) n += p.type >= 0 ? 1 : 0;
        return n;
    }
};

TEST_F(BasisStaff, EveryStationSeatsItsStaffAfreshAndLeavesTheWorldAlone) {
    alloc(60);
    const std::int16_t world = PlaceNewPerson(0, 100, 100, 0, 3, false);
    ASSERT_EQ(world, 0);
    for (std::uint8_t station = 0; station < 3; ++station) {
        SCOPED_TRACE(int{station});
        PlaceBasisStaff(station);
        BasisScreen.assigned[0] = 1;
        BasisScreen.assignedCount = 1;
        PlaceBasisStaff(station);  // the figures of before are gone, and their assignment
        EXPECT_EQ(BasisScreen.assigned[0], kNoStaff);
        EXPECT_EQ(BasisScreen.assignedCount, 0);
        EXPECT_EQ(Used(), 1 + static_cast<int>(kBasisStaff[station].size()));
        for (std::size_t i = 0; i < kBasisStaff[station].size(); ++i) {
            const BasisStaffRow& row = kBasisStaff[station][i];
            const Person& p = Personen[i + 1];
            EXPECT_EQ(p.type, row.type);
            EXPECT_EQ(p.storey, row.storey);
            EXPECT_EQ(p.link, row.path);
            EXPECT_EQ(p.direction, row.direction);
            EXPECT_EQ(p.anim, row.pose == kStaffSit ? 3 : 0);
            EXPECT_EQ(p.animate, row.pose == kStaffSit ? 0 : 1);
        }
    }
    RemoveBasisStaff();
    EXPECT_EQ(Used(), 1);
    EXPECT_EQ(Personen[0].storey, 0);
}

TEST_F(BasisStaff, AFullPersonArrayShowsFewerFigures) {
    alloc(4);
    PlaceBasisStaff(0);
    EXPECT_EQ(Used(), 4);
}

TEST_F(BasisStaff, StaffAreThePlayersToSelectAndOrder) {
    alloc(20);
    PlaceBasisStaff(0);
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        if (Personen[i].type == -1) continue;
        SCOPED_TRACE(i);
        EXPECT_EQ(Personen[i].selectable, 1);
        EXPECT_EQ(Personen[i].present, 1);
    }
}

TEST_F(BasisStaff, TheListRunsFarToNearWithTiesByIndex) {
    alloc(8);
    CreateBasisStaff(0, 50, 200, 3, kStaffStand, 0, kStoreyHall);
    CreateBasisStaff(1, 40, 100, 3, kStaffSit, 0, kStoreyStaffRoom);
    CreateBasisStaff(2, 40, 100, 3, kStaffSit, 0, kStoreyStairs);
    CreateBasisStaff(3, 10, 200, 3, kStaffSit, 0, kStoreyStaffRoom);
    PlaceNewPerson(0, 5, 5, 0, 3, false);  // in the world: not listed
    ListBasisStaff();
    ASSERT_EQ(BasisStaffList.size(), 4u);
    const std::array<std::uint16_t, 4> order = {1, 2, 3, 0};
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(BasisStaffList[i].person, order[i]);
}

std::vector<std::uint8_t> Opcodes(const Person& p) {
    std::vector<std::uint8_t> out;
    for (const Befehl* o = p.orders; o != nullptr; o = o->next) out.push_back(o->opcode);
    return out;
}

TEST_F(BasisStaff, StaffWalkTheirPathThroughTheStairsOrStraightFromTheHall) {
    alloc(20);
    InitBasisPaths(0);
    PlaceBasisStaff(0);
    PutPersonInFahrzeug(0);  // a medic in the staff room, path 0 of four points
    const Person& medic = Personen[0];
    EXPECT_EQ(Opcodes(medic), (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 1, 163, 0}));
    const Befehl* stairs = medic.orders->next->next->next->next->next->next;
    ASSERT_NE(stairs, nullptr);
    EXPECT_EQ(stairs->aInt(), 311);
    EXPECT_EQ(static_cast<std::int32_t>(stairs->d), -1);
    const std::size_t hall = kBasisStaffSmall.size() - 1;  // type 5 in the hall, path 5
    PutPersonInFahrzeug(static_cast<std::int16_t>(hall));
    EXPECT_EQ(Opcodes(Personen[hall]), (std::vector<std::uint8_t>{0, 0, 0, 0, 0}));
    Personen[1].link = 9;  // beyond the small station's paths: straight to the door
    PutPersonInFahrzeug(1);
    EXPECT_EQ(Opcodes(Personen[1]), (std::vector<std::uint8_t>{0, 1, 163, 0}));
    FreeBasisPaths();
}

TEST_F(BasisStaff, TheStairsTakeFortyNineTicksAndOnlyFromTheDoorFacingIn) {
    alloc(4);
    struct Case {
        std::uint8_t type;
        std::int16_t x;
        std::int8_t direction;
        bool passes;
    };
    for (const Case c : {Case{0, 311, 7, true}, Case{0, 312, 7, false}, Case{0, 311, 6, false},
                         Case{5, 311, 7, false}}) {
        SCOPED_TRACE(testing::Message() << int{c.type} << " " << c.x << " " << int{c.direction});
        RemoveBasisStaff();
        CreateBasisStaff(c.type, c.x, 151, static_cast<std::uint8_t>(c.direction), kStaffStand, 0,
                         kStoreyStaffRoom);
        Person& p = Personen[0];
        AppendBefehl(p, 163, 311, 151, 7, -1, 0);
        AppendBefehl(p, 0, 268, 318, 0, 0, 0);
        for (int tick = 1; tick < 49; ++tick) RunPersonBefehlEnterBasis(0);
        if (!c.passes) {
            EXPECT_EQ(p.orders, nullptr);
            EXPECT_EQ(p.storey, kStoreyStaffRoom);
            EXPECT_EQ(static_cast<int>(p.x), c.x);
            continue;
        }
        EXPECT_EQ(p.storey, kStoreyStairs);
        EXPECT_EQ(Opcodes(p).front(), 163);
        RunPersonBefehlEnterBasis(0);
        EXPECT_EQ(p.storey, kStoreyHall);
        EXPECT_EQ(Opcodes(p), std::vector<std::uint8_t>{0});
        EXPECT_EQ(p.x, 308.0F);
        EXPECT_EQ(p.y, 256.0F);
        EXPECT_EQ(p.direction, 7);
        EXPECT_EQ(p.moverFlags, 0);
    }
}

// A seated figure told to stand up plays ten frames, moving on the first seven, and then walks.
TEST_F(BasisStaff, StandingUpMovesOnTheFirstSevenFramesAndThenWalks) {
    alloc(8);
    InitBasisPaths(0);
    PersonTyp& typ = PersonTypen[0];
    const PersonTyp saved = typ;
    std::array<AnimSlot, 4> slots{};
    slots[3].frames = 10;
    typ.animCount = 4;
    for (auto& dir : typ.dirAnims) dir = slots.data();
    struct Case {
        std::uint8_t direction;
        float dx;
        float dy;
    };
    for (const Case c : {Case{1, 28.0F / 11, -49.0F / 11}, Case{3, 3.5F, 0},
                         Case{7, -14.0F / 11, 24.5F / 11}, Case{9, -3.5F, 0}, Case{5, 0, 0}}) {
        SCOPED_TRACE(int{c.direction});
        RemoveBasisStaff();
        CreateBasisStaff(0, 522, 281, c.direction, kStaffSit, 0, kStoreyStaffRoom);
        CreateBasisStaff(0, 100, 100, c.direction, kStaffSit, 0, kStoreyStaffRoom);  // not told
        Person& p = Personen[0];
        p.animate = 1;
        for (std::uint8_t frame = 0; frame < 9; ++frame) {
            p.frame = frame;
            StandUpBasisStaff();
        }
        EXPECT_NEAR(p.x, 522 + c.dx, 1e-3);
        EXPECT_NEAR(p.y, 281 + c.dy, 1e-3);
        EXPECT_EQ(p.anim, 3);
        EXPECT_EQ(p.orders, nullptr);
        p.frame = 9;
        StandUpBasisStaff();
        EXPECT_EQ(p.anim, 0);
        EXPECT_EQ(Opcodes(p).size(), 8u);
        EXPECT_EQ(Personen[1].x, 100.0F);
        EXPECT_EQ(Personen[1].anim, 3);
    }
    RemoveBasisStaff();
    typ = saved;
    FreeBasisPaths();
}

}  // namespace
}  // namespace kv
