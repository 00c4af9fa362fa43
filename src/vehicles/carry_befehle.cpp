#include "vehicles/carry_befehle.h"

#include <limits>

#include "core/befehl_callbacks.h"
#include "core/message_line.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "movement/befehl.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_collision.h"

namespace kv {

namespace {

constexpr char kNoRoomText[] = "Zu wenig Platz zum Ablegen!";
constexpr std::uint16_t kNoRoomFrames = 60;

constexpr std::int8_t kAnimStand = 0;
constexpr std::int8_t kAnimPushing = kFahrzeugAnimDriving;

// The object's user while a vehicle waits at it.
constexpr std::int16_t kUserWaitingFahrzeug = 99;
// Set down again, an object is drawn and solid on every side.
constexpr std::uint8_t kSolidEverySide = 15;
// An object put down is tested against the map edge and the cells persons cannot enter.
constexpr std::uint8_t kTestMapEdge = 1;
constexpr std::uint8_t kPersonMoveClass = 16;

// Order 76 counts d up by 2 a tick: the dropped vehicle goes once d passes 10, the order once it
// passes 20.
constexpr std::int32_t kScrapStep = 2;
constexpr std::int32_t kScrapRemoveAfter = 10;
constexpr std::int32_t kScrapEndAfter = 20;
constexpr int kScrapMission = 27;
// The crane drops its vehicle only in this facing.
constexpr std::int8_t kScrapFacing = 1;

// The halves of sizes and boxes are arithmetic shifts (-5 >> 1 = -3), and the slant of a
// diagonal facing truncates toward zero.
// A carrier stands this far clear of the box of what it takes up.
constexpr int kClearance = 2;

constexpr int Half(int v) {
    return v >> 1;
}
constexpr int Slant(int k) {
    return k * 4 / 11;
}

int Whole(float v) {
    return TruncInt(v);
}

// W and H of a type: the right and bottom extents of its size box.
struct TypSize {
    int w = 0;
    int h = 0;
};
TypSize SizeOf(std::int32_t type) {
    const FahrzeugTyp* t = FahrzeugTypAt(type);
    if (t == nullptr) return {};
    return {t->extent[2], t->extent[3]};
}

SonderObj* UsedSonderObj(std::int32_t slot) {
    SonderObj* o = SonderObjAt(slot);
    return o != nullptr && o->type != -1 ? o : nullptr;
}

// A vehicle on the map other than the one asking.
Fahrzeug* OtherFahrzeugOnMap(std::int32_t index, std::int16_t self) {
    if (index == self) return nullptr;
    Fahrzeug* v = UsedFahrzeugAt(index);
    return v != nullptr && v->present != 0 ? v : nullptr;
}

// The vehicle the loaded crane carries, by its link; -1 when the link names none.
std::int32_t CarriedIndex(std::int16_t self, const Fahrzeug& carrier) {
    if (carrier.link < kCarriedFahrzeugLink) return -1;
    const std::int32_t index = carrier.link - kCarriedFahrzeugLink;
    return index != self && UsedFahrzeugAt(index) != nullptr ? index : -1;
}

// The special object the loaded crane carries, by its link.
SonderObj* CarriedSonderObj(const Fahrzeug& carrier) {
    return carrier.link < kCarriedFahrzeugLink ? UsedSonderObj(carrier.link) : nullptr;
}

bool IsPickUpFacing(std::int32_t facing) {
    return facing == 1 || facing == 3 || facing == 7 || facing == 9;
}

std::optional<PickUpPoint> SonderObjPoint(std::int32_t slot, std::int32_t facing) {
    const TypSize crane = SizeOf(kTypF110);
    return SonderObjApproachPoint(slot, crane.w, crane.h, facing);
}

// The crane at a vehicle: its current animation's box, against its draw corner on one axis and
// its position on the other.
std::optional<PickUpPoint> FahrzeugPoint(std::int32_t index, std::int32_t facing) {
    const Fahrzeug* o = OtherFahrzeugOnMap(index, -1);
    if (o == nullptr) return std::nullopt;
    const auto& box = FahrzeugAnim(*o).box;
    const TypSize crane = SizeOf(kTypF110);
    const int x = Whole(o->x);
    const int y = Whole(o->y);
    switch (facing) {
        case 1: {
            const int k = Half(crane.h) - box[1] + 1;
            return PickUpPoint{x + Slant(k), o->drawY - k};
        }
        case 3:
            return PickUpPoint{o->drawX + box[2] + Half(crane.w) + kClearance, y};
        case 7: {
            const int k = box[3] + Half(crane.h) + 1;
            return PickUpPoint{x - Slant(k), o->drawY + k};
        }
        default:
            return PickUpPoint{o->drawX + box[0] - Half(crane.w) - kClearance, y};
    }
}

// The empty trailer at its boat: the two sizes side by side.
std::optional<PickUpPoint> BootPoint(std::int32_t index, std::int32_t facing) {
    const Fahrzeug* o = OtherFahrzeugOnMap(index, -1);
    if (o == nullptr || o->type != kTypF114) return std::nullopt;
    const TypSize trailer = SizeOf(kTypF119);
    const TypSize boat = SizeOf(kTypF114);
    const int k = Half(trailer.h) + Half(boat.h) + kClearance;
    const int s = Half(trailer.w) + Half(boat.w) + kClearance;
    const int x = Whole(o->x);
    const int y = Whole(o->y);
    switch (facing) {
        case 1:
            return PickUpPoint{x + Slant(k), y - k};
        case 3:
            return PickUpPoint{x + s, y};
        case 7:
            return PickUpPoint{x - Slant(k), y + k};
        default:
            return PickUpPoint{x - s, y};
    }
}

bool AtPickUpPoint(const Fahrzeug& carrier, std::int32_t carrierType, PickUpThing thing) {
    const std::optional<PickUpPoint> p =
        GetFahrzeugPickUpPoint(carrierType, thing, carrier.direction);
    return p.has_value() && Whole(carrier.x) == p->x && Whole(carrier.y) == p->y;
}

// The carrier changes type with its load; the selection follows when it is the selected vehicle.
void ChangeCarrierTyp(std::int16_t index, Fahrzeug& v, std::int16_t type) {
    const auto old = static_cast<std::uint16_t>(v.type);
    v.type = static_cast<std::int8_t>(type);
    SetFahrzeugAnim(index, kAnimStand);
    if (SelectedIndex == static_cast<std::uint16_t>(index) && SelectionMode == old)
        SelectionMode = static_cast<std::uint16_t>(type);
}

void RefuseNoRoom(Fahrzeug& v) {
    ClearBefehle(v);
    SetMessageLine(kNoRoomText, kNoRoomFrames);
}

// A vehicle standing at (x, y) in its facing and animation 0: its box inside the map and nothing
// in its way there.
bool FahrzeugFitsAt(const Fahrzeug& v) {
    const FahrzeugTyp& typ = FahrzeugTypOf(v);
    const auto facing = static_cast<std::uint8_t>(v.direction);
    return FootprintOnMap(typ, v.x, v.y, facing, kAnimStand) &&
           TestCollision(0, v, typ, v.x, v.y, facing, v.storey, kAnimStand, nullptr) == 0;
}

// Stands the vehicle at a point with its draw corner there.
void StandFahrzeugAt(std::int16_t index, Fahrzeug& v, float x, float y, std::int8_t facing) {
    v.x = x;
    v.y = y;
    v.direction = facing;
    SetFahrzeugAnim(index, kAnimStand);
    UpdateFahrzeugDrawPos(v);
    v.present = 1;
}

float PointFloat(std::int32_t word) {
    return static_cast<float>(Clamp16(word));
}

}  // namespace

// A unit of size (w, h) at an object o with type box t: the object lies at
// o.x = v.x - t.x1/2 - k x 4/11, o.y = v.y + k on side 1 (k = h/2 - t.y0 + 1), and so on.
std::optional<PickUpPoint> SonderObjApproachPoint(std::int32_t slot, std::int32_t w, std::int32_t h,
                                                  std::int32_t side) {
    if (!IsPickUpFacing(side)) return std::nullopt;
    const SonderObj* o = UsedSonderObj(slot);
    const SonderObjTyp* t = o != nullptr ? SonderObjTypAt(o->type) : nullptr;
    if (t == nullptr) return std::nullopt;
    // The sizes are the 16-bit values of the type's size box.
    const int uw = static_cast<std::int16_t>(w);
    const int uh = static_cast<std::int16_t>(h);
    const int x = Whole(o->x);
    const int y = Whole(o->y);
    switch (side) {
        case 1: {
            const int k = Half(uh) - t->boxY0 + 1;
            return PickUpPoint{x + Half(t->boxX1) + Slant(k), y - k};
        }
        case 3:
            return PickUpPoint{x + t->boxX1 + Half(uw) + kClearance, y + Half(t->boxY1)};
        case 7: {
            const int k = t->boxY1 + Half(uh) + 1;
            return PickUpPoint{x + Half(t->boxX1) - Slant(k), y + k};
        }
        default:
            return PickUpPoint{x + t->boxX0 - Half(uw) - kClearance, y + Half(t->boxY1)};
    }
}

std::optional<PickUpPoint> GetFahrzeugPickUpPoint(std::int32_t carrierType, PickUpThing thing,
                                                  std::int32_t facing) {
    if (!IsPickUpFacing(facing)) return std::nullopt;
    const bool isObject = thing.kind == PickUpThing::Kind::SonderObj;
    if (carrierType == kTypF110)
        return isObject ? SonderObjPoint(thing.index, facing) : FahrzeugPoint(thing.index, facing);
    if (carrierType == kTypF119 && !isObject) return BootPoint(thing.index, facing);
    return std::nullopt;
}

void RunFahrzeugBefehl45(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const std::int32_t slot = v->orders->aInt();
    SonderObj* o = UsedSonderObj(slot);
    if (v->type != kTypF110 || o == nullptr || o->burning != 0 || o->type != v->orders->bInt() ||
        !AtPickUpPoint(*v, kTypF110, PickUpSonderObj(slot))) {
        ClearBefehle(*v);
        return;
    }
    ClearSonderObjCommands(slot);
    o->blockMask = 0;
    o->visible = 0;
    v->link = static_cast<std::uint16_t>(slot);
    ChangeCarrierTyp(index, *v, kTypF110MD);
    PopBefehl(*v);
}

void RunFahrzeugBefehl46(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    SonderObj* o = v->type == kTypF110MD ? CarriedSonderObj(*v) : nullptr;
    if (o == nullptr) {
        ClearBefehle(*v);
        return;
    }
    o->x = PointFloat(v->orders->aInt());
    o->y = PointFloat(v->orders->bInt());
    SonderObjContact contact;
    if (TestSonderObjCollision(static_cast<std::int16_t>(v->link), kTestMapEdge, kPersonMoveClass,
                               contact) != 0) {
        // The crane keeps its load, now at the point.
        RefuseNoRoom(*v);
        return;
    }
    o->tick = 0;
    o->blockMask = kSolidEverySide;
    o->visible = 1;
    v->link = kNoLink;
    ChangeCarrierTyp(index, *v, kTypF110);
    ClearBefehle(*v);
}

void RunFahrzeugBefehl65(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const std::int16_t s = v->type == kTypF118
                               ? CreateFahrzeug(kTypF114, Clamp16(v->orders->aInt()),
                                                Clamp16(v->orders->bInt()), v->direction)
                               : -1;
    if (s < 0) {
        ClearBefehle(*v);
        return;
    }
    Fahrzeug& boat = Fahrzeuge[static_cast<std::size_t>(s)];
    boat.height = 0;
    boat.present = 1;
    boat.targetable = 1;
    boat.selectable = 1;
    SetupFahrzeug(s, kOwnerBought);
    if (!FahrzeugFitsAt(boat)) {
        RemoveFahrzeug(s, kRemoveDrivenOff);
        RefuseNoRoom(*v);
        return;
    }
    ChangeCarrierTyp(index, *v, kTypF119);
    ClearBefehle(*v);
}

void RunFahrzeugBefehl66(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const std::int32_t boat = v->orders->aInt();
    if (v->type != kTypF119 || !AtPickUpPoint(*v, kTypF119, PickUpFahrzeug(boat))) {
        ClearBefehle(*v);
        return;
    }
    RemoveFahrzeug(static_cast<std::int16_t>(boat), kRemoveDrivenOff);
    ChangeCarrierTyp(index, *v, kTypF118);
    ClearBefehle(*v);
}

void RunFahrzeugBefehl70(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    SonderObj* o = UsedSonderObj(v->orders->aInt());
    if (o == nullptr) {
        ClearBefehle(*v);
        return;
    }
    o->user = kUserWaitingFahrzeug;
    o->depthLayer = 0;
    PopBefehl(*v);
}

void RunFahrzeugBefehl73(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const std::int32_t a = v->orders->aInt();
    Fahrzeug* c = OtherFahrzeugOnMap(a, index);
    if (v->type != kTypF110 || c == nullptr || c->type != v->orders->bInt() ||
        !AtPickUpPoint(*v, kTypF110, PickUpFahrzeug(a))) {
        ClearBefehle(*v);
        return;
    }
    ClearBefehle(*c);
    c->present = 0;
    c->link = static_cast<std::uint16_t>(kCarriedFahrzeugLink + index);
    v->link = static_cast<std::uint16_t>(kCarriedFahrzeugLink + a);
    ChangeCarrierTyp(index, *v, kTypF110MD);
    PopBefehl(*v);
}

void RunFahrzeugBefehl74(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const std::int32_t ci = v->type == kTypF110MD ? CarriedIndex(index, *v) : -1;
    if (ci < 0) {
        ClearBefehle(*v);
        return;
    }
    Fahrzeug& c = Fahrzeuge[static_cast<std::size_t>(ci)];
    StandFahrzeugAt(static_cast<std::int16_t>(ci), c, PointFloat(v->orders->aInt()),
                    PointFloat(v->orders->bInt()), v->direction);
    if (!FahrzeugFitsAt(c)) {
        c.present = 0;
        RefuseNoRoom(*v);
        return;
    }
    c.link = kNoLink;
    v->link = kNoLink;
    ChangeCarrierTyp(index, *v, kTypF110);
    ClearBefehle(*v);
}

void RunFahrzeugBefehl75(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const std::int32_t slot = v->orders->aInt();
    const std::int32_t targetX = v->orders->bInt();
    const std::int32_t callback = v->orders->cInt();
    SonderObj* o = UsedSonderObj(slot);
    const SonderObjTyp* t = o != nullptr ? SonderObjTypAt(o->type) : nullptr;
    const bool east = v->direction == 3;
    if (t == nullptr || (!east && v->direction != 9)) {
        ClearBefehle(*v);
        return;
    }
    const FahrzeugTyp& typ = FahrzeugTypOf(*v);
    const int w = typ.extent[2];
    const int wantX = east ? Whole(o->x) + t->boxX0 - Half(w) - kClearance
                           : Whole(o->x) + t->boxX1 + Half(w) + kClearance;
    const int wantY = Whole(o->y) + t->boxY0 + Half(t->boxY1 - t->boxY0);
    if (static_cast<std::uint16_t>(Whole(v->x)) != static_cast<std::uint16_t>(wantX) ||
        Whole(v->y) != wantY) {
        ClearBefehle(*v);
        return;
    }
    const float step = east ? 1.0f : -1.0f;
    o->x += step;
    v->x += step;
    SonderObjContact contact;
    const auto facing = static_cast<std::uint8_t>(v->direction);
    if (TestSonderObjCollision(static_cast<std::int16_t>(slot), kTestMapEdge, kPersonMoveClass,
                               contact) != 0 ||
        TestCollision(0, *v, typ, v->x, v->y, facing, 0, static_cast<std::uint8_t>(v->anim),
                      nullptr) != 0) {
        o->x -= step;
        v->x -= step;
        SetFahrzeugAnim(index, kAnimStand);
        PopBefehl(*v);
        return;
    }
    if (v->anim != kAnimPushing) SetFahrzeugAnim(index, kAnimPushing);
    const bool arrived =
        east ? o->x >= static_cast<float>(targetX) : o->x <= static_cast<float>(targetX);
    if (!arrived) return;
    if (callback != 0) {
        if (const BefehlCallback call = CallbackAt(callback)) call(slot, index);
    }
    SetFahrzeugAnim(index, kAnimStand);
    PopBefehl(*v);
}

void RunFahrzeugBefehl76(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    Befehl& order = *v->orders;
    if ((order.flags & kBefehlStarted) == 0) {
        order.flags |= kBefehlStarted;
        const std::int32_t ci = v->type == kTypF110MD ? CarriedIndex(index, *v) : -1;
        if (ci < 0 || v->direction != kScrapFacing || Whole(v->x) != order.aInt() ||
            Whole(v->y) != order.bInt()) {
            ClearBefehle(*v);
            return;
        }
        Fahrzeug& c = Fahrzeuge[static_cast<std::size_t>(ci)];
        // Beside the crane as a crane in facing 1 would take it up.
        const AnimSlot& slot = FahrzeugAnimSlot(c.type, kScrapFacing, kAnimStand);
        const int k = Half(SizeOf(kTypF110).h) - slot.box[1] + 1;
        StandFahrzeugAt(static_cast<std::int16_t>(ci), c,
                        static_cast<float>(Whole(v->x) - Slant(k)),
                        static_cast<float>(Whole(v->y) + slot.hotY + k), v->direction);
        c.link = kNoLink;
        order.setC(ci);
        v->link = kNoLink;
        ChangeCarrierTyp(index, *v, kTypF110);
        return;
    }
    const std::int32_t before = order.dInt();
    const std::int32_t d = before <= std::numeric_limits<std::int32_t>::max() - kScrapStep
                               ? before + kScrapStep
                               : before;
    order.setD(d);
    const std::int32_t dropped = order.cInt();
    // The dropped vehicle may have gone since; its slot may be free.
    if (before <= kScrapRemoveAfter && d > kScrapRemoveAfter && UsedFahrzeugAt(dropped) != nullptr)
        RemoveFahrzeug(static_cast<std::int16_t>(dropped), kRemoveDestroyed);
    if (d <= kScrapEndAfter) return;
    if (MissionNummer == kScrapMission) DroppedFahrzeugM27 = static_cast<std::uint16_t>(dropped);
    PopBefehl(*v);
}

}  // namespace kv
