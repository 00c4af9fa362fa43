#pragma once
// The chance player: the whole game from its start picture, played for a number of frames by
// events drawn from a seeded generator, with the game's state checked after every frame.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/headless/headless_backend.h"

namespace kv::run {

struct ChanceOptions {
    std::uint32_t seed = 0;
    long frames = 0;
    // Missions to jump to, in turn, through the mission jump where the game has one.
    std::vector<int> missions;
};

// Prints a line at each change of the game mode, the checksum every 1000 frames, each save,
// cut save, load and jump, and each end of the game (after which it starts again); two runs of one
// seed print the same lines. At the end the most memory the game held goes to stderr. 0 when
// every frame left a sound state; 1 with the broken state on stderr otherwise.
int RunChancePlay(const ChanceOptions& options, HeadlessBackend& backend);

// A fuzzer's input played as the fuzzer plays it, without its bound on the frames.
int ReplayPlay(std::span<const std::uint8_t> input, HeadlessBackend& backend);

}  // namespace kv::run
