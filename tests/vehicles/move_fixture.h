#pragma once
// Persons and vehicles of the sample types moving on mission 1's generated map: their order
// interpreters run tick by tick, and the planners the movement orders hand a move to are
// recorded (a test may lay waypoints in the free path search's place).

#include <cstdint>
#include <functional>
#include <vector>

#include "persons/personen.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeuge.h"

namespace kv::test {

// One call of a planner: the unit and the opcode that headed its queue.
struct PlannerCall {
    const UnitHead* unit;
    int opcode;
};

class MoveTest : public FahrzeugTest {
  public:
    static std::vector<PlannerCall> findPathCalls;
    static std::vector<PlannerCall> planRouteCalls;
    // Run in the free path search's place when set; else the search starts nothing.
    static std::function<void(UnitHead&)> findPathStandIn;

  protected:
    void SetUp() override;
    void TearDown() override;

    // Every person and vehicle gone, their slots free again, and no planner calls recorded.
    static void ClearUnits();
    // A standing person of a sample type, reset, at (x, y).
    static std::int16_t Walker(int type, float x, float y, int direction = 0);
    static Person& P(std::int16_t i) { return Personen[static_cast<std::size_t>(i)]; }
    static Fahrzeug& V(std::int16_t i) { return Fahrzeuge[static_cast<std::size_t>(i)]; }
    // Runs the vehicles' and then the persons' head orders, n times.
    static void Tick(int n = 1);
    // Runs ticks until the unit's queue is empty, at most n; false when it never was.
    static bool TickUntilIdle(const UnitHead& unit, int n);
    static std::vector<int> Opcodes(const UnitHead& unit);
    static int Calls(const std::vector<PlannerCall>& calls, const UnitHead& unit);
    // Moving in its direction at that speed, as a unit on its way.
    static void SetMoving(UnitHead& unit, float speed);
    // Puts the unit, facing from fromX towards toX (east or west), at the last whole x on the way
    // where it stands free and one px further on would not, planning from there; false when it
    // meets nothing before toX.
    static bool PlaceBefore(UnitHead& unit, const UnitTypHead& type, float fromX, float toX,
                            std::uint16_t mode = 1024);
};

// Open field on mission 1's map, south of the wood and north of the road, and the road.
inline constexpr float kFieldX = 600.0f;
inline constexpr float kFieldY = 250.0f;
inline constexpr float kLaneY = 505.0f;

}  // namespace kv::test
