#include "support/kept_frames.h"

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

}  // namespace kv::test
