#include "vehicles/fahrzeuge.h"

#include "core/fatal_error.h"
#include "core/mission_hooks.h"
#include "vehicles/fahrzeug_typ.h"

namespace kv {

std::int16_t FahrzeugCount = 0;

void AllocFahrzeuge() {}

void InitFahrzeuge(int mission) {
    LoadMissionFahrzeugTypen();
    if (FatalErrorRaised()) return;
    const auto hook = MissionHook(mission, &MissionHooks::InitFahrzeuge, "InitFahrzeuge");
    if (hook == nullptr) return;
    hook();
}

void FreeFahrzeuge() {
    for (int t = 0; t < kFahrzeugTypCount; ++t) FreeFahrzeugTyp(static_cast<std::int16_t>(t));
    FahrzeugCount = 0;
}

void SetFahrzeugPushedObject(UnitHead&, std::uint16_t) {}

int CountTakenSeats(std::int32_t) {
    return 0;
}

}  // namespace kv
