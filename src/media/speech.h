#pragma once
// Units answer orders with short phrases of two speakers.

#include <cstdint>

namespace kv {

// 1 while units may answer orders.
extern std::uint8_t UnitSpeech;
void EnableUnitSpeech();
void DisableUnitSpeech();

// Phrase 0..18 of speaker 0 or 1; speaker -1 says nothing.
void PlaySpeech(int phrase, int speaker);

}  // namespace kv
