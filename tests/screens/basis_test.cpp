// The bases of a mission and the stations' fixed tables.

#include "screens/basis.h"

#include <gtest/gtest.h>

#include "core/mission_state.h"
#include "screens/basis_staff_table.h"
#include "vehicles/fahrzeug_typ_table.h"

namespace kv {
namespace {

TEST(Basen, InitFillsEveryBaseAndMovesTheShipBaseOnlyInMissionThirty) {
    struct Case {
        std::uint8_t mission;
        std::int16_t schiffX;
    };
    for (const Case c : {Case{1, 490}, Case{29, 490}, Case{30, 520}}) {
        SCOPED_TRACE(int{c.mission});
        MissionNummer = c.mission;
        InitBasen();
        EXPECT_EQ(Basen[kSchiffBasisIndex].x, c.schiffX);
        EXPECT_EQ(Basen[kSchiffBasisIndex].y, 545);
        const Basis& small = Basen[0];
        EXPECT_EQ(small.type, kBasisSmall);
        EXPECT_EQ(small.maskX, 174);
        EXPECT_EQ(small.exitY, 270);
        ASSERT_EQ(small.placeCount, 7);
        const std::array<BasisPlace, 7> places = {{{kTypF301, 215, 270, 3},
                                                   {kTypF104, 180, 325, 3},
                                                   {kTypF201, 165, 370, 3},
                                                   {kTypF110, 390, 260, 9},
                                                   {kTypF106, 370, 300, 9},
                                                   {kTypF103, 345, 340, 9},
                                                   {kTypF202, 325, 370, 9}}};
        for (std::size_t i = 0; i < places.size(); ++i) {
            EXPECT_EQ(small.places[i].type, places[i].type) << i;
            EXPECT_EQ(small.places[i].x, places[i].x) << i;
            EXPECT_EQ(small.places[i].y, places[i].y) << i;
            EXPECT_EQ(small.places[i].facing, places[i].facing) << i;
        }
        EXPECT_EQ(Basen[3].placeCount, 1);
        EXPECT_EQ(Basen[3].places[0].type, kTypF203);
        EXPECT_EQ(Basen[4].placeCount, 0);
    }
    FreeBasen();
    for (const Basis& b : Basen) EXPECT_EQ(b.placeCount, 0);
}

// The places sell player vehicles only, drawn to the left or right; every figure's path exists
// and leads somewhere; the staff room holds only figures that know a way down the stairs.
TEST(Basen, TheStationTablesHoldTogether) {
    for (const Basis& b : kBasisPlates) {
        ASSERT_LE(b.placeCount, kMaxBasisPlaces);
        for (std::size_t i = 0; i < b.placeCount; ++i) {
            EXPECT_GE(b.places[i].type, 0);
            EXPECT_LT(b.places[i].type, kPlayerFahrzeugTypCount);
            EXPECT_TRUE(b.places[i].facing == 3 || b.places[i].facing == 9);
        }
    }
    const std::array<std::size_t, 3> staffCounts = {15, 14, 14};
    for (std::size_t station = 0; station < 3; ++station) {
        SCOPED_TRACE(station);
        EXPECT_EQ(kBasisStaff[station].size(), staffCounts[station]);
        const BasisPathSet& paths = kBasisPaths[station];
        for (const BasisStaffRow& row : kBasisStaff[station]) {
            ASSERT_LT(row.path, paths.count);
            EXPECT_GT(paths.paths[row.path].count, 0);
            EXPECT_TRUE(row.pose == kStaffSit || row.pose == kStaffStand);
            if (row.storey == kStoreyStaffRoom)
                EXPECT_LT(row.type, kBasisDoorTypes);
            else
                EXPECT_EQ(row.storey, kStoreyHall);
        }
        EXPECT_EQ(paths.paths[6].count, 0);
    }
}

}  // namespace
}  // namespace kv
