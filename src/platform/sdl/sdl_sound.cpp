// The real mixer: SDL2_mixer, one channel per buffer, so that every sound of a mission can play
// at once. A stopped buffer is a paused channel, which keeps its place in the sound.

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_mixer_device.h"
#include "platform/sound.h"

namespace kv {

namespace {

// Enough for the 85 sound slots with room to spare; more are allocated if ever needed.
constexpr int kInitialChannels = 96;

class SdlSound : public SoundDevice {
  public:
    ~SdlSound() override { close(); }

    bool open() override {
        if (open_) return true;
        // The music and the videos play through the same mixer.
        if (!AcquireMixer()) return false;
        int frequency = 0;
        int channels = 0;
        Uint16 format = 0;
        Mix_QuerySpec(&frequency, &format, &channels);
        outRate_ = frequency;
        outFormat_ = format;
        outChannels_ = static_cast<Uint8>(channels);
        channelCount_ = Mix_AllocateChannels(kInitialChannels);
        freeChannels_.clear();
        for (int c = channelCount_ - 1; c >= 0; --c) freeChannels_.push_back(c);
        open_ = true;
        return true;
    }

    void close() override {
        if (!open_) return;
        for (auto& [handle, b] : buffers_) Mix_HaltChannel(b.channel);
        buffers_.clear();
        freeChannels_.clear();
        ReleaseMixer();
        open_ = false;
    }

    SoundBuffer createBuffer(const PcmFormat& format, std::span<const std::uint8_t> pcm) override {
        if (!open_) return kNoSoundBuffer;
        SDL_AudioCVT cvt;
        const SDL_AudioFormat in = format.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
        if (SDL_BuildAudioCVT(&cvt, in, static_cast<Uint8>(format.channels),
                              static_cast<int>(format.rate), outFormat_, outChannels_,
                              outRate_) < 0)
            return kNoSoundBuffer;
        // Whole sample frames only.
        const std::size_t bytes = pcm.size() - pcm.size() % format.blockAlign;
        if (bytes == 0) return kNoSoundBuffer;
        std::vector<std::uint8_t> data(bytes * static_cast<std::size_t>(cvt.len_mult));
        std::copy_n(pcm.begin(), bytes, data.begin());
        cvt.buf = data.data();
        cvt.len = static_cast<int>(bytes);
        if (cvt.needed != 0 && SDL_ConvertAudio(&cvt) != 0) return kNoSoundBuffer;
        data.resize(static_cast<std::size_t>(cvt.needed != 0 ? cvt.len_cvt : cvt.len));
        const int channel = takeChannel();
        if (channel < 0) return kNoSoundBuffer;
        const SoundBuffer handle = next_++;
        Buffer& b = buffers_[handle];
        b.data = std::move(data);
        // The chunk only points into the data, which the buffer keeps.
        b.chunk.allocated = 0;
        b.chunk.abuf = b.data.data();
        b.chunk.alen = static_cast<Uint32>(b.data.size());
        b.chunk.volume = MIX_MAX_VOLUME;
        b.channel = channel;
        Mix_Volume(channel, MIX_MAX_VOLUME);
        Mix_SetPanning(channel, 255, 255);
        return handle;
    }

    void releaseBuffer(SoundBuffer handle) override {
        const auto it = buffers_.find(handle);
        if (it == buffers_.end()) return;
        Mix_HaltChannel(it->second.channel);
        freeChannels_.push_back(it->second.channel);
        buffers_.erase(it);
    }

    bool play(SoundBuffer handle, bool loop) override {
        Buffer* b = find(handle);
        if (b == nullptr) return false;
        const bool active = Mix_Playing(b->channel) != 0;
        const bool paused = active && Mix_Paused(b->channel) != 0;
        if (active && !paused && b->looping == loop) return true;
        if (paused && b->looping == loop) {
            Mix_Resume(b->channel);
            return true;
        }
        // Idle, or the loop flag changed: the mixer cannot change that mid-sound, so start over.
        b->looping = loop;
        return Mix_PlayChannel(b->channel, &b->chunk, loop ? -1 : 0) >= 0;
    }

    bool stop(SoundBuffer handle) override {
        Buffer* b = find(handle);
        if (b == nullptr) return false;
        if (Mix_Playing(b->channel) != 0) Mix_Pause(b->channel);
        return true;
    }

    bool rewind(SoundBuffer handle) override {
        Buffer* b = find(handle);
        if (b == nullptr) return false;
        const bool active = Mix_Playing(b->channel) != 0;
        if (active && Mix_Paused(b->channel) == 0)
            Mix_PlayChannel(b->channel, &b->chunk, b->looping ? -1 : 0);
        else
            Mix_HaltChannel(b->channel);
        return true;
    }

    bool isPlaying(SoundBuffer handle, bool& playing) override {
        Buffer* b = find(handle);
        if (b == nullptr) return false;
        playing = Mix_Playing(b->channel) != 0 && Mix_Paused(b->channel) == 0;
        return true;
    }

    bool setPosition(SoundBuffer handle, float x, float y, float z) override {
        Buffer* b = find(handle);
        if (b == nullptr) return false;
        const SoundPlacement p = PlaceSound(x, y, z);
        Mix_Volume(b->channel, static_cast<int>(std::lround(p.gain * MIX_MAX_VOLUME)));
        // Equal power across the pan, both sides full in the middle.
        const float angle = (p.pan + 1.0f) * 0.7853982f;
        const auto side = [](float v) {
            return static_cast<Uint8>(std::lround(std::clamp(v * 1.4142136f, 0.0f, 1.0f) * 255));
        };
        Mix_SetPanning(b->channel, side(std::cos(angle)), side(std::sin(angle)));
        return true;
    }

  private:
    struct Buffer {
        std::vector<std::uint8_t> data;
        Mix_Chunk chunk{};
        int channel = -1;
        bool looping = false;
    };

    Buffer* find(SoundBuffer handle) {
        const auto it = buffers_.find(handle);
        return it == buffers_.end() ? nullptr : &it->second;
    }

    int takeChannel() {
        if (freeChannels_.empty()) {
            const int more = Mix_AllocateChannels(channelCount_ + kInitialChannels);
            for (int c = more - 1; c >= channelCount_; --c) freeChannels_.push_back(c);
            channelCount_ = more;
            if (freeChannels_.empty()) return -1;
        }
        const int c = freeChannels_.back();
        freeChannels_.pop_back();
        return c;
    }

    std::map<SoundBuffer, Buffer> buffers_;
    std::vector<int> freeChannels_;
    SoundBuffer next_ = 1;
    int channelCount_ = 0;
    int outRate_ = 44100;
    SDL_AudioFormat outFormat_ = AUDIO_S16SYS;
    Uint8 outChannels_ = 2;
    bool open_ = false;
};

}  // namespace

std::unique_ptr<SoundDevice> CreateSdlSoundDevice() {
    return std::make_unique<SdlSound>();
}

}  // namespace kv
