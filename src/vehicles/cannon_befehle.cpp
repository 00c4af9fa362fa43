#include "vehicles/cannon_befehle.h"

namespace kv {

void RunFahrzeugBefehl53(std::int16_t) {}
void RunFahrzeugBefehl55(std::int16_t) {}
void RunFahrzeugBefehl67(std::int16_t) {}

}  // namespace kv
