#include "persons/person_injury.h"

#include <array>
#include <initializer_list>
#include <span>

#include "core/mission_counters.h"
#include "core/random.h"
#include "core/selection.h"
#include "media/unit_sounds.h"
#include "movement/befehl_queue.h"
#include "persons/carried_objects.h"
#include "persons/equipment.h"
#include "persons/person_houses.h"
#include "persons/person_lead.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

constexpr std::int8_t kTypeHoseHolder = 11;
constexpr std::int8_t kTypeReifenCarrier = 45;
constexpr int kScream = 39;
constexpr int kBurningScream = 38;
constexpr std::uint8_t kAnimBurning = 3;
constexpr std::uint8_t kOwnCollisionClass = 255;

using TypeList = std::array<std::int8_t, 4>;

constexpr TypeList Types(std::initializer_list<int> types) {
    TypeList list{-1, -1, -1, -1};
    std::size_t n = 0;
    for (int t : types) list[n++] = static_cast<std::int8_t>(t);
    return list;
}

// What an injury or a hit makes of a person of one type, and of the persons it stands for.
struct TypeRule {
    std::int8_t type;
    std::int8_t becomes = -1;  // -1 keeps the type
    bool showsUp = false;      // present again
    bool dropsLoad = false;    // the carried person is put down first
    bool dropsHose = false;
    TypeList split = Types({});  // one new person per type
};

// InjurePerson: carriers drop their load, equipment goes, led rivals are let go, teams split into
// casualties. Every other type keeps its own.
constexpr std::array<TypeRule, 24> kInjuryRules = {{
    {.type = 0, .becomes = 0, .showsUp = true},
    {.type = 5, .becomes = 4, .split = Types({4})},
    {.type = 6, .becomes = 1, .split = Types({1, 1})},
    {.type = 8, .becomes = 1},
    {.type = 9, .becomes = 1},
    {.type = 10, .becomes = 1},
    {.type = 13, .becomes = 1},
    {.type = 15, .becomes = 1},
    {.type = 45, .becomes = 1},
    {.type = 46, .becomes = 1},
    {.type = 12, .becomes = 1, .dropsLoad = true},
    {.type = 16, .becomes = 2},
    {.type = 17, .becomes = 2},
    {.type = 20, .becomes = 2},
    {.type = 19, .becomes = 2, .dropsLoad = true},
    {.type = 21, .becomes = 3},
    {.type = 22, .becomes = 3},
    {.type = 25, .becomes = 3},
    {.type = 24, .becomes = 3, .dropsLoad = true},
    {.type = 26, .becomes = 4, .dropsLoad = true, .split = Types({4})},
    {.type = 33, .becomes = 32},
    {.type = 42, .becomes = 41},
    {.type = 44, .becomes = 43},
    {.type = 52, .becomes = 27, .split = Types({28, 27, 28, 29})},
}};

// HitPerson: the same teams split, but into burning persons, and the group of civilians keeps
// its type until it ignites. Every hit person ends up burning.
constexpr std::array<TypeRule, 8> kHitRules = {{
    {.type = 0, .showsUp = true},
    {.type = 5, .becomes = 4, .split = Types({4})},
    {.type = 6, .becomes = 1, .split = Types({1, 1})},
    {.type = 52, .split = Types({28, 27, 28, 29})},
    {.type = 12, .dropsLoad = true},
    {.type = 19, .dropsLoad = true},
    {.type = 24, .dropsLoad = true},
    {.type = 26, .becomes = 4, .dropsLoad = true, .split = Types({4})},
}};
// The hose holder is not a row above: it only lets go of its hose before it burns.

const TypeRule* FindRule(std::span<const TypeRule> rules, std::int8_t type) {
    for (const TypeRule& r : rules)
        if (r.type == type) return &r;
    return nullptr;
}

bool IsFireFighterBase(std::int8_t type) {
    return type >= 0 && type <= 3;
}

// A led person lets go of its leader, and a fire-fighter of the person it leads.
void ReleasePartners(std::int16_t index, Person& p) {
    if ((p.controlFlags & kPersonController) != 0) {
        const PersonLink link = DecodePersonLink(p.link);
        const Person* leader = PersonAt(link.index);
        if (link.kind == PersonLinkKind::Partner && leader != nullptr &&
            IsFireFighterBase(leader->type))
            ReleaseLedPerson(index, static_cast<std::int16_t>(link.index), 1);
    }
    if (IsFireFighterBase(p.type)) {
        const PersonLink link = DecodePersonLink(p.link);
        const Person* led = UsedPersonAt(link.index);
        if (link.kind == PersonLinkKind::Leads && led != nullptr &&
            (led->controlFlags & kPersonController) != 0)
            ReleaseLedPerson(static_cast<std::int16_t>(link.index), index, 1);
    }
}

// The carried person is laid down where the carrier stands; it does not burn.
void PutDownLoad(Person& carrier, std::uint8_t mask, std::uint8_t flags) {
    const PersonLink link = DecodePersonLink(carrier.link);
    carrier.link = kNoLink;
    Person* load = link.kind == PersonLinkKind::Partner ? UsedPersonAt(link.index) : nullptr;
    if (load == nullptr) return;
    const auto index = static_cast<std::int16_t>(link.index);
    load->offMap = 0;
    load->storey = carrier.storey;
    load->house = carrier.house;
    load->x = carrier.x;
    load->y = carrier.y;
    load->direction = 1;
    load->link2 = kNoLink;
    SetPersonAnim(index, kAnimLying);
    UpdatePersonDrawPos(*load);
    if ((flags & kInjureNoPush) == 0) PushPersonFree(index, mask);
    if ((flags & kInjureNoObject) == 0) AddPersonSonderObj(index);
}

// The fields every person split off a team takes from it; the rest are the free slot's.
Person& TakeSplitSlot(std::int16_t slot, const Person& from, std::int8_t type) {
    Person& n = Personen[static_cast<std::size_t>(slot)];
    n.type = type;
    n.present = 1;
    n.targetable = 1;
    n.selectable = 0;
    n.offMap = 0;
    n.house = from.house;
    n.storey = from.storey;
    n.controlFlags = 0;
    n.x = from.x;
    n.y = from.y;
    n.height = 0;
    return n;
}

void AddSplitCasualty(const Person& from, std::int8_t type, std::uint8_t mask, std::uint8_t flags) {
    const std::int16_t slot = FindFreePerson();
    if (slot < 0) return;
    Person& n = TakeSplitSlot(slot, from, type);
    n.casualty = 1;
    ++VerletzteCount;
    n.energy = kFullEnergy;
    n.energyLoss = kCasualtyLoss;
    n.energyGain = kCasualtyGain;
    n.direction = 1;
    ResetPerson(slot);
    if ((flags & kInjureNoPush) == 0) PushPersonFree(slot, mask);
    if ((flags & kInjureNoObject) == 0) AddPersonSonderObj(slot);
}

void AddBurningCompanion(const Person& from, std::int8_t type) {
    const std::int16_t slot = FindFreePerson();
    if (slot < 0) return;
    Person& n = TakeSplitSlot(slot, from, type);
    n.casualty = 0;
    n.energy = 0;
    n.direction = 0;
    ResetPerson(slot);
    PlacePersonFree(slot, 0, n.storey, kPushEverywhere, kOwnCollisionClass);
    IgnitePerson(slot);
}

}  // namespace

void InjurePerson(std::int16_t index, std::int32_t energy, std::uint8_t mask, std::uint8_t flags) {
    Person* person = UsedPersonAt(index);
    if (person == nullptr) return;
    Person& p = *person;
    ReleasePartners(index, p);
    if (p.type == kTypeHoseHolder) DropHose(index);
    if (p.type == kTypeReifenCarrier) DropReifen(index);
    if ((flags & kInjureNoScream) == 0 && p.type != kPersonTypBurning)
        PlayPersonSound(index, kScream);

    p.controlFlags = 0;
    p.casualty = 1;
    p.link2 = kNoLink;
    ++VerletzteCount;
    p.treated = 0;
    p.energy = energy;
    if (energy < 1) {
        ++ToteCount;
        p.deadTicks = kNeverRevivable;
    }
    p.energyLoss = kCasualtyLoss;
    p.energyGain = kCasualtyGain;
    ClearBefehle(p);
    p.selected = 0;
    UpdateSelectionMode();

    if (const TypeRule* rule = FindRule(kInjuryRules, p.type)) {
        if (rule->dropsLoad) PutDownLoad(p, mask, flags);
        if (rule->showsUp) p.present = 1;
        if (rule->becomes >= 0) p.type = rule->becomes;
        for (const std::int8_t t : rule->split)
            if (t >= 0) AddSplitCasualty(p, t, mask, flags);
    }

    p.direction = 1;
    SetPersonAnim(index, kAnimLying);
    UpdatePersonDrawPos(p);
    if ((flags & kInjureNoPush) == 0) PushPersonFree(index, mask);
    if ((flags & kInjureNoObject) == 0) AddPersonSonderObj(index);
}

void HitPerson(std::int16_t index) {
    Person* person = UsedPersonAt(index);
    if (person == nullptr) return;
    Person& p = *person;
    ReleasePartners(index, p);
    if (p.type == kTypeHoseHolder) DropHose(index);
    if (p.type == kTypeReifenCarrier) DropReifen(index);
    if (const TypeRule* rule = FindRule(kHitRules, p.type)) {
        if (rule->dropsLoad) PutDownLoad(p, kPushEverywhere, 0);
        if (rule->showsUp) p.present = 1;
        if (rule->becomes >= 0) p.type = rule->becomes;
        for (const std::int8_t t : rule->split)
            if (t >= 0) AddBurningCompanion(p, t);
    }
    IgnitePerson(index);
}

void IgnitePerson(std::int16_t index) {
    Person* person = UsedPersonAt(index);
    if (person == nullptr) return;
    Person& p = *person;
    ClearBefehle(p);
    p.type = kPersonTypBurning;
    p.selectable = 0;
    p.controlFlags = 0;
    p.direction = 0;
    SetPersonAnim(index, kAnimBurning);
    // Burning persons start at different points of their flames, so that they do not move in
    // step.
    const int pause = Rand() % 8;
    p.frameTimer = static_cast<std::int8_t>(4 - pause);
    p.frame = static_cast<std::uint8_t>(Rand() % 4);
    p.selected = 0;
    UpdateSelectionMode();
    PlayPersonSound(index, kBurningScream);
    UpdatePersonDrawPos(p);
}

}  // namespace kv
