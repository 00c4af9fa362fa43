#include "headless_mission.h"

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_hooks.h"
#include "core/random.h"
#include "mission_run.h"
#include "persons/personen.h"
#include "platform/backend.h"
#include "platform/window.h"
#include "vehicles/fahrzeuge.h"

namespace kv::bench {

HeadlessMission::HeadlessMission(void (*prepare)()) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(KV_SAMPLEDATA_DIR);
    backend_.videoDevice().setEndAtOnce(true);
    SetBackend(&backend_);
    if (!run::StartGame().empty()) return;
    SeedRandom(7);
    if (prepare != nullptr) prepare();
    run::StartMissionRun(1);
}

HeadlessMission::~HeadlessMission() {
    run::EndGame();
    ResetWindows();
    SetBackend(nullptr);
    std::filesystem::current_path(previous_);
}

bool HeadlessMission::started() const {
    return !FatalErrorRaised() && GameMode == 2;
}

namespace {

void (*g_missionVehicles)() = nullptr;
void (*g_missionPersons)() = nullptr;
void RoomyVehicles() {
    g_missionVehicles();
    FahrzeugCount = 80;
    AllocFahrzeuge();
}
void RoomyPersons() {
    g_missionPersons();
    PersonCount = 120;
    AllocPersonen();
}

}  // namespace

void MakeRoomForCrowd() {
    g_missionVehicles = MissionHookRows[0].InitFahrzeuge;
    g_missionPersons = MissionHookRows[0].InitPersonen;
    MissionHookRows[0].InitFahrzeuge = RoomyVehicles;
    MissionHookRows[0].InitPersonen = RoomyPersons;
}

}  // namespace kv::bench
