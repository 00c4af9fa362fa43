#include "vehicles/install_befehle.h"

namespace kv {

void RunFahrzeugBefehl57(std::int16_t) {}
void RunFahrzeugBefehl58(std::int16_t) {}
void RunFahrzeugBefehl59(std::int16_t) {}
void RunFahrzeugBefehl60(std::int16_t) {}
void RunFahrzeugBefehl62(std::int16_t) {}
void RunFahrzeugBefehl63(std::int16_t) {}
void RunFahrzeugBefehl68(std::int16_t) {}

}  // namespace kv
