// One simulation tick of mission 1 on the sample data, nothing moving: the cost every frame pays
// before any unit does anything.

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
}
BENCHMARK(BM_IdleMissionTick)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
