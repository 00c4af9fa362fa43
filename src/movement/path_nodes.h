#pragma once
// The bookkeeping the free path search builds on: the tree of search points, the open queue, the
// obstacles each branch has met, and the freeing of the level's road-node buffer. Every operation
// does nothing when its tree, queue or node is null.

#include <cstdint>

#include "movement/befehl.h"

namespace kv {

// An obstacle a branch has passed: kinds 4 (terrain region) and 6 (map cell) are told apart by
// all three indices, other kinds by the first.
struct MetBlocker {
    std::uint8_t kind = 0;
    std::uint16_t index1 = 0;
    std::uint16_t index2 = 0;
    std::uint16_t index3 = 0;
    std::uint8_t side = 0;  // side code of the contact
    MetBlocker* next = nullptr;
};

// Bits of PathNode::dir and PathNode::flags named here; the search gives the others meaning.
inline constexpr std::uint8_t kNodeCopy = 0x40;             // dir: a copy of an earlier point
inline constexpr std::uint8_t kNodeSplit = 0x40;            // kind: a multi-goal split node
inline constexpr std::uint16_t kNodeChainNext = 0x0080;     // flags: second child continues a chain
inline constexpr std::uint16_t kNodeExtended = 0x8000;      // flags: origX, origY are used
inline constexpr std::uint16_t kNodeStraightMove = 0x0008;  // flags: turnDir is used

// One point of the search. Its stored forms (29, 30 or 37 bytes by flags) are never saved, so
// one record has every field.
struct PathNode {
    float x = 0;
    float y = 0;
    std::uint8_t dir = 0;
    std::uint8_t kind = 0;
    std::uint16_t flags = 0;
    std::uint8_t goal = 0;
    PathNode* parent = nullptr;
    PathNode* first = nullptr;
    PathNode* second = nullptr;
    MetBlocker* met = nullptr;  // owned
    std::uint8_t turnDir = 0;
    float origX = 0;
    float origY = 0;
};

// The search tree. The count is 16-bit although the search stops at 128 nodes: a move to 255 goals
// splits into 255 nodes before its goal children are added, which a byte would wrap.
struct PathTree {
    PathNode* root = nullptr;
    std::uint16_t count = 0;
    GoalList goals;
};

struct NodeQueueLink {
    PathNode* node = nullptr;
    NodeQueueLink* next = nullptr;
};

// The open queue; it owns its links, not the nodes.
struct NodeQueue {
    NodeQueueLink* cursor = nullptr;  // the link last taken
    NodeQueueLink* first = nullptr;
    NodeQueueLink* last = nullptr;
    std::uint16_t count = 0;
};

// New children of parent at its first or second slot; their met lists copy the parent's. The
// Ext forms set flags bit 15 and keep origX, origY.
PathNode* AddFirstChild(PathTree* tree, PathNode* parent, float x, float y, std::uint8_t dir,
                        std::uint8_t kind, std::uint16_t flags, std::uint8_t goal);
PathNode* AddFirstChildExt(PathTree* tree, PathNode* parent, float x, float y, std::uint8_t dir,
                           std::uint8_t kind, std::uint16_t flags, std::uint8_t goal, float origX,
                           float origY);
PathNode* AddSecondChild(PathTree* tree, PathNode* parent, float x, float y, std::uint8_t dir,
                         std::uint8_t kind, std::uint16_t flags, std::uint8_t goal);
PathNode* AddSecondChildExt(PathTree* tree, PathNode* parent, float x, float y, std::uint8_t dir,
                            std::uint8_t kind, std::uint16_t flags, std::uint8_t goal, float origX,
                            float origY);
// A new node between node and its parent (in the parent's slot, or as the root), with node as
// its first child and an empty met list.
PathNode* InsertPathNode(PathTree* tree, PathNode* node, float x, float y, std::uint8_t dir,
                         std::uint8_t kind, std::uint16_t flags, std::uint8_t goal);
PathNode* InsertPathNodeExt(PathTree* tree, PathNode* node, float x, float y, std::uint8_t dir,
                            std::uint8_t kind, std::uint16_t flags, std::uint8_t goal, float origX,
                            float origY);
PathNode* InsertPathNode30(PathTree* tree, PathNode* node, float x, float y, std::uint8_t dir,
                           std::uint8_t kind, std::uint16_t flags, std::uint8_t goal,
                           std::uint8_t turnDir);
// Puts replacement (or nothing) where node hangs: its parent's slot, or the tree's root.
void ReplaceInParent(PathTree* tree, const PathNode* node, PathNode* replacement);
// Whether the node's second child is an alternative, not the rest of a detour chain.
bool HasLiveSecond(const PathNode* node);
// Frees the node with both subtrees and takes it out of its parent's slot (or the root).
void FreePathSubtree(PathTree* tree, PathNode* node);
// A node with the given fields, not yet in a tree; FreePathNode gives it back.
PathNode* NewPathNode(const PathNode& fields);
// Frees one node and its met list; links and the count are the caller's.
void FreePathNode(PathNode* node);
// Frees one node and takes it off the tree's count; links are the caller's.
void DropPathNode(PathTree* tree, PathNode* node);
// No branch on the way from node up to the root; false for null.
bool IsSinglePathToRoot(const PathNode* node);
// Removes a branch that came to an end, upwards while nothing else hangs there, and collapses the
// split nodes left with one child. Clears bestNode when it goes and sets bestPruned when the walk
// ends at a bare bestNode. Returns the node the walk stopped at; null when the tree is gone.
PathNode* PruneDeadBranch(PathTree* tree, PathNode* node, PathNode*& bestNode,
                          std::uint8_t& bestPruned);
// Splits a node serving n goals into halves until each part serves one or two, and queues those.
void FanOutPathNode(PathTree* tree, NodeQueue* open, PathNode* node, std::uint8_t n);
float PathLengthToRoot(const PathNode* node);

NodeQueue* NewQueue();
void QueueAppend(NodeQueue* queue, PathNode* node);
void QueuePush(NodeQueue* queue, PathNode* node);
// The first node, or null for an empty queue.
PathNode* QueuePop(NodeQueue* queue);
// Frees the links and the queue, not the nodes.
void FreeQueue(NodeQueue* queue);

// Returns the new head.
MetBlocker* AddMetBlocker(MetBlocker* head, std::uint8_t kind, std::uint16_t index1,
                          std::uint16_t index2, std::uint16_t index3, std::uint8_t side);
bool FindMetBlocker(MetBlocker* head, std::uint8_t kind, std::uint16_t index1, std::uint16_t index2,
                    std::uint16_t index3, std::uint8_t side, MetBlocker** found);
void FreeMetBlockers(MetBlocker* head);
MetBlocker* CopyMetBlockers(const MetBlocker* head);

// The road-node buffer of a level without road nodes goes at once; all of it at mission end.
void FreeEmptyNodeGraph();
void FreeNodeGraph();

}  // namespace kv
