#pragma once
// What every fuzz target needs: a silent headless backend and a clean fatal-error state for each
// input, and nothing of an input left over for the next.

#include "platform/headless/headless_backend.h"

namespace kv::fuzz {

// One input, from its start to its end; a target holds one for the whole input (or one for each
// part of it). At the start the backend's record is empty and no fatal error is raised; at the end
// what the input left in them (refusal messages, frames, the sound log) is released, so that each
// input frees what it allocated and libFuzzer finds no allocations to chase after it.
class Input {
  public:
    Input();
    ~Input();
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;

    // The one backend of every input: its clock and devices are the target's to drive.
    HeadlessBackend& backend();
};

}  // namespace kv::fuzz
