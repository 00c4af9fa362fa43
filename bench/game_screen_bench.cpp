// One whole frame of the mission screen: mission 1 on the sample data with its start view crowded
// (60 vehicles and 90 persons sent to and fro, 10 of them selected, two cannons and two hoses
// spraying) and three houses in it: one of 4 storeys, one burning on every part, one cut open with
// persons on its ground floor; the clock runs and a message stands. RunMissionFrame is timed: its
// tick, the draw list, the cursor, the drawing and the presentation. draw_list_entries is the
// list's length in the last frame.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "core/message_line.h"
#include "core/mission_hooks.h"
#include "crowded_view.h"
#include "headless_mission.h"
#include "mission/mission_frame.h"
#include "mission/mission_tick.h"
#include "mission/view/draw_list.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"

namespace {

constexpr int kTallHouse = 0;
constexpr int kCutOpenHouse = 1;
constexpr int kBurningHouse = 2;
// The crowd turns round every this many frames, half of it at a time.
constexpr int kLegFrames = 60;
constexpr float kLeg = 40;

void ThreeHouses() {
    kv::HouseCount = 3;
    kv::InitHouseList();
    kv::AddHouse(4, 35, 10, 0, 0, 0);  // 4 storeys
    kv::AddHouse(0, 24, 10, 2, 3, 0);
    kv::AddHouse(5, 34, 21, 1, 1, 0);  // south of the road
}

void Prepare() {
    kv::bench::MakeRoomForCrowd();
    kv::MissionHooks& row = kv::MissionHookRows[0];
    row.InitHouses = ThreeHouses;
    // The crowd stays whatever mission 1's rules would make of it.
    row.CheckMission = [] {};
}

bool DressTheHouses() {
    kv::House* open = kv::PlacedHouse(kCutOpenHouse);
    kv::House* burning = kv::PlacedHouse(kBurningHouse);
    if (kv::PlacedHouse(kTallHouse) == nullptr || open == nullptr || burning == nullptr)
        return false;
    open->shownStorey = 1;
    open->interiorView = 1;
    // Two persons on its cells (3, 2) and (4, 2).
    for (const float x : {688.0f, 720.0f}) {
        const std::int16_t i = kv::FindFreePerson();
        if (i < 0) return false;
        kv::Person& p = kv::PlacePerson(i, 1, x, 350, 1);
        kv::SetStandingUnhurt(p);
        p.house = kCutOpenHouse;
        kv::ResetPerson(i);
        ++open->floors[0].personCount;
    }
    // Every part of every floor burns with its cell's own flames.
    const kv::HouseTyp& typ = kv::HouseTypOf(*burning);
    for (int s = 0; s < typ.floors; ++s)
        for (int i = 0; i < typ.extentI; ++i)
            for (int j = 0; j < typ.extentJ; ++j) {
                const kv::HouseCell& cell = typ.cell(s, i, j);
                auto& flames = burning->floors[static_cast<std::size_t>(s)].flames;
                const std::uint8_t sets[] = {cell.lowerFlames, cell.middleFlames, cell.upperFlames};
                for (int layer = 0; layer < 3; ++layer)
                    if (sets[layer] != 0)
                        flames[static_cast<std::size_t>(layer)][static_cast<std::size_t>(
                            i)][static_cast<std::size_t>(j)] = {
                            static_cast<std::uint8_t>(kv::kFlameFirstSet + sets[layer] - 1), 0, 0};
            }
    return true;
}

// Half of the crowd sets off every leg, to the other end of its way.
template <class Rec, class TypeOf>
void SendHalf(std::vector<Rec>& units, const std::vector<std::int16_t>& movers, TypeOf typeOf,
              int leg) {
    for (std::size_t k = static_cast<std::size_t>(leg % 2); k < movers.size(); k += 2) {
        Rec& u = units[static_cast<std::size_t>(movers[k])];
        if (u.type == -1) continue;
        const float dx = (leg / 2) % 2 == 0 ? kLeg : -kLeg;
        kv::SetBefehl(u, typeOf(u), kv::kOpMove, -1, static_cast<std::int32_t>(u.x + dx),
                      static_cast<std::int32_t>(u.y), 0, 0, 1);
    }
}

void BM_MissionFrame(benchmark::State& state) {
    std::vector<std::int16_t> vehicles;
    std::vector<std::int16_t> persons;
    kv::bench::HeadlessMission mission(Prepare);
    if (!mission.started() || !kv::bench::PlaceCrowdInView(&vehicles, &persons) ||
        !DressTheHouses()) {
        state.SkipWithError("mission 1 did not start with its crowd and houses");
        return;
    }
    kv::MissionClockMode = 1;
    kv::MissionClock = 1200;
    kv::SetMessageLine("Drei Brandorte, sechzig Fahrzeuge, neunzig Personen", 65535);
    const auto vehicleType = [](const kv::Fahrzeug& v) -> const kv::UnitTypHead& {
        return kv::FahrzeugTypOf(v);
    };
    const auto personType = [](const kv::Person& p) -> const kv::UnitTypHead& {
        return kv::PersonTypOf(p);
    };
    int frame = 0;
    for (auto _ : state) {
        if (frame % kLegFrames == 0) {
            SendHalf(kv::Fahrzeuge, vehicles, vehicleType, frame / kLegFrames);
            SendHalf(kv::Personen, persons, personType, frame / kLegFrames);
        }
        ++frame;
        mission.backend().clearFrames();
        const auto start = std::chrono::steady_clock::now();
        kv::RunMissionFrame();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
    }
    if (!mission.started()) state.SkipWithError("the frames left the mission view");
    state.counters["draw_list_entries"] = kv::DrawListCount;
}
BENCHMARK(BM_MissionFrame)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Iterations(1000)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
