#include "mission/input/click_targets.h"

#include <array>
#include <optional>
#include <utility>

#include "mission/input/click_orders.h"
#include "movement/befehl_opcodes.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

const House* HouseOf(const Person& p) {
    return p.house == 0xFFFF ? nullptr : PlacedHouse(p.house);
}

Fahrzeug* BasketLadder(const Person& p) {
    Fahrzeug* v = UsedFahrzeugAt(p.basketVehicle == 0xFFFF ? -1 : p.basketVehicle);
    return v != nullptr && v->type == kTypF106 && v->kanzel != nullptr ? v : nullptr;
}

bool LadderSetUp(const Fahrzeug& v) {
    return v.type == kTypF106 && v.kanzel != nullptr && (v.anim == 3 || v.anim == 13);
}

void SendCarrier(Fahrzeug& carrier, PickUpThing thing, std::uint8_t opcode, std::int32_t a,
                 std::int32_t b) {
    // The points in the order the carriers' rows list them.
    constexpr std::array<std::uint8_t, 4> kCraneFacings = {7, 3, 1, 9};
    constexpr std::array<std::uint8_t, 4> kTrailerFacings = {1, 3, 7, 9};
    GoalList goals;
    for (const std::uint8_t facing : carrier.type == kTypF119 ? kTrailerFacings : kCraneFacings)
        if (const std::optional<PickUpPoint> p =
                GetFahrzeugPickUpPoint(carrier.type, thing, facing))
            goals.push_back({static_cast<float>(p->x), static_cast<float>(p->y), facing, 0});
    if (goals.empty()) return;
    GiveOrder(carrier, FahrzeugTypOf(carrier), kOpGoals, kPhraseUnderstood, std::move(goals));
    ThenOrder(carrier, opcode, a, b);
}

int CannonStoreyAt(const House& h, const HouseTyp& t, int mouseWorldY) {
    constexpr int kStoreyHeight = 31;
    const int frontLine = (h.y + t.extentJ) * kCellHeight;
    // Truncated towards zero, so the first 30 px below the line still count as storey 0.
    const int k = (frontLine - mouseWorldY) / kStoreyHeight;
    return k < 0 || k > t.floors - 1 ? -1 : k;
}

}  // namespace kv
