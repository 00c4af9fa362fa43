#include "platform/sdl/sdl_backend.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>

#include "platform/config.h"

namespace kv {
namespace {

// The real backend on SDL's dummy video driver: it must open, show frames and close cleanly.
TEST(SdlBackend, SmokeOnTheDummyDriver) {
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    SetConfigOverride("Windowed", "1");
    auto backend = CreateSdlBackend();
    ASSERT_TRUE(backend->openWindow("Kestrivon"));
    ASSERT_TRUE(backend->setDisplayMode(800, 600, 8));
    std::vector<std::uint8_t> pixels(832 * 600, 3);
    HardwarePalette palette{};
    palette[3] = PaletteEntry{255, 0, 0, 0};
    backend->present(FrameView{pixels.data(), 832, 800, 600}, palette);
    backend->paletteChanged(palette);
    std::vector<InputEvent> events;
    backend->pollInput(events);
    const std::uint32_t t0 = backend->ticks();
    backend->sleep(2);
    EXPECT_GE(backend->ticks() - t0, 2u);
    backend->closeWindow();
    ClearConfigOverrides();
}

TEST(SdlBackend, KeysBecomeVirtualKeyCodes) {
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_a), WParam{'A'});
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_9), WParam{'9'});
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RETURN), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_ESCAPE), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_LEFT), VK_LEFT);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_DOWN), VK_DOWN);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_HOME), VK_HOME);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_END), VK_END);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_BACKSPACE), VK_BACK);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_TAB), VK_TAB);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_SPACE), VK_SPACE);
}

}  // namespace
}  // namespace kv
