#include "missions/water_on_point.h"

#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "mission/input/click_orders.h"
#include "mission/input/click_targets.h"
#include "movement/befehl_opcodes.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"

namespace kv {

namespace {

// Selection modes below this name a vehicle of that type.
constexpr std::int16_t kVehicleModeEnd = 1000;

}  // namespace

bool WaterOnPoint(std::int16_t slot) {
    const std::int16_t mode = SignedSelectionMode();
    if (mode < 0 || mode >= kVehicleModeEnd) return false;
    Fahrzeug* v = UsedFahrzeugAt(SelectedIndex);
    if (v == nullptr) return false;
    const FahrzeugTyp& type = FahrzeugTypOf(*v);
    if (type.kanone == nullptr) return false;
    // The sums stay 16-bit, as the view's origin and the mouse are.
    const auto tx = static_cast<std::int16_t>(ViewOrigin.x + MouseX);
    const auto ty = static_cast<std::int16_t>(ViewOrigin.y + MouseY);
    const std::int32_t d = DistanceInt(Clamp16(TruncInt(v->x)), Clamp16(TruncInt(v->y)), tx, ty);
    if (d <= type.kanone->range) {
        GiveOrder(*v, type, kOpCannonAtObject, kPhraseUnderstood, tx, ty, slot);
        return true;
    }
    GiveOrder(*v, type, kOpRouteLeg, kPhraseDriveThere, tx, ty);
    ThenOrder(*v, kOpCannonAtObject, tx, ty, slot);
    return true;
}

}  // namespace kv
