#include "platform/backend.h"

#include "platform/music.h"
#include "platform/video.h"

namespace kv {

namespace {
Backend* g_backend = nullptr;
}

void SetBackend(Backend* backend) {
    g_backend = backend;
}
Backend* GetBackend() {
    return g_backend;
}

MusicPlayer* GetMusicPlayer() {
    return g_backend != nullptr ? g_backend->music() : nullptr;
}

VideoPlayer* GetVideoPlayer() {
    return g_backend != nullptr ? g_backend->video() : nullptr;
}

}  // namespace kv
