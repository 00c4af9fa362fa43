#include "persons/person_house_fixture.h"

#include <algorithm>

#include "core/cd_path.h"
#include "core/fatal_error.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "movement/searching_movers.h"
#include "persons/person_update.h"
#include "vehicles/fahrzeuge.h"
#include "world/materials.h"
#include "world/sonder_obj.h"

namespace kv::test {

namespace {

constexpr int kBigPerson = 52;  // 41 x 41 px

// The plain types' doors as the tests want them, one house for each door side, whatever the
// sample data gives those types.
void SetDoor(int type, int i, int j, int side) {
    HouseTyp& t = HouseTypen[static_cast<std::size_t>(type)];
    t.doorI = static_cast<std::uint8_t>(i);
    t.doorJ = static_cast<std::uint8_t>(j);
    t.doorSide = static_cast<std::uint8_t>(side);
}

void PlaceTestHouses() {
    HouseCount = 4;
    InitHouseList();
    AddHouse(4, 10, 3, 0, 0, 1);
    AddHouse(18, 30, 3, 0, 0, 0);
    AddHouse(21, 16, 16, 0, 0, 0);
    AddHouse(25, 34, 16, 0, 0, 0);
}

}  // namespace

void PersonHouseTest::SetUp() {
    PersonTest::SetUp();
    CdPath.clear();  // the sample tree is its own CD directory
    PlainMap(60, 40);
    ScrollRows = 37;
    MissionHookRows[0].InitHouses = PlaceTestHouses;
    ASSERT_TRUE(InitHouses(1));
    SetDoor(18, 1, 0, 0);
    SetDoor(21, 0, 1, 2);
    SetDoor(25, 4, 1, 3);
    // Casualties leave their ground objects; the ladder vehicle stands in the vehicle array.
    ASSERT_TRUE(LoadMaterials());
    SonderObjTypCount = kCommonSonderObjTypen;
    SonderObjCount = 0;
    AllocSonderObj();
    FahrzeugCount = 4;
    AllocFahrzeuge();
    alloc(80);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

std::int16_t PersonHouseTest::at(int type, PixelPos point, int storey, int houseIndex,
                                 std::uint8_t controlFlags, int direction) {
    const std::int16_t i =
        place(type, static_cast<float>(point.x), static_cast<float>(point.y), direction);
    Person& p = person(i);
    p.storey = static_cast<std::int8_t>(storey);
    p.house = houseIndex < 0 ? 0xFFFF : static_cast<std::uint16_t>(houseIndex);
    p.controlFlags = controlFlags;
    UpdatePersonDrawPos(p);
    return i;
}

bool PersonHouseTest::onHouse(int n, float x, float y) {
    const CellPos c = CellFromPixel(static_cast<int>(x), static_cast<int>(y));
    return CellInMap(c.column, c.row) &&
           DecodeHouseLink(MapCells[static_cast<std::size_t>(CellIndex(c.column, c.row))].tile)
                   .house == n;
}

void PersonHouseTest::fillStorey(int n, int storey) {
    const House& h = house(n);
    const HouseTyp& t = HouseTypOf(h);
    const int left = kCellWidth * h.x - 16 * (h.y + t.extentJ);
    const int right = kCellWidth * (h.x + t.extentI) - 16 * h.y;
    for (int y = kCellHeight * h.y; y <= kCellHeight * (h.y + t.extentJ); y += 30)
        for (int x = left; x <= right; x += 30)
            if (onHouse(n, static_cast<float>(x), static_cast<float>(y)))
                at(kBigPerson, {x, y}, storey, n);
}

std::vector<std::int16_t> PersonHouseTest::othersThan(
    std::initializer_list<std::int16_t> known) const {
    std::vector<std::int16_t> others;
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        const auto n = static_cast<std::int16_t>(i);
        if (Personen[i].type != -1 && std::find(known.begin(), known.end(), n) == known.end())
            others.push_back(n);
    }
    return others;
}

void PersonHouseTest::ticks(int n) {
    for (int t = 0; t < n; ++t) {
        BeginSearcherTick();
        UpdatePersonen();
    }
}

bool PersonHouseTest::tickUntilIdle(std::int16_t p, int max) {
    for (int t = 0; t < max; ++t) {
        if (Personen[static_cast<std::size_t>(p)].orders == nullptr) return true;
        ticks(1);
    }
    return Personen[static_cast<std::size_t>(p)].orders == nullptr;
}

}  // namespace kv::test
