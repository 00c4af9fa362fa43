#pragma once
// Tests of the water jets: the fire model's small level with its tiles' image heights, a cannon
// type whose mount and muzzle sit on the vehicle's position, stand-in vehicles with their jets
// and splash objects, and persons for the hose and the crowd cannon.

#include <cstdint>

#include "core/unit_head.h"
#include "persons/person.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/brand_fixture.h"
#include "world/sonder_obj.h"
#include "world/wasser_strahl.h"

namespace kv::test {

// Tile images: 0 and 2 are a cell high, 1 is a tall tree.
inline constexpr std::uint16_t kTallTile = 1;
inline constexpr int kPlainTileHeight = 28;
inline constexpr int kTallTileHeight = 100;
// The splash's picture.
inline constexpr int kSplashWidth = 10;
inline constexpr int kSplashHeight = 4;
// A special-object type that burns, with a box 20 x 20 around its position.
inline constexpr std::int16_t kBurnableObjTyp = 7;

// A point near the middle of a cell's row.
PixelPos PixelIn(int column, int row);

class JetTest : public BrandTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A stand-in vehicle of a cannon type at (x, y), facing, with an idle jet and its own splash.
    std::int16_t cannon(std::int16_t type, int x, int y, int facing = 0);
    UnitHead& head(std::int16_t vehicle);
    WasserStrahl& jet(std::int16_t vehicle);
    SonderObj& splash(std::int16_t vehicle);
    // Runs the jet update of a vehicle n times.
    static void ticks(std::int16_t vehicle, int n);

    // count person slots, all free.
    static void persons(int count);
    // A person in slot index at (x, y) on the ground.
    static Person& person(int index, std::int8_t type, int x, int y, std::uint8_t controlFlags = 0);
    // A burning object of kBurnableObjTyp in the slot, centred on (x, y).
    static void burningObject(int slot, int x, int y);

    KanoneTyp cannonTyp{};
};

}  // namespace kv::test
