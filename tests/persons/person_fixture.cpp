#include "persons/person_fixture.h"

#include "core/mission_state.h"
#include "persons/person_types.h"
#include "world/level_map.h"
#include "world/terrain.h"

namespace kv::test {

void PlainMap(int width, int height) {
    MapWidth = static_cast<std::uint16_t>(width);
    MapHeight = static_cast<std::uint16_t>(height);
    MapCellCount = static_cast<std::uint16_t>(width * height);
    MapCells.assign(static_cast<std::size_t>(width * height), MapCell{0, 0x82, 1, 0});
    WorldMaxX = static_cast<std::uint16_t>(32 * width - 16 * height - 1);
    WorldMaxY = static_cast<std::uint16_t>(28 * height - 1);
    // Terrain 1 is open ground for every class.
    constexpr int kClasses = 18;
    FreeTerrain();
    TerrainTypen.assign(2,
                        TerrainTyp{std::vector<std::int8_t>(kClasses, 100),
                                   std::vector<std::uint16_t>(kClasses, kNoTerrain), kNoTerrain});
    TerrainCount = 2;
    MoveClassCount = kClasses;
}

void PersonTest::SetUp() {
    HeadlessTest::SetUp();
    PlainMap(40, 30);
}

void PersonTest::alloc(int count) {
    PersonCount = static_cast<std::int16_t>(count);
    AllocPersonen();
}

std::int16_t PersonTest::place(int type, float x, float y, int direction) {
    LoadPersonTyp(static_cast<std::int16_t>(type));
    const std::int16_t i = FindFreePerson();
    Person& p = person(i);
    p.type = static_cast<std::int8_t>(type);
    p.x = x;
    p.y = y;
    p.direction = static_cast<std::int8_t>(direction);
    ResetPerson(i);
    return i;
}

}  // namespace kv::test
