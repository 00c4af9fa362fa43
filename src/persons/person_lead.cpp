#include "persons/person_lead.h"

#include <array>

#include "core/mission_state.h"
#include "core/selection.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/move_step.h"
#include "movement/stepping.h"
#include "persons/person_link.h"
#include "persons/personen.h"

namespace kv {

namespace {

constexpr int kBeside = 11;  // px between a leader and the person it takes along
constexpr float kReleaseGap = 12.0f;
constexpr std::int32_t kReleaseWait = 1000;

// The forms a person takes while led, and the controller it gets back when let go.
struct LedForm {
    std::int8_t own;
    std::int8_t led;
    std::uint8_t controlOnRelease;
};
constexpr std::array<LedForm, 3> kLedForms = {{
    {32, 33, 4},
    {41, 42, 16},
    {43, 44, 16},
}};

// The person a order names besides the unit itself.
Person* OtherPerson(std::int16_t index, std::int32_t a) {
    return a != index ? UsedPersonAt(a) : nullptr;
}

int Trunc(float v) {
    return static_cast<int>(v);
}

// Whether the leader stands 11 px from the person on the side its facing looks at the person from.
bool StandsBeside(const Person& leader, const Person& p) {
    const int lx = Trunc(leader.x);
    const int ly = Trunc(leader.y);
    const int px = Trunc(p.x);
    const int py = Trunc(p.y);
    switch (leader.direction) {
        case 0:
            return lx == px && ly == py + kBeside;
        case 3:
            return lx == px - kBeside && ly == py;
        case 6:
            return lx == px && ly == py - kBeside;
        case 9:
            return lx == px + kBeside && ly == py;
        default:
            return false;
    }
}

}  // namespace

// The led person's trail runs from where the leader stands to the led person, a step of the leader
// at a time, so that the leader has a way to follow at once. At most the trail's length, and only
// while the steps get anywhere.
void FillLeadTrail(const Person& leader, Person& p) {
    const PersonTyp& typ = PersonTypOf(leader);
    const auto dir = static_cast<std::uint8_t>(leader.direction);
    const auto px = static_cast<std::int16_t>(Trunc(p.x));
    const auto py = static_cast<std::int16_t>(Trunc(p.y));
    float x = leader.x;
    float y = leader.y;
    for (int n = 0; n < kPersonTrailEntries; ++n) {
        PushPersonTrail(p, x, y, dir);
        if (static_cast<std::int16_t>(Trunc(x)) == px && static_cast<std::int16_t>(Trunc(y)) == py)
            return;
        const float lastX = x;
        const float lastY = y;
        StepMover(leader, typ, x, y, leader.direction, static_cast<std::uint8_t>(leader.anim), p.x,
                  p.y, 1);
        if (x == lastX && y == lastY) return;
    }
}

namespace {

bool FreeFor(const Person& leader, float x, float y) {
    return TestCollision(0, leader, PersonTypOf(leader), x, y,
                         static_cast<std::uint8_t>(leader.direction), leader.storey,
                         static_cast<std::uint8_t>(leader.anim), nullptr) == 0;
}

// Where the leader goes when it lets go: where it stands if that is free, else the first free spot
// around the led person. False when none is.
bool PlaceReleasingLeader(Person& leader, const Person& p) {
    if (FreeFor(leader, leader.x, leader.y)) return true;
    const std::array<PointF, 4> spots = {{{p.x, p.y - kReleaseGap},
                                          {p.x, p.y + kReleaseGap},
                                          {p.x - kReleaseGap, p.y},
                                          {p.x + kReleaseGap, p.y}}};
    for (const PointF& s : spots) {
        if (!FootprintOnMap(PersonTypOf(leader), s.x, s.y,
                            static_cast<std::uint8_t>(leader.direction),
                            static_cast<std::uint8_t>(leader.anim)) ||
            !FreeFor(leader, s.x, s.y))
            continue;
        leader.x = s.x;
        leader.y = s.y;
        return true;
    }
    return false;
}

// Whoever of the pair is selected, the other is selected with it.
void ShareSelection(std::int16_t leaderIndex, Person& leader, std::int16_t ledIndex, Person& p,
                    std::int8_t ledTypeBefore) {
    if (SelectionMode == kPersonSelected + ledTypeBefore &&
        SelectedIndex == static_cast<std::uint16_t>(ledIndex)) {
        SelectionMode = static_cast<std::uint16_t>(kPersonSelected + leader.type);
        SelectedIndex = static_cast<std::uint16_t>(leaderIndex);
    }
    const bool leaderSelected = leader.selected != 0;
    const bool ledSelected = p.selected != 0;
    if (leaderSelected) p.selected = 1;
    if (ledSelected) leader.selected = 1;
}

}  // namespace

Person* LeaderOf(const Person& led) {
    if ((led.moverFlags & kMoverLed) == 0) return nullptr;
    return LinkedPartner(led.link);
}

Person* LedBy(const Person& leader) {
    const PersonLink link = DecodePersonLink(leader.link);
    return link.kind == PersonLinkKind::Leads ? UsedPersonAt(link.index) : nullptr;
}

std::int32_t WalkPartner(const Person& person) {
    if (LeaderOf(person) != nullptr) return person.link;
    if (LedBy(person) != nullptr) return DecodePersonLink(person.link).index;
    return -1;
}

OrderRedirect FollowTrailRedirect(const Person& person) {
    if (person.orders == nullptr || person.orders->opcode != kOpFollowTrail) return {};
    return {true, UsedPersonAt(person.orders->aInt())};
}

void RunPersonBefehl160(std::int16_t index) {
    Person* u = RunningPerson(index);
    if (u == nullptr) return;
    const std::int32_t a = u->orders->aInt();
    Person* t = OtherPerson(index, a);
    if (t == nullptr) {
        PopBefehl(*u);
        return;
    }
    u->moverFlags = static_cast<std::uint8_t>((u->moverFlags & ~kMoverSearching) |
                                              (t->moverFlags & kMoverSearching));
    const PersonTrail& trail = t->trail;
    if (trail.trailWrite >= kPersonTrailEntries) return;
    const PersonTyp& typ = PersonTypOf(*u);
    for (int k = 1; k < kPersonTrailEntries; ++k) {
        const int i = (trail.trailWrite - k + kPersonTrailEntries) % kPersonTrailEntries;
        if (i >= trail.trailWrite && trail.trailWrapped == 0) return;
        const MoveStep& step = trail.trail[static_cast<std::size_t>(i)];
        CollisionHit hit;
        const bool blocked = TestCollision(0, *u, typ, step.x, step.y, step.direction, u->storey,
                                           static_cast<std::uint8_t>(u->anim), &hit) != 0;
        if (blocked && hit.kind == kHitPerson && hit.index1 == static_cast<std::uint16_t>(a))
            continue;
        if (StandsOn(*u, {step.x, step.y})) {
            if ((t->moverFlags & kMoverSearching) == 0) StandMover(*u, typ);
        } else {
            ShowMoverAnim(*u, typ, kAnimWalk);
        }
        u->x = step.x;
        u->y = step.y;
        u->direction = static_cast<std::int8_t>(step.direction);
        return;
    }
}

void RunPersonBefehl161(std::int16_t index) {
    Person* l = RunningPerson(index);
    if (l == nullptr) return;
    const std::int32_t a = l->orders->aInt();
    Person* p = OtherPerson(index, a);
    if (p == nullptr) {
        PopBefehl(*l);
        return;
    }
    if (!StandsBeside(*l, *p) || p->link != kNoLink) {
        ClearBefehle(*l);
        return;
    }
    const std::int8_t typeBefore = p->type;
    for (const LedForm& f : kLedForms) {
        if (p->type != f.own) continue;
        p->type = f.led;
        p->controlFlags = kPersonController;
    }
    const auto led = static_cast<std::int16_t>(a);
    StandMover(*p, PersonTypOf(*p));
    p->direction = l->direction;
    p->link = static_cast<std::uint16_t>(index);
    p->speed = l->speed;
    p->moverFlags |= kMoverLed;
    UpdatePersonDrawPos(*p);
    ResetPersonTrail(*p);
    l->link = static_cast<std::uint16_t>(kLeadsLinkBase + led);
    ShareSelection(index, *l, led, *p, typeBefore);
    FillLeadTrail(*l, *p);
    ClearBefehle(*p);
    SetBefehl(*l, PersonTypOf(*l), kOpFollowTrail, -1, led, 0, 0, 0, 0);
}

void ReleaseLedPerson(std::int16_t led, std::int16_t leader, std::uint8_t place) {
    Person* p = UsedPersonAt(led);
    Person* l = UsedPersonAt(leader);
    // Only a pair that takes along: each names the other.
    if (p == nullptr || l == nullptr || LeaderOf(*p) != l || LedBy(*l) != p) return;
    // The pair is parted first: with no room for the leader it stands where it is, but neither
    // is tied to the other any longer, so both can be taken along or lead again.
    p->link = kNoLink;
    p->moverFlags &= static_cast<std::uint8_t>(~kMoverLed);
    p->speed = PersonTypOf(*p).speed;
    l->link = kNoLink;
    l->moverFlags &= static_cast<std::uint8_t>(~kMoverSearching);
    if (place != 0 && !PlaceReleasingLeader(*l, *p)) return;
    ClearBefehle(*l);
    for (const LedForm& f : kLedForms) {
        if (p->type != f.led) continue;
        p->type = f.own;
        p->controlFlags |= f.controlOnRelease;
    }
    SetBefehl(*p, PersonTypOf(*p), kOpWait, -1, kReleaseWait, 0, 0, 0, 0);
    StandMover(*p, PersonTypOf(*p));
    UpdatePersonDrawPos(*p);
    StandMover(*l, PersonTypOf(*l));
    UpdatePersonDrawPos(*l);
    p->selected = 0;
    UpdateSelectionMode();
}

}  // namespace kv
