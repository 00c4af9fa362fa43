#include "mission/view/game_screen.h"

#include <cstdio>

#include "core/fatal_error.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "mission/panel_pictures.h"
#include "mission/panels/control_panel.h"
#include "mission/selection.h"
#include "mission/view/draw_pictures.h"
#include "mission/view/message_box.h"
#include "mission/view/world_drawing.h"
#include "platform/display.h"
#include "platform/text.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "world/ponton_punkte.h"

namespace kv {

namespace {

// Every cursor picture has its hot spot here.
constexpr int kCursorHotSpot = 11;
// The clock's dark box and its text, in the view's top-left corner.
constexpr int kClockBoxX = 13;
constexpr int kClockBoxY = 13;
constexpr int kClockBoxWidth = 60;
constexpr int kClockBoxHeight = 24;
constexpr int kClockTextX = 20;
constexpr int kClockTextY = 12;
constexpr std::uint32_t kTicksPerSecond = 20;

// The boat points are shown while a boat or a boat carrier is selected.
bool BoatPointsWanted() {
    return SelectionMode == kTypF116 || SelectionMode == kTypF117 || SelectionMode == kTypF119;
}

// Frame CursorId of the cursor pictures at the mouse, cut to the screen; none past the frames.
void DrawCursor() {
    if (CursorId == kNoCursor || DragActive != 0) return;
    const VffImage* frame = SetFrame(MausImages, CursorId);
    if (frame == nullptr) return;
    BlitTransparentClippedTo(kScreenRect, frame->pixels, MouseX - kCursorHotSpot,
                             MouseY - kCursorHotSpot, frame->width, frame->height, DrawTarget,
                             DrawPitch);
}

void DrawClockText() {
    DisplayDC dc(SurfaceId::Back);
    if (!dc) return;
    const std::uint32_t seconds = MissionClock / kTicksPerSecond;
    char text[32];
    std::snprintf(text, sizeof text, "%02u:%02u", seconds / 60, seconds % 60);
    UseLargeWhiteText(*dc, TA_LEFT | TA_TOP);
    dc->textOut(kClockTextX, kClockTextY, text);
}

}  // namespace

void DrawGameScreen() {
    if (WorkBuffer == nullptr) return;
    DrawTarget = WorkBuffer;
    DrawPitch = kScreenWidth;
    DrawControlPanel();
    DrawWorld();
    if (FatalErrorRaised()) return;
    if (SelectionMode == kTypF113) DrawPontonPunkte();
    if (BoatPointsWanted()) DrawBootPunkte();
    DrawCursor();
    DrawMessageBox();

    // Lost surfaces are made again first; when that fails the game is ending.
    if (!BeginFrame()) return;
    CopyWorkBuffer();
    if (MissionClockMode != 0)
        TintRect50(kClockBoxX, kClockBoxY, kClockBoxWidth, kClockBoxHeight, 0, DrawTarget,
                   DrawPitch);
    UnlockFrame();
    if (MissionClockMode != 0) DrawClockText();
    DrawMessageLine();
    FlipFrame();
    MissionViewFresh = 0;
}

}  // namespace kv
