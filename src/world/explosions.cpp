#include "world/explosions.h"

namespace kv {

std::array<ExplosionSlot, kExplosionKinds> ExplosionSlots{};
ExplosionWatch ExplosionWatcher;

void ExplodeSonderObj(std::int16_t slot) {
    if (ExplosionWatcher.explodeSonderObj != nullptr) ExplosionWatcher.explodeSonderObj(slot);
}

void ExplodeFahrzeug(std::int16_t vehicle) {
    if (ExplosionWatcher.explodeFahrzeug != nullptr) ExplosionWatcher.explodeFahrzeug(vehicle);
}

void ExplosionDamage(int sourceKind, int index) {
    if (ExplosionWatcher.damage != nullptr) ExplosionWatcher.damage(sourceKind, index);
}

void EndExplosion(std::int16_t slot, std::uint16_t animType, std::uint16_t kind) {
    if (ExplosionWatcher.end != nullptr) ExplosionWatcher.end(slot, animType, kind);
}

void ResetExplosions() {
    ExplosionSlots = {};
    ExplosionWatcher = {};
}

}  // namespace kv
