#include "persons/personen.h"

#include <algorithm>
#include <span>

#include "core/fatal_error.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "core/selection.h"
#include "core/unit_views.h"
#include "media/sound_slots.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/stepping.h"
#include "persons/person_evade.h"
#include "persons/person_lead.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/rescue_tables.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {

std::int16_t PersonCount = 0;
std::vector<Person> Personen;
VffImage* KontaminiertImage = nullptr;
SavedPosition SavedPersonPos;

namespace {

constexpr std::int8_t kTypeThrower = 32;

bool ValidPersonTyp(int type) {
    return type >= 0 && type < kPersonTypCount;
}

std::uint8_t PersonCasualty(std::int16_t index) {
    return Personen[static_cast<std::size_t>(index)].casualty;
}
std::int8_t PersonSoundGroup(std::int16_t index) {
    const Person& p = Personen[static_cast<std::size_t>(index)];
    return ValidPersonTyp(p.type) ? PersonTypOf(p).soundGroup : -1;
}
std::uint8_t PersonOffMap(std::int16_t index) {
    return Personen[static_cast<std::size_t>(index)].offMap;
}
const AnimSlot* PersonCurrentAnim(std::int16_t index) {
    const Person& p = Personen[static_cast<std::size_t>(index)];
    return &PersonAnimSlot(p.type, p.direction, p.anim);
}

// A free slot: the free defaults and a cleared evade state.
void MakeFree(Person& p) {
    p = Person{};
    ResetPersonEvade(p);
}

}  // namespace

const PersonTyp& PersonTypOf(const Person& person) {
    return PersonTypen[static_cast<std::size_t>(
        std::clamp<int>(person.type, 0, kPersonTypCount - 1))];
}

void UpdatePersonDrawPos(Person& person) {
    const AnimSlot& slot = PersonAnimSlot(person.type, person.direction, person.anim);
    person.drawX = static_cast<std::int16_t>(static_cast<std::int32_t>(person.x - slot.hotX));
    person.drawY = static_cast<std::int16_t>(static_cast<std::int32_t>(person.y - slot.hotY));
}

bool PersonStandsAt(const Person& person, std::int32_t x, std::int32_t y) {
    return static_cast<std::int32_t>(person.x) == x && static_cast<std::int32_t>(person.y) == y;
}

Person* PersonAt(std::int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= Personen.size()) return nullptr;
    return &Personen[static_cast<std::size_t>(index)];
}

Person* UsedPersonAt(std::int32_t index) {
    Person* p = PersonAt(index);
    return p != nullptr && p->type != -1 ? p : nullptr;
}

Person* FollowablePerson(std::int32_t index, std::int8_t storey, bool refuseBurning) {
    Person* t = UsedPersonAt(index);
    if (t == nullptr || t->casualty != 0 || t->offMap != 0 || t->present == 0 ||
        t->storey != storey)
        return nullptr;
    if (refuseBurning && (!ValidPersonTyp(t->type) || t->type == kPersonTypBurning)) return nullptr;
    return t;
}

Person* RunningPerson(std::int32_t index) {
    Person* p = UsedPersonAt(index);
    return p != nullptr && p->orders != nullptr ? p : nullptr;
}

void AllocPersonen() {
    for (Person& p : Personen) DiscardBefehle(p);
    Personen.assign(PersonCount > 0 ? static_cast<std::size_t>(PersonCount) : 0, Person{});
    // The slots are default-built already; only the evade state needs its free values.
    for (Person& p : Personen) ResetPersonEvade(p);
    PersonUnits = {};
    PersonUnits.setRecords(std::span(Personen));
    PersonUnits.casualty = PersonCasualty;
    PersonUnits.soundGroup = PersonSoundGroup;
    PersonUnits.offMap = PersonOffMap;
    PersonUnits.animSlot = PersonCurrentAnim;
    PersonUnits.typeRecord = PersonTypRecord;
    PersonUnits.boxReach = &PersonBoxReach;
}

void FreePersonen() {
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        Person& p = Personen[i];
        if (p.type == -1) continue;
        StopOwnerSound(kOwnerPerson, static_cast<int>(i));
        p.attachment.reset();
        ClearBefehle(p);
    }
    // A clean-up above may have deleted a person whose orders were not cleared yet.
    for (Person& p : Personen) DiscardBefehle(p);
    Personen.clear();
    Personen.shrink_to_fit();
    PersonCount = 0;
    PersonUnits = {};
    for (int t = kPreloadedPersonTypen; t < kPersonTypCount; ++t)
        FreePersonTyp(static_cast<std::int16_t>(t));
    FreeVff(KontaminiertImage);
    KontaminiertImage = nullptr;
    SavedPersonPos = {};
}

std::int16_t FindFreePerson() {
    for (std::size_t i = 0; i < Personen.size(); ++i)
        if (Personen[i].type == -1) return static_cast<std::int16_t>(i);
    return -1;
}

Person& PlacePerson(std::int16_t index, std::int8_t type, float x, float y, std::int8_t storey) {
    Person& p = Personen[static_cast<std::size_t>(index)];
    p.type = type;
    p.x = x;
    p.y = y;
    p.height = 0;
    p.storey = storey;
    return p;
}

void SetStandingUnhurt(Person& p) {
    p.present = 1;
    p.selectable = 0;
    p.offMap = 0;
    p.casualty = 0;
    p.energy = kFullEnergy;
    p.energyLoss = 0;
}

bool PersonCellFits(std::int16_t x, std::int16_t y, std::int8_t storey, std::uint16_t& house) {
    house = 0xFFFF;
    const CellPos cell = CellFromPixel(x, y);
    if (!CellInMap(cell.column, cell.row)) return false;
    const std::uint16_t tile =
        MapCells[static_cast<std::size_t>(CellIndex(cell.column, cell.row))].tile;
    if (storey < 1) return tile < kHouseLinkBase;
    const HouseLinkTarget target = DecodeHouseLink(tile);
    if (target.house < 0) return false;
    house = static_cast<std::uint16_t>(target.house);
    return true;
}

std::int16_t PlaceNewPerson(std::int8_t type, std::int16_t x, std::int16_t y, std::int8_t storey,
                            std::uint8_t direction, bool testGround) {
    const std::int16_t index = FindFreePerson();
    if (index < 0) return -1;
    std::uint16_t house = 0xFFFF;
    if ((testGround || storey >= 1) && !PersonCellFits(x, y, storey, house)) return -1;
    Person& p = PlacePerson(index, type, x, y, storey);
    p.direction = static_cast<std::int8_t>(direction);
    if (storey >= 1) p.house = house;
    return index;
}

std::int16_t CreateVerletzter(std::int8_t type, std::int16_t x, std::int16_t y, std::int8_t storey,
                              std::uint8_t direction, std::int32_t energy, std::uint16_t energyLoss,
                              std::int16_t energyGain, std::uint8_t contamination) {
    if (!ValidPersonTyp(type)) return -1;
    const std::int16_t index = PlaceNewPerson(type, x, y, storey, direction);
    if (index < 0) return -1;
    Person& p = Personen[static_cast<std::size_t>(index)];
    p.link2 = kNoLink;
    p.casualty = 1;
    p.targetable = 1;
    p.selectable = 0;
    p.contamination = contamination;
    p.exposure = 0;
    p.energy = energy;
    p.energyLoss = static_cast<std::int16_t>(energyLoss);
    p.energyGain = energyGain;
    p.controlFlags = 0;
    if (PersonTypLoaded(type)) {
        ResetPerson(index);
        AddPersonSonderObj(index);
    }
    return index;
}

std::int16_t CreatePersonAt(std::int16_t x, std::int16_t y, std::int8_t storey,
                            std::uint8_t direction) {
    const std::int16_t index = PlaceNewPerson(kTypeThrower, x, y, storey, direction);
    if (index < 0) return -1;
    Person& p = Personen[static_cast<std::size_t>(index)];
    p.controlFlags = kPersonController | kPersonRival;
    SetStandingUnhurt(p);
    p.targetable = 1;
    p.contamination = 0;
    if (PersonTypLoaded(kTypeThrower)) ResetPerson(index);
    return index;
}

void ResetPerson(std::int16_t index) {
    Person* person = PersonAt(index);
    if (person == nullptr) return;
    Person& p = *person;
    if (p.casualty != 0)
        SetPersonAnim(index, kAnimLying);
    else if ((p.controlFlags & kPersonInDistress) != 0)
        SetPersonAnim(index, kAnimDistress);
    else
        SetPersonAnim(index, kAnimStand);
    UpdatePersonDrawPos(p);
    const bool pedestrian = (p.controlFlags & kPersonPedestrian) != 0;
    if (!pedestrian) p.link2 = kNoLink;
    p.link = kNoLink;
    p.selected = 0;
    p.treated = 0;
    p.animate = 1;
    p.basketVehicle = 0xFFFF;
    p.stepRead = 0;
    p.moverFlags = pedestrian ? 2 : 0;
    // What the person drops is freed here, without clean-ups: a reset person does nothing more
    // of its old orders.
    DiscardBefehle(p);
    ResetPersonEvade(p);
    ResetMoveTarget(p);
    p.speed = PersonTypOf(p).speed;
    ResetPersonTrail(p);
    p.stepMarker = kNoBackOff;
    p.moveByte = 0;
    p.zone = -1;
    p.idleStand = 1;
    p.sound = -1;
    p.deadTicks = 0;
}

void ChangePersonTyp(std::int16_t index, std::int8_t type) {
    Person* p = UsedPersonAt(index);
    if (p == nullptr) return;
    if (SelectionMode == kPersonSelected + p->type &&
        SelectedIndex == static_cast<std::uint16_t>(index))
        SelectionMode = static_cast<std::uint16_t>(kPersonSelected + type);
    p->type = type;
}

void SetPersonAnim(std::int16_t index, std::uint16_t slot) {
    Person* person = PersonAt(index);
    if (person == nullptr) return;
    Person& p = *person;
    if (p.type == kPersonTypMedic && p.anim == kAnimTreat) {
        if (Person* patient = PersonAt(p.link)) patient->link = kNoLink;
        p.link = kNoLink;
    }
    p.frame = 0;
    p.frameTimer = slot == kAnimStand ? static_cast<std::int8_t>(-(Rand() % 60)) : 0;
    p.anim = static_cast<std::int8_t>(slot);
}

void SavePersonPos(std::int16_t index) {
    if (const Person* p = PersonAt(index)) SavedPersonPos = {p->x, p->y};
}

void RestorePersonPos(std::int16_t index) {
    if (Person* p = PersonAt(index)) {
        p->x = SavedPersonPos.x;
        p->y = SavedPersonPos.y;
    }
}

namespace {

struct TestBox {
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
};

// The slot's box, at least h to either side of the hot spot and v above and below it; wide
// across the way the person faces.
TestBox PushTestBox(const Person& p) {
    const AnimSlot& slot = PersonAnimSlot(p.type, p.direction, p.anim);
    const int h = p.direction == 3 || p.direction == 9 ? 14 : 6;
    const int v = p.direction == 1 || p.direction == 7 ? 14 : 6;
    return {static_cast<std::int16_t>(p.drawX + std::min<int>(slot.box[0], slot.hotX - h)),
            static_cast<std::int16_t>(p.drawY + std::min<int>(slot.box[1], slot.hotY - v)),
            static_cast<std::int16_t>(p.drawX + std::max<int>(slot.box[2], slot.hotX + h)),
            static_cast<std::int16_t>(p.drawY + std::max<int>(slot.box[3], slot.hotY + v))};
}

// 0 when the box is free. A box reaching off the map is no place to put a person: it counts as a
// map cell.
std::uint8_t PushBlocked(const Person& p, const TestBox& box) {
    constexpr std::uint8_t kMapCell = 4;
    if (box.left < 0 || box.top < 0 || box.right > WorldMaxX || box.bottom > WorldMaxY)
        return kMapCell;
    const PersonTyp& typ = PersonTypOf(p);
    CollisionHit hit;
    if (FindCollisionAt(0, &p, &typ, box.left, box.top, box.right, box.bottom,
                        static_cast<std::int16_t>(p.house), p.storey, typ.terrainColumn, &hit) == 0)
        return 0;
    return hit.kind != 0 ? hit.kind : 1;
}

}  // namespace

std::uint8_t PushPersonFree(std::int16_t index, std::uint8_t mask) {
    Person* person = PersonAt(index);
    if (person == nullptr || mask == 0) return 0;
    Person& p = *person;
    // The turn below knows only these four; any other would never move.
    if (p.direction != 1 && p.direction != 3 && p.direction != 7 && p.direction != 9)
        p.direction = 1;
    const std::int8_t startDirection = p.direction;
    SavePersonPos(index);
    UpdatePersonDrawPos(p);
    // Past the map's size no step can find a spot on it.
    const int bound = std::max<int>(WorldMaxX, WorldMaxY);
    int step = 0;
    for (;;) {
        const std::uint8_t result = PushBlocked(p, PushTestBox(p));
        if (result == 0) return 0;
        RestorePersonPos(index);
        if (step > bound) {
            p.direction = startDirection;
            UpdatePersonDrawPos(p);
            return result;
        }
        switch (p.direction) {
            case 1:
                p.direction = 3;
                if ((mask & 1) != 0) p.x += static_cast<float>(step);
                break;
            case 3:
                p.direction = 7;
                if ((mask & 2) != 0) p.y += static_cast<float>(step);
                break;
            case 7:
                p.direction = 9;
                if ((mask & 4) != 0) p.x -= static_cast<float>(step);
                break;
            default:
                p.direction = 1;
                ++step;
                if ((mask & 8) != 0) p.y -= static_cast<float>(step);
                break;
        }
        UpdatePersonDrawPos(p);
    }
}

namespace {

constexpr std::uint8_t kLeaveDecontamination = 199;

// Types whose link holds a special object or a hose, never a person.
bool LinkHoldsObject(std::int8_t type) {
    return type == 11 || type == 14 || type == 45;
}

// Whether a link names the person, as partner, leader, medic or reviver.
bool LinkNames(const PersonLink& link, std::int32_t index) {
    return link.kind != PersonLinkKind::None && link.kind != PersonLinkKind::OnSonderObj &&
           link.index == index;
}

// What other persons hold of the person: a carrier goes back to its base type, the others' links
// and fight partners name nobody. True when a selected person changed.
bool ReleasePersonLinks(std::int32_t index) {
    bool selectionChanged = false;
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        Person& q = Personen[i];
        if (q.type == -1 || static_cast<std::int32_t>(i) == index) continue;
        const PersonLink link = DecodePersonLink(q.link);
        if (!LinkHoldsObject(q.type) && LinkNames(link, index)) {
            // A patient revived on an object still lies on it.
            q.link = link.kind == PersonLinkKind::RevivedBy ? kOnSonderObjLink : kNoLink;
            if (const std::int8_t base = CarrierBaseTyp(q.type); base >= 0) {
                q.type = base;
                selectionChanged |= q.selected != 0;
            }
        }
        if ((q.controlFlags & kPersonFighter) != 0 && q.link2 == index) q.link2 = kNoLink;
    }
    return selectionChanged;
}

// The seats it takes, and the decontamination vehicle it waits in.
void ReleaseFahrzeugPlaces(std::int32_t index, const Person& p) {
    for (Fahrzeug& v : Fahrzeuge) {
        if (v.type == -1) continue;
        for (std::uint16_t& seat : v.seats)
            if (seat == index) seat = kNoPerson;
    }
    if (HeadBefehlOpcode(p) != kLeaveDecontamination) return;
    if (Fahrzeug* v = UsedFahrzeugAt(p.orders->aInt()); v != nullptr && v->link == index)
        v->link = kNoLink;
}

// The special object it lies on, or is revived on. A pontoon's user is its pontoon point.
void UntieFromSonderObj(std::int32_t index, const Person& p) {
    const PersonLinkKind kind = DecodePersonLink(p.link).kind;
    if (kind != PersonLinkKind::OnSonderObj && kind != PersonLinkKind::RevivedBy) return;
    for (SonderObj& o : SonderObjs) {
        if (o.type == -1 || o.type == kSobjPonton || o.type == kSobjPontonUnsichtbar) continue;
        if (o.user != -1 && (o.user & 0x0FFF) == index) o.user = -1;
    }
}

}  // namespace

void DeletePerson(std::int32_t index) {
    Person* person = UsedPersonAt(index);
    if (person == nullptr) return;
    Person& p = *person;
    // A pair is parted where it stands; the release clears the leader's queue.
    if (Person* leader = LeaderOf(p))
        ReleaseLedPerson(static_cast<std::int16_t>(index),
                         static_cast<std::int16_t>(leader - Personen.data()), 0);
    if (Person* led = LedBy(p))
        ReleaseLedPerson(static_cast<std::int16_t>(led - Personen.data()),
                         static_cast<std::int16_t>(index), 0);
    bool selectionChanged = ReleasePersonLinks(index);
    ReleaseFahrzeugPlaces(index, p);
    UntieFromSonderObj(index, p);
    StopOwnerSound(kOwnerPerson, index);
    p.attachment.reset();
    DiscardBefehle(p);
    selectionChanged |= p.selected != 0;
    MakeFree(p);
    if (selectionChanged) UpdateSelectionMode();
}

bool InitPersonen(int mission) {
    auto hook = MissionHook(mission, &MissionHooks::InitPersonen, "InitPersonen");
    if (hook == nullptr) return false;
    hook();
    if (FatalErrorRaised()) return false;
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        if (Personen[i].type == -1) continue;
        LoadPersonTyp(Personen[i].type);
        if (FatalErrorRaised()) return false;
        const auto index = static_cast<std::int16_t>(i);
        ResetPerson(index);
        if (Personen[i].casualty != 0 && Personen[i].present != 0) AddPersonSonderObj(index);
    }
    KontaminiertImage = LoadVff("graphs\\kontam.vff");
    if (KontaminiertImage == nullptr) {
        FatalError("file not found: KONTAMINIERTFILE.");
        return false;
    }
    return true;
}

}  // namespace kv
