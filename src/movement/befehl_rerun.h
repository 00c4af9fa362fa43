#pragma once
// Some handlers run the unit's next order at once, within the same tick. An order that keeps
// asking for that (a follow order whose callback lays no new orders, a follow order that lays
// another one) would recurse without end, so every such run goes through one bound: past this
// many nested runs the head order waits for the next tick.

namespace kv {

inline constexpr int kMaxNestedBefehlRuns = 8;

// The nesting depth of one interpreter's same-tick runs.
class NestedBefehlRuns {
  public:
    // Runs run() unless the bound is reached; false when it was not run.
    template <class Run>
    bool runAgain(Run&& run) {
        if (depth_ >= kMaxNestedBefehlRuns) return false;
        ++depth_;
        run();
        --depth_;
        return true;
    }

  private:
    int depth_ = 0;
};

}  // namespace kv
