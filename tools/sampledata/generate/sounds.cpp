// The sounds: every WAV the sound tables name, synthesized. Each has its own pitch and pattern so
// that one can tell them apart by ear: the two speakers chatter in syllables at their own pitch,
// the five voices scream in four ways each, and the effects are tones, noise and pulses shaped
// after what they stand for.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "generate/topics.h"
#include "media/sound_table.h"
#include "writers/wav_writer.h"

namespace kv::sampledata {

namespace {

enum class Wave { Sine, Square, Saw, Noise };
enum class Shape {
    Flat,   // loops: steady from start to end
    Decay,  // struck: loud at once, dying away
    Swell,  // rises and falls
};

struct Recipe {
    double seconds = 0.5;
    double f0 = 440;  // pitch at the start, Hz
    double f1 = 440;  // and at the end
    Wave wave = Wave::Sine;
    double noise = 0;      // share of noise mixed in, 0..1
    double smooth = 0;     // noise low-pass, 0 (none) .. 0.99 (dull)
    double vibratoHz = 0;  // pitch wobble
    double vibrato = 0;    // its depth, as a share of the pitch
    double pulseHz = 0;    // amplitude bumps per second (syllables, rotor beats, saw teeth)
    double duty = 1;       // share of each pulse period that sounds
    double toneHz = 0;     // a second tone: two-tone sirens swap to it every other pulse
    Shape shape = Shape::Swell;
    double decay = 4;  // per second, for Decay
    double gain = 0.7;
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 16;
};

constexpr double kPi = std::numbers::pi;

// A fixed generator per file, so every run writes the same bytes.
class Noise {
  public:
    explicit Noise(std::string_view seedText) {
        for (char c : seedText) state_ = state_ * 31 + static_cast<unsigned char>(c);
    }
    double next() {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<double>((state_ >> 8) & 0xFFFF) / 32767.5 - 1.0;
    }

  private:
    std::uint32_t state_ = 2166136261u;
};

std::vector<std::uint8_t> Render(const Recipe& r, std::string_view name) {
    const PcmFormat format = MakePcmFormat(r.channels, r.rate, r.bits);
    const auto frames = static_cast<std::size_t>(r.seconds * r.rate);
    Noise noise(name);
    std::vector<std::uint8_t> pcm;
    pcm.reserve(frames * format.blockAlign);
    double phase = 0;
    double dull = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / r.rate;
        const double u = t / r.seconds;
        double pitch = r.f0 + (r.f1 - r.f0) * u;
        if (r.vibrato > 0) pitch *= 1 + r.vibrato * std::sin(2 * kPi * r.vibratoHz * t);
        double amp = 1;
        if (r.pulseHz > 0) {
            const double beat = r.pulseHz * t;
            const double p = beat - std::floor(beat);
            amp = p < r.duty ? std::sin(kPi * p / r.duty) : 0;
            if (r.toneHz > 0 && static_cast<long>(beat) % 2 == 1) {
                pitch = r.toneHz;
                amp = 1;
            } else if (r.toneHz > 0) {
                amp = 1;
            }
        }
        phase += pitch / r.rate;
        phase -= std::floor(phase);
        double v = 0;
        switch (r.wave) {
            case Wave::Sine:
                v = std::sin(2 * kPi * phase);
                break;
            case Wave::Square:
                v = phase < 0.5 ? 0.6 : -0.6;
                break;
            case Wave::Saw:
                v = 2 * phase - 1;
                break;
            case Wave::Noise:
                v = 0;
                break;
        }
        const double n = noise.next();
        dull = dull * r.smooth + n * (1 - r.smooth);
        const double noisy = r.smooth > 0 ? dull * (1 + 3 * r.smooth) : n;
        const double mix = r.wave == Wave::Noise ? noisy : v * (1 - r.noise) + noisy * r.noise;
        double env = 1;
        switch (r.shape) {
            case Shape::Flat:
                env = 1;
                break;
            case Shape::Decay:
                env = std::exp(-r.decay * t) * std::min(1.0, t * 400);
                break;
            case Shape::Swell:
                env = std::sin(kPi * u);
                break;
        }
        const double s = std::clamp(mix * amp * env * r.gain, -1.0, 1.0);
        for (int c = 0; c < r.channels; ++c) {
            // The right side a little softer, so stereo files are not plain mono twice.
            const double side = c == 0 ? s : s * 0.8;
            if (r.bits == 8) {
                pcm.push_back(static_cast<std::uint8_t>(std::lround(128 + side * 127)));
            } else {
                const auto q = static_cast<std::int16_t>(std::lround(side * 32767));
                pcm.push_back(static_cast<std::uint8_t>(q & 0xFF));
                pcm.push_back(static_cast<std::uint8_t>((q >> 8) & 0xFF));
            }
        }
    }
    return WriteWav(format, pcm);
}

// Two speakers, a low and a high one; each phrase its own count of syllables and its own melody.
Recipe SpeechRecipe(int id) {
    const int speaker = id / kPhraseCount;
    const int phrase = id % kPhraseCount;
    Recipe r;
    const int syllables = 2 + phrase % 4;
    r.seconds = 0.12 * syllables + 0.1;
    const double base = speaker == 0 ? 120 : 210;
    r.f0 = base * (1 + 0.04 * (phrase % 5));
    r.f1 = base * (1 + 0.05 * ((phrase * 7) % 6) - 0.1);
    r.wave = speaker == 0 ? Wave::Saw : Wave::Square;
    r.noise = 0.08;
    r.vibratoHz = 5 + phrase % 3;
    r.vibrato = 0.03;
    r.pulseHz = syllables / r.seconds;
    r.duty = 0.75;
    r.shape = Shape::Flat;
    r.gain = 0.6;
    r.rate = 11025;
    r.bits = 8;
    return r;
}

// Five voices (a child, two women, two men), four screams each: a rise, a fall, a wail, a yelp.
Recipe ScreamRecipe(int id) {
    constexpr double kVoicePitch[kScreamVoiceCount] = {720, 600, 530, 330, 270};
    const int voice = (id - kFirstScream) / kScreamsPerVoice;
    const int k = (id - kFirstScream) % kScreamsPerVoice;
    const double p = kVoicePitch[voice];
    Recipe r;
    r.wave = voice < 3 ? Wave::Square : Wave::Saw;
    r.noise = 0.15;
    r.rate = 11025;
    r.bits = 8;
    switch (k) {
        case 0:
            r.seconds = 0.4, r.f0 = p * 0.8, r.f1 = p * 1.4;
            break;
        case 1:
            r.seconds = 0.6, r.f0 = p * 1.4, r.f1 = p * 0.7;
            break;
        case 2:
            r.seconds = 0.7, r.f0 = p, r.f1 = p * 1.1, r.vibratoHz = 7, r.vibrato = 0.12;
            break;
        default:
            r.seconds = 0.45, r.f0 = p * 1.2, r.f1 = p * 1.3, r.pulseHz = 4.5, r.duty = 0.8;
            break;
    }
    return r;
}

Recipe Tone(double seconds, double f0, double f1, Wave wave, Shape shape) {
    Recipe r;
    r.seconds = seconds;
    r.f0 = f0;
    r.f1 = f1;
    r.wave = wave;
    r.shape = shape;
    return r;
}

Recipe With(Recipe r, double noise, double smooth) {
    r.noise = noise;
    r.smooth = smooth;
    return r;
}

Recipe Pulsed(Recipe r, double hz, double duty) {
    r.pulseHz = hz;
    r.duty = duty;
    return r;
}

Recipe Decaying(Recipe r, double perSecond) {
    r.shape = Shape::Decay;
    r.decay = perSecond;
    return r;
}

Recipe Stereo(Recipe r) {
    r.channels = 2;
    return r;
}

// The effects and the missions' sounds, by file.
const std::map<std::string_view, Recipe>& NamedRecipes() {
    static const std::map<std::string_view, Recipe> recipes = [] {
        std::map<std::string_view, Recipe> m;
        const Recipe noise = Tone(0.5, 0, 0, Wave::Noise, Shape::Flat);
        m["sound\\explode.wav"] = Decaying(With(Tone(0.9, 0, 0, Wave::Noise, {}), 1, 0.9), 4);
        m["sound\\explode2.wav"] = Decaying(With(Tone(0.7, 0, 0, Wave::Noise, {}), 1, 0.6), 5);
        m["sound\\explode3.wav"] = Decaying(With(Tone(0.5, 70, 35, Wave::Sine, {}), 0.6, 0.8), 6);
        m["sound\\autotuer.wav"] =
            Pulsed(Decaying(With(Tone(0.35, 90, 70, Wave::Square, {}), 0.4, 0.7), 6), 5.7, 0.35);
        m["sound\\click_h.wav"] = Decaying(Tone(0.04, 2000, 1800, Wave::Square, {}), 80);
        m["sound\\click_d.wav"] = Decaying(Tone(0.05, 800, 700, Wave::Square, {}), 70);
        m["sound\\ponton.wav"] = Pulsed(Tone(0.5, 70, 70, Wave::Saw, Shape::Flat), 8, 0.9);
        m["sound\\sptuch.wav"] = With(Tone(0.4, 0, 0, Wave::Noise, Shape::Swell), 1, 0.3);
        m["sound\\planego.wav"] = With(Tone(0.6, 110, 110, Wave::Saw, Shape::Flat), 0.3, 0.5);
        m["sound\\dleiter.wav"] = Tone(0.5, 300, 340, Wave::Sine, Shape::Flat);
        m["sound\\hydr_an.wav"] = With(Tone(0.5, 0, 0, Wave::Noise, Shape::Swell), 1, 0);
        m["sound\\msaege1.wav"] = Pulsed(Tone(0.6, 180, 180, Wave::Saw, Shape::Flat), 20, 0.9);
        m["sound\\msaege2.wav"] = Tone(0.6, 240, 200, Wave::Saw, Shape::Flat);
        m["sound\\kampf.wav"] = Pulsed(With(noise, 1, 0.85), 6, 0.5);
        m["sound\\users.wav"] =
            Pulsed(With(Tone(0.8, 160, 190, Wave::Saw, Shape::Flat), 0.6, 0.7), 3, 0.9);
        m["sound\\heli.wav"] =
            Stereo(Pulsed(With(Tone(0.5, 60, 60, Wave::Saw, Shape::Flat), 0.5, 0.8), 14, 0.7));
        m["sound\\faellen.wav"] = Tone(0.6, 900, 200, Wave::Sine, Shape::Swell);
        Recipe siren = Tone(1.0, 440, 440, Wave::Square, Shape::Flat);
        siren.pulseHz = 2;
        siren.toneHz = 585;
        m["sound\\polsiren.wav"] = Stereo(siren);
        m["sound\\feuer2.wav"] =
            Pulsed(With(Tone(0.8, 0, 0, Wave::Noise, Shape::Flat), 1, 0.5), 11, 0.6);
        m["sound\\waldbrnd.wav"] = With(Tone(0.8, 0, 0, Wave::Noise, Shape::Flat), 1, 0.95);
        Recipe cat = Tone(0.5, 500, 700, Wave::Square, Shape::Swell);
        cat.vibratoHz = 3;
        cat.vibrato = 0.15;
        m["sound\\katze.wav"] = cat;
        m["sound\\strom.wav"] = Pulsed(Tone(0.5, 50, 50, Wave::Square, Shape::Flat), 25, 0.95);
        m["sound\\feuer.wav"] =
            Pulsed(With(Tone(0.7, 0, 0, Wave::Noise, Shape::Flat), 1, 0.75), 7, 0.5);
        m["sound\\sbahngo.wav"] = Pulsed(Tone(0.9, 120, 180, Wave::Square, Shape::Flat), 3, 0.85);
        m["sound\\kampffb.wav"] =
            Pulsed(With(Tone(0.6, 400, 300, Wave::Saw, Shape::Flat), 0.7, 0.4), 4, 0.6);
        Recipe gate = Tone(0.6, 150, 90, Wave::Saw, Shape::Swell);
        gate.vibratoHz = 30;
        gate.vibrato = 0.1;
        m["sound\\tor.wav"] = gate;
        m["sound\\bruch.wav"] = Decaying(With(Tone(0.5, 55, 40, Wave::Sine, {}), 0.7, 0.2), 7);
        m["sound\\m11siren.wav"] = Tone(0.9, 300, 700, Wave::Sine, Shape::Swell);
        m["sound\\schlag.wav"] = Decaying(Tone(0.2, 110, 60, Wave::Sine, {}), 18);
        m["sound\\schalter.wav"] =
            Pulsed(Tone(0.12, 1500, 1500, Wave::Square, Shape::Flat), 16, 0.3);
        m["sound\\ringwas.wav"] = With(Tone(0.4, 600, 380, Wave::Sine, Shape::Swell), 0.5, 0.5);
        m["sound\\notfkl.wav"] = Pulsed(Tone(0.6, 900, 900, Wave::Square, Shape::Flat), 8, 0.6);
        return m;
    }();
    return recipes;
}

bool WriteSound(const OutputTree& out, std::string_view path, const Recipe& r) {
    const std::vector<std::uint8_t> wav = Render(r, path);
    return out.write(path, wav);
}

}  // namespace

bool WriteSounds(const OutputTree& out) {
    std::set<std::string_view> written;
    for (const SoundFile& f : kSoundFiles) {
        const std::string_view path = f.path.view();
        if (!written.insert(path).second) continue;
        Recipe r;
        if (f.kind == SoundKind::Speech) {
            r = SpeechRecipe(f.id);
        } else if (f.kind == SoundKind::Scream) {
            r = ScreamRecipe(f.id);
        } else {
            const auto it = NamedRecipes().find(path);
            if (it == NamedRecipes().end()) {
                const std::string name(path);
                std::fprintf(stderr, "no sound for %s\n", name.c_str());
                return false;
            }
            r = it->second;
        }
        if (!WriteSound(out, path, r)) return false;
    }
    for (const MissionSoundFiles& m : kMissionSoundFiles) {
        for (std::string_view path : m.files) {
            if (path.empty() || !written.insert(path).second) continue;
            const auto it = NamedRecipes().find(path);
            if (it == NamedRecipes().end()) {
                const std::string name(path);
                std::fprintf(stderr, "no sound for %s\n", name.c_str());
                return false;
            }
            if (!WriteSound(out, path, it->second)) return false;
        }
    }
    return true;
}

}  // namespace kv::sampledata
