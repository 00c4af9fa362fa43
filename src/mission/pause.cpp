#include "mission/pause.h"

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "gfx/image_files.h"
#include "mission/view/message_box.h"
#include "platform/system.h"

namespace kv {

std::uint8_t PauseReturnMode = 0;

namespace {

constexpr int kPictureX = 208;
// On the campaign map the picture stands over its right part.
constexpr int kPictureXOnKarte = 368;
constexpr int kPictureY = 20;
constexpr std::uint32_t kGameModeKarte = 10;
constexpr std::uint32_t kGameModePause = 12;

}  // namespace

void EnterPause() {
    VffImage* picture = LoadVff(kPausePicture);
    if (picture == nullptr || picture[0].pixels == nullptr) {
        FreeVff(picture);
        FatalError("file not found: PAUSE");
        return;
    }
    // Straight into the WorkBuffer, which every pause frame shows; clipped, since the picture's
    // size comes from its file.
    if (WorkBuffer != nullptr) {
        const VffImage& frame = picture[0];
        BlitTransparentClippedTo(kScreenRect, frame.pixels,
                                 GameMode == kGameModeKarte ? kPictureXOnKarte : kPictureX,
                                 kPictureY, frame.width, frame.height, WorkBuffer, kScreenWidth);
    }
    FreeVff(picture);
    CursorId = 0;
    PauseReturnMode = static_cast<std::uint8_t>(GameMode);
    GameMode = kGameModePause;
}

void OnPauseFrame() {
    RunPauseFrame();
}

void RunPauseFrame() {
    if (WorkBuffer == nullptr || !BeginFrame()) return;
    DrawMessageBox();
    BlitToBackBuffer(WorkBuffer, 0, 0, kScreenWidth, kScreenHeight);
    UnlockFrame();
    DrawMessageLine();
    FlipFrame();
}

void OnPauseKeyDown(WParam, LParam) {
    LeavePause();
}

void OnPauseMouseDown(WParam, int, int) {
    LeavePause();
}

void LeavePause() {
    SetCursorPos(MouseX, MouseY);
    GameMode = PauseReturnMode;
}

void ResetPause() {
    PauseReturnMode = 0;
}

}  // namespace kv
