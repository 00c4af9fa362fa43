#include "screens/screen_picture.h"

namespace kv {

VffImage* ScreenPicture = nullptr;
VffImage* ScreenBoxPicture = nullptr;

void FreeScreenPicture() {
    FreeVff(ScreenPicture);
    ScreenPicture = nullptr;
}

void FreeScreenBoxPicture() {
    FreeVff(ScreenBoxPicture);
    ScreenBoxPicture = nullptr;
}

}  // namespace kv
