#pragma once
// WAV files as the game reads them: the canonical 44-byte RIFF header, then the PCM data.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/sound.h"

namespace kv::sampledata {

std::vector<std::uint8_t> WriteWav(const PcmFormat& format, std::span<const std::uint8_t> pcm);

// A format with its block size filled in.
PcmFormat MakePcmFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits);

}  // namespace kv::sampledata
