#include "world/sonder_obj_fixture.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/fatal_error.h"
#include "core/unit_views.h"
#include "gfx/image_files.h"
#include "world/materials.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/material_writer.h"

namespace kv::test {

std::array<TestUnit, 4> SonderObjTest::persons;
std::array<TestUnit, 4> SonderObjTest::vehicles;

namespace {

constexpr int kMoveClasses = 12;

void RegisterUnits(UnitArray& view, std::array<TestUnit, 4>& units) {
    for (TestUnit& u : units) u = TestUnit{};
    view = {};
    view.count = static_cast<std::int16_t>(units.size());
    view.offMap = nullptr;
    view.animSlot = nullptr;
}

}  // namespace

void SonderObjTest::SetUp() {
    TerrainTest::SetUp();
    loadLevel(SmallLevel(40, 20));
    std::vector<sampledata::TerrainRow> rows;
    for (int r = 0; r <= kWallTerrain; ++r)
        rows.push_back({r == kWallTerrain ? "Mauer" : "Wiese", "T", -1,
                        std::vector<int>(kMoveClasses, r == kWallTerrain ? -1 : 100),
                        std::vector<int>(kMoveClasses, 0)});
    loadTerrain(rows, kMoveClasses);
    const sampledata::MaterialRow materials[] = {
        {"nichts", "NB", {0, 0, 0, -1, 100}},
        {"Probe", "PR", {10000, 500, 50, 300, 20}},
    };
    writeFile("data/material.dat", sampledata::WriteMaterialFile(materials));
    cd.linkSampleData("sobj");
    cd.linkSampleData("cars");
    cwd_ = std::make_unique<WorkingDirectory>(cd.path());
    ASSERT_TRUE(LoadMaterials());

    RegisterUnits(PersonUnits, persons);
    PersonUnits.head = [](std::int16_t i) -> UnitHead* { return &persons[i].head; };
    PersonUnits.offMap = [](std::int16_t i) { return persons[i].offMap; };
    PersonUnits.animSlot = [](std::int16_t i) -> const AnimSlot* { return &persons[i].anim; };
    RegisterUnits(FahrzeugUnits, vehicles);
    FahrzeugUnits.head = [](std::int16_t i) -> UnitHead* { return &vehicles[i].head; };
    FahrzeugUnits.animSlot = [](std::int16_t i) -> const AnimSlot* { return &vehicles[i].anim; };

    SonderObjTypCount = kTestTyp + kTestTypen;
    SonderObjCount = kTestFixedSlots;
    AllocSonderObj();
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

void SonderObjTest::TearDown() {
    cwd_.reset();
    TerrainTest::TearDown();
}

void SonderObjTest::makeType(int slot, int frames, int ticks, std::array<std::int16_t, 4> box,
                             std::uint8_t material, std::int8_t explosionKind,
                             std::uint8_t vanishes) {
    std::vector<sampledata::AffFrame> pictures;
    for (int f = 0; f < frames; ++f)
        pictures.push_back({0, 0, sampledata::Canvas(8, 8, static_cast<std::uint8_t>(f + 1)), 0});
    const std::vector<std::uint8_t> bytes = sampledata::MakeAff(pictures);
    SonderObjTyp& t = *SonderObjTypAt(slot);
    FreeSonderObjTypFrames(static_cast<std::int16_t>(slot));
    t.frames = LoadAffFromBytes(bytes);
    t.frameCount = static_cast<std::int16_t>(frames);
    t.ticksPerFrame = static_cast<std::int16_t>(ticks);
    t.boxX0 = box[0];
    t.boxY0 = box[1];
    t.boxX1 = box[2];
    t.boxY1 = box[3];
    t.material = material;
    t.explosionKind = explosionKind;
    t.vanishes = vanishes;
    t.objectSet = 1;
}

namespace {

TestUnit& Place(TestUnit& u, int type, float x, float y, std::array<std::int16_t, 4> box) {
    u.head.type = static_cast<std::int8_t>(type);
    u.head.x = x;
    u.head.y = y;
    u.head.drawX = static_cast<std::int16_t>(x);
    u.head.drawY = static_cast<std::int16_t>(y);
    u.head.present = 1;
    u.anim.frames = 1;
    u.anim.box = box;
    return u;
}

}  // namespace

TestUnit& SonderObjTest::person(int index, int type, float x, float y,
                                std::array<std::int16_t, 4> box) {
    return Place(persons[static_cast<std::size_t>(index)], type, x, y, box);
}

TestUnit& SonderObjTest::vehicle(int index, int type, float x, float y,
                                 std::array<std::int16_t, 4> box) {
    return Place(vehicles[static_cast<std::size_t>(index)], type, x, y, box);
}

}  // namespace kv::test
