#include "mission/scan_display.h"

namespace kv {

ScanPoint ScanOffset;
std::uint16_t ScanBlink = 0;

void ResetScanDisplay() {
    ScanOffset = {};
    ScanBlink = 0;
}

}  // namespace kv
