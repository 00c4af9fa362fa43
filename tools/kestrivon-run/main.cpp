// kestrivon-run --mission N --ticks T --seed S --every K [--data DIR]
//
// Runs a mission without a screen: the headless backend, the game's start-up, the random
// generator seeded with S, mission N started from its campaign position with its video ended at
// once, then T simulation ticks at speed 1. Every K ticks it prints "tick <n> <checksum>"; two
// runs of one seed print the same lines. The time per tick goes to stderr. Exit 1 with the
// message when the mission cannot start or play leaves the mission view; 2 for a bad command
// line.

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/program_tables.h"
#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "core/options.h"
#include "core/random.h"
#include "mission/campaign_tables.h"
#include "mission/game_state.h"
#include "mission/mission_checksum.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "platform/backend.h"
#include "platform/headless/headless_backend.h"
#include "platform/window.h"

namespace {

struct Options {
    int mission = 0;
    long ticks = -1;
    std::uint32_t seed = 0;
    long every = 0;
    std::string data;
};

int Usage(const char* message) {
    std::fprintf(stderr,
                 "kestrivon-run: %s\nusage: kestrivon-run --mission N --ticks T --seed S --every "
                 "K [--data DIR]\n",
                 message);
    return 2;
}

template <class T>
bool ParseNumber(std::string_view text, T& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc{} && end == text.data() + text.size();
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options o;
    bool mission = false, ticks = false, seed = false, every = false;
    for (int i = 1; i < argc; i += 2) {
        const std::string_view name = argv[i];
        if (i + 1 >= argc) return std::nullopt;
        const std::string_view value = argv[i + 1];
        bool ok = false;
        if (name == "--mission") {
            ok = mission = ParseNumber(value, o.mission);
        } else if (name == "--ticks") {
            ok = ticks = ParseNumber(value, o.ticks) && o.ticks >= 0;
        } else if (name == "--seed") {
            ok = seed = ParseNumber(value, o.seed);
        } else if (name == "--every") {
            ok = every = ParseNumber(value, o.every) && o.every > 0;
        } else if (name == "--data") {
            o.data = value;
            ok = true;
        }
        if (!ok) return std::nullopt;
    }
    if (!mission || !ticks || !seed || !every) return std::nullopt;
    return o;
}

// Handles every waiting message, as the main loop would between frames.
void DrainMessages() {
    kv::Message m;
    while (kv::PeekMessage(m, kv::PM_REMOVE)) {
        if (m.message == kv::WM_QUIT) return;
        kv::TranslateMessage(m);
        kv::DispatchMessage(m);
    }
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "kestrivon-run: %s\n", message.c_str());
    return 1;
}

void ReportTimes(std::vector<double>& micros) {
    if (micros.empty()) return;
    std::sort(micros.begin(), micros.end());
    double sum = 0;
    for (double m : micros) sum += m;
    std::fprintf(stderr, "%zu ticks: median %.2f us, mean %.2f us, max %.2f us per tick\n",
                 micros.size(), micros[micros.size() / 2], sum / static_cast<double>(micros.size()),
                 micros.back());
}

int Run(const Options& o) {
    kv::InstallProgramTables();
    if (kv::InitWindow() == 0) return Fail("the window could not be opened");
    kv::InitGame();
    if (kv::FatalErrorRaised()) return Fail(kv::FatalErrorMessage());
    kv::SeedRandom(o.seed);
    kv::CampaignPosition = kv::CampaignPositionOf(o.mission);
    kv::StartMission(kv::kNewMission);
    DrainMessages();
    if (kv::FatalErrorRaised()) return Fail(kv::FatalErrorMessage());
    if (kv::GameMode != 2) return Fail("the mission did not reach the mission view");

    kv::GameSpeed = 1;
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(o.ticks));
    for (long n = 1; n <= o.ticks; ++n) {
        const auto start = std::chrono::steady_clock::now();
        kv::RunGameTicks(0);
        const auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        if (kv::FatalErrorRaised()) return Fail(kv::FatalErrorMessage());
        if (kv::GameMode != 2) return Fail("play left the mission view");
        if (n % o.every == 0) std::printf("tick %ld %016" PRIx64 "\n", n, kv::MissionChecksum());
    }
    ReportTimes(micros);
    kv::ShutdownMission(1);
    kv::DestroyWindow(kv::MainWindow);
    DrainMessages();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) return Usage("bad or missing arguments");
    if (!options->data.empty()) {
        std::error_code ec;
        std::filesystem::current_path(options->data, ec);
        if (ec) return Usage("the data folder cannot be entered");
    }
    kv::HeadlessBackend backend;
    backend.videoDevice().setEndAtOnce(true);
    kv::SetBackend(&backend);
    const int code = Run(*options);
    // Whatever happened, the window goes and everything is freed, so the run ends clean.
    if (kv::IsWindow(kv::MainWindow)) kv::DestroyWindow(kv::MainWindow);
    DrainMessages();
    kv::ResetGameState();
    kv::ResetProgramState();
    kv::SetBackend(nullptr);
    std::fflush(stdout);
    return code;
}
