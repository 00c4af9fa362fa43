#include "support/headless_test.h"

#include <unistd.h>

#include <atomic>
#include <fstream>

#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "gfx/fonts.h"
#include "gfx/frame_buffer.h"
#include "mission/game_state.h"
#include "platform/config.h"
#include "platform/data_folders.h"
#include "platform/display.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "platform/window.h"
#include "screens/screen_state.h"

namespace kv::test {

void ResetPlatformState() {
    ResetGameState();
    ResetScreens();
    ResetProgramState();
    ResetWindowState();
    ClearConfigOverrides();
    SetWriteFolder({});
}

void HeadlessTest::SetUp() {
    ResetPlatformState();
    SetBackend(&backend);
}

void HeadlessTest::TearDown() {
    ResetPlatformState();
    SetBackend(nullptr);
}

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("kestrivon-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void ScratchDir::write(const std::string& rel, const std::string& content) const {
    const auto p = path_ / rel;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
}

void ScratchDir::linkSampleData(const std::string& rel) const {
    const auto link = path_ / rel;
    std::filesystem::create_directories(link.parent_path());
    std::filesystem::create_directory_symlink(std::filesystem::path(KV_SAMPLEDATA_DIR) / rel, link);
}

WorkingDirectory::WorkingDirectory(const std::filesystem::path& dir)
    : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
}

WorkingDirectory::~WorkingDirectory() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
}

}  // namespace kv::test
