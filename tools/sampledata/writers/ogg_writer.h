#pragma once
// Music tracks: Ogg Vorbis files, as the music device plays them.

#include <cstdint>
#include <span>
#include <string>

namespace kv::sampledata {

// Writes mono 16-bit samples at a host path; false (and a message on stderr) on failure.
bool WriteOggVorbisFile(const std::string& hostPath, std::span<const std::int16_t> samples,
                        int sampleRate);

}  // namespace kv::sampledata
