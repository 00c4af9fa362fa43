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

void DrawScreenPicture(const VffImage* picture, int x, int y, bool transparent) {
    if (picture == nullptr || picture->pixels == nullptr) return;
    if (transparent) {
        BlitTransparentClippedTo(kScreenRect, picture->pixels, x, y, picture->width,
                                 picture->height, DrawTarget, DrawPitch);
    } else {
        BlitToBackBufferClippedTo(kScreenRect, picture->pixels, x, y, picture->width,
                                  picture->height);
    }
}

void DrawScreenFrame(const VffImage* set, int n, int x, int y, bool transparent) {
    DrawScreenPicture(SetFrame(set, n), x, y, transparent);
}

void DrawScreenCursor() {
    if (CursorId == kNoCursor) return;
    DrawScreenFrame(MausImages, CursorId, MouseX - kCursorHotSpot, MouseY - kCursorHotSpot, true);
}

}  // namespace kv
