#pragma once
// The free path search around obstacles: a tree of points grown breadth first from the unit
// towards the goals of its head move order. From each point a straight run heads for the goal;
// where something stops it, detour corners on both sides of the obstacle become new points. A few
// expansions run each tick, the budget shared by every unit searching in that tick, and the first
// point that reaches its goal is laid out as waypoint orders at the head of the queue.

#include <cstdint>

#include "core/unit_head.h"
#include "movement/befehl.h"
#include "movement/path_nodes.h"
#include "movement/unit_type.h"

namespace kv {

// One running search, hanging off the unit's pathSearch.
struct PathSearch {
    NodeQueue* open = nullptr;  // owned
    PathTree* tree = nullptr;   // owned
    // The point nearest the goal reached so far at an acceptable detour cost, where the run was
    // heading when it got there, and the node that run started from.
    float bestX = 0;
    float bestY = 0;
    std::uint8_t bestDir = 0;
    float aimX = 0;
    float aimY = 0;
    PathNode* bestNode = nullptr;
    float bestLength = 0;
    std::uint8_t bestPruned = 0;  // 1: bestNode's branch died; the next better point prunes it
    std::uint8_t result = 0;      // kPathShort
    // Expansions so far; a search that only ever moves nodes about ends at kPathExpansionCap.
    std::uint16_t expansions = 0;
};

// PathSearch::result: the path ends short of the true goal.
inline constexpr std::uint8_t kPathShort = 1;

// The budget shared by the units searching in one tick.
inline constexpr int kPathTickBudget = 45;
// Beyond this many nodes the search settles for a partial path.
inline constexpr int kPathNodeLimit = 128;
inline constexpr std::uint16_t kPathExpansionCap = 4096;

// PathNode::dir bits besides the direction (kNodeCopy in path_nodes.h).
inline constexpr std::uint8_t kNodeDirMask = 0x0F;
inline constexpr std::uint8_t kNodeUnreached = 0x80;
// PathNode::kind bits besides the side code (kNodeSplit in path_nodes.h).
inline constexpr std::uint8_t kNodeSideMask = 0x0F;
inline constexpr std::uint8_t kNodeNeedsTurnFix = 0x20;
inline constexpr std::uint8_t kNodeChainMember = 0x80;
// PathNode::flags (kNodeChainNext, kNodeExtended and kNodeStraightMove in path_nodes.h).
inline constexpr std::uint16_t kNodeForward = 0x0002;   // move keeping the facing
inline constexpr std::uint16_t kNodeBackward = 0x0004;  // move backwards keeping the facing
inline constexpr std::uint16_t kNodeTurn = 0x0010;      // turn on the spot to dir
inline constexpr std::uint16_t kNodeTurnFixed = 0x0040;
inline constexpr std::uint16_t kNodeBackOff = 0x0100;  // stands in for origX, origY
inline constexpr std::uint16_t kNodeContourCorner = 0x0200;
inline constexpr std::uint16_t kNodePlaceAtEnd = 0x0400;  // placed on its point after a circle
inline constexpr std::uint16_t kNodeCarried = 0x0800;     // stopped by the person it carries
inline constexpr std::uint16_t kNodeBandEnd = 0x1000;     // in front of a band across the map
inline constexpr std::uint16_t kNodePlace = 0x2000;       // placed on its point
// The contour nodes: a chain step and a corner test walk up through them.
inline constexpr std::uint16_t kNodeContourMask = 0x021E;

// The goal's facing names a direction to turn to on arrival; a facing of 12..15 names none.
constexpr bool WantsFacing(std::uint8_t facing) {
    return (facing & kGoalNoFacing) == 0 && (facing & 0x0F) < 12;
}

// Runs the unit's search for its head move order (0, 2, 4, 5, 54, 159) for one tick, starting
// it on the first call. 1 when the search is over and the queue rewritten: waypoints laid, or the
// order given up. 0 while it runs, and after a failure that removed the order or cleared the
// queue.
std::uint8_t FindPath(UnitHead& unit, const UnitTypHead& type);

// Result codes of one expansion.
inline constexpr std::uint8_t kExpandGoOn = 0;
inline constexpr std::uint8_t kExpandReached = 1;
inline constexpr std::uint8_t kExpandFailed = 2;
inline constexpr std::uint8_t kExpandImpassable = 3;
inline constexpr std::uint8_t kExpandRejoined = 4;
inline constexpr std::uint8_t kExpandNodeLimit = 7;

// One expansion of node: the straight run from its parent and what follows from where it ends.
std::uint8_t ExpandPathNode(UnitHead& unit, const UnitTypHead& type, PathNode* node, PathTree* tree,
                            NodeQueue* open);

// Swaps the first goal at the unit's whole-pixel position (x, y truncated) with goal 0, all but
// their last byte; the first count goals are looked at.
void MoveReachedGoalFirst(GoalList& goals, std::size_t count, float x, float y);

// Frees the unit's search with its tree, goals and open queue, and its turning record; clears
// mover bits 0, 2 and 3.
void FreePathSearch(UnitHead& unit);

}  // namespace kv
