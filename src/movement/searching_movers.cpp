#include "movement/searching_movers.h"

#include "core/unit_views.h"
#include "movement/befehl.h"
#include "movement/befehl_opcodes.h"
#include "movement/stepping.h"

namespace kv {

std::uint8_t RecountSearchers = 0;
std::uint8_t SearchingMoverCount = 0;

namespace {

bool NotStarted(const Befehl* order) {
    return (order->flags & kBefehlStarted) == 0;
}

bool AwaitsSearch(const Befehl* order, std::uint8_t ownOpcode) {
    if (order == nullptr || !NotStarted(order)) return false;
    const std::uint8_t op = order->opcode;
    return op == 0 || op == 2 || op == 5 || op == ownOpcode;
}

}  // namespace

int CountSearchingMovers() {
    int count = 0;
    for (int i = 0; i < FahrzeugUnits.count; ++i) {
        const UnitHead* v = FahrzeugUnits.at(i);
        if (v == nullptr || v->type < 0) continue;
        if ((v->moverFlags & (kMoverPathSearch | kMoverRoutePlanning)) != 0 ||
            AwaitsSearch(v->orders, kOpRouteLeg))
            ++count;
    }
    for (int i = 0; i < PersonUnits.count; ++i) {
        UnitHead* p = PersonUnits.at(i);
        if (p == nullptr || p->type < 0) continue;
        if ((p->moverFlags & kMoverPathSearch) != 0 || AwaitsSearch(p->orders, kOpGaffer)) {
            ++count;
            p->moverFlags |= kMoverSearching;
        }
    }
    return count;
}

void ResetSearchingMovers() {
    RecountSearchers = 0;
    SearchingMoverCount = 0;
}

void BeginSearcherTick() {
    RecountSearchers = 1;
    SearchingMoverCount = 0;
}

}  // namespace kv
