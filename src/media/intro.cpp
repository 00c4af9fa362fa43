#include "media/intro.h"

#include <cstring>

#include "gfx/frame_buffer.h"
#include "gfx/palette.h"
#include "media/video.h"
#include "shell/game_mode.h"
#include "shell/main_window.h"

namespace kv {

namespace {

StartMissionFunction g_startMission = nullptr;

void StartGame() {
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
            // The start picture follows once image files can be loaded.
            PumpMessages();
            break;
        default:
            break;
    }
}

void HandleIntroClick(WParam, int, int) {
    StartGame();
}

void HandleIntroKey(WParam, LParam) {
    StartGame();
}

}  // namespace kv
