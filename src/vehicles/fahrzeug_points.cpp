#include "vehicles/fahrzeug_points.h"

#include "core/unit_views.h"

namespace kv {

namespace {

FahrzeugPunktLookup g_sidePoint = nullptr;

FahrzeugPunkt OwnPosition(std::int16_t vehicle) {
    const UnitHead* v = FahrzeugUnits.at(vehicle);
    if (v == nullptr) return {};
    return {static_cast<std::int16_t>(v->x), static_cast<std::int16_t>(v->y), 0};
}

}  // namespace

FahrzeugPunkt GetFahrzeugSidePoint(std::int16_t vehicle, std::int16_t person) {
    if (g_sidePoint != nullptr) return g_sidePoint(vehicle, person);
    return OwnPosition(vehicle);
}

FahrzeugPunkt GetFahrzeugOtherSidePoint(std::int16_t vehicle, std::int16_t) {
    return OwnPosition(vehicle);
}

FahrzeugPunkt GetFahrzeugDoorPoint(std::int16_t vehicle, std::int16_t) {
    return OwnPosition(vehicle);
}

FahrzeugPunkt GetFahrzeugHatchPoint(std::int16_t vehicle, std::int16_t) {
    return OwnPosition(vehicle);
}

void SetFahrzeugSidePointLookup(FahrzeugPunktLookup lookup) {
    g_sidePoint = lookup;
}

}  // namespace kv
