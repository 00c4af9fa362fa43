#include "vehicles/carry_befehle.h"

#include "core/unit_head.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/sonder_obj.h"

namespace kv {

void RunFahrzeugBefehl45(std::int16_t) {}
void RunFahrzeugBefehl46(std::int16_t) {}
void RunFahrzeugBefehl65(std::int16_t) {}
void RunFahrzeugBefehl66(std::int16_t) {}
void RunFahrzeugBefehl70(std::int16_t) {}
void RunFahrzeugBefehl73(std::int16_t) {}
void RunFahrzeugBefehl74(std::int16_t) {}
void RunFahrzeugBefehl75(std::int16_t) {}
void RunFahrzeugBefehl76(std::int16_t) {}

PickUpPoint GetFahrzeugPickUpPoint(std::int16_t, std::int32_t thing, std::uint8_t) {
    if (thing >= kCarriedFahrzeugLink) {
        const Fahrzeug* v = UsedFahrzeugAt(thing - kCarriedFahrzeugLink);
        return v != nullptr ? PickUpPoint{TruncInt(v->x), TruncInt(v->y)} : PickUpPoint{};
    }
    const SonderObj* o = SonderObjAt(thing);
    return o != nullptr ? PickUpPoint{TruncInt(o->x), TruncInt(o->y)} : PickUpPoint{};
}

}  // namespace kv
