#include "vehicles/fahrzeug_fixture.h"

#include <gtest/gtest.h>

#include "core/cd_path.h"
#include "core/fatal_error.h"
#include "core/mission_state.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_update.h"
#include "vehicles/fahrzeuge.h"
#include "world/materials.h"
#include "world/sonder_obj.h"

namespace kv::test {

void FahrzeugTest::SetUp() {
    HeadlessTest::SetUp();
    CdPath.clear();  // the tree is its own CD directory
    cwd_.emplace(KV_SAMPLEDATA_DIR);
    MissionNummer = 1;
    ASSERT_TRUE(LoadMaterials());
    FreshUnitArrays();
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

void FahrzeugTest::FreshUnitArrays() {
    FreePersonen();
    FreeFahrzeuge();
    FreeSonderObj();
    SonderObjTypCount = kCommonSonderObjTypen;
    SonderObjCount = 0;
    AllocSonderObj();
    PersonCount = 40;
    AllocPersonen();
    FahrzeugCount = 20;
    AllocFahrzeuge();
}

void FahrzeugTest::TearDown() {
    cwd_.reset();
    HeadlessTest::TearDown();
}

std::int16_t FahrzeugTest::Make(std::int32_t type, std::uint8_t owner, std::int16_t x,
                                std::int16_t y, std::int32_t facing) {
    if (type >= 0 && type < kFahrzeugTypCount) LoadFahrzeugTyp(static_cast<std::int16_t>(type));
    const std::int16_t index = CreateFahrzeug(type, x, y, facing);
    if (index >= 0) SetupFahrzeug(index, owner);
    return index;
}

std::int16_t FahrzeugTest::MakePerson(std::int8_t type, std::int32_t energy) {
    const std::int16_t index = FindFreePerson();
    if (index < 0) return index;
    Person& p = Personen[static_cast<std::size_t>(index)];
    p.type = type;
    p.energy = energy;
    p.x = 100;
    p.y = 100;
    return index;
}

std::int16_t FahrzeugTest::Seat(std::int16_t vehicle, std::int8_t type, std::int32_t energy) {
    Fahrzeug* v = FahrzeugAt(vehicle);
    if (v == nullptr) return -1;
    for (std::uint16_t& seat : v->seats) {
        if (seat != kNoPerson) continue;
        const std::int16_t p = MakePerson(type, energy);
        Personen[static_cast<std::size_t>(p)].offMap = 1;
        seat = static_cast<std::uint16_t>(p);
        return p;
    }
    return -1;
}

void FahrzeugTest::Ticks(int n) {
    for (int i = 0; i < n; ++i) UpdateFahrzeuge();
}

}  // namespace kv::test
