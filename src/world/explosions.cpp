#include "world/explosions.h"

#include <algorithm>

#include "core/fatal_error.h"
#include "core/unit_views.h"
#include "gfx/image_files.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/unit_type.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"
#include "world/wasser_strahl.h"

namespace kv {

std::array<ExplosionSlot, kExplosionKinds> ExplosionSlots{};
ExplosionWatch ExplosionWatcher;

namespace {

// Whether a kind's animation is still loaded in its type slot: an animation whose command was
// dropped plays out after its kind's count fell to 0, and a new start reuses its frames. Not
// saved: a load reloads the running kinds.
std::array<bool, kExplosionKinds> FramesHeld{};

// The vehicle order of a vehicle that burns out under its explosion.

bool KindInRange(int kind) {
    return kind >= 0 && kind < kExplosionKinds;
}

ExplosionSlot& SlotOf(int kind) {
    return ExplosionSlots[static_cast<std::size_t>(kind)];
}

const ExplosionKind& RowOf(int kind) {
    return kExplosionKindTable[static_cast<std::size_t>(kind)];
}

// The middle of a box edge, halved toward zero.
int BoxMiddle(int from, int to) {
    return from + (to - from) / 2;
}

// The height of a frame of a set; a frame the set does not have counts as 0.
template <class Frames>
int FrameHeight(const Frames* set, int frame) {
    if (frame < 0 || static_cast<std::size_t>(frame) >= FrameCount(set)) return 0;
    return set[frame].height;
}

int FahrzeugFrameHeight(std::int16_t vehicle, const UnitHead& v) {
    const AnimSlot* anim = FahrzeugUnits.currentAnim(vehicle);
    const VffImage* image = anim != nullptr ? UnitFrameImage(*anim, v.frame) : nullptr;
    return image != nullptr ? image->height : 0;
}

bool KindFramesHeld(int kind) {
    const SonderObjTyp* t = SonderObjTypAt(SlotOf(kind).animType);
    return FramesHeld[static_cast<std::size_t>(kind)] && t != nullptr && t->frames != nullptr;
}

void FreeKindFrames(int kind) {
    FreeSonderObjTypFrames(static_cast<std::int16_t>(SlotOf(kind).animType));
    FramesHeld[static_cast<std::size_t>(kind)] = false;
}

bool AnyObjectShows(std::uint16_t type) {
    for (int i = 0; i < SonderObjCount; ++i) {
        const SonderObj* o = SonderObjAt(i);
        if (o != nullptr && o->type == static_cast<std::int16_t>(type)) return true;
    }
    return false;
}

// The frames go once no explosion of the kind runs and no object shows them any more.
void ReleaseKindFrames(int kind) {
    const ExplosionSlot& e = SlotOf(kind);
    if (e.live == 0 && KindFramesHeld(kind) && !AnyObjectShows(e.animType)) FreeKindFrames(kind);
}

// What both starters share: the kind's animation, loaded by its first explosion, in a free object
// slot that starts clean and frees itself after the last frame. The explosion counts as live only
// once it has both; an animation loaded for one that found no slot goes again. -1 when none.
std::int16_t StartExplosion(int kind) {
    ExplosionSlot& e = SlotOf(kind);
    bool loaded = false;
    if (e.live == 0 && !KindFramesHeld(kind)) {
        const std::int16_t typ = FindFreeSonderObjTyp();
        if (typ < 0 || !LoadExplosion(typ, kind)) return -1;
        loaded = true;
    }
    const std::int16_t s = FindFreeSonderObj();
    SonderObj* anim = SonderObjAt(s);
    if (anim == nullptr) {
        if (loaded) FreeKindFrames(kind);
        return -1;
    }
    ++e.live;
    // A free slot keeps what its last object left; none of it may carry over. Its burning flag
    // was no longer counted.
    ClearSonderObjCommands(s);
    anim->type = static_cast<std::int16_t>(e.animType);
    anim->blockMask = 0;
    anim->visible = 1;
    anim->drawStyle = 0;
    anim->z = 0;
    anim->frame = 0;
    anim->tick = 0;
    anim->oneShot = 1;
    anim->heat = 0;
    anim->fuel = 0;
    anim->burning = 0;
    anim->user = -1;
    anim->storey = 0;
    anim->pushable = 0;
    return s;
}

void EndKind(int kind, std::uint16_t animType) {
    if (!KindInRange(kind)) return;
    ExplosionSlot& e = SlotOf(kind);
    if (e.live == 0) return;
    --e.live;
    if (animType == e.animType)
        ReleaseKindFrames(kind);
    else if (e.live == 0 && !AnyObjectShows(animType))
        FreeSonderObjTypFrames(static_cast<std::int16_t>(animType));
}

}  // namespace

void ClearExplosions() {
    for (ExplosionSlot& e : ExplosionSlots) e.live = 0;
    FramesHeld = {};
}

bool LoadExplosion(std::int16_t typeSlot, int kind) {
    SonderObjTyp* t = SonderObjTypAt(typeSlot);
    if (t == nullptr || !KindInRange(kind)) return false;
    const ExplosionKind& row = RowOf(kind);
    // The slot may have held an object's set before: nothing of it stays.
    const auto wanted = static_cast<std::size_t>(std::max<std::int16_t>(row.frameCount, 0));
    const std::size_t count =
        LoadSonderObjTypFrames(typeSlot, row.file, row.message, wanted, row.ticksPerFrame, true);
    if (count == 0) return false;
    const auto self = static_cast<std::uint16_t>(typeSlot);
    t->boxX0 = row.box[0];
    t->boxY0 = row.box[1];
    t->boxX1 = row.box[2];
    t->boxY1 = row.box[3];
    ExplosionSlot& e = SlotOf(kind);
    e.animType = self;
    e.damageFrame = row.damageFrame;
    FramesHeld[static_cast<std::size_t>(kind)] = true;
    return true;
}

void ExplodeFahrzeug(std::int16_t vehicle) {
    if (ExplosionWatcher.explodeFahrzeug != nullptr) {
        ExplosionWatcher.explodeFahrzeug(vehicle);
        return;
    }
    UnitHead* v = FahrzeugUnits.at(vehicle);
    const FahrzeugTyp* t = v != nullptr ? FahrzeugTypAt(v->type) : nullptr;
    if (t == nullptr) return;
    const int kind = t->explosionKind;
    if (!KindInRange(kind) || HeadBefehlOpcode(*v) == kOpBurnOut) return;
    if (WasserStrahl* jet = FahrzeugWasserStrahl(vehicle)) {
        StopWasserStrahl(vehicle, 0);
        jet->autoAim = 0;
    }
    const std::int16_t s = StartExplosion(kind);
    if (s < 0) return;
    SonderObj& anim = *SonderObjAt(s);
    const ExplosionKind& row = RowOf(kind);
    anim.depthLayer = 0;
    if (row.overBody) {
        anim.x = v->x + static_cast<float>(row.dx);
        anim.y = static_cast<float>(v->drawY + FahrzeugFrameHeight(vehicle, *v) + row.dy);
    }
    SetBefehl(*v, *t, kOpBurnOut, -1, s, SlotOf(kind).animType, 0, 0, 1);
}

void ExplodeSonderObj(std::int16_t slot) {
    if (ExplosionWatcher.explodeSonderObj != nullptr) {
        ExplosionWatcher.explodeSonderObj(slot);
        return;
    }
    SonderObj* o = SonderObjAt(slot);
    if (o == nullptr || o->type == -1) return;
    const SonderObjTyp* t = SonderObjTypAt(o->type);
    if (t == nullptr) return;
    const int kind = t->explosionKind;
    if (!KindInRange(kind)) return;
    if (o->commands && (o->commands->kind == kCmdExplosion || o->commands->kind == kCmdGreatFire))
        return;
    // Taken before the animation is loaded, which may reuse a type slot.
    const ExplosionKind& row = RowOf(kind);
    float x = o->x + static_cast<float>(row.dx);
    float y = o->y + static_cast<float>(row.dy);
    if (row.overBody) {
        x += static_cast<float>(BoxMiddle(t->boxX0, t->boxX1));
        y += static_cast<float>(FrameHeight(t->frames, o->frame));
    }
    const std::int16_t s = StartExplosion(kind);
    if (s < 0) return;
    SonderObj& anim = *SonderObjAt(s);
    anim.depthLayer = row.depthLayer;
    anim.x = x;
    anim.y = y;
    SetSonderObjCommand(slot, kind == kGreatFireExplosion ? kCmdGreatFire : kCmdExplosion,
                        static_cast<std::uint16_t>(s), SlotOf(kind).animType,
                        static_cast<std::uint16_t>(kind));
}

void EndFahrzeugExplosion(std::int16_t vehicle, std::uint16_t animType) {
    const UnitHead* v = FahrzeugUnits.at(vehicle);
    const FahrzeugTyp* t = v != nullptr ? FahrzeugTypAt(v->type) : nullptr;
    if (t != nullptr) EndKind(t->explosionKind, animType);
}

void EndExplosion(std::int16_t slot, std::uint16_t animType, std::uint16_t kind) {
    if (ExplosionWatcher.end != nullptr) {
        ExplosionWatcher.end(slot, animType, kind);
        return;
    }
    EndKind(kind, animType);
}

void ReloadExplosionAnimations() {
    FramesHeld = {};
    const auto missing = [](const ExplosionSlot& e) {
        const SonderObjTyp* t = SonderObjTypAt(e.animType);
        return t != nullptr && t->frames == nullptr;
    };
    for (int kind = 0; kind < kExplosionKinds; ++kind) {
        const ExplosionSlot& e = SlotOf(kind);
        if (e.live > 0 && missing(e)) LoadExplosion(static_cast<std::int16_t>(e.animType), kind);
    }
    // An animation still playing out after its explosion was dropped: its kind's type slot is its
    // own while no running kind has loaded into it.
    for (int kind = 0; kind < kExplosionKinds; ++kind) {
        const ExplosionSlot& e = SlotOf(kind);
        if (e.live == 0 && missing(e) && AnyObjectShows(e.animType))
            LoadExplosion(static_cast<std::int16_t>(e.animType), kind);
    }
}

void AnimationObjectGone(std::int16_t type) {
    for (int kind = 0; kind < kExplosionKinds; ++kind)
        if (SlotOf(kind).animType == static_cast<std::uint16_t>(type)) ReleaseKindFrames(kind);
}

int ExplosionSoundId() {
    int id = kSoundExplosion;
    if (IsSoundPlaying(id)) id = kSoundExplosion2;
    if (IsSoundPlaying(id)) id = kSoundExplosion3;
    return id;
}

void ResetExplosions() {
    ExplosionSlots = {};
    ExplosionWatcher = {};
    FramesHeld = {};
}

}  // namespace kv
