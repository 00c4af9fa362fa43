#include "vehicles/shark_befehle.h"

#include <array>
#include <optional>

#include "core/mission_hooks.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"

namespace kv {

namespace {

constexpr std::int8_t kAnimIdle = 0;
constexpr std::int8_t kAnimAttack = 2;
constexpr std::int32_t kWaitAfterAttack = 50;
constexpr float kSwimOffX = -100.0f;
constexpr float kSwimOffY = 200.0f;
constexpr std::uint16_t kSharkAttacked = 2;

// A chaser this close lets its quarry go; it then drives off the top edge and waits there.
constexpr std::int32_t kChaseNear = 100;
constexpr std::int32_t kOffTopY = -100;
constexpr std::int32_t kQuarryWaitSteps = 60;
constexpr std::int32_t kQuarryWaitStep = 20;
constexpr std::int32_t kQuarryWaitBase = 1200;

// The four points round a person in the water, one per facing the shark takes there, all worked
// out from where the person is now.
struct CirclePoint {
    float x;
    float y;
    std::uint8_t facing;
};
std::optional<std::array<CirclePoint, 4>> CirclePoints(const Person& p) {
    const FahrzeugTyp* shark = FahrzeugTypAt(kTypHAI);
    if (shark == nullptr) return std::nullopt;
    const AnimSlot& slot = UnitAnimSlot(PersonTypOf(p), p.direction, p.anim);
    const std::int32_t halfW = (shark->extent[2] - shark->extent[0]) >> 1;
    const std::int32_t halfH = (shark->extent[3] - shark->extent[1]) >> 1;
    const std::int32_t k = slot.box[1] - halfH - 1;
    const float side = static_cast<float>(k * 4 / 11);
    const float above = static_cast<float>(p.drawY + k);
    return std::array<CirclePoint, 4>{{
        {p.x - side, above, 7},
        {static_cast<float>(p.drawX + slot.box[0] - halfW - 2), p.y, 3},
        {p.x + side, above, 5},
        {static_cast<float>(p.drawX + slot.box[2] + halfW + 2), p.y, 9},
    }};
}

// The person the shark may attack: in the world, and in distress with a plan that sets when it
// is lost.
Person* AttackablePerson(std::int32_t index) {
    Person* p = UsedPersonAt(index);
    if (p == nullptr || p->offMap != 0 || p->present == 0) return nullptr;
    if ((p->controlFlags & kPersonInDistress) == 0 || p->attachment.plan() == nullptr)
        return nullptr;
    return p;
}

}  // namespace

void RunFahrzeugBefehl80(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    PopBefehl(*v);
    std::int16_t person = -1;
    if (auto hook = OptionalMissionHook(MissionNummer, &MissionHooks::FindPersonInWater))
        person = hook();
    const Person* p = UsedPersonAt(person);
    if (p == nullptr) return;
    const auto points = CirclePoints(*p);
    if (!points) return;
    GoalList goals;
    for (const CirclePoint& c : *points) goals.push_back({c.x, c.y, c.facing, 0});
    SetBefehl(*v, FahrzeugTypOf(*v), kOpGoals, -1, std::move(goals), 0, 0, 0);
    AppendBefehl(*v, kOpAttack, person, 0, 0, 0, 1);
}

void RunFahrzeugBefehl81(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    Befehl& order = *v->orders;
    if (FirstBefehlTick(order)) {
        Person* p = AttackablePerson(order.aInt());
        const auto points = p != nullptr ? CirclePoints(*p) : std::nullopt;
        bool onPoint = false;
        if (points)
            for (const CirclePoint& c : *points)
                if (c.facing == v->direction) onPoint = v->x == c.x && v->y == c.y;
        if (!onPoint) {
            PopBefehl(*v);
            return;
        }
        // The person update ends a person whose deadline has passed: from now on only the
        // player's chase can save it.
        if (DeadlinePlan* plan = p->attachment.plan())
            plan->deadline = static_cast<std::int16_t>(TickCounter / 20);
        SetFahrzeugAnim(index, kAnimAttack);
        return;
    }
    const AnimSlot& slot = FahrzeugAnim(*v);
    if (slot.frames == 0 || v->frame != slot.frames - 1) return;
    SetFahrzeugAnim(index, kAnimIdle);
    SetBefehl(*v, FahrzeugTypOf(*v), kOpWait, -1, kWaitAfterAttack, 0, 0, 0, 0);
    AppendMoveBefehl(*v, kOpMove, kSwimOffX, kSwimOffY, 0, 0, 1);
    SharkStateM30 = kSharkAttacked;
}

void RunFahrzeugBefehl82(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const std::int32_t quarry = v->orders->aInt();
    Fahrzeug* t = quarry != index ? UsedFahrzeugAt(quarry) : nullptr;
    if (t == nullptr) {
        ClearBefehle(*v);
        return;
    }
    const auto x = static_cast<std::int16_t>(v->x);
    const auto y = static_cast<std::int16_t>(v->y);
    const auto tx = static_cast<std::int16_t>(t->x);
    const auto ty = static_cast<std::int16_t>(t->y);
    if (DistanceInt(x, y, tx, ty) > kChaseNear) {
        // Half way there (truncated toward zero), then think again.
        const std::int32_t midX = x - (x - tx) / 2;
        const std::int32_t midY = y - (y - ty) / 2;
        SetBefehl(*v, FahrzeugTypOf(*v), kOpMove, -1, midX, midY, 0, 0, 0);
        AppendBefehl(*v, kOpChase, quarry, 0, 0, 0, 1);
        return;
    }
    ClearBefehle(*v);
    SetBefehl(*t, FahrzeugTypOf(*t), kOpMove, -1, tx, kOffTopY, 0, 0, 0);
    AppendBefehl(*t, kOpWait, (Rand() % kQuarryWaitSteps) * kQuarryWaitStep + kQuarryWaitBase, 0, 0,
                 0, 1);
}

}  // namespace kv
