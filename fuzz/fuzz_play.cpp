// The whole game under a player's input: the game starts on the sample data at its start picture,
// the input is read as a sequence of mouse, key and frame events (tools/play/play_input.h) and
// played through the window procedure and the main loop's frames, and after every frame the
// game's state is checked. A broken state aborts with what broke; an input plays at most
// kMaxFrames frames, so that one input stays quick.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/data_folders.h"
#include "play_input.h"
#include "play_session.h"
#include "support/fuzz_support.h"

namespace {

constexpr long kMaxFrames = 1000;

// The sample data as the working folder, and a scratch folder for what the game writes, emptied
// for each input so that no input finds the saves of another.
void PrepareFolders() {
    static const std::filesystem::path scratch = [] {
        char pattern[] = "/tmp/kestrivon-fuzz-play-XXXXXX";
        if (::mkdtemp(pattern) == nullptr) std::abort();
        kv::SetWriteFolder(pattern);
        std::filesystem::current_path(KV_SAMPLEDATA_DIR);
        return std::filesystem::path(pattern);
    }();
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(scratch, ec))
        std::filesystem::remove_all(entry.path(), ec);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PrepareFolders();
    kv::fuzz::Input input;
    kv::play::PlaySession session(input.backend());
    if (std::string error = session.start(); !error.empty()) {
        std::fprintf(stderr, "fuzz_play: the game does not start: %s\n", error.c_str());
        std::abort();
    }
    const auto events = kv::play::DecodePlay({data, size});
    const kv::play::PlayOutcome out = kv::play::PlayEvents(session, events, kMaxFrames);
    if (!out.broken.empty()) {
        std::fprintf(stderr, "fuzz_play: after frame %ld: %s\n", out.frames, out.broken.c_str());
        std::abort();
    }
    return 0;
}
