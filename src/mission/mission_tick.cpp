#include "mission/mission_tick.h"

#include "core/fire_counts.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "gfx/palette.h"
#include "media/sound_slots.h"
#include "movement/searching_movers.h"
#include "movement/traffic_paths.h"
#include "persons/person_update.h"
#include "vehicles/fahrzeug_update.h"
#include "world/brand.h"
#include "world/furniture.h"
#include "world/sonder_obj.h"
#include "world/tile_set.h"

namespace kv {

std::uint32_t MissionClock = 0;
std::uint8_t MissionClockMode = 0;
std::int16_t LflugCooldown = 0;
std::array<std::int32_t, 2> BlueLightCounters = {0, 5};

namespace {

void RunUpdateMission() {
    if (const auto hook = OptionalMissionHook(MissionNummer, &MissionHooks::UpdateMission)) hook();
}

void StepBrandPhase() {
    ++BrandPhase;
    if (BrandPhase >= kBrandPhaseCount || BrandPhase < 0) BrandPhase = 0;
}

void CountDownLflug() {
    if (LflugCooldown > 0) --LflugCooldown;
}

void CountTick() {
    ++TickCounter;
}

void StepMissionClock() {
    if (MissionClockMode == 0) return;
    if (MissionClockMode == 1) {
        ++MissionClock;
        return;
    }
    if (static_cast<std::int32_t>(MissionClock) > 0) --MissionClock;
}

// Steps without a function belong to modules not built yet.
constexpr std::array<MissionStep, kTickStepCount> kTickSteps = {{
    {"RecountSearchers", BeginSearcherTick},
    {"UpdateBrand", UpdateBrand},
    {"ApplyBrandDamage", ApplyBrandDamage},
    {"SpawnZF", SpawnZF},
    {"UpdateFahrzeuge", UpdateFahrzeuge},
    {"UpdatePersonen", UpdatePersonen},
    {"UpdateSonderObj", UpdateSonderObj},
    {"UpdateHouseObjAnims", UpdateHouseObjAnims},
    {"UpdateMission", RunUpdateMission},
    {"UpdateCellAnimations", UpdateCellAnimations},
    {"UpdateKanzelLift", UpdateKanzelLift},
    {"UpdateSoundPositions", UpdateSoundPositions},
    {"BrandPhase", StepBrandPhase},
    {"LflugCooldown", CountDownLflug},
    {"TickCounter", CountTick},
    {"MissionClock", StepMissionClock},
}};

void NextBlueLight(std::int32_t& counter, int entry) {
    ++counter;
    if (counter >= static_cast<std::int32_t>(kBlueLightCycle.size()) || counter < 0) counter = 0;
    const BlueLightColour& c = kBlueLightCycle[static_cast<std::size_t>(counter)];
    SetPaletteEntry(entry, c.r, c.g, c.b);
}

}  // namespace

std::array<MissionStep, kTickStepCount> MissionTickSteps = kTickSteps;

const std::array<MissionStep, kTickStepCount>& DefaultMissionTickSteps() {
    return kTickSteps;
}

void RunGameTicks(std::uint8_t draw) {
    if (draw != 0) CyclePaletteColours();
    for (int n = 0; n < GameSpeed; ++n)
        if (!RunMissionSteps(MissionTickSteps)) return;
    if (draw != 0 && MissionView.BuildDrawList != nullptr) MissionView.BuildDrawList();
}

void CyclePaletteColours() {
    NextBlueLight(BlueLightCounters[0], kBlueLightFirstEntry);
    NextBlueLight(BlueLightCounters[1], kBlueLightSecondEntry);
}

void ResetMissionTick() {
    MissionClock = 0;
    MissionClockMode = 0;
    LflugCooldown = 0;
}

void ResetBlueLights() {
    BlueLightCounters = {0, 5};
}

}  // namespace kv
