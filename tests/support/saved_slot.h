#pragma once
// A saved game loaded as the load screen loads it, for the tests that save a mission and load it.

#include <cstdint>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/random.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "screens/save_game.h"

namespace kv::test {

// The slot's header read, the mission shut down and started from the slot. The file holds no
// random state: the generator goes on as it stood, as the runner keeps it. True when the loaded
// mission runs.
inline bool LoadSavedSlot(int slot) {
    if (!ReadSaveHeader(slot)) return false;
    const std::uint32_t seed = RandomSeed();
    ShutdownMission(1);
    StartMission(slot);
    DispatchAll();
    SeedRandom(seed);
    return GameMode == 2 && !FatalErrorRaised();
}

}  // namespace kv::test
