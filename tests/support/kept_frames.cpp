#include "support/kept_frames.h"

#include "platform/display.h"

namespace kv::test {

std::filesystem::path TestFramesDir() {
    const std::filesystem::path dir = KV_TEST_FRAMES_DIR;
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    return dir;
}

bool KeepFrame(const HeadlessBackend& backend, const std::string& name) {
    if (backend.frames().empty()) return false;
    return WriteFramePng(backend.frames().back(), (TestFramesDir() / (name + ".png")).string());
}

bool KeepFrameInCurrentPalette(const HeadlessBackend& backend, const std::string& name) {
    if (backend.frames().empty()) return false;
    HeadlessBackend::Frame frame = backend.frames().back();
    frame.palette = DisplayCurrentPalette();
    return WriteFramePng(frame, (TestFramesDir() / (name + ".png")).string());
}

}  // namespace kv::test
