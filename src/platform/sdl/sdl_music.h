#pragma once
// Music on SDL_mixer: each track of the disc is a file, played as SDL_mixer music.

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/music.h"

namespace kv {

class SdlMusic : public MusicPlayer {
  public:
    SdlMusic() = default;
    ~SdlMusic() override { close(); }
    SdlMusic(const SdlMusic&) = delete;
    SdlMusic& operator=(const SdlMusic&) = delete;

    std::uint32_t open(std::span<const std::string> trackFiles) override;
    void close() override;
    int trackCount() override { return static_cast<int>(tracks_.size()); }
    bool play(int from, int to, WindowHandle notify) override;
    void stop() override;
    std::uint32_t volume() override { return volume_; }
    void setVolume(std::uint32_t leftRight) override;

    // On the game thread: goes on to the next track of a play, hands over the notices.
    void service(std::vector<InputEvent>& out);
    // Pushed when a track has run out, so that a waiting game thread wakes up.
    void setWakeEvent(Uint32 type) { wakeEvent_ = type; }

  private:
    static void OnMusicFinished();
    bool start(int track);
    void halt();
    void post(WParam code);

    std::uint32_t id_ = 0;
    std::uint32_t lastId_ = 0x100;
    bool mixerHeld_ = false;
    std::vector<std::string> tracks_;
    Mix_Music* music_ = nullptr;
    bool playing_ = false;
    int nextTrack_ = 0;  // the next track of the play; 0 = none
    int lastTrack_ = 0;
    WindowHandle notify_ = 0;
    std::uint32_t volume_ = 0xFFFFFFFFu;
    std::vector<InputEvent> notices_;
    Uint32 wakeEvent_ = 0;

    // SDL_mixer tells of the end on its audio thread; the serial tells which play it was.
    std::atomic<std::uint32_t> serial_{0};
    std::mutex mutex_;
    std::uint32_t finishedSerial_ = 0;  // guarded by mutex_
    bool finished_ = false;             // guarded by mutex_
};

}  // namespace kv
