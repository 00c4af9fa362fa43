#pragma once
// Inside the water-jet module: how a cannon without orders finds its target by itself. A fire
// engine looks for fire in growing rings of cells and for burning special objects; the crowd
// cannon picks the nearest person it can reach.

#include <cstdint>

#include "core/unit_head.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/jet_common.h"
#include "world/wasser_strahl.h"

namespace kv {

// The cannon of a vehicle's type; null for a type without one.
const KanoneTyp* CannonOf(const UnitHead& vehicle);
// Where the water leaves the nozzle: the mount point of the vehicle's facing, the muzzle of the
// nozzle's absolute direction, and the nozzle height added to y (its ground point).
JetPoint CannonNozzle(const UnitHead& vehicle, const WasserStrahl& jet, const KanoneTyp& cannon);
// The running jet goes off: active 0, splash hidden, countdown off.
void SwitchOffJet(WasserStrahl& jet);

// One tick of the idle search of a cannon other than the crowd cannon. A target found gets its
// cannon order and the jet. True when the vehicle's jet update ends for this tick.
bool SearchFireForIdleCannon(std::int16_t vehicle, UnitHead& head, WasserStrahl& jet,
                             const KanoneTyp& cannon);
// One tick of the crowd cannon's own aim while its water is on and it has no orders.
void AimCrowdCannon(std::int16_t vehicle, const UnitHead& head, WasserStrahl& jet,
                    const KanoneTyp& cannon);
// The person the crowd cannon aims at, if it is still there to be hit; -1 otherwise.
std::int16_t CrowdCannonTarget(const WasserStrahl& jet);

}  // namespace kv
