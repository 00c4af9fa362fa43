#pragma once
// The seam between the game and the machine it runs on. The game never talks to a backend
// directly: the window, display, text, file and system modules of this folder do, and keep the
// Windows-like semantics the game relies on in one place for every backend.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/messages.h"

namespace kv {

class SoundDevice;

struct PaletteEntry {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t flags = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};
using HardwarePalette = std::array<PaletteEntry, 256>;

class MusicPlayer;
class VideoPlayer;

// An input or notification, in the message numbers of messages.h. Input has no window: the window
// module routes it. Device notices name the window they were asked to notify.
struct InputEvent {
    std::uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    WindowHandle window = 0;
};

// An 8-bit picture handed to the backend to be shown.
struct FrameView {
    const std::uint8_t* pixels = nullptr;
    std::uint32_t pitch = 0;
    int width = 0;
    int height = 0;
};

class Backend {
  public:
    virtual ~Backend() = default;

    // The one visible window. Children of it (the video and music notification windows) are
    // bookkeeping of the window module and never reach the backend.
    virtual bool openWindow(std::string_view title) = 0;
    virtual void closeWindow() = 0;

    // Display modes: 800 x 600 x 8 for the game, 640 x 480 x 16 around videos.
    virtual bool setDisplayMode(int width, int height, int bitsPerPixel) = 0;
    virtual void present(const FrameView& frame, const HardwarePalette& palette) = 0;
    // The palette changed without a flip; a real display shows the last frame in the new colours.
    virtual void paletteChanged(const HardwarePalette& palette) = 0;
    virtual void waitVerticalBlank() = 0;

    // Input arrives here and nowhere else, so backends may collect it on any thread.
    virtual void pollInput(std::vector<InputEvent>& out) = 0;
    virtual void waitInput(std::uint32_t timeoutMs) = 0;
    // Nothing to do for up to ms milliseconds; input may end the wait early. Unlike waitInput it
    // does not hurry input the headless backend holds back for the next frame.
    virtual void idle(std::uint32_t ms) = 0;

    // Milliseconds since some start; wraps at 2^32.
    virtual std::uint32_t ticks() = 0;
    virtual void sleep(std::uint32_t ms) = 0;

    // Texts are Windows-1252.
    virtual void messageBox(std::string_view text, std::string_view title, std::uint32_t style) = 0;
    virtual void showSystemCursor(bool visible) = 0;
    virtual void warpCursor(int x, int y) = 0;
    // Keeps the pointer inside the window while the game clips it; the window module clamps the
    // reported positions to the clip rectangle itself.
    virtual void grabCursor(bool grab) = 0;

    // The sound mixer (platform/sound.h); null when the machine has none.
    virtual SoundDevice* soundDevice() = 0;

    // The music and video devices (platform/music.h, platform/video.h); null where the machine
    // has none.
    virtual MusicPlayer* music() = 0;
    virtual VideoPlayer* video() = 0;
};

// The backend in use; tests install a headless one, the program the SDL one. Not owned.
void SetBackend(Backend* backend);
Backend* GetBackend();

}  // namespace kv
