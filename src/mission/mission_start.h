#pragma once
// Entering and leaving a mission. StartMission sets up everything the mission needs in a fixed
// order and switches to game mode 2; BeginMission continues once the mission's video has ended;
// ShutdownMission frees what the start set up, in a fixed order, so that the next start begins
// from nothing.

#include <array>
#include <cstdint>

#include "mission/mission_steps.h"

namespace kv {

// StartMission's slot for a new mission; 0..11 name a save slot.
inline constexpr std::int32_t kNewMission = -1;
// BeginMission's slot after the opening video (all ones).
inline constexpr std::uint32_t kAfterMissionVideo = 0xFFFFFFFFu;

// 1 from BeginMission until the first mission screen has been shown.
extern std::uint8_t MissionViewFresh;

// The modules' set-up at mission start, in order; tests may put recorders in it.
inline constexpr int kInitStepCount = 22;
extern std::array<MissionStep, kInitStepCount> MissionInitSteps;
const std::array<MissionStep, kInitStepCount>& DefaultMissionInitSteps();

// The modules' freeing at mission end, in order, after the pictures and the map.
inline constexpr int kFreeStepCount = 18;
extern std::array<MissionStep, kFreeStepCount> MissionFreeSteps;
const std::array<MissionStep, kFreeStepCount>& DefaultMissionFreeSteps();

// A new mission at CampaignPosition (slot -1), or the mission a save-game header already put
// into MissionNummer and PartTwo, whose save slot 0..11 is then read. Stops at the first fatal
// error.
void StartMission(std::int32_t slot);
// After the opening video (kAfterMissionVideo) or at once for a loaded game (its slot); after a
// video in the middle of a mission, the second part.
void BeginMission(std::uint32_t slot);
// The mission's level hook, then the view and map limits derived from it.
void InitLevel(int mission);
// WorldMaxX and WorldMaxY from ScrollCols (already less its last column), ScrollRows and the
// map's height.
void DeriveMapLimits();
// Called by the second-part hooks: the running mission switches into its second part.
void StartMissionPartTwo();
// Frees what the start set up; with keepPalette 0 the screen fades to black first. Nothing
// happens when no start has set anything up since the last shutdown.
void ShutdownMission(std::uint8_t keepPalette);

// True from the moment a start begins to set up until the shutdown.
bool MissionSetUp();
// Everything the start holds freed, without the shutdown's fades and sounds (mission reset).
void ResetMissionStart();

}  // namespace kv
