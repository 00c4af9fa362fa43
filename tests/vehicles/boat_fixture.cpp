#include "vehicles/boat_fixture.h"

#include <gtest/gtest.h>

#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/selection.h"
#include "mission/selection.h"
#include "movement/befehl_queue.h"

namespace kv::test {

void InitShoreBootPunkte() {
    BootPunktCount = 2;
    AllocBootPunkte();
    for (const BootPunkt& b : {kShorePoint, kIdlePoint})
        AddBootPunkt(b.x, b.y, b.facing, b.dx, b.dy, b.ex, b.ey, b.active);
}

void BoatTest::SetUp() {
    MoveTest::SetUp();
    MissionHookRows[0].InitBootPunkte = InitShoreBootPunkte;
    ASSERT_TRUE(InitBootPunkte(1));
    SetUpdateSelectionModeHook(RecomputeSelectionMode);
}

void BoatTest::TearDown() {
    FreeBootPunkte();
    MoveTest::TearDown();
}

std::int16_t BoatTest::Put(std::int32_t type, float x, float y, std::int32_t facing) {
    const std::int16_t v = Make(type, kOwnerBought, 0, 0, facing);
    if (v < 0) return v;
    V(v).x = x;
    V(v).y = y;
    V(v).targetable = 1;
    V(v).selectable = 1;
    UpdateFahrzeugDrawPos(V(v));
    return v;
}

void BoatTest::Select(std::int16_t vehicle) {
    V(vehicle).selected = 1;
    RecomputeSelectionMode();
}

void BoatTest::Order(std::int16_t vehicle, std::uint8_t opcode, std::int32_t a) {
    DiscardBefehle(V(vehicle));
    AppendBefehl(V(vehicle), opcode, a, 0, 0, 0, 1);
}

}  // namespace kv::test
