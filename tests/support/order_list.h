#pragma once
// A unit's order queue as plain numbers, for comparing it order by order with what a test expects.

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "core/unit_head.h"
#include "movement/befehl.h"
#include "movement/befehl_opcodes.h"
#include "world/geometry.h"

namespace kv::test {

// An order as {opcode, a, b, c, d, e}, the point arguments of moves and turns in whole pixels.
using Order = std::array<int, 6>;

inline std::vector<Order> Orders(const UnitHead& unit) {
    std::vector<Order> orders;
    for (const Befehl* b = unit.orders; b != nullptr; b = b->next) {
        const BefehlForm form = BefehlOpcodes[b->opcode].form;
        const bool pointAB = form != BefehlForm::Raw;
        const bool pointCD = form == BefehlForm::Move || form == BefehlForm::Route;
        auto word = [](std::uint32_t w, bool point) {
            return point ? TruncInt(std::bit_cast<float>(w)) : static_cast<int>(w);
        };
        orders.push_back({b->opcode, word(b->a, pointAB), word(b->b, pointAB), word(b->c, pointCD),
                          word(b->d, pointCD), static_cast<int>(b->e)});
    }
    return orders;
}

}  // namespace kv::test
