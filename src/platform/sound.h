#pragma once
// Sound effects: one device, static buffers made from PCM, each with a position in 3D around a
// listener at the origin. Stopping a buffer keeps its play position and playing goes on from
// there; a buffer that plays to its end without looping stops and starts again from the
// beginning next time.

#include <cstdint>
#include <span>

namespace kv {

struct PcmFormat {
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;  // samples per second
    std::uint16_t bits = 8;      // per sample: 8 unsigned, 16 signed little endian
    std::uint16_t blockAlign = 1;
    friend bool operator==(const PcmFormat&, const PcmFormat&) = default;
};

// What a buffer accepts: 1 or 2 channels of 8 or 16 bits, 100 to 200000 samples per second, a
// block of one sample per channel, and 4 bytes up to 256 MB of data.
inline constexpr std::uint32_t kMinSoundRate = 100;
inline constexpr std::uint32_t kMaxSoundRate = 200000;
inline constexpr std::uint32_t kMinSoundBufferBytes = 4;
inline constexpr std::uint32_t kMaxSoundBufferBytes = 0x0FFFFFFF;
bool SoundBufferAcceptable(const PcmFormat& format, std::size_t bytes);

// A buffer handle; 0 is none. A handle is never given out twice while the program runs, so one
// kept past the device's close is refused rather than taken for another sound.
using SoundBuffer = std::uint32_t;
inline constexpr SoundBuffer kNoSoundBuffer = 0;

// What the listener (at the origin, facing +z, +y up) hears of a sound at (x, y, z) with the
// default rolloff: full volume up to distance 1, beyond it volume falls as 1 / distance; the pan
// (-1 left .. 1 right) is the sine of the sound's angle from straight ahead.
struct SoundPlacement {
    float gain = 1;
    float pan = 0;
};
SoundPlacement PlaceSound(float x, float y, float z);

// A backend's mixer. Calls on a handle it does not hold fail.
class SoundDevice {
  public:
    virtual ~SoundDevice() = default;
    virtual bool open() = 0;
    // Stops and releases every buffer.
    virtual void close() = 0;
    // A copy of the data, stopped at its start, placed at the origin; kNoSoundBuffer on failure.
    virtual SoundBuffer createBuffer(const PcmFormat& format,
                                     std::span<const std::uint8_t> pcm) = 0;
    virtual void releaseBuffer(SoundBuffer buffer) = 0;
    virtual bool play(SoundBuffer buffer, bool loop) = 0;
    virtual bool stop(SoundBuffer buffer) = 0;
    virtual bool rewind(SoundBuffer buffer) = 0;
    virtual bool isPlaying(SoundBuffer buffer, bool& playing) = 0;
    virtual bool setPosition(SoundBuffer buffer, float x, float y, float z) = 0;
};

// The game's side, on the device of the current backend. Everything fails while it is closed.
bool SoundOpen();
void SoundClose();
bool SoundIsOpen();
SoundBuffer SoundCreateBuffer(const PcmFormat& format, std::span<const std::uint8_t> pcm);
void SoundReleaseBuffer(SoundBuffer buffer);
bool SoundPlay(SoundBuffer buffer, bool loop);
bool SoundStop(SoundBuffer buffer);
bool SoundRewind(SoundBuffer buffer);
bool SoundIsPlaying(SoundBuffer buffer, bool& playing);
bool SoundSetPosition(SoundBuffer buffer, float x, float y, float z);

}  // namespace kv
