#include "vehicles/fahrzeug_points.h"

#include "core/unit_views.h"

namespace kv {

namespace {

FahrzeugPunktLookup g_sidePoint = nullptr;

}  // namespace

FahrzeugPunkt GetFahrzeugSidePoint(std::int16_t vehicle, std::int16_t person) {
    if (g_sidePoint != nullptr) return g_sidePoint(vehicle, person);
    const UnitHead* v = FahrzeugUnits.at(vehicle);
    if (v == nullptr) return {};
    return {static_cast<std::int16_t>(v->x), static_cast<std::int16_t>(v->y), 0};
}

void SetFahrzeugSidePointLookup(FahrzeugPunktLookup lookup) {
    g_sidePoint = lookup;
}

}  // namespace kv
