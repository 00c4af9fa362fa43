#pragma once
// The silent mixer of the headless backend: it keeps each buffer's state and a log of what was
// asked, for the tests to read. Once given a clock, a sound that does not loop ends when the clock
// has passed the end of its samples, as a real device's does; without one it plays until stopped,
// or until the test ends it.

#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "platform/sound.h"

namespace kv {

class HeadlessSound : public SoundDevice {
  public:
    struct Buffer {
        PcmFormat format;
        std::vector<std::uint8_t> data;
        bool playing = false;
        bool looping = false;
        bool atStart = true;  // play position at the first sample
        float x = 0;
        float y = 0;
        float z = 0;
        int positionsSet = 0;
        std::uint32_t startedAt = 0;  // clock reading at the last play
        std::uint32_t playedMs = 0;   // played before the last stop, since the start
    };
    enum class Op { Create, Release, Play, Stop, Rewind, Position };
    struct Call {
        Op op = Op::Create;
        SoundBuffer buffer = kNoSoundBuffer;
        bool loop = false;
        float x = 0;
        float y = 0;
        float z = 0;
    };

    // Null for a handle the device does not hold.
    const Buffer* buffer(SoundBuffer handle) const;
    bool playing(SoundBuffer handle) const;
    std::size_t bufferCount() const { return buffers_.size(); }
    const std::vector<Call>& calls() const { return calls_; }
    void clearCalls() { calls_ = {}; }
    bool isOpen() const { return open_; }

    // A sound that does not loop has reached its end.
    void finish(SoundBuffer handle);
    // The clock in milliseconds that plays the sounds; null keeps every sound playing until it is
    // stopped or finished.
    void setClock(const std::uint32_t* ms) { clock_ = ms; }
    // How long a buffer's samples play, in milliseconds.
    static std::uint32_t lengthMs(const Buffer& b);
    void failOpen(bool fail) { failOpen_ = fail; }
    void failCreate(bool fail) { failCreate_ = fail; }
    void failStatus(bool fail) { failStatus_ = fail; }

    bool open() override;
    void close() override;
    SoundBuffer createBuffer(const PcmFormat& format, std::span<const std::uint8_t> pcm) override;
    void releaseBuffer(SoundBuffer handle) override;
    bool play(SoundBuffer handle, bool loop) override;
    bool stop(SoundBuffer handle) override;
    bool rewind(SoundBuffer handle) override;
    bool isPlaying(SoundBuffer handle, bool& isPlaying) override;
    bool setPosition(SoundBuffer handle, float x, float y, float z) override;

  private:
    Buffer* find(SoundBuffer handle);
    // Whether a playing sound has played past its end by the clock.
    bool ran(const Buffer& b) const;
    void end(Buffer& b);

    std::map<SoundBuffer, Buffer> buffers_;
    std::vector<Call> calls_;
    SoundBuffer next_ = 1;
    bool open_ = false;
    bool failOpen_ = false;
    bool failCreate_ = false;
    bool failStatus_ = false;
    const std::uint32_t* clock_ = nullptr;
};

}  // namespace kv
