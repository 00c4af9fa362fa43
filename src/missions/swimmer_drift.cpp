#include "missions/swimmer_drift.h"

#include <algorithm>

#include "core/mission_state.h"
#include "core/random.h"
#include "movement/collision.h"
#include "persons/person.h"
#include "persons/personen.h"
#include "world/geometry.h"

namespace kv {

namespace {

constexpr std::uint32_t kDriftEvery = 5;
constexpr std::int16_t kDriftReach = 3;

// A coin toss: an even draw moves one way, an odd one the other, within the reach.
std::int16_t Nudged(std::int16_t offset) {
    const int step = Rand() % 2 == 0 ? 1 : -1;
    return static_cast<std::int16_t>(std::clamp(offset + step, -kDriftReach + 0, kDriftReach + 0));
}

}  // namespace

void DriftSwimmer(std::int16_t person, std::uint16_t collisionMode) {
    Person* p = UsedPersonAt(person);
    if (p == nullptr || (p->controlFlags & kPersonInDistress) == 0 || p->anim != kAnimHoldingRing ||
        p->present == 0 || p->offMap != 0)
        return;
    p->idleStand = 0;
    DeadlinePlan* plan = p->attachment.plan();
    if (plan == nullptr || TickCounter % kDriftEvery != 0) return;
    const auto stayX = static_cast<std::int16_t>(TruncInt(p->x));
    const auto stayY = static_cast<std::int16_t>(TruncInt(p->y));
    SetPlanScriptWord(*plan, PlanWord::FallbackX, stayX);
    SetPlanScriptWord(*plan, PlanWord::FallbackY, stayY);
    std::int16_t dx = PlanScriptWord(*plan, PlanWord::DriftDx);
    std::int16_t dy = PlanScriptWord(*plan, PlanWord::DriftDy);
    p->x -= static_cast<float>(dx);
    p->y -= static_cast<float>(dy);
    dy = Nudged(dy);
    dx = Nudged(dx);
    SetPlanScriptWord(*plan, PlanWord::DriftDx, dx);
    SetPlanScriptWord(*plan, PlanWord::DriftDy, dy);
    p->x += static_cast<float>(dx);
    p->y += static_cast<float>(dy);
    if (TestCollision(collisionMode, *p, PersonTypOf(*p), p->x, p->y,
                      static_cast<std::uint8_t>(p->direction), p->storey,
                      static_cast<std::uint8_t>(p->anim), nullptr) == 0) {
        p->x = static_cast<float>(stayX);
        p->y = static_cast<float>(stayY);
    }
    UpdatePersonDrawPos(*p);
}

}  // namespace kv
