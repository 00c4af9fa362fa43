#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <cstdio>

namespace kv {

void HeadlessBackend::queueInput(std::uint32_t message, WParam wParam, LParam lParam) {
    pending_.push_back(InputEvent{message, wParam, lParam});
}

void HeadlessBackend::inject(std::uint32_t message, WParam wParam, LParam lParam) {
    released_.push_back(InputEvent{message, wParam, lParam});
}

bool HeadlessBackend::openWindow(std::string_view windowTitle) {
    if (failWindow_) return false;
    title = std::string(windowTitle);
    windowOpen_ = true;
    return true;
}

void HeadlessBackend::closeWindow() {
    windowOpen_ = false;
    pending_.clear();
    released_.clear();
}

bool HeadlessBackend::setDisplayMode(int width, int height, int bitsPerPixel) {
    if (failMode_) return false;
    modes_.push_back(std::to_string(width) + "x" + std::to_string(height) + "x" +
                     std::to_string(bitsPerPixel));
    return true;
}

void HeadlessBackend::present(const FrameView& frame, const HardwarePalette& palette) {
    Frame f;
    f.width = frame.width;
    f.height = frame.height;
    f.palette = palette;
    f.pixels.resize(static_cast<std::size_t>(frame.width) * frame.height);
    for (int y = 0; y < frame.height; ++y)
        std::copy_n(frame.pixels + static_cast<std::size_t>(y) * frame.pitch, frame.width,
                    f.pixels.begin() + static_cast<std::ptrdiff_t>(y) * frame.width);
    frames_.push_back(std::move(f));
    // A frame boundary: what the test queued for the next frame is now due.
    while (!pending_.empty()) {
        released_.push_back(pending_.front());
        pending_.pop_front();
    }
}

void HeadlessBackend::clearRecord() {
    frames_ = {};
    boxes_ = {};
    modes_ = {};
    paletteChanges_ = 0;
    verticalBlanks_ = 0;
    sound.clearCalls();
}

void HeadlessBackend::paletteChanged(const HardwarePalette&) {
    ++paletteChanges_;
}

void HeadlessBackend::waitVerticalBlank() {
    ++verticalBlanks_;
    ticks_ += 1;
}

void HeadlessBackend::pollInput(std::vector<InputEvent>& out) {
    checkCloseTime();
    while (!released_.empty()) {
        out.push_back(released_.front());
        released_.pop_front();
    }
}

void HeadlessBackend::waitInput(std::uint32_t) {
    // Nothing is drawn while the game waits, so queued input would never be released by a flip.
    while (!pending_.empty()) {
        released_.push_back(pending_.front());
        pending_.pop_front();
    }
    ticks_ += 1;
    checkCloseTime();
}

void HeadlessBackend::idle(std::uint32_t ms) {
    ticks_ += ms;
    checkCloseTime();
}

std::uint32_t HeadlessBackend::ticks() {
    const std::uint32_t now = ticks_;
    ticks_ += autoAdvance_;
    return now;
}

void HeadlessBackend::messageBox(std::string_view text, std::string_view boxTitle,
                                 std::uint32_t style) {
    boxes_.push_back(Box{std::string(text), std::string(boxTitle), style});
    std::fprintf(stderr, "[message box] %.*s: %.*s\n", static_cast<int>(boxTitle.size()),
                 boxTitle.data(), static_cast<int>(text.size()), text.data());
}

void HeadlessBackend::checkCloseTime() {
    if (!closeSent_ && windowOpen_ && static_cast<std::int32_t>(ticks_ - closeAt_) >= 0) {
        closeSent_ = true;
        released_.push_back(InputEvent{WM_CLOSE, 0, 0});
    }
}

}  // namespace kv
