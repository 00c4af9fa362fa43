#pragma once
// Small media files for the tests, made by the sample-data writers.

#include <string>

namespace kv::test {

// An AVI of solid red pictures (width and height multiples of 4), with a tone as its sound track
// when `sound` is set. The folders are created.
bool WriteTestVideo(const std::string& path, int width, int height, int frames, int fps = 15,
                    bool sound = true);
// A start picture (800 x 600) of colour index 7, which its palette makes pure red.
bool WriteTestStartPicture(const std::string& path);
// The sample data's game palette, which the start-up loads before anything is shown.
bool WriteTestGamePalette(const std::string& path);
// An Ogg Vorbis track of `seconds` of a tone. The folders are created.
bool WriteTestTrack(const std::string& path, double seconds);

}  // namespace kv::test
