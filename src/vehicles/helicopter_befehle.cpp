#include "vehicles/helicopter_befehle.h"

namespace kv {

void RunFahrzeugBefehl51(std::int16_t) {}
void RunFahrzeugBefehl52(std::int16_t) {}
void RunFahrzeugBefehl78(std::int16_t) {}
void RunFahrzeugBefehl79(std::int16_t) {}

}  // namespace kv
