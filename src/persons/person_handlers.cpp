#include "persons/person_handlers.h"

#include "core/befehl_callbacks.h"
#include "media/speech.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/shared_befehle.h"
#include "movement/stepping.h"
#include "persons/person_befehle.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/geometry.h"

namespace kv {

namespace {

// A follower this close makes its target stand and wait for it that long.
constexpr float kFollowNear = 50.0f;
constexpr std::int32_t kFollowWait = 100;

// Steps of a straight walk after its first one.
constexpr std::int32_t kStraightSteps = 10;
// The straight walk's steps take full speed where the terrain gives none.
constexpr std::uint8_t kStepMode = 1;

// The unit a follow order names and its own type record, if it may still be followed.
struct FollowedUnit {
    UnitHead* unit = nullptr;
    const UnitTypHead* typ = nullptr;
};
FollowedUnit QualifiedTarget(const Person& follower, std::int16_t kind, std::uint16_t index) {
    if (kind == kFollowFahrzeug) {
        const TypedFahrzeug v = TypedFahrzeugAt(index);
        if (v.unit == nullptr || v.unit->present == 0 || v.unit->storey != follower.storey)
            return {};
        return {v.unit, v.typ};
    }
    Person* t = FollowablePerson(index, follower.storey, true);
    if (t == nullptr) return {};
    return {t, &PersonTypOf(*t)};
}

// Orders laid from a callback are not acknowledged.
void CallFollowCallback(std::int32_t slot, std::int16_t follower, std::uint16_t target) {
    const BefehlCallback callback = CallbackAt(slot);
    if (callback == nullptr) return;
    DisableUnitSpeech();
    callback(follower, target);
    EnableUnitSpeech();
}

void KeepWalking(std::int16_t index, Person& p) {
    if (p.anim != kAnimWalk) SetPersonAnim(index, kAnimWalk);
    p.moverFlags |= kMoverSearching;
}

void EndWalk(std::int16_t index, Person& p, bool stand) {
    if (stand && p.anim != kAnimStand) SetPersonAnim(index, kAnimStand);
    PopBefehl(p);
    p.moverFlags &= static_cast<std::uint8_t>(~kMoverSearching);
    ResetMoveTarget(p);
}

}  // namespace

void FollowTarget(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    // The target's new orders or the callback may replace this queue: the words are read first.
    const std::uint32_t aimed = p->orders->a;
    const std::int32_t slot = p->orders->bInt();
    const std::int16_t kind = LowHalf(p->orders->c);
    const auto target = static_cast<std::uint16_t>(p->orders->c >> 16);

    const bool followable = kind == kFollowFahrzeug ||
                            (kind == kFollowPerson && target != static_cast<std::uint16_t>(index));
    if (!followable) {
        // Nothing lays another kind, and a person cannot follow itself: the order is dropped.
        PopBefehl(*p);
    } else {
        const FollowedUnit t = QualifiedTarget(*p, kind, target);
        if (t.unit == nullptr) {
            ClearBefehle(*p);
            return;
        }
        const auto tx = static_cast<std::uint16_t>(static_cast<std::int32_t>(t.unit->x));
        const auto ty = static_cast<std::uint16_t>(static_cast<std::int32_t>(t.unit->y));
        if (tx == (aimed & 0xFFFF) && ty == (aimed >> 16)) {
            PopBefehl(*p);
        } else {
            if (DistanceFloat(p->x, p->y, t.unit->x, t.unit->y) < kFollowNear)
                SetBefehl(*t.unit, *t.typ, kOpWait, -1, kFollowWait, 1, 0, 0, 0);
            CallFollowCallback(slot, index, target);
            if (p->type == -1) return;
        }
    }
    ResetMoveTarget(*p);
    RunPersonBefehlAgain(index);
}

void WaitPerson(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    if (p->anim != kAnimStand) SetPersonAnim(index, kAnimStand);
    Befehl& order = *p->orders;
    // a - 1 < 1, without passing the smallest value.
    if (order.aInt() < 2) {
        PopBefehl(*p);
        return;
    }
    order.setA(order.aInt() - 1);
}

void WalkPersonStraight(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    const PersonTyp& typ = PersonTypOf(*p);
    Befehl& order = *p->orders;
    const std::int32_t steps = order.aInt();
    const auto anim = static_cast<std::uint8_t>(p->anim);

    if (steps == 0) {
        if (!TakeFirstFreeStep(*p, typ, anim, kStepMode)) {
            EndWalk(index, *p, false);
            return;
        }
        order.setA(1);
        KeepWalking(index, *p);
        return;
    }
    if (!StepUnitIfFree(*p, typ, WrapDirection(p->direction), anim, kStepMode)) {
        EndWalk(index, *p, true);
        return;
    }
    KeepWalking(index, *p);
    if (steps >= kStraightSteps) {
        EndWalk(index, *p, true);
        return;
    }
    order.setA(steps + 1);
}

void PlanPersonPath(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    ShortenPlannedPath(*p, PersonTypOf(*p));
    RunPersonBefehlAgain(index);
}

void PlacePersonIfFree(std::int16_t index) {
    if (Person* p = RunningPerson(index)) PlaceUnitIfFree(*p, PersonTypOf(*p));
}

}  // namespace kv
