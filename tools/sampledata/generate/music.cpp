// The music tracks 2 to 11: a short tune each, made by code. Track 1 is the data track.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "generate/topics.h"
#include "writers/ogg_writer.h"

namespace kv::sampledata {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kRate = 22050;

double NoteFrequency(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

void AddNote(std::vector<float>& mix, double start, double seconds, double frequency, double volume,
             double brightness) {
    const auto first = static_cast<std::size_t>(start * kRate);
    const auto count = static_cast<std::size_t>(seconds * kRate);
    for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double release = std::min(1.0, (seconds - t) * 40.0);
        const double envelope = std::min(1.0, t * 150.0) * std::exp(-t * 2.5) * release;
        const double w = 2 * kPi * frequency * t;
        const double v =
            std::sin(w) + brightness * std::sin(2 * w) + brightness * 0.5 * std::sin(3 * w);
        mix[first + i] += static_cast<float>(v * envelope * volume);
    }
}

// Four bars over a bass line; the track number picks key, scale, tempo and tune.
std::vector<std::int16_t> Tune(int track) {
    static constexpr int kMajor[] = {0, 2, 4, 7, 9, 12, 14, 16};
    static constexpr int kMinor[] = {0, 3, 5, 7, 10, 12, 15, 17};
    const int* scale = track % 2 == 0 ? kMajor : kMinor;
    const double beat = 60.0 / (96 + track * 6);
    const int root = -12 + (track * 5) % 12;  // semitones from A4
    const int beats = 16;
    std::vector<float> mix(static_cast<std::size_t>(beats * beat * kRate) + kRate / 4, 0.0f);
    std::uint32_t seed = 1000u + static_cast<std::uint32_t>(track);
    auto next = [&seed] {
        seed = seed * 22695477u + 1u;
        return static_cast<int>((seed >> 16) & 0x7FFF);
    };
    static constexpr int kChords[] = {0, 5, 3, 4};  // scale steps under each bar
    for (int b = 0; b < beats; ++b) {
        const int bar = b / 4;
        const int bass = root - 12 + scale[kChords[bar] % 8] - (kChords[bar] >= 5 ? 12 : 0);
        AddNote(mix, b * beat, beat * 0.9, NoteFrequency(bass), 0.22, 0.6);
        // Two melody notes per beat, now and then a rest.
        for (int half = 0; half < 2; ++half) {
            if (next() % 5 == 0) continue;
            const int step = (kChords[bar] + next() % 5) % 8;
            AddNote(mix, (b + half * 0.5) * beat, beat * 0.5,
                    NoteFrequency(root + 12 + scale[step]), 0.16, 0.25);
        }
    }
    std::vector<std::int16_t> out(mix.size());
    for (std::size_t i = 0; i < mix.size(); ++i)
        out[i] = static_cast<std::int16_t>(std::clamp(mix[i], -1.0f, 1.0f) * 26000.0f);
    return out;
}

}  // namespace

bool WriteMusic(const OutputTree& out) {
    for (int track = 2; track <= 11; ++track) {
        char path[32];
        std::snprintf(path, sizeof path, "CDmusic\\track%02d.ogg", track);
        if (!WriteOggVorbisFile(out.prepare(path), Tune(track), kRate)) return false;
    }
    return true;
}

}  // namespace kv::sampledata
