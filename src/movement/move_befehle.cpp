#include "movement/move_befehle.h"

namespace kv {

void RunFahrzeugBefehl00(std::int16_t) {}
void RunHeliBefehl00(std::int16_t) {}
void RunFahrzeugBefehl01(std::int16_t) {}
void RunFahrzeugBefehl02(std::int16_t) {}
void RunFahrzeugBefehl03(std::int16_t) {}
void RunFahrzeugBefehl47(std::int16_t) {}
void RunFahrzeugBefehl56(std::int16_t) {}

void ReleaseLedPerson(std::int16_t, std::int16_t, std::uint8_t) {}

}  // namespace kv
