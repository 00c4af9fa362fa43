#include "platform/sound.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kv
