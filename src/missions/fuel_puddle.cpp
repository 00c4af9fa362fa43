#include "missions/fuel_puddle.h"

#include "missions/approach_points.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"

namespace kv {

namespace {

constexpr std::int32_t kBinderAck = 15;
constexpr std::int32_t kFuelWork = 5;

}  // namespace

void SendBinderToFuel(Person& binder, std::int16_t slot, std::uint32_t e) {
    SetBefehl(binder, PersonTypOf(binder), kOpGoals, kBinderAck, ReleaseSpotGoals(slot, {2, 10}), 0,
              0, 0);
    AppendBefehl(binder, kOpWorkThenRemove, slot, kFuelPuddleTyp, kFuelWork, 0, e);
}

}  // namespace kv
