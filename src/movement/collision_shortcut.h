#pragma once
// The waypoint shortcut of the movement handlers: a window over the unit's queue from one
// waypoint to the next one that may be shortcut, with the orders between passed over when the
// straight line between the two is free. A walking or driving unit opens it behind its head
// waypoint and slides it on, one waypoint at a time.

#include <cstdint>

#include "core/unit_head.h"
#include "movement/befehl.h"
#include "movement/unit_type.h"

namespace kv {

// Classes of an order for the window: 0 ends it (no order, or one the window stops at), 1 is
// passed through, 2 is a waypoint the window may end at.
inline constexpr std::uint8_t kShortcutStop = 0;
inline constexpr std::uint8_t kShortcutPass = 1;
inline constexpr std::uint8_t kShortcutWaypoint = 2;

std::uint8_t ClassifyShortcutOrder(const Befehl* order);
// The order the window's end moves to from this one.
Befehl* AdvanceShortcutWindow(Befehl* order);

// Opens the window at the first order that is not passed through, and checks that the unit can
// still go straight to it; when it cannot, the window stays shut and the unit backs off.
void StartWaypointShortcut(UnitHead& unit, const UnitTypHead& type);
// Slides the window on by one waypoint.
void AdvanceWaypointShortcut(UnitHead& unit, const UnitTypHead& type);
// Where the window holds orders to pass over and the straight line is free, removes them, marks
// the end started (inserting a turn into its facing where the line arrives facing otherwise) and
// slides the window on.
void ShortcutWaypoints(UnitHead& unit, const UnitTypHead& type);
// A walking or driving unit's shortcut for the tick: the window opens if shut, and where open
// shortcuts. False when no order is left.
bool ShortcutAhead(UnitHead& unit, const UnitTypHead& type);

}  // namespace kv
