// One person update of a full mission: 130 persons on open ground, 30 of them contaminated and
// spreading to their neighbours, every one working an idle order. The goal is below 0.1 ms a
// tick (the spread scans every person for every contaminated one).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

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
// Often enough that poisoned persons neither die nor spread to the whole crowd.
constexpr std::int64_t kRestoreEvery = 2048;

struct Start {
    std::int32_t energy;
    std::uint8_t contamination;
};

void BM_UpdatePersonen130(benchmark::State& state) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(KV_SAMPLEDATA_DIR);
    plainmap::PlainMap(40, 30);
    LoadPersonTyp(1);
    SeedRandom(130);
    PersonCount = kPersons;
    AllocPersonen();
    std::vector<Start> start;
    for (int n = 0; n < kPersons; ++n) {
        Person& p = Personen[static_cast<std::size_t>(n)];
        p.type = 1;
        p.x = 100 + kSpacing * static_cast<float>(n % kColumns);
        p.y = 100 + kSpacing * static_cast<float>(n / kColumns);
        ResetPerson(static_cast<std::int16_t>(n));
        // Every fourth of the first 120: 30 contaminated, spread through the crowd.
        p.contamination = n < 120 && n % 4 == 0 ? 1 : 0;
        AppendBefehl(p, kWait, 1 << 30, 0, 0, 0, 0);
        start.push_back({p.energy, p.contamination});
    }
    std::int64_t n = 0;
    for (auto _ : state) {
        UpdatePersonen();
        if (++n % kRestoreEvery == 0) {
            for (std::size_t i = 0; i < start.size(); ++i) {
                Personen[i].energy = start[i].energy;
                Personen[i].contamination = start[i].contamination;
                Personen[i].exposure = 0;
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * kPersons);
    ResetGameState();
    ResetProgramState();
    std::filesystem::current_path(previous);
}
BENCHMARK(BM_UpdatePersonen130)->Unit(benchmark::kMicrosecond);

}  // namespace
