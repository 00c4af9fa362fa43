#pragma once
// What the headless mixer was asked to play, as the ids of the sound slots that hold the buffers.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/headless/headless_sound.h"

namespace kv::test {

// Every play call so far, in order, as slot ids; a buffer no slot holds any more is left out.
std::vector<int> PlayedSoundIds(const HeadlessSound& device);

// A tone in every sound slot, on the open device: every id can then be played and logged. A tone
// that does not loop plays for kToneMs on the backend's clock.
inline constexpr std::size_t kToneSamples = 22050;
inline constexpr std::uint32_t kToneMs = 2000;
void FillSoundSlotsWithTones();

}  // namespace kv::test
