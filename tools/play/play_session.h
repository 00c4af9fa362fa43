#pragma once
// The whole game on the headless backend, driven as the main loop drives it, one frame at a time:
// the waiting input through the window procedure, then the current game mode's frame function,
// whatever the game-mode table holds. What the fuzzer and the chance player share.

#include <span>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "play_input.h"

namespace kv::play {

class PlaySession {
  public:
    // The backend must be installed; the working folder holds the data set.
    explicit PlaySession(HeadlessBackend& backend) : backend_(backend) {}
    ~PlaySession();
    PlaySession(const PlaySession&) = delete;
    PlaySession& operator=(const PlaySession&) = delete;

    // The tables, the window and the start-up, then the start picture (game mode 1) as after the
    // start videos, which are skipped. Empty, or what went wrong.
    std::string start();
    // Input events wait for the next frame; a Frames event runs its frames at once.
    void queue(const PlayEvent& event);
    // One frame of the main loop, then the clock 51 ms on. False once the game has ended: the
    // quit message was seen (the window went, by a fatal error or by the game's own end).
    bool frame();
    bool ended() const { return ended_; }
    bool started() const { return started_; }
    bool inputWaiting() const { return !queued_.empty(); }
    long framesRun() const { return framesRun_; }
    const HeadlessBackend& backend() const { return backend_; }
    // The game ends and every state it left is cleared, ready for another start.
    void end();

  private:
    struct Input {
        std::uint32_t message;
        WParam wParam;
        LParam lParam;
    };
    void add(std::uint32_t message, WParam wParam, LParam lParam);
    void deliver();

    HeadlessBackend& backend_;
    std::vector<Input> queued_;
    bool started_ = false;
    bool ended_ = false;
    long framesRun_ = 0;
};

// What a sequence did: the frames run, and the first broken state after a frame (empty when none).
struct PlayOutcome {
    long frames = 0;
    std::string broken;
};
// Plays the events on a started session, at most maxFrames frames, with the game's state checked
// after every frame; stops at the first broken state or when the game ends. Input left waiting at
// the end gets one more frame.
PlayOutcome PlayEvents(PlaySession& session, std::span<const PlayEvent> events, long maxFrames);

}  // namespace kv::play
