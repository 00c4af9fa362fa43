#include "vehicles/fahrzeug_moves.h"

#include "core/unit_views.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/collision_shortcut.h"
#include "movement/move_step.h"
#include "movement/route.h"
#include "movement/route_driving.h"
#include "movement/route_search.h"
#include "movement/sonder_obj_push.h"
#include "movement/stepping.h"
#include "persons/person_evade.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

constexpr std::uint16_t kDriveMode = kCollideZones;
constexpr std::uint16_t kStraightMode = kCollideZones | kCollideTrample;
// A move further than this tries the road first; the F114 looks further.
constexpr float kRoadReach = 250.0f;
constexpr float kRoadReachF114 = 500.0f;
// A vehicle stops this close to its waypoint's road route point to leave the route.
constexpr float kRouteExitReach = 70.0f;
// Cannon vehicles stop short of their target: in reach of the cannon, a little nearer when a
// cannon order follows.
constexpr double kCannonStop = 0.8;
constexpr double kCannonStopAiming = 0.95;
constexpr std::uint16_t kNoObject = 0xFFFF;

bool OnRoadLeg(const Befehl& order) {
    return (order.opcode == kOpMove || order.opcode == kOpRouteLeg) &&
           (order.flags & kBefehlRouteLeg) != 0;
}

// A laid road route the vehicle drives along.
bool FollowsRoute(const Fahrzeug& v) {
    return v.route != nullptr && !v.route->listA.empty();
}

// Whether the order now heading the queue drives the vehicle on, so it need not stand first.
bool NextKeepsDriving(const Fahrzeug& v) {
    const int next = HeadBefehlOpcode(v);
    return next == kOpMove || next == kOpGoals || next == kOpMoveBackwards || next == kOpRouteLeg;
}

// A move has ended: the vehicle stands unless the next order drives on, and settles.
void EndDrive(Fahrzeug& v, const FahrzeugTyp& typ) {
    if (!NextKeepsDriving(v)) StandMover(v, typ);
    StopPlanning(v);
    SettleMover(v);
}

// Where the vehicle stood before the step it takes this tick.
struct Origin {
    float x;
    float y;
    std::uint8_t direction;
};

// The vehicle stands on its waypoint, or stopped early: the order is done. A route leg lays the
// next leg with a turn towards it; a route that ran out leaves its order to the free path search.
void Arrive(Fahrzeug& v, const FahrzeugTyp& typ) {
    const bool leg = (v.orders->flags & kBefehlRouteLeg) != 0;
    PopBefehl(v);
    if (leg) {
        const std::uint8_t laid = NextRouteWaypoint(v);
        Befehl* head = v.orders;
        if (head != nullptr && OnRoadLeg(*head)) {
            const std::uint8_t toward = ClassifyDirection(v.x, v.y, head->aFloat(), head->bFloat(),
                                                          static_cast<std::uint8_t>(v.direction));
            PushTurnBefehl(v, kOpTurn, v.x, v.y, toward, 0, 1);
        } else if (laid == 0 && head != nullptr &&
                   (head->opcode == kOpMove || head->opcode == kOpRouteLeg)) {
            head->flags |= kBefehlFreePath;
        }
    }
    EndDrive(v, typ);
}

// The cannon's reach around the final target of a road leg: the order ends there.
bool InCannonReach(const Fahrzeug& v, const FahrzeugTyp& typ, const Befehl& order) {
    if (typ.kanone == nullptr) return false;
    const double range = typ.kanone->range;
    const double d = DistanceFloat(v.x, v.y, order.finalX, order.finalY);
    const Befehl* next = order.next;
    while (next != nullptr && (next->opcode == kOpMove || next->opcode == kOpRouteLeg))
        next = next->next;
    if (next != nullptr && next->opcode == kOpCannonAim) {
        const float half = 0.5f * static_cast<float>(typ.extent[3] - typ.extent[1]);
        return d < range * kCannonStopAiming && v.y > order.finalY + half;
    }
    return d < range * kCannonStop;
}

bool EndsHere(Fahrzeug& v, const FahrzeugTyp& typ) {
    const Befehl& order = *v.orders;
    const bool routeLeg = order.opcode == kOpRouteLeg;
    if (StandsOn(v, WaypointOf(order)) ||
        (routeLeg && StandsOn(v, {order.aFloat(), order.bFloat()}))) {
        Arrive(v, typ);
        return true;
    }
    if (!routeLeg || !InCannonReach(v, typ, order)) return false;
    DropMoveBefehle(v);
    DropRoute(v);
    EndDrive(v, typ);
    return true;
}

// The route's exit: the order it was planned for comes back, to be planned freely.
void LeaveRoute(Fahrzeug& v) {
    DropMoveBefehle(v);
    RestoreRouteOrder(v, true);
    if (Befehl* head = v.orders;
        head != nullptr && (head->opcode == kOpMove || head->opcode == kOpRouteLeg))
        head->flags |= kBefehlFreePath;
    DropRoute(v);
}

void Halt(Fahrzeug& v, const FahrzeugTyp& typ) {
    RestoreMoverPos(v);
    StandMover(v, typ);
    WaitMover(v);
}

// A standing unit (destination free) or an obstacle in the very next step. A road leg goes round
// it back onto the route, or is given up; any other move plans a way round.
void BlockedAtOnce(std::int16_t index, Fahrzeug& v, const FahrzeugTyp& typ) {
    RestoreMoverPos(v);
    ResetMoveTarget(v);
    const Befehl& order = *v.orders;
    const PointF waypoint = WaypointOf(order);
    if ((order.flags & kBefehlRouteLeg) != 0) {
        if (CallRejoinRoute(v, typ, v.x, v.y, v.x, v.y, waypoint.x, waypoint.y) != 0) return;
        DropDoneRouteBefehle(v);
        DropRoute(v);
        PopBefehl(v);
        StandMover(v, typ);
        StopPlanning(v);
        return;
    }
    if ((order.flags & kBefehlUseCD) != 0 && StandsOn(v, waypoint)) {
        Arrive(v, typ);
        return;
    }
    PlanAroundBlocker(v, typ, index);
}

void StandingUnit(std::int16_t index, Fahrzeug& v, const FahrzeugTyp& typ) {
    if ((v.orders->flags & kBefehlShortLook) != 0) {
        // A short look-ahead waits behind it rather than planning anew.
        v.orders->e = 1;
        Halt(v, typ);
        return;
    }
    if (TestDestinationOccupied(v, typ) != 0) {
        RestoreMoverPos(v);
        GiveUpMove(v, typ);
        DropRoute(v);
        return;
    }
    BlockedAtOnce(index, v, typ);
}

// The F114 pushes a pushable object out of its way; one it cannot push it goes round, unless it
// is the one it pushed last, which ends the drive.
void PushOrGoRound(std::int16_t index, Fahrzeug& v, const FahrzeugTyp& typ, std::uint16_t object,
                   const Origin& from) {
    const auto slot = static_cast<std::int16_t>(object);
    if (!CanPushSonderObj(v, typ, from.x, from.y, from.direction, slot)) {
        RestoreMoverPos(v);
        StandMover(v, typ);
        if (object == v.pushedObject) {
            ClearBefehle(v);
            return;
        }
        PlanAroundBlocker(v, typ, index);
        return;
    }
    PushSonderObj(v, typ, from.x, from.y, from.direction, slot);
    v.pushedObject = object;
    ShowMoverAnim(v, typ, kFahrzeugAnimDriving);
    AdvanceStepRingRead(v);
}

bool Pushable(const Fahrzeug& v, const CollisionHit& hit) {
    if (v.type != kTypF114 || hit.kind != kHitSonderObj) return false;
    const SonderObj* o = SonderObjAt(hit.index1);
    return o != nullptr && o->type != -1 && o->pushable != 0;
}

// After a step on a road route the route follows the vehicle on; a route that has lost its way
// ends the drive.
void FollowRoute(Fahrzeug& v, const FahrzeugTyp& typ) {
    if (!FollowsRoute(v) || AdvanceRouteListB(v) != 0) return;
    GiveUpStalled(v, typ);
}

void Respond(std::int16_t index, Fahrzeug& v, const FahrzeugTyp& typ, const StepBlock& block,
             const Origin& from) {
    const Blocker& b = block.blocker;
    if (block.response == StepResponse::PlanAround && Pushable(v, b.hit)) {
        PushOrGoRound(index, v, typ, b.hit.index1, from);
        return;
    }
    v.pushedObject = kNoObject;
    switch (block.response) {
        case StepResponse::StandingUnit:
            StandingUnit(index, v, typ);
            return;
        case StepResponse::PlanAround:
            BlockedAtOnce(index, v, typ);
            return;
        case StepResponse::MatchSpeed:
            if (MatchBlockerSpeed(v, typ, *b.unit, kDriveMode)) {
                ShowMoverAnim(v, typ, kFahrzeugAnimDriving);
                FollowRoute(v, typ);
            } else {
                StandMover(v, typ);
                WaitMover(v);
            }
            return;
        case StepResponse::RightOfWay: {
            // The lower class keeps going behind it, still counted as moving.
            const Fahrzeug* other = UsedFahrzeugAt(b.hit.index1);
            if (other != nullptr && typ.rightOfWay < FahrzeugTypOf(*other).rightOfWay) {
                RestoreMoverPos(v);
                return;
            }
            Halt(v, typ);
            return;
        }
        case StepResponse::WaitReset:
            RestoreMoverPos(v);
            ResetMoveTarget(v);
            StandMover(v, typ);
            WaitMover(v);
            return;
        case StepResponse::Evade:
            RestoreMoverPos(v);
            TellPersonToEvade(v, typ, b.hit.index1);
            StandMover(v, typ);
            WaitMover(v);
            return;
        default:
            Halt(v, typ);
            return;
    }
}

// The first tick of a move: the vehicle stands and counts as moving. A far move that may use the
// road starts its route; true while the route planning has it.
enum class RoadStart : std::uint8_t { Planning, Refused, NotWanted };
RoadStart StartMove(Fahrzeug& v, const FahrzeugTyp& typ) {
    StandMover(v, typ);
    v.moverFlags |= kMoverSearching;
    Befehl& order = *v.orders;
    order.flags |= kBefehlStarted;
    const float reach = v.type == kTypF114 ? kRoadReachF114 : kRoadReach;
    const bool far = DistanceFloat(order.aFloat(), order.bFloat(), v.x, v.y) > reach;
    const bool roadType = v.type != kTypHAI && v.type != kTypF115 && v.type != kTypF116;
    if (!far || !roadType || (order.flags & (kBefehlRouteLeg | kBefehlFreePath)) != 0)
        return RoadStart::NotWanted;
    if (CallPlanRoute(v, typ) != 0) return RoadStart::Planning;
    if (v.orders != nullptr) v.orders->flags |= kBefehlFreePath;
    return RoadStart::Refused;
}

bool FreeFor(const Fahrzeug& v, const FahrzeugTyp& typ, std::uint16_t mode, CollisionHit& hit) {
    return TestCollision(mode, v, typ, v.x, v.y, static_cast<std::uint8_t>(v.direction), v.storey,
                         static_cast<std::uint8_t>(v.anim), &hit) == 0;
}

}  // namespace

void TellPersonToEvade(const Fahrzeug& v, const FahrzeugTyp& typ, std::uint16_t person) {
    const UnitHead* p = PersonUnits.at(person);
    if (p == nullptr) return;
    float x = v.x;
    float y = v.y;
    const auto facing = static_cast<std::uint8_t>(v.direction);
    if (DirectionGap(ClassifyDirection(v.x, v.y, p->x, p->y, facing), facing) <= 1) {
        // The push source lies a step back from the person towards the vehicle, so the push
        // carries it on away from the vehicle, one direction off the vehicle's heading so it
        // clears the way to the side. A source past the person would push it into the vehicle,
        // where it could only stand and keep the vehicle waiting.
        std::uint8_t d = GetDirection12(v, v.x, v.y, p->x, p->y);
        if (d == facing) d = WrapDirection(d - 1);
        x = p->x;
        y = p->y;
        StepMoverFree(v, typ, x, y, WrapDirection(d + 6), static_cast<std::uint8_t>(v.anim), 1);
    }
    SetPersonEvade(static_cast<std::int16_t>(person), x, y, kVehiclePushStrength, kPushTicks, 0,
                   -1);
}

namespace {

// Orders 0, 4 and 54 for a vehicle whose free path search runs: it goes on; once the move is
// planned, a step along it (the helicopter takes no waypoint shortcut). False on the first tick.
bool DriveOrSearch(std::int16_t index, Fahrzeug& v, const FahrzeugTyp& typ, bool shortcut) {
    if ((v.moverFlags & kMoverPathSearch) != 0) {
        CallFindPath(v, typ);
        return true;
    }
    if ((v.orders->flags & kBefehlStarted) == 0) return false;
    if (shortcut && !ShortcutAhead(v, typ)) return true;
    FillStepRing(v, typ);
    DriveFahrzeugStep(index);
    return true;
}

}  // namespace

void RunFahrzeugBefehl00(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const FahrzeugTyp& typ = FahrzeugTypOf(*v);
    if ((v->moverFlags & kMoverRoutePlanning) != 0 && (v->moverFlags & kMoverPathSearch) == 0) {
        CallPlanRoute(*v, typ);
        return;
    }
    if (DriveOrSearch(index, *v, typ, true)) return;
    if (StartMove(*v, typ) != RoadStart::Planning) CallFindPath(*v, typ);
}

void RunHeliBefehl00(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const FahrzeugTyp& typ = FahrzeugTypOf(*v);
    if (DriveOrSearch(index, *v, typ, false)) return;
    StandMover(*v, typ);
    v->moverFlags |= kMoverSearching;
    v->orders->flags |= kBefehlStarted;
    CallFindPath(*v, typ);
}

void RunFahrzeugBefehl01(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr || StepTurnBefehl(*v) != TurnProgress::Turned) return;
    const FahrzeugTyp& typ = FahrzeugTypOf(*v);
    CollisionHit hit;
    if (FreeFor(*v, typ, kCollideTrample, hit)) return;
    RestoreMoverPos(*v);
    const Blocker b = ClassifyBlocker(*v, hit, -1, true);
    if (b.group == BlockerGroup::Evader) {
        TellPersonToEvade(*v, typ, hit.index1);
        StandMover(*v, typ);
        return;
    }
    if ((v->orders->flags & kBefehlDone) != 0) {
        PlanAroundBlocker(*v, typ, index);
        return;
    }
    PopBefehl(*v);
}

void RunFahrzeugBefehl02(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const FahrzeugTyp& typ = FahrzeugTypOf(*v);
    Befehl& order = *v->orders;
    if ((order.flags & kBefehlStarted) != 0) {
        CallFindPath(*v, typ);
        return;
    }
    if (order.goals.empty()) {
        PopBefehl(*v);
        return;
    }
    order.flags |= kBefehlStarted;
    double sx = 0;
    double sy = 0;
    for (const GoalPoint& g : order.goals) {
        sx += g.x;
        sy += g.y;
    }
    const auto n = static_cast<double>(order.goals.size());
    const auto cx = static_cast<float>(sx / n);
    const auto cy = static_cast<float>(sy / n);
    const float own = DistanceFloat(v->x, v->y, cx, cy);
    const float reach = v->type == kTypF114 ? kRoadReachF114 : kRoadReach;
    if (own <= reach || (order.flags & kBefehlFreePath) != 0) {
        CallFindPath(*v, typ);
        return;
    }
    // Far goals: first along the road to its point nearest them, then a tick's pause and the
    // free path search from there. Without a nearer road point the search starts next tick.
    RoadEdgePoint road;
    if (!FindNearestRoadEdge(*v, cx, cy, road) || !(DistanceFloat(road.x, road.y, cx, cy) < own))
        return;
    PushBefehl(*v, kOpWait, 1, 0, 0, 0, 1);
    PushMoveBefehl(*v, kOpMove, road.x, road.y, 0, 0, 1);
    if (StartMove(*v, typ) != RoadStart::Planning) PopBefehl(*v);
}

void RunFahrzeugBefehl03(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const FahrzeugTyp& typ = FahrzeugTypOf(*v);
    v->speed = typ.speed;
    const StraightStep step = StepStraightBefehl(*v, typ, kStraightMode, true);
    switch (step.progress) {
        case StraightProgress::GaveUp:
            return;
        case StraightProgress::Arrived:
            PopBefehl(*v);
            if (!NextKeepsDriving(*v)) StandMover(*v, typ);
            StopPlanning(*v);
            return;
        case StraightProgress::Moved:
            ShowMoverAnim(*v, typ, kFahrzeugAnimDriving);
            return;
        case StraightProgress::Blocked:
            break;
    }
    const Blocker& b = step.blocker;
    const bool unit = b.group == BlockerGroup::Fahrzeug || b.group == BlockerGroup::Person;
    if (b.group == BlockerGroup::Evader) {
        TellPersonToEvade(*v, typ, b.hit.index1);
        StandMover(*v, typ);
    } else if ((unit && b.motion != kBlockerStanding) || b.group == BlockerGroup::Zone) {
        StandMover(*v, typ);
        WaitMover(*v);
    } else if (unit || b.hit.kind == kHitSonderObj || b.hit.kind == kHitMapCell) {
        PlanAroundBlocker(*v, typ, index);
    } else {
        ShowMoverAnim(*v, typ, kFahrzeugAnimDriving);
    }
}

void DriveFahrzeugStep(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const FahrzeugTyp& typ = FahrzeugTypOf(*v);
    if (FollowsRoute(*v) && IsWaypointReached(index)) {
        LeaveRoute(*v);
        return;
    }
    v->moverFlags |= kMoverSearching;
    v->speed = typ.speed;
    if (EndsHere(*v, typ)) return;
    if (GetStepLength(*v, typ, v->x, v->y, static_cast<std::uint8_t>(v->direction),
                      static_cast<std::uint8_t>(v->anim), 0) == 0) {
        GiveUpStalled(*v, typ);
        DropRoute(*v);
        return;
    }
    if (DropTurnedAwayMove(*v)) return;
    const Befehl& order = *v->orders;
    const PointF waypoint = WaypointOf(order);
    const int count =
        (order.flags & kBefehlShortLook) != 0 ? kShortLookAhead : typ.shortcutBackSteps;
    const Origin from{v->x, v->y, static_cast<std::uint8_t>(v->direction)};
    TakeRingStep(*v, typ);
    const StepBlock block =
        LookAheadForBlocker(*v, typ, count, kDriveMode, kDriveRules, -1, waypoint);
    if (block.ahead < 0) {
        ShowMoverAnim(*v, typ, kFahrzeugAnimDriving);
        AdvanceStepRingRead(*v);
        FollowRoute(*v, typ);
        return;
    }
    Respond(index, *v, typ, block, from);
}

bool IsWaypointReached(std::int16_t index) {
    Fahrzeug* v = UsedFahrzeugAt(index);
    if (v == nullptr || v->route == nullptr) return false;
    const RouteWaypoints& list = v->route->listA;
    if (list.size() < 3) return false;
    const RouteWaypoint current = list[1];
    const RouteWaypoint next = list[2];
    const float d = DistanceFloat(v->x, v->y, current.x, current.y);
    if (d > kRouteExitReach || !(DistanceFloat(v->x, v->y, next.x, next.y) < d)) return false;
    StepRingBuffer ring;
    std::uint8_t read = 0;
    std::uint8_t write = 0;
    SaveStepRing(*v, ring, read, write);
    LineRun run;
    const bool free = TestDirectPath(v->x, v->y, static_cast<std::uint8_t>(v->direction), *v,
                                     FahrzeugTypOf(*v), current.x, current.y, run) != 0;
    RestoreStepRing(*v, ring, read, write);
    return free;
}

}  // namespace kv
