#include "vehicles/aircraft_befehle.h"

namespace kv {

void RunFahrzeugBefehl49(std::int16_t) {}
void RunFahrzeugBefehl50(std::int16_t) {}

}  // namespace kv
