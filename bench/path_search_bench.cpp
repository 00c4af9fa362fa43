// The free path search on the large map (path_world.h): 190 x 120 cells with 60 houses, a river
// with two bridges, 60 parked vehicles, 200 standing persons and 100 objects; the goals lie 200
// to 1,500 px away where the straight way is blocked.
//
// Each benchmark times a fixed workload: the tick benchmarks the first 1,000 ticks of their
// searchers from the same start, the complete search each of its 200 trips once, the others the
// same search every iteration.
//
// Goals:
// - BM_PathSearchTick/25: 20 persons and 5 vehicles share the 45 expansions of a tick; median
//   under 200 us a tick, the slowest tick (counter max_tick, in us) under 1 ms.
// - BM_PathSearchTick/100: 100 searchers, one expansion each; median under 450 us a tick.
// - BM_PathSearchComplete: 4,000 complete person searches a second or more (counter: the
//   expansions a search takes).
// - BM_PathSearchLongRun: a person's straight run across the whole map under 250 us.
// - BM_PathSearchNodeLimit: a search that ends at the node limit under 2 ms in all.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "core/mission_state.h"
#include "core/random.h"
#include "core/unit_head.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/path_search.h"
#include "movement/searching_movers.h"
#include "movement/stepping.h"
#include "path_world.h"
#include "world/level_map.h"

namespace {

using namespace kv;
using pathworld::PathWorld;
using pathworld::Trip;
using pathworld::WorldUnit;

constexpr int kTripsPerKind = 200;
constexpr int kSearchTicks = 1000;

struct Searcher {
    WorldUnit* unit = nullptr;
    const UnitTypHead* type = nullptr;
    const std::vector<Trip>* trips = nullptr;
    std::size_t next = 0;
};

std::vector<Trip> MakeTrips(PathWorld& world, const UnitTypHead& type) {
    std::vector<Trip> trips;
    for (int i = 0; i < kTripsPerKind; ++i)
        trips.push_back(pathworld::RandomTrip(world, type, 200, 1500));
    return trips;
}

// Puts the unit at the start of its next trip with a fresh move order.
void Restart(Searcher& s) {
    const Trip& t = (*s.trips)[s.next++ % s.trips->size()];
    WorldUnit& u = *s.unit;
    DiscardBefehle(u);
    u.moverFlags = 0;
    u.x = t.fromX;
    u.y = t.fromY;
    const AnimSlot& slot = UnitAnimSlot(*s.type, u.direction, u.anim);
    u.drawX = static_cast<std::int16_t>(static_cast<int>(u.x) - slot.hotX);
    u.drawY = static_cast<std::int16_t>(static_cast<int>(u.y) - slot.hotY);
    AppendMoveBefehl(u, 0, t.toX, t.toY, 0, 0, 0);
}

void BM_PathSearchTick(benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    auto world = pathworld::BuildLargeMap(23);
    SeedRandom(5);
    const std::vector<Trip> personTrips = MakeTrips(*world, world->personTyp.head);
    const std::vector<Trip> vehicleTrips = MakeTrips(*world, world->vehicleTyp.head);
    std::vector<Searcher> searchers;
    const int vehicles = count / 5;
    for (int i = 0; i < count; ++i) {
        Searcher s;
        const bool vehicle = i < vehicles;
        s.unit = vehicle ? &world->addVehicle(0, 0, 3) : &world->addPerson(0, 0, 3);
        s.type = vehicle ? &world->vehicleTyp.head : &world->personTyp.head;
        s.trips = vehicle ? &vehicleTrips : &personTrips;
        s.next = static_cast<std::size_t>(i);
        Restart(s);
        searchers.push_back(s);
    }
    double slowest = 0;
    std::int64_t finished = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        BeginSearcherTick();
        for (Searcher& s : searchers) {
            const std::uint8_t r = FindPath(*s.unit, *s.type);
            if (r == 1 || (s.unit->moverFlags & kMoverPathSearch) == 0) {
                ++finished;
                Restart(s);
            }
        }
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        slowest = std::max(slowest, took.count());
        benchmark::ClobberMemory();
    }
    state.counters["searchers"] = count;
    state.counters["ticks"] = static_cast<double>(state.iterations());
    state.counters["max_tick"] = slowest;
    state.counters["searches_done"] = static_cast<double>(finished);
}
BENCHMARK(BM_PathSearchTick)
    ->Arg(25)
    ->Arg(100)
    ->Iterations(kSearchTicks)
    ->Unit(benchmark::kMicrosecond);

void BM_PathSearchComplete(benchmark::State& state) {
    auto world = pathworld::BuildLargeMap(29);
    SeedRandom(6);
    const std::vector<Trip> trips = MakeTrips(*world, world->personTyp.head);
    Searcher s{&world->addPerson(0, 0, 3), &world->personTyp.head, &trips, 0};
    std::int64_t expansions = 0;
    std::int64_t searches = 0;
    for (auto _ : state) {
        Restart(s);
        std::uint16_t made = 0;
        for (int tick = 0; tick < 1000; ++tick) {
            BeginSearcherTick();
            const std::uint8_t r = FindPath(*s.unit, *s.type);
            if (s.unit->pathSearch != nullptr) made = s.unit->pathSearch->expansions;
            if (r == 1 || (s.unit->moverFlags & kMoverPathSearch) == 0) break;
        }
        expansions += made;
        ++searches;
    }
    state.SetItemsProcessed(searches);
    state.counters["searches"] = static_cast<double>(searches);
    state.counters["expansions"] =
        searches > 0 ? static_cast<double>(expansions) / static_cast<double>(searches) : 0;
}
BENCHMARK(BM_PathSearchComplete)->Iterations(kTripsPerKind)->Unit(benchmark::kMicrosecond);

// Along the avenue from one edge of the map to the other.
void BM_PathSearchLongRun(benchmark::State& state) {
    auto world = pathworld::BuildLargeMap(31);
    WorldUnit& p = world->addPerson(40, pathworld::kAvenueY, 3);
    const float toX = static_cast<float>(WorldMaxX - 40);
    std::uint8_t result = 0;
    for (auto _ : state) {
        DiscardBefehle(p);
        p.moverFlags = 0;
        AppendMoveBefehl(p, 0, toX, pathworld::kAvenueY, 0, 0, 0);
        BeginSearcherTick();
        result = FindPath(p, world->personTyp.head);
        benchmark::DoNotOptimize(result);
    }
    if (result != 1) state.SkipWithError("the avenue was not free");
    state.counters["run_px"] = toX - 40;
}
BENCHMARK(BM_PathSearchLongRun)->Unit(benchmark::kMicrosecond);

// A goal walled in by a ring of objects on open ground as wide as the large map: the search
// grows to the node limit and settles for a partial path.
void BM_PathSearchNodeLimit(benchmark::State& state) {
    auto world = std::make_unique<PathWorld>(
        pathworld::MapPlan(pathworld::kLargeColumns, pathworld::kLargeRows));
    constexpr float kGoalX = 2100;
    constexpr float kGoalY = 1700;
    pathworld::WallIn(*world, kGoalX, kGoalY);
    WorldUnit& p = world->addPerson(kGoalX - 700, kGoalY - 700, 3);
    int ticks = 0;
    int limited = 0;
    for (auto _ : state) {
        DiscardBefehle(p);
        p.moverFlags = 0;
        AppendMoveBefehl(p, 0, kGoalX, kGoalY, 0, 0, 0);
        ticks = 0;
        std::uint8_t r = 0;
        do {
            BeginSearcherTick();
            r = FindPath(p, world->personTyp.head);
            ++ticks;
        } while (r == 0 && (p.moverFlags & kMoverPathSearch) != 0 && ticks < 1000);
        if ((p.moverFlags & kMoverPartialPath) != 0) ++limited;
    }
    state.counters["ticks"] = ticks;
    if (limited == 0) state.SkipWithError("the search never reached the node limit");
}
BENCHMARK(BM_PathSearchNodeLimit)->Unit(benchmark::kMicrosecond);

}  // namespace
