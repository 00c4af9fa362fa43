#include "screens/screen_picture.h"

namespace kv {

VffImage* ScreenPicture = nullptr;

void FreeScreenPicture() {
    FreeVff(ScreenPicture);
    ScreenPicture = nullptr;
}

}  // namespace kv
