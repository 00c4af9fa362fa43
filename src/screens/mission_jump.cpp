#include "screens/mission_jump.h"

#include <cstdio>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "gfx/blitters.h"
#include "gfx/fonts.h"
#include "gfx/frame_buffer.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "mission/panel_pictures.h"
#include "mission/panels/control_panel.h"
#include "mission/view/draw_pictures.h"
#include "mission/view/world_drawing.h"
#include "platform/display.h"
#include "platform/text.h"
#include "screens/screen_blits.h"

namespace kv {

std::optional<JumpBoxTable> JumpBoxes;

namespace {

constexpr std::uint32_t kModeMission = 2;
constexpr std::uint32_t kModeMissionJump = 11;

}  // namespace

std::string JumpEntryText(int i) {
    const int mission = CampaignOrder[static_cast<std::size_t>(i)];
    char text[64];
    std::snprintf(text, sizeof text, "%02d %s", i + 1,
                  MissionTitlesShort[static_cast<std::size_t>(mission)]);
    return text;
}

void OpenMissionJump() {
    JumpBoxes = BuildJumpBoxes();
    CursorId = 0;
    GameMode = kModeMissionJump;
}

void RunMissionJumpFrame() {
    RunGameTicks(1);
    if (FatalErrorRaised() || GameMode != kModeMissionJump || WorkBuffer == nullptr) return;
    DrawTarget = WorkBuffer;
    DrawPitch = kScreenWidth;
    DrawControlPanel();
    DrawWorld();
    if (FatalErrorRaised()) return;
    DrawMissionJump();
}

void DrawMissionJump() {
    if (!JumpBoxes || WorkBuffer == nullptr) return;
    DrawTarget = WorkBuffer;
    DrawPitch = kScreenWidth;
    DrawScreenFrame(MaskeImages, 0, kJumpMaskRightX, kJumpMaskRightY, false);
    DrawScreenFrame(MaskeImages, 1, kJumpMaskBottomX, kJumpMaskBottomY, false);
    for (const JumpBox& b : *JumpBoxes)
        TintRect50(b.x, b.y, kJumpBoxWidth, kJumpBoxHeight, 0, WorkBuffer, kScreenWidth);
    DrawTarget = nullptr;

    if (!BeginFrame()) return;
    CopyWorkBuffer();
    DrawScreenCursor();
    UnlockFrame();
    {
        DisplayDC dc(SurfaceId::Back);
        if (dc) {
            dc->setBkMode(TRANSPARENT);
            dc->selectFont(FontBold);
            dc->setTextColor(Rgb(255, 255, 255));
            dc->setTextAlign(TA_LEFT | TA_TOP);
            for (int i = 0; i < kCampaignLength; ++i) {
                const JumpBox& b = (*JumpBoxes)[static_cast<std::size_t>(i)];
                dc->textOut(b.x + kJumpTextX, b.y + kJumpTextY, JumpEntryText(i));
            }
        }
    }
    FlipFrame();
}

void OnMissionJumpLButtonDown(int x, int y) {
    if (!JumpBoxes) return;
    for (int i = 0; i < kCampaignLength; ++i) {
        const JumpBox& b = (*JumpBoxes)[static_cast<std::size_t>(i)];
        if (x < b.x || x >= b.x + kJumpBoxWidth || y < b.y || y >= b.y + kJumpBoxHeight) continue;
        CampaignPosition = static_cast<std::uint8_t>(i);
        CloseMissionJump(true);
        return;
    }
}

void OnMissionJumpRButtonDown() {
    CloseMissionJump(false);
}

void OnMissionJumpMouseMove(int x, int y) {
    MouseX = static_cast<std::uint16_t>(x);
    MouseY = static_cast<std::uint16_t>(y);
}

void ResetMissionJump() {
    JumpBoxes.reset();
}

void CloseMissionJump(bool start) {
    JumpBoxes.reset();
    if (!start) {
        GameMode = kModeMission;
        return;
    }
    RestoreStartMoney();
    ShutdownMission(0);
    StartMission(kNewMission);
}

}  // namespace kv
