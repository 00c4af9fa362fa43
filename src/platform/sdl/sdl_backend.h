#pragma once
// The backend of the real program: one SDL window, full screen on the desktop by default
// (kestrivon.ini Windowed=1 or KESTRIVON_WINDOWED=1 for a window), the 8-bit frames scaled with
// their aspect kept and without filtering.

#include <memory>

#include "platform/backend.h"
#include "platform/sound.h"

namespace kv {

std::unique_ptr<Backend> CreateSdlBackend();
// SDL2_mixer; the SDL backend's sound device.
std::unique_ptr<SoundDevice> CreateSdlSoundDevice();

// The Windows virtual-key code of an SDL key code, or 0 for keys the game does not know.
WParam VirtualKeyFromSdl(int sdlKeycode);

}  // namespace kv
