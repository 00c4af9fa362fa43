#pragma once
// The selection as the cursor choice and the click read it: SelectionMode as a signed number, and
// the one person or vehicle it names, looked up once and checked.

#include <cstdint>

#include "core/mission_state.h"
#include "persons/person.h"
#include "vehicles/fahrzeug.h"

namespace kv {

// The mode ranges that name one unit.
inline constexpr std::int16_t kVehicleModeLast = 46;  // 0..46: a vehicle of that type
inline constexpr std::int16_t kPersonModeFirst = 1000;
inline constexpr std::int16_t kPersonModeEnd = 2000;  // 1000..1999: a person of type mode - 1000

// The mode of one selected person of the type.
constexpr std::int16_t PersonSelection(int type) {
    return static_cast<std::int16_t>(kPersonModeFirst + type);
}

inline bool IsVehicleMode(std::int16_t mode) {
    return mode >= 0 && mode <= kVehicleModeLast;
}
inline bool IsPersonMode(std::int16_t mode) {
    return mode >= kPersonModeFirst && mode < kPersonModeEnd;
}
inline bool IsEquipmentMode(std::int16_t mode) {
    return mode >= static_cast<std::int16_t>(kEquipmentSelectedFirst) &&
           mode <= static_cast<std::int16_t>(kEquipmentSelectedLast);
}

struct SelectedUnit {
    std::int16_t mode = -1;       // SignedSelectionMode, or -1 when its unit is gone
    Person* person = nullptr;     // person and equipment modes
    Fahrzeug* vehicle = nullptr;  // vehicle modes
};

// A mode that names one unit whose SelectedIndex lies outside its array or names a free slot
// counts as nothing selected: the simulation may have freed the unit since the mode was set.
SelectedUnit CurrentSelection();

}  // namespace kv
