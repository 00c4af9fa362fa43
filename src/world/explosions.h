#pragma once
// Explosions: a one-shot animation placed as a special object over the vehicle or special object
// that explodes, and the heat and damage dealt around a point. A kind's animation is loaded into a
// spare special-object type slot when its first explosion starts and freed when its last one has
// ended and no object shows it. The damage routine is also the heat a burning special object or
// vehicle gives off each tick.

#include <array>
#include <cstdint>

#include "core/record_fields.h"
#include "world/explosion_table.h"

namespace kv {

// One per explosion kind (6 bytes in the save game).
struct ExplosionSlot {
    std::uint16_t live = 0;         // explosions of this kind now running
    std::uint16_t animType = 0;     // the special-object type holding its animation
    std::uint16_t damageFrame = 0;  // the animation frame at which the exploding thing changes
};
template <class V>
constexpr void VisitFields(ExplosionSlot& r, V& v) {
    v("live", r.live);
    v("animType", r.animType);
    v("damageFrame", r.damageFrame);
}
extern std::array<ExplosionSlot, kExplosionKinds> ExplosionSlots;

// Damage sources: a vehicle or a special object. Any other kind deals no heat.
inline constexpr int kDamageFromFahrzeug = 5;
inline constexpr int kDamageFromSonderObj = 6;

// Mission start: no explosion runs.
void ClearExplosions();
// Loads the kind's animation into the type slot and notes the slot and damage frame. A missing
// or empty file is fatal with the kind's message; false then, or for a slot or kind out of range.
bool LoadExplosion(std::int16_t typeSlot, int kind);
// Starts the explosion of the vehicle's type's class and gives the vehicle its burning-out order.
// Nothing for a vehicle that is burning out already, or when the animation finds no slot.
void ExplodeFahrzeug(std::int16_t vehicle);
// Starts the explosion of the object's type's kind and gives the object the explosion command
// (the great fire for kind 5). Nothing for an object under an explosion already, a kind outside
// 0..9, or when the animation finds no slot.
void ExplodeSonderObj(std::int16_t slot);
// One explosion of the vehicle's class, or of the kind, has ended; once the last one of a kind has
// ended and no object shows its animation any more, the animation is freed.
void EndFahrzeugExplosion(std::int16_t vehicle, std::uint16_t animType);
void EndExplosion(std::int16_t slot, std::uint16_t animType, std::uint16_t kind);
// After a load: the animations of the running explosions, and those still playing out after their
// explosion was dropped, are loaded again into their type slots.
void ReloadExplosionAnimations();
// An object of the type has left its slot: an animation that played out after its explosion's
// command was dropped frees its frames when it was the last to show them.
void AnimationObjectGone(std::int16_t type);
// The explosion sound to start: the first of the three that is not playing, the last when all
// are.
int ExplosionSoundId();
// Heat and damage around a vehicle (kDamageFromFahrzeug) or a special object.
void ExplosionDamage(int sourceKind, int index);

// Tests of the callers put stand-ins here: while one is set, the call goes to it and the
// explosion code does not run.
struct ExplosionWatch {
    void (*explodeSonderObj)(std::int16_t slot) = nullptr;
    void (*explodeFahrzeug)(std::int16_t vehicle) = nullptr;
    void (*damage)(int sourceKind, int index) = nullptr;
    void (*end)(std::int16_t slot, std::uint16_t animType, std::uint16_t kind) = nullptr;
};
extern ExplosionWatch ExplosionWatcher;

// No explosion runs and no stand-in is set.
void ResetExplosions();

}  // namespace kv
