#include "platform/sdl/sdl_music.h"

#include <algorithm>
#include <cstdio>

#include "platform/sdl/sdl_mixer_device.h"

namespace kv {

namespace {
// SDL_mixer's end-of-music hook takes no argument; there is one music device.
SdlMusic* g_instance = nullptr;
}  // namespace

void SdlMusic::OnMusicFinished() {
    SdlMusic* self = g_instance;
    if (self == nullptr) return;
    {
        const std::lock_guard lock(self->mutex_);
        self->finished_ = true;
        self->finishedSerial_ = self->serial_.load();
    }
    if (self->wakeEvent_ != 0) {
        SDL_Event e{};
        e.type = self->wakeEvent_;
        SDL_PushEvent(&e);
    }
}

std::uint32_t SdlMusic::open(std::span<const std::string> trackFiles) {
    close();
    const bool any = std::any_of(trackFiles.begin(), trackFiles.end(),
                                 [](const std::string& f) { return !f.empty(); });
    if (!any || !AcquireMixer()) return 0;
    mixerHeld_ = true;
    g_instance = this;
    Mix_HookMusicFinished(&SdlMusic::OnMusicFinished);
    tracks_.assign(trackFiles.begin(), trackFiles.end());
    setVolume(volume_);
    id_ = ++lastId_;
    return id_;
}

void SdlMusic::close() {
    if (!mixerHeld_) return;
    halt();
    playing_ = false;
    Mix_HookMusicFinished(nullptr);
    if (music_ != nullptr) Mix_FreeMusic(music_);
    music_ = nullptr;
    g_instance = nullptr;
    ReleaseMixer();
    mixerHeld_ = false;
    tracks_.clear();
    notices_.clear();
    id_ = 0;
}

bool SdlMusic::play(int from, int to, WindowHandle notify) {
    const int count = trackCount();
    if (id_ == 0 || from < 1 || from > count || tracks_[static_cast<std::size_t>(from - 1)].empty())
        return false;
    if (to != kMusicToEndOfDisc && (to <= from || to > count)) return false;
    if (playing_) {
        halt();
        playing_ = false;
        post(MCI_NOTIFY_ABORTED);
    }
    notify_ = notify;
    lastTrack_ = to == kMusicToEndOfDisc ? count : to - 1;
    if (!start(from)) return false;
    playing_ = true;
    return true;
}

void SdlMusic::stop() {
    if (!playing_) return;
    halt();
    playing_ = false;
    post(MCI_NOTIFY_ABORTED);
}

void SdlMusic::setVolume(std::uint32_t leftRight) {
    volume_ = leftRight;
    // SDL_mixer has one music volume; the louder channel sets it.
    const std::uint32_t level = std::max(leftRight & 0xFFFFu, leftRight >> 16);
    Mix_VolumeMusic(static_cast<int>((level * MIX_MAX_VOLUME + 0x7FFFu) / 0xFFFFu));
}

void SdlMusic::service(std::vector<InputEvent>& out) {
    bool finished = false;
    {
        const std::lock_guard lock(mutex_);
        finished = finished_ && finishedSerial_ == serial_.load();
        finished_ = false;
    }
    if (finished && playing_) {
        // Tracks without sound (the data track) are passed over.
        while (nextTrack_ != 0 && nextTrack_ <= lastTrack_ && !start(nextTrack_)) {
        }
        if (!Mix_PlayingMusic()) {
            playing_ = false;
            post(MCI_NOTIFY_SUCCESSFUL);
        }
    }
    out.insert(out.end(), notices_.begin(), notices_.end());
    notices_.clear();
}

bool SdlMusic::start(int track) {
    nextTrack_ = track < lastTrack_ ? track + 1 : 0;
    const std::string& file = tracks_[static_cast<std::size_t>(track - 1)];
    if (file.empty()) return false;
    if (music_ != nullptr) Mix_FreeMusic(music_);
    music_ = Mix_LoadMUS(file.c_str());
    if (music_ == nullptr) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), Mix_GetError());
        return false;
    }
    serial_.fetch_add(1);
    return Mix_PlayMusic(music_, 1) == 0;
}

void SdlMusic::halt() {
    // What ends now was stopped, not run out: the hook's notice must not count.
    serial_.fetch_add(1);
    Mix_HaltMusic();
    {
        const std::lock_guard lock(mutex_);
        finished_ = false;
    }
}

void SdlMusic::post(WParam code) {
    if (notify_ != 0)
        notices_.push_back(InputEvent{MM_MCINOTIFY, code, static_cast<LParam>(id_), notify_});
}

}  // namespace kv
