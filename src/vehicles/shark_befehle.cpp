#include "vehicles/shark_befehle.h"

namespace kv {

void RunFahrzeugBefehl80(std::int16_t) {}
void RunFahrzeugBefehl81(std::int16_t) {}
void RunFahrzeugBefehl82(std::int16_t) {}

}  // namespace kv
