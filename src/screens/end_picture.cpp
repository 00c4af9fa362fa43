#include "screens/end_picture.h"

#include <span>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "gfx/frame_buffer.h"
#include "gfx/image_files.h"
#include "gfx/palette.h"
#include "platform/window.h"

namespace kv {

namespace {

constexpr std::uint32_t kModeEndPicture = 16;

// The ordinary window destruction shuts the game down and ends the main loop.
void EndGame() {
    FadePaletteOut();
    PostMessage(MainWindow, WM_CLOSE, 0, 0);
}

}  // namespace

void ShowEndPicture() {
    if (WorkBuffer == nullptr ||
        !LoadCff(kEndPicturePath, &Palette, std::span(WorkBuffer, kWorkBufferSize))) {
        FatalError("file not found: Endebild");
        return;
    }
    DrawEndPicture();
    FadePaletteIn(Palette);
    GameMode = kModeEndPicture;
}

void DrawEndPicture() {
    PresentWorkBuffer();
}

void OnEndPictureLButtonDown() {
    EndGame();
}

void OnEndPictureKeyDown() {
    EndGame();
}

}  // namespace kv
