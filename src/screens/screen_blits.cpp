#include "screens/screen_blits.h"

#include "core/mission_state.h"
#include "core/mouse.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "mission/panel_pictures.h"
#include "mission/view/draw_pictures.h"

namespace kv {

namespace {

// Every cursor picture has its hot spot here.
constexpr int kCursorHotSpot = 11;

}  // namespace

void DrawScreenFrame(const VffImage* set, int n, int x, int y, bool transparent) {
    const VffImage* frame = SetFrame(set, n);
    if (frame == nullptr || frame->pixels == nullptr) return;
    if (transparent) {
        BlitTransparentClippedTo(kScreenRect, frame->pixels, x, y, frame->width, frame->height,
                                 DrawTarget, DrawPitch);
    } else {
        BlitToBackBufferClippedTo(kScreenRect, frame->pixels, x, y, frame->width, frame->height);
    }
}

void DrawScreenCursor() {
    if (CursorId == kNoCursor) return;
    DrawScreenFrame(MausImages, CursorId, MouseX - kCursorHotSpot, MouseY - kCursorHotSpot, true);
}

}  // namespace kv
