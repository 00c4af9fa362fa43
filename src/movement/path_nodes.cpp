#include "movement/path_nodes.h"

#include <vector>

#include "movement/collision.h"
#include "world/geometry.h"
#include "world/level_map.h"

namespace kv {

namespace {

// Searches make and drop nodes, blocker entries and queue links by the thousand: spent ones are
// kept for reuse, up to a bound. A build without the pool keeps none, so that every record is
// freed when released and the sanitizers catch a use after that.
template <class T>
class RecordPool {
  public:
    RecordPool() = default;
    RecordPool(const RecordPool&) = delete;
    RecordPool& operator=(const RecordPool&) = delete;
    ~RecordPool() {
        for (T* p : spare_) delete p;
    }
    T* make(const T& fields) {
        if (spare_.empty()) return new T(fields);
        T* p = spare_.back();
        spare_.pop_back();
        *p = fields;
        return p;
    }
    void release(T* p) {
        if (p == nullptr) return;
        if (spare_.size() < kKept)
            spare_.push_back(p);
        else
            delete p;
    }

  private:
#ifdef KV_NO_PATH_NODE_POOL
    static constexpr std::size_t kKept = 0;
#else
    static constexpr std::size_t kKept = 4096;
#endif
    std::vector<T*> spare_;
};

RecordPool<PathNode>& NodePool() {
    static RecordPool<PathNode> pool;
    return pool;
}
RecordPool<MetBlocker>& MetPool() {
    static RecordPool<MetBlocker> pool;
    return pool;
}
RecordPool<NodeQueueLink>& LinkPool() {
    static RecordPool<NodeQueueLink> pool;
    return pool;
}

PathNode Plain(float x, float y, std::uint8_t dir, std::uint8_t kind, std::uint16_t flags,
               std::uint8_t goal) {
    PathNode node;
    node.x = x;
    node.y = y;
    node.dir = dir;
    node.kind = kind;
    node.flags = flags;
    node.goal = goal;
    return node;
}

PathNode Extended(float x, float y, std::uint8_t dir, std::uint8_t kind, std::uint16_t flags,
                  std::uint8_t goal, float origX, float origY) {
    PathNode node = Plain(x, y, dir, kind, static_cast<std::uint16_t>(flags | kNodeExtended), goal);
    node.origX = origX;
    node.origY = origY;
    return node;
}

PathNode* AttachChild(PathTree* tree, PathNode* parent, PathNode* PathNode::*slot,
                      const PathNode& fields) {
    if (tree == nullptr || parent == nullptr) return nullptr;
    PathNode* child = NewPathNode(fields);
    child->parent = parent;
    child->met = CopyMetBlockers(parent->met);
    parent->*slot = child;
    ++tree->count;
    return child;
}

PathNode* InsertAbove(PathTree* tree, PathNode* node, const PathNode& fields) {
    if (tree == nullptr || node == nullptr) return nullptr;
    PathNode* inserted = NewPathNode(fields);
    ReplaceInParent(tree, node, inserted);
    inserted->first = node;
    node->parent = inserted;
    ++tree->count;
    return inserted;
}

bool HasNoLiveChild(const PathNode* node) {
    return node->first == nullptr && !HasLiveSecond(node);
}

bool IsInSubtree(const PathNode* candidate, const PathNode* top) {
    for (const PathNode* n = candidate; n != nullptr; n = n->parent)
        if (n == top) return true;
    return false;
}

}  // namespace

void ReplaceInParent(PathTree* tree, const PathNode* node, PathNode* replacement) {
    PathNode* parent = node->parent;
    if (parent == nullptr) {
        if (tree->root == node) tree->root = replacement;
    } else if (parent->first == node) {
        parent->first = replacement;
    } else if (parent->second == node) {
        parent->second = replacement;
    }
    if (replacement != nullptr) replacement->parent = parent;
}

bool HasLiveSecond(const PathNode* node) {
    return node->second != nullptr && (node->flags & kNodeChainNext) == 0;
}

PathNode* AddFirstChild(PathTree* tree, PathNode* parent, float x, float y, std::uint8_t dir,
                        std::uint8_t kind, std::uint16_t flags, std::uint8_t goal) {
    return AttachChild(tree, parent, &PathNode::first, Plain(x, y, dir, kind, flags, goal));
}

PathNode* AddFirstChildExt(PathTree* tree, PathNode* parent, float x, float y, std::uint8_t dir,
                           std::uint8_t kind, std::uint16_t flags, std::uint8_t goal, float origX,
                           float origY) {
    return AttachChild(tree, parent, &PathNode::first,
                       Extended(x, y, dir, kind, flags, goal, origX, origY));
}

PathNode* AddSecondChild(PathTree* tree, PathNode* parent, float x, float y, std::uint8_t dir,
                         std::uint8_t kind, std::uint16_t flags, std::uint8_t goal) {
    return AttachChild(tree, parent, &PathNode::second, Plain(x, y, dir, kind, flags, goal));
}

PathNode* AddSecondChildExt(PathTree* tree, PathNode* parent, float x, float y, std::uint8_t dir,
                            std::uint8_t kind, std::uint16_t flags, std::uint8_t goal, float origX,
                            float origY) {
    return AttachChild(tree, parent, &PathNode::second,
                       Extended(x, y, dir, kind, flags, goal, origX, origY));
}

PathNode* InsertPathNode(PathTree* tree, PathNode* node, float x, float y, std::uint8_t dir,
                         std::uint8_t kind, std::uint16_t flags, std::uint8_t goal) {
    return InsertAbove(tree, node, Plain(x, y, dir, kind, flags, goal));
}

PathNode* InsertPathNodeExt(PathTree* tree, PathNode* node, float x, float y, std::uint8_t dir,
                            std::uint8_t kind, std::uint16_t flags, std::uint8_t goal, float origX,
                            float origY) {
    return InsertAbove(tree, node, Extended(x, y, dir, kind, flags, goal, origX, origY));
}

PathNode* InsertPathNode30(PathTree* tree, PathNode* node, float x, float y, std::uint8_t dir,
                           std::uint8_t kind, std::uint16_t flags, std::uint8_t goal,
                           std::uint8_t turnDir) {
    PathNode fields = Plain(x, y, dir, kind, flags, goal);
    fields.turnDir = turnDir;
    return InsertAbove(tree, node, fields);
}

void FreePathSubtree(PathTree* tree, PathNode* node) {
    if (tree == nullptr || node == nullptr) return;
    ReplaceInParent(tree, node, nullptr);
    // Depth first, first child before second; a stack rather than recursion, since nothing
    // bounds a chain's depth but the tree's size.
    std::vector<PathNode*> pending{node};
    while (!pending.empty()) {
        PathNode* n = pending.back();
        pending.pop_back();
        if (n->second != nullptr) pending.push_back(n->second);
        if (n->first != nullptr) pending.push_back(n->first);
        DropPathNode(tree, n);
    }
}

PathNode* NewPathNode(const PathNode& fields) {
    return NodePool().make(fields);
}

void FreePathNode(PathNode* node) {
    if (node == nullptr) return;
    FreeMetBlockers(node->met);
    NodePool().release(node);
}

void DropPathNode(PathTree* tree, PathNode* node) {
    if (node == nullptr) return;
    FreePathNode(node);
    if (tree != nullptr && tree->count > 0) --tree->count;
}

bool IsSinglePathToRoot(const PathNode* node) {
    if (node == nullptr) return false;
    for (const PathNode* n = node; n->parent != nullptr; n = n->parent) {
        const PathNode* p = n->parent;
        if (p->first == n && HasLiveSecond(p)) return false;
        if (p->second == n && p->first != nullptr) return false;
    }
    return true;
}

PathNode* PruneDeadBranch(PathTree* tree, PathNode* node, PathNode*& bestNode,
                          std::uint8_t& bestPruned) {
    if (tree == nullptr || node == nullptr) return nullptr;
    PathNode* at = node;
    while (true) {
        PathNode* parent = at->parent;
        if (parent == nullptr) {
            FreePathSubtree(tree, tree->root);
            tree->root = nullptr;
            bestNode = nullptr;
            return nullptr;
        }
        if (bestNode != nullptr && IsInSubtree(bestNode, at)) bestNode = nullptr;
        FreePathSubtree(tree, at);
        at = parent;
        if (!HasNoLiveChild(at) || at == bestNode) break;
    }
    if (at == bestNode && HasNoLiveChild(at)) {
        bestPruned = 1;
        return at;
    }
    // Split copies of a multi-goal start left with one child give their place to it.
    while ((at->dir & kNodeCopy) != 0 && at != bestNode) {
        const int children = (at->first != nullptr ? 1 : 0) + (at->second != nullptr ? 1 : 0);
        if (children != 1) break;
        PathNode* child = at->first != nullptr ? at->first : at->second;
        PathNode* parent = at->parent;
        ReplaceInParent(tree, at, child);
        DropPathNode(tree, at);
        at = parent != nullptr ? parent : child;
        if (parent == nullptr) break;
    }
    if (at == bestNode && HasNoLiveChild(at)) bestPruned = 1;
    return at;
}

void FanOutPathNode(PathTree* tree, NodeQueue* open, PathNode* node, std::uint8_t n) {
    if (tree == nullptr || open == nullptr || node == nullptr) return;
    if (n <= 2) {
        QueueAppend(open, node);
        return;
    }
    const auto copyDir = static_cast<std::uint8_t>(node->dir | kNodeCopy);
    PathNode* first = AddFirstChild(tree, node, node->x, node->y, copyDir, kNodeSplit, 0, 0);
    PathNode* second = AddSecondChild(tree, node, node->x, node->y, copyDir, kNodeSplit, 0, 0);
    FanOutPathNode(tree, open, first, static_cast<std::uint8_t>(n / 2));
    FanOutPathNode(tree, open, second, static_cast<std::uint8_t>(n - n / 2));
}

float PathLengthToRoot(const PathNode* node) {
    float length = 0;
    for (const PathNode* n = node; n != nullptr && n->parent != nullptr; n = n->parent)
        length += DistanceFloat(n->x, n->y, n->parent->x, n->parent->y);
    return length;
}

NodeQueue* NewQueue() {
    return new NodeQueue;
}

void QueueAppend(NodeQueue* queue, PathNode* node) {
    if (queue == nullptr || node == nullptr) return;
    NodeQueueLink* link = LinkPool().make({node, nullptr});
    if (queue->first == nullptr) {
        queue->first = link;
        queue->cursor = link;
    } else {
        queue->last->next = link;
    }
    queue->last = link;
    ++queue->count;
}

void QueuePush(NodeQueue* queue, PathNode* node) {
    if (queue == nullptr || node == nullptr) return;
    NodeQueueLink* link = LinkPool().make({node, queue->first});
    if (queue->first == nullptr) queue->last = link;
    queue->first = link;
    queue->cursor = link;
    ++queue->count;
}

PathNode* QueuePop(NodeQueue* queue) {
    if (queue == nullptr || queue->first == nullptr) return nullptr;
    NodeQueueLink* link = queue->first;
    PathNode* node = link->node;
    queue->first = link->next;
    queue->cursor = queue->first;
    if (queue->first == nullptr) queue->last = nullptr;
    if (queue->count > 0) --queue->count;
    LinkPool().release(link);
    return node;
}

void FreeQueue(NodeQueue* queue) {
    if (queue == nullptr) return;
    for (NodeQueueLink* link = queue->first; link != nullptr;) {
        NodeQueueLink* next = link->next;
        LinkPool().release(link);
        link = next;
    }
    delete queue;
}

MetBlocker* AddMetBlocker(MetBlocker* head, std::uint8_t kind, std::uint16_t index1,
                          std::uint16_t index2, std::uint16_t index3, std::uint8_t side) {
    return MetPool().make({kind, index1, index2, index3, side, head});
}

bool FindMetBlocker(MetBlocker* head, std::uint8_t kind, std::uint16_t index1, std::uint16_t index2,
                    std::uint16_t index3, std::uint8_t side, MetBlocker** found) {
    // Terrain regions and map cells are told apart by their cell, the others by their index.
    const bool allIndices = kind == kHitMapCell || kind == kHitWall;
    for (MetBlocker* m = head; m != nullptr; m = m->next) {
        if (m->kind != kind || m->index1 != index1 || m->side != side) continue;
        if (allIndices && (m->index2 != index2 || m->index3 != index3)) continue;
        if (found != nullptr) *found = m;
        return true;
    }
    return false;
}

void FreeMetBlockers(MetBlocker* head) {
    while (head != nullptr) {
        MetBlocker* next = head->next;
        MetPool().release(head);
        head = next;
    }
}

MetBlocker* CopyMetBlockers(const MetBlocker* head) {
    MetBlocker* copy = nullptr;
    MetBlocker** tail = &copy;
    for (const MetBlocker* m = head; m != nullptr; m = m->next) {
        *tail = MetPool().make({m->kind, m->index1, m->index2, m->index3, m->side, nullptr});
        tail = &(*tail)->next;
    }
    return copy;
}

void FreeEmptyNodeGraph() {
    if (RoadNodeCount != 0) return;
    RoadNodes = {};
    RoadNodeCapacity = 0;
}

void FreeNodeGraph() {
    RoadNodes = {};
    RoadNodeCount = 0;
    RoadNodeCapacity = 0;
}

}  // namespace kv
