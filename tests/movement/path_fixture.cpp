#include "movement/path_fixture.h"

#include "movement/befehl.h"
#include "movement/path_search.h"
#include "movement/searching_movers.h"
#include "movement/stepping.h"

namespace kv::test {

std::vector<QueuedOrder> Queue(const UnitHead& unit) {
    std::vector<QueuedOrder> out;
    for (const Befehl* o = unit.orders; o != nullptr; o = o->next)
        out.push_back({o->opcode, o->aFloat(), o->bFloat(), o->cFloat(), o->dFloat(), o->cInt(),
                       o->e, o->flags, o->extra, o->goals.size()});
    return out;
}

void PathTest::TearDown() {
    world.reset();
    HeadlessTest::TearDown();
}

pathworld::PathWorld& PathTest::flat(int columns, int rows) {
    return flat(pathworld::MapPlan(columns, rows));
}

pathworld::PathWorld& PathTest::flat(const pathworld::MapPlan& plan) {
    world.reset();
    world = std::make_unique<pathworld::PathWorld>(plan);
    return *world;
}

int PathTest::search(UnitHead& unit, const UnitTypHead& type, std::uint8_t& result, int limit) {
    int ticks = 0;
    do {
        BeginSearcherTick();
        result = FindPath(unit, type);
        ++ticks;
    } while (result == 0 && (unit.moverFlags & kMoverPathSearch) != 0 && ticks < limit);
    return ticks;
}

}  // namespace kv::test
