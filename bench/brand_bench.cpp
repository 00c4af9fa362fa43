// One tick of the fire model on the largest level: the map sweep and the houses (UpdateBrand),
// then the heat around 300 persons, 60 vehicles and 250 special objects (ApplyBrandDamage).
// BM_BrandTick/1 burns a band of 2,000 map cells and a block of 8 houses of 16 x 8 cells on 4
// floors, every house cell alight (4,096); BM_BrandTick/0 burns nothing. Each iteration runs the
// fire's five phases once, from the scene as built, which is restored before it outside the
// timing: every iteration, every run and every machine times the same five ticks. Goals (counter
// tick_time, the time of one tick): under 250 µs burning, under 40 µs idle.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/fire_counts.h"
#include "core/unit_views.h"
#include "persons/personen.h"
#include "world/brand.h"
#include "world/house_types.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/materials.h"
#include "world/sonder_obj.h"
#include "world/wasser_strahl.h"
#include "writers/house_writer.h"
#include "writers/level_writer.h"

namespace {

using namespace kv;

constexpr int kWidth = 240;
constexpr int kHeight = 136;
constexpr int kHouseTyp = 18;
constexpr int kHouses = 8;
// One whole cycle of the spread's phases.
constexpr int kTicks = kBrandPhases;
// The class's highest heat: the fires start in full swing.
constexpr std::int32_t kFireHeat = 6000;

// Stand-ins for the vehicles: their heads and the fields the fire model reaches.
struct Fahrzeuge {
    std::vector<UnitHead> heads;
    std::vector<std::int32_t> heat;
    std::vector<WasserStrahl> jets;
};
Fahrzeuge g_fahrzeuge;

// Spread over the map, away from its edges.
float ScatterX(int n, int seed) {
    return static_cast<float>((n * 97 + seed) % (kWidth * 32 - 200) + 100);
}
float ScatterY(int n, int seed) {
    return static_cast<float>((n * 61 + seed) % (kHeight * 28 - 100) + 50);
}

void InstallUnits() {
    PersonCount = 300;
    AllocPersonen();
    for (std::size_t n = 0; n < Personen.size(); ++n) {
        Person& p = Personen[n];
        p.type = 1;
        p.casualty = n % 5 == 0 ? 1 : 0;
        p.x = ScatterX(static_cast<int>(n), 11);
        p.y = ScatterY(static_cast<int>(n), 11);
    }

    g_fahrzeuge.heads.assign(60, UnitHead{});
    g_fahrzeuge.heat.assign(60, 0);
    g_fahrzeuge.jets.assign(60, WasserStrahl{});
    for (std::size_t n = 0; n < g_fahrzeuge.heads.size(); ++n) {
        UnitHead& h = g_fahrzeuge.heads[n];
        h.type = 0;
        h.present = 1;
        h.x = ScatterX(static_cast<int>(n), 17);
        h.y = ScatterY(static_cast<int>(n), 17);
    }
    FahrzeugUnits.count = 60;
    FahrzeugUnits.head = [](std::int16_t i) {
        return &g_fahrzeuge.heads[static_cast<std::size_t>(i)];
    };
    FahrzeugUnits.heat = [](std::int16_t i) {
        return &g_fahrzeuge.heat[static_cast<std::size_t>(i)];
    };
    FahrzeugUnits.wasserStrahl = [](std::int16_t i) {
        return &g_fahrzeuge.jets[static_cast<std::size_t>(i)];
    };

    SonderObjTypen.assign(1, SonderObjTyp{});
    SonderObjTypen[0].boxX1 = 20;
    SonderObjTypen[0].boxY1 = 20;
    SonderObjTypCount = 1;
    SonderObjs.clear();
    SonderObjs.resize(250);
    for (std::size_t n = 0; n < SonderObjs.size(); ++n) {
        SonderObj& o = SonderObjs[n];
        o.type = 0;
        o.x = ScatterX(static_cast<int>(n), 131);
        o.y = ScatterY(static_cast<int>(n), 37);
        o.fuel = 1000000;
    }
    SonderObjCount = 250;
}

// The level, one burnable class without a fuel limit, and the houses; burning or not.
void BuildScene(bool burning) {
    constexpr std::int32_t kNoLimit = kMaterialUnlimited;
    // A forest's numbers, but fuel without end.
    Materials = {{kNoLimit, kFireHeat, 10, 3000, 20}};
    MaterialCount = 1;

    sampledata::LevelFile level;
    level.width = kWidth;
    level.height = kHeight;
    level.cells.assign(static_cast<std::size_t>(kWidth * kHeight), MapCell{0, 0x80, 0, 0});
    LoadLevelMapFromBytes(sampledata::WriteLevelFile(level), "bench");
    for (BrandState& s : BrandStates) s = {kNoLimit, 0, 0};

    sampledata::HouseFile file;
    for (int f = 0; f < 4; ++f) {
        sampledata::HouseFloorData floor{kHouseGridI, kHouseGridJ, {}};
        HouseCell cell;
        cell.lowerImage = 1;
        floor.cells.assign(static_cast<std::size_t>(kHouseGridI * kHouseGridJ), cell);
        file.floors.push_back(floor);
    }
    FreeHouseTyp(kHouseTyp);
    LoadHouseTypFromBytes(kHouseTyp, sampledata::WriteHouseFile(file), "bench");
    HouseCount = kHouses;
    InitHouseList();
    for (int n = 0; n < kHouses; ++n)
        AddHouse(kHouseTyp, static_cast<std::int16_t>(100 + kHouseGridI * n), 60, 0, 0, 0);
    for (int n = 0; n < kHouses; ++n) PrepareHouse(n);
    ResetFireCounts();
    for (House& h : Houses)
        for (HouseFloor& f : h.floors)
            for (auto& column : f.brand)
                for (BrandState& s : column) s = {kNoLimit, 0, 0};
    if (!burning) return;

    // The band: 200 columns of 10 rows.
    for (int column = 20; column < 220; ++column)
        for (int row = 10; row < 20; ++row) {
            BrandStates[static_cast<std::size_t>(CellIndex(column, row))] = {kNoLimit, kFireHeat,
                                                                             1};
            ++BurningCellCount;
        }
    for (House& h : Houses) {
        for (HouseFloor& f : h.floors)
            for (auto& column : f.brand)
                for (BrandState& s : column) s = {kNoLimit, kFireHeat, 1};
        h.burning = 1;
        h.burningCells = 4 * kHouseGridI * kHouseGridJ;
        ++BurningHouseCount;
    }
}

void BM_BrandTick(benchmark::State& state) {
    const bool burning = state.range(0) != 0;
    const bool units = state.range(1) != 0;
    InstallUnits();
    BuildScene(burning);
    const std::vector<BrandState> brand = BrandStates;
    const std::vector<CellAnim> anims = CellAnims;
    const std::vector<MapCell> cells = MapCells;
    const std::vector<House> houses = Houses;
    std::vector<std::int32_t> objectHeat;
    for (const SonderObj& o : SonderObjs) objectHeat.push_back(o.heat);
    const std::vector<Person> personen = Personen;
    const Fahrzeuge fahrzeuge = g_fahrzeuge;
    const std::int16_t burningCells = BurningCellCount;
    const std::int16_t burningHouses = BurningHouseCount;
    int burningHouseCells = 0;
    for (const House& h : Houses) burningHouseCells += h.burningCells;
    for (auto _ : state) {
        state.PauseTiming();
        BrandStates = brand;
        CellAnims = anims;
        MapCells = cells;
        Houses = houses;
        for (std::size_t n = 0; n < SonderObjs.size(); ++n) SonderObjs[n].heat = objectHeat[n];
        Personen = personen;
        g_fahrzeuge = fahrzeuge;
        BurningCellCount = burningCells;
        BurningHouseCount = burningHouses;
        state.ResumeTiming();
        for (int tick = 0; tick < kTicks; ++tick) {
            BrandPhase = static_cast<std::int16_t>(tick);
            UpdateBrand();
            if (units) ApplyBrandDamage();
        }
        benchmark::ClobberMemory();
    }
    // The workload: the ticks of an iteration and the fire they start from.
    state.counters["ticks"] = kTicks;
    state.counters["burning_cells"] = burningCells;
    state.counters["burning_house_cells"] = burningHouseCells;
    state.counters["tick_time"] = benchmark::Counter(
        kTicks, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    FreePersonen();
    ResetUnitViews();
    FreeHouses();
    FreeLevelMap();
    FreeMaterials();
    FreeSonderObj();
}
BENCHMARK(BM_BrandTick)
    ->ArgNames({"burning", "units"})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
