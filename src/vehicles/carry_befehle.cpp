#include "vehicles/carry_befehle.h"

namespace kv {

void RunFahrzeugBefehl45(std::int16_t) {}
void RunFahrzeugBefehl46(std::int16_t) {}
void RunFahrzeugBefehl65(std::int16_t) {}
void RunFahrzeugBefehl66(std::int16_t) {}
void RunFahrzeugBefehl70(std::int16_t) {}
void RunFahrzeugBefehl73(std::int16_t) {}
void RunFahrzeugBefehl74(std::int16_t) {}
void RunFahrzeugBefehl75(std::int16_t) {}
void RunFahrzeugBefehl76(std::int16_t) {}

}  // namespace kv
