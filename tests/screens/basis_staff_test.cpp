// The stations' staff figures: created afresh per station, listed far to near, removed whole.

#include "screens/basis_staff.h"

#include <gtest/gtest.h>

#include "persons/person.h"
#include "persons/personen.h"
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
        PlaceBasisStaff(station);  // the figures of before are gone
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

}  // namespace
}  // namespace kv
