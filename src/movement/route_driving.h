#pragma once
// Driving a laid road route: list A holds the waypoints still to drive (its head the one last
// reached, a sentinel before the first), list B the full route. The drive step takes the legs one
// by one; the free path search rejoins the route after a detour through the road-line tests and
// the walk ahead along the waypoints.

#include <cstdint>

#include "core/unit_head.h"
#include "movement/befehl.h"
#include "movement/route.h"
#include "movement/unit_type.h"

namespace kv {

// After a waypoint order is done: the head of list A goes and the next leg is pushed. 1 when one
// was pushed; else the route is dropped and 0.
std::uint8_t NextRouteWaypoint(UnitHead& unit);
// Pushes the leg to the waypoint after the head of list A once more; 0 when there is none.
std::uint8_t RepushRouteWaypoint(UnitHead& unit);
// Puts the move order the route was planned for back at the head of the queue. Unless forced,
// nothing is pushed when the route ended at the target and the order was removed.
void RestoreRouteOrder(UnitHead& unit, bool forced);
// Drops the entries of list B the unit has passed on its way to the next waypoint and copies
// list B's head into list A's head. 0 without list B.
std::uint8_t AdvanceRouteListB(UnitHead& unit);
// Drops entries from the head of list B until it stands where list A's head does.
void SyncRouteLists(UnitHead& unit);

// Whether b lies ahead of a on one straight road: following a's slot of the direction from a to
// b, again and again, reaches b.
bool IsOnRoadLine(const UnitHead& unit, std::uint16_t a, std::uint16_t b);
// The foot of (x, y) on the road through a in the step direction nearest a-b; true when it lies
// between a and b.
bool FootOnRoadLine(const UnitHead& unit, std::uint16_t a, std::uint16_t b, float x, float y,
                    float& fx, float& fy);
bool JoinRoadLine(const UnitHead& unit, float x, float y, std::uint16_t a, std::uint16_t b,
                  float& fx, float& fy);

// Walks a point from (x, y) towards the waypoint as the unit would drive, through obstacles of
// fewer steps than the type's look-ahead count. Stopped: the last free point and the waypoint
// go into goals (count 2). Reached with next following: nothing (count 0); reached at the last
// waypoint: the waypoint, and the target of the planned order when there is one.
std::uint8_t WalkToWaypoint(UnitHead& unit, const UnitTypHead& type, float x, float y,
                            const RouteWaypoint& waypoint, const RouteWaypoint* next,
                            GoalList& goals);
// The goals for rejoining the route from (x, y): walks on from waypoint to waypoint after the
// head of list A, dropping each one reached. When list A runs out both lists are freed and the
// count is 0.
std::uint8_t RejoinRouteWalk(UnitHead& unit, const UnitTypHead& type, float x, float y,
                             GoalList& goals);

}  // namespace kv
