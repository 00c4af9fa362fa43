#include "persons/person_evade.h"

#include <cmath>

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/move_step.h"
#include "movement/stepping.h"
#include "persons/personen.h"
#include "world/geometry.h"

namespace kv {

namespace {

// A push of kind 0 holds its direction for this many steps.
constexpr std::int16_t kHoldSteps = 10;
// Past this the x part of the sum no longer grows.
constexpr float kSumLimit = 10000000.0f;
// How far beside the pushed direction a step is tried, for a named source and for kind 0.
constexpr int kSourceReach = 6;
constexpr int kHeatReach = 4;
constexpr std::uint8_t kStepMode = 1;

// The order of the tries: 0, 1, -1, 2, -2, ...
int TryOffset(int k) {
    return (k % 2 == 1) ? (k + 1) / 2 : -(k / 2);
}

// Whether the person may stand at (x, y) facing dir: a footprint off the map is no place to step
// to. A controlled person in the way that carries nothing is pushed away from there.
bool EvadeStepFree(Person& p, const PersonTyp& typ, float x, float y, std::uint8_t dir) {
    if (!FootprintOnMap(typ, x, y, dir, kAnimWalk)) return false;
    CollisionHit hit;
    if (TestCollision(0, p, typ, x, y, dir, p.storey, kAnimWalk, &hit) == 0) return true;
    if (hit.kind == kHitPerson) {
        const Person* other = UsedPersonAt(hit.index1);
        if (other != nullptr && (other->controlFlags & kPersonController) != 0 &&
            other->link == kNoLink)
            SetPersonEvade(static_cast<std::int16_t>(hit.index1), x, y, kVehiclePushStrength,
                           kPushTicks, 0, -1);
    }
    return false;
}

// The direction to step in: the vector's, or the one held from the pushes before.
std::uint8_t EvadeDirection(Person& p) {
    std::uint8_t d0 =
        VectorToDirection12(p.evadeX, p.evadeY, static_cast<std::uint8_t>(p.direction));
    if (p.evadeKind == 0) {
        p.evadeSource = static_cast<std::int16_t>(p.evadeSource - 1);
        if (p.evadeSource >= 0) {
            if (p.evadeLastDir == kEvadeNewSource)
                p.evadeDir = d0;
            else if (p.evadeDir < kDirectionCount)
                d0 = p.evadeDir;
        }
    } else if (p.evadeSource != -1) {
        if (p.evadeDir != d0)
            p.evadeDir = d0;
        else if (p.evadeLastDir < kDirectionCount)
            d0 = p.evadeLastDir;
    }
    return d0;
}

}  // namespace

void ResetPersonEvade(Person& person) {
    person.evadeTicks = 0;
    person.evadeX = 0;
    person.evadeY = 0;
    person.evadeReset = 1;
}

PersonEvadeWatch PersonEvadeWatcher;

void SetPersonEvade(std::int16_t person, float x, float y, std::int32_t strength, std::int8_t ticks,
                    std::uint8_t kind, std::int16_t id) {
    if (PersonEvadeWatcher.set != nullptr) {
        PersonEvadeWatcher.set(person, x, y, strength, ticks, kind, id);
        return;
    }
    Person* p = UsedPersonAt(person);
    if (p == nullptr || strength < 0) return;
    // The impulses of one tick add up; the first of a new tick starts a new sum.
    if (p->evadeReset != 0) {
        p->evadeX = 0;
        p->evadeY = 0;
        p->evadeReset = 0;
    }
    if (ticks > p->evadeTicks) p->evadeTicks = static_cast<std::uint8_t>(ticks);
    const double dx = static_cast<double>(p->x) - x;
    const double dy = static_cast<double>(p->y) - y;
    if (dx == 0 && dy == 0) return;
    if (kind != 0) {
        if (kind != p->evadeKind || id != p->evadeSource) p->evadeLastDir = kEvadeNewSource;
        p->evadeKind = kind;
        p->evadeSource = id;
    } else if (p->evadeKind != 0 || p->evadeSource < 0) {
        p->evadeLastDir = kEvadeNewSource;
        p->evadeKind = 0;
        p->evadeSource = kHoldSteps;
    }
    const double length = std::sqrt(dx * dx + dy * dy);
    const auto ux = static_cast<float>(dx / length * strength);
    const auto uy = static_cast<float>(dy / length * strength);
    if (strength == kVehiclePushStrength) {
        p->evadeX = ux;
        p->evadeY = uy;
        return;
    }
    // Signed, as the sum has always been compared: a large push to the left keeps adding.
    if (p->evadeX < kSumLimit && p->evadeY < kSumLimit) p->evadeX += ux;
    p->evadeY += uy;
}

bool IsPersonEvadeIdle(std::int16_t person) {
    const Person* p = PersonAt(person);
    return p == nullptr || (std::fabs(p->evadeX) < 0.5f && std::fabs(p->evadeY) < 0.5f);
}

void StepPersonEvade(std::int16_t index) {
    Person* person = UsedPersonAt(index);
    if (person == nullptr) return;
    Person& p = *person;
    if (p.orders != nullptr && p.orders->opcode == kOpWait && p.orders->aInt() >= 1) return;
    const PersonTyp& typ = PersonTypOf(p);
    const std::uint8_t d0 = EvadeDirection(p);
    if (p.orders != nullptr) ClearBefehle(p);
    p.moverFlags |= kMoverSearching;
    p.speed = typ.speed;
    ShowMoverAnim(p, typ, kAnimWalk);

    const int reach = p.evadeKind != 0 ? kSourceReach : kHeatReach;
    const bool firstTryOnly = p.evadeSource != -1;
    bool moved = false;
    for (int k = 0; k <= 2 * reach && !moved; ++k) {
        const std::uint8_t dir = WrapDirection(d0 + TryOffset(k));
        float x = p.x;
        float y = p.y;
        StepMoverFree(p, typ, x, y, dir, kAnimWalk, kStepMode);
        if (EvadeStepFree(p, typ, x, y, dir)) {
            p.x = x;
            p.y = y;
            p.direction = static_cast<std::int8_t>(dir);
            p.evadeLastDir = dir;
            moved = true;
        } else if (firstTryOnly) {
            break;
        }
    }
    if (!moved) {
        StandMover(p, typ);
        p.moverFlags &= static_cast<std::uint8_t>(~kMoverSearching);
    }
    UpdatePersonDrawPos(p);
}

void CountPersonEvade(std::int16_t person) {
    Person* p = UsedPersonAt(person);
    if (p == nullptr) return;
    p->evadeReset = 1;
    if (p->evadeTicks == 0) return;
    if (--p->evadeTicks == 0) {
        p->evadeX = 0;
        p->evadeY = 0;
    }
}

std::uint8_t DirectionFromUpward(float x, float y, float up, std::uint8_t current) {
    if (x == 0 && y == 0) return WrapDirection(current);
    const float a = AngleBetween(x, y, 0, up);
    float angle = x <= 0 ? 375 - a : a + 15;
    if (angle >= 360) angle -= 360;
    return WrapDirection(static_cast<int>(angle / 30));
}

}  // namespace kv
