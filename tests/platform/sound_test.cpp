#include "platform/sound.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>

#include "platform/sdl/sdl_backend.h"
#include "support/headless_test.h"

namespace kv {
namespace {

TEST(PlaceSound, DefaultRolloffAndPanByAngle) {
    struct Case {
        float x, y, z;
        float gain, pan;
    };
    const Case cases[] = {
        {0, 0, -0.5f, 1, 0},        // at the listener
        {0.6f, 0, -0.8f, 1, 0.6f},  // within distance 1: full volume
        {2, 0, 0, 0.5f, 1},         // hard right, half volume at distance 2
        {-4, 0, 0, 0.25f, -1},      // hard left
        {0, 3, -4, 0.2f, 0},        // above and behind: no pan
        {3, 0, -4, 0.2f, 0.6f},     // sine of the angle from straight ahead
    };
    for (const Case& c : cases) {
        const SoundPlacement p = PlaceSound(c.x, c.y, c.z);
        EXPECT_NEAR(p.gain, c.gain, 1e-5) << c.x << "," << c.y << "," << c.z;
        EXPECT_NEAR(p.pan, c.pan, 1e-5) << c.x << "," << c.y << "," << c.z;
    }
}

class SoundDeviceTest : public test::HeadlessTest {};

TEST_F(SoundDeviceTest, NothingWorksWhileTheDeviceIsClosed) {
    const std::uint8_t pcm[8]{};
    EXPECT_EQ(SoundCreateBuffer(PcmFormat{}, pcm), kNoSoundBuffer);
    backend.sound.failOpen(true);
    EXPECT_FALSE(SoundOpen());
    backend.sound.failOpen(false);
    ASSERT_TRUE(SoundOpen());
    const SoundBuffer b = SoundCreateBuffer(PcmFormat{}, pcm);
    ASSERT_NE(b, kNoSoundBuffer);
    EXPECT_EQ(SoundCreateBuffer(PcmFormat{1, 22050, 16, 1}, pcm), kNoSoundBuffer);
    SoundClose();
    EXPECT_FALSE(backend.sound.isOpen());
    EXPECT_FALSE(SoundPlay(b, false));
    bool playing = true;
    EXPECT_FALSE(SoundIsPlaying(b, playing));
    EXPECT_FALSE(playing);
    // A handle from before the close is not taken for a new buffer.
    ASSERT_TRUE(SoundOpen());
    const SoundBuffer again = SoundCreateBuffer(PcmFormat{}, pcm);
    EXPECT_NE(again, b);
    EXPECT_FALSE(SoundPlay(b, false));
}

// The real mixer on SDL's dummy audio driver: a stopped sound keeps its place, a rewound one
// starts over, and everything is released at the close.
TEST(SdlSound, PlaysStopsAndResumesOnTheDummyDriver) {
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    auto device = CreateSdlSoundDevice();
    ASSERT_TRUE(device->open()) << SDL_GetError();
    std::vector<std::uint8_t> pcm(22050 * 2);
    for (std::size_t i = 0; i < pcm.size(); ++i) pcm[i] = static_cast<std::uint8_t>(i * 5);
    const SoundBuffer a = device->createBuffer(PcmFormat{1, 22050, 16, 2}, pcm);
    const SoundBuffer b = device->createBuffer(PcmFormat{2, 11025, 8, 2}, pcm);
    ASSERT_NE(a, kNoSoundBuffer);
    ASSERT_NE(b, kNoSoundBuffer);
    bool playing = true;
    ASSERT_TRUE(device->isPlaying(a, playing));
    EXPECT_FALSE(playing);
    ASSERT_TRUE(device->setPosition(a, 2, 0, -0.5f));
    ASSERT_TRUE(device->play(a, true));
    ASSERT_TRUE(device->play(b, false));
    ASSERT_TRUE(device->isPlaying(a, playing));
    EXPECT_TRUE(playing);
    ASSERT_TRUE(device->stop(a));
    ASSERT_TRUE(device->isPlaying(a, playing));
    EXPECT_FALSE(playing);
    ASSERT_TRUE(device->play(a, true));
    ASSERT_TRUE(device->isPlaying(a, playing));
    EXPECT_TRUE(playing);
    ASSERT_TRUE(device->stop(a));
    ASSERT_TRUE(device->rewind(a));
    ASSERT_TRUE(device->isPlaying(a, playing));
    EXPECT_FALSE(playing);
    device->releaseBuffer(b);
    EXPECT_FALSE(device->isPlaying(b, playing));
    device->close();
    EXPECT_FALSE(device->isPlaying(a, playing));
}

}  // namespace
}  // namespace kv
