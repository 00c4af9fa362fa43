#include "mission_run.h"

#include "app/program_tables.h"
#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "mission/campaign_tables.h"
#include "mission/game_state.h"
#include "mission/mission_frame.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "platform/window.h"
#include "screens/karte.h"
#include "screens/save_game.h"
#include "screens/screen_state.h"

namespace kv::run {

namespace {
bool g_missionRunning = false;
}  // namespace

void DrainMessages() {
    Message m;
    while (PeekMessage(m, PM_REMOVE)) {
        if (m.message == WM_QUIT) return;
        TranslateMessage(m);
        DispatchMessage(m);
    }
}

std::string StartGame() {
    InstallProgramTables();
    if (InitWindow() == 0) return "the window could not be opened";
    InitGame();
    if (FatalErrorRaised()) return FatalErrorMessage();
    return {};
}

std::string StartMissionRun(int mission) {
    CampaignPosition = CampaignPositionOf(mission);
    StartMission(kNewMission);
    g_missionRunning = true;
    DrainMessages();
    if (FatalErrorRaised()) return FatalErrorMessage();
    // A new mission opens on the campaign map: leave it for play as the player does after the
    // briefing, so that the world has started.
    if (GameMode == 10) {
        BriefingUnread = 0;
        LeaveKarte(0);
        if (FatalErrorRaised()) return FatalErrorMessage();
    }
    if (GameMode != 2) return "the mission did not reach the mission view";
    GameSpeed = 1;
    return {};
}

namespace {
std::string g_lastRunError;
}  // namespace

bool LoadMissionRun(int slot) {
    g_lastRunError.clear();
    ShutdownMission(1);
    StartMission(slot);
    g_missionRunning = true;
    DrainMessages();
    const bool refused = !LastSaveRefusal.empty();
    if (FatalErrorRaised())
        g_lastRunError = FatalErrorMessage();
    else if (GameMode != 2)
        g_lastRunError = "the loaded mission did not reach the mission view";
    GameSpeed = 1;
    return !refused;
}

std::string LastRunError() {
    return g_lastRunError;
}

std::string RunTick() {
    RunGameTicks(0);
    if (FatalErrorRaised()) return FatalErrorMessage();
    if (GameMode != 2) return "play left the mission view";
    return {};
}

std::string RunFrame() {
    GameSpeed = 1;
    RunMissionFrame();
    if (FatalErrorRaised()) return FatalErrorMessage();
    if (GameMode != 2) return "play left the mission view";
    return {};
}

void EndMission() {
    if (!g_missionRunning) return;
    g_missionRunning = false;
    // Play, the campaign map, or the failed or won screen that froze it.
    const bool playing = GameMode == 2 || GameMode == 4 || GameMode == 5 || GameMode == 10;
    if (playing && !FatalErrorRaised()) ShutdownMission(1);
}

void CloseGameWindow() {
    if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
    DrainMessages();
}

void EndGame() {
    EndMission();
    ResetScreens();
    CloseGameWindow();
    ResetGameState();
    ResetProgramState();
}

}  // namespace kv::run
