#include <gtest/gtest.h>

#include "app/startup.h"
#include "media/sound_device.h"
#include "media/sound_slots.h"
#include "platform/sound.h"
#include "support/headless_test.h"

namespace kv {
namespace {

class SoundStartupTest : public test::HeadlessTest {
  protected:
    void TearDown() override {
        ReleaseDirectSound();
        HeadlessTest::TearDown();
    }
};

TEST_F(SoundStartupTest, TheDeviceOpensWhenThereIsOne) {
    InitDirectSound();
    EXPECT_EQ(SoundAvailable, 1);
    EXPECT_TRUE(backend.sound.isOpen());
    ReleaseDirectSound();
    EXPECT_EQ(SoundAvailable, 0);
    EXPECT_FALSE(backend.sound.isOpen());
}

TEST_F(SoundStartupTest, WithoutADeviceTheGameRunsSilent) {
    backend.sound.failOpen(true);
    InitDirectSound();
    EXPECT_EQ(SoundAvailable, 0);
    SetBackend(nullptr);
    InitDirectSound();
    EXPECT_EQ(SoundAvailable, 0);
    SetBackend(&backend);
}

}  // namespace
}  // namespace kv
