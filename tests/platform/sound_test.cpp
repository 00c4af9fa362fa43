#include "platform/sound.h"

#include <gtest/gtest.h>

#include <vector>

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

// The headless mixer plays on the backend's clock: a sound that does not loop ends once the clock
// has passed the end of its samples, counting the time before a stop; a looping one plays on.
TEST_F(SoundDeviceTest, HeadlessSoundsEndAfterTheirLengthOnTheClock) {
    ASSERT_TRUE(SoundOpen());
    const std::vector<std::uint8_t> pcm(2205, 128);  // 100 ms at 22050 samples a second
    const SoundBuffer once = SoundCreateBuffer(PcmFormat{}, pcm);
    const SoundBuffer loop = SoundCreateBuffer(PcmFormat{}, pcm);
    ASSERT_NE(once, kNoSoundBuffer);
    backend.setTicks(1000);
    ASSERT_TRUE(SoundPlay(once, false));
    ASSERT_TRUE(SoundPlay(loop, true));
    bool playing = false;
    backend.advance(60);
    ASSERT_TRUE(SoundStop(once));
    backend.advance(500);
    ASSERT_TRUE(SoundPlay(once, false));
    backend.advance(40);
    EXPECT_TRUE(SoundIsPlaying(once, playing) && playing) << "100 ms played, to the end";
    backend.advance(1);
    EXPECT_TRUE(SoundIsPlaying(once, playing) && !playing);
    EXPECT_TRUE(backend.sound.buffer(once)->atStart);
    EXPECT_TRUE(SoundIsPlaying(loop, playing) && playing);

    // Played again after its end, or rewound, it starts over.
    ASSERT_TRUE(SoundPlay(once, false));
    backend.advance(99);
    EXPECT_TRUE(backend.sound.playing(once));
    ASSERT_TRUE(SoundRewind(once));
    backend.advance(100);
    EXPECT_TRUE(backend.sound.playing(once));
    backend.advance(1);
    EXPECT_FALSE(backend.sound.playing(once));
}

}  // namespace
}  // namespace kv
