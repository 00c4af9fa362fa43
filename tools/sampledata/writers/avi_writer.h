#pragma once
// Video files as the game's video device plays them: AVI with Microsoft Video 1 pictures and a
// 16-bit PCM sound track, as videos of that time were made.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace kv::sampledata {

struct AviClip {
    int width = 0;   // a multiple of 4
    int height = 0;  // a multiple of 4
    int framesPerSecond = 15;
    int frameCount = 0;
    // Draws one frame: width x height pixels of r, g, b, top row first.
    std::function<void(int frame, std::span<std::uint8_t> rgb)> drawFrame;
    // Mono; no sound track when empty.
    int sampleRate = 22050;
    std::vector<std::int16_t> sound;
};

// Writes the file at a host path; false (and a message on stderr) on failure.
bool WriteAviFile(const std::string& hostPath, const AviClip& clip);

}  // namespace kv::sampledata
