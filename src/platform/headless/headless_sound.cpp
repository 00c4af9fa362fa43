#include "platform/headless/headless_sound.h"

namespace kv {

const HeadlessSound::Buffer* HeadlessSound::buffer(SoundBuffer handle) const {
    const auto it = buffers_.find(handle);
    return it == buffers_.end() ? nullptr : &it->second;
}

bool HeadlessSound::playing(SoundBuffer handle) const {
    const Buffer* b = buffer(handle);
    return b != nullptr && b->playing;
}

HeadlessSound::Buffer* HeadlessSound::find(SoundBuffer handle) {
    const auto it = buffers_.find(handle);
    return it == buffers_.end() ? nullptr : &it->second;
}

void HeadlessSound::finish(SoundBuffer handle) {
    if (Buffer* b = find(handle); b != nullptr && !b->looping) {
        b->playing = false;
        b->atStart = true;
    }
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
    b->playing = true;
    b->looping = loop;
    b->atStart = false;
    calls_.push_back(Call{Op::Play, handle, loop});
    return true;
}

bool HeadlessSound::stop(SoundBuffer handle) {
    Buffer* b = find(handle);
    if (b == nullptr) return false;
    b->playing = false;
    calls_.push_back(Call{Op::Stop, handle});
    return true;
}

bool HeadlessSound::rewind(SoundBuffer handle) {
    Buffer* b = find(handle);
    if (b == nullptr) return false;
    b->atStart = true;
    calls_.push_back(Call{Op::Rewind, handle});
    return true;
}

bool HeadlessSound::isPlaying(SoundBuffer handle, bool& isPlaying) {
    const Buffer* b = find(handle);
    if (b == nullptr || failStatus_) return false;
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
