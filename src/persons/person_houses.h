#pragma once
// Persons in houses: entering, leaving, changing storeys, and being put down clear of obstacles.

#include <cstdint>

namespace kv {

// Turns the person to direction and moves it (with its leader, when it is led) to the nearest
// free spot along the axes the mask allows; collision class 255 means the person type's own.
// Always 1. Does nothing yet: it comes with the persons in houses.
std::uint8_t PlacePersonFree(std::int16_t person, std::uint8_t direction, std::int8_t storey,
                             std::uint8_t mask, std::uint8_t collisionClass);

// Sends a person inside a house out through the house's door and on to (x, y). Does nothing yet:
// it comes with the persons in houses.
void RoutePersonThroughHouseDoor(std::int16_t person, std::int16_t x, std::int16_t y);

}  // namespace kv
