#pragma once
// The music device: the tracks of a disc, played from the start of one track to the start of
// another (or to the end of the disc) with a completion notice, and a volume of its own.

#include <cstdint>
#include <span>
#include <string>

#include "platform/messages.h"

namespace kv {

class MusicPlayer {
  public:
    virtual ~MusicPlayer() = default;

    // trackFiles[t - 1] is the host path of track t, empty for a track without sound (the data
    // track). Returns the device id, or 0 when nothing can be played.
    virtual std::uint32_t open(std::span<const std::string> trackFiles) = 0;
    // Stops without a notice and forgets the tracks.
    virtual void close() = 0;
    virtual int trackCount() = 0;

    // Plays from the start of track `from` to the start of track `to` (0: to the end of the
    // disc). Refused when either is not a track of the disc or `from` has no sound. When the play
    // ends MM_MCINOTIFY goes to the notify window with MCI_NOTIFY_SUCCESSFUL and the device id;
    // a play that is stopped or replaced gets MCI_NOTIFY_ABORTED instead.
    virtual bool play(int from, int to, WindowHandle notify) = 0;
    virtual void stop() = 0;

    // Left channel in the low word, right in the high word, 0..0xFFFF each. Only the game's own
    // music changes with it; the system's mixer is left alone.
    virtual std::uint32_t volume() = 0;
    virtual void setVolume(std::uint32_t leftRight) = 0;
};

inline constexpr int kMusicToEndOfDisc = 0;

// The backend's music device, or null.
MusicPlayer* GetMusicPlayer();

}  // namespace kv
