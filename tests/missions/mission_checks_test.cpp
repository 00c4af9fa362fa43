// The predicates the missions' checks share: who stands in the mission's world, who still waits
// for help, and where the view's right edge lies.

#include <gtest/gtest.h>

#include <functional>

#include "core/mission_state.h"
#include "missions/mission_checks.h"
#include "movement/befehl.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"

namespace kv {
namespace {

class MissionChecks : public ::testing::Test {
  protected:
    void TearDown() override {
        Personen.clear();
        Fahrzeuge.clear();
    }
};

TEST_F(MissionChecks, APersonIsInTheWorldOnlyPresentOnTheMapOnAWorldStoreyAndNoDoorDouble) {
    const Befehl doorOrder{};
    struct Case {
        const char* what;
        std::function<void(Person&)> change;
        bool inWorld;
    };
    const Case cases[] = {
        {"standing on storey 2", [](Person& p) { p.storey = 2; }, true},
        {"a free slot", [](Person& p) { p.type = -1; }, false},
        {"not present", [](Person& p) { p.present = 0; }, false},
        {"in a vehicle", [](Person& p) { p.offMap = 1; }, false},
        {"base staff on storey -3", [](Person& p) { p.storey = -3; }, false},
        {"base staff on storey -5", [](Person& p) { p.storey = -5; }, false},
        {"a door double", [&](Person& p) { p.doorOrder = &doorOrder; }, false},
    };
    for (const Case& c : cases) {
        Person p;
        p.type = 1;
        p.x = 400;  // inside the world rectangle's numbers, as base staff stand too
        p.y = 300;
        c.change(p);
        EXPECT_EQ(PersonInWorld(p), c.inWorld) << c.what;
    }
}

TEST_F(MissionChecks, AVehicleIsInTheWorldOnlyPresentOnTheGroundAndOffTheCampaignMap) {
    struct Case {
        const char* what;
        std::function<void(Fahrzeug&)> change;
        bool inWorld;
    };
    const Case cases[] = {
        {"on the ground", [](Fahrzeug&) {}, true},
        {"a free slot", [](Fahrzeug& v) { v.type = -1; }, false},
        {"not present", [](Fahrzeug& v) { v.present = 0; }, false},
        {"on a base's storey", [](Fahrzeug& v) { v.storey = -3; }, false},
        {"still on a map road", [](Fahrzeug& v) { v.KarteWeg = 0; }, false},
    };
    for (const Case& c : cases) {
        Fahrzeug v;
        v.type = 2;
        c.change(v);
        EXPECT_EQ(FahrzeugInWorld(v), c.inWorld) << c.what;
    }
}

TEST_F(MissionChecks, ContaminationIsPendingWhileAPersonInUseCarriesIt) {
    Personen.resize(3);
    Personen[0].type = 1;
    Personen[2].contamination = 2;  // a free slot's leftover counts for nothing
    EXPECT_FALSE(ContaminationPending());
    Personen[1].type = 4;
    Personen[1].contamination = 1;
    EXPECT_TRUE(ContaminationPending());
}

TEST_F(MissionChecks, TheViewsRightEdgeIsTheScrollableWidthLessTheLastRowsShear) {
    const std::uint16_t height = MapHeight;
    const std::int16_t cols = ScrollCols;
    MapHeight = 36;
    ScrollCols = 61;
    EXPECT_EQ(ViewRightEdgeX(), 61 * 32 - 36 * 16);
    // Kept in 16 bits, as the level hooks compute it.
    ScrollCols = 1200;
    MapHeight = 10;
    EXPECT_EQ(ViewRightEdgeX(), static_cast<std::int16_t>(1200 * 32 - 160));
    MapHeight = height;
    ScrollCols = cols;
}

}  // namespace
}  // namespace kv
