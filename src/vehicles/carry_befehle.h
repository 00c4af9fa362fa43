#pragma once
// Carrying and pushing orders: the crane takes up and puts down special objects and vehicles, the
// trailers take up and set down their boats, a vehicle pushes or marks an object.
//
// Declared here for the vehicle order interpreter; until the carrying orders come, each does
// nothing and the order stays at the head.

#include <cstdint>

namespace kv {

// The crane takes up a special object.
void RunFahrzeugBefehl45(std::int16_t vehicle);
// The carried special object is put down beside the vehicle.
void RunFahrzeugBefehl46(std::int16_t vehicle);
// The trailer sets its boat down.
void RunFahrzeugBefehl65(std::int16_t vehicle);
// The empty trailer takes up a boat.
void RunFahrzeugBefehl66(std::int16_t vehicle);
// Mark a special object and wait until it has finished.
void RunFahrzeugBefehl70(std::int16_t vehicle);
// The crane takes up a vehicle.
void RunFahrzeugBefehl73(std::int16_t vehicle);
// The carried vehicle is set down.
void RunFahrzeugBefehl74(std::int16_t vehicle);
// Push a special object along x.
void RunFahrzeugBefehl75(std::int16_t vehicle);
// Drop the carried vehicle for scrapping.
void RunFahrzeugBefehl76(std::int16_t vehicle);

// A point of the map in whole pixels.
struct PickUpPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
// Where a carrier of the type must stand, facing 1, 3, 7 or 9, to take up the thing: a special
// object's slot, or kCarriedFahrzeugLink + a vehicle's index. Until the carrying orders come it
// gives the thing's own position.
PickUpPoint GetFahrzeugPickUpPoint(std::int16_t carrierTyp, std::int32_t thing,
                                   std::uint8_t facing);

}  // namespace kv
