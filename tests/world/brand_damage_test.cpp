// The heat of fires around persons, vehicles and special objects.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fire_counts.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "support/evade_recorder.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/brand_fixture.h"
#include "world/sonder_obj.h"
#include "writers/material_writer.h"

namespace kv {
namespace {

using test::FakeFahrzeug;
using test::FakeFahrzeuge;

constexpr std::int16_t kPersonTyp = 40;
constexpr std::int32_t kProtection = 1000;
constexpr std::int32_t kFire = 100000;

// A world point inside a map cell.
PixelPos PointIn(int column, int row) {
    return {kCellWidth * column - 16 * row + 8, kCellHeight * row + 14};
}

FakeFahrzeug FahrzeugAt(std::int16_t type, PixelPos at) {
    FakeFahrzeug v;
    v.head.type = static_cast<std::int8_t>(type);
    v.head.x = static_cast<float>(at.x);
    v.head.y = static_cast<float>(at.y);
    v.head.present = 1;
    return v;
}

// n persons of the fixture's type, all standing at a point.
void PersonenAt(int n, PixelPos at) {
    PersonCount = static_cast<std::int16_t>(n);
    AllocPersonen();
    for (Person& p : Personen) {
        p.type = static_cast<std::int8_t>(kPersonTyp);
        p.x = static_cast<float>(at.x);
        p.y = static_cast<float>(at.y);
        p.deadTicks = 999;
    }
}

class BrandDamage : public test::BrandTest {
  protected:
    void SetUp() override {
        BrandTest::SetUp();
        savedPerson_ = PersonTypen[kPersonTyp];
        savedFahrzeug_ = FahrzeugTypen[kTypF101];
        savedHeli_ = FahrzeugTypen[kTypF203];
        PersonTypen[kPersonTyp].heatProtection = kProtection;
        PersonTypen[kPersonTyp].heatDivisor = 10;
        FahrzeugTypen[kTypF101].heatProtection = 500;
        FahrzeugTypen[kTypF203].heatProtection = 0;
        map(12, 12);
        light(4, 4, kFire);
    }
    void TearDown() override {
        PersonTypen[kPersonTyp] = savedPerson_;
        FahrzeugTypen[kTypF101] = savedFahrzeug_;
        FahrzeugTypen[kTypF203] = savedHeli_;
        BrandTest::TearDown();
    }

  private:
    PersonTyp savedPerson_{};
    FahrzeugTyp savedFahrzeug_{};
    FahrzeugTyp savedHeli_{};
};

TEST_F(BrandDamage, PersonsLoseEnergyByTheirDivisorCasualtiesByThreeTimesIt) {
    const PixelPos on = PointIn(4, 4);
    PersonenAt(8, on);
    Personen[1].casualty = 1;
    Personen[2].casualty = 1;
    Personen[2].energy = 100;
    Personen[3].offMap = 1;
    Personen[4].present = 0;
    Personen[5].storey = 1;  // inside no house: plain cells burn only outside
    Personen[6].energy = 10;
    Personen[7].x = static_cast<float>(PointIn(6, 4).x);  // two cells away: a quarter
    Personen[7].y = static_cast<float>(PointIn(6, 4).y);
    ApplyBrandDamage();

    const std::int32_t full = 1000000;
    EXPECT_EQ(Personen[0].energy, full - (kFire - kProtection) / 10);
    EXPECT_EQ(Personen[1].energy, full - (kFire - kProtection) / 30);
    EXPECT_EQ(Personen[2].energy, 0);
    EXPECT_EQ(Personen[2].deadTicks, 0);
    for (int n : {3, 4, 5}) EXPECT_EQ(Personen[static_cast<std::size_t>(n)].energy, full);
    EXPECT_EQ(Personen[6].energy, 0);
    EXPECT_EQ(Personen[7].energy, full - (kFire / 4 - kProtection) / 10);
    EXPECT_EQ(ToteCount, 1) << "only the casualty counts as dead";

    ApplyBrandDamage();
    EXPECT_EQ(ToteCount, 1) << "the dead are counted once";
}

TEST_F(BrandDamage, EveryBurningCellFeltPushesThePersonFromItsHeatPointWithItsWholeHeat) {
    light(6, 4, 50000);  // two cells east: a quarter of its heat hurts, but it pushes whole
    PersonenAt(2, PointIn(4, 4));
    Personen[1].storey = 1;  // inside no house: plain cells are not felt
    const test::EvadeRecorder pushes;
    ApplyBrandDamage();
    // Heat points 32c - 16r + 24, 28r + 14: the person's own cell first, then its neighbours.
    const std::vector<test::EvadeCall> expected = {
        {0, 88, 126, kFire - kProtection, 8, 0, -1},
        {0, 152, 126, 50000 - kProtection, 8, 0, -1},
    };
    EXPECT_EQ(pushes.Calls(), expected);
}

TEST_F(BrandDamage, AFireTheMissionsSetUpLightsHurtsAPersonBesideItAfterOneTick) {
    // Nothing burns until the mission's fire set-up lights a cell, as its hook does: by its flag.
    const test::ScratchDir dir;
    const test::WorkingDirectory cwd(dir.path());
    const sampledata::MaterialRow rows[] = {
        {"nichts", "N", {0, 0, 0, -1, 0}},
        {"senke", "S", {1000000000, 0, 0, -1, 0}},
        {"gras", "G", {1000000, 20000, 5000, test::kGrassIgnite, 100}},
    };
    const auto bytes = sampledata::WriteMaterialFile(rows);
    dir.write("data/material.dat", std::string(bytes.begin(), bytes.end()));
    cell(4, 4).burning = 0;
    BurningCellCount = 0;
    MissionHookRows[0].InitBrand = [] { cell(5, 4).burning = 1; };
    ASSERT_TRUE(InitBrand(1));
    PersonenAt(1, PointIn(4, 4));
    UpdateBrand();
    ApplyBrandDamage();
    EXPECT_EQ(Personen[0].energy, 1000000 - (5000 / 2 - kProtection) / 10);
}

TEST_F(BrandDamage, AMapWhoseCellsFallShortOfItsSizeIsFeltNowhere) {
    PersonenAt(2, PointIn(4, 4));
    // One more column than the arrays hold, and a person standing in it.
    MapWidth = static_cast<std::uint16_t>(MapWidth + 1);
    Personen[1].x = static_cast<float>(PointIn(MapWidth - 1, 4).x);
    Personen[1].y = static_cast<float>(PointIn(MapWidth - 1, 4).y);
    ApplyBrandDamage();
    EXPECT_EQ(Personen[0].energy, 1000000);
    EXPECT_EQ(Personen[1].energy, 1000000);
}

TEST_F(BrandDamage, InsideAHousePersonsFeelTheirOwnFloor) {
    houses(3, 2, 2, {{8, 8}});
    lightHouseCell(0, 0, 0, 0, 70000);
    lightHouseCell(0, 1, 0, 0, 50000);
    const PixelPos at = PointIn(8, 8);
    PersonenAt(3, at);
    Personen[0].house = 0;
    Personen[0].storey = 2;
    Personen[1].house = 0;
    Personen[1].storey = 9;  // no such floor
    ApplyBrandDamage();
    EXPECT_EQ(Personen[0].energy, 1000000 - (50000 - kProtection) / 10);
    EXPECT_EQ(Personen[1].energy, 1000000);
    EXPECT_EQ(Personen[2].energy, 1000000 - (70000 - kProtection) / 10)
        << "from outside, a house burns on its ground floor";
}

TEST_F(BrandDamage, VehiclesAndObjectsTakeTheHeatAroundThem) {
    const PixelPos on = PointIn(4, 4);
    FakeFahrzeuge = {FahrzeugAt(kTypF101, on), FahrzeugAt(kTypF203, on), FahrzeugAt(kTypF203, on),
                     FahrzeugAt(kTypF101, on), FahrzeugAt(kTypF101, PixelPos{-100, on.y})};
    FakeFahrzeuge[2].head.anim = 3;     // a landed helicopter
    FakeFahrzeuge[3].head.storey = -1;  // in the air
    test::InstallFakeFahrzeuge();

    SonderObjTypen.assign(1, SonderObjTyp{});
    SonderObjTypen[0].boxX1 = 20;
    SonderObjTypen[0].boxY1 = 20;
    SonderObjTypCount = 1;
    SonderObjs.resize(3);
    for (SonderObj& o : SonderObjs) {
        o.type = 0;
        o.x = static_cast<float>(on.x - 10);
        o.y = static_cast<float>(on.y - 10);
        o.fuel = 1;
    }
    SonderObjs[1].burning = 1;
    SonderObjs[2].fuel = 0;
    SonderObjCount = 3;
    BurningSonderObjCount = 1;

    ApplyBrandDamage();
    EXPECT_EQ(FakeFahrzeuge[0].heat, kFire - 500);
    EXPECT_EQ(FakeFahrzeuge[1].heat, 0) << "a helicopter in any other animation";
    EXPECT_EQ(FakeFahrzeuge[2].heat, kFire);
    EXPECT_EQ(FakeFahrzeuge[3].heat, 0);
    EXPECT_EQ(FakeFahrzeuge[4].heat, 0) << "off the map, and no fire within reach";
    EXPECT_EQ(SonderObjs[0].heat, kFire);
    EXPECT_EQ(SonderObjs[1].heat, 0);
    EXPECT_EQ(SonderObjs[2].heat, 0);
}

}  // namespace
}  // namespace kv
