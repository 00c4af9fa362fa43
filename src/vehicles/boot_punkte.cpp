#include "vehicles/boot_punkte.h"

namespace kv {

std::vector<BootPunkt> BootPunkte;
std::int16_t BootPunktCount = 0;

std::uint8_t HoverBootPunkt() {
    return 0;
}

std::uint8_t ClickBootPunkt(std::int16_t, std::int16_t) {
    return 0;
}
void DrawBootPunkte() {}

void RunFahrzeugBefehl77(std::int16_t) {}

}  // namespace kv
