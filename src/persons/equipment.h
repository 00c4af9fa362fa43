#pragma once
// Equipment that fire fighters take from vehicles, hydrants and hoses. A person carries equipment
// by being of another type (persons/equipment_table.h); a hose connected to a hydrant is a type-11
// person holding the hose object in `link`, the hydrant in `link2` and its jet as its attachment.
// Each handler takes the person's index and reads its arguments from the head order.

#include <cstdint>

namespace kv {

// Orders 154, 155, 156, 175 and 211 take an extinguisher, a cutter, a hose, a chainsaw or a rope;
// 157 gives the equipment back. a = the vehicle, b and c its truncated position when the order
// was given. The person must stand on the vehicle's side point or on its other side point, and
// the vehicle where it stood; otherwise the whole queue goes. A shut compartment is asked to open
// every tick until it shows open; then the person changes type, stands, and the order ends.
void TakeFeuerloescher(std::int16_t person);
void TakeMetallschneider(std::int16_t person);
void TakeSchlauch(std::int16_t person);
void ReturnEquipment(std::int16_t person);
void TakeMotorsaege(std::int16_t person);
void TakeSeil(std::int16_t person);
// Order 204: the equipment falls back to the base type, anywhere.
void DropEquipment(std::int16_t person);

// Sends the person to the hydrant's spot (lets go of a hose it holds first): a walk there, a turn
// to face 3 and order 174.
void WalkPersonToHydrant(std::int16_t person, std::int16_t hydrant);
// Order 174: a = the hydrant. At the hydrant's spot, facing 3, with room for the hose to its left,
// the person plays its connecting animation (the hydrant sounds at frame 12) and at its last
// frame lays the hose and holds it (type 11). No room: a message and the queue goes.
void ConnectHydrant(std::int16_t person);
// A person holding a connected hose lets it go: the hose object and the jet go, and the person
// holds an unconnected hose again (type 10).
void DropHose(std::int16_t person);

// The hose jet: each order stops the running jet, starts it anew at its target and ends; a person
// without a jet only ends the order. Where a house stands in the straight line, the water goes
// in an arc onto that house. 177: a, b the target, d the map row of its foot line.
void AimSchlauchAtTarget(std::int16_t person);
// 178: the order's goal list: {aim x, aim y, storey}, {map column, map row, house}. The aim on the
// house's front is lowered until the jet rises less than 62 degrees.
void AimSchlauchAtHeight(std::int16_t person);
// 208: a, b a point on the ground.
void AimSchlauchAtGround(std::int16_t person);

}  // namespace kv
