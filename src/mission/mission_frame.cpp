#include "mission/mission_frame.h"

#include "core/fatal_error.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "media/sound_slots.h"
#include "mission/mission_start.h"
#include "mission/mission_steps.h"
#include "mission/mission_tick.h"

namespace kv {

namespace {

// False when a fatal error stopped the frame.
bool Run(void (*step)()) {
    if (step != nullptr) step();
    return !FatalErrorRaised();
}

void RunMissionCheck() {
    if (const auto hook = OptionalMissionHook(MissionNummer, &MissionHooks::CheckMission)) hook();
}

}  // namespace

void RunMissionFrame() {
    // The map and options buttons open their screens here; this frame then does nothing more.
    if (MissionView.RunCommandSlots != nullptr && MissionView.RunCommandSlots() == 0) return;
    if (FatalErrorRaised() || !Run(MissionView.ScrollView)) return;
    RunGameTicks(1);
    if (FatalErrorRaised() || !Run(UpdateAmbientSound) || !Run(MissionView.ChooseCursor) ||
        !Run(MissionView.DrawGameScreen))
        return;
    RunMissionCheck();
}

void OnMissionVideoEnded() {
    BeginMission(kAfterMissionVideo);
}

}  // namespace kv
