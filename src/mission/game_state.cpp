#include "mission/game_state.h"

#include "core/befehl_callbacks.h"
#include "core/campaign.h"
#include "core/cd_path.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_extras.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/selection.h"
#include "core/unit_views.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "media/speech.h"
#include "movement/befehl_queue.h"
#include "movement/zones.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/explosions.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/materials.h"
#include "world/sonder_obj.h"
#include "world/terrain.h"
#include "world/tile_set.h"

namespace kv {

namespace {

// Types 0..7 are loaded once at program start and stay; a mission loads the others.
constexpr int kPreloadedPersonTypen = 8;

}  // namespace

void ResetGameState() {
    ReleaseSounds();
    for (int t = 0; t < kFahrzeugTypCount; ++t) FreeFahrzeugTyp(static_cast<std::int16_t>(t));
    for (int t = kPreloadedPersonTypen; t < kPersonTypCount; ++t)
        FreePersonTyp(static_cast<std::int16_t>(t));
    ResetSonderObj();
    ResetExplosions();
    FreeHouses();
    FreeMaterials();
    FreeTerrain();
    FreeTileSet();
    FreeLevelMap();
    FreeZones();
    FreeMissionExtras();
    FreePersonen();
    ResetBefehlQueue();
    ResetUnitViews();
    ResetFireCounts();
    ResetHover();
    ResetView();
    ResetMissionState();
}

void ResetProgramState() {
    for (int t = 0; t < kPreloadedPersonTypen; ++t) FreePersonTyp(static_cast<std::int16_t>(t));
    ClearMissionHooks();
    SetBefehlCallbackSource(nullptr);
    InitBefehlCallbacks();
    SetUpdateSelectionModeHook(nullptr);
    SetGameModeTable(nullptr);
    GameMode = 0;
    UnitSpeech = 0;
    ResetOptions();
    ResetCampaign();
    ResetMouse();
    CdPath.clear();
    ResetFatalError();
}

}  // namespace kv
