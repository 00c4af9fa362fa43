#pragma once
// Fire fighters who work at a house's entrance with a cutter, cutting it open or sealing it: the
// work marks the house when it is done.

#include <cstdint>

#include "mission/input/selected_unit.h"

namespace kv {

struct Person;

// Whether the selection mode is one fire fighter with a cutter (types 9, 17 and 22, one per suit).
constexpr bool EntranceWorkerSelection(std::int16_t mode) {
    return mode == PersonSelection(9) || mode == PersonSelection(17) || mode == PersonSelection(22);
}

// The worker acknowledges, walks below the house's door, turns up to it and works at the house
// for the count of cycles. False, with the worker's orders untouched, when the house has no door.
bool SendToWorkAtEntrance(Person& worker, int house, std::int32_t cycles);

}  // namespace kv
