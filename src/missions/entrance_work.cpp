#include "missions/entrance_work.h"

#include <optional>

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_houses.h"
#include "persons/personen.h"

namespace kv {
namespace {

constexpr std::uint8_t kOpWorkAtHouse = 195;
constexpr std::int32_t kAck = 10;
constexpr int kBelowDoor = 36;
constexpr std::int32_t kFacingUp = 1;

}  // namespace

bool SendToWorkAtEntrance(Person& worker, int house, std::int32_t cycles) {
    const std::optional<PixelPos> door = HouseDoorSpot(house);
    if (!door) return false;
    const int x = door->x;
    const int y = door->y + kBelowDoor;
    SetBefehl(worker, PersonTypOf(worker), kOpMove, kAck, x, y, 0, 0, 0);
    AppendBefehl(worker, kOpTurn, x, y, kFacingUp, 0, 0);
    AppendBefehl(worker, kOpWorkAtHouse, x, y, house, cycles, 0);
    return true;
}

}  // namespace kv
