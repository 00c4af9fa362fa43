#pragma once
// The straight-line run of the route and path searches: a unit steps from a point towards a
// target the way the step planner would, batch by batch, until it arrives or something stops
// it. A vehicle stopped while turning starts a turning manoeuvre (ContourRecord) that tries to
// turn, backs and edges forward, one step per run, until the turn is made or every way was tried.

#include <cstdint>

#include "core/unit_head.h"
#include "movement/unit_type.h"

namespace kv {

// flags of a ContourRecord.
inline constexpr std::uint8_t kContourFinished = 1;
inline constexpr std::uint8_t kContourTurnThrough = 2;  // turn on while free, not one step

// The turning manoeuvre that hangs off a unit's `contour` while it runs.
struct ContourRecord {
    float startX = 0;  // where the manoeuvre goes back to
    float startY = 0;
    std::uint8_t spare = 0;
    float x = 0;  // where it stands now
    float y = 0;
    std::uint8_t direction = 0;
    std::uint8_t wanted = 0;
    std::uint8_t flags = 0;
    std::uint8_t state = 2;
    std::uint8_t result = 0;
    std::int8_t counter = 0;
    float savedX = 0;  // the far end of the backing-up, gone back to later
    float savedY = 0;
};

// Results of a manoeuvre step.
inline constexpr std::uint8_t kManoeuvreTurned = 1;      // turned after going forward (or at once)
inline constexpr std::uint8_t kManoeuvreTurnedBack = 2;  // turned after backing up
inline constexpr std::uint8_t kManoeuvreStarted = 4;
inline constexpr std::uint8_t kManoeuvreTurnedAside = 8;  // turned after a step aside
inline constexpr std::uint8_t kManoeuvreTurnedFar = 16;   // the same from the far end
inline constexpr std::uint8_t kManoeuvreFailed = 32;      // every way was tried

// The out kind's flag bits besides the kind: the run ended in the manoeuvre (or going round in a
// circle); the blocker was met while turning.
inline constexpr std::uint8_t kRunContour = 64;
inline constexpr std::uint8_t kRunTurning = 128;
// The blocker's kind alone.
inline constexpr std::uint8_t kRunKindMask =
    static_cast<std::uint8_t>(~(kRunContour | kRunTurning));

// A kind-10 stop slides this far to one side: the hint says which.
inline constexpr float kSlideShift = 2.0f;
inline constexpr std::uint8_t kSlideLeft = 9;
inline constexpr std::uint8_t kSlideRight = 3;

// The bits of a run's reason word: how the search reacts to the manoeuvre or the circle.
inline constexpr std::uint16_t kReasonTurned = 0x0001;
inline constexpr std::uint16_t kReasonAhead = 0x0002;
inline constexpr std::uint16_t kReasonBack = 0x0004;
inline constexpr std::uint16_t kReasonAside = 0x0008;
inline constexpr std::uint16_t kReasonTurnHere = 0x0010;
inline constexpr std::uint16_t kReasonGiveUp = 0x0020;
inline constexpr std::uint16_t kReasonStarted = 0x0200;
inline constexpr std::uint16_t kReasonPlaceAtEnd = 0x0400;
inline constexpr std::uint16_t kReasonRestart = 0x4000;

// Reason words of a run that ended in the manoeuvre or in a circle.
inline constexpr std::uint16_t kReasonTurnedAtOnce = kReasonTurned | kReasonTurnHere;
inline constexpr std::uint16_t kReasonTurnedAhead = kReasonTurned | kReasonAhead | kReasonTurnHere;
inline constexpr std::uint16_t kReasonTurnedBack = kReasonTurned | kReasonBack | kReasonTurnHere;
inline constexpr std::uint16_t kReasonTurnedAside = kReasonTurned | kReasonAside | kReasonTurnHere;
inline constexpr std::uint16_t kReasonTurnedFar = kReasonTurned | kReasonBack;
inline constexpr std::uint16_t kReasonCircle = kReasonGiveUp;  // also: the manoeuvre was dropped
inline constexpr std::uint16_t kReasonManoeuvreStarted = kReasonTurned | kReasonStarted;
inline constexpr std::uint16_t kReasonCircleTargetFree = kReasonTurned | kReasonPlaceAtEnd;
inline constexpr std::uint16_t kReasonManoeuvreFailed = kReasonRestart;

// What a run reports besides whether it arrived.
struct LineRun {
    std::uint8_t kind = 0;  // the blocker's kind, with kRunContour and kRunTurning
    std::uint16_t index1 = 0;
    std::uint16_t index2 = 0;
    std::uint16_t index3 = 0;
    std::uint8_t blocked = 0;  // the blocking test's value: edge bits, wall bits
    std::uint8_t stopDir = 0;  // where the run stopped, facing which way
    std::uint8_t hint = 0;     // kind 10: the way to slide, kSlideLeft or kSlideRight
    // A manoeuvre that moved and then turned: the way the unit faced while it moved.
    std::uint8_t moveDir = 0;
    float stopX = 0;
    float stopY = 0;
    std::uint16_t reason = 0;
};

// Runs from (x, y) facing direction towards the target; 1 when it arrives. The unit's step ring
// records the steps (its read index counts them, up to 12). With a manoeuvre under way, runs one
// step of it instead. A run that comes back to a step it made 12 steps before ends as a circle,
// and so does one that walks more than 4 times the straight distance and 256 px more: float
// rounding can keep an orbit from ever repeating a step exactly.
std::uint8_t TestLineFree(float x, float y, std::uint8_t direction, UnitHead& unit,
                          const UnitTypHead& type, float targetX, float targetY, LineRun& out);
// The same, then frees the manoeuvre record and puts the mover flags back as they were.
std::uint8_t TestDirectPath(float x, float y, std::uint8_t direction, UnitHead& unit,
                            const UnitTypHead& type, float targetX, float targetY, LineRun& out);

// Starts a manoeuvre at (x, y) facing direction that wants to face wanted, going back to
// (startX, startY) when a way fails; any earlier one is freed.
void CreateObstacleFollow(UnitHead& unit, float startX, float startY, float x, float y,
                          std::uint8_t direction, std::uint8_t wanted, std::uint8_t flags);
// One step of the unit's manoeuvre; true when it turned (its result says how). A manoeuvre that
// tried everything with kContourTurnThrough set is dropped.
bool StepObstacleFollow(UnitHead& unit, const UnitTypHead& type);
// Frees the unit's manoeuvre, if any.
void FreeContourRecord(UnitHead& unit);

}  // namespace kv
