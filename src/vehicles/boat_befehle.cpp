#include "vehicles/boat_befehle.h"

namespace kv {

void RunFahrzeugBefehl69(std::int16_t) {}
void RunFahrzeugBefehl71(std::int16_t) {}
void RunFahrzeugBefehl72(std::int16_t) {}

}  // namespace kv
