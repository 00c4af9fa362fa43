#include "movement/zones.h"

#include "core/mission_hooks.h"
#include "core/unit_views.h"
#include "movement/unit_type.h"
#include "persons/person_types.h"
#include "vehicles/fahrzeug_typ.h"

namespace kv {

std::uint8_t ZoneCount = 0;
std::vector<Zone> Zones;

namespace {

constexpr std::uint16_t kNoZone = 0xFFFF;

// The unit of a kind and its type record; null for a kind, index or type that names none.
struct UnitAndTyp {
    UnitHead* unit = nullptr;
    const UnitTypHead* typ = nullptr;
};
UnitAndTyp FindUnit(std::uint8_t kind, std::int16_t index) {
    UnitAndTyp found;
    if (kind == kZoneKindVehicle || kind == kZoneKindCivilVehicle) {
        found.unit = FahrzeugUnits.at(index);
        if (found.unit != nullptr) found.typ = FahrzeugTypAt(found.unit->type);
    } else if (kind == kZoneKindPerson) {
        found.unit = PersonUnits.at(index);
        if (found.unit != nullptr) found.typ = PersonTypRecord(found.unit->type);
    }
    return found;
}

// A stored index outside the list counts as none.
Zone* ZoneAt(std::int32_t index) {
    if (index < 0 || index >= static_cast<std::int32_t>(Zones.size())) return nullptr;
    return &Zones[static_cast<std::size_t>(index)];
}

}  // namespace

void ResetZones(int mission) {
    FreeZones();
    if (auto hook = OptionalMissionHook(mission, &MissionHooks::InitZones)) hook();
}

void AllocZones() {
    Zones.assign(ZoneCount, Zone{});
}

void SetZone(std::uint8_t index, std::uint16_t x1, std::uint16_t y1, std::uint16_t x2,
             std::uint16_t y2, std::uint16_t capacity) {
    Zone* z = ZoneAt(index);
    if (z == nullptr) return;
    *z = {static_cast<std::int16_t>(x1),
          static_cast<std::int16_t>(y1),
          static_cast<std::int16_t>(x2),
          static_cast<std::int16_t>(y2),
          capacity,
          0};
}

void FreeZones() {
    Zones = {};
    ZoneCount = 0;
}

void UpdateZoneOccupancy(std::uint8_t kind, std::int16_t index) {
    const UnitAndTyp u = FindUnit(kind, index);
    if (u.unit == nullptr || u.typ == nullptr) return;
    UnitHead& unit = *u.unit;
    const Rect16 foot =
        SlotFootprint(UnitAnimSlot(*u.typ, unit.direction, unit.anim), unit.x, unit.y);

    std::uint16_t inside = kNoZone;
    for (std::size_t i = 0; i < Zones.size(); ++i) {
        const Zone& z = Zones[i];
        if (foot.x1 >= z.x1 && foot.y1 >= z.y1 && foot.x2 <= z.x2 && foot.y2 <= z.y2) {
            inside = static_cast<std::uint16_t>(i);
            break;
        }
    }
    const auto stored = static_cast<std::uint16_t>(unit.zone);
    if (inside == stored) return;
    if (Zone* old = ZoneAt(unit.zone); old != nullptr && old->occupants > 0) --old->occupants;
    unit.zone = static_cast<std::int16_t>(inside);
    if (Zone* now = ZoneAt(unit.zone)) ++now->occupants;
}

bool FindFullZone(const Rect16& footprint, std::uint16_t& index) {
    for (std::size_t i = 0; i < Zones.size(); ++i) {
        const Zone& z = Zones[i];
        if (z.occupants >= z.capacity && RectsIntersect({z.x1, z.y1, z.x2, z.y2}, footprint)) {
            index = static_cast<std::uint16_t>(i);
            return true;
        }
    }
    index = kNoZone;
    return false;
}

}  // namespace kv
