#include "support/sound_log.h"

#include <array>
#include <cstdint>
#include <vector>

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
    // Two seconds at 11025 samples a second: the headless mixer ends a sound once it has played.
    std::vector<std::uint8_t> pcm(kToneSamples);
    constexpr std::array<std::uint8_t, 4> kWave{128, 200, 128, 56};
    for (std::size_t i = 0; i < pcm.size(); ++i) pcm[i] = kWave[i % kWave.size()];
    for (int id = 0; id < kSoundSlotCount; ++id)
        CreateSoundBuffer(id, PcmFormat{1, 11025, 8, 1}, pcm);
}

}  // namespace kv::test
