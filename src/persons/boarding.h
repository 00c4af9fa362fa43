#pragma once
// Boarding: the selected person is sent to a vehicle's door and gets in there, taking a seat; a
// loaded stretcher team brings its patient along. The vehicle click and the command "EINSTEIGEN"
// give the orders through OrderPersonIntoFahrzeug.

#include <cstdint>

namespace kv {

// For the selected person (SelectedIndex): checks that its type may board the vehicle's type, that
// a fire-fighter's hands are free, that an ambulance or the helicopter takes no second medic or
// stretcher, that a seat is free and that the helicopter stands open; then sends it (or the person
// it leads) to the door with a walk and the boarding order. 1 when the orders were given, 0 when
// boarding is refused.
std::uint8_t OrderPersonIntoFahrzeug(std::int16_t vehicle);

// Order 151: a the vehicle, b and c where it stood when the order was given (whole pixels). Up to
// 30 px from the door (the hatch for the catching team) the person takes the first free seat once
// the door is open, asking for it every tick until it is; the selection passes to the vehicle
// with it. A vehicle that moved, left or has no free seat ends the person's orders.
void BoardFahrzeug(std::int16_t person);

}  // namespace kv
