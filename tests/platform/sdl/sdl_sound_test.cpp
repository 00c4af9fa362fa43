// The SDL backend's sound: SDL2_mixer on SDL's dummy audio driver, and no device at all.

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <vector>

#include "platform/sdl/sdl_backend.h"
#include "platform/sound.h"

namespace kv {
namespace {

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
