#include "screens/mission_end.h"

#include <algorithm>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "media/sound_slots.h"
#include "mission/command_slots.h"
#include "mission/mission_start.h"
#include "mission/panel_pictures.h"
#include "mission/panels/control_panel.h"
#include "mission/screen_calls.h"
#include "mission/view/message_box.h"
#include "mission/view/world_drawing.h"
#include "screens/auswertung.h"
#include "screens/screen_blits.h"
#include "screens/screen_picture.h"
#include "world/explosions.h"

namespace kv {

namespace {

constexpr std::uint32_t kModeMissionFailed = 4;
constexpr std::uint32_t kModeMissionWon = 5;
constexpr std::uint16_t kOptionsFireFrame = 3;

// The options side button, and the world view.
constexpr ClipRect kOptionsButtonRect{662, 353, 769, 411};
constexpr ClipRect kViewRect{10, 10, 639, 479};

bool Inside(const ClipRect& r, int x, int y) {
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

bool ExplosionRunning() {
    return std::any_of(ExplosionSlots.begin(), ExplosionSlots.end(),
                       [](const ExplosionSlot& e) { return e.live > 0; });
}

// The panels and the frozen view, without cursor, into the WorkBuffer.
void DrawFrozenMission() {
    DrawTarget = WorkBuffer;
    DrawPitch = kScreenWidth;
    DrawControlPanel();
    DrawWorld();
}

}  // namespace

namespace {

// The banner drawn over the frozen mission with the message box, then freed: from here on it
// lives only in the WorkBuffer.
void ComposeMissionFailedPicture(VffImage* banner) {
    if (WorkBuffer != nullptr) {
        DrawFrozenMission();
        DrawScreenFrame(banner, 0, kBannerX, kBannerY, true);
        DrawMessageBox();
        DrawTarget = nullptr;
    }
    FreeVff(banner);
}

VffImage* LoadFailedBanner() {
    VffImage* banner = LoadVff(kFailedBannerPath);
    if (banner == nullptr) FatalError("file not found: FAILED");
    return banner;
}

}  // namespace

bool BuildMissionFailedPicture() {
    VffImage* banner = LoadFailedBanner();
    if (banner == nullptr) return false;
    ComposeMissionFailedPicture(banner);
    return true;
}

void ShowMissionFailed(std::uint16_t kind, std::string_view reason) {
    if (kind == kFailAfterExplosions && ExplosionRunning()) return;
    VffImage* banner = LoadFailedBanner();
    if (banner == nullptr) return;
    StopAllSounds();
    SetMessageLine(reason, kMessageLineForever);
    ComposeMissionFailedPicture(banner);
    RestoreStartMoney();
    OptionsButton.pressed = 0;
    GameMode = kModeMissionFailed;
    CursorId = 0;
}

void DrawMissionFailed() {
    if (!BeginFrame()) return;
    CopyWorkBuffer();
    if (OptionsButton.pressed != 0)
        DrawScreenFrame(OptionsButDownImages, 0, kOptionsDownX, kOptionsDownY, false);
    DrawScreenCursor();
    UnlockFrame();
    DrawMessageLine();
    FlipFrame();
}

void RunMissionFailedFrame() {
    DrawMissionFailed();
    if (OptionsButton.pressed == 0) return;
    if (++OptionsButton.frameCounter < kOptionsFireFrame) return;
    OptionsButton.pressed = 0;
    if (ScreenCalls().OpenOptionsScreen != nullptr) ScreenCalls().OpenOptionsScreen();
}

void OnMissionFailedLButtonDown(int x, int y) {
    if (Inside(kOptionsButtonRect, x, y)) {
        OptionsButton.pressed = 1;
        OptionsButton.frameCounter = 0;
    } else if (Inside(kViewRect, x, y)) {
        RestartMission();
    }
}

void OnMissionFailedMouseMove(int x, int y) {
    MouseX = static_cast<std::uint16_t>(x);
    MouseY = static_cast<std::uint16_t>(y);
}

void OnMissionFailedKeyDown(std::uint32_t) {
    RestartMission();
}

void RestartMission() {
    ShutdownMission(0);
    StartMission(-1);
}

void ShowWellDone() {
    FreeScreenPicture();
    if (!LoadScreenPicture(ScreenPicture, kWellDoneBannerPath, "file not found: WELLDONE")) return;
    StopAllSounds();
    if (WorkBuffer != nullptr) {
        DrawFrozenMission();
        DrawTarget = nullptr;
    }
    StartMoney = Money;
    GameMode = kModeMissionWon;
    CursorId = 0;
}

void DrawWellDone() {
    if (!BeginFrame()) return;
    CopyWorkBuffer();
    DrawScreenFrame(ScreenPicture, 0, kBannerX, kBannerY, true);
    EndFrame();
}

void RunWellDoneFrame() {
    DrawWellDone();
}

void OnWellDoneLButtonDown() {
    CloseWellDone();
}

void OnWellDoneKeyDown() {
    CloseWellDone();
}

void CloseWellDone() {
    FreeScreenPicture();
    OpenAuswertung();
}

}  // namespace kv
