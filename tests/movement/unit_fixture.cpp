#include "movement/unit_fixture.h"

#include "core/unit_views.h"
#include "persons/person_types.h"
#include "vehicles/fahrzeug_typ.h"

namespace kv::test {

std::array<UnitHead, 4> UnitTest::vehicles;
std::array<UnitHead, 4> UnitTest::persons;

TestUnitTyp::TestUnitTyp(std::uint8_t unitClass, float speed, std::uint8_t moveClass) {
    slots.fill(AnimSlot{1, 1, 0, 0, {0, 0, 0, 0}, nullptr});
    head.dirAnims.fill(slots.data());
    head.animCount = static_cast<std::uint8_t>(slots.size());
    head.unitClass = unitClass;
    head.speed = speed;
    head.terrainColumn = moveClass;
}

void TestUnitTyp::setBox(std::int16_t hotX, std::int16_t hotY, std::array<std::int16_t, 4> box) {
    for (AnimSlot& s : slots) {
        s.hotX = hotX;
        s.hotY = hotY;
        s.box = box;
    }
}

namespace {

void Install(UnitTypHead& entry, const TestUnitTyp& typ) {
    entry.dirAnims = typ.head.dirAnims;
    entry.animCount = typ.head.animCount;
}

// Before the resets: the table's free would release the test's slots.
void Uninstall(UnitTypHead& entry) {
    entry.dirAnims.fill(nullptr);
    entry.animCount = 0;
}

}  // namespace

void UnitTest::SetUp() {
    TerrainTest::SetUp();
    vehicles.fill(UnitHead{});
    persons.fill(UnitHead{});
    FahrzeugUnits.count = static_cast<std::int16_t>(vehicles.size());
    FahrzeugUnits.head = [](std::int16_t i) -> UnitHead* { return &vehicles[i]; };
    PersonUnits.count = static_cast<std::int16_t>(persons.size());
    PersonUnits.head = [](std::int16_t i) -> UnitHead* { return &persons[i]; };
}

void UnitTest::TearDown() {
    for (int t : installedPersons_) Uninstall(PersonTypen[static_cast<std::size_t>(t)]);
    for (int t : installedFahrzeuge_) Uninstall(FahrzeugTypen[static_cast<std::size_t>(t)]);
    installedPersons_.clear();
    installedFahrzeuge_.clear();
    TerrainTest::TearDown();
}

void UnitTest::installPersonTyp(int t, const TestUnitTyp& typ) {
    Install(PersonTypen[static_cast<std::size_t>(t)], typ);
    installedPersons_.push_back(t);
}

void UnitTest::installFahrzeugTyp(int t, const TestUnitTyp& typ) {
    Install(FahrzeugTypen[static_cast<std::size_t>(t)], typ);
    installedFahrzeuge_.push_back(t);
}

}  // namespace kv::test
