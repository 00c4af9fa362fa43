#pragma once
// The video device: one video file at a time, shown scaled into a rectangle of the screen while
// the display is in its video mode (640 x 480 x 16), with its sound unless switched off, and one
// completion notice when it ends or is stopped.

#include <cstdint>
#include <string>

#include "platform/messages.h"

namespace kv {

// Error numbers of VideoPlayer::open.
inline constexpr std::uint32_t kVideoErrorNoPlayer = 1;
inline constexpr std::uint32_t kVideoErrorUnreadable = 2;

class VideoPlayer {
  public:
    virtual ~VideoPlayer() = default;

    // Opens a video file (host path), closing any open one. Returns the device id; 0 with an
    // error number when the file cannot be played.
    virtual std::uint32_t open(const std::string& hostPath, std::uint32_t& error) = 0;
    // Ends playback without a notice.
    virtual void close() = 0;
    // The size the video was made in.
    virtual bool sourceSize(int& width, int& height) = 0;
    virtual void setAudio(bool on) = 0;
    // The screen rectangle the frames fill.
    virtual void setDestination(int x, int y, int width, int height) = 0;
    // Starts from the beginning. MM_MCINOTIFY goes to the notify window once, with the device id:
    // MCI_NOTIFY_SUCCESSFUL at the end, MCI_NOTIFY_ABORTED after stop.
    virtual bool play(WindowHandle notify) = 0;
    virtual void stop() = 0;
};

// The backend's video device, or null.
VideoPlayer* GetVideoPlayer();

}  // namespace kv
