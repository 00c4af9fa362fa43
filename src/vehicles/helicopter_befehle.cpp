#include "vehicles/helicopter_befehle.h"

#include "core/mission_state.h"
#include "media/sound_slots.h"
#include "media/unit_sounds.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "persons/person_houses.h"
#include "persons/person_link.h"
#include "persons/person_rescue.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

constexpr std::uint8_t kLandingFacing = 3;
constexpr std::uint8_t kLandedFrame = 16;
constexpr std::uint8_t kRotorStoppedFrame = 17;
constexpr std::int16_t kTicksPerLandingFrame = 2;
constexpr float kClimbPerTick = 5.0f;
constexpr float kNorthPerTick = 5.0f;

constexpr std::int8_t kAnimHeliStand = 0;
constexpr std::int8_t kAnimRotor = 1;
constexpr std::int8_t kAnimWinchDown = 4;
constexpr std::int8_t kAnimWinchUp = 5;

// The phrases that acknowledge a landing order: flying there, or taking off first.
constexpr std::int32_t kPhraseFly = 2;
constexpr std::int32_t kPhraseTakeOff = 3;

// The landing object as the landing lays it.
constexpr std::int16_t kShadowOffsetX = 5;
constexpr std::int16_t kShadowOffsetY = 163;
constexpr std::uint8_t kShadowBlockMask = 15;
constexpr std::uint8_t kShadowBlendSelector = 2;
constexpr std::uint8_t kShadowBelowEverything = 1;

// Where a set-down person is put, from the ground point, and the box that must be free for it.
constexpr float kSetDownDx = 30.0f;
constexpr float kSetDownDy = 100.0f;
constexpr std::int16_t kSetDownBoxLeft = 10;
constexpr std::int16_t kSetDownBoxTop = 80;
constexpr std::int16_t kSetDownBoxRight = 50;
constexpr std::int16_t kSetDownBoxBottom = 120;
constexpr std::uint8_t kSetDownFacing = 3;
constexpr std::uint8_t kSetDownMask = 15;
constexpr std::uint8_t kOwnTypeClass = 255;

// The order's point, compared with the helicopter's whole position and its facing.
bool AtPoint(const Fahrzeug& v, const Befehl& order) {
    return static_cast<std::int32_t>(v.x) == order.aInt() &&
           static_cast<std::int32_t>(v.y) == order.bInt() && v.direction == kLandingFacing;
}

bool ShowsLastFrame(const Fahrzeug& v) {
    const AnimSlot& slot = FahrzeugAnim(v);
    return slot.frames > 0 && v.frame == slot.frames - 1;
}

// The landing object the helicopter stands on; null when link2 names no such object (a slot
// freed or reused behind its back).
SonderObj* LandingObject(const Fahrzeug& v) {
    SonderObj* o = v.link2 != kNoLink ? SonderObjAt(v.link2) : nullptr;
    return o != nullptr && o->type == kSobjHeliSchatten ? o : nullptr;
}

// Without its landing object the helicopter cannot stand: it is back in the air and the order
// ends.
void BackIntoTheAir(Fahrzeug& v) {
    if (v.storey == 0) v.y -= kHeliFlightHeight;
    v.storey = kLayerHelicopter;
    v.height = 0;
    v.link2 = kNoLink;
    UpdateFahrzeugDrawPos(v);
    PopBefehl(v);
}

// The object's frame counter: a frame every two ticks.
bool StepLandingFrame(SonderObj& o) {
    if (++o.tick < kTicksPerLandingFrame) return false;
    o.tick = 0;
    return true;
}

// Switching between the F203 and the F203B, the selection follows when it is this helicopter.
void SwitchHeliType(std::int16_t index, Fahrzeug& v, std::int16_t to, std::int8_t anim) {
    const std::int16_t from = v.type;
    v.type = static_cast<std::int8_t>(to);
    SetFahrzeugAnim(index, anim);
    if (SelectedIndex == static_cast<std::uint16_t>(index) &&
        SelectionMode == static_cast<std::uint16_t>(from))
        SelectionMode = static_cast<std::uint16_t>(to);
}

}  // namespace

void OrderFahrzeugLandAt(std::int16_t vehicle, std::int16_t x, std::int16_t y) {
    Fahrzeug* v = UsedFahrzeugAt(vehicle);
    if (v == nullptr) return;
    const FahrzeugTyp& typ = FahrzeugTypOf(*v);
    const std::int32_t airY = y - static_cast<std::int32_t>(kHeliFlightHeight);
    if (v->link2 == kNoLink) {
        SetBefehl(*v, typ, kOpMove, kPhraseFly, x, airY, 0, 0, 0);
    } else {
        SetBefehl(*v, typ, kOpTakeOff, kPhraseTakeOff, 0, 0, 0, 0, 0);
        AppendBefehl(*v, kOpMove, x, airY, 0, 0, 1);
    }
    AppendTurnBefehl(*v, kOpTurn, static_cast<float>(x), static_cast<float>(airY), kLandingFacing,
                     0, 1);
    AppendBefehl(*v, kOpLand, x, airY, 0, 0, 1);
}

void RunFahrzeugBefehl51(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    Befehl& order = *v->orders;
    if ((order.flags & kBefehlStarted) == 0) {
        if (!AtPoint(*v, order)) {
            ClearBefehle(*v);
            return;
        }
        const FahrzeugTyp& typ = FahrzeugTypOf(*v);
        CollisionHit hit;
        if (TestCollision(kCollideSizeBox, *v, typ, v->x, v->y + kHeliFlightHeight, kLandingFacing,
                          0, v->anim, &hit) != 0) {
            ClearBefehle(*v);
            return;
        }
        const std::int16_t slot = FindFreeSonderObj();
        if (slot < 0) return;  // waits for a free slot
        CreateSonderObj(slot, kSobjHeliSchatten,
                        static_cast<std::int16_t>(v->drawX + kShadowOffsetX),
                        static_cast<std::int16_t>(v->drawY + kShadowOffsetY), 0, kShadowBlockMask,
                        kShadowBelowEverything, 0.0f, 0);
        SonderObj& o = SonderObjs[static_cast<std::size_t>(slot)];
        o.tick = 0;
        o.visible = 1;
        o.drawStyle = kShadowBlendSelector;
        o.oneShot = 1;
        v->link2 = static_cast<std::uint16_t>(slot);
        v->storey = 0;
        v->y += kHeliFlightHeight;
        v->height = kHeliFlightHeight;
        order.flags |= kBefehlStarted;
    }
    SonderObj* o = LandingObject(*v);
    if (o == nullptr) {
        BackIntoTheAir(*v);
        return;
    }
    if (o->frame != kLandedFrame) {
        if (StepLandingFrame(*o)) ++o->frame;
        v->height -= kClimbPerTick;
        UpdateFahrzeugDrawPos(*v);
        return;
    }
    o->frame = kRotorStoppedFrame;
    StopOwnerSound(kOwnerFahrzeug, index);
    PopBefehl(*v);
    SetFahrzeugAnim(index, kHelicopterAnimLanded);
    o->blockMask = 0;
}

void RunFahrzeugBefehl52(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    SonderObj* o = LandingObject(*v);
    if (o == nullptr) {
        BackIntoTheAir(*v);
        return;
    }
    if (FirstBefehlTick(*v->orders)) {
        o->tick = 0;
        if (o->frame == kRotorStoppedFrame) PlayHeliSound(index, 1);
        --o->frame;
        o->oneShot = 0;
        SetFahrzeugAnim(index, kAnimRotor);
    }
    if (o->frame > 0) {
        if (StepLandingFrame(*o)) --o->frame;
        v->height += kClimbPerTick;
        UpdateFahrzeugDrawPos(*v);
        return;
    }
    const FahrzeugTyp& typ = FahrzeugTypOf(*v);
    CollisionHit hit;
    if (TestCollision(kCollideSizeBox, *v, typ, v->x, v->y - kHeliFlightHeight, kLandingFacing,
                      kLayerHelicopter, v->anim, &hit) != 0) {
        // The air above is taken: the helicopter edges north on the ground until it is free.
        v->y -= kNorthPerTick;
        UpdateFahrzeugDrawPos(*v);
        return;
    }
    FreeSonderObjSlot(v->link2);
    PopBefehl(*v);
    v->storey = kLayerHelicopter;
    v->y -= kHeliFlightHeight;
    v->height = 0;
    v->link2 = kNoLink;
    UpdateFahrzeugDrawPos(*v);
}

void RunFahrzeugBefehl78(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    Befehl& order = *v->orders;
    const std::int32_t personIndex = order.cInt();
    Person* p = UsedPersonAt(personIndex);
    if (FirstBefehlTick(order)) {
        if (!AtPoint(*v, order) || p == nullptr || p->offMap != 0) {
            ClearBefehle(*v);
            return;
        }
        SetFahrzeugAnim(index, kAnimWinchUp);
        return;
    }
    if (!ShowsLastFrame(*v)) return;
    if (v->type == kTypF203B) {
        SetFahrzeugAnim(index, kAnimHeliStand);
        PopBefehl(*v);
        return;
    }
    if (p == nullptr || p->offMap != 0) {
        // Gone, or taken by someone else, while the winch was lowered.
        ClearBefehle(*v);
        return;
    }
    SwitchHeliType(index, *v, kTypF203B, kHelicopterAnimLanded);
    v->link = static_cast<std::uint16_t>(personIndex);
    p->offMap = 1;
    const PersonLinkKind kind = DecodePersonLink(p->link).kind;
    ReleaseTreatingMedic(personIndex);
    if (kind == PersonLinkKind::OnSonderObj || kind == PersonLinkKind::RevivedBy)
        UntieFromSonderObj(personIndex);
}

void RunFahrzeugBefehl79(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    Befehl& order = *v->orders;
    const std::int32_t a = order.aInt();
    const std::int32_t b = order.bInt();
    if (FirstBefehlTick(order)) {
        if (!AtPoint(*v, order)) {
            ClearBefehle(*v);
            return;
        }
        const FahrzeugTyp& typ = FahrzeugTypOf(*v);
        CollisionHit hit;
        if (FindCollisionAt(0, v, &typ, static_cast<std::int16_t>(a + kSetDownBoxLeft),
                            static_cast<std::int16_t>(b + kSetDownBoxTop),
                            static_cast<std::int16_t>(a + kSetDownBoxRight),
                            static_cast<std::int16_t>(b + kSetDownBoxBottom), -1, kLayerHelicopter,
                            typ.terrainColumn, &hit) != 0) {
            ClearBefehle(*v);
            return;
        }
        SetFahrzeugAnim(index, kAnimWinchDown);
        return;
    }
    if (!ShowsLastFrame(*v)) return;
    if (v->type == kTypF203) {
        SetFahrzeugAnim(index, kAnimHeliStand);
        PopBefehl(*v);
        return;
    }
    const std::uint16_t carried = v->link;
    SwitchHeliType(index, *v, kTypF203, kAnimWinchDown);
    v->link = kNoLink;
    Person* p = carried != kNoLink ? UsedPersonAt(carried) : nullptr;
    if (p == nullptr) return;  // nobody aboard: the winch comes up empty
    p->offMap = 0;
    p->x = static_cast<float>(a) + kSetDownDx;
    p->y = static_cast<float>(b) + kSetDownDy;
    UpdatePersonDrawPos(*p);
    PlacePersonFree(static_cast<std::int16_t>(carried), kSetDownFacing, 0, kSetDownMask,
                    kOwnTypeClass);
    AddPersonSonderObj(carried);
}

}  // namespace kv
