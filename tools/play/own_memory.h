#pragma once
// The memory the game itself holds, as the kernel counts it: its anonymous pages (malloc's heap,
// the blocks mapped on their own, the stacks, the data it has written to) and, of them, the
// heap's. Mapped files are left out: the libraries' code, above all the software graphics stack a
// renderer maps under a virtual display, is read from disk and shared between processes.

#include <cstdint>
#include <optional>
#include <string>

namespace kv::play {

struct OwnMemory {
    std::uint64_t anonymousKiB = 0;
    std::uint64_t heapKiB = 0;
};

// This process's, from /proc/self/smaps; none where it cannot be read.
std::optional<OwnMemory> ReadOwnMemory();

// The most own memory seen over a run and the game mode (screen) it was seen in.
class OwnMemoryPeak {
  public:
    // Reads it now, in the current game mode.
    void sample();
    // "own memory: 31.2 MiB anonymous (heap 24.0 MiB), the most in game mode 2", with a note in a
    // sanitized build, whose figure holds the sanitizer's shadow memory and quarantine.
    std::string report() const;

  private:
    OwnMemory peak_;
    std::uint32_t mode_ = 0;
    bool read_ = false;
};

}  // namespace kv::play
