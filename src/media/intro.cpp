#include "media/intro.h"

#include <cstring>
#include <span>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "gfx/frame_buffer.h"
#include "gfx/image_files.h"
#include "gfx/palette.h"
#include "media/video.h"
#include "platform/system.h"

namespace kv {

namespace {

StartMissionFunction g_startMission = nullptr;

// The start picture has no pointer of the game's own (those load with a mission), so the
// system's shows while it waits for the click.
bool g_pointerShown = false;

void StartGame() {
    if (g_pointerShown) {
        g_pointerShown = false;
        ShowCursor(false);
    }
    if (g_startMission != nullptr) g_startMission(-1);
}

}  // namespace

void SetStartMissionFunction(StartMissionFunction start) {
    g_startMission = start;
}

void PlayLogoVideos() {
    BlankScreen();
    if (WorkBuffer != nullptr) std::memset(WorkBuffer, 0, kWorkBufferSize);
    PumpMessages();
    g_pointerShown = false;
    GameMode = 1;
    VideoStage = kVideoFirstLogo;
    PlayVideo("CDvideos\\dalquin.avi", 0, 0, 0, 640, 480);
}

void NextIntroVideo() {
    SetBlackPalette();
    switch (VideoStage) {
        case kVideoFirstLogo:
            VideoStage = kVideoSecondLogo;
            PlayVideo("CDvideos\\mervix.avi", 0, 0, 80, 640, 320);
            break;
        case kVideoSecondLogo:
            VideoStage = kVideoIntro;
            PlayVideo("CDvideos\\intro.avi", 0, 0, 80, 640, 320);
            break;
        case kVideoIntro:
            if (WorkBuffer == nullptr) return;
            if (!LoadCff("graphs\\d\\start.cff", &Palette,
                         std::span(WorkBuffer, kWorkBufferSize))) {
                FatalError("file not found: Startbild");
                return;
            }
            // Shown under the black palette, then brought up.
            PresentWorkBuffer();
            Sleep(1000);
            FadePaletteIn(Palette);
            if (!g_pointerShown) {
                g_pointerShown = true;
                ShowCursor(true);
            }
            PumpMessages();
            break;
        default:
            break;
    }
}

void HandleIntroClick(WParam, int, int) {
    FadePaletteOut();
    StartGame();
}

void HandleIntroKey(WParam, LParam) {
    FadePaletteOut();
    StartGame();
}

}  // namespace kv
