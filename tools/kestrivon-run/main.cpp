// kestrivon-run --mission N --ticks T --seed S --every K [--frames DIR] [--data DIR] [--saves DIR]
// kestrivon-run --scenario FILE [--data DIR] [--saves DIR]
// kestrivon-run --play SEED --frames N [--missions LIST] [--data DIR] [--saves DIR]
// kestrivon-run --replay FILE [--data DIR] [--saves DIR]
//
// Runs a mission without a screen: the headless backend, the game's start-up, the random
// generator seeded, mission N started from its campaign position with its video ended at once,
// then simulation ticks at speed 1.
//
// With --mission, T ticks with seed S; every K ticks it prints "tick <n> <checksum>", and two
// runs of one seed print the same lines. With --frames each tick is a whole frame of the mission
// screen instead, and every K-th frame is also written as DIR/tick-<n>.png; what is drawn stays
// out of the checksum, so the lines are those of the bare run. The time per tick (or frame) goes
// to stderr. Exit 1 with the message when the mission cannot start, play leaves the mission view
// or a frame cannot be written; 2 for a bad command line.
//
// --saves names the folder of the save slots; without it they go to a temporary folder that is
// removed at the end.
//
// With --scenario, the commands of FILE (see scenario_file.h and tests/scenarios/README.md).
// Exit 0 when every command ran, 1 when an expect line differs or the game fails, 2 for a file
// that cannot be read or asks for what cannot be done, with "FILE:LINE: <what>" on stderr.
//
// With --play, the chance player (chance_play.h) plays the whole game from its start picture for
// N frames with seed SEED, jumping to each mission of LIST (numbers, comma-separated) in turn where
// the game has a mission jump. Exit 0 when every frame left a sound state, 1 with the broken
// state on stderr.
//
// With --replay, FILE's bytes are read as the fuzzer's input (tools/play/play_input.h) and played
// from the start picture the way the fuzzer plays them, every frame checked: what the fuzzer
// found, shown again on this build. Prints "frames <n>"; exit 0, or 1 with the broken state.

#include <stdlib.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "chance_play.h"
#include "core/random.h"
#include "mission/mission_checksum.h"
#include "mission_run.h"
#include "platform/backend.h"
#include "platform/data_folders.h"
#include "platform/headless/headless_backend.h"
#include "scenario_file.h"
#include "scenario_run.h"

namespace {

struct Options {
    int mission = 0;
    long ticks = -1;
    std::uint32_t seed = 0;
    long every = 0;
    std::string scenario;
    std::string data;
    std::filesystem::path frames;
    std::string saves;
    bool play = false;
    kv::run::ChanceOptions chance;
    std::string replay;
};

int Usage(const char* message) {
    std::fprintf(
        stderr,
        "kestrivon-run: %s\nusage: kestrivon-run --mission N --ticks T --seed S --every "
        "K [--frames DIR] [--data DIR] [--saves DIR]\n       kestrivon-run --scenario FILE "
        "[--data DIR] [--saves DIR]\n       kestrivon-run --play SEED --frames N "
        "[--missions LIST] [--data DIR] [--saves DIR]\n       kestrivon-run --replay FILE "
        "[--data DIR] [--saves DIR]\n",
        message);
    return 2;
}

template <class T>
bool ParseNumber(std::string_view text, T& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc{} && end == text.data() + text.size();
}

// "1,5,19": mission numbers 1..30.
bool ParseMissionList(std::string_view text, std::vector<int>& out) {
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        int mission = 0;
        if (!ParseNumber(text.substr(0, comma), mission) || mission < 1 || mission > 30)
            return false;
        out.push_back(mission);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
    return !out.empty();
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options o;
    bool mission = false, ticks = false, seed = false, every = false, scenario = false;
    std::string_view framesValue;
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
        } else if (name == "--scenario") {
            o.scenario = value;
            ok = scenario = true;
        } else if (name == "--data") {
            o.data = value;
            ok = true;
        } else if (name == "--frames") {
            // A folder for --mission, a count for --play: read once both are known.
            framesValue = value;
            ok = !value.empty();
        } else if (name == "--play") {
            ok = o.play = ParseNumber(value, o.chance.seed);
        } else if (name == "--replay") {
            o.replay = value;
            ok = !value.empty();
        } else if (name == "--missions") {
            ok = ParseMissionList(value, o.chance.missions);
        } else if (name == "--saves") {
            o.saves = value;
            ok = !value.empty();
        }
        if (!ok) return std::nullopt;
    }
    if (!o.replay.empty())
        return mission || ticks || seed || every || scenario || o.play || !framesValue.empty()
                   ? std::nullopt
                   : std::optional(o);
    if (o.play) {
        if (mission || ticks || seed || every || scenario) return std::nullopt;
        if (!ParseNumber(framesValue, o.chance.frames) || o.chance.frames < 0) return std::nullopt;
        return o;
    }
    if (!o.chance.missions.empty()) return std::nullopt;
    if (!framesValue.empty()) {
        // Named from where the runner was started, before it enters the data folder.
        std::error_code ec;
        o.frames = std::filesystem::absolute(framesValue, ec);
        if (ec) return std::nullopt;
    }
    if (scenario) {
        if (mission || ticks || seed || every || !o.frames.empty()) return std::nullopt;
        return o;
    }
    if (!mission || !ticks || !seed || !every) return std::nullopt;
    return o;
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

// The frame the backend showed last, as DIR/tick-<n>.png.
std::string WriteFrame(const kv::HeadlessBackend& backend, const std::filesystem::path& dir,
                       long n) {
    if (backend.frames().empty()) return "tick " + std::to_string(n) + " showed no frame";
    const std::filesystem::path file = dir / ("tick-" + std::to_string(n) + ".png");
    if (!kv::WriteFramePng(backend.frames().back(), file.string()))
        return file.string() + " cannot be written";
    return {};
}

int RunMission(const Options& o, kv::HeadlessBackend& backend) {
    const bool drawn = !o.frames.empty();
    if (drawn) {
        std::error_code ec;
        std::filesystem::create_directories(o.frames, ec);
        if (ec) return Fail(o.frames.string() + " cannot be made");
    }
    if (std::string error = kv::run::StartGame(); !error.empty()) return Fail(error);
    kv::SeedRandom(o.seed);
    if (std::string error = kv::run::StartMissionRun(o.mission); !error.empty()) return Fail(error);

    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(o.ticks));
    for (long n = 1; n <= o.ticks; ++n) {
        backend.clearFrames();
        const auto start = std::chrono::steady_clock::now();
        const std::string error = drawn ? kv::run::RunFrame() : kv::run::RunTick();
        const auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        if (!error.empty()) return Fail(error);
        if (n % o.every != 0) continue;
        std::printf("tick %ld %016" PRIx64 "\n", n, kv::MissionChecksum());
        if (!drawn) continue;
        if (std::string frameError = WriteFrame(backend, o.frames, n); !frameError.empty())
            return Fail(frameError);
    }
    ReportTimes(micros);
    return 0;
}

// The generator starts from seed 1 unless the file seeds it.
int RunScenarioFile(const kv::run::Scenario& scenario, const std::string& name,
                    kv::HeadlessBackend& backend) {
    if (std::string error = kv::run::StartGame(); !error.empty()) return Fail(error);
    kv::SeedRandom(1);
    return kv::run::RunScenario(scenario, name, backend);
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) return Usage("bad or missing arguments");
    // The file is read before the data folder becomes the working folder, so that its name means
    // what it meant on the command line; a malformed file is refused before the game starts.
    std::optional<kv::run::Scenario> scenario;
    std::vector<std::uint8_t> replay;
    if (!options->replay.empty()) {
        std::ifstream in(options->replay, std::ios::binary);
        if (!in) return Usage("the replay file cannot be read");
        replay.assign(std::istreambuf_iterator<char>(in), {});
    }
    if (!options->scenario.empty()) {
        std::ifstream in(options->scenario, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s: cannot be read\n", options->scenario.c_str());
            return kv::run::kScenarioRefused;
        }
        std::ostringstream text;
        text << in.rdbuf();
        std::string error;
        scenario = kv::run::ReadScenario(text.str(), options->scenario, error);
        if (!scenario) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return kv::run::kScenarioRefused;
        }
    }
    // The slot folder is named before the data folder becomes the working folder.
    std::error_code ec;
    std::filesystem::path saves = options->saves;
    std::filesystem::path temporarySaves;
    if (saves.empty()) {
        std::string pattern =
            (std::filesystem::temp_directory_path(ec) / "kestrivon-saves-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) return Usage("no temporary folder for the saves");
        temporarySaves = saves = pattern;
    }
    kv::SetWriteFolder(std::filesystem::absolute(saves, ec).string());
    if (!options->data.empty()) {
        std::filesystem::current_path(options->data, ec);
        if (ec) return Usage("the data folder cannot be entered");
    }
    kv::HeadlessBackend backend;
    backend.videoDevice().setEndAtOnce(true);
    kv::SetBackend(&backend);
    const int code = !options->replay.empty() ? kv::run::ReplayPlay(replay, backend)
                     : options->play          ? kv::run::RunChancePlay(options->chance, backend)
                     : scenario ? RunScenarioFile(*scenario, options->scenario, backend)
                                : RunMission(*options, backend);
    // Whatever happened, the window goes and everything is freed, so the run ends clean.
    kv::run::EndGame();
    kv::SetBackend(nullptr);
    std::fflush(stdout);
    if (!temporarySaves.empty()) std::filesystem::remove_all(temporarySaves, ec);
    return code;
}
