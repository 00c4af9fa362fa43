#include "platform/sdl/sdl_video.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/sdl/sdl_mixer_device.h"

namespace kv {

std::uint32_t SdlVideo::open(const std::string& hostPath, std::uint32_t& error) {
    close();
    error = 0;
    if (!decoder_.open(hostPath)) {
        error = kVideoErrorUnreadable;
        return 0;
    }
    path_ = hostPath;
    audio_ = true;
    played_ = false;
    x_ = 0;
    y_ = 0;
    width_ = decoder_.width();
    height_ = decoder_.height();
    id_ = ++lastId_;
    return id_;
}

void SdlVideo::close() {
    if (id_ == 0) return;
    closeSound();
    decoder_.close();
    playing_ = false;
    pending_ = false;
    id_ = 0;
    // The video's window goes with it. Notices already given stay given.
    if (show_) show_(nullptr, 0, 0, 0, 0);
}

bool SdlVideo::sourceSize(int& width, int& height) {
    if (id_ == 0) return false;
    width = decoder_.width();
    height = decoder_.height();
    return true;
}

void SdlVideo::setDestination(int x, int y, int width, int height) {
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
}

bool SdlVideo::play(WindowHandle notify) {
    if (id_ == 0) return false;
    if (playing_) {
        playing_ = false;
        post(MCI_NOTIFY_ABORTED);
    }
    // Each play starts at the beginning.
    if (played_ && !decoder_.open(path_)) return false;
    closeSound();
    played_ = true;
    notify_ = notify;
    pending_ = false;
    atEnd_ = false;
    endTime_ = 0;
    if (audio_ && decoder_.hasSound()) openSound();
    start_ = SDL_GetPerformanceCounter();
    playing_ = true;
    return true;
}

void SdlVideo::stop() {
    if (!playing_) return;
    playing_ = false;
    closeSound();
    post(MCI_NOTIFY_ABORTED);
}

double SdlVideo::elapsed() const {
    return static_cast<double>(SDL_GetPerformanceCounter() - start_) /
           static_cast<double>(SDL_GetPerformanceFrequency());
}

void SdlVideo::service(std::vector<InputEvent>& out) {
    if (playing_) {
        const double now = elapsed();
        const AviDecoder::SoundSink sink = [this](std::span<const std::int16_t> samples) {
            const std::lock_guard lock(soundMutex_);
            SDL_AudioStreamPut(sound_, samples.data(),
                               static_cast<int>(samples.size() * sizeof(std::int16_t)));
        };
        bool due = false;
        for (;;) {
            if (!pending_ && !atEnd_) {
                pending_ = decoder_.nextPicture(pendingTime_, mixerHeld_ ? sink : nullptr);
                atEnd_ = !pending_;
                if (atEnd_ && mixerHeld_) {
                    const std::lock_guard lock(soundMutex_);
                    SDL_AudioStreamFlush(sound_);
                }
            }
            if (!pending_ || pendingTime_ > now) break;
            // Of pictures that are late only the latest is shown, so only that one is scaled.
            pending_ = false;
            endTime_ = pendingTime_ + decoder_.frameDuration();
            decoder_.takePicture();
            due = true;
        }
        if (due && width_ > 0 && height_ > 0) {
            scaled_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
            if (decoder_.scalePicture(width_, height_, scaled_) && show_)
                show_(scaled_.data(), x_, y_, width_, height_);
        }
        if (atEnd_ && !pending_ && now >= endTime_ && !soundLeft()) {
            playing_ = false;
            closeSound();
            post(MCI_NOTIFY_SUCCESSFUL);
        }
    }
    out.insert(out.end(), notices_.begin(), notices_.end());
    notices_.clear();
}

int SdlVideo::msUntilDue() {
    if (!playing_) return -1;
    const double next = pending_ ? pendingTime_ : (atEnd_ ? endTime_ : 0.0);
    const double wait = next - elapsed();
    if (wait <= 0) return atEnd_ && !pending_ ? 10 : 0;
    return static_cast<int>(std::ceil(wait * 1000.0));
}

void SdlVideo::openSound() {
    if (!AcquireMixer()) return;
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    SDL_AudioStream* stream =
        SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(decoder_.channels()),
                           decoder_.sampleRate(), format, static_cast<Uint8>(channels), rate);
    if (stream == nullptr) {
        ReleaseMixer();
        return;
    }
    {
        const std::lock_guard lock(soundMutex_);
        sound_ = stream;
    }
    mixerHeld_ = true;
    Mix_HookMusic(&SdlVideo::MixSound, this);
}

void SdlVideo::closeSound() {
    if (!mixerHeld_) return;
    // Taken under the mixer's lock: once it returns, MixSound no longer runs.
    Mix_HookMusic(nullptr, nullptr);
    {
        const std::lock_guard lock(soundMutex_);
        SDL_FreeAudioStream(sound_);
        sound_ = nullptr;
    }
    ReleaseMixer();
    mixerHeld_ = false;
}

bool SdlVideo::soundLeft() {
    const std::lock_guard lock(soundMutex_);
    return sound_ != nullptr && SDL_AudioStreamAvailable(sound_) > 0;
}

void SdlVideo::MixSound(void* self, Uint8* stream, int length) {
    auto* video = static_cast<SdlVideo*>(self);
    int got = 0;
    {
        const std::lock_guard lock(video->soundMutex_);
        if (video->sound_ != nullptr) got = SDL_AudioStreamGet(video->sound_, stream, length);
    }
    if (got < 0) got = 0;
    std::memset(stream + got, 0, static_cast<std::size_t>(length - got));
}

void SdlVideo::post(WParam code) {
    if (notify_ != 0)
        notices_.push_back(InputEvent{MM_MCINOTIFY, code, static_cast<LParam>(id_), notify_});
}

}  // namespace kv
