#pragma once
// What the headless mixer was asked to play, as the ids of the sound slots that hold the buffers.

#include <vector>

#include "platform/headless/headless_sound.h"

namespace kv::test {

// Every play call so far, in order, as slot ids; a buffer no slot holds any more is left out.
std::vector<int> PlayedSoundIds(const HeadlessSound& device);

// A short tone in every sound slot, on the open device: every id can then be played and logged.
void FillSoundSlotsWithTones();

}  // namespace kv::test
