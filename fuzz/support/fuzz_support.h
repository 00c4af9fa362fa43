#pragma once
// What every fuzz target needs: a silent headless backend and a clean fatal-error state per input.

namespace kv::fuzz {

// Call at the start of each input.
void BeginInput();

}  // namespace kv::fuzz
