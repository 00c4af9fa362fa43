#include "movement/shared_befehle.h"

#include "movement/befehl.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/move_step.h"
#include "movement/stepping.h"

namespace kv {

namespace {

constexpr int kShortcutsPerTick = 3;

// Puts the unit at (x, y) facing direction if its footprint fits there.
bool MoveIfFree(UnitHead& unit, const UnitTypHead& type, float x, float y, std::uint8_t direction) {
    if (TestCollision(0, unit, type, x, y, direction, unit.storey,
                      static_cast<std::uint8_t>(unit.anim), nullptr) != 0)
        return false;
    unit.x = x;
    unit.y = y;
    unit.direction = static_cast<std::int8_t>(direction);
    return true;
}

}  // namespace

bool StepUnitIfFree(UnitHead& unit, const UnitTypHead& type, std::uint8_t direction,
                    std::uint8_t stepAnim, std::uint8_t mode) {
    float x = unit.x;
    float y = unit.y;
    StepMoverFree(unit, type, x, y, direction, stepAnim, mode);
    return MoveIfFree(unit, type, x, y, direction);
}

bool TakeFirstFreeStep(UnitHead& unit, const UnitTypHead& type, std::uint8_t stepAnim,
                       std::uint8_t mode) {
    const std::uint8_t facing = WrapDirection(unit.direction);
    const std::uint8_t toward = GetDirection12(unit, unit.x, unit.y, unit.aimX, unit.aimY);
    const int sense = WrapDirection(facing - toward) < WrapDirection(toward - facing) ? 1 : -1;
    std::uint8_t trial = facing;
    do {
        if (StepUnitIfFree(unit, type, trial, stepAnim, mode)) return true;
        trial = WrapDirection(trial + sense);
    } while (trial != facing);
    return false;
}

void ShortenPlannedPath(UnitHead& unit, const UnitTypHead& type) {
    if (unit.shortcutFirst == nullptr) StartWaypointShortcut(unit, type);
    for (int i = 0; i < kShortcutsPerTick && unit.shortcutFirst != unit.shortcutLast; ++i)
        ShortcutWaypoints(unit, type);
    PopBefehl(unit);
    SettleMover(unit);
}

bool PlaceUnitIfFree(UnitHead& unit, const UnitTypHead& type) {
    if (unit.orders == nullptr) return false;
    const Befehl& order = *unit.orders;
    const float x = order.aFloat();
    const float y = order.bFloat();
    const std::int32_t c = order.cInt();
    const std::uint8_t facing = c >= 0 && c < kDirectionCount ? static_cast<std::uint8_t>(c)
                                                              : WrapDirection(unit.direction);
    if (!MoveIfFree(unit, type, x, y, facing)) return false;
    PopBefehl(unit);
    StopPlanning(unit);
    return true;
}

}  // namespace kv
