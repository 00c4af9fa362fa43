#pragma once
// The 85 sound ids and the files they are loaded from. The loader, the sample-data generator and
// the tests all read these tables.

#include <array>
#include <cstdint>
#include <string_view>

namespace kv {

inline constexpr int kSoundSlotCount = 85;

// Speech: id = speaker x 19 + phrase.
inline constexpr int kSpeakerCount = 2;
inline constexpr int kPhraseCount = 19;
// Screams: id = 38 + 4 x voice + k.
inline constexpr int kFirstScream = 38;
inline constexpr int kScreamVoiceCount = 5;
inline constexpr int kScreamsPerVoice = 4;

// The effects by id.
inline constexpr int kSoundExplosion = 58;
inline constexpr int kSoundExplosion2 = 59;
inline constexpr int kSoundExplosion3 = 60;
inline constexpr int kSoundCarDoor = 61;
inline constexpr int kSoundClickHigh = 62;
inline constexpr int kSoundClickLow = 63;
inline constexpr int kSoundPontoon = 64;
inline constexpr int kSoundJumpSheet = 65;
inline constexpr int kSoundAircraft = 66;
inline constexpr int kSoundTurntableLadder = 67;
inline constexpr int kSoundHydrant = 68;
inline constexpr int kSoundPowerSaw1 = 69;
inline constexpr int kSoundPowerSaw2 = 70;
inline constexpr int kSoundFight = 71;
inline constexpr int kSoundCrowd = 72;
inline constexpr int kSoundHeli = 73;  // three copies, 73..75
inline constexpr int kHeliCopies = 3;
inline constexpr int kSoundFalling = 76;
inline constexpr int kSoundSiren = 77;  // four copies, 77..80
inline constexpr int kSirenCopies = 4;
inline constexpr int kSoundFire = 81;
// The mission's own sounds, 82..84.
inline constexpr int kFirstMissionSound = 82;
inline constexpr int kMissionSoundCount = 3;

inline constexpr std::array<std::string_view, kPhraseCount> kSpeechPhraseCodes{
    "01a", "01b", "01c", "01d", "01e", "01f", "02b", "02d", "02e", "03a",
    "03c", "03e", "03f", "03g", "03h", "03i", "03j", "02c", "03b"};
inline constexpr std::array<std::string_view, kScreamVoiceCount> kScreamVoices{"k_1", "f_1", "f_2",
                                                                               "m_1", "m_2"};
// Ids 58..81.
inline constexpr std::array<std::string_view, kFirstMissionSound - kSoundExplosion> kEffectFiles{
    "sound\\explode.wav",  "sound\\explode2.wav", "sound\\explode3.wav", "sound\\autotuer.wav",
    "sound\\click_h.wav",  "sound\\click_d.wav",  "sound\\ponton.wav",   "sound\\sptuch.wav",
    "sound\\planego.wav",  "sound\\dleiter.wav",  "sound\\hydr_an.wav",  "sound\\msaege1.wav",
    "sound\\msaege2.wav",  "sound\\kampf.wav",    "sound\\users.wav",    "sound\\heli.wav",
    "sound\\heli.wav",     "sound\\heli.wav",     "sound\\faellen.wav",  "sound\\polsiren.wav",
    "sound\\polsiren.wav", "sound\\polsiren.wav", "sound\\polsiren.wav", "sound\\feuer2.wav"};

enum class SoundKind : std::uint8_t { Speech, Scream, Effect, Mission };

// A game path built at compile time.
struct SoundPath {
    std::array<char, 32> text{};
    std::size_t length = 0;
    constexpr std::string_view view() const { return {text.data(), length}; }
    constexpr SoundPath& operator+=(std::string_view part) {
        for (char c : part) text[length++] = c;
        return *this;
    }
};

struct SoundFile {
    int id = 0;
    SoundKind kind = SoundKind::Effect;
    SoundPath path;
};

// Ids 0..81, in id order, which is the order they are loaded in.
constexpr std::array<SoundFile, kFirstMissionSound> MakeSoundFiles() {
    std::array<SoundFile, kFirstMissionSound> files{};
    for (int speaker = 0; speaker < kSpeakerCount; ++speaker) {
        for (int phrase = 0; phrase < kPhraseCount; ++phrase) {
            SoundFile& f = files[speaker * kPhraseCount + phrase];
            f.id = speaker * kPhraseCount + phrase;
            f.kind = SoundKind::Speech;
            f.path += "sound\\d\\";
            f.path += kSpeechPhraseCodes[phrase];
            f.path += speaker == 0 ? "1" : "2";
            f.path += ".wav";
        }
    }
    constexpr std::string_view kDigits = "1234";
    for (int voice = 0; voice < kScreamVoiceCount; ++voice) {
        for (int k = 0; k < kScreamsPerVoice; ++k) {
            SoundFile& f = files[kFirstScream + voice * kScreamsPerVoice + k];
            f.id = kFirstScream + voice * kScreamsPerVoice + k;
            f.kind = SoundKind::Scream;
            f.path += "sound\\schreie\\";
            f.path += kDigits.substr(k, 1);
            f.path += "_";
            f.path += kScreamVoices[voice];
            f.path += ".wav";
        }
    }
    for (int i = 0; i < static_cast<int>(kEffectFiles.size()); ++i) {
        SoundFile& f = files[kSoundExplosion + i];
        f.id = kSoundExplosion + i;
        f.kind = SoundKind::Effect;
        f.path += kEffectFiles[i];
    }
    return files;
}
inline constexpr std::array<SoundFile, kFirstMissionSound> kSoundFiles = MakeSoundFiles();

// The files of ids 82, 83 and 84 by mission; an empty name loads nothing.
struct MissionSoundFiles {
    int mission = 0;
    std::array<std::string_view, kMissionSoundCount> files;
};
inline constexpr std::array<MissionSoundFiles, 15> kMissionSoundFiles{{
    {2, {"sound\\waldbrnd.wav"}},
    {3, {"sound\\katze.wav"}},
    {6, {"sound\\strom.wav"}},
    {8, {"sound\\feuer.wav"}},
    {9, {"sound\\sbahngo.wav", "sound\\kampffb.wav"}},
    {10, {"sound\\tor.wav"}},
    {11, {"sound\\bruch.wav", "sound\\m11siren.wav"}},
    {16, {"sound\\schlag.wav", "sound\\feuer.wav"}},
    {17, {"sound\\schalter.wav", "sound\\strom.wav"}},
    {18, {"sound\\ringwas.wav", "sound\\waldbrnd.wav", "sound\\tor.wav"}},
    {20, {"sound\\notfkl.wav"}},
    {21, {"sound\\feuer.wav"}},
    {24, {"sound\\ringwas.wav"}},
    {26, {"sound\\m11siren.wav"}},
    {30, {"sound\\ringwas.wav"}},
}};

// The mission's own files; all empty for a mission without any.
constexpr std::array<std::string_view, kMissionSoundCount> MissionSounds(int mission) {
    for (const MissionSoundFiles& m : kMissionSoundFiles)
        if (m.mission == mission) return m.files;
    return {};
}

}  // namespace kv
