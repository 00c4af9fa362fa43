#pragma once
// What a finished free path search leaves behind: the chain of points from the unit to the
// reached node, with loops and a useless tail cut out, laid as orders at the head of the unit's
// queue; and a vehicle's way back onto its road route when a detour was needed on the way to a
// route waypoint.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/unit_head.h"
#include "movement/path_nodes.h"
#include "movement/unit_type.h"

namespace kv {

// One point of the path: the node in the search tree, and a private copy that the cutting steps
// change, so the tree stays as the search left it.
struct PathEntry {
    PathNode* node = nullptr;
    PathNode copy;  // its met list is not copied
};
// From the root entry (front) to the reached node (back); towards the end is towards the back.
using PathEntries = std::vector<PathEntry>;

// BuildPathWaypoints' modes.
inline constexpr std::uint8_t kPathToReached = 0;
inline constexpr std::uint8_t kPathToFallback = 1;  // the path ends at a fallback point

// Loops: a later point within this distance of an earlier one, reached over a way this much
// longer, is placed on directly.
inline constexpr float kLoopDistance = 35.0f;
inline constexpr float kLoopFactor = 1.5f;
// A short path's tail: cut when the point nearest the end lies within this distance of it and
// the way there is this much longer.
inline constexpr float kTailDistance = 200.0f;
inline constexpr float kTailFactor = 5.0f;

PathNode CopyPathNode(const PathNode& node);
PathEntries CollectPathEntries(PathNode* reached);
// Drops the entries from index `from` to the end.
void FreePathEntries(PathEntries& entries, std::size_t from);
// The length of the path from entry a to entry b (a before b), along the copies' points.
float PathEntryLength(const PathEntries& entries, std::size_t a, std::size_t b);
// Drops the entries strictly between a and b.
void CutPathEntries(PathEntries& entries, std::size_t a, std::size_t b);
void CutPathLoops(PathEntries& entries);
// For a path that ends short of the goal: ends it at the point nearest its end when the way on
// from there is a long detour for little gain, and drops the unit's road route.
void CutPathTail(UnitHead& unit, PathEntries& entries);
// Whether a contour corner with this point and direction lies above node, looking up through
// contour nodes only.
bool IsContourCornerRepeated(const PathNode* node, float x, float y, std::uint8_t dir);

// Lays the path from the unit to the reached node as orders at the head of the unit's queue,
// reading the goals and the short-path bit of the unit's search. The head move order is popped
// unless the unit is walking a partial path.
void BuildPathWaypoints(std::uint8_t mode, UnitHead& unit, PathNode* reached);

// A vehicle stopped at (stopX, stopY) on the way to its route waypoint (nodeX, nodeY): cuts the
// blocked road edge from its route's graph and queues the way round to the route further on,
// backing up to (backX, backY) first. 1 when the queue was rewritten; 0 when the route has
// nothing left to drive.
// The walk on along the route goes from the stop point whatever way the vehicle faces there.
std::uint8_t RejoinRoute(UnitHead& unit, const UnitTypHead& type, float stopX, float stopY,
                         float backX, float backY, float nodeX, float nodeY);

}  // namespace kv
