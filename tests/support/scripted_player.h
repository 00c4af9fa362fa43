#pragma once
// The player of whole-game tests: input as a person gives it, through the window procedure, and
// frames of the main loop on the headless clock.
//
// Input is queued and delivered at the start of the next frame, before that frame's function runs,
// as the main loop handles waiting messages before a frame. A frame runs the current game mode's
// frame function once and moves the clock on by 51 ms, the main loop's pace.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/messages.h"

namespace kv::test {

class ScriptedPlayer {
  public:
    explicit ScriptedPlayer(HeadlessBackend& backend) : backend_(backend) {}

    // Screen points (0..799 x 0..599).
    void mouse(int x, int y);
    void press(int x, int y);
    void release(int x, int y);
    void click(int x, int y);
    void rclick(int x, int y);
    // A drag: the press, a frame, the mouse at the far corner, a frame, the release.
    void drag(int x0, int y0, int x1, int y1);
    // A world point: the screen point that shows it under the current view.
    void clickWorld(float wx, float wy);
    void mouseWorld(float wx, float wy);

    // Virtual-key codes; key() is the press and the release.
    void key(WParam vk);
    void keyDown(WParam vk);
    void keyUp(WParam vk);
    // Characters as typed, one WM_CHAR each (Windows-1252 bytes).
    void chars(std::string_view text);

    // Runs n frames. Stops early once the main loop would have ended (quit posted, window gone).
    void frames(int n);
    // Frames until the condition holds; false when it still fails after maxFrames.
    bool runUntil(const std::function<bool()>& condition, int maxFrames);
    // Keeps the last shown frame as <build>/test-frames/<name>.png.
    bool shot(const std::string& name) const;

    // Whether the quit message has been seen: the main loop would have ended.
    bool quit() const { return quit_; }
    int framesRun() const { return framesRun_; }

  private:
    struct Input {
        std::uint32_t message;
        WParam wParam;
        LParam lParam;
    };
    void queue(std::uint32_t message, WParam wParam, LParam lParam);
    void deliver();

    HeadlessBackend& backend_;
    std::vector<Input> queued_;
    bool quit_ = false;
    int framesRun_ = 0;
};

}  // namespace kv::test
