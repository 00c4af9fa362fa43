// One simulation tick of mission 1 on the sample data, nothing moving: the cost every frame pays
// before any unit does anything. Each run starts the mission afresh and times its first 1,000
// ticks, so that every run times the same ticks (the mission's own traffic and fires go on).

#include <benchmark/benchmark.h>

#include "headless_mission.h"
#include "mission/mission_tick.h"

namespace {

void BM_IdleMissionTick(benchmark::State& state) {
    const kv::bench::HeadlessMission mission;
    if (!mission.started()) {
        state.SkipWithError("mission 1 did not start");
        return;
    }
    for (auto _ : state) kv::RunGameTicks(0);
    state.counters["ticks"] = static_cast<double>(state.iterations());
}
BENCHMARK(BM_IdleMissionTick)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(1000)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
