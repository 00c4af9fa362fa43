#include "movement/route.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "movement/befehl.h"
#include "movement/stepping.h"

namespace kv {

namespace {

// The private copies grow by this many entries at a time.
constexpr std::uint16_t kCopyRoomStep = 10;

std::uint16_t LevelNodeCount() {
    return static_cast<std::uint16_t>(std::max<std::int16_t>(RoadNodeCount, 0));
}

RoadNode EmptyRoadNode() {
    RoadNode n;
    n.neighbour.fill(kNoNode);
    return n;
}

// Index of the node's private copy, or -1.
int CopyIndex(const Route& route, std::uint16_t id) {
    for (int i = 0; i < route.copyCount; ++i)
        if (route.copyIds[static_cast<std::size_t>(i)] == id) return i;
    return -1;
}

// The unit's private copy of a node, made from what it sees now when there is none yet.
RoadNode& PrivateCopy(Route& route, const UnitHead& unit, std::uint16_t id) {
    if (const int i = CopyIndex(route, id); i >= 0)
        return route.copies[static_cast<std::size_t>(i)];
    const RoadNode seen = *ReadRoadNode(unit, id);
    if (route.copyCount == route.copyRoom) {
        route.copyRoom = static_cast<std::uint16_t>(route.copyRoom + kCopyRoomStep);
        route.copyIds.resize(route.copyRoom, 0);
        route.copies.resize(route.copyRoom);
    }
    const auto slot = static_cast<std::size_t>(route.copyCount++);
    route.copyIds[slot] = id;
    route.copies[slot] = seen;
    return route.copies[slot];
}

void RemovePrivateCopy(Route& route, std::uint16_t id) {
    const int i = CopyIndex(route, id);
    if (i < 0) return;
    // The later copies move down one whole entry.
    const auto at = static_cast<std::ptrdiff_t>(i);
    route.copyIds.erase(route.copyIds.begin() + at);
    route.copies.erase(route.copies.begin() + at);
    route.copyIds.push_back(0);
    route.copies.emplace_back();
    --route.copyCount;
}

RoadNode* TempNode(Route& route, std::uint16_t id) {
    if (id == TempStartId()) return &route.tempStart;
    if (id == TempTargetId()) return &route.tempTarget;
    return nullptr;
}

int Opposite(int slot) {
    return (slot + kDirections / 2) % kDirections;
}

}  // namespace

// Heap order: the dearer entry, and among equal costs the older one, comes out later.
bool RouteOpenList::later(const Keyed& l, const Keyed& r) {
    return l.entry.cost > r.entry.cost || (l.entry.cost == r.entry.cost && l.serial < r.serial);
}

void RouteOpenList::insert(std::uint16_t node, std::int16_t from, float cost,
                           std::size_t nodeCount) {
    if (node >= nodeCount) return;
    if (serialOf_.size() < nodeCount) {
        serialOf_.resize(nodeCount, 0);
        costOf_.resize(nodeCount, 0);
    }
    if (serialOf_[node] != 0) {
        if (costOf_[node] <= cost) return;
        --live_;  // the dearer entry stays in the heap, passed over when it comes up
    }
    const std::uint32_t serial = nextSerial_++;
    serialOf_[node] = serial;
    costOf_[node] = cost;
    ++live_;
    heap_.push_back({{node, from, cost}, serial});
    std::push_heap(heap_.begin(), heap_.end(), later);
}

OpenEntry RouteOpenList::takeFirst() {
    for (;;) {
        std::pop_heap(heap_.begin(), heap_.end(), later);
        const Keyed top = heap_.back();
        heap_.pop_back();
        if (serialOf_[top.entry.node] != top.serial) continue;
        serialOf_[top.entry.node] = 0;
        --live_;
        return top.entry;
    }
}

void RouteOpenList::clear() {
    heap_ = {};
    serialOf_ = {};
    costOf_ = {};
    nextSerial_ = 1;
    live_ = 0;
}

std::uint16_t TempStartId() {
    return LevelNodeCount();
}

std::uint16_t TempTargetId() {
    return static_cast<std::uint16_t>(LevelNodeCount() + 1);
}

bool IsTempNodeId(std::uint16_t id) {
    return id == TempStartId() || id == TempTargetId();
}

const RoadNode* ReadRoadNode(const UnitHead& unit, std::uint16_t id) {
    if (id == kNoNode) return nullptr;
    if (const Route* route = unit.route) {
        if (const int i = CopyIndex(*route, id); i >= 0)
            return &route->copies[static_cast<std::size_t>(i)];
        if (id == TempStartId()) return &route->tempStart;
        if (id == TempTargetId()) return &route->tempTarget;
    }
    // The two spare slots of the level's array are never the route's.
    if (id >= LevelNodeCount() || id >= RoadNodes.size()) return nullptr;
    return &RoadNodes[id];
}

int FindRoadLink(const UnitHead& unit, std::uint16_t a, std::uint16_t b) {
    const RoadNode* node = ReadRoadNode(unit, a);
    if (node == nullptr || ReadRoadNode(unit, b) == nullptr) return -1;
    for (int k = 0; k < kDirections; ++k)
        if (node->neighbour[static_cast<std::size_t>(k)] == b) return k;
    return -1;
}

void SetRoadNodeLink(UnitHead& unit, std::uint16_t id, int slot, std::uint16_t value) {
    if (unit.route == nullptr || slot < 0 || slot >= kDirections) return;
    if (ReadRoadNode(unit, id) == nullptr) return;
    PrivateCopy(*unit.route, unit, id).neighbour[static_cast<std::size_t>(slot)] = value;
}

void UnlinkRoadNodes(UnitHead& unit, std::uint16_t a, std::uint16_t b) {
    const int ab = FindRoadLink(unit, a, b);
    const int ba = FindRoadLink(unit, b, a);
    if (ab < 0 || ba < 0) return;
    SetRoadNodeLink(unit, a, ab, kNoNode);
    SetRoadNodeLink(unit, b, ba, kNoNode);
}

std::uint16_t InsertTempNode(UnitHead& unit, std::uint16_t a, std::uint16_t b, float x, float y,
                             std::uint16_t id) {
    if (unit.route == nullptr) return kNoNode;
    RoadNode* temp = TempNode(*unit.route, id);
    const RoadNode* pa = ReadRoadNode(unit, a);
    const RoadNode* pb = ReadRoadNode(unit, b);
    if (temp == nullptr || pa == nullptr || pb == nullptr) return kNoNode;
    // Nodes lie on whole pixels: the point is compared as it would be stored.
    const auto px = static_cast<std::int16_t>(static_cast<std::int32_t>(x));
    const auto py = static_cast<std::int16_t>(static_cast<std::int32_t>(y));
    if (px == pa->x && py == pa->y) {
        *temp = *pa;
        return a;
    }
    if (px == pb->x && py == pb->y) {
        *temp = *pb;
        return b;
    }
    const int k = FindRoadLink(unit, a, b);
    const int m = FindRoadLink(unit, b, a);
    // A one-way edge has no slot to splice into at one end.
    if (k < 0 || m < 0) return kNoNode;
    const auto ks = static_cast<std::size_t>(k);
    const auto ms = static_cast<std::size_t>(m);
    RoadNode node = EmptyRoadNode();
    node.x = px;
    node.y = py;
    const auto towardA = static_cast<std::size_t>(Opposite(k));
    const auto towardB = static_cast<std::size_t>(Opposite(m));
    node.neighbour[towardA] = a;
    node.edgeTerrain[towardA] = pb->edgeTerrain[ms];
    node.edgeExtra[towardA] = pb->edgeExtra[ms];
    node.neighbour[towardB] = b;
    node.edgeTerrain[towardB] = pa->edgeTerrain[ks];
    node.edgeExtra[towardB] = pa->edgeExtra[ks];
    *temp = node;
    SetRoadNodeLink(unit, a, k, id);
    SetRoadNodeLink(unit, b, m, id);
    return id;
}

void RemoveTempNode(UnitHead& unit, std::uint16_t id) {
    if (unit.route == nullptr) return;
    const RoadNode* node = ReadRoadNode(unit, id);
    if (node == nullptr) return;
    std::array<std::uint16_t, 2> ends{};
    int count = 0;
    for (const std::uint16_t n : node->neighbour) {
        if (ReadRoadNode(unit, n) == nullptr) continue;
        if (count < 2) ends[static_cast<std::size_t>(count)] = n;
        ++count;
    }
    if (count == 2) {
        const auto [u, v] = ends;
        SetRoadNodeLink(unit, u, FindRoadLink(unit, u, id), v);
        SetRoadNodeLink(unit, v, FindRoadLink(unit, v, id), u);
    } else if (count == 1) {
        SetRoadNodeLink(unit, ends[0], FindRoadLink(unit, ends[0], id), kNoNode);
    }
    RemovePrivateCopy(*unit.route, id);
}

void StartRoute(UnitHead& unit) {
    if (Route* route = unit.route) {
        ++route->restarts;
        route->openList.clear();
        route->links = {};
        ClearRouteLists(*route);
        route->bestCost = {};
        route->order.reset();
        if (IsTempNodeId(route->startId)) RemoveTempNode(unit, route->startId);
        if (IsTempNodeId(route->targetId)) RemoveTempNode(unit, route->targetId);
    } else {
        unit.route = new Route;
    }
    Route& route = *unit.route;
    route.order = std::make_unique<RouteOrderCopy>();
    if (const Befehl* head = unit.orders) {
        route.order->opcode = head->opcode;
        route.order->a = head->a;
        route.order->b = head->b;
    }
    const auto capacity = static_cast<std::size_t>(std::max<std::int16_t>(RoadNodeCapacity, 0));
    RouteLink none;
    none.child.fill(kNoNode);
    route.links.assign(capacity, none);
    route.bestCost.assign(capacity, std::numeric_limits<float>::max());
    route.tempStart = EmptyRoadNode();
    route.tempTarget = EmptyRoadNode();
    route.startId = TempStartId();
    route.targetId = TempTargetId();
}

void FreeRoute(Route* route) {
    delete route;
}

void DropRoute(UnitHead& unit) {
    FreeRoute(unit.route);
    unit.route = nullptr;
}

void AbortRoute(UnitHead& unit) {
    DropRoute(unit);
    unit.moverFlags &= static_cast<std::uint8_t>(~kMoverRoutePlanning);
    if (Befehl* head = unit.orders) {
        head->flags &= static_cast<std::uint8_t>(~kBefehlStarted);
        head->flags |= kBefehlFreePath;
    }
}

PointF RouteTarget(const Route& route) {
    if (!route.order) return {};
    return {std::bit_cast<float>(route.order->a), std::bit_cast<float>(route.order->b)};
}

void FreeRouteCandidates(Route& route) {
    route.candidates = {};
    route.candidatesLeft = 0;
    route.candidateRoom = 0;
}

}  // namespace kv
