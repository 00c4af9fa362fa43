#include "movement/collision_fixture.h"

#include <span>

#include "core/cd_path.h"
#include "core/unit_views.h"
#include "world/house_fixture.h"
#include "world/houses.h"
#include "world/sonder_obj.h"
#include "world/terrain.h"
#include "world/terrain_fixture.h"

namespace kv::test {

std::array<CollisionUnit, 4> CollisionTest::vehicles;
std::array<CollisionUnit, 4> CollisionTest::persons;
std::unique_ptr<CollisionTyp> CollisionTest::car;
std::unique_ptr<CollisionTyp> CollisionTest::civilCar;
std::unique_ptr<CollisionTyp> CollisionTest::civilian;
std::unique_ptr<CollisionTyp> CollisionTest::staff;

CollisionTyp::CollisionTyp(std::uint8_t unitClass, float speed, std::uint8_t moveClass) {
    for (std::size_t d = 0; d < slots.size(); ++d) {
        slots[d].fill(AnimSlot{1, 1, 0, 0, {0, 0, 0, 0}, nullptr});
        head.dirAnims[d] = slots[d].data();
    }
    head.animCount = kTestAnimCount;
    head.unitClass = unitClass;
    head.speed = speed;
    head.terrainColumn = moveClass;
}

void CollisionTyp::setBox(std::array<std::int16_t, 4> aroundHot) {
    for (int d = 0; d < kDirectionCount; ++d) setBox(d, aroundHot);
}

void CollisionTyp::setBox(int direction, std::array<std::int16_t, 4> aroundHot) {
    // The hot spot sits where the box's top-left corner keeps the image's at 0.
    for (AnimSlot& s : slots[static_cast<std::size_t>(direction)]) {
        s.hotX = static_cast<std::int16_t>(-aroundHot[0]);
        s.hotY = static_cast<std::int16_t>(-aroundHot[1]);
        s.box = {0, 0, static_cast<std::int16_t>(aroundHot[2] - aroundHot[0]),
                 static_cast<std::int16_t>(aroundHot[3] - aroundHot[1])};
    }
}

namespace {

const CollisionTyp* VehicleTyp(int type) {
    return type == 0   ? CollisionTest::car.get()
           : type == 1 ? CollisionTest::civilCar.get()
                       : nullptr;
}
const CollisionTyp* PersonTyp(int type) {
    return type == 0   ? CollisionTest::civilian.get()
           : type == 1 ? CollisionTest::staff.get()
                       : nullptr;
}

const AnimSlot* CurrentSlot(const CollisionTyp* t, const UnitHead& u) {
    return t != nullptr ? &UnitAnimSlot(t->head, u.direction, u.anim) : nullptr;
}

}  // namespace

void CollisionTest::SetUp() {
    HeadlessTest::SetUp();
    car = std::make_unique<CollisionTyp>(kPlayerVehicleUnitClass, 5.0f, kCarClass);
    car->setBox({-20, -15, 20, 15});
    civilCar = std::make_unique<CollisionTyp>(kCivilVehicleUnitClass, 5.0f, kCarClass);
    civilCar->setBox({-20, -15, 20, 15});
    civilian = std::make_unique<CollisionTyp>(kPersonUnitClass, 2.0f, kWalkerClass);
    civilian->setBox({-5, -9, 5, 9});
    staff = std::make_unique<CollisionTyp>(kPersonUnitClass, 2.0f, kWalkerClass);
    staff->setBox({-5, -9, 5, 9});
    for (CollisionTyp* t : {car.get(), civilCar.get(), civilian.get(), staff.get()})
        t->head.extent = {0, 0, 12, 20};
    car->head.extent = {0, 0, 42, 32};
    civilCar->head.extent = car->head.extent;

    CdPath.clear();  // the sample tree is its own CD directory
    cwd_ = std::make_unique<WorkingDirectory>(KV_SAMPLEDATA_DIR);
    ASSERT_TRUE(LoadLevelMap(1, 0));
    ASSERT_TRUE(LoadTerrain());
    SetWorldMaxFromMap();

    vehicles.fill(CollisionUnit{});
    persons.fill(CollisionUnit{});
    FahrzeugUnits.setRecords(std::span(vehicles));
    FahrzeugUnits.animSlot = [](std::int16_t i) {
        const CollisionUnit& u = vehicles[static_cast<std::size_t>(i)];
        return CurrentSlot(VehicleTyp(u.type), u);
    };
    FahrzeugUnits.typeRecord = [](std::int32_t t) -> const UnitTypHead* {
        const CollisionTyp* typ = VehicleTyp(t);
        return typ != nullptr ? &typ->head : nullptr;
    };
    PersonUnits.setRecords(std::span(persons));
    PersonUnits.offMap = [](std::int16_t i) { return persons[static_cast<std::size_t>(i)].offMap; };
    PersonUnits.animSlot = [](std::int16_t i) {
        const CollisionUnit& u = persons[static_cast<std::size_t>(i)];
        return CurrentSlot(PersonTyp(u.type), u);
    };
    PersonUnits.typeRecord = [](std::int32_t t) -> const UnitTypHead* {
        const CollisionTyp* typ = PersonTyp(t);
        return typ != nullptr ? &typ->head : nullptr;
    };

    constexpr std::array<std::int16_t, 4> kObjectSizes = {20, 40, 8, 100};
    SonderObjTypCount = static_cast<std::int16_t>(kObjectSizes.size());
    SonderObjTypen.assign(kObjectSizes.size(), SonderObjTyp{});
    for (std::size_t t = 0; t < kObjectSizes.size(); ++t) {
        SonderObjTypen[t].boxX1 = kObjectSizes[t];
        SonderObjTypen[t].boxY1 = kObjectSizes[t];
    }
    SonderObjCount = 8;
    SonderObjs.clear();
    SonderObjs.resize(8);
}

void CollisionTest::TearDown() {
    for (CollisionUnit& u : vehicles) u.orders = nullptr;
    for (CollisionUnit& u : persons) u.orders = nullptr;
    cwd_.reset();
    ResetHouseState();
    car.reset();
    civilCar.reset();
    civilian.reset();
    staff.reset();
    HeadlessTest::TearDown();
}

void CollisionTest::setDrawPos(CollisionUnit& u) {
    const AnimSlot* slot = (&u >= vehicles.data() && &u < vehicles.data() + vehicles.size())
                               ? CurrentSlot(VehicleTyp(u.type), u)
                               : CurrentSlot(PersonTyp(u.type), u);
    u.drawX = static_cast<std::int16_t>(static_cast<int>(u.x) - (slot ? slot->hotX : 0));
    u.drawY = static_cast<std::int16_t>(static_cast<int>(u.y) - (slot ? slot->hotY : 0));
}

CollisionUnit& CollisionTest::place(CollisionUnit& u, float x, float y, int direction, int type,
                                    float speed) {
    u = CollisionUnit{};
    u.type = static_cast<std::int8_t>(type);
    u.present = 1;
    u.x = x;
    u.y = y;
    u.direction = static_cast<std::int8_t>(direction);
    u.speed = speed;
    setDrawPos(u);
    return u;
}

CollisionUnit& CollisionTest::placeVehicle(int i, float x, float y, int direction, int type) {
    return place(vehicles[static_cast<std::size_t>(i)], x, y, direction, type, 5.0f);
}

CollisionUnit& CollisionTest::placePerson(int i, float x, float y, int direction, int type) {
    return place(persons[static_cast<std::size_t>(i)], x, y, direction, type, 2.0f);
}

SonderObj& CollisionTest::placeObject(int slot, int type, float x, float y) {
    SonderObj& o = SonderObjs[static_cast<std::size_t>(slot)];
    o = SonderObj{};
    o.type = static_cast<std::int16_t>(type);
    o.x = x;
    o.y = y;
    return o;
}

void CollisionTest::placeHouse() {
    ASSERT_TRUE(PlaceHouses({{0, kHouseColumn, kHouseRow, 0, 0, 1}}));
}

PixelPos CollisionTest::CellMiddle(int column, int row) {
    return {CellLineStartX(column, row, kCellHeight / 2) + kCellWidth / 2,
            kCellHeight * row + kCellHeight / 2};
}

void CollisionTest::Flood(int column, int row, int columns, int rows) {
    for (int c = column; c < column + columns; ++c)
        for (int r = row; r < row + rows; ++r) SetCellTerrain(CellIndex(c, r), kWater);
}

}  // namespace kv::test
