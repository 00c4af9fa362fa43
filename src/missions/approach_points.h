#pragma once
// The four points around a special object from which a unit acts on it: the list that order 2
// takes to send the unit to whichever it reaches first.

#include <cstdint>
#include <initializer_list>

#include "movement/befehl.h"

namespace kv {

struct Fahrzeug;
struct Person;

// A vehicle's points are the crane's pick-up points (facings 7, 3, 1, 9), whatever its type; a
// person's come from the same sides with its own type's size, each facing the object (1, 9, 7,
// 3). Empty when the slot holds no object.
GoalList ApproachPoints(std::int16_t slot, const Fahrzeug& acting);
GoalList ApproachPoints(std::int16_t slot, const Person& acting);

// The spots from which order 158 takes the object away, one per facing given, in that order, each
// with its facing. Empty when the slot holds no object; a facing the order does not accept is
// left out.
GoalList ReleaseSpotGoals(std::int16_t slot, std::initializer_list<std::uint8_t> facings);

// The selected crane drives to whichever approach point of the object it reaches first, saying
// so, and takes the object up there. 1 when a used vehicle at SelectedIndex was sent.
std::uint8_t SendCraneToObject(std::int16_t slot);

}  // namespace kv
