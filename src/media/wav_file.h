#pragma once
// WAV files: a canonical 44-byte RIFF header read at its fixed places, then the PCM data. A file
// with other chunks before its data is read the same way; its numbers then rarely fit and the
// sound is left out.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/bytes.h"
#include "platform/sound.h"

namespace kv {

inline constexpr std::size_t kWavHeaderSize = 44;
inline constexpr std::size_t kWavChannelsAt = 22;
inline constexpr std::size_t kWavRateAt = 24;
inline constexpr std::size_t kWavBlockAlignAt = 32;
inline constexpr std::size_t kWavBitsAt = 34;
inline constexpr std::size_t kWavDataSizeAt = 40;

struct WavHeader {
    PcmFormat format;
    std::uint32_t dataSize = 0;
};
// Nothing when the header is short, names a format a sound buffer does not take, or promises more
// data than a file of fileSize bytes holds.
std::optional<WavHeader> ParseWavHeader(std::span<const std::uint8_t> header,
                                        std::uint64_t fileSize, ReadFault* why = nullptr);

struct WavSound {
    PcmFormat format;
    std::span<const std::uint8_t> pcm;  // inside the file's bytes
};
std::optional<WavSound> ParseWav(std::span<const std::uint8_t> file);

// Loads the file into slot id: 1 on success, 0 on failure. A missing file is fatal; a file that
// cannot be read or used leaves the slot empty and says why on stderr.
int LoadWav(std::string_view path, int id);
// The same from the file's bytes.
int LoadWavBytes(std::span<const std::uint8_t> file, int id);

}  // namespace kv
