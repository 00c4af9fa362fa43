#include "persons/person_handlers.h"

#include "core/befehl_callbacks.h"
#include "core/unit_views.h"
#include "media/speech.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/stepping.h"
#include "persons/person_befehle.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/geometry.h"

namespace kv {

namespace {

// A person on fire shows as this type.
constexpr std::int8_t kTypeBurning = 7;

// A follower this close makes its target stand and wait for it that long.
constexpr float kFollowNear = 50.0f;
constexpr std::int32_t kFollowWait = 100;

// Steps of a straight walk after its first one.
constexpr std::int32_t kStraightSteps = 10;
constexpr int kShortcutsPerTick = 3;
// A placed person stops turning, walking and searching: mover flag bits 0, 1 and 3 go.
constexpr std::uint8_t kPlacedKeepsFlags = 244;

std::uint8_t Mod12(int d) {
    return static_cast<std::uint8_t>(((d % kDirectionCount) + kDirectionCount) % kDirectionCount);
}

// The person of a handler; null for an index outside the array, a free slot or an empty queue.
Person* RunningPerson(std::int16_t index) {
    Person* p = PersonAt(index);
    return p != nullptr && p->type != -1 && p->orders != nullptr ? p : nullptr;
}

// The unit a follow order names and its own type record, if it may still be followed.
struct FollowedUnit {
    UnitHead* unit = nullptr;
    const UnitTypHead* typ = nullptr;
};
FollowedUnit QualifiedTarget(const Person& follower, std::int16_t kind, std::uint16_t index) {
    if (kind == kFollowFahrzeug) {
        UnitHead* v = FahrzeugUnits.at(index);
        if (v == nullptr || v->type < 0 || v->type >= kFahrzeugTypCount || v->present == 0 ||
            v->storey != follower.storey)
            return {};
        return {v, &FahrzeugTypen[static_cast<std::size_t>(v->type)]};
    }
    Person* t = PersonAt(index);
    if (t == nullptr || t->type < 0 || t->type >= kPersonTypCount || t->type == kTypeBurning ||
        t->casualty != 0 || t->offMap != 0 || t->present == 0 || t->storey != follower.storey)
        return {};
    return {t, &PersonTypOf(*t)};
}

// Orders laid from a callback are not acknowledged.
void CallFollowCallback(std::int32_t slot, std::int16_t follower, std::uint16_t target) {
    if (slot < 0 || slot >= kBefehlCallbackCount) return;
    const BefehlCallback callback = BefehlCallbacks[static_cast<std::size_t>(slot)];
    if (callback == nullptr) return;
    DisableUnitSpeech();
    callback(follower, target);
    EnableUnitSpeech();
}

// One step in a direction from where the person stands; taken when the footprint fits there.
bool StepIfFree(Person& p, const PersonTyp& typ, std::uint8_t direction) {
    const auto anim = static_cast<std::uint8_t>(p.anim);
    float x = p.x;
    float y = p.y;
    StepMoverFree(p, typ, x, y, direction, anim, 1);
    if (TestCollision(0, p, typ, x, y, direction, p.storey, anim, nullptr) != 0) return false;
    p.x = x;
    p.y = y;
    p.direction = static_cast<std::int8_t>(direction);
    return true;
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
    const std::uint8_t facing = Mod12(p->direction);

    if (steps != 0) {
        if (!StepIfFree(*p, typ, facing)) {
            EndWalk(index, *p, true);
            return;
        }
        KeepWalking(index, *p);
        if (steps >= kStraightSteps) {
            EndWalk(index, *p, true);
            return;
        }
        order.setA(steps + 1);
        return;
    }

    // The first step: from the person's direction round the circle until a step is free. The
    // sense is +1 when the aim lies counter-clockwise, which turns away from it; kept as it is.
    const std::uint8_t toward = GetDirection12(*p, p->x, p->y, p->aimX, p->aimY);
    const int sense = Mod12(facing - toward) < Mod12(toward - facing) ? 1 : -1;
    std::uint8_t trial = facing;
    do {
        if (StepIfFree(*p, typ, trial)) {
            order.setA(1);
            KeepWalking(index, *p);
            return;
        }
        trial = Mod12(trial + sense);
    } while (trial != facing);
    EndWalk(index, *p, false);
}

void PlanPersonPath(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    const PersonTyp& typ = PersonTypOf(*p);
    if (p->shortcutFirst == nullptr) StartWaypointShortcut(*p, typ);
    for (int i = 0; i < kShortcutsPerTick && p->shortcutFirst != p->shortcutLast; ++i)
        ShortcutWaypoints(*p, typ);
    PopBefehl(*p);
    p->shortcutFirst = nullptr;
    p->shortcutLast = nullptr;
    p->stepMarker = static_cast<std::uint8_t>(p->direction);
    RunPersonBefehlAgain(index);
}

void PlacePersonIfFree(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    const Befehl& order = *p->orders;
    const float x = order.aFloat();
    const float y = order.bFloat();
    // A facing outside the twelve directions keeps the person's own.
    const std::int32_t c = order.cInt();
    const std::uint8_t facing =
        c >= 0 && c < kDirectionCount ? static_cast<std::uint8_t>(c) : Mod12(p->direction);
    if (TestCollision(0, *p, PersonTypOf(*p), x, y, facing, p->storey,
                      static_cast<std::uint8_t>(p->anim), nullptr) != 0)
        return;
    p->x = x;
    p->y = y;
    p->direction = static_cast<std::int8_t>(facing);
    PopBefehl(*p);
    p->moverFlags &= kPlacedKeepsFlags;
}

}  // namespace kv
