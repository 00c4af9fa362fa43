#pragma once
// Carrying and pushing orders: the crane takes up and puts down special objects and vehicles, the
// trailers set down and take up their boats, a vehicle pushes or marks an object. The carrier is
// first sent to the thing's pick-up point (GetFahrzeugPickUpPoint); the take-up orders accept
// exactly that point and clear the whole queue anywhere else.

#include <cstdint>
#include <optional>

namespace kv {

// What a carrier takes up: a special object (the crane, order 45) or a vehicle (the crane, order
// 73; the empty trailer takes its boat, order 66).
struct PickUpThing {
    enum class Kind : std::uint8_t { SonderObj, Fahrzeug };
    Kind kind = Kind::SonderObj;
    std::int32_t index = -1;
};
inline PickUpThing PickUpSonderObj(std::int32_t slot) {
    return {PickUpThing::Kind::SonderObj, slot};
}
inline PickUpThing PickUpFahrzeug(std::int32_t vehicle) {
    return {PickUpThing::Kind::Fahrzeug, vehicle};
}

// Whole world pixels.
struct PickUpPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Where a carrier of the type (F110 for objects and vehicles, F119 for an F114) must stand, facing
// 1, 3, 7 or 9, to take the thing up. None for another carrier type or facing, for an object slot
// not in use, for a vehicle not on the map, or for the F119 and anything but an F114.
std::optional<PickUpPoint> GetFahrzeugPickUpPoint(std::int32_t carrierType, PickUpThing thing,
                                                  std::int32_t facing);

// Where a unit whose size box is w wide and h high stands beside the special object, on the side a
// crane would face there (1 above, 3 right, 7 below, 9 left). The crane's own points are these
// with the F110's size. None for a side outside 1, 3, 7, 9 or an object slot not in use.
std::optional<PickUpPoint> SonderObjApproachPoint(std::int32_t slot, std::int32_t w, std::int32_t h,
                                                  std::int32_t side);

// The crane F110 takes up a special object: a = the object, b = its expected type.
void RunFahrzeugBefehl45(std::int16_t vehicle);
// The loaded crane puts its special object down at a, b.
void RunFahrzeugBefehl46(std::int16_t vehicle);
// The trailer F118 sets its boat down at a, b.
void RunFahrzeugBefehl65(std::int16_t vehicle);
// The empty trailer F119 takes up the boat a.
void RunFahrzeugBefehl66(std::int16_t vehicle);
// Marks the special object a as waited on by a vehicle; popped at once.
void RunFahrzeugBefehl70(std::int16_t vehicle);
// The crane F110 takes up a vehicle: a = the vehicle, b = its expected type.
void RunFahrzeugBefehl73(std::int16_t vehicle);
// The loaded crane sets its vehicle down at a, b.
void RunFahrzeugBefehl74(std::int16_t vehicle);
// Pushes the special object a along x to b, then calls back slot c (0 none) with (object,
// vehicle).
void RunFahrzeugBefehl75(std::int16_t vehicle);
// The loaded crane, standing at a, b in facing 1, drops its vehicle beside it for scrapping.
void RunFahrzeugBefehl76(std::int16_t vehicle);

}  // namespace kv
