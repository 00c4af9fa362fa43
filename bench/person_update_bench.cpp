// One person update of a full mission: 130 persons on open ground, 30 of them contaminated and
// spreading to their neighbours, every one working an idle order. Each run times the first 2,048
// ticks from that start, so that every run times the same work. The goal is below 0.1 ms a tick
// (the spread scans every person for every contaminated one).

#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/mission_state.h"
#include "core/random.h"
#include "mission/game_state.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/person_update.h"
#include "persons/personen.h"
#include "plain_map.h"

namespace {

using namespace kv;

constexpr int kPersons = 130;
constexpr int kColumns = 13;
constexpr float kSpacing = 40;  // each sees its grid neighbours within 80 px
constexpr std::uint8_t kWait = 7;
// Few enough that the poisoned neither die nor spread to the whole crowd.
constexpr std::int64_t kTicks = 2048;

void BM_UpdatePersonen130(benchmark::State& state) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(KV_SAMPLEDATA_DIR);
    plainmap::PlainMap(40, 30);
    LoadPersonTyp(1);
    SeedRandom(130);
    PersonCount = kPersons;
    AllocPersonen();
    int contaminated = 0;
    for (int n = 0; n < kPersons; ++n) {
        Person& p = Personen[static_cast<std::size_t>(n)];
        p.type = 1;
        p.x = 100 + kSpacing * static_cast<float>(n % kColumns);
        p.y = 100 + kSpacing * static_cast<float>(n / kColumns);
        ResetPerson(static_cast<std::int16_t>(n));
        // Every fourth of the first 120: 30 contaminated, spread through the crowd.
        p.contamination = n < 120 && n % 4 == 0 ? 1 : 0;
        AppendBefehl(p, kWait, 1 << 30, 0, 0, 0, 0);
        contaminated += p.contamination;
    }
    for (auto _ : state) UpdatePersonen();
    state.SetItemsProcessed(state.iterations() * kPersons);
    state.counters["persons"] = kPersons;
    state.counters["contaminated"] = contaminated;
    state.counters["ticks"] = static_cast<double>(state.iterations());
    ResetGameState();
    ResetProgramState();
    std::filesystem::current_path(previous);
}
BENCHMARK(BM_UpdatePersonen130)->Iterations(kTicks)->Unit(benchmark::kMicrosecond);

}  // namespace
