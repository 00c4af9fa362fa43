#include "vehicles/boot_punkte.h"

namespace kv {

void RunFahrzeugBefehl77(std::int16_t) {}

}  // namespace kv
