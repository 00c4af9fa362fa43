#pragma once
// Mission 19's helicopter scanner as the control panel shows it: where the mountaineer lies from
// the selected helicopter, and the blinking of his point. The mission's level hook resets them
// and its tick script sets the offset; the panel steps the blink.

#include <cstdint>

namespace kv {

// Neither coordinate holds a point while he is out of the scanner's range.
inline constexpr std::int16_t kScanOutOfRange = -999;

// The mountaineer's position relative to the helicopter, each axis divided by 10.
struct ScanPoint {
    std::int16_t x = kScanOutOfRange;
    std::int16_t y = kScanOutOfRange;
};
extern ScanPoint ScanOffset;
// 0 or 1: the point shows on every second panel frame.
extern std::uint16_t ScanBlink;

// Out of range, blink 0.
void ResetScanDisplay();

}  // namespace kv
