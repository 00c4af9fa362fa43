#include "vehicles/traffic_befehle.h"

#include <optional>
#include <utility>

#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/move_step.h"
#include "movement/stepping.h"
#include "persons/person_types.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_moves.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

namespace {

constexpr int kLookStride = 3;
constexpr std::int32_t kTrafficWait = 20;
constexpr std::int32_t kTurnStraightSteps = 5;
// A civilian sitting in the lane within this distance, facing the car, sends it back.
constexpr float kTurnBackReach = 130.0f;
constexpr std::int8_t kSittingAnim = 5;

bool Faces(const Fahrzeug& v, float x, float y) {
    return GetDirection12(v, v.x, v.y, x, y) == static_cast<std::uint8_t>(v.direction);
}

void PushWait(Fahrzeug& v) {
    PushBefehl(v, kOpWait, kTrafficWait, 0, 0, 0, 1);
}

// A turn on the spot towards the point, after going straight a few steps once it faces across.
void PushTurnToward(Fahrzeug& v, float x, float y) {
    PushTurnBefehl(v, kOpTurnToward, x, y, kTurnStraightSteps, v.direction, 1);
}

// A standing car or person in the way: in the very next step the car turns to face its target
// when it does not, else it waits; further ahead it waits.
void StandingInTheWay(Fahrzeug& v, int ahead, float tx, float ty) {
    if (ahead == 0) {
        ResetMoveTarget(v);
        if (!Faces(v, tx, ty)) {
            PushTurnToward(v, tx, ty);
            return;
        }
    }
    PushWait(v);
}

// A civilian sitting in the lane and facing the car, near it, while the car faces its target:
// the car's lane is blocked, it turns back to its turn-back point.
bool TurnsBack(Fahrzeug& v, const UnitHead& person) {
    Befehl& order = *v.orders;
    if (person.type != kPersonTypCivilian || person.anim != kSittingAnim ||
        DirectionGap(person.direction + 6, v.direction) > 1 ||
        !Faces(v, order.aFloat(), order.bFloat()) ||
        !(DistanceFloat(v.x, v.y, person.x, person.y) < kTurnBackReach))
        return false;
    std::swap(order.a, order.c);
    std::swap(order.b, order.d);
    PushTurnToward(v, order.aFloat(), order.bFloat());
    return true;
}

void Respond(Fahrzeug& v, const FahrzeugTyp& typ, int ahead, const CollisionHit& hit,
             std::uint16_t mode) {
    const Blocker b = ClassifyBlocker(v, hit, -1, true);
    const float tx = v.orders->aFloat();
    const float ty = v.orders->bFloat();
    // Kept on purpose: a car steps back before every answer, so cars queue a step apart and
    // never overlap in a jam.
    RestoreMoverPos(v);
    StandMover(v, typ);
    switch (b.group) {
        case BlockerGroup::Fahrzeug:
            if (b.motion == kBlockerStanding) {
                StandingInTheWay(v, ahead, tx, ty);
                return;
            }
            if (b.motion == kBlockerAheadFast) {
                // A slower car ahead in the lane: drive on behind it at its pace.
                if (MatchBlockerSpeed(v, typ, *b.unit, mode)) {
                    ShowMoverAnim(v, typ, kFahrzeugAnimDriving);
                    return;
                }
            } else if (HeadBefehlOpcode(*b.unit) == kOpTurnToward) {
                PushWait(v);
            }
            WaitMover(v);
            return;
        case BlockerGroup::Person:
            if (b.motion != kBlockerStanding) {
                WaitMover(v);
                return;
            }
            if (!TurnsBack(v, *b.unit)) StandingInTheWay(v, ahead, tx, ty);
            return;
        case BlockerGroup::Evader:
            if (ahead == 0)
                TellPersonToEvade(v, typ, hit.index1);
            else
                WaitMover(v);
            return;
        case BlockerGroup::Obstacle:
            PushWait(v);
            return;
        case BlockerGroup::Zone:
            WaitMover(v);
            return;
    }
}

bool FreeAt(const Fahrzeug& v, const FahrzeugTyp& typ, float x, float y, std::uint8_t direction,
            CollisionHit& hit) {
    return TestCollision(0, v, typ, x, y, direction, v.storey, static_cast<std::uint8_t>(v.anim),
                         &hit) == 0;
}

}  // namespace

void RunFahrzeugBefehl47(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    FillStepRing(*v, FahrzeugTypOf(*v));
    RunFahrzeugBefehl47Body(index);
}

void RunFahrzeugBefehl47Body(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const FahrzeugTyp& typ = FahrzeugTypOf(*v);
    v->moverFlags |= kMoverSearching;
    v->speed = typ.speed;
    const PointF target{v->orders->aFloat(), v->orders->bFloat()};
    if (StandsOn(*v, target)) {
        PopBefehl(*v);
        StandMover(*v, typ);
        StopPlanning(*v);
        return;
    }
    TakeRingStep(*v, typ);
    const auto hook = OptionalMissionHook(MissionNummer, &MissionHooks::HandleZFCollision);
    const int count = typ.shortcutBackSteps < kMaxLookAhead ? typ.shortcutBackSteps : kMaxLookAhead;
    // Nothing moves while the steps ahead are looked at; a hook that moves things ends the look.
    std::optional<CollisionScope> scope;
    scope.emplace();
    for (int i = 0; i < count; i += kLookStride) {
        const MoveStep step = StepRingEntry(*v, v->stepRead + i);
        const std::uint16_t mode =
            ClassifyDirection(step.x, step.y, target.x, target.y, step.direction) == step.direction
                ? kCollideWideLying
                : 0;
        CollisionHit hit;
        if (TestCollision(mode, *v, typ, step.x, step.y, step.direction, v->storey,
                          static_cast<std::uint8_t>(v->anim), &hit) != 0) {
            if (hook == nullptr) {
                scope.reset();
                Respond(*v, typ, i, hit, mode);
                return;
            }
            scope.reset();
            const std::uint8_t counts =
                hook(index, hit.kind, hit.index1, static_cast<std::uint8_t>(i));
            scope.emplace();
            // The hook may have given the car other orders, or taken it off the road.
            v = RunningFahrzeug(index);
            if (v == nullptr || v->orders->opcode != kOpTraffic) return;
            if (counts != 0) {
                scope.reset();
                Respond(*v, typ, i, hit, mode);
                return;
            }
        }
        if (StepReachesWaypoint(*v, step, target)) break;
    }
    ShowMoverAnim(*v, typ, kFahrzeugAnimDriving);
    AdvanceStepRingRead(*v);
}

void RunFahrzeugBefehl56(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const FahrzeugTyp& typ = FahrzeugTypOf(*v);
    v->moverFlags |= kMoverSearching;
    v->speed = typ.speed;
    Befehl& order = *v->orders;
    const std::uint8_t facing = WrapDirection(v->direction);
    const std::uint8_t target = GetDirection12(*v, v->x, v->y, order.aFloat(), order.bFloat());
    if (target == facing) {
        PopBefehl(*v);
        return;
    }
    const std::int32_t reference = order.dInt() % kDirectionCount;
    const bool across =
        facing == WrapDirection(reference + 3) || facing == WrapDirection(reference - 3);
    const std::int32_t straight = order.cInt();
    // Straight on while crossing, else a turn step with a step in the new direction.
    const std::uint8_t heading = across && straight > 0 ? facing : TurnStep(facing, target);
    float x = v->x;
    float y = v->y;
    StepMoverFree(*v, typ, x, y, heading, static_cast<std::uint8_t>(v->anim), 1);
    CollisionHit hit;
    if (FreeAt(*v, typ, x, y, heading, hit)) {
        v->x = x;
        v->y = y;
        v->direction = static_cast<std::int8_t>(heading);
        if (heading == facing) order.setC(straight - 1);
        ShowMoverAnim(*v, typ, kFahrzeugAnimDriving);
        return;
    }
    if (ClassifyBlocker(*v, hit, -1, true).group == BlockerGroup::Evader)
        TellPersonToEvade(*v, typ, hit.index1);
    WaitMover(*v);
    StandMover(*v, typ);
}

}  // namespace kv
