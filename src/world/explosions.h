#pragma once
// Explosions: a one-shot animation placed over the thing that explodes, and the heat and damage
// dealt around a point. The special objects start and end them and take their damage frames from
// here.
//
// Only what the special objects call is declared so far, with empty bodies; the explosions
// themselves come with a later change that fills these in.

#include <array>
#include <cstdint>

namespace kv {

inline constexpr int kExplosionKinds = 10;

// One per explosion kind.
struct ExplosionSlot {
    std::uint16_t live = 0;         // explosions of this kind now running
    std::uint16_t animType = 0;     // the special-object type holding its animation
    std::uint16_t damageFrame = 0;  // the animation frame at which the exploding thing changes
};
extern std::array<ExplosionSlot, kExplosionKinds> ExplosionSlots;

// Damage sources: a vehicle or a special object.
inline constexpr int kDamageFromFahrzeug = 5;
inline constexpr int kDamageFromSonderObj = 6;

// Starts the explosion of the object's type's explosion kind.
void ExplodeSonderObj(std::int16_t slot);
// Starts the explosion of the vehicle's type's kind and gives the vehicle its burning-out order.
void ExplodeFahrzeug(std::int16_t vehicle);
// Heat and damage around a vehicle (kDamageFromFahrzeug) or a special object.
void ExplosionDamage(int sourceKind, int index);
// One explosion of that kind, started by the object in slot, has run its animation.
void EndExplosion(std::int16_t slot, std::uint16_t animType, std::uint16_t kind);

// While the bodies above are empty, a test can watch the calls through these.
struct ExplosionWatch {
    void (*explodeSonderObj)(std::int16_t slot) = nullptr;
    void (*explodeFahrzeug)(std::int16_t vehicle) = nullptr;
    void (*damage)(int sourceKind, int index) = nullptr;
    void (*end)(std::int16_t slot, std::uint16_t animType, std::uint16_t kind) = nullptr;
};
extern ExplosionWatch ExplosionWatcher;

// No explosion runs and nobody watches.
void ResetExplosions();

}  // namespace kv
