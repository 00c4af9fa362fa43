#pragma once
// Tests of the fire model: a small level loaded from a written level file, a material table, box
// houses of a loaded house type, and stand-in vehicles that the vehicle view points at.

#include <cstdint>
#include <vector>

#include "core/unit_head.h"
#include "support/headless_test.h"
#include "world/brand.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/materials.h"
#include "world/wasser_strahl.h"

namespace kv::test {

// The classes of the fixture: 0 burns nothing, 1 never ignites but passes the heat it is given,
// 2 burns (the level's grass), 3 burns in houses.
inline constexpr std::uint8_t kInert = 0;
inline constexpr std::uint8_t kSink = 1;
inline constexpr std::uint8_t kGrass = 2;
inline constexpr std::uint8_t kHouseClass = 3;
inline constexpr std::int32_t kGrassIgnite = 3000;
inline constexpr std::int32_t kHouseIgnite = 5000;

// An unfurnished house type whose fire from another house is divided by 2.
inline constexpr int kBoxHouseTyp = 18;

// Stand-ins for vehicles: their heads and the fields the fire model reaches.
struct FakeFahrzeug {
    UnitHead head;
    std::int32_t heat = 0;
    bool hasJet = false;
    WasserStrahl jet;
};
// The array the vehicle view points at once InstallFakeFahrzeuge has run.
extern std::vector<FakeFahrzeug> FakeFahrzeuge;
void InstallFakeFahrzeuge();

class BrandTest : public HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The material, tile and terrain tables of the fixture.
    static void tables();
    // A width x height level of grass (class 2, terrain 1), nothing burning.
    void map(int width, int height);
    // Houses of the box type with this many floors and cells, at map (x, y) each.
    void houses(int floors, int extentI, int extentJ, const std::vector<CellPos>& at,
                std::uint8_t material = kHouseClass);

    static BrandState& cell(int column, int row);
    static BrandState& houseCell(int house, int floor, int i, int j);
    static CellAnim& anim(int column, int row);
    // Sets a map cell burning with this heat, counted.
    static void light(int column, int row, std::int32_t heat);
    static void lightHouseCell(int house, int floor, int i, int j, std::int32_t heat);
    // The three counters against a count of what burns.
    static void expectCountsMatch();
};

}  // namespace kv::test
