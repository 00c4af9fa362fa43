#include "persons/person_houses.h"

namespace kv {

std::uint8_t PlacePersonFree(std::int16_t, std::uint8_t, std::int8_t, std::uint8_t, std::uint8_t) {
    return 1;
}

void RoutePersonThroughHouseDoor(std::int16_t, std::int16_t, std::int16_t) {}

}  // namespace kv
