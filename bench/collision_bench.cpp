// The collision tests in a crowd: mission 1's generated map with a river of three impassable rows
// across it, 110 persons and 40 vehicles (a quarter of them on the river bank) and 300 object
// slots of which 120 are used.
//
// BM_CrowdLookAhead is one tick's look-ahead: every unit tests as many entries of its planned
// ring as its type looks ahead, about 1,200 calls of TestCollision. The goal is at most 0.25 ms a
// tick (200 ns a call). BM_DirectPathOpenGround runs a vehicle 400 px along the open road through
// the same crowd; the goal is at most 12 us.

#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "bench_world.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "core/unit_views.h"
#include "generate/world_tables.h"
#include "movement/befehl.h"
#include "movement/collision.h"
#include "movement/stepping.h"
#include "path_world.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace {

using namespace kv;
using pathworld::WorldTyp;
using pathworld::WorldUnit;

constexpr int kPersons = 110;
constexpr int kVehicles = 40;
constexpr int kObjectSlots = 300;
constexpr int kObjectsUsed = 120;
constexpr int kObjectTypes = 18;
constexpr int kRiverRow = 24;  // rows 24..26, below the road
constexpr int kRiverRows = 3;
// Neither cars nor persons cross it.
constexpr std::uint8_t kRiverTerrain = sampledata::terrain::kWater;
constexpr std::uint16_t kWalkMode = kCollideZones;
constexpr int kPlacementTries = 50;

// The corridor the direct-path run drives through, kept clear of the crowd.
constexpr int kRoadY = 530;
constexpr int kRoadFromX = 300;
constexpr int kRoadToX = 700;

// Clear of the crowd: no unit or object stands this near the road's middle line.
bool InCorridor(float y) {
    return y > kRoadY - 100 && y < kRoadY + 100;
}

class Crowd {
  public:
    // The persons look ahead as the person types do, the vehicles as a middling fire engine.
    Crowd()
        : person_(kPersonUnitClass, 2.0f, bench::kPersonMoveClass, 6, 18, 5),
          vehicle_(kPlayerVehicleUnitClass, 5.0f, bench::kCarMoveClass, 45, 60, 16) {
        for (int r = kRiverRow; r < kRiverRow + kRiverRows; ++r)
            for (int c = 0; c < MapWidth; ++c) {
                const int cell = CellIndex(c, r);
                savedTerrain_.push_back(MapCells[static_cast<std::size_t>(cell)].terrain);
                SetCellTerrain(cell, kRiverTerrain);
            }
        SeedRandom(19);
        // Every unit stands where it fits: the objects first, then one unit after the other.
        persons_.resize(kPersons);
        vehicles_.resize(kVehicles);
        current_ = this;
        register_(PersonUnits, persons_);
        PersonUnits.offMap = [](std::int16_t i) {
            return current_->persons_[static_cast<std::size_t>(i)].offMap;
        };
        PersonUnits.animSlot = [](std::int16_t i) -> const AnimSlot* {
            return &current_->person_.slots[static_cast<std::size_t>(
                current_->persons_[static_cast<std::size_t>(i)].anim)];
        };
        register_(FahrzeugUnits, vehicles_);
        FahrzeugUnits.animSlot = [](std::int16_t i) -> const AnimSlot* {
            return &current_->vehicle_.slots[static_cast<std::size_t>(
                current_->vehicles_[static_cast<std::size_t>(i)].anim)];
        };
        makeObjects();
        for (int i = 0; i < kVehicles; ++i)
            place(vehicles_[static_cast<std::size_t>(i)], vehicle_, i % 4 == 0);
        for (int i = 0; i < kPersons; ++i)
            place(persons_[static_cast<std::size_t>(i)], person_, i % 4 == 0);
    }
    ~Crowd() {
        FreeSonderObj();
        ResetUnitViews();
        std::size_t k = 0;
        for (int r = kRiverRow; r < kRiverRow + kRiverRows; ++r)
            for (int c = 0; c < MapWidth; ++c) SetCellTerrain(CellIndex(c, r), savedTerrain_[k++]);
        for (WorldUnit& u : persons_) u.orders = nullptr;
        for (WorldUnit& u : vehicles_) u.orders = nullptr;
    }
    Crowd(const Crowd&) = delete;
    Crowd& operator=(const Crowd&) = delete;

    // One tick's look-ahead of every unit; the number of tests made, and of those blocked.
    [[gnu::noinline]] int lookAhead(int& blocked) {
        int calls = 0;
        blocked = 0;
        CollisionHit hit;
        const auto test = [&](std::span<WorldUnit> units, const WorldTyp& typ) {
            for (WorldUnit& u : units) {
                // As the walk and drive steps test: nothing moves during one unit's look-ahead.
                const CollisionScope scope;
                for (int i = 0; i < typ.head.shortcutBackSteps; ++i) {
                    const MoveStep e = StepRingEntry(u, u.stepRead + i);
                    if (TestCollision(kWalkMode, u, typ.head, e.x, e.y, e.direction, u.storey, 1,
                                      &hit) != 0)
                        ++blocked;
                    ++calls;
                }
            }
        };
        test(persons_, person_);
        test(vehicles_, vehicle_);
        return calls;
    }

    const WorldTyp& vehicleTyp() const { return vehicle_; }

  private:
    static int Between(int lo, int hi) { return lo + Rand() % (hi - lo + 1); }

    // Somewhere off the road corridor where nothing else stands; on the bank, just above or below
    // the river.
    void place(WorldUnit& u, const WorldTyp& typ, bool bank) {
        u.present = 1;
        u.anim = 1;
        u.direction = static_cast<std::int8_t>(Rand() % kDirectionCount);
        u.speed = typ.head.speed;
        u.moverFlags = kMoverSearching;
        const int maxX = WorldMaxX - 60;
        const AnimSlot& slot = typ.slots[1];
        float targetX = 0;
        float targetY = 0;
        for (int attempt = 0; attempt < kPlacementTries; ++attempt) {
            if (bank) {
                const bool above = Rand() % 2 == 0;
                u.x = static_cast<float>(Between(60, maxX));
                u.y = static_cast<float>(above ? kCellHeight * kRiverRow - 8
                                               : kCellHeight * (kRiverRow + kRiverRows) + 64);
                targetX = u.x + static_cast<float>(Between(-60, 60));
                targetY = above ? u.y + 120 : u.y - 120;  // across the river
            } else {
                do {
                    u.x = static_cast<float>(Between(60, maxX));
                    u.y = static_cast<float>(Between(70, WorldMaxY - 10));
                } while (InCorridor(u.y) || (u.y > kCellHeight * kRiverRow - 30 &&
                                             u.y < kCellHeight * (kRiverRow + kRiverRows) + 70));
                targetX = static_cast<float>(Between(60, maxX));
                targetY = static_cast<float>(Between(70, WorldMaxY - 10));
            }
            if (TestCollision(0, u, typ.head, u.x, u.y, static_cast<std::uint8_t>(u.direction), 0,
                              1, nullptr) == 0)
                break;
        }
        u.type = 0;
        u.drawX = static_cast<std::int16_t>(static_cast<int>(u.x) - slot.hotX);
        u.drawY = static_cast<std::int16_t>(static_cast<int>(u.y) - slot.hotY);
        orders_.push_back(std::make_unique<Befehl>());
        Befehl& order = *orders_.back();
        order.setA(targetX);
        order.setB(targetY);
        u.orders = &order;
        ResetMoveTarget(u);
        FillStepRing(u, typ.head);
    }

    template <class Rec>
    static void register_(UnitArray& view, std::vector<Rec>& units) {
        view = {};
        view.setRecords(std::span(units));
    }

    void makeObjects() {
        SonderObjTypCount = kObjectTypes;
        SonderObjTypen.assign(kObjectTypes, SonderObjTyp{});
        for (int t = 0; t < kObjectTypes; ++t) {
            SonderObjTyp& typ = SonderObjTypen[static_cast<std::size_t>(t)];
            typ.boxX1 = static_cast<std::int16_t>(10 + 2 * t);
            typ.boxY1 = static_cast<std::int16_t>(8 + t);
        }
        SonderObjCount = kObjectSlots;
        SonderObjs.clear();
        SonderObjs.resize(kObjectSlots);
        for (int k = 0; k < kObjectsUsed; ++k) {
            // Spread over the slots, two or three apart, as slots fill and free.
            SonderObj& o = SonderObjs[static_cast<std::size_t>(k * kObjectSlots / kObjectsUsed)];
            o.type = static_cast<std::int16_t>(Rand() % kObjectTypes);
            o.x = static_cast<float>(Between(0, WorldMaxX));
            do o.y = static_cast<float>(Between(0, WorldMaxY));
            while (InCorridor(o.y));
            o.blockMask = 15;
            o.visible = 1;
        }
    }

    WorldTyp person_;
    WorldTyp vehicle_;
    std::vector<WorldUnit> persons_;
    std::vector<WorldUnit> vehicles_;
    std::vector<std::unique_ptr<Befehl>> orders_;
    std::vector<std::uint8_t> savedTerrain_;
    static Crowd* current_;
};

Crowd* Crowd::current_ = nullptr;

void BM_CrowdLookAhead(benchmark::State& state) {
    if (!bench::LoadMissionOne()) {
        state.SkipWithError("the sample data's mission 1 did not load");
        return;
    }
    Crowd crowd;
    int calls = 0;
    int blocked = 0;
    for (auto _ : state) {
        calls = crowd.lookAhead(blocked);
        benchmark::ClobberMemory();
    }
    state.counters["calls"] = calls;
    state.counters["blocked"] = blocked;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * calls);
}
BENCHMARK(BM_CrowdLookAhead)->Unit(benchmark::kMicrosecond);

void BM_DirectPathOpenGround(benchmark::State& state) {
    if (!bench::LoadMissionOne()) {
        state.SkipWithError("the sample data's mission 1 did not load");
        return;
    }
    Crowd crowd;
    const WorldTyp& typ = crowd.vehicleTyp();
    UnitHead car;
    car.type = 0;
    car.x = kRoadFromX;
    car.y = kRoadY;
    car.direction = 3;
    car.speed = typ.head.speed;
    LineRun run;
    std::uint8_t free = 0;
    for (auto _ : state) {
        free = TestDirectPath(car.x, car.y, 3, car, typ.head, kRoadToX, kRoadY, run);
        benchmark::DoNotOptimize(free);
        benchmark::ClobberMemory();
    }
    if (free == 0)
        state.SkipWithError(("the road was not free: kind " + std::to_string(run.kind)).c_str());
    state.counters["run_px"] = kRoadToX - kRoadFromX;
}
BENCHMARK(BM_DirectPathOpenGround)->Unit(benchmark::kMicrosecond);

}  // namespace
