#include "world/wasser_strahl.h"

#include "core/unit_views.h"
#include "movement/befehl_queue.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

// The opcodes under which a vehicle works its cannon.
bool IsCannonOpcode(int opcode) {
    return opcode == 53 || opcode == 55 || opcode == 67;
}

// Only a splash object is hidden: the idle record's slot may name a mission's fixed object.
void HideSplash(std::int16_t slot) {
    if (SonderObj* o = SonderObjAt(slot); o != nullptr && o->type == kSplashSonderObjTyp)
        o->visible = 0;
}

}  // namespace

WasserStrahl* FahrzeugWasserStrahl(std::int32_t vehicle) {
    const UnitHead* v = FahrzeugUnits.at(vehicle);
    if (v == nullptr || v->type < 0 || FahrzeugUnits.wasserStrahl == nullptr) return nullptr;
    return FahrzeugUnits.wasserStrahl(static_cast<std::int16_t>(vehicle));
}

void StopWasserStrahl(std::int16_t vehicle, std::uint8_t force) {
    WasserStrahl* jet = FahrzeugWasserStrahl(vehicle);
    if (jet == nullptr) return;
    const UnitHead& v = *FahrzeugUnits.at(vehicle);
    if (force == 0 && v.type != kTypF303) {
        const int opcode = HeadBefehlOpcode(v);
        if (opcode < 0 || IsCannonOpcode(opcode)) {
            if (jet->countdown <= 0) jet->countdown = kWasserStrahlRunOn;
            return;
        }
    }
    jet->active = 0;
    HideSplash(jet->splash);
    jet->countdown = -1;
}

void UpdateWasserStrahl(std::int16_t) {}

void UpdateSchlauchStrahl(std::int16_t) {}

}  // namespace kv
