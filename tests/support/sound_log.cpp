#include "support/sound_log.h"

#include <array>
#include <cstdint>

#include "media/sound_slots.h"

namespace kv::test {

std::vector<int> PlayedSoundIds(const HeadlessSound& device) {
    std::vector<int> ids;
    for (const auto& c : device.calls()) {
        if (c.op != HeadlessSound::Op::Play) continue;
        for (int id = 0; id < kSoundSlotCount; ++id)
            if (SoundSlots[id].buffer == c.buffer) ids.push_back(id);
    }
    return ids;
}

void FillSoundSlotsWithTones() {
    const std::array<std::uint8_t, 8> pcm{128, 200, 128, 56, 128, 200, 128, 56};
    for (int id = 0; id < kSoundSlotCount; ++id)
        CreateSoundBuffer(id, PcmFormat{1, 11025, 8, 1}, pcm);
}

}  // namespace kv::test
