#pragma once
// The backend the tests drive: a clock that moves only when told, input that the test queues and
// that is released at the next flip, every shown frame kept in memory, message boxes recorded.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/headless/headless_media.h"
#include "platform/headless/headless_sound.h"

namespace kv {

class HeadlessBackend : public Backend {
  public:
    // The mixer plays on the backend's clock.
    HeadlessBackend() { sound.setClock(&ticks_); }
    HeadlessBackend(const HeadlessBackend&) = delete;
    HeadlessBackend& operator=(const HeadlessBackend&) = delete;
    struct Frame {
        int width = 0;
        int height = 0;
        std::vector<std::uint8_t> pixels;  // width x height, pitch = width
        HardwarePalette palette{};
        std::uint8_t at(int x, int y) const {
            return pixels[static_cast<std::size_t>(y) * width + x];
        }
    };
    struct Box {
        std::string text;
        std::string title;
        std::uint32_t style = 0;
    };

    // Clock. Each reading advances it by autoAdvanceMs, so that a loop polling the clock moves on.
    void setTicks(std::uint32_t ms) { ticks_ = ms; }
    void advance(std::uint32_t ms) { ticks_ += ms; }
    void setAutoAdvance(std::uint32_t ms) { autoAdvance_ = ms; }
    // When the clock passes this time the window is asked to close, once: a whole-program test
    // that loses its way still ends.
    void setCloseAt(std::uint32_t ms) {
        closeAt_ = ms;
        closeSent_ = false;
    }

    // Input waits for the next flip, like a player reacting to what is on the screen.
    void queueInput(std::uint32_t message, WParam wParam = 0, LParam lParam = 0);
    // Input and notices that are due at once.
    void inject(std::uint32_t message, WParam wParam = 0, LParam lParam = 0);
    std::size_t pendingInput() const { return pending_.size(); }

    const std::vector<Frame>& frames() const { return frames_; }
    void clearFrames() { frames_.clear(); }
    // Only the newest frame kept: a long play holds one picture, not every one it showed.
    void keepLastFrame() {
        if (frames_.size() > 1) frames_.erase(frames_.begin(), frames_.end() - 1);
    }
    // Frames, message boxes, display modes, the counts and the sound log dropped, their memory
    // released: a backend used for many runs starts each from an empty record.
    void clearRecord();
    const std::vector<Box>& boxes() const { return boxes_; }
    const std::vector<std::string>& displayModes() const { return modes_; }
    int paletteChanges() const { return paletteChanges_; }
    int verticalBlanks() const { return verticalBlanks_; }
    bool windowOpen() const { return windowOpen_; }
    bool cursorVisible() const { return cursorVisible_; }
    bool cursorGrabbed() const { return cursorGrabbed_; }
    int warpX() const { return warpX_; }
    int warpY() const { return warpY_; }
    void failWindow(bool fail) { failWindow_ = fail; }
    void failDisplayMode(bool fail) { failMode_ = fail; }

    bool openWindow(std::string_view title) override;
    void closeWindow() override;
    bool setDisplayMode(int width, int height, int bitsPerPixel) override;
    void present(const FrameView& frame, const HardwarePalette& palette) override;
    void paletteChanged(const HardwarePalette& palette) override;
    void waitVerticalBlank() override;
    void pollInput(std::vector<InputEvent>& out) override;
    void waitInput(std::uint32_t timeoutMs) override;
    void idle(std::uint32_t ms) override;
    std::uint32_t ticks() override;
    void sleep(std::uint32_t ms) override { ticks_ += ms; }
    void messageBox(std::string_view text, std::string_view title, std::uint32_t style) override;
    void showSystemCursor(bool visible) override { cursorVisible_ = visible; }
    void warpCursor(int x, int y) override {
        warpX_ = x;
        warpY_ = y;
    }
    void grabCursor(bool grab) override { cursorGrabbed_ = grab; }
    MusicPlayer* music() override { return &music_; }
    VideoPlayer* video() override { return &video_; }

    HeadlessMusic& musicDevice() { return music_; }
    HeadlessVideo& videoDevice() { return video_; }
    SoundDevice* soundDevice() override { return &sound; }

    std::string title;
    HeadlessSound sound;

  private:
    void checkCloseTime();

    std::uint32_t ticks_ = 0;
    std::uint32_t autoAdvance_ = 0;
    std::uint32_t closeAt_ = 0;
    bool closeSent_ = true;
    std::deque<InputEvent> pending_;
    std::deque<InputEvent> released_;
    HeadlessMusic music_{released_};
    HeadlessVideo video_{released_};
    std::vector<Frame> frames_;
    std::vector<Box> boxes_;
    std::vector<std::string> modes_;
    int paletteChanges_ = 0;
    int verticalBlanks_ = 0;
    bool windowOpen_ = false;
    bool cursorVisible_ = true;
    bool cursorGrabbed_ = false;
    int warpX_ = -1;
    int warpY_ = -1;
    bool failWindow_ = false;
    bool failMode_ = false;
};

// Writes a frame as an 8-bit paletted PNG.
bool WriteFramePng(const HeadlessBackend::Frame& frame, const std::string& path);

}  // namespace kv
