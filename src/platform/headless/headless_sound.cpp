#include "platform/headless/headless_sound.h"

namespace kv {

const HeadlessSound::Buffer* HeadlessSound::buffer(SoundBuffer handle) const {
    const auto it = buffers_.find(handle);
    return it == buffers_.end() ? nullptr : &it->second;
}

bool HeadlessSound::playing(SoundBuffer handle) const {
    const Buffer* b = buffer(handle);
    return b != nullptr && b->playing && !ran(*b);
}

std::uint32_t HeadlessSound::lengthMs(const Buffer& b) {
    const std::uint64_t block = b.format.blockAlign != 0 ? b.format.blockAlign : 1;
    const std::uint64_t rate = b.format.rate != 0 ? b.format.rate : 1;
    return static_cast<std::uint32_t>(b.data.size() / block * 1000 / rate);
}

bool HeadlessSound::ran(const Buffer& b) const {
    if (clock_ == nullptr || !b.playing || b.looping) return false;
    return b.playedMs + (*clock_ - b.startedAt) > lengthMs(b);
}

void HeadlessSound::end(Buffer& b) {
    b.playing = false;
    b.atStart = true;
    b.playedMs = 0;
}

HeadlessSound::Buffer* HeadlessSound::find(SoundBuffer handle) {
    const auto it = buffers_.find(handle);
    return it == buffers_.end() ? nullptr : &it->second;
}

void HeadlessSound::finish(SoundBuffer handle) {
    if (Buffer* b = find(handle); b != nullptr && !b->looping) end(*b);
}

bool HeadlessSound::open() {
    if (failOpen_) return false;
    open_ = true;
    return true;
}

void HeadlessSound::close() {
    buffers_.clear();
    open_ = false;
}

SoundBuffer HeadlessSound::createBuffer(const PcmFormat& format,
                                        std::span<const std::uint8_t> pcm) {
    if (!open_ || failCreate_) return kNoSoundBuffer;
    const SoundBuffer handle = next_++;
    Buffer& b = buffers_[handle];
    b.format = format;
    b.data.assign(pcm.begin(), pcm.end());
    calls_.push_back(Call{Op::Create, handle});
    return handle;
}

void HeadlessSound::releaseBuffer(SoundBuffer handle) {
    if (buffers_.erase(handle) != 0) calls_.push_back(Call{Op::Release, handle});
}

bool HeadlessSound::play(SoundBuffer handle, bool loop) {
    Buffer* b = find(handle);
    if (b == nullptr) return false;
    if (ran(*b)) end(*b);
    // Playing on from where a stop left it, or from the start after a rewind or the end.
    if (b->atStart) b->playedMs = 0;
    b->playing = true;
    b->looping = loop;
    b->atStart = false;
    if (clock_ != nullptr) b->startedAt = *clock_;
    calls_.push_back(Call{Op::Play, handle, loop});
    return true;
}

bool HeadlessSound::stop(SoundBuffer handle) {
    Buffer* b = find(handle);
    if (b == nullptr) return false;
    if (ran(*b)) {
        end(*b);
    } else if (b->playing && clock_ != nullptr) {
        b->playedMs += *clock_ - b->startedAt;
    }
    b->playing = false;
    calls_.push_back(Call{Op::Stop, handle});
    return true;
}

bool HeadlessSound::rewind(SoundBuffer handle) {
    Buffer* b = find(handle);
    if (b == nullptr) return false;
    b->atStart = true;
    b->playedMs = 0;
    if (clock_ != nullptr) b->startedAt = *clock_;
    calls_.push_back(Call{Op::Rewind, handle});
    return true;
}

bool HeadlessSound::isPlaying(SoundBuffer handle, bool& isPlaying) {
    Buffer* b = find(handle);
    if (b == nullptr || failStatus_) return false;
    if (ran(*b)) end(*b);
    isPlaying = b->playing;
    return true;
}

bool HeadlessSound::setPosition(SoundBuffer handle, float x, float y, float z) {
    Buffer* b = find(handle);
    if (b == nullptr) return false;
    b->x = x;
    b->y = y;
    b->z = z;
    ++b->positionsSet;
    calls_.push_back(Call{Op::Position, handle, false, x, y, z});
    return true;
}

}  // namespace kv
