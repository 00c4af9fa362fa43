#pragma once
// What the movement orders of persons and vehicles share over the unit head: the planners they
// hand a move to, the small state changes (stand, wait, stop planning), the turn of order 1, and
// the look-ahead of the walk and drive steps: the steps planned ahead are tested one by one and
// the first thing in the way is sorted into a row of the mover's table of responses.

#include <array>
#include <cstdint>
#include <span>

#include "core/unit_head.h"
#include "movement/befehl.h"
#include "movement/collision.h"
#include "movement/unit_type.h"
#include "world/geometry.h"

namespace kv {

// The step ring holds at most this many pending steps, so no look-ahead goes further.
inline constexpr int kMaxLookAhead = 24;
// A vehicle's order with the short look-ahead flag tests only this many.
inline constexpr int kShortLookAhead = 4;

// Tests of the movement handlers put stand-ins for the planners here: while one is set, the
// handlers call it instead of the planner.
struct PlannerWatch {
    std::uint8_t (*findPath)(UnitHead& unit, const UnitTypHead& type) = nullptr;
    std::uint8_t (*planRoute)(UnitHead& unit, const UnitTypHead& type) = nullptr;
    std::uint8_t (*rejoinRoute)(UnitHead& unit, const UnitTypHead& type, float stopX, float stopY,
                                float backX, float backY, float nodeX, float nodeY) = nullptr;
};
extern PlannerWatch PlannerWatcher;
// No stand-in is set.
void ResetPlannerWatch();

std::uint8_t CallFindPath(UnitHead& unit, const UnitTypHead& type);
std::uint8_t CallPlanRoute(UnitHead& unit, const UnitTypHead& type);
std::uint8_t CallRejoinRoute(UnitHead& unit, const UnitTypHead& type, float stopX, float stopY,
                             float backX, float backY, float nodeX, float nodeY);

// The point the order leads to: (c, d) under flag bit 4, else (a, b).
PointF WaypointOf(const Befehl& order);
// Whether the unit stands exactly on the point.
bool StandsOn(const UnitHead& unit, PointF point);
// How far apart two directions lie round the circle, 0..6.
int DirectionGap(int a, int b);

// Shows the animation unless it shows it already; a standing unit shows animation 0.
void ShowMoverAnim(UnitHead& unit, const UnitTypHead& type, std::int8_t anim);
void StandMover(UnitHead& unit, const UnitTypHead& type);
// Stops planning: no turned travel, no moving, no free path search.
void StopPlanning(UnitHead& unit);
// Waits: no longer counted as moving, it tries the same step next tick.
void WaitMover(UnitHead& unit);
// After an arrival: the shortcut window is shut and the step marker holds the unit's direction.
void SettleMover(UnitHead& unit);
// Whether the opcode moves the unit on at once (a next order that keeps a unit walking).
bool IsMoveOpcode(int opcode);

// A controlled person that gets out of a vehicle's way: an onlooker, pedestrian or fighter that
// nobody leads.
bool IsEvader(const UnitHead& person);

// Order 1 for either kind of unit, up to its step: the target direction is made absolute once
// (and taken round the circle, so a bad one cannot spin for ever); a turn meant for another place
// clears the queue, one at its target ends. Otherwise the position is saved and the unit turns
// one step.
enum class TurnProgress : std::uint8_t { Cleared, Reached, Turned };
TurnProgress StepTurnBefehl(UnitHead& unit);

// What stands in a step planned ahead, as the movers' tables sort it.
enum class BlockerGroup : std::uint8_t {
    Fahrzeug,
    Person,
    Evader,    // a person that gets out of a vehicle's way (drive steps only)
    Obstacle,  // special object, map cell, furniture, house wall, another house
    Zone,      // a full zone
};
// How a blocking unit moves, seen from the mover. A partner the mover walks with counts as
// standing.
inline constexpr std::uint8_t kBlockerStanding = 1;
inline constexpr std::uint8_t kBlockerAcross = 2;     // moving another way
inline constexpr std::uint8_t kBlockerAheadSlow = 4;  // moving the same way, the mover no faster
inline constexpr std::uint8_t kBlockerAheadFast = 8;  // moving the same way, the mover faster
inline constexpr std::uint8_t kBlockerMoving = 14;
inline constexpr std::uint8_t kBlockerAny = 15;

// The movers' responses; what each does is in the walk and drive steps.
enum class StepResponse : std::uint8_t {
    StandingUnit,   // plan around it, or give the move up when the destination is taken
    PlanAround,     // go back and plan a way round
    Wait,           // go back, stand and try again next tick
    MatchSpeed,     // follow behind it at its speed
    Patience,       // a person's patience runs down while another crosses its way
    KneelingCivil,  // a person: an onlooker may pass a kneeling civilian, else as StandingUnit
    RightOfWay,     // a vehicle behind a slower one: the lower class keeps going
    WaitReset,      // a vehicle behind a moving person: back, plan afresh, stand, wait
    Evade,          // a vehicle tells the person to get out of the way
};

// One row of a mover's table: a blocker of the group moving as the mask says gets the response;
// at once rows count only for the very next step and are passed over further ahead.
struct StepRule {
    BlockerGroup group;
    std::uint8_t motion;
    bool atOnce;
    StepResponse response;
};

// Persons.
inline constexpr std::array<StepRule, 9> kWalkRules = {{
    {BlockerGroup::Fahrzeug, kBlockerStanding, true, StepResponse::StandingUnit},
    {BlockerGroup::Fahrzeug, kBlockerAcross | kBlockerAheadSlow, false, StepResponse::Wait},
    {BlockerGroup::Fahrzeug, kBlockerAheadFast, false, StepResponse::MatchSpeed},
    {BlockerGroup::Person, kBlockerStanding, true, StepResponse::KneelingCivil},
    {BlockerGroup::Person, kBlockerAcross, false, StepResponse::Patience},
    {BlockerGroup::Person, kBlockerAheadSlow, false, StepResponse::Wait},
    {BlockerGroup::Person, kBlockerAheadFast, false, StepResponse::MatchSpeed},
    {BlockerGroup::Obstacle, kBlockerAny, true, StepResponse::PlanAround},
    {BlockerGroup::Zone, kBlockerAny, true, StepResponse::Wait},
}};

// Vehicles: persons that get out of the way are told so, others block as vehicles do when they
// stand; a vehicle never matches a person's speed.
inline constexpr std::array<StepRule, 9> kDriveRules = {{
    {BlockerGroup::Fahrzeug, kBlockerStanding, true, StepResponse::StandingUnit},
    {BlockerGroup::Fahrzeug, kBlockerAcross, false, StepResponse::Wait},
    {BlockerGroup::Fahrzeug, kBlockerAheadSlow, false, StepResponse::RightOfWay},
    {BlockerGroup::Fahrzeug, kBlockerAheadFast, false, StepResponse::MatchSpeed},
    {BlockerGroup::Evader, kBlockerAny, true, StepResponse::Evade},
    {BlockerGroup::Person, kBlockerStanding, true, StepResponse::StandingUnit},
    {BlockerGroup::Person, kBlockerMoving, false, StepResponse::WaitReset},
    {BlockerGroup::Obstacle, kBlockerAny, true, StepResponse::PlanAround},
    {BlockerGroup::Zone, kBlockerAny, true, StepResponse::Wait},
}};

// A thing met by a test, sorted.
struct Blocker {
    CollisionHit hit;
    BlockerGroup group = BlockerGroup::Obstacle;
    std::uint8_t motion = kBlockerStanding;
    UnitHead* unit = nullptr;  // the blocking vehicle or person
};
// partner: the person the mover walks with (-1 none); evaders: whether persons that get out of
// the way are a group of their own.
Blocker ClassifyBlocker(const UnitHead& mover, const CollisionHit& hit, std::int32_t partner,
                        bool evaders);

// What the look-ahead met first that its table answers, at step `ahead` (0 the next one); ahead
// -1 when the way is free.
struct StepBlock {
    int ahead = -1;
    Blocker blocker;
    StepResponse response = StepResponse::Wait;
};

// The look-ahead of the walk and drive steps, the unit standing on the step it takes: count
// steps from the ring's read index are tested with the collision mode, each in its own
// direction, until one lies at or past the waypoint in the direction of travel. A blocker the
// table has no row for, or an at-once row further ahead, is passed over.
StepBlock LookAheadForBlocker(UnitHead& unit, const UnitTypHead& type, int count,
                              std::uint16_t mode, std::span<const StepRule> rules,
                              std::int32_t partner, PointF waypoint);
// Whether a planned step lies at or past the waypoint in its direction of travel.
bool StepReachesWaypoint(const UnitHead& unit, const MoveStep& step, PointF waypoint);

// Takes the step at the ring's read index: the position is saved, the unit turns to its direction
// (standing first when that changes its direction) and stands on its point.
void TakeRingStep(UnitHead& unit, const UnitTypHead& type);

// Order 3 for either kind of unit, up to what its kind does about the outcome: the unit counts as
// moving and steps along direction c towards (a, b), never past it, where its footprint fits.
// A move that cannot be made ends here: when c names no direction the order is dropped, when a
// vehicle's step length is 0 it gives up; either way it stands and stops planning. A person whose
// step length is 0 stays where it is and tests that spot.
enum class StraightProgress : std::uint8_t {
    GaveUp,   // the move could not be made and is ended
    Arrived,  // it stood on the point already
    Blocked,  // the step is taken back: blocker says what was met
    Moved,
};
struct StraightStep {
    StraightProgress progress = StraightProgress::Moved;
    Blocker blocker;
};
StraightStep StepStraightBefehl(UnitHead& unit, const UnitTypHead& type, std::uint16_t mode,
                                bool evaders);

// Responses both movers make alike. The unit has gone back already.
// Plans a way round: stands, drops passed waypoints, fires the end-of-move callback and starts
// the free path search on what then heads the queue.
void PlanAroundBlocker(UnitHead& unit, const UnitTypHead& type, std::int16_t index);
// The destination is taken: the move is given up.
void GiveUpMove(UnitHead& unit, const UnitTypHead& type);
// A move whose order keeps a facing the unit has turned away from is dropped with the waypoints
// done, the order then heading the queue starts afresh and planning stops. True when it was.
bool DropTurnedAwayMove(UnitHead& unit);
// Every order is given up: the unit stands and stops planning (it cannot step, or lost its way).
void GiveUpStalled(UnitHead& unit, const UnitTypHead& type);
// Takes the blocker's speed and one step towards the order's point from where the unit stands,
// planning afresh from there. False, with the unit back, when that step is blocked too.
bool MatchBlockerSpeed(UnitHead& unit, const UnitTypHead& type, const UnitHead& blocker,
                       std::uint16_t mode);

}  // namespace kv
