#include "movement/move_step.h"

#include "core/unit_views.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/path_output.h"
#include "movement/path_search.h"
#include "movement/route_search.h"
#include "movement/stepping.h"
#include "persons/person.h"

namespace kv {

PlannerWatch PlannerWatcher;

namespace {

constexpr std::uint8_t kPlanningBits = kMoverTurned | kMoverSearching | kMoverPathSearch;
// Control flags of the persons that get out of a vehicle's way.
constexpr std::uint8_t kEvaderFlags = kPersonOnlooker | kPersonPedestrian | kPersonFighter;

std::uint8_t MotionOf(const UnitHead& mover, const UnitHead& other) {
    if ((other.moverFlags & kMoverSearching) == 0) return kBlockerStanding;
    if (other.direction != mover.direction) return kBlockerAcross;
    return mover.speed > other.speed ? kBlockerAheadFast : kBlockerAheadSlow;
}

const StepRule* FindRule(std::span<const StepRule> rules, const Blocker& b) {
    for (const StepRule& r : rules)
        if (r.group == b.group && (r.motion & b.motion) != 0) return &r;
    return nullptr;
}

}  // namespace

void ResetPlannerWatch() {
    PlannerWatcher = {};
}

std::uint8_t CallFindPath(UnitHead& unit, const UnitTypHead& type) {
    if (PlannerWatcher.findPath != nullptr) return PlannerWatcher.findPath(unit, type);
    return FindPath(unit, type);
}

std::uint8_t CallPlanRoute(UnitHead& unit, const UnitTypHead& type) {
    if (PlannerWatcher.planRoute != nullptr) return PlannerWatcher.planRoute(unit, type);
    return PlanRoute(unit, type);
}

std::uint8_t CallRejoinRoute(UnitHead& unit, const UnitTypHead& type, float stopX, float stopY,
                             float backX, float backY, float nodeX, float nodeY) {
    if (PlannerWatcher.rejoinRoute != nullptr)
        return PlannerWatcher.rejoinRoute(unit, type, stopX, stopY, backX, backY, nodeX, nodeY);
    return RejoinRoute(unit, type, stopX, stopY, backX, backY, nodeX, nodeY);
}

PointF WaypointOf(const Befehl& order) {
    if ((order.flags & kBefehlUseCD) != 0) return {order.cFloat(), order.dFloat()};
    return {order.aFloat(), order.bFloat()};
}

bool StandsOn(const UnitHead& unit, PointF point) {
    return unit.x == point.x && unit.y == point.y;
}

int DirectionGap(int a, int b) {
    const int d = WrapDirection(a - b);
    return d > 6 ? kDirectionCount - d : d;
}

void ShowMoverAnim(UnitHead& unit, const UnitTypHead& type, std::int8_t anim) {
    if (unit.anim != anim) SetMoverAction(unit, type, anim);
}

void StandMover(UnitHead& unit, const UnitTypHead& type) {
    ShowMoverAnim(unit, type, 0);
}

void StopPlanning(UnitHead& unit) {
    unit.moverFlags &= static_cast<std::uint8_t>(~kPlanningBits);
}

void WaitMover(UnitHead& unit) {
    unit.moverFlags &= static_cast<std::uint8_t>(~kMoverSearching);
}

void SettleMover(UnitHead& unit) {
    unit.shortcutFirst = nullptr;
    unit.shortcutLast = nullptr;
    unit.stepMarker = static_cast<std::uint8_t>(unit.direction);
}

bool IsMoveOpcode(int opcode) {
    switch (opcode) {
        case kOpMove:
        case kOpGoals:
        case kOpStraight:
        case kOpMoveBackwards:
        case kOpGoalsCallback:
        case kOpGaffer:
            return true;
        default:
            return false;
    }
}

bool IsEvader(const UnitHead& person) {
    return (person.controlFlags & kEvaderFlags) != 0 && (person.moverFlags & kMoverLed) == 0;
}

TurnProgress StepTurnBefehl(UnitHead& unit) {
    Befehl& order = *unit.orders;
    const std::int32_t c = order.cInt();
    const std::uint8_t target =
        WrapDirection(order.dInt() == -1 ? unit.direction + (c % kDirectionCount) : c);
    order.setC(static_cast<std::int32_t>(target));
    if (order.dInt() == -1) order.setD(0);
    const float ax = order.aFloat();
    const float ay = order.bFloat();
    if (!(ax == 0 && ay == 0) && !StandsOn(unit, {ax, ay})) {
        ClearBefehle(unit);
        return TurnProgress::Cleared;
    }
    if (unit.direction == static_cast<std::int8_t>(target)) {
        PopBefehl(unit);
        return TurnProgress::Reached;
    }
    SaveMoverPos(unit);
    unit.direction = static_cast<std::int8_t>(TurnStep(WrapDirection(unit.direction), target));
    return TurnProgress::Turned;
}

Blocker ClassifyBlocker(const UnitHead& mover, const CollisionHit& hit, std::int32_t partner,
                        bool evaders) {
    Blocker b;
    b.hit = hit;
    switch (hit.kind) {
        case kHitFahrzeug:
            b.group = BlockerGroup::Fahrzeug;
            b.unit = FahrzeugUnits.at(hit.index1);
            break;
        case kHitPerson:
            b.group = BlockerGroup::Person;
            b.unit = PersonUnits.at(hit.index1);
            if (evaders && b.unit != nullptr && IsEvader(*b.unit)) b.group = BlockerGroup::Evader;
            break;
        case kHitZone:
            b.group = BlockerGroup::Zone;
            return b;
        default:
            b.group = BlockerGroup::Obstacle;
            return b;
    }
    if (b.unit == nullptr) {
        // An index that names no unit is something in the way all the same.
        b.group = BlockerGroup::Obstacle;
        return b;
    }
    const bool isPartner = hit.kind == kHitPerson && partner >= 0 && hit.index1 == partner;
    b.motion = isPartner ? kBlockerStanding : MotionOf(mover, *b.unit);
    return b;
}

bool StepReachesWaypoint(const UnitHead& unit, const MoveStep& step, PointF w) {
    switch (TravelDirection(step.direction % kDirectionCount, unit.moverFlags)) {
        case 0:
            return step.y <= w.y;
        case 1:
        case 2:
            return step.x >= w.x && step.y <= w.y;
        case 3:
            return step.x >= w.x;
        case 4:
        case 5:
            return step.x >= w.x && step.y >= w.y;
        case 6:
            return step.y >= w.y;
        case 7:
        case 8:
            return step.x <= w.x && step.y >= w.y;
        case 9:
            return step.x <= w.x;
        default:
            return step.x <= w.x && step.y <= w.y;
    }
}

StepBlock LookAheadForBlocker(UnitHead& unit, const UnitTypHead& type, int count,
                              std::uint16_t mode, std::span<const StepRule> rules,
                              std::int32_t partner, PointF waypoint) {
    const bool evaders = FindRule(rules, Blocker{{}, BlockerGroup::Evader, kBlockerAny}) != nullptr;
    const int n = count < kMaxLookAhead ? count : kMaxLookAhead;
    // Nothing moves while the steps ahead are looked at.
    const CollisionScope scope;
    for (int i = 0; i < n; ++i) {
        const MoveStep step = StepRingEntry(unit, unit.stepRead + i);
        CollisionHit hit;
        if (TestCollision(mode, unit, type, step.x, step.y, step.direction, unit.storey,
                          static_cast<std::uint8_t>(unit.anim), &hit) != 0) {
            const Blocker b = ClassifyBlocker(unit, hit, partner, evaders);
            const StepRule* rule = FindRule(rules, b);
            if (rule != nullptr && (i == 0 || !rule->atOnce)) return {i, b, rule->response};
        }
        if (StepReachesWaypoint(unit, step, waypoint)) break;
    }
    return {};
}

void TakeRingStep(UnitHead& unit, const UnitTypHead& type) {
    const MoveStep step = StepRingEntry(unit, unit.stepRead);
    SaveMoverPos(unit);
    if (unit.direction != static_cast<std::int8_t>(step.direction)) {
        unit.direction = static_cast<std::int8_t>(step.direction);
        SetMoverAction(unit, type, 0);
    }
    unit.x = step.x;
    unit.y = step.y;
}

StraightStep StepStraightBefehl(UnitHead& unit, const UnitTypHead& type, std::uint16_t mode,
                                bool evaders) {
    unit.moverFlags |= kMoverSearching;
    const Befehl& order = *unit.orders;
    std::int32_t c = order.cInt();
    // Orders built from integers hold c as a float like the point; the planners' turn form
    // holds it as an integer.
    if (c < 0 || c >= kDirectionCount) {
        const float f = order.cFloat();
        c = f >= 0 && f < kDirectionCount && f == static_cast<float>(static_cast<int>(f))
                ? static_cast<int>(f)
                : -1;
    }
    if (c < 0) {
        PopBefehl(unit);
        StandMover(unit, type);
        StopPlanning(unit);
        return {StraightProgress::GaveUp, {}};
    }
    const float tx = order.aFloat();
    const float ty = order.bFloat();
    if (StandsOn(unit, {tx, ty})) return {StraightProgress::Arrived, {}};
    float x = unit.x;
    float y = unit.y;
    // A vehicle that cannot step gives the move up; a person stays where it is, order and all.
    if (StepMover(unit, type, x, y, static_cast<std::int8_t>(c),
                  static_cast<std::uint8_t>(unit.anim), tx, ty, 1) == 0 &&
        type.unitClass != kPersonUnitClass) {
        GiveUpStalled(unit, type);
        return {StraightProgress::GaveUp, {}};
    }
    CollisionHit hit;
    if (TestCollision(mode, unit, type, x, y, static_cast<std::uint8_t>(unit.direction),
                      unit.storey, static_cast<std::uint8_t>(unit.anim), &hit) != 0)
        return {StraightProgress::Blocked, ClassifyBlocker(unit, hit, -1, evaders)};
    unit.x = x;
    unit.y = y;
    return {};
}

void PlanAroundBlocker(UnitHead& unit, const UnitTypHead& type, std::int16_t index) {
    StandMover(unit, type);
    DropDoneMoveBefehle(unit);
    RunBefehlCallback(unit, index);
    // The callback may have freed the unit or emptied its queue.
    if (unit.type == -1 || unit.orders == nullptr) return;
    CallFindPath(unit, type);
}

void GiveUpMove(UnitHead& unit, const UnitTypHead& type) {
    ResetMoveTarget(unit);
    DropMoveBefehle(unit);
    StandMover(unit, type);
    StopPlanning(unit);
}

bool DropTurnedAwayMove(UnitHead& unit) {
    const Befehl& order = *unit.orders;
    if ((order.flags & kBefehlKeepFacing) == 0 ||
        static_cast<std::uint32_t>(unit.direction) == order.e)
        return false;
    DropDoneMoveBefehle(unit);
    if (unit.orders != nullptr) unit.orders->flags &= static_cast<std::uint8_t>(~kBefehlStarted);
    StopPlanning(unit);
    return true;
}

void GiveUpStalled(UnitHead& unit, const UnitTypHead& type) {
    ClearBefehle(unit);
    StandMover(unit, type);
    StopPlanning(unit);
}

bool MatchBlockerSpeed(UnitHead& unit, const UnitTypHead& type, const UnitHead& blocker,
                       std::uint16_t mode) {
    unit.speed = blocker.speed;
    RestoreMoverPos(unit);
    const float tx = unit.orders->aFloat();
    const float ty = unit.orders->bFloat();
    float x = unit.x;
    float y = unit.y;
    StepMover(unit, type, x, y, unit.direction, static_cast<std::uint8_t>(unit.anim), tx, ty, 1);
    const bool blocked =
        TestCollision(mode, unit, type, x, y, static_cast<std::uint8_t>(unit.direction),
                      unit.storey, static_cast<std::uint8_t>(unit.anim), nullptr) != 0;
    if (!blocked) {
        unit.x = x;
        unit.y = y;
    }
    ResetMoveTarget(unit);
    return !blocked;
}

}  // namespace kv
