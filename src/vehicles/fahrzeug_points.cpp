#include "vehicles/fahrzeug_points.h"

#include <span>

#include "core/unit_views.h"
#include "persons/person_types.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_punkt_table.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/geometry.h"

namespace kv {

namespace {

constexpr int kBoxGap = 2;

bool ValidFacing(int facing) {
    return facing >= 0 && facing < kDirectionCount;
}

std::int16_t Whole(float v) {
    return static_cast<std::int16_t>(TruncInt(v));
}

// The vehicle and the person a point is asked for; vehicle null when the index names no vehicle
// in use, person null when the rest cannot be looked up.
struct PunktUnits {
    const UnitHead* vehicle = nullptr;
    const UnitHead* person = nullptr;
};

PunktUnits Lookup(std::int16_t vehicle, std::int16_t person) {
    const UnitHead* v = FahrzeugUnits.at(vehicle);
    if (v == nullptr || v->type < 0) return {};
    const UnitHead* p = PersonUnits.at(person);
    if (p == nullptr || p->type < 0 || !ValidFacing(v->direction) || !ValidFacing(p->direction))
        return {v, nullptr};
    return {v, p};
}

// Where nothing can be worked out: the vehicle's own position, or (0, 0) without one.
FahrzeugPunkt NoPunkt(const UnitHead* vehicle) {
    if (vehicle == nullptr) return {};
    return {Whole(vehicle->x), Whole(vehicle->y), 0, 0};
}

// One axis of a vehicle's box and a person's, low and high edges, and the flags of its sides.
struct Axis {
    int vehicleLow;
    int vehicleHigh;
    int personLow;
    int personHigh;
    int personHot;
    std::uint8_t lowFlag;
    std::uint8_t highFlag;
};

// The plain offset from the corner, or for a marker the point that puts the person's box 2 px
// outside the vehicle's on that side. The sums wrap as 16-bit values do.
std::int16_t OnAxis(int corner, std::int16_t offset, const Axis& a, std::uint8_t& flags) {
    int at = corner + offset;
    if (offset == -kPunktBeyond) {
        at = corner + a.vehicleLow - a.personHigh + a.personHot - kBoxGap;
        flags |= a.lowFlag;
    } else if (offset == kPunktBeyond) {
        at = corner + a.vehicleHigh - a.personLow + a.personHot + kBoxGap;
        flags |= a.highFlag;
    }
    return static_cast<std::int16_t>(at);
}

// The offset applied to the vehicle's draw corner, or the markers to its box and the person's.
// The corner is taken from the animation shown now: the stored one may lag a change by a tick.
FahrzeugPunkt ApplyOffset(const UnitHead& v, const UnitHead& p, const PunktOffset& offset) {
    const AnimSlot& vs = FahrzeugAnimSlot(v.type, v.direction, v.anim);
    const AnimSlot& ps = PersonAnimSlot(p.type, p.direction, p.anim);
    FahrzeugPunkt pt;
    pt.facing = offset.facing;
    pt.x = OnAxis(TruncInt(v.x) - vs.hotX, offset.x,
                  {vs.box[0], vs.box[2], ps.box[0], ps.box[2], ps.hotX, kPunktLeft, kPunktRight},
                  pt.flags);
    pt.y = OnAxis(TruncInt(v.y) - vs.hotY, offset.y,
                  {vs.box[1], vs.box[3], ps.box[1], ps.box[3], ps.hotY, kPunktAbove, kPunktBelow},
                  pt.flags);
    return pt;
}

// The boat's door is the exit of the boat point it stands on exactly; the last such point wins.
FahrzeugPunkt BootDoor(const UnitHead& v) {
    FahrzeugPunkt pt = NoPunkt(&v);
    for (const BootPunkt& b : BootPunkte) {
        if (static_cast<float>(b.x + b.dx) != v.x || static_cast<float>(b.y + b.dy) != v.y)
            continue;
        pt = {static_cast<std::int16_t>(b.x + b.ex), static_cast<std::int16_t>(b.y + b.ey), 0,
              kPunktBootPunkt};
    }
    return pt;
}

FahrzeugPunkt Door(const PunktUnits& u) {
    if (u.person == nullptr) return NoPunkt(u.vehicle);
    const UnitHead& v = *u.vehicle;
    if (v.type == kTypF116) return BootDoor(v);
    const PunktRow* row = FindPunktRow(kFahrzeugDoorRows, v.type);
    FahrzeugPunkt pt = ApplyOffset(
        v, *u.person,
        row != nullptr ? (*row)[static_cast<std::size_t>(v.direction)] : kDoorBelowCorner);
    pt.facing = FacingTowardsDoor(pt.flags);
    return pt;
}

// A point of a table with its own facings; the door where the type has no row.
FahrzeugPunkt TablePoint(std::span<const PunktTypRow> table, std::int16_t vehicle,
                         std::int16_t person) {
    const PunktUnits u = Lookup(vehicle, person);
    if (u.person == nullptr) return NoPunkt(u.vehicle);
    const PunktRow* row = FindPunktRow(table, u.vehicle->type);
    if (row == nullptr) return Door(u);
    return ApplyOffset(*u.vehicle, *u.person,
                       (*row)[static_cast<std::size_t>(u.vehicle->direction)]);
}

}  // namespace

std::uint8_t FacingTowardsDoor(std::uint8_t flags) {
    if ((flags & kPunktRight) != 0) return 9;
    if ((flags & kPunktBelow) != 0) return 0;
    if ((flags & kPunktLeft) != 0) return 3;
    if ((flags & kPunktAbove) != 0) return 6;
    return 0;
}

FahrzeugPunkt GetFahrzeugDoorPoint(std::int16_t vehicle, std::int16_t person) {
    return Door(Lookup(vehicle, person));
}

FahrzeugPunkt GetFahrzeugSidePoint(std::int16_t vehicle, std::int16_t person) {
    return TablePoint(kFahrzeugSideRows, vehicle, person);
}

FahrzeugPunkt GetFahrzeugOtherSidePoint(std::int16_t vehicle, std::int16_t person) {
    return TablePoint(kFahrzeugOtherSideRows, vehicle, person);
}

FahrzeugPunkt GetFahrzeugHatchPoint(std::int16_t vehicle, std::int16_t person) {
    return TablePoint(kFahrzeugHatchRows, vehicle, person);
}

}  // namespace kv
