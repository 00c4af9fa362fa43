#pragma once
// The fire-fighting aircraft's fly-over: it comes in from the left edge, drops its water over the
// target while it flies on, and leaves past the right edge.

#include <cstdint>

namespace kv {

// Puts the aircraft just left of the map on the line 100 px above the target (x, y) and gives it
// the whole flight: in, the drop, out, gone.
void SendFahrzeugIn(std::int16_t vehicle, std::int16_t x, std::int16_t y);

// The aircraft flies along x until its draw corner reaches a.
void RunFahrzeugBefehl49(std::int16_t vehicle);
// The aircraft drops water on (a, b) while it flies on.
void RunFahrzeugBefehl50(std::int16_t vehicle);

}  // namespace kv
