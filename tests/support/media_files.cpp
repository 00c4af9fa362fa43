#include "support/media_files.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "gfx/palette.h"
#include "writers/avi_writer.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/ogg_writer.h"
#include "writers/sample_palette.h"

namespace kv::test {

namespace {

std::vector<std::int16_t> Tone(int rate, double seconds) {
    std::vector<std::int16_t> s(static_cast<std::size_t>(rate * seconds));
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<std::int16_t>(8000 * std::sin(i * 0.06));
    return s;
}

void MakeFolders(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
}

}  // namespace

bool WriteTestVideo(const std::string& path, int width, int height, int frames, int fps,
                    bool sound) {
    MakeFolders(path);
    sampledata::AviClip clip;
    clip.width = width;
    clip.height = height;
    clip.framesPerSecond = fps;
    clip.frameCount = frames;
    clip.drawFrame = [](int, std::span<std::uint8_t> rgb) {
        for (std::size_t i = 0; i < rgb.size(); i += 3) rgb[i] = 255;
    };
    clip.sampleRate = 22050;
    if (sound) clip.sound = Tone(clip.sampleRate, static_cast<double>(frames) / fps);
    return sampledata::WriteAviFile(path, clip);
}

bool WriteTestStartPicture(const std::string& path) {
    MakeFolders(path);
    GamePalette palette{};
    palette[7 * 3] = 63;
    const std::vector<std::uint8_t> bytes =
        sampledata::MakeCff(sampledata::Canvas(800, 600, 7), palette);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WriteTestGamePalette(const std::string& path) {
    MakeFolders(path);
    const std::vector<std::uint8_t> bytes = sampledata::MakePal(sampledata::MakeSamplePalette());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WriteTestTrack(const std::string& path, double seconds) {
    MakeFolders(path);
    return sampledata::WriteOggVorbisFile(path, Tone(22050, seconds), 22050);
}

}  // namespace kv::test
