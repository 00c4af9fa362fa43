#include "persons/carried_objects.h"

#include <array>

#include "core/message_line.h"
#include "gfx/primitives.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "persons/person_selection.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "world/geometry.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_collision.h"

namespace kv {

namespace {

constexpr std::int8_t kTypeFireFighter = 1;
constexpr std::int8_t kTypeCarryingObject = 14;
constexpr std::int8_t kTypeCarryingReifen = 45;
constexpr std::int8_t kTypeCarryingRing = 46;
constexpr std::uint16_t kModeFireFighter = kPersonSelected + kTypeFireFighter;
constexpr std::uint16_t kModeCarryingReifen = kPersonSelected + kTypeCarryingReifen;
constexpr std::uint16_t kModeCarryingRing = kPersonSelected + kTypeCarryingRing;

// The generic carried object, and the frame of stooping at which it leaves the map.
constexpr std::int16_t kSobjCarried = kSobjHolzstapel;
constexpr std::uint8_t kAnimStoop = 2;
constexpr std::uint8_t kTakeFrame = 14;
constexpr std::uint8_t kSolidEverySide = 15;
constexpr std::uint8_t kByFootPoint = 0;

// A tyre is taken up within this much of the person's box, and put down this far clear of the
// person's point.
constexpr int kReifenReach = 10;
constexpr int kReifenClearance = 7;
// Put down, a tyre is tested against the map edge.
constexpr std::uint8_t kTestMapEdge = 1;

constexpr char kNoRoomText[] = "Zu wenig Platz zum Ablegen!";
constexpr std::uint16_t kMessageFrames = 60;

struct Offset {
    int x;
    int y;
};

int Trunc(float v) {
    return TruncInt(v);
}

bool StandsOn(const Person& p, int x, int y) {
    return Trunc(p.x) == x && Trunc(p.y) == y;
}

// The object of an index when its slot is in use; null otherwise.
SonderObj* UsedSonderObj(std::int32_t index) {
    SonderObj* o = SonderObjAt(index);
    return o != nullptr && o->type != -1 ? o : nullptr;
}

// By the facing (1, 3, 7 or 9): where a person stands to pick an object up, from the object's
// position, and where an object it puts down lies, from the person's position. Put down, the
// object lies where the person turned round would pick it up.
struct FacingSpots {
    std::int8_t facing;
    Offset pickUp;
    Offset putDown;
};
constexpr std::array<FacingSpots, 4> kObjectSpots = {{
    {1, {-7, 30}, {-24, 0}},
    {3, {-7, 18}, {-23, -6}},
    {7, {24, 0}, {7, -30}},
    {9, {23, 6}, {7, -18}},
}};

// Other facings have no spot.
const FacingSpots* ObjectSpots(std::int8_t facing) {
    for (const FacingSpots& s : kObjectSpots)
        if (s.facing == facing) return &s;
    return nullptr;
}

void RefuseNoRoom(Person& p) {
    ClearBefehle(p);
    SetMessageLine(kNoRoomText, kMessageFrames);
}

// The object may be taken while it is still the object the order was given for.
bool MayTake(const SonderObj* o, const Befehl& order) {
    return o != nullptr && (o->type == kSobjCarried || o->type == order.dInt());
}

// The person's box, as its current animation shows it, and an object type's box at its place.
Rect16 PersonBox(const Person& p, int grow) {
    const AnimSlot& slot = PersonAnimSlot(p.type, p.direction, p.anim);
    return {static_cast<std::int16_t>(p.drawX + slot.box[0] - grow),
            static_cast<std::int16_t>(p.drawY + slot.box[1] - grow),
            static_cast<std::int16_t>(p.drawX + slot.box[2] + grow),
            static_cast<std::int16_t>(p.drawY + slot.box[3] + grow)};
}
Rect16 SonderObjBox(const SonderObjTyp& t, int x, int y) {
    return {static_cast<std::int16_t>(x + t.boxX0), static_cast<std::int16_t>(y + t.boxY0),
            static_cast<std::int16_t>(x + t.boxX1), static_cast<std::int16_t>(y + t.boxY1)};
}

// The carried tyre in front of the person by its facing: half its first frame or its box, and 7
// px, away from the person's point.
void PlaceReifen(const Person& p, SonderObj& tyre) {
    const SonderObjTyp* t = SonderObjTypAt(tyre.type);
    if (t == nullptr) return;
    const int w = t->frames != nullptr ? t->frames[0].width / 2 : 0;
    const int h = t->frames != nullptr ? t->frames[0].height / 2 : 0;
    const int x = Trunc(p.x);
    const int y = Trunc(p.y);
    // Facings 11, 0, 1 put it ahead, 2..4 to the right, 5..7 behind, 8..10 to the left.
    Offset at{};
    switch ((WrapDirection(p.direction) + 1) % kDirectionCount / 3) {
        case 0:
            at = {x + w, y - t->boxY1 - kReifenClearance};
            break;
        case 1:
            at = {x + kReifenClearance, y - h};
            break;
        case 2:
            at = {x - w, y + kReifenClearance};
            break;
        default:
            at = {x - t->boxX1 - kReifenClearance, y - h};
            break;
    }
    tyre.x = static_cast<float>(at.x);
    tyre.y = static_cast<float>(at.y);
}

// The ring holder's spots are exact: the person's whole position against the holder's own.
bool AtRingHalter(const Person& p, const SonderObj& o, float dy) {
    return static_cast<float>(Trunc(p.x)) == o.x + 9.0f &&
           static_cast<float>(Trunc(p.y)) == o.y + dy;
}
bool InFrontOfRingHalter(const Person& p, const SonderObj& o) {
    return p.direction == 0 && AtRingHalter(p, o, 25.0f);
}

// Orders 219 and 220.
void RingAtPoint(std::int16_t index, std::int8_t type, std::uint16_t from, std::uint16_t to) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    if (!StandsOn(*p, p->orders->aInt(), p->orders->bInt())) {
        ClearBefehle(*p);
        return;
    }
    p->type = type;
    SetPersonAnim(index, kAnimStand);
    MoveSelectionMode(*p, from, to);
    PopBefehl(*p);
}

}  // namespace

void PickUpObject(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    const bool taken = (order.flags & kBefehlObjectTaken) != 0;
    SonderObj* o = UsedSonderObj(order.aInt());
    if (!taken && !MayTake(o, order)) {
        ClearBefehle(p);
        return;
    }
    if (FirstBefehlTick(order)) {
        const FacingSpots* at = ObjectSpots(p.direction);
        if (at == nullptr || !StandsOn(p, Trunc(o->x) + at->pickUp.x, Trunc(o->y) + at->pickUp.y)) {
            ClearBefehle(p);
            return;
        }
    }
    if (p.type == kTypeFireFighter) {
        p.type = kTypeCarryingObject;
        FollowSelectionMode(p);
        SetPersonAnim(index, kAnimStoop);
        p.link = static_cast<std::uint16_t>(order.aInt());
        return;
    }
    if (p.type != kTypeCarryingObject || p.frameTimer != 0) return;
    if (p.frame == kTakeFrame && !taken) {
        FreeSonderObjSlot(order.aInt());
        order.flags |= kBefehlObjectTaken;
    } else if (p.frame == 0) {
        PopBefehl(p);
    }
}

void PutDownObject(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    if (p.anim == kAnimWalk) SetPersonAnim(index, kAnimStand);
    // Facings other than 1, 3, 7 and 9 have no place in front of the person.
    const FacingSpots* at = ObjectSpots(p.direction);
    if (p.direction != p.orders->aInt() || at == nullptr) {
        RefuseNoRoom(p);
        return;
    }
    const std::int16_t slot = FindFreeSonderObj();
    if (slot < 0) return;
    const int x = Trunc(p.x) + at->putDown.x;
    const int y = Trunc(p.y) + at->putDown.y;
    CreateSonderObj(slot, kSobjCarried, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                    0, kSolidEverySide, kByFootPoint, 0.0f, 0);
    SonderObj& o = SonderObjs[static_cast<std::size_t>(slot)];
    o.visible = 0;
    const SonderObjTyp* t = SonderObjTypAt(kSobjCarried);
    const PersonTyp& typ = PersonTypOf(p);
    const Rect16 box = t != nullptr ? SonderObjBox(*t, x, y) : Rect16{};
    if (t == nullptr || FindCollisionAt(0, &p, &typ, box.x1, box.y1, box.x2, box.y2,
                                        static_cast<std::int16_t>(p.house), p.storey,
                                        typ.terrainColumn, nullptr) != 0) {
        FreeSonderObjSlot(slot);
        RefuseNoRoom(p);
        return;
    }
    o.visible = 1;
    if (p.type == kTypeCarryingObject) {
        p.type = kTypeFireFighter;
        FollowSelectionMode(p);
    }
    p.link = kNoLink;
    p.direction = static_cast<std::int8_t>(WrapDirection(p.direction + 6));
    PopBefehl(p);
}

void PickUpReifen(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const std::int32_t slot = p.orders->aInt();
    SonderObj* o = UsedSonderObj(slot);
    const SonderObjTyp* t = o != nullptr ? SonderObjTypAt(o->type) : nullptr;
    if (t == nullptr || o->type != p.orders->bInt() ||
        RectsIntersect(PersonBox(p, kReifenReach), SonderObjBox(*t, Trunc(o->x), Trunc(o->y))) ==
            0) {
        ClearBefehle(p);
        return;
    }
    p.type = kTypeCarryingReifen;
    MoveSelectionMode(p, kModeFireFighter, kModeCarryingReifen);
    p.link = static_cast<std::uint16_t>(slot);
    o->visible = 0;
    SetPersonAnim(index, kAnimStand);
    PopBefehl(p);
}

void PutDownReifen(std::int16_t index) {
    Person* person = UsedPersonAt(index);
    if (person == nullptr) return;
    Person& p = *person;
    ClearBefehle(p);
    SonderObj* tyre = UsedSonderObj(p.link);
    if (tyre == nullptr) return;
    PlaceReifen(p, *tyre);
    SonderObjContact contact;
    if (TestSonderObjCollision(static_cast<std::int16_t>(p.link), kTestMapEdge,
                               PersonTypOf(p).terrainColumn, contact) != 0) {
        SetMessageLine(kNoRoomText, kMessageFrames);
        return;
    }
    p.type = kTypeFireFighter;
    MoveSelectionMode(p, kModeCarryingReifen, kModeFireFighter);
    SetPersonAnim(index, kAnimStand);
    tyre->visible = 1;
    p.link = kNoLink;
}

void DropReifen(std::int16_t index) {
    Person* p = UsedPersonAt(index);
    if (p == nullptr) return;
    if (SonderObj* tyre = UsedSonderObj(p->link)) {
        PlaceReifen(*p, *tyre);
        tyre->visible = 1;
    }
    p->link = kNoLink;
}

void PickUpRing(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    SonderObj* o = UsedSonderObj(p.orders->aInt());
    if (o == nullptr ||
        !(InFrontOfRingHalter(p, *o) || (p.direction == 6 && AtRingHalter(p, *o, -5.0f)))) {
        ClearBefehle(p);
        return;
    }
    o->type = kSobjRingHalter;
    p.type = kTypeCarryingRing;
    SetPersonAnim(index, kAnimStand);
    MoveSelectionMode(p, kModeFireFighter, kModeCarryingRing);
    PopBefehl(p);
}

void ThrowRing(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    SonderObj* o = UsedSonderObj(p.orders->aInt());
    if (o == nullptr || !InFrontOfRingHalter(p, *o)) {
        ClearBefehle(p);
        return;
    }
    o->type = kSobjRingHalterMitRing;
    p.type = kTypeFireFighter;
    SetPersonAnim(index, kAnimStand);
    MoveSelectionMode(p, kModeCarryingRing, kModeFireFighter);
    PopBefehl(p);
}

void TakeRingAtPoint(std::int16_t index) {
    RingAtPoint(index, kTypeCarryingRing, kModeFireFighter, kModeCarryingRing);
}

void PutRingAtPoint(std::int16_t index) {
    RingAtPoint(index, kTypeFireFighter, kModeCarryingRing, kModeFireFighter);
}

}  // namespace kv
