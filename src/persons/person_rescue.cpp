#include "persons/person_rescue.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/saturate.h"
#include "core/selection.h"
#include "media/unit_sounds.h"
#include "movement/befehl.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "persons/person_injury.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "persons/rescue_tables.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

// The casualty's moan as it is lifted or treated.
constexpr int kMoanSound = 40;

constexpr std::string_view kNoRoomText = "Zu wenig Platz zum Ablegen!";
constexpr std::uint16_t kNoRoomFrames = 60;

// Reanimation: the dead count back this much a tick and wake with that energy; the living gain
// ten times their own gain and this much, unless their gain harms them.
constexpr int kReviveStep = 10;
constexpr std::int32_t kRevivedEnergy = 50000;
constexpr std::int32_t kReanimateGainFactor = 10;
constexpr std::int32_t kReanimateBonus = 200;

int Whole(float v) {
    return static_cast<int>(v);
}

// A handler that waits for the animation goes on once it has run through.
bool AnimRunning(const Person& p) {
    return p.frame != 0 || p.frameTimer != 0;
}

// The person an order names beside the helper: in use and on the map. Carried, loaded or seated
// persons keep their coordinates, so they would pass the position test of a second holder.
Person* OnMapCasualty(std::int16_t helper, std::int32_t index) {
    if (index == helper) return nullptr;
    Person* c = UsedPersonAt(index);
    return c != nullptr && c->offMap == 0 ? c : nullptr;
}

// Whether the casualty still lies where it lay when the order was given.
bool LiesWhereOrdered(const Person& c, const Befehl& order) {
    return Whole(c.x) == order.bInt() && Whole(c.y) == order.cInt();
}

// Whether the person stands less than `below` px from (x, y) on both axes.
bool Within(const Person& p, int x, int y, int below) {
    return std::abs(Whole(p.x) - x) < below && std::abs(Whole(p.y) - y) < below;
}

bool AtPoint(const Person& p, const std::optional<Point16>& point) {
    return point.has_value() && Within(p, point->x, point->y, kKneelTolerance);
}

// The helper gives up and stands.
void StopHelper(std::int16_t index, Person& p) {
    ClearBefehle(p);
    SetPersonAnim(index, kAnimStand);
    UpdatePersonDrawPos(p);
}

// The person the helper holds: its link as a plain index naming another person in use.
Person* HeldPerson(std::int16_t index, const Person& p) {
    const PersonLink link = DecodePersonLink(p.link);
    if (link.kind != PersonLinkKind::Partner || link.index == index) return nullptr;
    return UsedPersonAt(link.index);
}

// The casualty is about to leave the ground: its medic stops and the object it lay on is free.
void LetGoOfCasualty(std::int32_t index, Person& c) {
    const PersonLinkKind kind = DecodePersonLink(c.link).kind;
    if (kind == PersonLinkKind::TreatedBy || kind == PersonLinkKind::RevivedBy)
        ReleaseTreatingMedic(index);
    if (kind == PersonLinkKind::OnSonderObj || kind == PersonLinkKind::RevivedBy)
        UntieFromSonderObj(index);
    c.link = kNoLink;
}

void TakeOffMap(Person& c) {
    c.offMap = 1;
    c.selected = 0;
}

// The casualty lies on the map again, with what lies under it.
void LayOnMap(std::int32_t index, Person& c) {
    c.offMap = 0;
    AddPersonSonderObj(index);
}

// Puts the held person down at (x, y), lying that way on the holder's storey; 0 when it fits.
std::uint8_t PlaceLying(const Person& holder, Person& c, float x, float y) {
    c.storey = holder.storey;
    c.house = holder.house;
    c.x = x;
    c.y = y;
    UpdatePersonDrawPos(c);
    return TestCollision(0, c, PersonTypOf(c), c.x, c.y, static_cast<std::uint8_t>(c.direction),
                         c.storey, static_cast<std::uint8_t>(c.anim), nullptr);
}

int KneelCoordinate(const KneelAxis& axis, float position, std::int16_t draw, std::int16_t boxMin,
                    std::int16_t boxMax) {
    switch (axis.from) {
        case KneelFrom::BoxMin:
            return draw + boxMin + axis.offset;
        case KneelFrom::BoxMax:
            return draw + boxMax + axis.offset;
        case KneelFrom::Position:
        default:
            return Whole(position) + axis.offset;
    }
}

// A rescuer near the casualty faces it across the way it lies.
void TurnToCasualty(Person& r, const Person& c) {
    if (c.direction == 3 || c.direction == 9)
        r.direction = static_cast<std::int8_t>(Whole(r.x) >= Whole(c.x) ? 9 : 3);
    else
        r.direction = static_cast<std::int8_t>(Whole(r.y) >= Whole(c.y) ? 1 : 7);
}

std::int8_t TurnedAbout(std::int8_t direction) {
    return static_cast<std::int8_t>(WrapDirection(direction + kDirectionCount / 2));
}

}  // namespace

std::optional<Point16> KneelPoint(const Person& casualty, int direction) {
    for (const KneelPointRow& row : kKneelPoints) {
        if (row.direction != direction) continue;
        const AnimSlot& slot = PersonAnimSlot(casualty.type, casualty.direction, casualty.anim);
        return Point16{
            Clamp16(KneelCoordinate(row.x, casualty.x, casualty.drawX, slot.box[0], slot.box[2])),
            Clamp16(KneelCoordinate(row.y, casualty.y, casualty.drawY, slot.box[1], slot.box[3]))};
    }
    return std::nullopt;
}

std::optional<Point16> TreatmentPoint(const Person& patient, int direction) {
    for (const TreatmentPointRow& row : kTreatmentPoints)
        if (row.direction == direction)
            return Point16{Clamp16(Whole(patient.x) + row.dx), Clamp16(Whole(patient.y) + row.dy)};
    return std::nullopt;
}

void UntieFromSonderObj(std::int32_t person) {
    for (SonderObj& o : SonderObjs) {
        if (o.type == -1 || o.user == -1 || (o.user & 0x0FFF) != person) continue;
        o.user = -1;
        return;
    }
}

void TreatPatient(std::int16_t index) {
    Person* m = RunningPerson(index);
    if (m == nullptr) return;
    Befehl& order = *m->orders;
    const std::int32_t a = order.aInt();
    Person* patient = OnMapCasualty(index, a);
    if (FirstBefehlTick(order) && (patient == nullptr || !LiesWhereOrdered(*patient, order) ||
                                   !AtPoint(*m, TreatmentPoint(*patient, m->direction)))) {
        ClearBefehle(*m);
        return;
    }
    if (patient == nullptr) {
        // Taken away while the medic knelt down.
        StopHelper(index, *m);
        return;
    }
    if (m->anim != kAnimKneel) {
        SetPersonAnim(index, kAnimKneel);
        PlayPersonSound(a, kMoanSound);
        return;
    }
    if (AnimRunning(*m)) return;
    SetPersonAnim(index, kAnimTreat);
    m->link = static_cast<std::uint16_t>(a);
    patient->link = static_cast<std::uint16_t>(kTreatedByLink + index);
    patient->treated = 1;
    PopBefehl(*m);
}

void ReanimatePatient(std::int16_t index) {
    Person* m = RunningPerson(index);
    if (m == nullptr) return;
    Befehl& order = *m->orders;
    const std::int32_t a = order.aInt();
    Person* patient = OnMapCasualty(index, a);
    if (FirstBefehlTick(order)) {
        if (patient == nullptr ||
            DecodePersonLink(patient->link).kind != PersonLinkKind::OnSonderObj ||
            m->x != static_cast<float>(order.bInt()) || m->y != static_cast<float>(order.cInt()) ||
            m->direction != kReanimateDirection) {
            ClearBefehle(*m);
            return;
        }
        m->link = static_cast<std::uint16_t>(a);
        patient->link = static_cast<std::uint16_t>(kRevivedByLink + index);
        patient->treated = 1;
    }
    if (patient == nullptr) {
        ClearBefehle(*m);
        return;
    }
    if (patient->energy < 1) {
        // Dead too long, or killed outright: nothing brings it back, and the medic keeps trying.
        if (patient->deadTicks >= kDeadTicksLimit) return;
        const int left = patient->deadTicks - kReviveStep;
        if (left < 1) {
            patient->deadTicks = 0;
            patient->energy = kRevivedEnergy;
        } else {
            patient->deadTicks = static_cast<std::uint16_t>(left);
        }
        return;
    }
    // The dead count is not lowered by a revival, and a revived patient whose gain harms it can
    // die and count again.
    const std::int32_t gain = patient->energyGain < 0
                                  ? patient->energyGain
                                  : kReanimateGainFactor * patient->energyGain + kReanimateBonus;
    std::int32_t energy =
        std::min(Saturate(static_cast<std::int64_t>(patient->energy) + gain), kFullEnergy);
    if (energy < 1) {
        energy = 0;
        ++ToteCount;
    }
    patient->energy = energy;
}

void PickUpCasualty(std::int16_t index) {
    Person* r = RunningPerson(index);
    if (r == nullptr) return;
    Befehl& order = *r->orders;
    const std::int32_t a = order.aInt();
    const bool carrier = EmptyTypeOf(r->type) >= 0;
    Person* c = OnMapCasualty(index, a);
    if (FirstBefehlTick(order)) {
        // Only a fire-fighter becomes a carrier: anyone else would take the casualty off the map
        // with no way to lay it down again.
        if (c == nullptr || !LiesWhereOrdered(*c, order) ||
            (!carrier && CarrierTypeOf(r->type) < 0)) {
            ClearBefehle(*r);
            return;
        }
        if (!AtPoint(*r, KneelPoint(*c, r->direction))) {
            if (!Within(*r, order.bInt(), order.cInt(), kTurnToCasualtyReach)) {
                ClearBefehle(*r);
                return;
            }
            TurnToCasualty(*r, *c);
        }
    }
    if (carrier) {
        if (AnimRunning(*r)) return;
        r->direction = TurnedAbout(r->direction);
        SetPersonAnim(index, kAnimStand);
        PopBefehl(*r);
        return;
    }
    if (c == nullptr) {
        // Taken by someone else while this rescuer knelt down.
        StopHelper(index, *r);
        return;
    }
    if (r->anim != kAnimKneel) {
        SetPersonAnim(index, kAnimKneel);
        PlayPersonSound(a, kMoanSound);
        LetGoOfCasualty(a, *c);
        return;
    }
    if (AnimRunning(*r)) return;
    r->type = static_cast<std::int8_t>(CarrierTypeOf(r->type));
    SetPersonAnim(index, kAnimLying);
    r->link = static_cast<std::uint16_t>(a);
    TakeOffMap(*c);
    UpdateSelectionMode();
}

void PutDownCasualty(std::int16_t index) {
    Person* r = RunningPerson(index);
    if (r == nullptr) return;
    if (r->anim == kAnimWalk) SetPersonAnim(index, kAnimStand);
    Befehl& order = *r->orders;
    if (FirstBefehlTick(order)) {
        Person* c = HeldPerson(index, *r);
        if (EmptyTypeOf(r->type) < 0 || c == nullptr) {
            ClearBefehle(*r);
            return;
        }
        const LayDirectionRow* lay = LayDirection(order.aInt());
        if (lay == nullptr || r->direction != order.aInt()) {
            ClearBefehle(*r);
            SetMessageLine(kNoRoomText, kNoRoomFrames);
            return;
        }
        c->direction = lay->carrier;
        if (PlaceLying(*r, *c, static_cast<float>(order.bInt()),
                       static_cast<float>(order.cInt())) != 0) {
            ClearBefehle(*r);
            SetMessageLine(kNoRoomText, kNoRoomFrames);
            return;
        }
        r->direction = TurnedAbout(r->direction);
        SetPersonAnim(index, kAnimLayDown);
        return;
    }
    if (AnimRunning(*r)) return;
    if (const int empty = EmptyTypeOf(r->type); empty >= 0) {
        Person* c = HeldPerson(index, *r);
        if (c == nullptr) {
            ClearBefehle(*r);
            return;
        }
        LayOnMap(r->link, *c);
        r->link = kNoLink;
        r->type = static_cast<std::int8_t>(empty);
        SetPersonAnim(index, kAnimStandUp);
        UpdateSelectionMode();
        return;
    }
    SetPersonAnim(index, kAnimStand);
    PopBefehl(*r);
}

void LoadStretcher(std::int16_t index) {
    Person* s = RunningPerson(index);
    if (s == nullptr) return;
    const Befehl& order = *s->orders;
    const std::int32_t a = order.aInt();
    Person* c = OnMapCasualty(index, a);
    // A loaded team would lose the patient it holds.
    if (s->type != kStretcher.empty || c == nullptr || !LiesWhereOrdered(*c, order) ||
        !Within(*s, order.bInt(), order.cInt(), kStretcherReach + 1)) {
        ClearBefehle(*s);
        return;
    }
    LetGoOfCasualty(a, *c);
    PlayPersonSound(a, kMoanSound);
    s->type = kStretcher.loaded;
    SetPersonAnim(index, kAnimStand);
    s->link = static_cast<std::uint16_t>(a);
    TakeOffMap(*c);
    UpdateSelectionMode();
    PopBefehl(*s);
}

void UnloadStretcher(std::int16_t index) {
    Person* s = RunningPerson(index);
    if (s == nullptr) return;
    if (s->anim == kAnimWalk) SetPersonAnim(index, kAnimStand);
    const std::int32_t a = s->orders->aInt();
    const LayDirectionRow* lay = LayDirection(a);
    if (lay == nullptr || s->direction != a) {
        ClearBefehle(*s);
        SetMessageLine(kNoRoomText, kNoRoomFrames);
        return;
    }
    Person* p = s->type == kStretcher.loaded ? HeldPerson(index, *s) : nullptr;
    if (p == nullptr) {
        ClearBefehle(*s);
        return;
    }
    p->direction = lay->stretcher;
    const AnimSlot& slot = PersonAnimSlot(p->type, p->direction, kAnimLying);
    // Beside the team along its way: right of it for an up-and-down way, below it otherwise, and
    // on the other side when that is taken.
    const bool sideways = a == 1 || a == 7;
    const auto first = static_cast<float>(
        kStretcherGap + (sideways ? slot.hotX - slot.box[0] : slot.hotY - slot.box[1]));
    const auto second = static_cast<float>(
        -kStretcherGap + (sideways ? slot.hotX - slot.box[2] : slot.hotY - slot.box[3]));
    bool free = false;
    for (const float offset : {first, second}) {
        const float x = sideways ? s->x + offset : s->x;
        const float y = sideways ? s->y : s->y + offset;
        if (PlaceLying(*s, *p, x, y) == 0) {
            free = true;
            break;
        }
    }
    if (free) {
        LayOnMap(s->link, *p);
        s->link = kNoLink;
        s->type = kStretcher.empty;
        SetPersonAnim(index, kAnimStand);
        UpdateSelectionMode();
    } else {
        SetMessageLine(kNoRoomText, kNoRoomFrames);
    }
    PopBefehl(*s);
}

}  // namespace kv
