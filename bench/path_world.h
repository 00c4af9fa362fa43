#pragma once
// Worlds for the free path search, built in memory and shared by its tests and benchmarks: a
// grass map with its own small terrain table, persons and vehicles registered as the unit arrays,
// and special objects. The large map has houses as blocks of rock, a river with two bridges,
// parked vehicles, standing persons and objects in the way.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/unit_head.h"
#include "core/unit_views.h"
#include "movement/unit_type.h"
#include "writers/level_writer.h"

namespace kv::pathworld {

// The terrain table's rows and its two movement classes.
inline constexpr std::uint8_t kRoad = 0;
inline constexpr std::uint8_t kGrass = 1;
inline constexpr std::uint8_t kRock = 2;   // no unit passes
inline constexpr std::uint8_t kWater = 3;  // no unit passes
inline constexpr std::uint8_t kCarClass = 0;
inline constexpr std::uint8_t kPersonClass = 1;

// The type numbers the world's units carry.
inline constexpr std::int8_t kPersonTyp = 1;
inline constexpr std::int8_t kVehicleTyp = 0;

// Room in the unit arrays: references to units stay valid while these are not exceeded.
inline constexpr int kPersonRoom = 400;
inline constexpr int kVehicleRoom = 120;

struct WorldUnit : UnitHead {
    std::uint8_t offMap = 0;
};

// Two animations (stand, walk) with one box in every direction: halfWidth either side of the
// position and height above it.
struct WorldTyp {
    WorldTyp(std::uint8_t unitClass, float speed, std::uint8_t moveClass, std::int16_t halfWidth,
             std::int16_t height, std::uint8_t backSteps);
    WorldTyp(const WorldTyp&) = delete;
    WorldTyp& operator=(const WorldTyp&) = delete;
    std::array<AnimSlot, 2> slots{};
    UnitTypHead head{};
    AnimBoxReach boxReach;
};

// The cells of a map to be, column by column, all grass to begin with.
struct MapPlan {
    MapPlan(int columns, int rows);
    void fill(int column, int row, int width, int height, std::uint8_t terrain);
    std::uint8_t at(int column, int row) const;
    sampledata::LevelFile level;
};

// A start and a goal on free ground.
struct Trip {
    float fromX = 0;
    float fromY = 0;
    float toX = 0;
    float toY = 0;
};

// The world is the game's only one while it lives: it loads its map and terrain table, sets the
// map limits and registers its units and objects; its end frees them all.
class PathWorld {
  public:
    explicit PathWorld(const MapPlan& plan);
    ~PathWorld();
    PathWorld(const PathWorld&) = delete;
    PathWorld& operator=(const PathWorld&) = delete;

    // A person or a vehicle standing at (x, y) facing direction.
    WorldUnit& addPerson(float x, float y, std::uint8_t direction);
    WorldUnit& addVehicle(float x, float y, std::uint8_t direction);
    // A special object whose box reaches width and height from its position; returns its slot.
    int addObject(float x, float y, std::int16_t width, std::int16_t height);

    WorldUnit& person(int i) { return persons_[static_cast<std::size_t>(i)]; }
    WorldUnit& vehicle(int i) { return vehicles_[static_cast<std::size_t>(i)]; }
    int personCount() const { return static_cast<int>(persons_.size()); }
    int vehicleCount() const { return static_cast<int>(vehicles_.size()); }
    // The index of a unit of this world in its array.
    int indexOf(const WorldUnit& unit) const;

    WorldTyp personTyp{kPersonUnitClass, 1.5f, kPersonClass, 8, 22, 6};
    WorldTyp vehicleTyp{kPlayerVehicleUnitClass, 4.0f, kCarClass, 28, 40, 14};

    // Whether a unit of the type fits at (x, y) with room to spare, wholly on the map.
    bool isFree(const UnitTypHead& type, float x, float y, int margin) const;
    // A free point, drawn with the game's random generator; (-1, -1) after many misses.
    PixelPos randomFreePoint(const UnitTypHead& type, int margin) const;

  private:
    WorldUnit& add(std::vector<WorldUnit>& units, const WorldTyp& typ, std::int8_t type, float x,
                   float y, std::uint8_t direction);
    void registerUnits();

    std::vector<WorldUnit> persons_;
    std::vector<WorldUnit> vehicles_;
};

// The benchmark's map: 190 x 120 cells, 60 houses of 4 x 3 to 12 x 6 cells, a river across the
// map with two bridges, 60 parked vehicles, 200 standing persons and 100 special objects, all
// placed with the seed; an avenue across the whole map stays clear.
inline constexpr int kLargeColumns = 190;
inline constexpr int kLargeRows = 120;
inline constexpr int kAvenueRow = 20;  // three rows of road
inline constexpr int kAvenueY = kAvenueRow * 28 + 42;
std::unique_ptr<PathWorld> BuildLargeMap(std::uint32_t seed);

// Walls (x, y) in with a ring of 200 objects 380 px around it, too close for anyone to pass.
void WallIn(PathWorld& world, float x, float y);

// A trip of minDistance to maxDistance px for a unit of the type whose straight way is blocked
// by a house, the river or something standing about; drawn with the game's random generator.
Trip RandomTrip(PathWorld& world, const UnitTypHead& type, int minDistance, int maxDistance);

}  // namespace kv::pathworld
