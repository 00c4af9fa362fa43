#pragma once
// Mission 1 started on the sample data as the game starts it, headless, for the benchmarks of
// the mission tick; ended again and everything put back when it goes.

#include <filesystem>

#include "platform/headless/headless_backend.h"

namespace kv::bench {

class HeadlessMission {
  public:
    // prepare runs once the program's tables are in, before the mission starts: it may replace
    // the mission's hooks.
    explicit HeadlessMission(void (*prepare)() = nullptr);
    ~HeadlessMission();
    HeadlessMission(const HeadlessMission&) = delete;
    HeadlessMission& operator=(const HeadlessMission&) = delete;
    // Whether the mission runs (game mode 2) without a fatal error.
    bool started() const;
    // Its shown frames, which a benchmark drawing many of them clears.
    HeadlessBackend& backend() { return backend_; }

  private:
    std::filesystem::path previous_;
    HeadlessBackend backend_;
};

// Room in mission 1's hook row for 80 vehicles and 120 persons besides what the mission sets up
// itself: for the crowds and movers a benchmark adds. A HeadlessMission's prepare.
void MakeRoomForCrowd();

}  // namespace kv::bench
