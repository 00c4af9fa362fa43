#pragma once
// What must hold after every frame, whatever the player did: no fatal error and no message box,
// a game mode of the table, every index the state holds inside its array or its sentinel, every
// position finite, the money and the counters inside the ranges play can move them to. The
// fuzzer, the chance player and any whole-game test call it.

#include <string>

#include "platform/headless/headless_backend.h"

namespace kv::play {

// Empty when the state holds together, else the first thing found broken, for the report.
std::string BrokenInvariant(const HeadlessBackend& backend);

// The game ended on a fatal error while starting a mission whose files the data set does not
// hold (the sample data holds few missions; the campaign and the mission jump reach the others).
// That end is the game's answer to missing files, not a fault of play.
bool EndedOnMissingMission();

}  // namespace kv::play
