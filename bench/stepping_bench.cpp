// Planning a unit's next 24 steps, as every moving unit does each tick when its ring has run dry:
// on mission 1's generated map, for a vehicle that turns towards its target while it drives and
// for a walking person. The goal is at most 3 us a ring (about 120 ns a step), so that 150 moving
// units topping up their rings cost under 20 us a tick.

#include <benchmark/benchmark.h>

#include "bench_world.h"
#include "core/unit_head.h"
#include "movement/befehl.h"
#include "movement/stepping.h"
#include "movement/unit_type.h"
#include "path_world.h"

namespace {

using namespace kv;
using bench::kPersonMoveClass;
using bench::LoadMissionOne;
using pathworld::WorldTyp;

// The steps an emptied ring is planned full with.
constexpr int kRingSteps = 24;

// A unit of the type standing at (x, y) facing direction, sent to the target; each iteration
// empties its ring and plans it full again.
struct Mover {
    float x, y;
    std::int8_t direction;
    std::int8_t anim;
    float targetX, targetY;
};

void RunRing(benchmark::State& state, const WorldTyp& typ, const Mover& m) {
    if (!LoadMissionOne()) {
        state.SkipWithError("the sample data's mission 1 did not load");
        return;
    }
    UnitHead unit;
    unit.type = 0;
    unit.x = m.x;
    unit.y = m.y;
    unit.direction = m.direction;
    unit.anim = m.anim;
    unit.speed = typ.head.speed;
    Befehl order;
    order.opcode = 0;
    order.setA(m.targetX);
    order.setB(m.targetY);
    unit.orders = &order;
    for (auto _ : state) {
        ResetMoveTarget(unit);
        FillStepRing(unit, typ.head);
        benchmark::DoNotOptimize(unit.stepRing.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kRingSteps);
    state.counters["steps"] = kRingSteps;
}

// A fire engine on the meadow south of the road, facing north, sent far to the south-east: it
// turns on every step for the first few, driving on as it turns.
void BM_FillStepRingTurningVehicle(benchmark::State& state) {
    const WorldTyp engine(kPlayerVehicleUnitClass, 5, 0, 20, 30, 0);
    RunRing(state, engine, {1300, 700, 0, 0, 1700, 950});
}
BENCHMARK(BM_FillStepRingTurningVehicle);

// A fire-fighter walking west along the road's edge.
void BM_FillStepRingWalkingPerson(benchmark::State& state) {
    const WorldTyp walker(kPersonUnitClass, 2, kPersonMoveClass, 6, 18, 0);
    RunRing(state, walker, {1200, 470, 9, 1, 300, 440});
}
BENCHMARK(BM_FillStepRingWalkingPerson);

}  // namespace
