// The real music and video devices: FFmpeg decoding, and playback on SDL's dummy drivers.

#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/config.h"
#include "platform/music.h"
#include "platform/sdl/avi_decoder.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_mixer_device.h"
#include "platform/video.h"
#include "support/headless_test.h"
#include "support/media_files.h"
#include "writers/avi_writer.h"

namespace kv {
namespace {

TEST(AviDecoder, ReadsEveryPictureAndTheWholeSoundTrack) {
    test::ScratchDir dir;
    const std::string path = dir / "clip.avi";
    ASSERT_TRUE(test::WriteTestVideo(path, 64, 48, 12, 12));
    AviDecoder decoder;
    ASSERT_TRUE(decoder.open(path));
    EXPECT_EQ(decoder.width(), 64);
    EXPECT_EQ(decoder.height(), 48);
    EXPECT_DOUBLE_EQ(decoder.frameDuration(), 1.0 / 12);
    ASSERT_TRUE(decoder.hasSound());
    EXPECT_EQ(decoder.sampleRate(), 22050);
    EXPECT_EQ(decoder.channels(), 1);

    std::size_t samples = 0;
    const AviDecoder::SoundSink sink = [&](std::span<const std::int16_t> s) {
        samples += s.size();
    };
    std::vector<double> times;
    double t = 0;
    while (decoder.nextPicture(t, sink)) {
        times.push_back(t);
        decoder.takePicture();
    }
    ASSERT_EQ(times.size(), 12u);
    for (std::size_t i = 0; i < times.size(); ++i) EXPECT_NEAR(times[i], i / 12.0, 1e-6);
    EXPECT_EQ(samples, 22050u) << "one second of sound";

    // The last picture, scaled: the red of the clip.
    std::vector<std::uint32_t> pixels(32 * 24);
    ASSERT_TRUE(decoder.scalePicture(32, 24, pixels));
    const std::uint32_t p = pixels[12 * 32 + 16];
    EXPECT_GT((p >> 16) & 0xFF, 200u);
    EXPECT_LT((p >> 8) & 0xFF, 30u);
    EXPECT_LT(p & 0xFF, 30u);
}

TEST(AviDecoder, ScalesThePictureTakenNotTheOneWaiting) {
    test::ScratchDir dir;
    sampledata::AviClip clip;
    clip.width = 16;
    clip.height = 16;
    clip.frameCount = 3;
    // Red, green, blue.
    clip.drawFrame = [](int frame, std::span<std::uint8_t> rgb) {
        for (std::size_t i = static_cast<std::size_t>(frame); i < rgb.size(); i += 3) rgb[i] = 255;
    };
    ASSERT_TRUE(sampledata::WriteAviFile(dir / "rgb.avi", clip));
    AviDecoder decoder;
    ASSERT_TRUE(decoder.open(dir / "rgb.avi"));
    std::vector<std::uint32_t> pixels(8 * 8);
    const auto shown = [&] {
        EXPECT_TRUE(decoder.scalePicture(8, 8, pixels));
        return pixels[4 * 8 + 4] & 0xC0C0C0;  // the top bits of each colour
    };
    double t = 0;
    ASSERT_TRUE(decoder.nextPicture(t, nullptr));
    EXPECT_FALSE(decoder.scalePicture(8, 8, pixels)) << "nothing is taken yet";
    decoder.takePicture();
    ASSERT_TRUE(decoder.nextPicture(t, nullptr));
    EXPECT_EQ(shown(), 0xC00000u) << "red stays while green waits";
    decoder.takePicture();
    EXPECT_EQ(shown(), 0x00C000u);
    ASSERT_TRUE(decoder.nextPicture(t, nullptr));
    EXPECT_FALSE(decoder.nextPicture(t, nullptr));
    EXPECT_EQ(shown(), 0x00C000u) << "the end changes nothing shown";
    decoder.takePicture();
    EXPECT_EQ(shown(), 0x0000C0u);
}

TEST(AviDecoder, RefusesWhatIsNoVideo) {
    test::ScratchDir dir;
    dir.write("text.avi", "RIFF but not really a video");
    AviDecoder decoder;
    EXPECT_FALSE(decoder.open(dir / "text.avi"));
    EXPECT_FALSE(decoder.open(dir / "missing.avi"));
    double t = 0;
    EXPECT_FALSE(decoder.nextPicture(t, nullptr));
}

// Polls the backend until a notice for `window` comes, for at most a few seconds.
std::vector<InputEvent> NoticesFor(Backend& backend, WindowHandle window) {
    std::vector<InputEvent> notices;
    const std::uint32_t start = backend.ticks();
    while (notices.empty() && backend.ticks() - start < 5000) {
        std::vector<InputEvent> events;
        backend.pollInput(events);
        for (const InputEvent& e : events)
            if (e.message == MM_MCINOTIFY && e.window == window) notices.push_back(e);
        backend.waitInput(20);
    }
    // Nothing more may follow the end.
    backend.sleep(50);
    std::vector<InputEvent> events;
    backend.pollInput(events);
    for (const InputEvent& e : events)
        if (e.message == MM_MCINOTIFY && e.window == window) notices.push_back(e);
    return notices;
}

class SdlMediaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("SDL_VIDEODRIVER", "dummy", 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        SetConfigOverride("Windowed", "1");
        backend = CreateSdlBackend();
        ASSERT_TRUE(backend->openWindow("Kestrivon"));
    }
    void TearDown() override {
        backend.reset();
        ClearConfigOverrides();
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        ForgetMixerFailure();
    }
    std::unique_ptr<Backend> backend;
    test::ScratchDir dir;
};

TEST_F(SdlMediaTest, AVideoPlaysToItsEndAndSaysSoOnce) {
    ASSERT_TRUE(test::WriteTestVideo(dir / "v.avi", 32, 24, 6, 30));
    ASSERT_TRUE(backend->setDisplayMode(640, 480, 16));
    VideoPlayer* video = backend->video();
    ASSERT_NE(video, nullptr);
    std::uint32_t error = 0;
    const std::uint32_t id = video->open(dir / "v.avi", error);
    ASSERT_NE(id, 0u);
    int w = 0;
    int h = 0;
    ASSERT_TRUE(video->sourceSize(w, h));
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 24);
    video->setDestination(0, 80, 640, 320);
    ASSERT_TRUE(video->play(42));
    const std::vector<InputEvent> notices = NoticesFor(*backend, 42);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wParam, MCI_NOTIFY_SUCCESSFUL);
    EXPECT_EQ(static_cast<std::uint32_t>(notices[0].lParam), id);
    video->close();

    EXPECT_EQ(video->open(dir / "missing.avi", error), 0u);
    EXPECT_EQ(error, kVideoErrorUnreadable);
}

TEST_F(SdlMediaTest, AStoppedVideoSaysSoOnce) {
    ASSERT_TRUE(test::WriteTestVideo(dir / "v.avi", 32, 24, 60, 15));
    ASSERT_TRUE(backend->setDisplayMode(640, 480, 16));
    VideoPlayer* video = backend->video();
    std::uint32_t error = 0;
    ASSERT_NE(video->open(dir / "v.avi", error), 0u);
    video->setAudio(false);
    ASSERT_TRUE(video->play(43));
    video->stop();
    const std::vector<InputEvent> notices = NoticesFor(*backend, 43);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wParam, MCI_NOTIFY_ABORTED);
    video->close();
}

TEST_F(SdlMediaTest, MusicPlaysATrackToItsEnd) {
    ASSERT_TRUE(test::WriteTestTrack(dir / "track02.ogg", 0.3));
    MusicPlayer* music = backend->music();
    ASSERT_NE(music, nullptr);
    const std::vector<std::string> tracks{"", dir / "track02.ogg"};
    const std::uint32_t id = music->open(tracks);
    ASSERT_NE(id, 0u);
    EXPECT_EQ(music->trackCount(), 2);
    EXPECT_FALSE(music->play(1, 2, 7)) << "the data track has no sound";
    EXPECT_FALSE(music->play(2, 3, 7)) << "there is no track 3 to stop at";
    ASSERT_TRUE(music->play(2, kMusicToEndOfDisc, 7));
    const std::vector<InputEvent> notices = NoticesFor(*backend, 7);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wParam, MCI_NOTIFY_SUCCESSFUL);
    EXPECT_EQ(static_cast<std::uint32_t>(notices[0].lParam), id);

    ASSERT_TRUE(music->play(2, kMusicToEndOfDisc, 8));
    music->stop();
    music->stop();
    const std::vector<InputEvent> stopped = NoticesFor(*backend, 8);
    ASSERT_EQ(stopped.size(), 1u);
    EXPECT_EQ(stopped[0].wParam, MCI_NOTIFY_ABORTED);

    music->setVolume(0x30003000u);
    EXPECT_EQ(music->volume(), 0x30003000u);
    music->close();
}

TEST_F(SdlMediaTest, NoMusicWithoutTracks) {
    const std::vector<std::string> none{"", ""};
    EXPECT_EQ(backend->music()->open(none), 0u);
}

TEST_F(SdlMediaTest, WithoutASoundDeviceOneLineSaysSoAndEverythingPlaysSilent) {
    ASSERT_TRUE(test::WriteTestTrack(dir / "track02.ogg", 0.3));
    ASSERT_TRUE(test::WriteTestVideo(dir / "v.avi", 32, 24, 3, 30));
    ::setenv("SDL_AUDIODRIVER", "kestrivon-none", 1);
    ForgetMixerFailure();
    testing::internal::CaptureStderr();
    const bool sound = backend->soundDevice()->open();
    const std::vector<std::string> tracks{"", dir / "track02.ogg"};
    const std::uint32_t music = backend->music()->open(tracks);
    // A video with a sound track still plays, without its sound.
    VideoPlayer* video = backend->video();
    std::uint32_t error = 0;
    ASSERT_NE(video->open(dir / "v.avi", error), 0u);
    ASSERT_TRUE(video->play(44));
    const std::vector<InputEvent> notices = NoticesFor(*backend, 44);
    video->close();
    const bool again = backend->soundDevice()->open();
    const std::string said = testing::internal::GetCapturedStderr();

    EXPECT_FALSE(sound);
    EXPECT_EQ(music, 0u);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wParam, MCI_NOTIFY_SUCCESSFUL);
    EXPECT_FALSE(again);
    EXPECT_TRUE(said.starts_with("no sound device: ")) << said;
    EXPECT_TRUE(said.ends_with("; the game runs silent\n")) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

}  // namespace
}  // namespace kv
