// The draw list of a crowded frame: mission 1 on the sample data with 60 vehicles and 90 persons
// in the view, 10 of them selected, two cannons and two hoses spraying, 20 special objects and a
// few furniture pieces. Only BuildDrawList is timed; entries is the list's length, jet_entries
// the part of it that the four jets take.

#include <benchmark/benchmark.h>

#include "crowded_view.h"
#include "headless_mission.h"
#include "mission/view/draw_list.h"

namespace {

void BM_BuildDrawList(benchmark::State& state) {
    const kv::bench::HeadlessMission mission(kv::bench::MakeRoomForCrowd);
    if (!mission.started() || !kv::bench::PlaceCrowdInView() ||
        !kv::bench::PlaceObjectsAndFurnitureInView()) {
        state.SkipWithError("mission 1 did not start with its crowd");
        return;
    }
    for (auto _ : state) {
        kv::BuildDrawList();
        benchmark::DoNotOptimize(kv::DrawList.data());
    }
    state.counters["entries"] = kv::DrawListCount;
    int jetEntries = 0;
    for (int i = 0; i < kv::DrawListCount; ++i)
        jetEntries += kv::DrawList[static_cast<std::size_t>(i)].id >= kv::kDrawFahrzeugJet ? 1 : 0;
    state.counters["jet_entries"] = jetEntries;
}
BENCHMARK(BM_BuildDrawList)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(3000)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
