// One simulation tick of mission 1 on the sample data, nothing moving: the cost every frame pays
// before any unit does anything.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/program_tables.h"
#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "core/random.h"
#include "mission/game_state.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "platform/backend.h"
#include "platform/headless/headless_backend.h"
#include "platform/window.h"

namespace {

void DrainMessages() {
    kv::Message m;
    while (kv::PeekMessage(m, kv::PM_REMOVE) && m.message != kv::WM_QUIT) kv::DispatchMessage(m);
}

void BM_IdleMissionTick(benchmark::State& state) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(KV_SAMPLEDATA_DIR);
    kv::HeadlessBackend backend;
    backend.videoDevice().setEndAtOnce(true);
    kv::SetBackend(&backend);
    kv::InstallProgramTables();
    if (kv::InitWindow() != 0) {
        kv::InitGame();
        kv::SeedRandom(7);
        kv::StartMission(kv::kNewMission);
        DrainMessages();
    }
    if (kv::FatalErrorRaised() || kv::GameMode != 2) {
        state.SkipWithError("mission 1 did not start");
    } else {
        for (auto _ : state) kv::RunGameTicks(0);
    }
    kv::ShutdownMission(1);
    if (kv::IsWindow(kv::MainWindow)) kv::DestroyWindow(kv::MainWindow);
    DrainMessages();
    kv::ResetGameState();
    kv::ResetProgramState();
    kv::ResetWindows();
    kv::SetBackend(nullptr);
    std::filesystem::current_path(previous);
}
BENCHMARK(BM_IdleMissionTick)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
