#pragma once
// The free path search's worlds for the tests (path_world.h, shared with the benchmarks), a
// search run tick by tick, and the unit's queue read back.

#include <cstdint>
#include <memory>
#include <vector>

#include "core/unit_head.h"
#include "movement/unit_type.h"
#include "path_world.h"
#include "support/headless_test.h"

namespace kv::test {

struct QueuedOrder {
    int opcode = 0;
    float a = 0;
    float b = 0;
    float c = 0;
    float d = 0;
    std::int32_t cInt = 0;  // c read as an integer (turns, places, straight moves)
    std::uint32_t e = 0;
    int flags = 0;
    int extra = 0;
    std::size_t goals = 0;
};
std::vector<QueuedOrder> Queue(const UnitHead& unit);

class PathTest : public HeadlessTest {
  protected:
    void TearDown() override;
    // A flat grass map; 40 x 30 cells is 800 x 840 px.
    pathworld::PathWorld& flat(int columns = 40, int rows = 30);
    pathworld::PathWorld& flat(const pathworld::MapPlan& plan);
    // FindPath once a tick, the shared count asked for anew each tick, until the search reports
    // itself over or is gone; the ticks it took.
    int search(UnitHead& unit, const UnitTypHead& type, std::uint8_t& result, int limit = 300);
    std::unique_ptr<pathworld::PathWorld> world;
};

}  // namespace kv::test
