#pragma once
// The music and video devices of the headless backend: they play nothing, record what they were
// asked, and end a track or a video when the test says so (or a video at once, if asked to).

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/music.h"
#include "platform/video.h"

namespace kv {

class HeadlessMusic : public MusicPlayer {
  public:
    struct Play {
        int from = 0;
        int to = 0;
        bool accepted = false;
        friend bool operator==(const Play&, const Play&) = default;
    };

    // Notices are appended to the backend's queue of due input.
    explicit HeadlessMusic(std::deque<InputEvent>& notices) : notices_(notices) {}

    void refuseOpen(bool refuse) { refuseOpen_ = refuse; }
    // Ends the playing track as if it had run out. False when nothing plays.
    bool finishTrack();
    bool isOpen() const { return id_ != 0; }
    bool playing() const { return playing_; }
    std::uint32_t deviceId() const { return id_; }
    const std::vector<Play>& plays() const { return plays_; }
    void clearPlays() { plays_.clear(); }
    int stops() const { return stops_; }
    const std::vector<std::uint32_t>& volumes() const { return volumes_; }

    std::uint32_t open(std::span<const std::string> trackFiles) override;
    void close() override;
    int trackCount() override { return static_cast<int>(tracks_.size()); }
    bool play(int from, int to, WindowHandle notify) override;
    void stop() override;
    std::uint32_t volume() override { return volume_; }
    void setVolume(std::uint32_t leftRight) override;

  private:
    void notify(WParam code);

    std::deque<InputEvent>& notices_;
    bool refuseOpen_ = false;
    std::uint32_t id_ = 0;
    std::uint32_t lastId_ = 0x100;
    std::vector<std::string> tracks_;
    bool playing_ = false;
    WindowHandle notify_ = 0;
    std::vector<Play> plays_;
    int stops_ = 0;
    std::uint32_t volume_ = 0xFFFFFFFFu;
    std::vector<std::uint32_t> volumes_;
};

class HeadlessVideo : public VideoPlayer {
  public:
    struct Destination {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        friend bool operator==(const Destination&, const Destination&) = default;
    };

    explicit HeadlessVideo(std::deque<InputEvent>& notices) : notices_(notices) {}

    // Every play ends at once, for tests that run the whole program.
    void setEndAtOnce(bool atOnce) { endAtOnce_ = atOnce; }
    void refusePlay(bool refuse) { refusePlay_ = refuse; }
    // Ends the playing video as if it had run out. False when nothing plays.
    bool finishVideo();
    bool isOpen() const { return id_ != 0; }
    bool playing() const { return playing_; }
    bool audioOn() const { return audio_; }
    std::uint32_t deviceId() const { return id_; }
    const std::string& path() const { return path_; }
    // Every file opened, in order.
    const std::vector<std::string>& opened() const { return opened_; }
    const Destination& destination() const { return destination_; }
    int stops() const { return stops_; }

    // Any file that begins as a RIFF AVI file opens; its size comes from the main header.
    std::uint32_t open(const std::string& hostPath, std::uint32_t& error) override;
    void close() override;
    bool sourceSize(int& width, int& height) override;
    void setAudio(bool on) override { audio_ = on; }
    void setDestination(int x, int y, int width, int height) override {
        destination_ = Destination{x, y, width, height};
    }
    bool play(WindowHandle notify) override;
    void stop() override;

  private:
    void notify(WParam code);

    std::deque<InputEvent>& notices_;
    bool endAtOnce_ = false;
    bool refusePlay_ = false;
    std::uint32_t id_ = 0;
    std::uint32_t lastId_ = 0x200;
    std::string path_;
    std::vector<std::string> opened_;
    int width_ = 0;
    int height_ = 0;
    bool audio_ = true;
    bool playing_ = false;
    WindowHandle notify_ = 0;
    Destination destination_;
    int stops_ = 0;
};

}  // namespace kv
