// One simulation tick of mission 1 on the sample data with 150 units on the move: 60 vehicles
// and 90 staff, sent back and forth 200 px along their rows, row by row. Only the tick is timed;
// max_tick_us is the slowest tick seen, moving the movers counted as moving after a tick, on
// average.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

#include "core/mission_hooks.h"
#include "headless_mission.h"
#include "mission/mission_tick.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/stepping.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"

namespace {

constexpr int kMovingVehicles = 60;
constexpr int kMovingPersons = 90;
constexpr float kLeg = 200;
constexpr int kStaffType = 1;
constexpr std::array<std::int16_t, 4> kVehicleTypes = {kv::kTypF101, kv::kTypF104, kv::kTypF110,
                                                       kv::kTypF201};

// A mover's leg is a straight run that nothing stands in but other movers.
bool FreeFor(kv::UnitHead& u, const kv::UnitTypHead& type, float x, float y) {
    kv::LineRun run;
    const bool free = kv::TestCollision(0, u, type, x, y, 3, 0, 0, nullptr) == 0 &&
                      kv::TestDirectPath(x, y, 3, u, type, x + kLeg, y, run) != 0;
    kv::ResetMoveTarget(u);
    return free;
}

// Where the movers start: rows across the map, on the first spots where they stand free with a
// free way along their leg.
std::vector<std::int16_t> g_vehicles;
std::vector<std::int16_t> g_persons;

int PlaceVehicles() {
    int placed = 0;
    for (float y = 90; y < kv::WorldMaxY - 60 && placed < kMovingVehicles; y += 120)
        for (float x = 80; x + kLeg < kv::WorldMaxX - 60 && placed < kMovingVehicles; x += 130) {
            const std::int16_t type = kVehicleTypes[static_cast<std::size_t>(placed) % 4];
            kv::LoadFahrzeugTyp(type);
            const std::int16_t v = kv::CreateFahrzeug(type, static_cast<std::int16_t>(x),
                                                      static_cast<std::int16_t>(y), 3);
            if (v < 0) return placed;
            kv::SetupFahrzeug(v, 1);
            kv::Fahrzeug& f = kv::Fahrzeuge[static_cast<std::size_t>(v)];
            if (!FreeFor(f, kv::FahrzeugTypOf(f), x, y)) {
                kv::RemoveFahrzeug(v, kv::kRemoveDrivenOff);
                continue;
            }
            g_vehicles.push_back(v);
            ++placed;
        }
    return placed;
}

int PlacePersons() {
    int placed = 0;
    for (float y = 60; y < kv::WorldMaxY - 30 && placed < kMovingPersons; y += 45)
        for (float x = 40; x + kLeg < kv::WorldMaxX - 30 && placed < kMovingPersons; x += 60) {
            const std::int16_t i = kv::FindFreePerson();
            if (i < 0) return placed;
            kv::Person& p = kv::Personen[static_cast<std::size_t>(i)];
            p.type = kStaffType;
            p.x = x;
            p.y = y;
            p.direction = 3;
            kv::ResetPerson(i);
            kv::UpdatePersonDrawPos(p);
            if (!FreeFor(p, kv::PersonTypOf(p), x, y)) {
                kv::DeletePerson(i);
                continue;
            }
            g_persons.push_back(i);
            ++placed;
        }
    return placed;
}

// Each mover turns round every kPhase ticks, to the other end of its leg; the rows turn one
// after another, a few ticks apart, as orders come in play, not all in one tick.
constexpr int kPhase = 150;
constexpr int kRowStagger = 5;
template <class Rec, class Type>
void SendDue(std::vector<Rec>& units, const std::vector<std::int16_t>& movers, const Type& typeOf,
             std::vector<float>& homes, int tick) {
    homes.resize(units.size(), -1);
    for (const std::int16_t i : movers) {
        Rec& u = units[static_cast<std::size_t>(i)];
        float& home = homes[static_cast<std::size_t>(i)];
        if (u.type == -1) continue;
        if (home < 0) home = u.x;
        const int t = tick - kRowStagger * (static_cast<int>(u.y) / 40);
        if (t < 0 || t % kPhase != 0) continue;
        const bool out = (t / kPhase) % 2 == 0;
        kv::SetBefehl(u, typeOf(u), kv::kOpMove, -1,
                      static_cast<std::int32_t>(home + (out ? kLeg : 0)),
                      static_cast<std::int32_t>(u.y), 0, 0, 1);
    }
}

void BM_MovingMissionTick(benchmark::State& state) {
    g_vehicles.clear();
    g_persons.clear();
    const kv::bench::HeadlessMission mission(kv::bench::MakeRoomForCrowd);
    if (!mission.started() || PlaceVehicles() < kMovingVehicles ||
        PlacePersons() < kMovingPersons) {
        state.SkipWithError("mission 1 did not start with its 150 movers");
        return;
    }
    std::vector<float> vehicleHomes;
    std::vector<float> personHomes;
    const auto vehicleType = [](const kv::Fahrzeug& v) -> const kv::UnitTypHead& {
        return kv::FahrzeugTypOf(v);
    };
    const auto personType = [](const kv::Person& p) -> const kv::UnitTypHead& {
        return kv::PersonTypOf(p);
    };
    double maxTick = 0;
    double moving = 0;
    int tick = 0;
    for (auto _ : state) {
        SendDue(kv::Fahrzeuge, g_vehicles, vehicleType, vehicleHomes, tick);
        SendDue(kv::Personen, g_persons, personType, personHomes, tick);
        ++tick;
        const auto start = std::chrono::steady_clock::now();
        kv::RunGameTicks(0);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        maxTick = std::max(maxTick, took.count());
        for (const std::int16_t v : g_vehicles)
            moving += (kv::Fahrzeuge[static_cast<std::size_t>(v)].moverFlags & 2) != 0 ? 1 : 0;
        for (const std::int16_t p : g_persons)
            moving += (kv::Personen[static_cast<std::size_t>(p)].moverFlags & 2) != 0 ? 1 : 0;
    }
    state.counters["movers"] = static_cast<double>(g_vehicles.size() + g_persons.size());
    state.counters["ticks"] = static_cast<double>(state.iterations());
    state.counters["max_tick_us"] = maxTick * 1e6;
    state.counters["moving"] = moving / static_cast<double>(state.iterations());
}
BENCHMARK(BM_MovingMissionTick)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Iterations(3000)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
