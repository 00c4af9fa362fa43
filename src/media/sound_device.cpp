#include "media/sound_device.h"

#include "media/sound_slots.h"
#include "platform/sound.h"

namespace kv {

void InitDirectSound() {
    // Without a sound device the game runs silent.
    SoundAvailable = SoundOpen() ? 1 : 0;
}

void ReleaseDirectSound() {
    SoundAvailable = 0;
    SoundClose();
}

}  // namespace kv
