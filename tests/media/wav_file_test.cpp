#include "media/wav_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/mission_state.h"
#include "media/sound_fixture.h"
#include "media/sound_slots.h"
#include "platform/bytes.h"
#include "platform/files.h"
#include "support/golden_bytes.h"
#include "writers/output_tree.h"
#include "writers/wav_writer.h"

namespace kv {
namespace {

using sampledata::MakePcmFormat;
using sampledata::WriteWav;

std::vector<std::uint8_t> Pcm(std::size_t n, std::uint8_t seed = 1) {
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(seed + i * 7);
    return v;
}

void Patch16(std::vector<std::uint8_t>& f, std::size_t at, std::uint16_t v) {
    f[at] = static_cast<std::uint8_t>(v);
    f[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Patch32(std::vector<std::uint8_t>& f, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

struct HeaderCase {
    const char* name;
    PcmFormat format;
    std::size_t pcmBytes;
    // Applied to the written file.
    void (*patch)(std::vector<std::uint8_t>&);
    bool loads;
};

TEST(WavFile, TheHeaderDecidesWhetherASoundLoads) {
    const HeaderCase cases[] = {
        {"8-bit mono", MakePcmFormat(1, 11025, 8), 100, nullptr, true},
        {"16-bit stereo", MakePcmFormat(2, 44100, 16), 400, nullptr, true},
        {"slowest rate", MakePcmFormat(1, 100, 8), 4, nullptr, true},
        {"fastest rate", MakePcmFormat(1, 200000, 16), 8, nullptr, true},
        {"three channels", PcmFormat{3, 22050, 8, 3}, 30, nullptr, false},
        {"no channels", PcmFormat{0, 22050, 8, 0}, 30, nullptr, false},
        {"24 bits", PcmFormat{1, 22050, 24, 3}, 30, nullptr, false},
        {"rate 0", PcmFormat{1, 0, 8, 1}, 30, nullptr, false},
        {"rate too high", PcmFormat{1, 200001, 8, 1}, 30, nullptr, false},
        {"block size beside the format", PcmFormat{2, 22050, 16, 2}, 30, nullptr, false},
        {"no data", MakePcmFormat(1, 22050, 8), 0, nullptr, false},
        {"data size past the end", MakePcmFormat(1, 22050, 8), 50,
         [](std::vector<std::uint8_t>& f) { Patch32(f, kWavDataSizeAt, 51); }, false},
        {"data size near 4 GB", MakePcmFormat(1, 22050, 8), 50,
         [](std::vector<std::uint8_t>& f) { Patch32(f, kWavDataSizeAt, 0xFFFFFFF0u); }, false},
        {"data size short of the file", MakePcmFormat(1, 22050, 8), 50,
         [](std::vector<std::uint8_t>& f) { Patch32(f, kWavDataSizeAt, 20); }, true},
        {"short header", MakePcmFormat(1, 22050, 8), 50,
         [](std::vector<std::uint8_t>& f) { f.resize(43); }, false},
        {"tags are not read", MakePcmFormat(1, 22050, 8), 50,
         [](std::vector<std::uint8_t>& f) { f[0] = 'X', f[8] = 'Y', f[36] = 'Z'; }, true},
        {"bits patched to 12", MakePcmFormat(1, 22050, 16), 50,
         [](std::vector<std::uint8_t>& f) { Patch16(f, kWavBitsAt, 12); }, false},
    };
    for (const HeaderCase& c : cases) {
        const auto pcm = Pcm(c.pcmBytes);
        std::vector<std::uint8_t> file = WriteWav(c.format, pcm);
        if (c.patch != nullptr) c.patch(file);
        const auto s = ParseWav(file);
        EXPECT_EQ(s.has_value(), c.loads) << c.name;
        if (s && c.patch == nullptr) {
            EXPECT_EQ(s->format, c.format) << c.name;
            EXPECT_TRUE(std::equal(s->pcm.begin(), s->pcm.end(), pcm.begin(), pcm.end())) << c.name;
        }
    }
}

TEST(WavFile, TheHeaderTypedByHand) {
    test::GoldenBytes wav;
    wav.at(0).text("RIFF");
    wav.at(4).bytes({0x2C, 0x00, 0x00, 0x00});  // 44 bytes follow
    wav.at(8).text("WAVE");
    wav.at(12).text("fmt ");
    wav.at(16).bytes({0x10, 0x00, 0x00, 0x00});  // 16 bytes of format
    wav.at(20).bytes({0x01, 0x00});              // PCM
    wav.at(22).bytes({0x02, 0x00});              // two channels
    wav.at(24).bytes({0x22, 0x56, 0x00, 0x00});  // 22050 samples a second
    wav.at(28).bytes({0x88, 0x58, 0x01, 0x00});  // 88200 bytes a second
    wav.at(32).bytes({0x04, 0x00});              // 4 bytes a sample frame
    wav.at(34).bytes({0x10, 0x00});              // 16 bits
    wav.at(36).text("data");
    wav.at(40).bytes({0x08, 0x00, 0x00, 0x00});  // 8 bytes of sound
    wav.at(44).bytes({1, 2, 3, 4, 5, 6, 7, 8});
    wav.bytes({9, 9});  // what follows the data is not sound
    const auto s = ParseWav(wav);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->format.channels, 2);
    EXPECT_EQ(s->format.rate, 22050u);
    EXPECT_EQ(s->format.blockAlign, 4);
    EXPECT_EQ(s->format.bits, 16);
    EXPECT_EQ(std::vector<std::uint8_t>(s->pcm.begin(), s->pcm.end()),
              (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
}

class LoadSoundsTest : public test::SoundTest {
  protected:
    // Every file of the tables, each holding the bytes of its own path as its sound.
    void writeTree() {
        const sampledata::OutputTree out(dir.path().string());
        std::set<std::string_view> paths;
        for (const SoundFile& f : kSoundFiles) paths.insert(f.path.view());
        for (const MissionSoundFiles& m : kMissionSoundFiles)
            for (std::string_view p : m.files)
                if (!p.empty()) paths.insert(p);
        for (std::string_view p : paths) {
            const std::vector<std::uint8_t> pcm(p.begin(), p.end());
            ASSERT_TRUE(out.write(p, WriteWav(MakePcmFormat(1, 11025, 8), pcm)));
        }
    }
    // The path whose bytes slot id holds, or "" when it is empty.
    std::string loadedFrom(int id) {
        const auto* b = device().buffer(SoundSlots[id].buffer);
        return b == nullptr ? "" : std::string(b->data.begin(), b->data.end());
    }
    std::string fileOf(int id) { return std::string(kSoundFiles[id].path.view()); }

    test::ScratchDir dir;
};

TEST_F(LoadSoundsTest, EveryMissionLoadsTheCommonSoundsAndItsOwn) {
    writeTree();
    test::WorkingDirectory wd(dir.path());
    struct Case {
        int mission;
        std::array<const char*, 3> own;
    };
    const Case cases[] = {
        {1, {"", "", ""}},
        {9, {"sound\\sbahngo.wav", "sound\\kampffb.wav", ""}},
        {18, {"sound\\ringwas.wav", "sound\\waldbrnd.wav", "sound\\tor.wav"}},
        {31, {"", "", ""}},
    };
    for (const Case& c : cases) {
        MissionNummer = static_cast<std::uint8_t>(c.mission);
        LoadSounds();
        ASSERT_FALSE(FatalErrorRaised());
        for (int id = 0; id < kFirstMissionSound; ++id)
            EXPECT_EQ(loadedFrom(id), fileOf(id)) << "mission " << c.mission << " id " << id;
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(loadedFrom(kFirstMissionSound + k), c.own[k])
                << "mission " << c.mission << " id " << kFirstMissionSound + k;
        ReleaseSounds();
    }
    EXPECT_EQ(loadedFrom(0), "");
    EXPECT_EQ(fileOf(0), "sound\\d\\01a1.wav");
    EXPECT_EQ(fileOf(37), "sound\\d\\03b2.wav");
    EXPECT_EQ(fileOf(38), "sound\\schreie\\1_k_1.wav");
    EXPECT_EQ(fileOf(57), "sound\\schreie\\4_m_2.wav");
}

TEST_F(LoadSoundsTest, WithoutADeviceNothingLoads) {
    SoundAvailable = 0;
    LoadSounds();  // no files either: nothing is even looked for
    EXPECT_FALSE(FatalErrorRaised());
    EXPECT_EQ(device().bufferCount(), 0u);
}

TEST_F(LoadSoundsTest, AMissingFileStopsTheLoadingAndABadOneIsLeftOut) {
    writeTree();
    std::filesystem::remove(dir.path() / "sound" / "kampf.wav");
    std::vector<std::uint8_t> bad = WriteWav(MakePcmFormat(1, 11025, 8), Pcm(10));
    Patch16(bad, kWavChannelsAt, 3);
    const sampledata::OutputTree out(dir.path().string());
    ASSERT_TRUE(out.write("sound\\click_h.wav", bad));
    test::WorkingDirectory wd(dir.path());
    testing::internal::CaptureStderr();
    LoadSounds();
    EXPECT_THAT(testing::internal::GetCapturedStderr(),
                testing::HasSubstr("sound\\click_h.wav: refused at offset 22 (0x16): no sound "
                                   "buffer takes 3 channels, 11025 Hz, 8 bits, block align 1"));
    EXPECT_EQ(FatalErrorMessage(), "file not found: 'sound\\kampf.wav'");
    EXPECT_EQ(loadedFrom(kSoundClickHigh), "");
    EXPECT_EQ(loadedFrom(kSoundClickLow), fileOf(kSoundClickLow));
    EXPECT_EQ(loadedFrom(kSoundFight - 1), fileOf(kSoundFight - 1));
    EXPECT_EQ(loadedFrom(kSoundFight), "");
    EXPECT_EQ(loadedFrom(kSoundCrowd), "") << "loading stopped";
}

TEST_F(LoadSoundsTest, LoadWavReportsItsOutcome) {
    writeTree();
    test::WorkingDirectory wd(dir.path());
    EXPECT_EQ(LoadWav("sound\\katze.wav", 82), 1);
    EXPECT_EQ(LoadWav("sound\\katze.wav", 85), 0);
    device().failCreate(true);
    EXPECT_EQ(LoadWav("sound\\katze.wav", 82), 0);
    EXPECT_EQ(SoundSlots[82].buffer, kNoSoundBuffer) << "a refused buffer leaves the slot empty";
    EXPECT_EQ(device().bufferCount(), 0u) << "and the old one released";
    EXPECT_FALSE(FatalErrorRaised());
    EXPECT_EQ(LoadWav("sound\\nichts.wav", 82), 0);
    EXPECT_EQ(FatalErrorMessage(), "file not found: 'sound\\nichts.wav'");
}

TEST_F(LoadSoundsTest, TheSampleDataLoadsWhole) {
    test::WorkingDirectory wd(KV_SAMPLEDATA_DIR);
    for (const MissionSoundFiles& m : kMissionSoundFiles)
        for (std::string_view p : m.files)
            if (!p.empty()) {
                const auto bytes = ReadFileBytes(p);
                ASSERT_TRUE(bytes.has_value()) << p;
                EXPECT_TRUE(ParseWav(*bytes).has_value()) << p;
            }
    MissionNummer = 18;
    LoadSounds();
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    for (int id = 0; id < kSoundSlotCount; ++id)
        EXPECT_NE(SoundSlots[id].buffer, kNoSoundBuffer) << "id " << id;
}

}  // namespace
}  // namespace kv
