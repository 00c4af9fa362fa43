#include "vehicles/crew_befehle.h"

namespace kv {

void RunFahrzeugBefehl40(std::int16_t) {}
void RunFahrzeugBefehl41(std::int16_t) {}
void RunFahrzeugBefehl42(std::int16_t) {}
void RunFahrzeugBefehl44(std::int16_t) {}

}  // namespace kv
