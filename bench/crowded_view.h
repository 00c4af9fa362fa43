#pragma once
// Mission 1's start view crowded for the benchmarks of the drawn frame: 60 vehicles and 90
// persons in the view, 5 of each selected, two cannons and two hoses spraying, 20 special objects
// and a few furniture pieces.

#include <cstdint>
#include <vector>

namespace kv::bench {

inline constexpr int kCrowdVehicles = 60;
inline constexpr int kCrowdPersons = 90;

// False when the crowd did not fit. The units placed go into the lists when given.
bool PlaceCrowdInView(std::vector<std::int16_t>* vehicles = nullptr,
                      std::vector<std::int16_t>* persons = nullptr);
bool PlaceObjectsAndFurnitureInView();

}  // namespace kv::bench
