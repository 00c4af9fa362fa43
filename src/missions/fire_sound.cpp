#include "missions/fire_sound.h"

#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/options.h"
#include "media/sound_slots.h"

namespace kv {

namespace {
constexpr std::uint32_t kModeMission = 2;
}  // namespace

void LoopSoundWhileCellsBurn(int sound, std::uint16_t leastCells) {
    if (SoundOn == 0) return;
    if (BurningCellCount < leastCells) {
        StopSound(sound);
        return;
    }
    if (GameMode == kModeMission &&
        SoundSlots[static_cast<std::size_t>(sound)].buffer != kNoSoundBuffer &&
        IsSoundPlaying(sound) == 0)
        PlaySoundFx(sound, kOwnerNone, -1, 1, 0, 0, kSoundDepth);
}

}  // namespace kv
