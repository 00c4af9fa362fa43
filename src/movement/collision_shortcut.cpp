#include "movement/collision_shortcut.h"

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision_line.h"
#include "movement/move_step.h"
#include "movement/stepping.h"
#include "world/geometry.h"

namespace kv {

namespace {

// The window's end from its start: the next waypoint past the orders passed through; the start
// itself when none follows.
Befehl* WindowEnd(Befehl* start) {
    if (ClassifyShortcutOrder(start) == kShortcutStop) return start;
    Befehl* end = AdvanceShortcutWindow(start);
    while (ClassifyShortcutOrder(end) == kShortcutPass) end = AdvanceShortcutWindow(end);
    // An order the window cannot end at holds no point to go straight to.
    return ClassifyShortcutOrder(end) == kShortcutWaypoint ? end : start;
}

Befehl* SkipPassThrough(Befehl* o) {
    while (ClassifyShortcutOrder(o) == kShortcutPass) o = o->next;
    return o;
}

// The back-off direction: that of the step L entries before the run's last, once the run has
// recorded more than L steps.
void BackOff(UnitHead& unit, const UnitTypHead& type) {
    const int back = type.shortcutBackSteps;
    if (back < unit.stepRead)
        unit.stepMarker = StepRingEntry(unit, unit.stepWrite - back).direction;
}

// A run that ends exactly on the end's (c, d) counts as free when the end aims there.
bool StoppedOnAim(const Befehl* end, const LineRun& run) {
    return end != nullptr && (end->flags & kBefehlUseCD) != 0 && run.stopX == end->cFloat() &&
           run.stopY == end->dFloat();
}

// Goes straight from (x, y) facing direction to the point, the step ring kept as it was. When the
// way is not free the unit backs off and the window shuts. True when the way is free.
bool CheckLeg(UnitHead& unit, const UnitTypHead& type, PointF from, std::uint8_t direction,
              PointF to, LineRun& run) {
    StepRingBuffer ring;
    std::uint8_t read = 0;
    std::uint8_t write = 0;
    SaveStepRing(unit, ring, read, write);
    const bool free = TestDirectPath(from.x, from.y, direction, unit, type, to.x, to.y, run) != 0 ||
                      StoppedOnAim(unit.shortcutLast, run);
    if (!free) {
        BackOff(unit, type);
        unit.shortcutLast = unit.shortcutFirst;
    }
    RestoreStepRing(unit, ring, read, write);
    return free;
}

std::uint8_t RunDirection(const UnitHead& unit) {
    // No back-off direction yet: the unit's own.
    return unit.stepMarker < kDirectionCount ? unit.stepMarker
                                             : static_cast<std::uint8_t>(unit.direction);
}

}  // namespace

std::uint8_t ClassifyShortcutOrder(const Befehl* order) {
    if (order == nullptr) return kShortcutStop;
    switch (order->opcode) {
        case 0:
        case 11:
        case 54:
        case 159:
            if ((order->flags & kBefehlDone) == 0) return kShortcutStop;
            if ((order->flags & (kBefehlKeepFacing | kBefehlUseCD)) != 0) return kShortcutPass;
            return kShortcutWaypoint;
        case 1:
        case 3:
        case 4:
        case 6:
        case 12:
            return kShortcutPass;
        default:
            return kShortcutStop;
    }
}

Befehl* AdvanceShortcutWindow(Befehl* order) {
    if (order == nullptr) return nullptr;
    Befehl* next = order->next;
    if (next == nullptr) return nullptr;
    if (order->opcode != kOpTurn) return next->opcode == kOpFollow ? next->next : next;
    // Past a turn, an aimed or straight move that belongs to it goes too.
    const bool belongs = (next->opcode == 0 && (next->flags & kBefehlUseCD) != 0) ||
                         (next->flags & kBefehlKeepFacing) != 0 || next->opcode == 3 ||
                         next->opcode == 4;
    return belongs ? next->next : next;
}

void StartWaypointShortcut(UnitHead& unit, const UnitTypHead& type) {
    Befehl* start = SkipPassThrough(unit.orders);
    unit.shortcutFirst = start;
    unit.shortcutLast = WindowEnd(start);
    if (unit.shortcutLast == start || unit.stepMarker != kNoBackOff) return;
    LineRun run;
    CheckLeg(unit, type, {unit.x, unit.y}, static_cast<std::uint8_t>(unit.direction),
             WaypointOf(*start), run);
}

void AdvanceWaypointShortcut(UnitHead& unit, const UnitTypHead& type) {
    Befehl* old = unit.shortcutFirst;
    if (old == nullptr) return;
    const PointF from = WaypointOf(*old);
    const std::uint8_t direction = RunDirection(unit);
    Befehl* start = SkipPassThrough(old->next);
    unit.shortcutFirst = start;
    unit.shortcutLast = WindowEnd(start);
    if (unit.shortcutLast == start) return;
    LineRun run;
    CheckLeg(unit, type, from, direction, WaypointOf(*start), run);
}

void ShortcutWaypoints(UnitHead& unit, const UnitTypHead& type) {
    Befehl* start = unit.shortcutFirst;
    Befehl* end = unit.shortcutLast;
    if (start == nullptr || end == nullptr || start == end) return;
    LineRun run;
    if (!CheckLeg(unit, type, WaypointOf(*start), RunDirection(unit), WaypointOf(*end), run))
        return;
    FreeBefehleUntil(start, end);
    end->flags |= kBefehlStarted;
    // Arriving facing otherwise than the end wants: turn there. An extra byte that is no
    // direction wants no facing.
    if (end->extra >= 0 && end->extra < kDirectionCount && end->extra != run.stopDir) {
        const PointF at = WaypointOf(*end);
        auto* place = new Befehl;
        place->opcode = kOpPlace;
        place->setA(at.x);
        place->setB(at.y);
        place->setC(static_cast<std::int32_t>(end->extra));
        place->flags = static_cast<std::uint8_t>(end->flags & (kBefehlDone | kBefehlStarted));
        place->next = end->next;
        end->next = place;
    }
    AdvanceWaypointShortcut(unit, type);
}

bool ShortcutAhead(UnitHead& unit, const UnitTypHead& type) {
    if (unit.shortcutFirst == nullptr) StartWaypointShortcut(unit, type);
    if (unit.shortcutFirst != nullptr) ShortcutWaypoints(unit, type);
    return unit.orders != nullptr;
}

}  // namespace kv
