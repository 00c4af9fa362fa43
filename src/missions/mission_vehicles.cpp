#include "missions/mission_vehicles.h"

#include "vehicles/fahrzeuge.h"

namespace kv {

void PlaceCars(std::span<const MissionCar> cars) {
    for (const MissionCar& c : cars) CreateFahrzeug(c.type, c.x, c.y, c.facing);
}

}  // namespace kv
