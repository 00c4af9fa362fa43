#pragma once
// A left click on a vehicle: a person chooses equipment at it, gets into it, into the ladder's
// basket or into the decontamination; a carrier takes it up; or it becomes the selection.

#include <array>
#include <cstdint>

#include "mission/input/click_orders.h"
#include "vehicles/fahrzeug_typ_table.h"

namespace kv {

// Which persons choose equipment at which vehicles, and the mode the choice sets: the row of the
// clicked vehicle's type that names the selected person's type. The person must stand outside
// every house, and with withoutLink lead or carry nobody. A person of a noBoarding row who fails
// that gets neither equipment nor a seat.
struct EquipmentModeRow {
    std::int16_t vehicleType;
    std::array<std::int8_t, 6> personTypes;  // -1 after the last
    bool withoutLink;
    bool noBoarding;
    std::uint16_t mode;
};
inline constexpr std::array<EquipmentModeRow, 10> kEquipmentModes = {{
    {kTypF102, {1, 2, 3, -1, -1, -1}, true, false, 2009},
    {kTypF102, {9, 13, 17, 20, 22, 25}, true, true, 2010},
    {kTypF103, {1, 2, 3, -1, -1, -1}, true, false, 2001},
    {kTypF103, {10, 13, 20, 25, -1, -1}, true, true, 2002},
    {kTypF104, {1, 2, 3, -1, -1, -1}, true, false, 2003},
    {kTypF104, {8, 16, 21, -1, -1, -1}, false, false, 2004},
    {kTypF105, {1, 2, 3, -1, -1, -1}, true, false, 2005},
    {kTypF105, {10, 15, 18, 23, -1, -1}, false, false, 2006},
    {kTypF108, {1, 2, 3, -1, -1, -1}, true, false, 2007},
    {kTypF108, {9, 17, 22, -1, -1, -1}, false, false, 2008},
}};

// The row of the vehicle type naming the person type; null for none.
const EquipmentModeRow* FindEquipmentMode(int vehicleType, int personType);

// HoverIds[0] is the vehicle. An equipment choice under way ends first; then the mission's hook,
// the tow of a vehicle that cannot be selected, the orders by the vehicle's type, and last
// boarding or selecting the vehicle.
void HandleFahrzeugClick(const ClickPoints& click);

}  // namespace kv
