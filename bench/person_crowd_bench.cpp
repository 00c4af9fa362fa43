// A crowd's person update: on a plain map large enough for every fight meeting point, 60 fighters
// of the two clubs who pair up and fight, 60 onlookers drifting back to three targets, and 10
// throwers among 40 parked cars, over 2,000 seeded ticks from the start. Each iteration is one
// tick; median_tick_us, max_tick_us and first_tick_us are the median, the slowest and the first
// tick of a run, fights the fights ended and thrown the bottles thrown, each taken off after its
// tick.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <vector>

#include "core/cd_path.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/game_state.h"
#include "movement/searching_movers.h"
#include "persons/gaffer.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_types.h"
#include "persons/person_update.h"
#include "persons/personen.h"
#include "plain_map.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace {

using namespace kv;

constexpr int kTicks = 2000;
constexpr int kFighters = 60;
constexpr int kOnlookers = 60;
constexpr int kThrowers = 10;
constexpr int kCars = 40;
constexpr std::array<std::int16_t, 4> kCarTypes = {36, 37, 40, 43};
struct Target {
    std::uint16_t x;
    std::uint16_t y;
    std::uint16_t radius;
};
constexpr std::array<Target, 3> kTargets = {{{460, 1200, 40}, {740, 1200, 40}, {1300, 1100, 40}}};

// The crowd, from the start: the cars in four rows in the north, a thrower beside every fourth,
// the fighters spread below the fight line, the onlookers in rings around their targets.
bool SetUpCrowd() {
    ResetGameState();
    ResetProgramState();
    plainmap::PlainMap(80, 56);
    MissionNummer = 1;
    SeedRandom(2000);
    SonderObjTypCount = kCommonSonderObjTypen;
    SonderObjCount = 0;
    AllocSonderObj();
    FahrzeugCount = kCars;
    AllocFahrzeuge();
    for (int n = 0; n < kCars; ++n) {
        const std::int16_t type = kCarTypes[static_cast<std::size_t>(n) % kCarTypes.size()];
        LoadFahrzeugTyp(type);
        const std::int16_t v = CreateFahrzeug(type, static_cast<std::int16_t>(150 + 130 * (n % 10)),
                                              static_cast<std::int16_t>(150 + 150 * (n / 10)), 3);
        if (v < 0) return false;
        SetupFahrzeug(v, Fahrzeuge[static_cast<std::size_t>(v)].controlFlags);
    }
    PersonCount = kFighters + kOnlookers + kThrowers;
    AllocPersonen();
    for (const std::int16_t type : {0, 27, 28, 32, 41, 43}) LoadPersonTyp(type);
    GafferZielCount = kTargets.size();
    AllocGafferZiele();
    for (std::size_t t = 0; t < kTargets.size(); ++t)
        SetGafferZiel(static_cast<std::int16_t>(t), kTargets[t].x, kTargets[t].y,
                      kTargets[t].radius);
    for (int n = 0; n < kThrowers; ++n)
        if (CreatePersonAt(static_cast<std::int16_t>(150 + 130 * (n % 10) + 40),
                           static_cast<std::int16_t>(150 + 150 * (n % 4) + 60), 0, 0) < 0)
            return false;
    for (int n = 0; n < kFighters; ++n)
        if (CreateScriptPerson(n % 2 == 0 ? 41 : 43, static_cast<std::int16_t>(300 + 90 * (n % 12)),
                               static_cast<std::int16_t>(900 + 110 * (n / 12)), 0, 0) < 0)
            return false;
    for (int n = 0; n < kOnlookers; ++n) {
        const Target& t = kTargets[static_cast<std::size_t>(n) % kTargets.size()];
        const int ring = n / static_cast<int>(kTargets.size());
        const std::int16_t x = static_cast<std::int16_t>(t.x - 100 + 10 * ring);
        const std::int16_t y = static_cast<std::int16_t>(t.y - 100 + (ring % 2) * 200);
        if (CreateGaffer(static_cast<std::int8_t>(27 + n % 2), x, y, 0, 0, 0) < 0) return false;
    }
    return true;
}

// The bottles thrown this tick, taken off again: their flight is the special objects' update,
// not the persons'.
int TakeThrown() {
    int thrown = 0;
    for (std::size_t i = 0; i < SonderObjs.size(); ++i) {
        if (SonderObjs[i].type != kSobjMolotow) continue;
        FreeSonderObjSlot(static_cast<int>(i));
        ++thrown;
    }
    return thrown;
}

void BM_PersonCrowd(benchmark::State& state) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(KV_SAMPLEDATA_DIR);
    CdPath.clear();
    if (!SetUpCrowd()) {
        state.SkipWithError("the crowd did not fit the map");
        std::filesystem::current_path(previous);
        return;
    }
    std::vector<double> took;
    took.reserve(kTicks);
    int thrown = 0;
    for (auto _ : state) {
        BeginSearcherTick();
        const auto start = std::chrono::steady_clock::now();
        UpdatePersonen();
        const std::chrono::duration<double> tick = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(tick.count());
        took.push_back(tick.count());
        thrown += TakeThrown();
    }
    std::vector<double> sorted = took;
    std::sort(sorted.begin(), sorted.end());
    state.counters["median_tick_us"] = sorted.empty() ? 0 : sorted[sorted.size() / 2] * 1e6;
    state.counters["max_tick_us"] = sorted.empty() ? 0 : sorted.back() * 1e6;
    // The first tick pairs every fighter at once and starts all their walks.
    state.counters["first_tick_us"] = took.empty() ? 0 : took.front() * 1e6;
    state.counters["fights"] = VerletzteCount;
    state.counters["thrown"] = thrown;
    ResetGameState();
    ResetProgramState();
    std::filesystem::current_path(previous);
}
BENCHMARK(BM_PersonCrowd)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Iterations(kTicks)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
