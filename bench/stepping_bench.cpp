// Planning a unit's next 24 steps, as every moving unit does each tick when its ring has run dry:
// on mission 1's generated map, for a vehicle that turns towards its target while it drives and
// for a walking person. The goal is at most 3 us a ring (about 120 ns a step), so that 150 moving
// units topping up their rings cost under 20 us a tick.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "core/cd_path.h"
#include "core/mission_state.h"
#include "core/unit_head.h"
#include "movement/befehl.h"
#include "movement/stepping.h"
#include "movement/unit_type.h"
#include "world/level_map.h"
#include "world/terrain.h"

namespace {

using namespace kv;

constexpr int kPersonMoveClass = 16;  // the walking class of the sample terrain table

// Mission 1's level and terrain from the generated sample data, loaded once.
bool LoadMissionOne() {
    static const bool loaded = [] {
        const std::filesystem::path dir = KV_SAMPLEDATA_DIR;
        const std::filesystem::path previous = std::filesystem::current_path();
        std::filesystem::current_path(dir);
        CdPath = dir.string() + "/";
        const bool ok = LoadLevelMap(1, 0) && LoadTerrain();
        std::filesystem::current_path(previous);
        WorldMaxX = static_cast<std::uint16_t>(kCellWidth * MapWidth - 16 * MapHeight - 1);
        WorldMaxY = static_cast<std::uint16_t>(kCellHeight * MapHeight - 1);
        return ok;
    }();
    return loaded;
}

// A type whose two animations have one footprint box in every direction.
struct BenchTyp {
    BenchTyp(std::uint8_t unitClass, float speed, std::uint8_t moveClass, std::int16_t halfWidth,
             std::int16_t height) {
        const AnimSlot slot{
            1,      1, halfWidth, height, {0, 0, static_cast<std::int16_t>(2 * halfWidth), height},
            nullptr};
        slots.fill(slot);
        head.dirAnims.fill(slots.data());
        head.animCount = 2;
        head.unitClass = unitClass;
        head.speed = speed;
        head.terrainColumn = moveClass;
    }
    std::array<AnimSlot, 2> slots{};
    UnitTypHead head{};
};

void RunRing(benchmark::State& state, UnitHead& unit, const UnitTypHead& typ) {
    if (!LoadMissionOne()) {
        state.SkipWithError("the sample data's mission 1 did not load");
        return;
    }
    for (auto _ : state) {
        ResetMoveTarget(unit);
        FillStepRing(unit, typ);
        benchmark::DoNotOptimize(unit.stepRing.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 24);
}

// A fire engine on the meadow south of the road, facing north, sent far to the south-east: it
// turns on every step for the first few, driving on as it turns.
void BM_FillStepRingTurningVehicle(benchmark::State& state) {
    BenchTyp engine(kPlayerVehicleUnitClass, 5, 0, 20, 30);
    UnitHead unit;
    unit.type = 0;
    unit.x = 1300;
    unit.y = 700;
    unit.direction = 0;
    unit.speed = 5;
    Befehl order;
    order.opcode = 0;
    order.setA(1700.0f);
    order.setB(950.0f);
    unit.orders = &order;
    RunRing(state, unit, engine.head);
}
BENCHMARK(BM_FillStepRingTurningVehicle);

// A fire-fighter walking west along the road's edge.
void BM_FillStepRingWalkingPerson(benchmark::State& state) {
    BenchTyp walker(kPersonUnitClass, 2, kPersonMoveClass, 6, 18);
    UnitHead unit;
    unit.type = 1;
    unit.x = 1200;
    unit.y = 470;
    unit.direction = 9;
    unit.anim = 1;
    unit.speed = 2;
    Befehl order;
    order.opcode = 0;
    order.setA(300.0f);
    order.setB(440.0f);
    unit.orders = &order;
    RunRing(state, unit, walker.head);
}
BENCHMARK(BM_FillStepRingWalkingPerson);

}  // namespace
