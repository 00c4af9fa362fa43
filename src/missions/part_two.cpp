#include "missions/part_two.h"

#include <cstdio>
#include <cstring>

#include "core/cd_path.h"
#include "core/fatal_error.h"
#include "core/main_window.h"
#include "core/mission_state.h"
#include "gfx/frame_buffer.h"
#include "gfx/palette.h"
#include "media/sound_slots.h"
#include "media/video.h"
#include "mission/mission_start.h"
#include "movement/path_nodes.h"
#include "platform/files.h"
#include "world/level_map.h"
#include "world/tile_set.h"

namespace kv {

namespace {

// The mid-mission video's rectangle, as the opening video's.
constexpr int kVideoX = 0;
constexpr int kVideoY = 80;
constexpr int kVideoWidth = 640;
constexpr int kVideoHeight = 320;

}  // namespace

void PlayPhase2Video() {
    // The trigger stays set while the video plays: ask for it once.
    if (PartTwo != 0 || VideoStage == kVideoMidMission) return;
    FadePaletteOut();
    BlankScreen();
    if (WorkBuffer != nullptr) std::memset(WorkBuffer, 0, kWorkBufferSize);
    PumpMessages();
    if (FatalErrorRaised()) return;
    ReleaseSounds();
    VideoStage = kVideoMidMission;
    char video[32];
    std::snprintf(video, sizeof video, "CDvideos\\mi%02d_2.avi", MissionNummer);
    if (!FileExists(ResolveCdPath(video))) {
        BeginMission(kAfterMissionVideo);
        return;
    }
    PlayVideo(video, 0, kVideoX, kVideoY, kVideoWidth, kVideoHeight);
}

void LoadPartTwoLevel() {
    // What the level set-up kept of the first map, to keep of the second.
    const int dropColumns = MapWidth - ScrollCols;
    const int dropRows = MapHeight - ScrollRows;
    FreeTileSet();
    FreeLevelMap();
    if (!LoadLevelMap(MissionNummer, 1) || LoadTileSet(MissionNummer, 1) == nullptr) return;
    PartTwo = 1;
    FreeEmptyNodeGraph();
    ScrollCols = static_cast<std::int16_t>(MapWidth - dropColumns);
    ScrollRows = static_cast<std::int16_t>(MapHeight - dropRows);
    DeriveMapLimits();
}

}  // namespace kv
