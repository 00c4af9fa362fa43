#pragma once
// The collision tests' world: mission 1's generated map and terrain, a generated furnished house
// standing on it, four vehicles and four persons as arrays of test records registered as the unit
// views, and special-object slots with types made in the test.

#include <array>
#include <cstdint>
#include <memory>

#include "core/unit_head.h"
#include "generate/world_tables.h"
#include "movement/collision.h"
#include "movement/unit_type.h"
#include "support/headless_test.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv::test {

inline constexpr int kTestAnimCount = 6;

// A unit type whose animations share one box in every direction unless a test sets its own.
struct CollisionTyp {
    CollisionTyp(std::uint8_t unitClass, float speed, std::uint8_t moveClass);
    CollisionTyp(const CollisionTyp&) = delete;
    CollisionTyp& operator=(const CollisionTyp&) = delete;
    // The box x1, y1, x2, y2 around the hot spot, of every animation in every direction.
    void setBox(std::array<std::int16_t, 4> aroundHot);
    // The same for one direction's animations only.
    void setBox(int direction, std::array<std::int16_t, 4> aroundHot);

    std::array<std::array<AnimSlot, kTestAnimCount>, kDirectionCount> slots{};
    UnitTypHead head{};
};

struct CollisionUnit : UnitHead {
    std::uint8_t offMap = 0;
};

// Movement classes of the sample terrain table.
inline constexpr std::uint8_t kCarClass = 0;
inline constexpr std::uint8_t kWalkerClass = sampledata::move_class::kPerson;

class CollisionTest : public HeadlessTest {
  public:
    static std::array<CollisionUnit, 4> vehicles;
    static std::array<CollisionUnit, 4> persons;
    // Vehicle types 0 (a player car, 40 x 30) and 1 (a civilian car); person types 0 (a
    // civilian) and 1 (staff), 10 x 18.
    static std::unique_ptr<CollisionTyp> car;
    static std::unique_ptr<CollisionTyp> civilCar;
    static std::unique_ptr<CollisionTyp> civilian;
    static std::unique_ptr<CollisionTyp> staff;

  protected:
    void SetUp() override;
    void TearDown() override;
    // From nothing again, for the next row of a table.
    void restart() {
        TearDown();
        SetUp();
    }

    // A unit of the type standing at (x, y) facing direction, with its draw corner set.
    CollisionUnit& placeVehicle(int i, float x, float y, int direction = 0, int type = 0);
    CollisionUnit& placePerson(int i, float x, float y, int direction = 0, int type = 0);
    void setDrawPos(CollisionUnit& u);
    // An object of a test type (0..3: boxes 20, 40, 8 and 100 px square from the position).
    SonderObj& placeObject(int slot, int type, float x, float y);
    // The generated house type 0 (furnished, three floors) at map column 40, row 30, as house 0.
    void placeHouse();
    // The middle of a map cell.
    static PixelPos CellMiddle(int column, int row);
    // Turns a block of cells into water, impassable for cars and walkers.
    static void Flood(int column, int row, int columns, int rows);

  private:
    CollisionUnit& place(CollisionUnit& u, float x, float y, int direction, int type, float speed);
    std::unique_ptr<WorkingDirectory> cwd_;
};

// Open meadow on mission 1's map, and its road, on which a car steps its whole speed.
inline constexpr float kMeadowX = 1400;
inline constexpr float kMeadowY = 700;
inline constexpr float kRoadX = 1000;
inline constexpr float kRoadY = 530;

inline constexpr int kHouseColumn = 40;
inline constexpr int kHouseRow = 30;
inline constexpr std::uint8_t kWater = sampledata::terrain::kWater;

}  // namespace kv::test
