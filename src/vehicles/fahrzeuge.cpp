#include "vehicles/fahrzeuge.h"

namespace kv {

void SetFahrzeugPushedObject(UnitHead&, std::uint16_t) {}

int CountTakenSeats(std::int32_t) {
    return 0;
}

}  // namespace kv
