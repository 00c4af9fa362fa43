// WAV files into a sound slot: no input may read outside the file or leave a slot half filled.

#include <cstddef>
#include <cstdint>
#include <span>

#include "media/sound_slots.h"
#include "media/wav_file.h"
#include "platform/sound.h"
#include "support/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const kv::fuzz::Input input;
    kv::SoundOpen();
    const std::span<const std::uint8_t> file(data, size);
    const int id = static_cast<int>(size % 90);  // a few ids outside the slots too
    const int loaded = kv::LoadWavBytes(file, id);
    if (loaded != (kv::ParseWav(file).has_value() && id < kv::kSoundSlotCount ? 1 : 0))
        __builtin_trap();
    if (id < kv::kSoundSlotCount && (loaded == 1) != (kv::SoundSlots[id].buffer != 0))
        __builtin_trap();
    kv::PlaySoundFx(id, kv::kOwnerNone, -1, 0, 0, 0, kv::kSoundDepth);
    kv::ReleaseSounds();
    return 0;
}
