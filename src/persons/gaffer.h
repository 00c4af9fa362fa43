#pragma once
// The controllers of onlookers and of script fighters, run by the person update.

#include <cstdint>

namespace kv {

// An idle onlooker drifts back towards the nearest onlooker target. Does nothing yet: it comes
// with the onlooker and fight work.
void UpdateGaffer(std::int16_t person);
// A script fighter looks for a rival and meets it to fight. Does nothing yet: it comes with the
// onlooker and fight work.
void StartPersonFight(std::int16_t person);

}  // namespace kv
