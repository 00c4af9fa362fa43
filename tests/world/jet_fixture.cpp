#include "world/jet_fixture.h"

#include <vector>

#include "core/fire_counts.h"
#include "core/view.h"
#include "gfx/image_files.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "world/sonder_obj.h"
#include "world/tile_set.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv::test {

namespace {

constexpr std::int16_t kCannonTypen[] = {kTypF104, kTypF115, kTypF303};
constexpr int kSonderObjSlots = 16;

}  // namespace

PixelPos PixelIn(int column, int row) {
    return {kCellWidth * column - 16 * row + 8, kCellHeight * row + 14};
}

void JetTest::SetUp() {
    BrandTest::SetUp();
    map(20, 16);
    TileImages.assign(3, RunImage{kPlainTileHeight, {}});
    TileImages[kTallTile].height = kTallTileHeight;
    ViewOrigin = {0, 0};

    cannonTyp.strength = 10;
    cannonTyp.height = 20;
    cannonTyp.range = 200;
    for (const std::int16_t t : kCannonTypen)
        FahrzeugTypen[static_cast<std::size_t>(t)].kanone = &cannonTyp;

    SonderObjTypCount = 8;
    SonderObjTypen.assign(static_cast<std::size_t>(SonderObjTypCount), SonderObjTyp{});
    const sampledata::AffFrame picture{0, 0, sampledata::Canvas(kSplashWidth, kSplashHeight, 1), 0};
    SonderObjTypen[kSplashSonderObjTyp].frames =
        LoadAffFromBytes(sampledata::MakeAff({&picture, 1}));
    SonderObjTyp& burnable = SonderObjTypen[kBurnableObjTyp];
    burnable.boxX0 = -10;
    burnable.boxY0 = -10;
    burnable.boxX1 = 10;
    burnable.boxY1 = 10;
    SonderObjCount = kSonderObjSlots;
    SonderObjs.clear();
    SonderObjs.resize(kSonderObjSlots);
}

void JetTest::TearDown() {
    // The cannon type is the test's own: the type's free must not release it.
    for (const std::int16_t t : kCannonTypen)
        FahrzeugTypen[static_cast<std::size_t>(t)].kanone = nullptr;
    TileImages.clear();
    BrandTest::TearDown();
}

std::int16_t JetTest::cannon(std::int16_t type, int x, int y, int facing) {
    const auto index = static_cast<std::int16_t>(FakeFahrzeuge.size());
    FakeFahrzeug v;
    v.head.type = static_cast<std::int8_t>(type);
    v.head.x = static_cast<float>(x);
    v.head.y = static_cast<float>(y);
    v.head.direction = static_cast<std::int8_t>(facing);
    v.hasJet = true;
    v.jet.elevation = 25;
    v.jet.countdown = -1;
    // Slot 0 stays free: an idle record's slot 0 may name a mission's object.
    v.jet.splash = static_cast<std::int16_t>(index + 1);
    SonderObj& s = SonderObjs[static_cast<std::size_t>(v.jet.splash)];
    s.type = kSplashSonderObjTyp;
    s.visible = 0;
    FakeFahrzeuge.push_back(v);
    InstallFakeFahrzeuge();
    return index;
}

UnitHead& JetTest::head(std::int16_t vehicle) {
    return FakeFahrzeuge[static_cast<std::size_t>(vehicle)].head;
}

WasserStrahl& JetTest::jet(std::int16_t vehicle) {
    return FakeFahrzeuge[static_cast<std::size_t>(vehicle)].jet;
}

SonderObj& JetTest::splash(std::int16_t vehicle) {
    return SonderObjs[static_cast<std::size_t>(jet(vehicle).splash)];
}

void JetTest::ticks(std::int16_t vehicle, int n) {
    for (int i = 0; i < n; ++i) UpdateWasserStrahl(vehicle);
}

void JetTest::persons(int count) {
    PersonCount = static_cast<std::int16_t>(count);
    AllocPersonen();
}

Person& JetTest::person(int index, std::int8_t type, int x, int y, std::uint8_t controlFlags) {
    Person& p = Personen[static_cast<std::size_t>(index)];
    p.type = type;
    p.x = static_cast<float>(x);
    p.y = static_cast<float>(y);
    p.storey = 0;
    p.present = 1;
    p.energy = 1000000;
    p.controlFlags = controlFlags;
    return p;
}

void JetTest::burningObject(int slot, int x, int y) {
    SonderObj& o = SonderObjs[static_cast<std::size_t>(slot)];
    o.type = kBurnableObjTyp;
    o.x = static_cast<float>(x);
    o.y = static_cast<float>(y);
    o.storey = 0;
    o.burning = 1;
    o.heat = 1000;
    o.fuel = 1000;
    ++BurningSonderObjCount;
}

}  // namespace kv::test
