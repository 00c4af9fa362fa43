#pragma once
// The fixed orders of the mission's start, end and tick are lists of named steps. A step whose
// module is not built yet has no function and is skipped.

#include <cstdint>
#include <span>

namespace kv {

struct MissionStep {
    const char* name;
    void (*run)();
};

// Runs the steps in order; false at the first fatal error, which ends the list there.
bool RunMissionSteps(std::span<const MissionStep> steps);

// The mission view's own steps that its later parts fill; an empty one is skipped.
struct MissionViewSteps {
    // The command buttons; 0 when the map or options button opened another screen, which ends
    // the frame.
    int (*RunCommandSlots)() = nullptr;
    void (*ScrollView)() = nullptr;
    void (*ChooseCursor)() = nullptr;
    void (*BuildDrawList)() = nullptr;
    void (*DrawGameScreen)() = nullptr;
};
extern MissionViewSteps MissionView;

// Every step list back to the program's own.
void ResetMissionSteps();

}  // namespace kv
