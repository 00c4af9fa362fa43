#include "vehicles/move_fixture.h"

#include <gtest/gtest.h>

#include "core/mission_state.h"
#include "movement/collision.h"
#include "movement/move_step.h"
#include "movement/searching_movers.h"
#include "movement/stepping.h"
#include "persons/person_befehle.h"
#include "persons/person_types.h"
#include "vehicles/fahrzeug_befehle.h"
#include "world/level_map.h"
#include "world/terrain.h"
#include "world/terrain_fixture.h"

namespace kv::test {

std::vector<PlannerCall> MoveTest::findPathCalls;
std::vector<PlannerCall> MoveTest::planRouteCalls;
std::function<void(UnitHead&)> MoveTest::findPathStandIn;

namespace {

std::uint8_t RecordFindPath(UnitHead& unit, const UnitTypHead&) {
    MoveTest::findPathCalls.push_back({&unit, unit.orders != nullptr ? unit.orders->opcode : -1});
    if (MoveTest::findPathStandIn) MoveTest::findPathStandIn(unit);
    return 0;
}

std::uint8_t RecordPlanRoute(UnitHead& unit, const UnitTypHead&) {
    MoveTest::planRouteCalls.push_back({&unit, unit.orders != nullptr ? unit.orders->opcode : -1});
    return 0;
}

}  // namespace

void MoveTest::SetUp() {
    FahrzeugTest::SetUp();
    FreeLevelMap();
    ASSERT_TRUE(LoadLevelMap(1, 0));
    ASSERT_TRUE(LoadTerrain());
    SetWorldMaxFromMap();
    findPathCalls.clear();
    planRouteCalls.clear();
    findPathStandIn = nullptr;
    PlannerWatcher.findPath = RecordFindPath;
    PlannerWatcher.planRoute = RecordPlanRoute;
}

void MoveTest::TearDown() {
    findPathStandIn = nullptr;
    FahrzeugTest::TearDown();
}

void MoveTest::ClearUnits() {
    const std::int16_t persons = PersonCount;
    const std::int16_t vehicles = FahrzeugCount;
    FreeFahrzeuge();
    FreePersonen();
    PersonCount = persons;
    AllocPersonen();
    FahrzeugCount = vehicles;
    AllocFahrzeuge();
    // New slots may lie where the old ones did.
    findPathCalls.clear();
    planRouteCalls.clear();
}

std::int16_t MoveTest::Walker(int type, float x, float y, int direction) {
    LoadPersonTyp(static_cast<std::int16_t>(type));
    const std::int16_t i = FindFreePerson();
    if (i < 0) return i;
    Person& p = P(i);
    p.type = static_cast<std::int8_t>(type);
    p.x = x;
    p.y = y;
    p.direction = static_cast<std::int8_t>(direction);
    ResetPerson(i);
    UpdatePersonDrawPos(p);
    return i;
}

void MoveTest::Tick(int n) {
    for (int t = 0; t < n; ++t) {
        // As the mission tick does: the free path search's searchers are counted afresh.
        BeginSearcherTick();
        for (std::size_t i = 0; i < Fahrzeuge.size(); ++i)
            ExecuteFahrzeugBefehl(static_cast<std::int16_t>(i));
        for (std::size_t i = 0; i < Personen.size(); ++i)
            ExecutePersonBefehl(static_cast<std::int16_t>(i));
    }
}

bool MoveTest::TickUntilIdle(const UnitHead& unit, int n) {
    for (int t = 0; t < n && unit.orders != nullptr; ++t) Tick();
    return unit.orders == nullptr;
}

std::vector<int> MoveTest::Opcodes(const UnitHead& unit) {
    std::vector<int> ops;
    for (const Befehl* b = unit.orders; b != nullptr; b = b->next) ops.push_back(b->opcode);
    return ops;
}

int MoveTest::Calls(const std::vector<PlannerCall>& calls, const UnitHead& unit) {
    int n = 0;
    for (const PlannerCall& c : calls) n += c.unit == &unit ? 1 : 0;
    return n;
}

void MoveTest::SetMoving(UnitHead& unit, float speed) {
    unit.moverFlags |= kMoverSearching;
    unit.speed = speed;
}

bool MoveTest::PlaceBefore(UnitHead& unit, const UnitTypHead& type, float fromX, float toX,
                           std::uint16_t mode) {
    const float step = toX > fromX ? 1.0f : -1.0f;
    unit.direction = toX > fromX ? 3 : 9;
    const auto blocked = [&](float at) {
        return TestCollision(mode, unit, type, at, unit.y,
                             static_cast<std::uint8_t>(unit.direction), unit.storey,
                             static_cast<std::uint8_t>(unit.anim), nullptr) != 0;
    };
    for (float x = fromX; (x - toX) * step < 0; x += step) {
        if (blocked(x)) return false;
        if (blocked(x + step)) {
            unit.x = x;
            ResetMoveTarget(unit);
            return true;
        }
    }
    return false;
}

}  // namespace kv::test
