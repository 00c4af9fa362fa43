// A helicopter sent home over mission 11's flooded valley, where the helicopters waiting by the
// road's entry hover in its way to the exit: it still leaves the map, and its patient with it.

#include <gtest/gtest.h>

#include "core/mission_points.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/move_step.h"
#include "persons/person_types.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/move_fixture.h"
#include "world/level_map.h"
#include "world/terrain_fixture.h"

namespace kv {
namespace {

using HelicopterHome = test::MoveTest;

TEST_F(HelicopterHome, OneSentHomePastOthersHoveringByTheExitLeavesWithItsPatient) {
    FreeLevelMap();
    ASSERT_TRUE(LoadLevelMap(11, 1));
    test::SetWorldMaxFromMap();
    RoadExit = {-150, 927, kEdgeLeft};
    PlannerWatcher.findPath = nullptr;  // the real free path search
    // Where the play left them: one over the road's entry, two more at the map's west edge.
    for (const auto& [x, y] : {std::pair{150, 977}, {19, 977}, {12, 1083}})
        Make(kTypF203, 1, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 9);
    const std::int16_t heli = Make(kTypF203, 1, 3205, 389, 9);
    ASSERT_EQ(V(heli).storey, kLayerHelicopter);
    const std::int16_t patient = Walker(0, 0, 0);
    const std::int16_t team = Walker(kPersonTypStretcherTeam, 0, 0);
    ASSERT_GE(team, 0);
    P(patient).casualty = 1;
    P(patient).offMap = 1;
    P(patient).energy = 400000;
    P(team).offMap = 1;
    P(team).link = patient;
    V(heli).seats.assign(V(heli).seats.size(), kNoPerson);
    V(heli).seats[0] = static_cast<std::uint16_t>(team);

    SetBefehl(V(heli), FahrzeugTypOf(V(heli)), kOpMove, -1, RoadExit.x, RoadExit.y, 0, 0, 1);
    AppendBefehl(V(heli), kOpLeaveMap, 0, 0, 0, 0, 1);
    for (int t = 0; t < 3000 && UsedFahrzeugAt(heli) != nullptr; ++t) Tick();
    ASSERT_EQ(UsedFahrzeugAt(heli), nullptr)
        << "stopped at " << V(heli).x << ", " << V(heli).y << " queue "
        << (V(heli).orders != nullptr ? V(heli).orders->opcode : -1);
    EXPECT_EQ(P(patient).type, -1);
    EXPECT_EQ(P(team).type, -1);
}

}  // namespace
}  // namespace kv
