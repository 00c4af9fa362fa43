#include "mission/game_state.h"

#include "core/befehl_callbacks.h"
#include "core/campaign.h"
#include "core/cd_path.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_extras.h"
#include "core/mission_hooks.h"
#include "core/mission_points.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/selection.h"
#include "core/unit_views.h"
#include "core/view.h"
#include "media/intro.h"
#include "media/sound_slots.h"
#include "media/speech.h"
#include "media/video.h"
#include "mission/campaign_tables.h"
#include "mission/command_slots.h"
#include "mission/evaluation.h"
#include "mission/mission_start.h"
#include "mission/mission_steps.h"
#include "mission/mission_tick.h"
#include "mission/panels/control_panel.h"
#include "mission/pause.h"
#include "mission/scan_display.h"
#include "mission/screen_calls.h"
#include "mission/scroll_view.h"
#include "mission/selection.h"
#include "mission/view/draw_list.h"
#include "movement/befehl_queue.h"
#include "movement/move_step.h"
#include "movement/searching_movers.h"
#include "movement/traffic_paths.h"
#include "movement/zones.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_befehle.h"
#include "persons/person_evade.h"
#include "persons/person_fight.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_update.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand.h"
#include "world/explosions.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/materials.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"
#include "world/terrain.h"
#include "world/tile_set.h"
#include "world/wasser_strahl.h"

namespace kv {

void ResetGameState() {
    ResetMissionStart();
    ResetDrawList();
    ReleaseSounds();
    FreeSobjJet();
    FreeBootPunkte();
    FreePontonPunkte();
    ResetSonderObj();
    ResetExplosions();
    FreeHouses();
    FreeMaterials();
    FreeTerrain();
    FreeTileSet();
    FreeLevelMap();
    FreeZones();
    FreeMissionExtras();
    FreeGafferZiele();
    FreePassantenWege();
    FreeZFWege();
    FreePersonen();
    FreeFahrzeuge();
    ResetBefehlQueue();
    ResetUnitViews();
    ResetSearchingMovers();
    ResetFireCounts();
    ResetMissionCounters();
    ResetMissionScratch();
    ResetMissionPoints();
    ResetEvaluation();
    ResetScanDisplay();
    ResetMissionTick();
    ClearMessageLine();
    ResetScrollView();
    ResetSelection();
    ResetCommandSlots();
    ResetPause();
    ResetHover();
    ResetView();
    ResetMissionState();
}

void ResetProgramState() {
    FreePreloadedPersonTypen();
    ClearMissionHooks();
    SetBefehlCallbackSource(nullptr);
    InitBefehlCallbacks();
    SetPersonBefehlHooks(nullptr);
    ResetPlannerWatch();
    ResetFreeSpotIndex();
    PersonEvadeWatcher = {};
    SetUpdateSelectionModeHook(nullptr);
    SetMoveFahrzeugOnKarteHook(nullptr);
    SetGameModeTable(nullptr);
    GameMode = 0;
    UnitSpeech = 0;
    ResetOptions();
    ResetCampaign();
    ResetCampaignPosition();
    ResetBlueLights();
    ResetMissionSteps();
    ResetPanelBlink();
    SetScreenCalls(nullptr);
    SetStartMissionFunction(nullptr);
    ResetMouse();
    ResetVideoState();
    CdPath.clear();
    ResetFatalError();
}

}  // namespace kv
