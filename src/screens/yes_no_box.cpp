#include "screens/yes_no_box.h"

#include "gfx/bitmap_text.h"
#include "mission/panel_pictures.h"
#include "screens/screen_blits.h"
#include "screens/screen_picture.h"

namespace kv {

void DrawYesNoBox(int question) {
    DrawScreenFrame(ScreenBoxPicture, 0, kYesNoBoxPos.x, kYesNoBoxPos.y, true);
    // The font comes with the mission screen's pictures.
    if (AnzFontImages == nullptr) return;
    DrawText(kQuestionTextPos.x, kQuestionTextPos.y,
             question == 1 ? kQuitQuestion : kRestartQuestion, AnzFontImages);
    DrawText(kYesTextPos.x, kYesTextPos.y, kYesText, AnzFontImages);
    DrawText(kNoTextPos.x, kNoTextPos.y, kNoText, AnzFontImages);
}

}  // namespace kv
