#pragma once
// One order of a unit's queue, and the goal points that move orders carry. The queue operations
// are in movement/befehl_queue.h, the opcode table in movement/befehl_opcodes.h.

#include <bit>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/record_fields.h"

namespace kv {

// Facing byte of a goal point: the low four bits a direction 0..11 to turn to on arrival; this
// bit set means no turn on arrival.
inline constexpr std::uint8_t kGoalNoFacing = 16;

// One goal of a move order's list (10 bytes in the save game).
struct GoalPoint {
    float x = 0;
    float y = 0;
    std::uint8_t facing = kGoalNoFacing;
    std::uint8_t flags = 0;  // set to 0, never read
};
template <class V>
constexpr void VisitFields(GoalPoint& r, V& v) {
    v("x", r.x);
    v("y", r.y);
    v("facing", r.facing);
    v("flags", r.flags);
}

using GoalList = std::vector<GoalPoint>;

// The order's flag bits.
inline constexpr std::uint8_t kBefehlDone = 1;         // passed over by the waypoint shortcut
inline constexpr std::uint8_t kBefehlStarted = 2;      // the handler has run its first tick
inline constexpr std::uint8_t kBefehlRouteLeg = 4;     // laid by the road route planner
inline constexpr std::uint8_t kBefehlKeepFacing = 8;   // the step planner keeps the direction
inline constexpr std::uint8_t kBefehlUseCD = 16;       // the waypoint is (c, d), not (a, b)
inline constexpr std::uint8_t kBefehlFreePath = 32;    // plan with the free path search
inline constexpr std::uint8_t kBefehlPathBuild = 64;   // used by the free path search
inline constexpr std::uint8_t kBefehlShortLook = 128;  // a vehicle looks only 4 steps ahead
// Beyond the moves the flags are the handler's own. Order 179: the object has been taken off the
// map; its clean-up reads this rather than the object's slot, which may hold another by then.
inline constexpr std::uint8_t kBefehlObjectTaken = kBefehlUseCD;

// The four arguments are kept as the raw 32-bit words the order was built with: a float for
// the move forms, a signed integer otherwise. So an order saved and loaded again is bit-exact.
struct Befehl {
    std::uint8_t opcode = 0;
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    std::uint32_t c = 0;
    std::uint32_t d = 0;
    std::uint32_t e = 0;
    std::uint8_t flags = 0;
    std::int8_t extra = -1;
    Befehl* next = nullptr;
    // Opcode 54 only: the final target of the route leg.
    float finalX = 0;
    float finalY = 0;

    // Lists the order owns; freed wherever the order ends. A 32-bit argument cannot hold a
    // pointer, so they live here and `a` stays 0. Opcodes 2 and 5: the goal points (b = their
    // count); 55 and 178: two entries {aim x, aim y, storey}, {map column, map row, house}.
    GoalList goals;
    // Opcode 57: the placeholder special-object slots still standing.
    std::vector<std::int16_t> placeholders;

    float aFloat() const { return std::bit_cast<float>(a); }
    float bFloat() const { return std::bit_cast<float>(b); }
    float cFloat() const { return std::bit_cast<float>(c); }
    float dFloat() const { return std::bit_cast<float>(d); }
    std::int32_t aInt() const { return static_cast<std::int32_t>(a); }
    std::int32_t bInt() const { return static_cast<std::int32_t>(b); }
    std::int32_t cInt() const { return static_cast<std::int32_t>(c); }
    std::int32_t dInt() const { return static_cast<std::int32_t>(d); }

    void setA(float v) { a = std::bit_cast<std::uint32_t>(v); }
    void setB(float v) { b = std::bit_cast<std::uint32_t>(v); }
    void setC(float v) { c = std::bit_cast<std::uint32_t>(v); }
    void setD(float v) { d = std::bit_cast<std::uint32_t>(v); }
    void setA(std::int32_t v) { a = static_cast<std::uint32_t>(v); }
    void setB(std::int32_t v) { b = static_cast<std::uint32_t>(v); }
    void setC(std::int32_t v) { c = static_cast<std::uint32_t>(v); }
    void setD(std::int32_t v) { d = static_cast<std::uint32_t>(v); }
};

// Marks the order's first tick as run: true on that first tick, false ever after.
inline bool FirstBefehlTick(Befehl& order) {
    if ((order.flags & kBefehlStarted) != 0) return false;
    order.flags |= kBefehlStarted;
    return true;
}

// Counts an integer argument down by one, never below the smallest value, and gives the new
// value.
inline std::int32_t CountDown(std::uint32_t& word) {
    const auto v = static_cast<std::int32_t>(word);
    const std::int32_t next = v > std::numeric_limits<std::int32_t>::min() ? v - 1 : v;
    word = static_cast<std::uint32_t>(next);
    return next;
}
inline std::int32_t CountDownA(Befehl& order) {
    return CountDown(order.a);
}

// The low and high halves of an argument word, read as signed 16-bit numbers.
inline std::int16_t LowHalf(std::uint32_t word) {
    return static_cast<std::int16_t>(word & 0xFFFF);
}
inline std::int16_t HighHalf(std::uint32_t word) {
    return static_cast<std::int16_t>(word >> 16);
}

// The stored order: 27 bytes, 35 with the final target of opcode 54. The owned lists are saved
// apart from the record.
template <class V>
constexpr void VisitFields(Befehl& r, V& v) {
    v("opcode", r.opcode);
    v("a", r.a);
    v("b", r.b);
    v("c", r.c);
    v("d", r.d);
    v("e", r.e);
    v("flags", r.flags);
    v("extra", r.extra);
    v.pointer("next", r.next);
    v("finalX", r.finalX);
    v("finalY", r.finalY);
}

}  // namespace kv
