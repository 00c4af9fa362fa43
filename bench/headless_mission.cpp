#include "headless_mission.h"

#include "app/program_tables.h"
#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "core/random.h"
#include "mission/game_state.h"
#include "mission/mission_start.h"
#include "platform/backend.h"
#include "platform/window.h"

namespace kv::bench {

namespace {

void DrainMessages() {
    Message m;
    while (PeekMessage(m, PM_REMOVE) && m.message != WM_QUIT) DispatchMessage(m);
}

}  // namespace

HeadlessMission::HeadlessMission(void (*prepare)()) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(KV_SAMPLEDATA_DIR);
    backend_.videoDevice().setEndAtOnce(true);
    SetBackend(&backend_);
    InstallProgramTables();
    if (InitWindow() == 0) return;
    InitGame();
    SeedRandom(7);
    if (prepare != nullptr) prepare();
    StartMission(kNewMission);
    DrainMessages();
}

HeadlessMission::~HeadlessMission() {
    ShutdownMission(1);
    if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
    DrainMessages();
    ResetGameState();
    ResetProgramState();
    ResetWindows();
    SetBackend(nullptr);
    std::filesystem::current_path(previous_);
}

bool HeadlessMission::started() const {
    return !FatalErrorRaised() && GameMode == 2;
}

}  // namespace kv::bench
