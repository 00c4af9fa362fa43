#include "mission/input/selected_unit.h"

#include "core/mission_state.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

SelectedUnit CurrentSelection() {
    SelectedUnit s;
    s.mode = SignedSelectionMode();
    if (IsVehicleMode(s.mode)) {
        s.vehicle = UsedFahrzeugAt(SelectedIndex);
        if (s.vehicle == nullptr) s.mode = -1;
    } else if (IsPersonMode(s.mode) || IsEquipmentMode(s.mode)) {
        s.person = UsedPersonAt(SelectedIndex);
        if (s.person == nullptr) s.mode = -1;
    }
    return s;
}

}  // namespace kv
