#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/config.h"
#include "platform/cp1252.h"
#include "platform/sdl/sdl_music.h"
#include "platform/sdl/sdl_video.h"

namespace kv {

namespace {

// A termination signal asks the game to close its window, the same as the close button. SDL's
// own handlers are not used: they are removed whenever its subsystems' counts fall to zero, which
// the audio device does around every video.
volatile std::sig_atomic_t g_closeRequested = 0;

void RequestClose(int) {
    g_closeRequested = 1;
}

void InstallCloseSignals() {
    struct sigaction action {};
    action.sa_handler = RequestClose;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// The window icon, drawn here: a white cross on a red disc.
SDL_Surface* MakeIcon() {
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
    if (icon == nullptr) return nullptr;
    auto* px = static_cast<Uint32*>(icon->pixels);
    const int stride = icon->pitch / 4;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int dx = x - 16;
            const int dy = y - 16;
            Uint32 c = 0x00000000;
            if (dx * dx + dy * dy <= 15 * 15) c = 0xFFC81E1E;
            if ((dx >= -3 && dx < 3 && dy >= -10 && dy < 10) ||
                (dy >= -3 && dy < 3 && dx >= -10 && dx < 10))
                c = 0xFFFFFFFF;
            px[y * stride + x] = c;
        }
    }
    return icon;
}

LParam KeyLParam(const SDL_KeyboardEvent& key, bool up) {
    std::uint32_t l = 1 | (static_cast<std::uint32_t>(key.keysym.scancode & 0xFF) << 16);
    if (key.repeat != 0 || up) l |= 1u << 30;
    if (up) l |= 1u << 31;
    return static_cast<LParam>(l);
}

WParam ButtonState(Uint32 state) {
    WParam w = 0;
    if ((state & SDL_BUTTON_LMASK) != 0) w |= MK_LBUTTON;
    if ((state & SDL_BUTTON_RMASK) != 0) w |= MK_RBUTTON;
    return w;
}

class SdlBackend : public Backend {
  public:
    SdlBackend()
        : video_([this](const std::uint32_t* pixels, int x, int y, int w, int h) {
              showVideo(pixels, x, y, w, h);
          }) {}

    ~SdlBackend() override {
        video_.close();
        music_.close();
        closeWindow();
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER);
    }

    MusicPlayer* music() override { return &music_; }
    VideoPlayer* video() override { return &video_; }

    bool openWindow(std::string_view title) override {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        InstallCloseSignals();
        if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
            std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
            return false;
        }
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
        SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
        const bool windowed = GetConfigFlag("Windowed");
        const Uint32 flags = windowed ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_FULLSCREEN_DESKTOP;
        const std::string utf8 = Cp1252ToUtf8(title);
        // Full screen starts at the desktop's size: a renderer made for a smaller window can keep
        // that size without a window manager and draws the picture shifted.
        int w = 800;
        int h = 600;
        SDL_DisplayMode desktop;
        if (!windowed && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
            w = desktop.w;
            h = desktop.h;
        }
        window_ = SDL_CreateWindow(utf8.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w,
                                   h, flags);
        if (window_ == nullptr) {
            std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
            return false;
        }
        if (SDL_Surface* icon = MakeIcon()) {
            SDL_SetWindowIcon(window_, icon);
            SDL_FreeSurface(icon);
        }
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
        if (renderer_ == nullptr)
            renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (renderer_ == nullptr) {
            std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
            closeWindow();
            return false;
        }
        SDL_StartTextInput();
        // The music's end is told on the audio thread; this event wakes the waiting game.
        const Uint32 wake = SDL_RegisterEvents(1);
        if (wake != static_cast<Uint32>(-1)) music_.setWakeEvent(wake);
        return true;
    }

    void closeWindow() override {
        if (texture_ != nullptr) SDL_DestroyTexture(texture_);
        if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
        if (window_ != nullptr) SDL_DestroyWindow(window_);
        texture_ = nullptr;
        renderer_ = nullptr;
        window_ = nullptr;
    }

    bool setDisplayMode(int width, int height, int bitsPerPixel) override {
        if (renderer_ == nullptr) return false;
        if (texture_ != nullptr) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, width, height);
        if (texture_ == nullptr) return false;
        SDL_RenderSetLogicalSize(renderer_, width, height);
        width_ = width;
        height_ = height;
        bitsPerPixel_ = bitsPerPixel;
        last_.assign(static_cast<std::size_t>(width) * height, 0);
        videoScreen_.assign(static_cast<std::size_t>(width) * height, 0xFF000000u);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderPresent(renderer_);
        return true;
    }

    void present(const FrameView& frame, const HardwarePalette& palette) override {
        if (frame.width != width_ || frame.height != height_) return;
        for (int y = 0; y < frame.height; ++y)
            std::copy_n(frame.pixels + static_cast<std::size_t>(y) * frame.pitch, frame.width,
                        last_.begin() + static_cast<std::ptrdiff_t>(y) * frame.width);
        show(palette);
    }

    void paletteChanged(const HardwarePalette& palette) override {
        if (!last_.empty()) show(palette);
    }

    void waitVerticalBlank() override {
        // A 60 Hz refresh: wait for the next 1/60 s boundary.
        const Uint64 freq = SDL_GetPerformanceFrequency();
        const Uint64 period = freq / 60;
        const Uint64 now = SDL_GetPerformanceCounter();
        const Uint64 next = (now / period + 1) * period;
        const Uint32 ms = static_cast<Uint32>((next - now) * 1000 / freq);
        if (ms > 0) SDL_Delay(ms);
    }

    void pollInput(std::vector<InputEvent>& out) override {
        SDL_Event e;
        while (SDL_PollEvent(&e) != 0) translate(e, out);
        if (g_closeRequested != 0) {
            g_closeRequested = 0;
            out.push_back({WM_CLOSE, 0, 0});
        }
        music_.service(out);
        video_.service(out);
    }

    void waitInput(std::uint32_t timeoutMs) override { wait(timeoutMs); }

    void idle(std::uint32_t ms) override { wait(ms); }

    std::uint32_t ticks() override { return SDL_GetTicks(); }
    void sleep(std::uint32_t ms) override { SDL_Delay(ms); }

    void messageBox(std::string_view text, std::string_view title, std::uint32_t style) override {
        const std::string t = Cp1252ToUtf8(text);
        const std::string c = Cp1252ToUtf8(title);
        std::fprintf(stderr, "%s: %s\n", c.c_str(), t.c_str());
        const Uint32 flags =
            (style & MB_ICONSTOP) != 0 ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
        // Without a display this fails; the text is on stderr then.
        SDL_ShowSimpleMessageBox(flags, c.c_str(), t.c_str(), window_);
    }

    void showSystemCursor(bool visible) override {
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    }

    void warpCursor(int x, int y) override {
        if (window_ == nullptr || renderer_ == nullptr) return;
        if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) == 0) return;
        int wx = 0;
        int wy = 0;
        SDL_RenderLogicalToWindow(renderer_, static_cast<float>(x), static_cast<float>(y), &wx,
                                  &wy);
        SDL_WarpMouseInWindow(window_, wx, wy);
    }

    void grabCursor(bool grab) override {
        if (window_ != nullptr) SDL_SetWindowGrab(window_, grab ? SDL_TRUE : SDL_FALSE);
    }

    SoundDevice* soundDevice() override { return sound_.get(); }

  private:
    // Waits for input, but not past the next picture of a playing video.
    void wait(std::uint32_t ms) {
        const int due = video_.msUntilDue();
        if (due >= 0) ms = std::min(ms, static_cast<std::uint32_t>(due));
        if (ms > 0) SDL_WaitEventTimeout(nullptr, static_cast<int>(ms));
    }

    // In the video mode the screen belongs to the video device: its pictures are drawn into a
    // true-colour screen of their own.
    void showVideo(const std::uint32_t* pixels, int x, int y, int w, int h) {
        if (texture_ == nullptr || bitsPerPixel_ != 16) return;
        if (pixels == nullptr) {
            std::fill(videoScreen_.begin(), videoScreen_.end(), 0xFF000000u);
        } else {
            const int x0 = std::max(x, 0);
            const int x1 = std::min(x + w, width_);
            for (int row = std::max(y, 0); row < std::min(y + h, height_) && x0 < x1; ++row)
                std::copy(pixels + static_cast<std::ptrdiff_t>(row - y) * w + (x0 - x),
                          pixels + static_cast<std::ptrdiff_t>(row - y) * w + (x1 - x),
                          videoScreen_.begin() + static_cast<std::ptrdiff_t>(row) * width_ + x0);
        }
        showVideoScreen();
    }

    void showVideoScreen() {
        void* out = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(texture_, nullptr, &out, &pitch) != 0) return;
        for (int row = 0; row < height_; ++row)
            std::copy_n(videoScreen_.begin() + static_cast<std::ptrdiff_t>(row) * width_, width_,
                        reinterpret_cast<Uint32*>(static_cast<Uint8*>(out) +
                                                  static_cast<std::ptrdiff_t>(row) * pitch));
        SDL_UnlockTexture(texture_);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
    }

    void show(const HardwarePalette& palette) {
        if (texture_ == nullptr) return;
        palette_ = palette;
        Uint32 lut[256];
        for (int i = 0; i < 256; ++i)
            lut[i] = 0xFF000000u | (Uint32{palette[i].r} << 16) | (Uint32{palette[i].g} << 8) |
                     palette[i].b;
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) != 0) return;
        for (int y = 0; y < height_; ++y) {
            auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(pixels) +
                                                  static_cast<std::ptrdiff_t>(y) * pitch);
            const std::uint8_t* src = last_.data() + static_cast<std::size_t>(y) * width_;
            for (int x = 0; x < width_; ++x) row[x] = lut[src[x]];
        }
        SDL_UnlockTexture(texture_);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
    }

    LParam MousePos(int x, int y) const {
        if (x < 0) x = 0;
        if (y < 0) y = 0;
        if (x >= width_) x = width_ - 1;
        if (y >= height_) y = height_ - 1;
        return MakeLParam(x, y);
    }

    void translate(const SDL_Event& e, std::vector<InputEvent>& out) {
        switch (e.type) {
            case SDL_QUIT:
                out.push_back({WM_CLOSE, 0, 0});
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
                    out.push_back({WM_ACTIVATEAPP, 1, 0});
                if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
                    out.push_back({WM_ACTIVATEAPP, 0, 0});
                if ((e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                     e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) &&
                    !last_.empty()) {
                    if (bitsPerPixel_ == 16)
                        showVideoScreen();
                    else
                        show(palette_);
                }
                break;
            case SDL_MOUSEMOTION:
                out.push_back(
                    {WM_MOUSEMOVE, ButtonState(e.motion.state), MousePos(e.motion.x, e.motion.y)});
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                const bool down = e.type == SDL_MOUSEBUTTONDOWN;
                std::uint32_t message = 0;
                if (e.button.button == SDL_BUTTON_LEFT)
                    message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
                if (e.button.button == SDL_BUTTON_RIGHT)
                    message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
                if (message != 0)
                    out.push_back({message, ButtonState(SDL_GetMouseState(nullptr, nullptr)),
                                   MousePos(e.button.x, e.button.y)});
                break;
            }
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                const WParam vk = VirtualKeyFromSdl(e.key.keysym.sym);
                if (vk != 0)
                    out.push_back({e.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, vk,
                                   KeyLParam(e.key, e.type == SDL_KEYUP)});
                break;
            }
            case SDL_TEXTINPUT:
                for (char c : Utf8ToCp1252(e.text.text))
                    out.push_back({WM_CHAR, static_cast<WParam>(static_cast<unsigned char>(c)), 1});
                break;
            default:
                break;
        }
    }

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
    std::vector<std::uint8_t> last_;
    std::vector<std::uint32_t> videoScreen_;
    HardwarePalette palette_{};
    std::unique_ptr<SoundDevice> sound_ = CreateSdlSoundDevice();
    SdlMusic music_;
    SdlVideo video_;
};

}  // namespace

std::unique_ptr<Backend> CreateSdlBackend() {
    return std::make_unique<SdlBackend>();
}

}  // namespace kv
