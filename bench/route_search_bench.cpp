// Road routes across a town: a 270 x 120 map (the level's limit is 32,767 cells) with a street
// grid of junctions 384 px apart, a node or two between them, two diagonal avenues and a few
// walled-off streets, a house in the middle of each block; a fire engine (vehicle type 0) sent
// from the top-left corner to the bottom-right one.
//
// Goals: one SearchRoute slice at most 10 us (a planning vehicle's cost in a tick); the first
// PlanRoute call, with both attachments, the start candidates' straight-line runs and one slice,
// at most 300 us; the call that lays the found route at most 200 us.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <limits>

#include "bench_world.h"
#include "core/fatal_error.h"
#include "core/mission_state.h"
#include "core/unit_views.h"
#include "movement/befehl_queue.h"
#include "movement/route_search.h"
#include "movement/stepping.h"
#include "plain_map.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/geometry.h"
#include "world/level_map.h"
#include "writers/level_writer.h"

namespace {

using namespace kv;

constexpr int kMapWidth = 270;
constexpr int kMapHeight = 120;
constexpr int kColumns = 17;  // junctions across
constexpr int kRows = 8;      // junctions down
constexpr int kSpacing = 384;
constexpr int kOrigin = 192;

constexpr std::uint8_t kGrass = 1;
constexpr std::uint8_t kRoad = 0;
constexpr std::uint8_t kRock = 4;   // the houses
constexpr std::uint8_t kWall = 23;  // a walled-off street: no vehicle passes
constexpr std::uint8_t kLane = 24;

class TownBuilder {
  public:
    TownBuilder() {
        level_.width = kMapWidth;
        level_.height = kMapHeight;
        level_.cells.assign(static_cast<std::size_t>(kMapWidth * kMapHeight),
                            MapCell{0, 0x82, kGrass, 0});
        for (int j = 0; j < kRows; ++j)
            for (int i = 0; i < kColumns; ++i) add(X(i), Y(j));
        for (int j = 0; j < kRows; ++j)
            for (int i = 0; i + 1 < kColumns; ++i) {
                // Every street across has a node halfway; a few are walled off.
                const bool walled = (i + 3 * j) % 11 == 5;
                street(Junction(i, j), Junction(i + 1, j), 1, walled ? kWall : kRoad);
            }
        for (int j = 0; j + 1 < kRows; ++j)
            for (int i = 0; i < kColumns; ++i)
                street(Junction(i, j), Junction(i, j + 1), i % 4 == 0 ? 1 : 0, kRoad);
        // Two avenues at two columns per row, with two nodes between junctions.
        for (int j = 0; j < kRows - 1; ++j) {
            street(Junction(2 * j, j), Junction(2 * j + 2, j + 1), 2, kRoad);
            street(Junction(kColumns - 1 - 2 * j, j), Junction(kColumns - 3 - 2 * j, j + 1), 2,
                   kRoad);
        }
        paintCells();
    }
    const sampledata::LevelFile& level() const { return level_; }

  private:
    static int X(int i) { return kOrigin + kSpacing * i; }
    static int Y(int j) { return kOrigin + kSpacing * j; }
    static int Junction(int i, int j) { return j * kColumns + i; }

    int add(int x, int y) {
        RoadNode n;
        n.x = static_cast<std::int16_t>(x);
        n.y = static_cast<std::int16_t>(y);
        n.neighbour.fill(kNoNode);
        level_.nodes.push_back(n);
        return static_cast<int>(level_.nodes.size()) - 1;
    }
    void link(int a, int b, std::uint8_t terrain) {
        RoadNode& na = level_.nodes[static_cast<std::size_t>(a)];
        RoadNode& nb = level_.nodes[static_cast<std::size_t>(b)];
        const std::size_t k = ClassifyDirection(na.x, na.y, nb.x, nb.y, 0);
        const std::size_t back = (k + 6) % kDirections;
        na.neighbour[k] = static_cast<std::uint16_t>(b);
        na.edgeTerrain[k] = terrain;
        na.edgeExtra[k] = kLane;
        nb.neighbour[back] = static_cast<std::uint16_t>(a);
        nb.edgeTerrain[back] = terrain;
        nb.edgeExtra[back] = kLane;
    }
    // From junction a to junction b through `between` nodes evenly spaced.
    void street(int a, int b, int between, std::uint8_t terrain) {
        const RoadNode from = level_.nodes[static_cast<std::size_t>(a)];
        const RoadNode to = level_.nodes[static_cast<std::size_t>(b)];
        int previous = a;
        for (int k = 1; k <= between; ++k) {
            const int n = add(from.x + (to.x - from.x) * k / (between + 1),
                              from.y + (to.y - from.y) * k / (between + 1));
            link(previous, n, terrain);
            previous = n;
        }
        link(previous, b, terrain);
    }
    // Asphalt along the grid's streets, a house of rock in the middle of each block.
    void paintCells() {
        for (int c = 0; c < kMapWidth; ++c)
            for (int r = 0; r < kMapHeight; ++r) {
                const int x = kCellWidth * c - 16 * r + 16;
                const int y = kCellHeight * r + 14;
                const int dx = (x - kOrigin) % kSpacing;
                const int dy = (y - kOrigin) % kSpacing;
                MapCell& cell = level_.cells[static_cast<std::size_t>(c * kMapHeight + r)];
                if (x < kOrigin || y < kOrigin) continue;
                if (dx < 40 || dx > kSpacing - 40 || dy < 40 || dy > kSpacing - 40)
                    cell.terrain = kRoad;
                else if (std::abs(dx - kSpacing / 2) < 50 && std::abs(dy - kSpacing / 2) < 50)
                    cell.terrain = kRock;
            }
    }
    sampledata::LevelFile level_;
};

// The town loaded in place of mission 1 with the fire engine's type; mission 1 comes back at
// the end.
class Town {
  public:
    Town() {
        if (!bench::LoadMissionOne()) return;  // the terrain table
        const std::vector<std::uint8_t> bytes = sampledata::WriteLevelFile(TownBuilder().level());
        if (!LoadLevelMapFromBytes(bytes, "town.lev")) return;
        plainmap::SetWorldMaxFromMap();
        const std::filesystem::path previous = std::filesystem::current_path();
        std::filesystem::current_path(KV_SAMPLEDATA_DIR);
        LoadFahrzeugTyp(0);
        std::filesystem::current_path(previous);
        if (FatalErrorRaised() || !FahrzeugTypLoaded(0)) return;
        engine_.type = 0;
        engine_.present = 1;
        engine_.speed = FahrzeugTypen[0].speed;
        FahrzeugUnits.count = 1;
        FahrzeugUnits.head = [](std::int16_t) { return &engine_; };
        ready_ = true;
    }
    ~Town() {
        DiscardBefehle(engine_);
        engine_ = {};
        ResetUnitViews();
        FreeFahrzeugTyp(0);
        bench::RestoreMissionOne();
    }
    Town(const Town&) = delete;
    Town& operator=(const Town&) = delete;

    bool ready() const { return ready_; }
    static const UnitTypHead& Type() { return FahrzeugTypen[0]; }

    // The engine on the top street facing east, sent to the bottom-right corner; no route yet.
    static UnitHead& Send() {
        DiscardBefehle(engine_);
        engine_.moverFlags = 0;
        engine_.x = 300;
        engine_.y = 232;
        engine_.direction = 3;
        AppendMoveBefehl(engine_, 0, 6200, 2850, 0, 0, 0);
        return engine_;
    }

  private:
    static UnitHead engine_;
    bool ready_ = false;
};
UnitHead Town::engine_;

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Each iteration one whole search from the attached start, slice by slice; only the slices are
// timed, and slice_us is one slice's mean, the figure the goal is for.
void BM_RouteSearchSlice(benchmark::State& state) {
    Town town;
    if (!town.ready()) {
        state.SkipWithError("the town or the fire engine did not load");
        return;
    }
    UnitHead& u = Town::Send();
    if (PlanRoute(u, Town::Type()) != 1 || u.route == nullptr) {
        state.SkipWithError("no route across the town");
        return;
    }
    Route& route = *u.route;
    const std::size_t capacity = route.bestCost.size();
    RouteLink none;
    none.child.fill(kNoNode);
    // Far more than a search over the town's nodes takes.
    constexpr int kMaxSlices = 100000;
    int slices = 0;
    double slicesSeconds = 0;
    std::int64_t allSlices = 0;
    for (auto _ : state) {
        route.links.assign(capacity, none);
        route.bestCost.assign(capacity, std::numeric_limits<float>::max());
        route.openList.clear();
        route.listA.clear();
        route.listB.clear();
        InsertOpenEntry(route, route.startId, kNoNode, 0.0f);
        double took = 0;
        slices = 0;
        while (!route.links.empty() && slices < kMaxSlices) {
            const auto start = std::chrono::steady_clock::now();
            const std::uint8_t result = SearchRoute(u, Town::Type());
            took += Seconds(std::chrono::steady_clock::now() - start);
            benchmark::DoNotOptimize(result);
            ++slices;
        }
        state.SetIterationTime(took);
        slicesSeconds += took;
        allSlices += slices;
    }
    if (slices >= kMaxSlices) state.SkipWithError("the search did not end");
    state.counters["slices"] = slices;
    state.counters["nodes"] = RoadNodeCount;
    state.counters["slice_us"] =
        allSlices > 0 ? slicesSeconds * 1e6 / static_cast<double>(allSlices) : 0;
    state.SetLabel("goal: slice_us at most 10 us");
}
BENCHMARK(BM_RouteSearchSlice)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The first call: candidates with their straight-line runs, both attachments, one slice.
void BM_PlanRouteFirstCall(benchmark::State& state) {
    Town town;
    if (!town.ready()) {
        state.SkipWithError("the town or the fire engine did not load");
        return;
    }
    std::int64_t candidates = 0;
    for (auto _ : state) {
        state.PauseTiming();
        UnitHead& u = Town::Send();
        state.ResumeTiming();
        const std::uint8_t result = PlanRoute(u, Town::Type());
        benchmark::DoNotOptimize(result);
        state.PauseTiming();
        if (u.route != nullptr) candidates = u.route->candidatesLeft + 1;
        state.ResumeTiming();
    }
    state.counters["candidates"] = static_cast<double>(candidates);
    state.SetLabel("goal: at most 300 us");
}
BENCHMARK(BM_PlanRouteFirstCall)->Unit(benchmark::kMicrosecond);

// The call that lays the found route: lanes, trimming with its straight-line runs, merging.
void BM_PlanRouteLaying(benchmark::State& state) {
    Town town;
    if (!town.ready()) {
        state.SkipWithError("the town or the fire engine did not load");
        return;
    }
    std::int64_t waypoints = 0;
    for (auto _ : state) {
        UnitHead& u = Town::Send();
        while (PlanRoute(u, Town::Type()) == 1 && u.route != nullptr && u.route->listA.empty()) {
        }
        if (u.route == nullptr || !u.route->links.empty()) {
            state.SkipWithError("the search did not finish");
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        const std::uint8_t result = PlanRoute(u, Town::Type());
        state.SetIterationTime(Seconds(std::chrono::steady_clock::now() - start));
        benchmark::DoNotOptimize(result);
        if (u.route != nullptr) waypoints = static_cast<std::int64_t>(u.route->listA.size()) - 1;
    }
    state.counters["waypoints"] = static_cast<double>(waypoints);
    state.SetLabel("goal: at most 200 us");
}
BENCHMARK(BM_PlanRouteLaying)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
