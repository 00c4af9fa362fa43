#include "mission/mission_start.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/cd_path.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/main_window.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "gfx/frame_buffer.h"
#include "gfx/palette.h"
#include "media/cd_audio.h"
#include "media/sound_slots.h"
#include "media/speech.h"
#include "media/video.h"
#include "mission/campaign_tables.h"
#include "mission/command_slots.h"
#include "mission/mission_extras.h"
#include "mission/mission_tick.h"
#include "mission/panel_pictures.h"
#include "mission/screen_calls.h"
#include "mission/scroll_view.h"
#include "mission/selection.h"
#include "mission/view/draw_list.h"
#include "movement/befehl_queue.h"
#include "movement/path_nodes.h"
#include "movement/searching_movers.h"
#include "movement/traffic_paths.h"
#include "movement/zones.h"
#include "persons/gaffer_ziele.h"
#include "persons/personen.h"
#include "platform/files.h"
#include "platform/system.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand.h"
#include "world/explosions.h"
#include "world/house_types.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/materials.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"
#include "world/terrain.h"
#include "world/tile_set.h"
#include "world/wasser_strahl.h"

namespace kv {

std::uint8_t MissionViewFresh = 0;

namespace {

// Something of a mission is set up and not yet freed.
bool g_setUp = false;

// The briefing box's size until a level hook changes it.
constexpr std::int16_t kBriefingWidth = 400;
constexpr std::int16_t kBriefingHeight = 230;

// The opening video's rectangle.
constexpr int kVideoX = 0;
constexpr int kVideoY = 80;
constexpr int kVideoWidth = 640;
constexpr int kVideoHeight = 320;

void RunScreenCall(void (*call)()) {
    if (call != nullptr) call();
}

constexpr std::array<MissionStep, kInitStepCount> kInitSteps = {{
    {"LoadLevelMap", [] { LoadLevelMap(MissionNummer, PartTwo); }},
    {"LoadTileSet", [] { LoadTileSet(MissionNummer, PartTwo); }},
    {"LoadFarbenPal", LoadFarbenPal},
    {"InitLevel", [] { InitLevel(MissionNummer); }},
    {"InitHouses", [] { InitHouses(MissionNummer); }},
    {"FreeEmptyNodeGraph", FreeEmptyNodeGraph},
    {"ClearExplosions", ClearExplosions},
    {"LoadTerrain", [] { LoadTerrain(); }},
    {"InitPontonPunkte", [] { InitPontonPunkte(MissionNummer); }},
    {"InitBootPunkte", [] { InitBootPunkte(MissionNummer); }},
    {"InitBrand", [] { InitBrand(MissionNummer); }},
    {"InitZFWege", [] { InitZFWege(MissionNummer); }},
    {"InitPassantenWege", [] { InitPassantenWege(MissionNummer); }},
    {"InitSonderObj", [] { InitSonderObj(MissionNummer); }},
    {"InitPersonen", [] { InitPersonen(MissionNummer); }},
    {"InitFahrzeuge", [] { InitFahrzeuge(MissionNummer); }},
    {"InitGafferZiele", [] { InitGafferZiele(MissionNummer); }},
    {"LoadSobjJet", LoadSobjJet},
    {"ResetCommandSlots", ResetCommandSlots},
    {"InitBasen", [] { RunScreenCall(ScreenCalls().InitBasen); }},
    {"InitMissionExtras", [] { InitMissionExtras(MissionNummer); }},
    {"ResetZones", [] { ResetZones(MissionNummer); }},
}};

constexpr std::array<MissionStep, kFreeStepCount> kFreeSteps = {{
    {"FreeBootPunkte", FreeBootPunkte},
    {"FreePontonPunkte", FreePontonPunkte},
    {"FreeZones", FreeZones},
    {"FreeMissionExtras", FreeMissionExtras},
    {"FreeBasen", [] { RunScreenCall(ScreenCalls().FreeBasen); }},
    {"FreeSobjJet", FreeSobjJet},
    {"FreeGafferZiele", FreeGafferZiele},
    {"FreePassantenWege", FreePassantenWege},
    {"FreeZFWege", FreeZFWege},
    {"FreePersonen", FreePersonen},
    {"FreeFahrzeuge", FreeFahrzeuge},
    {"FreeSonderObj", FreeSonderObj},
    {"FreeHouses", FreeHouses},
    {"FreeTerrain", FreeTerrain},
    {"FreeMaterials", FreeMaterials},
    {"FreeNodeGraph", FreeNodeGraph},
    {"ReleaseSounds", ReleaseSounds},
    {"StopCdAudio", [] { StopCdAudio(1); }},
}};

void ClearWorkBuffer() {
    if (WorkBuffer != nullptr) std::memset(WorkBuffer, 0, kWorkBufferSize);
}

// Which mission to start: false after the fatal error of a position or number that names none.
bool ChooseMission(std::int32_t slot) {
    if (slot != kNewMission) {
        CampaignPosition = CampaignPositionOf(MissionNummer);
        if (MissionNummer < 1 || MissionNummer > kMissionCount) {
            ReportMissingMissionHook("InitLevel");
            return false;
        }
        return true;
    }
    if (CampaignPosition >= kCampaignLength) {
        ReportMissingMissionHook("InitLevel");
        return false;
    }
    MissionNummer = CampaignOrder[CampaignPosition];
    PartTwo = 0;
    ShowStatusText(MissionTitlesLong[MissionNummer], "Warten Sie auf Einsatzbefehl...");
    return true;
}

void ResetMissionVariables() {
    MaxHouseFloors = 1;
    ClearBefehleSignal = 0;
    TickCounter = 0;
    BriefingBox.width = kBriefingWidth;
    BriefingBox.height = kBriefingHeight;
    SearchingMoverCount = 0;
    ResetMissionCounters();
    MissionClockMode = 0;
    // The fire model's phase is mission state; a new start must not go on with the last one's.
    BrandPhase = 0;
    NextVehicleIndex = 65535;
    JumpWordStep = 0;
}

void ResetInputAndView() {
    SetCursorPos(400, 300);
    MouseX = 400;
    MouseY = 300;
    HoverKind = kHoverNothing;
    CursorId = 0;
    ArrowKeyHeld = 0;
    ResetSelection();
    ResetViewScroll();
    GlideHome = 0;
    JumpTargetActive = 0;
    BriefingUnread = 1;
    WorldStarted = 0;
    LflugCooldown = 0;
    SelectionMode = kNoSelection;
    SelectedIndex = 65535;
}

// The first frame of play: the draw list, the screen, the palette faded in.
void ShowFirstMissionFrame() {
    if (MissionView.BuildDrawList != nullptr) MissionView.BuildDrawList();
    if (MissionView.DrawGameScreen != nullptr) MissionView.DrawGameScreen();
    FadePaletteIn(Palette);
}

}  // namespace

std::array<MissionStep, kInitStepCount> MissionInitSteps = kInitSteps;
std::array<MissionStep, kFreeStepCount> MissionFreeSteps = kFreeSteps;

const std::array<MissionStep, kInitStepCount>& DefaultMissionInitSteps() {
    return kInitSteps;
}

const std::array<MissionStep, kFreeStepCount>& DefaultMissionFreeSteps() {
    return kFreeSteps;
}

void InitLevel(int mission) {
    const auto hook = MissionHook(mission, &MissionHooks::InitLevel, "InitLevel");
    if (hook == nullptr) return;
    hook();
    if (FatalErrorRaised()) return;
    ScrollCols = static_cast<std::int16_t>(ScrollCols - 1);
    DeriveMapLimits();
}

void DeriveMapLimits() {
    WorldMaxX = static_cast<std::uint16_t>(ScrollCols * kCellWidth - MapHeight * 16 - 1);
    WorldMaxY = static_cast<std::uint16_t>(ScrollRows * kCellHeight - 1);
}

void StartMission(std::int32_t slot) {
    if (!ChooseMission(slot)) return;
    g_setUp = true;
    SavePreview.fill(0);
    if (!LoadPanelPictures(MissionNummer)) return;
    RunScreenCall(ScreenCalls().FindKarteStartPoints);
    ClearMessageLine();
    ResetMissionVariables();
    if (!RunMissionSteps(MissionInitSteps)) return;

    ResetInputAndView();
    GameMode = 2;
    EnableUnitSpeech();
    const bool loaded = slot != kNewMission;
    if (loaded && ScreenCalls().ReadSaveGame != nullptr) ScreenCalls().ReadSaveGame(slot);
    if (const auto hook = OptionalMissionHook(MissionNummer, &MissionHooks::RestorePhase2)) hook();
    if (FatalErrorRaised()) return;

    BlankScreen();
    ClearWorkBuffer();
    PumpMessages();
    if (FatalErrorRaised()) return;

    VideoStage = kVideoMission;
    char video[32];
    std::snprintf(video, sizeof video, "CDvideos\\mi%02d.avi", MissionNummer);
    if (loaded) {
        BeginMission(static_cast<std::uint32_t>(slot));
        RestartOwnerSounds();
    } else if (FileExists(ResolveCdPath(video))) {
        PlayCdTrack(0, 0);
        PlayVideo(video, 0, kVideoX, kVideoY, kVideoWidth, kVideoHeight);
    } else {
        BeginMission(kAfterMissionVideo);
    }
}

void BeginMission(std::uint32_t slot) {
    MissionViewFresh = 1;
    if (VideoStage == kVideoMission) {
        LoadSounds();
        if (FatalErrorRaised()) return;
        ClearWorkBuffer();
        PlayMissionMusic();
        if (slot == kAfterMissionVideo && ScreenCalls().OpenKarte != nullptr) {
            ScreenCalls().OpenKarte();
            return;
        }
        // Without the campaign map a new mission goes straight into play, the world running.
        if (slot == kAfterMissionVideo) WorldStarted = 1;
        ShowFirstMissionFrame();
        PumpMessages();
    } else if (VideoStage == kVideoMidMission) {
        if (MissionNummer == 11)
            ShowStatusText("Staudamm gebrochen!", "Bitte warten...");
        else
            ShowStatusText("Bitte warten...", nullptr);
        LoadSounds();
        if (FatalErrorRaised()) return;
        if (const auto hook = OptionalMissionHook(MissionNummer, &MissionHooks::StartPhase2))
            hook();
    }
}

void StartMissionPartTwo() {
    // Vehicles still on the campaign map's roads are put at the site: they arrive at their next
    // move.
    for (Fahrzeug& v : Fahrzeuge) {
        if (v.type == -1 || v.KarteWeg < 0) continue;
        v.KarteX = static_cast<std::uint16_t>(KarteMarker.x);
        v.KarteY = static_cast<std::uint16_t>(KarteMarker.y);
    }
    BlankScreen();
    PlayMissionMusicAgain();
    SetMessageLine("", 60);
    PartTwo = 1;
    ShowFirstMissionFrame();
}

void ShutdownMission(std::uint8_t keepPalette) {
    if (!g_setUp) return;
    StopAllSounds();
    if (keepPalette == 0) FadePaletteOut();
    FreePanelPictures();
    FreeTileSet();
    FreeLevelMap();
    FreeMapWege();
    for (const MissionStep& step : MissionFreeSteps)
        if (step.run != nullptr) step.run();
    // Its entries name the things just freed; the next mission's first frame builds it anew.
    ResetDrawList();
    g_setUp = false;
}

bool MissionSetUp() {
    return g_setUp;
}

void ResetMissionStart() {
    FreePanelPictures();
    FreeMapWege();
    SavePreview.fill(0);
    MissionViewFresh = 0;
    g_setUp = false;
}

}  // namespace kv
