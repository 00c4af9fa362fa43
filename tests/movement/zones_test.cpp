// Zones: the saved record, the mission's set-up, occupancy and full zones.

#include "movement/zones.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/fatal_error.h"
#include "core/mission_hooks.h"
#include "movement/unit_fixture.h"
#include "platform/bytes.h"
#include "support/record_offsets.h"

namespace kv {
namespace {

TEST(ZoneRecord, SavedLayout) {
    test::ExpectLayout<Zone>(
        12, {{"x1", 0}, {"y1", 2}, {"x2", 4}, {"y2", 6}, {"capacity", 8}, {"occupants", 10}});
    // Typed by hand: a zone of capacity 1 with its one occupant.
    const std::vector<std::uint8_t> bytes = {0x35, 0x0D, 0x86, 0x01, 0x66, 0x0D,
                                             0xDF, 0x01, 0x01, 0x00, 0x01, 0x00};
    ByteReader in(bytes);
    const Zone z = ReadRecord<Zone>(in);
    EXPECT_EQ(z.x1, 3381);
    EXPECT_EQ(z.y1, 390);
    EXPECT_EQ(z.x2, 3430);
    EXPECT_EQ(z.y2, 479);
    EXPECT_EQ(z.capacity, 1);
    EXPECT_EQ(z.occupants, 1);
    ByteWriter out;
    WriteRecord(out, z);
    EXPECT_EQ(out.data(), bytes);
}

void TwoZonesHook() {
    ZoneCount = 2;
    AllocZones();
    SetZone(0, 3381, 390, 3430, 479, 1);
    SetZone(1, 3374, 585, 3430, 675, 1);
    SetZone(2, 1, 1, 2, 2, 9);  // past the list
}

class ZoneTest : public test::UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        walker_.setBox(5, 10, {0, 0, 10, 10});  // footprint x - 5 .. x + 5, y - 10 .. y
        installPersonTyp(1, walker_);
        installFahrzeugTyp(0, car_);
        for (UnitHead& p : persons) p.type = 1;
        for (UnitHead& v : vehicles) v.type = 0;
    }
    static void Place(UnitHead& u, float x, float y) {
        u.x = x;
        u.y = y;
    }
    test::TestUnitTyp walker_{kPersonUnitClass, 2, 0};
    test::TestUnitTyp car_{kPlayerVehicleUnitClass, 5, 0};
};

TEST_F(ZoneTest, TheMissionSetsThemUp) {
    MissionHookRows[10].InitZones = &TwoZonesHook;
    ResetZones(11);
    ASSERT_EQ(ZoneCount, 2);
    ASSERT_EQ(Zones.size(), 2u);
    EXPECT_EQ(Zones[1].y1, 585);
    EXPECT_EQ(Zones[1].capacity, 1);
    EXPECT_EQ(Zones[1].occupants, 0);

    ResetZones(1);  // a mission without zones
    EXPECT_EQ(ZoneCount, 0);
    EXPECT_TRUE(Zones.empty());
    EXPECT_FALSE(FatalErrorRaised());
}

TEST_F(ZoneTest, OccupancyFollowsTheFootprint) {
    ZoneCount = 3;
    AllocZones();
    SetZone(0, 100, 100, 200, 200, 5);
    SetZone(1, 150, 100, 300, 200, 5);  // overlaps zone 0 from x 150
    SetZone(2, 400, 100, 500, 200, 5);
    UnitHead& p = persons[0];
    struct Step {
        float x, y;
        std::int16_t zone;
        std::array<std::uint16_t, 3> occupants;
        const char* what;
    };
    const Step steps[] = {
        {195, 200, 0, {1, 0, 0}, "right and bottom edges touch from inside"},
        {196, 200, 1, {0, 1, 0}, "one pixel beyond zone 0 but inside zone 1"},
        {160, 150, 0, {1, 0, 0}, "inside both: the lower index"},
        {160, 201, -1, {0, 0, 0}, "left every zone"},
        {105, 110, 0, {1, 0, 0}, "left and top edges touch from inside"},
        {104, 110, -1, {0, 0, 0}, "one pixel out on the left"},
    };
    for (const Step& s : steps) {
        Place(p, s.x, s.y);
        UpdateZoneOccupancy(kZoneKindPerson, 0);
        EXPECT_EQ(p.zone, s.zone) << s.what;
        for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(Zones[i].occupants, s.occupants[i]) << s.what;
    }

    // Vehicles count through either vehicle kind; other kinds and indices change nothing.
    Place(vehicles[1], 450, 150);
    UpdateZoneOccupancy(kZoneKindCivilVehicle, 1);
    EXPECT_EQ(vehicles[1].zone, 2);
    Place(persons[1], 450, 150);
    UpdateZoneOccupancy(3, 1);
    UpdateZoneOccupancy(kZoneKindPerson, 17);
    EXPECT_EQ(persons[1].zone, -1);
    EXPECT_EQ(Zones[2].occupants, 1);
}

TEST_F(ZoneTest, DamagedCountsStayInRange) {
    ZoneCount = 1;
    AllocZones();
    SetZone(0, 0, 0, 100, 100, 2);
    UnitHead& p = persons[0];
    // A stored zone index outside the list counts as none.
    p.zone = 7;
    Place(p, 50, 50);
    UpdateZoneOccupancy(kZoneKindPerson, 0);
    EXPECT_EQ(p.zone, 0);
    EXPECT_EQ(Zones[0].occupants, 1);
    // An occupant count already at 0 stays there when a unit leaves.
    Zones[0].occupants = 0;
    Place(p, 500, 500);
    UpdateZoneOccupancy(kZoneKindPerson, 0);
    EXPECT_EQ(p.zone, -1);
    EXPECT_EQ(Zones[0].occupants, 0);
}

TEST_F(ZoneTest, FullZones) {
    ZoneCount = 3;
    AllocZones();
    SetZone(0, 0, 0, 50, 50, 1);
    SetZone(1, 100, 0, 150, 50, 0);  // full from the start
    SetZone(2, 120, 0, 200, 50, 0);
    std::uint16_t index = 0;
    EXPECT_FALSE(FindFullZone({10, 10, 20, 20}, index));
    EXPECT_EQ(index, 0xFFFF);
    EXPECT_TRUE(FindFullZone({140, 10, 160, 20}, index)) << "overlapping two full zones";
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(FindFullZone({150, 50, 170, 60}, index)) << "touching edges overlap";
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(FindFullZone({160, 10, 170, 20}, index));
    EXPECT_EQ(index, 2);

    Place(persons[0], 25, 25);
    UpdateZoneOccupancy(kZoneKindPerson, 0);
    EXPECT_TRUE(FindFullZone({10, 10, 20, 20}, index));
    EXPECT_EQ(index, 0);

    FreeZones();
    EXPECT_EQ(ZoneCount, 0);
    EXPECT_FALSE(FindFullZone({10, 10, 20, 20}, index));
}

}  // namespace
}  // namespace kv
