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

namespace kv {

std::optional<JumpBoxTable> JumpBoxes;

namespace {

constexpr std::uint32_t kModeMission = 2;
constexpr std::uint32_t kModeMissionJump = 11;
constexpr int kCursorHotSpot = 11;

// Opaque into the WorkBuffer, clipped to the screen: the sizes come from files.
void BlitMaskFrame(int frame, int x, int y) {
    const VffImage* f = SetFrame(MaskeImages, frame);
    if (f == nullptr || f->pixels == nullptr) return;
    BlitToBackBufferClippedTo(kScreenRect, f->pixels, x, y, f->width, f->height);
}

void DrawJumpCursor() {
    if (CursorId == kNoCursor) return;
    const VffImage* c = SetFrame(MausImages, CursorId);
    if (c == nullptr || c->pixels == nullptr) return;
    BlitTransparentClippedTo(kScreenRect, c->pixels, MouseX - kCursorHotSpot,
                             MouseY - kCursorHotSpot, c->width, c->height, DrawTarget, DrawPitch);
}

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
    BlitMaskFrame(0, kJumpMaskRightX, kJumpMaskRightY);
    BlitMaskFrame(1, kJumpMaskBottomX, kJumpMaskBottomY);
    for (const JumpBox& b : *JumpBoxes)
        TintRect50(b.x, b.y, kJumpBoxWidth, kJumpBoxHeight, 0, WorkBuffer, kScreenWidth);
    DrawTarget = nullptr;

    if (!BeginFrame()) return;
    CopyWorkBuffer();
    DrawJumpCursor();
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
