#include "missions/approach_points.h"

#include <array>
#include <optional>

#include "core/mission_state.h"
#include "mission/input/click_orders.h"
#include "movement/befehl_opcodes.h"
#include "persons/personen.h"
#include "persons/sonder_obj_actions.h"
#include "vehicles/carry_befehle.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

// The sides in the list's order: below, right, above, left of the object.
constexpr std::array<std::uint8_t, 4> kSides = {7, 3, 1, 9};
// A person at each side turns toward the object.
constexpr std::array<std::uint8_t, 4> kPersonFacings = {1, 9, 7, 3};
// Objects are lifted by the crane, so every vehicle is sent to its points.
constexpr std::int32_t kCraneTyp = 9;
constexpr std::int32_t kPhraseWrecker = 7;

GoalPoint Goal(const PickUpPoint& p, std::uint8_t facing) {
    return {static_cast<float>(p.x), static_cast<float>(p.y), facing, 0};
}

}  // namespace

GoalList ApproachPoints(std::int16_t slot, const Fahrzeug&) {
    GoalList goals;
    for (const std::uint8_t side : kSides)
        if (const std::optional<PickUpPoint> p =
                GetFahrzeugPickUpPoint(kCraneTyp, PickUpSonderObj(slot), side))
            goals.push_back(Goal(*p, side));
    return goals;
}

GoalList ApproachPoints(std::int16_t slot, const Person& acting) {
    const PersonTyp& t = PersonTypOf(acting);
    GoalList goals;
    for (std::size_t i = 0; i < kSides.size(); ++i)
        if (const std::optional<PickUpPoint> p =
                SonderObjApproachPoint(slot, t.extent[2], t.extent[3], kSides[i]))
            goals.push_back(Goal(*p, kPersonFacings[i]));
    return goals;
}

GoalList ReleaseSpotGoals(std::int16_t slot, std::initializer_list<std::uint8_t> facings) {
    GoalList goals;
    for (const std::uint8_t facing : facings)
        for (const SonderObjSpot& spot : kReleaseSpots) {
            if (spot.facing != facing) continue;
            if (const std::optional<PixelPos> p = SonderObjSpotPoint(slot, spot))
                goals.push_back({static_cast<float>(p->x), static_cast<float>(p->y), facing, 0});
        }
    return goals;
}

std::uint8_t SendCraneToObject(std::int16_t slot) {
    Fahrzeug* v = UsedFahrzeugAt(SelectedIndex);
    const SonderObj* o = SonderObjAt(slot);
    if (v == nullptr || o == nullptr) return 0;
    GiveOrder(*v, FahrzeugTypOf(*v), kOpGoals, kPhraseWrecker, ApproachPoints(slot, *v));
    ThenOrder(*v, kOpTakeUpObject, slot, o->type);
    return 1;
}

}  // namespace kv
