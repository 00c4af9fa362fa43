#include "vehicles/crew_befehle.h"

#include <algorithm>
#include <cstdlib>

#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "core/saturate.h"
#include "core/selection.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand_cells.h"
#include "world/explosions.h"
#include "world/geometry.h"
#include "world/materials.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

// Vehicle animations of the doors.
constexpr std::int8_t kAnimClosed = 0;
constexpr std::int8_t kAnimDoorOpen = 2;
constexpr std::int8_t kAnimHatchOpen = 4;    // for the jump-cushion team
constexpr std::int8_t kAnimLadderSetUp = 3;  // the F106 with its ladder set up
constexpr std::int8_t kAnimLadderDoorOpen = 13;

// The occupants get out on the tick on which the countdown reaches this.
constexpr std::int32_t kCrewOutTick = 4;
constexpr std::int32_t kStaffOnly = 1;

// The jump-cushion team sets up its cushion once out.
constexpr std::int8_t kPersonTypJumpCushion = 6;
constexpr std::uint8_t kOpSetUpCushion = 191;
constexpr std::int32_t kPhraseOnMyWay = 17;

// A person out of a vehicle rests up to this many ticks before its idle animation starts.
constexpr int kIdlePauseTicks = 120;
constexpr std::int8_t kFacingOut = 6;
constexpr std::int8_t kFacingLying = 7;
// Nobody is put down closer to the map's top or left edge.
constexpr int kMapMargin = 20;
constexpr std::uint8_t kPushAnyWay = 15;

bool HoldsJumpCushionTeam(const Fahrzeug& v) {
    if (v.seats.empty()) return false;
    const Person* p = UsedPersonAt(v.seats.front());
    return p != nullptr && p->type == kPersonTypJumpCushion;
}

bool StandsFree(const Person& p) {
    const int x = TruncInt(p.x);
    const int y = TruncInt(p.y);
    if (x < kMapMargin || x > WorldMaxX || y < kMapMargin || y > WorldMaxY) return false;
    const PersonTyp& typ = PersonTypOf(p);
    const auto direction = static_cast<std::uint8_t>(p.direction);
    const auto anim = static_cast<std::uint8_t>(p.anim);
    return FootprintOnMap(typ, p.x, p.y, direction, anim) &&
           TestCollision(0, p, typ, p.x, p.y, direction, p.storey, anim, nullptr) == 0;
}

// From the exit point the person is shifted along the side the point lies on, by 1, -1, 2, -2,
// ... px, as far as the vehicle's picture reaches; beside a boat point alternately across (even
// shifts) and down (odd shifts). False when no shift stands free; the person is back on the
// exit point then.
bool FindSpotBeside(std::int16_t index, Person& p, std::uint8_t flags, const VffImage* picture) {
    const int width = picture != nullptr ? picture->width : 0;
    const int height = picture != nullptr ? picture->height : 0;
    SavePersonPos(index);
    const SavedPosition exit = SavedPersonPos;
    for (int shift = 0;;) {
        if (StandsFree(p)) return true;
        RestorePersonPos(index);
        shift = shift > 0 ? -shift : 1 - shift;
        const int reach = std::abs(shift);
        bool alongY = false;
        if ((flags & (kPunktRight | kPunktLeft)) != 0) {
            if (reach > height) break;
            alongY = true;
        } else if ((flags & (kPunktBelow | kPunktAbove)) != 0) {
            if (reach > width) break;
        } else if (flags == kPunktBootPunkt) {
            if (reach > width && reach > height) break;
            alongY = shift % 2 != 0;
        } else {
            break;
        }
        if (alongY)
            p.y = exit.y + static_cast<float>(shift);
        else
            p.x = exit.x + static_cast<float>(shift);
    }
    p.x = exit.x;
    p.y = exit.y;
    return false;
}

// The door closes: the helicopter stands landed, the set-up ladder vehicle keeps its ladder.
void CloseDoor(std::int16_t index, Fahrzeug& v, bool withSound) {
    std::int8_t closed = kAnimClosed;
    if (v.type == kTypF203)
        closed = kHelicopterAnimLanded;
    else if (v.type == kTypF106 && v.anim == kAnimLadderDoorOpen)
        closed = kAnimLadderSetUp;
    SetFahrzeugAnim(index, closed);
    if (withSound) PlaySoundFx(kSoundCarDoor, kOwnerFahrzeug, index, 0, 0, 0, kSoundDepth);
    PopBefehl(v);
}

// Seats from the last to the first. With staffOnly, casualties and persons moved by a controller
// stay inside.
void LetCrewOut(std::int16_t index, Fahrzeug& v, bool staffOnly) {
    for (std::size_t s = v.seats.size(); s-- > 0;) {
        const Person* seated = UsedPersonAt(v.seats[s]);
        if (seated == nullptr) continue;
        if (staffOnly && ((seated->controlFlags & kPersonController) != 0 || seated->casualty != 0))
            continue;
        const std::int16_t out = PlacePersonBesideFahrzeug(static_cast<std::int32_t>(s), index);
        Person* p = UsedPersonAt(out);
        if (p != nullptr && p->offMap == 0 && p->type == kPersonTypJumpCushion)
            SetBefehl(*p, PersonTypOf(*p), kOpSetUpCushion, kPhraseOnMyWay, 0, 0, 0, 0, 0);
    }
}

// At the explosion's trigger frame the burning vehicle, and whoever stands in its ladder basket,
// leave the map; what it set up on the ground goes.
void LeaveMapBurning(std::int16_t index, Fahrzeug& v) {
    v.present = 0;
    if (v.type == kTypF106 && v.kanzel != nullptr && v.kanzel->persons != 0) {
        bool deselected = false;
        for (Person& p : Personen) {
            if (p.type == -1 || p.basketVehicle != static_cast<std::uint16_t>(index)) continue;
            p.present = 0;
            p.selectable = 0;
            deselected = deselected || p.selected != 0;
            p.selected = 0;
        }
        if (deselected) UpdateSelectionMode();
    }
    ReleaseFahrzeugSetUp(index);
}

int TriggerFrame(int kind) {
    if (kind < 0 || kind >= kExplosionKinds) return -1;
    return ExplosionSlots[static_cast<std::size_t>(kind)].damageFrame;
}

}  // namespace

std::int16_t PlacePersonBesideFahrzeug(std::int32_t seat, std::int16_t vehicle) {
    Fahrzeug* v = UsedFahrzeugAt(vehicle);
    if (v == nullptr || seat < 0 || static_cast<std::size_t>(seat) >= v->seats.size()) return -1;
    std::uint16_t& entry = v->seats[static_cast<std::size_t>(seat)];
    Person* person = UsedPersonAt(entry);
    if (person == nullptr) return -1;
    const auto index = static_cast<std::int16_t>(entry);
    Person& p = *person;

    p.storey = 0;
    p.height = 0;
    // Whatever it was told before it got in is dropped, as a reset does.
    DiscardBefehle(p);
    p.frame = 0;
    p.frameTimer = static_cast<std::int8_t>(-(Rand() % kIdlePauseTicks));
    p.offMap = 0;
    p.basketVehicle = 0xFFFF;
    p.direction = p.casualty != 0 ? kFacingLying : kFacingOut;
    p.anim = static_cast<std::int8_t>(p.casualty != 0 ? kAnimLying : kAnimStand);

    const FahrzeugPunkt exit = p.type == kPersonTypJumpCushion
                                   ? GetFahrzeugHatchPoint(vehicle, index)
                                   : GetFahrzeugDoorPoint(vehicle, index);
    p.x = exit.x;
    p.y = exit.y;
    UpdatePersonDrawPos(p);

    bool out = false;
    if (exit.flags == 0) {
        out = false;  // the boat off its points: no way out
    } else if (p.casualty != 0) {
        PushPersonFree(index, kPushAnyWay);
        out = true;
    } else {
        out = FindSpotBeside(index, p, exit.flags, UnitFrameImage(FahrzeugAnim(*v), v->frame));
    }
    UpdatePersonDrawPos(p);
    if (out)
        entry = kNoPerson;
    else
        p.offMap = 1;
    return index;
}

void RunFahrzeugBefehl40(std::int16_t index) {
    Fahrzeug* found = RunningFahrzeug(index);
    if (found == nullptr) return;
    Fahrzeug& v = *found;
    Befehl& order = *v.orders;
    if (FirstBefehlTick(order)) {
        if (HoldsJumpCushionTeam(v))
            SetFahrzeugAnim(index, kAnimHatchOpen);
        else if (v.type == kTypF106 && v.anim == kAnimLadderSetUp)
            SetFahrzeugAnim(index, kAnimLadderDoorOpen);
        else if (v.type != kTypF116)
            SetFahrzeugAnim(index, kAnimDoorOpen);
    }
    const bool staffOnly = order.bInt() == kStaffOnly;
    const std::int32_t a = CountDownA(order);
    if (a == kCrewOutTick) LetCrewOut(index, v, staffOnly);
    if (a < 1) CloseDoor(index, v, v.type != kTypF116);
}

void RunFahrzeugBefehl41(std::int16_t index) {
    Fahrzeug* found = RunningFahrzeug(index);
    if (found == nullptr) return;
    Fahrzeug& v = *found;
    Befehl& order = *v.orders;
    if (FirstBefehlTick(order)) {
        const bool ladderUp =
            v.type == kTypF106 && (v.anim == kAnimLadderSetUp || v.anim == kAnimLadderDoorOpen);
        SetFahrzeugAnim(index, ladderUp ? kAnimLadderDoorOpen : kAnimDoorOpen);
    }
    if (CountDownA(order) < 1) CloseDoor(index, v, true);
}

void RunFahrzeugBefehl42(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const MapExitPoint& exit = v->type == kTypF115 ? WaterExit : RoadExit;
    const float reach = 50.0f;
    bool atEdge = false;
    switch (exit.side) {
        case kEdgeLeft:
            atEdge = v->x <= static_cast<float>(exit.x) + reach;
            break;
        case kEdgeTop:
            atEdge = v->y <= static_cast<float>(exit.y) + reach;
            break;
        case kEdgeRight:
            atEdge = v->x >= static_cast<float>(exit.x) - reach;
            break;
        case kEdgeBottom:
            atEdge = v->y >= static_cast<float>(exit.y) - reach;
            break;
        default:
            break;
    }
    // The free path search keeps a flying helicopter's detours on the map, so one that meets
    // others hovering by the exit stops at the map's edge on the exit's side and could never
    // leave; that edge is far enough for it.
    if (v->type == kTypF203 && v->storey == kLayerHelicopter) {
        switch (exit.side) {
            case kEdgeLeft:
                atEdge = atEdge || v->x <= reach;
                break;
            case kEdgeTop:
                atEdge = atEdge || v->y <= reach;
                break;
            case kEdgeRight:
                atEdge = atEdge || v->x >= static_cast<float>(WorldMaxX) - reach;
                break;
            case kEdgeBottom:
                atEdge = atEdge || v->y >= static_cast<float>(WorldMaxY) - reach;
                break;
            default:
                break;
        }
    }
    if (atEdge)
        RemoveFahrzeug(index, kRemoveDrivenOff);
    else
        ClearBefehle(*v);
}

void RunFahrzeugBefehl44(std::int16_t index) {
    Fahrzeug* found = RunningFahrzeug(index);
    if (found == nullptr) return;
    Fahrzeug& v = *found;
    Befehl& order = *v.orders;
    const FahrzeugTyp& typ = FahrzeugTypOf(v);
    const Material& m = MaterialOf(typ.material);
    if (FirstBefehlTick(order)) {
        v.targetable = 0;
        v.selectable = 0;
        if (v.selected != 0) {
            v.selected = 0;
            UpdateSelectionMode();
        }
        v.energy = m.fuel;
        v.heat = 0;
        PlaySoundFx(ExplosionSoundId(), kOwnerFahrzeug, index, 0, 0, 0, kSoundDepth);
    }
    // An object that no longer shows the explosion (or none at all) has ended it.
    const std::int32_t animType = order.bInt();
    const SonderObj* anim = SonderObjAt(order.aInt());
    if (anim == nullptr || anim->type != animType) {
        EndFahrzeugExplosion(index, static_cast<std::uint16_t>(animType));
        RemoveFahrzeug(index, kRemoveDestroyed);
        return;
    }
    // The trigger frame shows for more than one tick; leaving the map again changes nothing.
    if (anim->frame == TriggerFrame(typ.explosionKind)) LeaveMapBurning(index, v);
    if (v.energy >= 1) {
        if (v.heat <= m.maxHeat) {
            AddHeat(v.heat, m.gain);
            v.heat = std::min(v.heat, m.maxHeat);
        }
        brand::BurnFuel(v.energy, v.heat);
        ExplosionDamage(kDamageFromFahrzeug, index);
    }
}

}  // namespace kv
