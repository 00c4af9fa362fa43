#pragma once
// How units move: the direction of a vector in twelve directions, the length of one tick's step on
// the terrain under a unit, a step with or without stopping at a target point, and the step ring
// of 25 entries in which a unit's next steps are planned ahead. Every mover moves only through
// these.

#include <array>
#include <cstdint>

#include "core/unit_head.h"
#include "movement/unit_type.h"

namespace kv {

// Mover flag bits of the unit head.
inline constexpr std::uint8_t kMoverTurned = 1;  // travels facing away from where it goes
inline constexpr std::uint8_t kMoverSearching = 2;
inline constexpr std::uint8_t kMoverPartialPath = 4;
inline constexpr std::uint8_t kMoverPathSearch = 8;
inline constexpr std::uint8_t kMoverLed = 16;  // the person named in link leads (or carries) it
inline constexpr std::uint8_t kMoverRoutePlanning = 32;

// The direction a unit travels in when it faces this one.
constexpr int TravelDirection(std::uint8_t direction, std::uint8_t moverFlags) {
    return (moverFlags & kMoverTurned) != 0 ? (direction + 6) % kDirectionCount : direction;
}

// The step ring: entries 0..23 in stepRing, entry 24 (the planning origin of an emptied ring) in
// moveDir, moveX and moveY. At most 24 entries are pending.
inline constexpr int kStepRingSize = 25;
using StepRingBuffer = std::array<MoveStep, kStepRingSize>;

// Entry i of the ring, i taken modulo 25.
MoveStep StepRingEntry(const UnitHead& unit, int i);
void SetStepRingEntry(UnitHead& unit, int i, const MoveStep& step);
// The entry just before the write index: every plan goes on from it.
MoveStep LastPlannedStep(const UnitHead& unit);
bool StepRingFull(const UnitHead& unit);

// A vehicle facing `current` whose wanted direction is its neighbour `wanted` keeps its heading
// while the target's bearing (clockwise from up) lies at most 2 degrees past the border between
// the two; the neighbours not listed turn at once.
struct HoldBand {
    std::uint8_t current;
    std::uint8_t wanted;
    double border;
    bool clockwise;  // the measure is bearing - border, else border - bearing
};
inline constexpr std::array<HoldBand, 16> kHoldBands = {{
    {0, 1, 0.0, true},
    {0, 11, 360.0, false},
    {1, 2, 29.745, true},
    {2, 1, 29.745, false},
    {3, 4, 90.0, true},
    {3, 2, 90.0, false},
    {4, 5, 150.255, true},
    {5, 4, 150.255, false},
    {6, 7, 180.0, true},
    {6, 5, 180.0, false},
    {7, 8, 240.255, true},
    {8, 7, 240.255, false},
    {9, 10, 270.0, true},
    {9, 8, 270.0, false},
    {10, 11, 330.255, true},
    {11, 10, 330.255, false},
}};

// The direction of (x2 - x1, y2 - y1); with turned travel the opposite one.
std::uint8_t GetDirection12(const UnitHead& unit, float x1, float y1, float x2, float y2);
// The direction of the next planned step from (x, y) facing current: a vehicle keeps its heading
// while the target's bearing lies within 2 degrees past the border to the neighbouring direction.
std::uint8_t ChooseStepDirection(const UnitHead& unit, const UnitTypHead& typ, float x, float y,
                                 std::uint8_t current, float targetX, float targetY);
// One tick's step at (x, y). Mode 2: the type's speed; mode bit 0: full speed where the terrain
// gives none.
float GetStepLength(const UnitHead& unit, const UnitTypHead& typ, float x, float y,
                    std::uint8_t direction, std::uint8_t anim, std::uint8_t mode);
// One step that never passes the target point. 0 when the step length is 0 (nothing moves).
std::uint8_t StepMover(const UnitHead& unit, const UnitTypHead& typ, float& x, float& y,
                       std::int8_t direction, std::uint8_t anim, float targetX, float targetY,
                       std::uint8_t mode);
// One step without a target.
std::uint8_t StepMoverFree(const UnitHead& unit, const UnitTypHead& typ, float& x, float& y,
                           std::uint8_t direction, std::uint8_t anim, std::uint8_t mode);
// 3 px along a direction, to nudge a point clear of an obstacle. Always true.
bool StepPoint3(float& x, float& y, std::uint8_t direction, std::uint8_t moverFlags);

// One turn step from direction towards wanted: the shorter way round, a half turn clockwise.
std::uint8_t TurnStep(std::uint8_t direction, std::uint8_t wanted);
// Plans one step from step towards the target as the ring is planned: turn one step towards the
// wanted direction (kept with keepFacing), then move unless a person is turning on the spot.
// Returns the wanted direction.
std::uint8_t PlanStep(const UnitHead& unit, const UnitTypHead& typ, MoveStep& step, float targetX,
                      float targetY, bool keepFacing);
// Tops the ring up towards the target of the head order (opcodes 0, 4, 47, 54, 159).
void FillStepRing(UnitHead& unit, const UnitTypHead& typ);
void PushStepRing(UnitHead& unit, float x, float y, std::uint8_t direction);
void AdvanceStepRingRead(UnitHead& unit);
// Empties the ring; planning starts where the unit stands, or at the given point.
void ResetMoveTarget(UnitHead& unit);
void SetMoveTarget(UnitHead& unit, float x, float y, std::uint8_t direction);
// The whole ring and both indices out and back, to try a plan and undo it.
void SaveStepRing(const UnitHead& unit, StepRingBuffer& buffer, std::uint8_t& read,
                  std::uint8_t& write);
void RestoreStepRing(UnitHead& unit, const StepRingBuffer& buffer, std::uint8_t read,
                     std::uint8_t write);

// Position, direction, mover flags and house of one unit in one slot, to try a position and undo
// it; the slot holds one unit at a time.
void SaveMoverPos(const UnitHead& unit);
void RestoreMoverPos(UnitHead& unit);
// The point the slot holds: where the unit stood before the step being tried.
float SavedMoverX();
float SavedMoverY();

// Sets the animation and restarts it; a medic leaving the treating animation lets go of its
// patient.
void SetMoverAction(UnitHead& unit, const UnitTypHead& typ, std::int8_t anim);

}  // namespace kv
