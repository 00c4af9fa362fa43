#include "persons/person_moves.h"

#include "core/random.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/collision_shortcut.h"
#include "movement/move_step.h"
#include "movement/stepping.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_lead.h"
#include "persons/person_types.h"
#include "persons/personen.h"

namespace kv {

namespace {

constexpr std::uint16_t kWalkMode = kCollideZones;
// Onlookers pass 8 besides; the collision tests give it no meaning.
constexpr std::uint16_t kOnlookerWalkMode = kCollideZones | 8;
constexpr std::int8_t kKneelAnim = 4;
constexpr int kPatienceBase = 10;
constexpr int kPatienceSpread = 20;

bool IsOnlooker(const Person& p) {
    return (p.controlFlags & kPersonOnlooker) != 0;
}

// A led person walks at its leader's type's pace.
float WalkSpeed(const Person& p) {
    if ((p.moverFlags & kMoverLed) != 0)
        if (const Person* leader = LeaderOf(p)) return PersonTypOf(*leader).speed;
    return PersonTypOf(p).speed;
}

// The person stands on its waypoint: the order is done.
void Arrive(Person& p, const PersonTyp& typ) {
    PopBefehl(p);
    if (p.orders == nullptr || !IsMoveOpcode(p.orders->opcode)) StandMover(p, typ);
    StopPlanning(p);
    PushPersonTrail(p, p.x, p.y, static_cast<std::uint8_t>(p.direction));
    SettleMover(p);
}

// An onlooker within its target's circle but off the order's point turns to face that point
// instead of walking on.
void FaceGafferPoint(Person& p, const PersonTyp& typ, float ax, float ay) {
    const std::uint8_t d = GetDirection12(p, p.x, p.y, ax, ay);
    if (d == static_cast<std::uint8_t>(p.direction))
        ClearBefehle(p);
    else
        SetBefehl(p, typ, kOpTurn, -1, 0, 0, d, 0, 0);
    StandMover(p, typ);
    StopPlanning(p);
    PushPersonTrail(p, p.x, p.y, static_cast<std::uint8_t>(p.direction));
    SettleMover(p);
}

// Whether the walk ends here; true when the person arrived or turned to its target's point.
bool EndsHere(Person& p, const PersonTyp& typ) {
    const Befehl& order = *p.orders;
    if (order.opcode != kOpGaffer) {
        if (!StandsOn(p, WaypointOf(order))) return false;
        Arrive(p, typ);
        return true;
    }
    const float ax = order.aFloat();
    const float ay = order.bFloat();
    const bool onPoint = StandsOn(p, {ax, ay}) ||
                         ((order.flags & kBefehlUseCD) != 0 && StandsOn(p, WaypointOf(order)));
    GafferZiel zone;
    const GafferZiel* target = GetGafferZiel(order.e, zone) ? &zone : nullptr;
    if (onPoint || (target != nullptr &&
                    StandsOn(p, {static_cast<float>(target->x), static_cast<float>(target->y)}))) {
        Arrive(p, typ);
        return true;
    }
    if (target == nullptr) return false;
    const std::int32_t d = DistanceInt(static_cast<std::int16_t>(p.x),
                                       static_cast<std::int16_t>(p.y), target->x, target->y);
    if (d > target->radius) return false;
    FaceGafferPoint(p, typ, ax, ay);
    return true;
}

// A standing unit, or an obstacle, in the very next step, while the destination is free: the
// person plans a way round from where it stood, unless that is the end of an order that aims at
// (c, d).
void PlanAround(std::int16_t index, Person& p, const PersonTyp& typ) {
    RestoreMoverPos(p);
    ResetMoveTarget(p);
    if ((p.orders->flags & kBefehlUseCD) != 0 && StandsOn(p, WaypointOf(*p.orders))) {
        Arrive(p, typ);
        return;
    }
    PlanAroundBlocker(p, typ, index);
}

void Halt(Person& p, const PersonTyp& typ) {
    RestoreMoverPos(p);
    StandMover(p, typ);
    WaitMover(p);
}

void StandingUnit(std::int16_t index, Person& p, const PersonTyp& typ) {
    if (TestDestinationOccupied(p, typ) != 0) {
        RestoreMoverPos(p);
        GiveUpMove(p, typ);
        return;
    }
    PlanAround(index, p, typ);
}

// Another person crosses the way: a person with a behaviour controller loses patience and, when
// it runs out, gives its walk up. A patience already at 0 gives up at once.
void LosePatience(Person& p, const PersonTyp& typ) {
    Halt(p, typ);
    if ((p.controlFlags & kPersonController) == 0) return;
    if (p.walkCount > 0) --p.walkCount;
    if (p.walkCount > 0) return;
    ClearBefehle(p);
    StopPlanning(p);
    p.shortcutFirst = nullptr;
    p.shortcutLast = nullptr;
}

// A standing person (or the partner) in the very next step. An onlooker may pass a kneeling
// civilian: it walks on where it does not come nearer to the civilian, or where the civilian does
// not face its way; else it stops where it stood if that spot is free (or only the civilian is in
// the way there).
void StandingPerson(std::int16_t index, Person& p, const PersonTyp& typ, const StepBlock& block,
                    PointF from, std::uint16_t mode) {
    if (TestDestinationOccupied(p, typ) != 0) {
        StandingUnit(index, p, typ);
        return;
    }
    const UnitHead* b = block.blocker.unit;
    if (IsOnlooker(p) && (p.moverFlags & kMoverLed) == 0 && b != nullptr &&
        b->type == kPersonTypCivilian && b->anim == kKneelAnim) {
        const PointF w = WaypointOf(*p.orders);
        const std::uint8_t toward =
            ClassifyDirection(p.x, p.y, w.x, w.y, static_cast<std::uint8_t>(p.direction));
        const bool nearer =
            DistanceFloat(from.x, from.y, b->x, b->y) > DistanceFloat(p.x, p.y, b->x, b->y);
        if (!nearer || DirectionGap(b->direction, toward + 6) > 1) {
            ShowMoverAnim(p, typ, kAnimWalk);
            AdvanceStepRingRead(p);
            return;
        }
        RestoreMoverPos(p);
        CollisionHit hit;
        const bool blocked =
            TestCollision(mode, p, typ, p.x, p.y, static_cast<std::uint8_t>(p.direction), p.storey,
                          static_cast<std::uint8_t>(p.anim), &hit) != 0;
        if (!blocked || (hit.kind == kHitPerson && hit.index1 == block.blocker.hit.index1)) {
            Arrive(p, typ);
            return;
        }
    }
    PlanAround(index, p, typ);
}

// A person turns on the spot, so the facing a waypoint keeps is the one it takes there once it
// has walked to it. One that lies straight ahead is walked to as the person faces: a person
// standing inside a box (put down beside a vehicle) cannot turn where it stands, and planning
// again from there lays the same step out for good.
bool WaypointStraightAhead(const Person& p) {
    const Befehl& order = *p.orders;
    if ((order.flags & kBefehlKeepFacing) == 0) return false;
    const PointF w = WaypointOf(order);
    return GetDirection12(p, p.x, p.y, w.x, w.y) == static_cast<std::uint8_t>(p.direction);
}

void Respond(std::int16_t index, Person& p, const PersonTyp& typ, const StepBlock& block,
             PointF from, std::uint16_t mode) {
    switch (block.response) {
        case StepResponse::StandingUnit:
            StandingUnit(index, p, typ);
            return;
        case StepResponse::KneelingCivil:
            StandingPerson(index, p, typ, block, from, mode);
            return;
        case StepResponse::PlanAround:
            PlanAround(index, p, typ);
            return;
        case StepResponse::MatchSpeed:
            if (MatchBlockerSpeed(p, typ, *block.blocker.unit, mode)) {
                ShowMoverAnim(p, typ, kAnimWalk);
                PushPersonTrail(p, p.x, p.y, static_cast<std::uint8_t>(p.direction));
            } else {
                StandMover(p, typ);
                WaitMover(p);
            }
            return;
        case StepResponse::Patience:
            LosePatience(p, typ);
            return;
        default:
            Halt(p, typ);
            return;
    }
}

}  // namespace

void RunPersonBefehl00(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    const PersonTyp& typ = PersonTypOf(*p);
    if ((p->moverFlags & kMoverPathSearch) != 0) {
        CallFindPath(*p, typ);
        return;
    }
    Befehl& order = *p->orders;
    if ((order.flags & kBefehlStarted) == 0) {
        StandMover(*p, typ);
        p->moverFlags |= kMoverSearching;
        order.flags |= kBefehlStarted;
        p->walkCount = static_cast<std::uint8_t>(Rand() % kPatienceSpread + kPatienceBase);
        CallFindPath(*p, typ);
        return;
    }
    if (!ShortcutAhead(*p, typ)) return;
    FillStepRing(*p, typ);
    WalkPersonStep(index);
}

void RunPersonBefehl01(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    if (StepTurnBefehl(*p) == TurnProgress::Turned)
        PushPersonTrail(*p, p->x, p->y, static_cast<std::uint8_t>(p->direction));
}

void RunPersonBefehl02(std::int16_t index) {
    if (Person* p = RunningPerson(index)) CallFindPath(*p, PersonTypOf(*p));
}

void RunPersonBefehl03(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    const PersonTyp& typ = PersonTypOf(*p);
    p->speed = WalkSpeed(*p);
    const StraightStep step = StepStraightBefehl(*p, typ, kWalkMode, false);
    switch (step.progress) {
        case StraightProgress::GaveUp:
            return;
        case StraightProgress::Arrived:
            PopBefehl(*p);
            if (p->orders == nullptr ||
                (p->orders->opcode != kOpMove && p->orders->opcode != kOpGoals &&
                 p->orders->opcode != kOpMoveBackwards && p->orders->opcode != kOpGaffer))
                StandMover(*p, typ);
            StopPlanning(*p);
            return;
        case StraightProgress::Moved:
            ShowMoverAnim(*p, typ, kAnimWalk);
            PushPersonTrail(*p, p->x, p->y, static_cast<std::uint8_t>(p->direction));
            return;
        case StraightProgress::Blocked:
            break;
    }
    StandMover(*p, typ);
    const Blocker& b = step.blocker;
    const bool unit = b.group == BlockerGroup::Fahrzeug || b.group == BlockerGroup::Person;
    if (unit && b.motion != kBlockerStanding) {
        WaitMover(*p);
    } else if (unit || b.hit.kind == kHitSonderObj || b.hit.kind == kHitMapCell) {
        DropDoneMoveBefehle(*p);
        RunBefehlCallback(*p, index);
        if (p->type != -1 && p->orders != nullptr) CallFindPath(*p, typ);
    } else if (b.group == BlockerGroup::Zone) {
        WaitMover(*p);
    }
}

void WalkPersonStep(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    const PersonTyp& typ = PersonTypOf(*p);
    p->moverFlags |= kMoverSearching;
    p->speed = WalkSpeed(*p);
    if (EndsHere(*p, typ)) return;
    // A person that cannot step (a lying type) keeps its order: only vehicles give up.
    if (!WaypointStraightAhead(*p) && DropTurnedAwayMove(*p)) return;
    const PointF waypoint = WaypointOf(*p->orders);
    const PointF from{p->x, p->y};
    TakeRingStep(*p, typ);
    const std::uint16_t mode = IsOnlooker(*p) ? kOnlookerWalkMode : kWalkMode;
    const StepBlock block = LookAheadForBlocker(*p, typ, typ.shortcutBackSteps, mode, kWalkRules,
                                                WalkPartner(*p), waypoint);
    if (block.ahead < 0) {
        ShowMoverAnim(*p, typ, kAnimWalk);
        AdvanceStepRingRead(*p);
        PushPersonTrail(*p, p->x, p->y, static_cast<std::uint8_t>(p->direction));
        return;
    }
    Respond(index, *p, typ, block, from, mode);
}

std::uint8_t GetPersonTargetDirection(std::int16_t index) {
    const Person* p = UsedPersonAt(index);
    if (p == nullptr) return 0;
    const auto own = static_cast<std::uint8_t>(p->direction);
    const ZFWeg* path = ZFWegAt(FindNearestZFWeg(*p));
    if (path == nullptr) return own;
    const auto sx = static_cast<float>(path->startX);
    const auto sy = static_cast<float>(path->startY);
    if (StandsOn(*p, {sx, sy})) return own;
    return ClassifyDirection(p->x, p->y, sx, sy, own);
}

}  // namespace kv
