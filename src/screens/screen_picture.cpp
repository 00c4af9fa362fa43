#include "screens/screen_picture.h"

#include "core/fatal_error.h"

namespace kv {

VffImage* ScreenPicture = nullptr;
VffImage* ScreenBoxPicture = nullptr;

bool LoadScreenPicture(VffImage*& handle, std::string_view path, const char* message) {
    handle = LoadVff(path);
    if (handle != nullptr) return true;
    FatalError(message);
    return false;
}

void FreeScreenPicture() {
    FreeVff(ScreenPicture);
    ScreenPicture = nullptr;
}

void FreeScreenBoxPicture() {
    FreeVff(ScreenBoxPicture);
    ScreenBoxPicture = nullptr;
}

}  // namespace kv
