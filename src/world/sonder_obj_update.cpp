// The per-tick update of the special objects: animation, fire and the head command of each.

#include <algorithm>
#include <cstdint>

#include "core/fire_counts.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/unit_views.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "movement/traffic_paths.h"
#include "world/ballistics.h"
#include "world/brand_cells.h"
#include "world/explosions.h"
#include "world/level_map.h"
#include "world/materials.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_collision.h"

namespace kv {

namespace {

using brand::Saturate;

constexpr std::int32_t kGreatFireHeat = 800000;
constexpr std::int32_t kFirstIgnitionHeatM21 = 4000;
// The explosion's animation must be past this frame before the object burns on under it.
constexpr int kExplosionBurnFrame = 8;
constexpr int kThrownStep = 15;
constexpr int kRingStep = 4;
constexpr float kThrownLift = 15.0f;
constexpr int kLastGateFrame = 7;
constexpr float kPontoonStep = 2.0f;
constexpr float kTransportStep = 0.5f;
constexpr float kTransportEnd = 9180.0f;
constexpr int kTransportCompanion = 4;
constexpr std::uint8_t kTransportMoveClass = 11;
constexpr std::int16_t kStatusFrozen = 99;
constexpr int kStatusPersonBase = 1000;
constexpr int kBlockingPersonTyp = 38;
constexpr int kTentLift = 23;
constexpr int kCellChangeTicks = 60;

void PlayExplosionSound(int slot) {
    PlaySoundFx(ExplosionSoundId(), kOwnerSonderObj, slot, 0, 0, 0, kSoundDepth);
}

// True while the animation object the explosion placed in slot a still shows its type; a slot
// outside the array counts as ended.
bool AnimationRuns(const SonderObjCommand& c) {
    const SonderObj* anim = SonderObjAt(c.a);
    return anim != nullptr && anim->type == static_cast<std::int16_t>(c.b);
}

// Kind 0: the object under an explosion animation.
void RunExplosion(int slot, SonderObj& o, SonderObjCommand& c) {
    if ((c.flags & kCmdStarted) == 0) {
        c.flags |= kCmdStarted;
        o.heat = 0;
        PlayExplosionSound(slot);
    }
    if (!AnimationRuns(c)) {
        o.fuel = 0;
        o.heat = 0;
        // Dropping the command ends the explosion, once.
        ClearSonderObjCommands(slot);
        const SonderObjTyp* t = SonderObjTypAt(o.type);
        if (t == nullptr || t->vanishes != 0) FreeSonderObjSlot(slot);
        return;
    }
    const int animFrame = SonderObjAt(c.a)->frame;
    if (const SonderObjTyp* t = SonderObjTypAt(o.type)) {
        const int k = t->explosionKind;
        if (k >= 0 && k < kExplosionKinds &&
            animFrame == ExplosionSlots[static_cast<std::size_t>(k)].damageFrame) {
            if (t->vanishes == 0) {
                o.type = FollowSonderObjTypLink(o.type, t->burntTyp);
                o.frame = 0;
            } else {
                o.visible = 0;
            }
        }
    }
    if (animFrame > kExplosionBurnFrame && o.fuel > 0) {
        const SonderObjTyp* t = SonderObjTypAt(o.type);
        const Material& m = MaterialOf(t != nullptr ? t->material : 0);
        if (o.heat <= m.maxHeat)
            o.heat = std::min(Saturate(std::int64_t{o.heat} + m.gain), m.maxHeat);
        o.fuel = Saturate(std::int64_t{o.fuel} - o.heat);
        ExplosionDamage(kDamageFromSonderObj, slot);
    }
}

// Kind 1: a great fire burns around the object while its animation runs.
void RunGreatFire(int slot, SonderObj& o, SonderObjCommand& c) {
    if ((c.flags & kCmdStarted) == 0) {
        c.flags |= kCmdStarted;
        o.frame = 1;
        o.heat = kGreatFireHeat;
        PlayExplosionSound(slot);
    }
    if (AnimationRuns(c)) {
        ExplosionDamage(kDamageFromSonderObj, slot);
        return;
    }
    o.heat = 0;
    // Dropping the command ends the explosion, once.
    ClearSonderObjCommands(slot);
}

// Kinds 2 and 8: a flight along the block's direction, rising and falling at 45 degrees; the
// last step lands exactly on the distance.
void RunFlight(int slot, SonderObj& o, SonderObjCommand& c) {
    if (!c.flight) {  // nothing to fly
        ClearSonderObjCommands(slot);
        return;
    }
    FlightBlock& f = *c.flight;
    const int step = c.kind == kCmdThrown ? kThrownStep : kRingStep;
    // Counted in int: a travelled count near the end of its 16 bits must still land.
    const int travelled = f.travelled + step;
    if (travelled < f.distance) {
        f.travelled = static_cast<std::int16_t>(travelled);
        o.x += f.stepX * static_cast<float>(step);
        o.y += f.stepY * static_cast<float>(step);
        o.z =
            static_cast<float>(BallisticHeight(f.travelled, f.speed, kCos45, kTan45)) + kThrownLift;
        return;
    }
    const int rest = f.distance - f.travelled;
    f.travelled = static_cast<std::int16_t>(rest);
    o.x += f.stepX * static_cast<float>(rest);
    o.y += f.stepY * static_cast<float>(rest);
    o.z = 0;
    const bool thrown = c.kind == kCmdThrown;
    ClearSonderObjCommands(slot);
    if (thrown)
        ExplodeSonderObj(static_cast<std::int16_t>(slot));
    else
        PlaySoundFx(kFirstMissionSound, kOwnerNone, -1, 0, 0, 0, kSoundDepth);
}

// Kinds 3 and 4: a gate or barrier opens to frame 7 or closes to frame 0, then sets the speed of
// the traffic path it stands on.
void RunGate(int slot, SonderObj& o, const SonderObjCommand& c) {
    if (c.kind == kCmdOpen && o.frame < kLastGateFrame) {
        ++o.frame;
        return;
    }
    if (c.kind == kCmdClose && o.frame > 0) {
        --o.frame;
        return;
    }
    SetZFWegSpeed(c.a, static_cast<float>(c.b));
    ClearSonderObjCommands(slot);
}

// Kind 5: a pontoon slides 2 px a tick to its target x.
void RunPontoonSlide(int slot, SonderObj& o, const SonderObjCommand& c) {
    if (o.type != kSobjPonton) return;
    const float target = c.a;
    if (o.x <= target - kPontoonStep) {
        o.x += kPontoonStep;
    } else if (o.x >= target + kPontoonStep) {
        o.x -= kPontoonStep;
    } else {
        o.x = target;
        ClearSonderObjCommands(slot);
    }
}

// Kind 6: the transport moves on half a pixel a tick, pulling its companion in slot 4 along,
// and reports in the companion's user word why it stands.
void RunTransport(int slot, SonderObj& o) {
    SonderObj* companion = SonderObjAt(kTransportCompanion);
    const bool frozen = companion != nullptr && companion->user == kStatusFrozen;
    o.x += kTransportStep;
    SonderObjContact contact;
    if (TestSonderObjCollision(static_cast<std::int16_t>(slot), 1, kTransportMoveClass, contact) !=
        0) {
        o.x -= kTransportStep;
        if (companion != nullptr && !frozen) {
            std::int16_t status = 2;
            if (contact.kind == kContactSonderObj) {
                status = 4;
            } else if (contact.kind == kContactPerson) {
                const UnitHead* p = PersonUnits.at(contact.index);
                if (p != nullptr && p->type == kBlockingPersonTyp)
                    status = static_cast<std::int16_t>(contact.index + kStatusPersonBase);
            }
            companion->user = status;
        }
    } else if (companion != nullptr && !frozen) {
        companion->x += kTransportStep;
        companion->user = 0;
    }
    if (o.x == kTransportEnd) {
        if (companion != nullptr && !frozen) companion->user = -1;
        ClearSonderObjCommands(slot);
    }
}

// Kind 7: the hospital tent shows see-through while anybody stands inside; the inside is the box
// of the invisible tent.
void RunTent(SonderObj& o, SonderObjCommand& c) {
    if (o.type != kSobjZelt) return;
    const SonderObjTyp* inside = SonderObjTypAt(kSobjZeltUnsichtbar);
    if (inside == nullptr) return;
    const float left = o.x + static_cast<float>(inside->boxX0);
    const float right = o.x + static_cast<float>(inside->boxX1);
    const float top = o.y + static_cast<float>(inside->boxY0 - kTentLift);
    const float bottom = o.y + static_cast<float>(inside->boxY1);
    bool someone = false;
    for (int i = 0; i < PersonUnits.count && !someone; ++i) {
        const UnitHead* p = PersonUnits.at(i);
        if (p == nullptr || p->type == -1 || PersonUnits.isOffMap(i)) continue;
        someone = p->x >= left && p->x <= right && p->y >= top && p->y <= bottom;
    }
    o.drawStyle = someone ? 1 : 0;
    c.b = someone ? 0 : 1;
}

// Kind 9: after 60 ticks of work the map cell is burnt ground and the object shows.
void RunCellChange(int slot, SonderObj& o, SonderObjCommand& c) {
    ++c.c;
    if (c.c != kCellChangeTicks) return;
    if (CellInMap(c.a, c.b)) {
        const auto i = static_cast<std::size_t>(CellIndex(c.a, c.b));
        if (i < BrandStates.size()) BrandStates[i].fuel = 0;
        if (i < CellAnims.size()) CellAnims[i].kind = 4;
        if (i < MapCells.size())
            MapCells[i].material &= static_cast<std::uint8_t>(~kMaterialUnburnt);
    }
    o.visible = 1;
    ClearSonderObjCommands(slot);
}

void RunHeadCommand(int slot, SonderObj& o) {
    SonderObjCommand& c = *o.commands;
    switch (c.kind) {
        case kCmdExplosion:
            RunExplosion(slot, o, c);
            break;
        case kCmdGreatFire:
            RunGreatFire(slot, o, c);
            break;
        case kCmdThrown:
        case kCmdRingFlight:
            RunFlight(slot, o, c);
            break;
        case kCmdOpen:
        case kCmdClose:
            RunGate(slot, o, c);
            break;
        case kCmdPontoonSlide:
            RunPontoonSlide(slot, o, c);
            break;
        case kCmdTransport:
            RunTransport(slot, o);
            break;
        case kCmdTent:
            RunTent(o, c);
            break;
        case kCmdCellChange:
            RunCellChange(slot, o, c);
            break;
        default:
            break;
    }
}

// A burning object burns its fuel and heats what is around it; a cold one cools, or catches fire
// or explodes once its heat passes its material's threshold.
void UpdateFire(int slot, SonderObj& o, const SonderObjTyp& t) {
    const Material& m = MaterialOf(t.material);
    if (o.burning != 0) {
        brand::GainHeat(o.heat, m);
        ExplosionDamage(kDamageFromSonderObj, slot);
        brand::BurnFuel(o.fuel, o.heat);
        if (o.fuel <= 0) {
            o.fuel = 0;
            o.burning = 0;
            --BurningSonderObjCount;
            o.type = FollowSonderObjTypLink(o.type, t.burntTyp);
            o.frame = 0;
            o.tick = 0;
        }
        return;
    }
    if (o.heat <= 0 || (o.commands && o.commands->kind == kCmdExplosion)) return;
    if (o.heat <= m.ignite) {
        brand::LoseHeat(o.heat, m);
        return;
    }
    if (t.explosionKind != kCatchesFire) {
        ExplodeSonderObj(static_cast<std::int16_t>(slot));
        return;
    }
    o.burning = 1;
    ++BurningSonderObjCount;
    o.heat = 0;
    if (MissionNummer == 21 && FirstIgnitionFlagM21 == 1) {
        o.heat = kFirstIgnitionHeatM21;
        FirstIgnitionFlagM21 = 2;
    }
    o.type = FollowSonderObjTypLink(o.type, t.burningTyp);
    o.frame = 0;
    o.tick = 0;
}

}  // namespace

void UpdateSonderObj() {
    for (int i = 0; i < SonderObjCount; ++i) {
        SonderObj* o = SonderObjAt(i);
        if (o == nullptr || o->type == -1) continue;
        const SonderObjTyp* t = SonderObjTypAt(o->type);
        if (t == nullptr) continue;  // a type no slot holds: left as it is
        if (t->frameCount > 1 && ++o->tick >= t->ticksPerFrame) {
            o->tick = 0;
            if (++o->frame >= t->frameCount) {
                if (o->oneShot != 0) {
                    // The slot is free now; nothing more of this object runs.
                    FreeSonderObjSlot(i);
                    continue;
                }
                o->frame = 0;
            }
        }
        if (o->fuel > 0) UpdateFire(i, *o, *t);
        if (o->type != -1 && o->commands) RunHeadCommand(i, *o);
    }
}

}  // namespace kv
