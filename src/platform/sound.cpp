#include "platform/sound.h"

#include <cmath>

#include "platform/backend.h"

namespace kv {

namespace {

// The device opened last; kept so that closing reaches it even if the backend changed since.
SoundDevice* g_device = nullptr;

}  // namespace

bool SoundBufferAcceptable(const PcmFormat& format, std::size_t bytes) {
    if (format.channels != 1 && format.channels != 2) return false;
    if (format.bits != 8 && format.bits != 16) return false;
    if (format.rate < kMinSoundRate || format.rate > kMaxSoundRate) return false;
    if (format.blockAlign != format.channels * format.bits / 8) return false;
    return bytes >= kMinSoundBufferBytes && bytes <= kMaxSoundBufferBytes;
}

SoundPlacement PlaceSound(float x, float y, float z) {
    SoundPlacement p;
    const float distance = std::sqrt(x * x + y * y + z * z);
    if (distance > 1.0f) p.gain = 1.0f / distance;
    const float level = std::sqrt(x * x + z * z);
    if (level > 0.0f) p.pan = x / level;
    return p;
}

bool SoundOpen() {
    if (g_device != nullptr) return true;
    Backend* backend = GetBackend();
    SoundDevice* device = backend != nullptr ? backend->soundDevice() : nullptr;
    if (device == nullptr || !device->open()) return false;
    g_device = device;
    return true;
}

void SoundClose() {
    if (g_device != nullptr) g_device->close();
    g_device = nullptr;
}

bool SoundIsOpen() {
    return g_device != nullptr;
}

SoundBuffer SoundCreateBuffer(const PcmFormat& format, std::span<const std::uint8_t> pcm) {
    if (g_device == nullptr || !SoundBufferAcceptable(format, pcm.size())) return kNoSoundBuffer;
    return g_device->createBuffer(format, pcm);
}

void SoundReleaseBuffer(SoundBuffer buffer) {
    if (g_device != nullptr && buffer != kNoSoundBuffer) g_device->releaseBuffer(buffer);
}

bool SoundPlay(SoundBuffer buffer, bool loop) {
    return g_device != nullptr && g_device->play(buffer, loop);
}

bool SoundStop(SoundBuffer buffer) {
    return g_device != nullptr && g_device->stop(buffer);
}

bool SoundRewind(SoundBuffer buffer) {
    return g_device != nullptr && g_device->rewind(buffer);
}

bool SoundIsPlaying(SoundBuffer buffer, bool& playing) {
    playing = false;
    return g_device != nullptr && g_device->isPlaying(buffer, playing);
}

bool SoundSetPosition(SoundBuffer buffer, float x, float y, float z) {
    return g_device != nullptr && g_device->setPosition(buffer, x, y, z);
}

}  // namespace kv
