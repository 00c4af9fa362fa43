#include "world/furniture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/fatal_error.h"
#include "world/house_fixture.h"
#include "world/houses.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv {
namespace {

using test::BoxHouse;

TEST(HouseObjCell, TheCentreOfTheBoxNamesTheCell) {
    struct Case {
        std::uint16_t slot;
        int dx, dy;
        bool inside;
        int i, j;
    };
    const Case cases[] = {
        {0, -30, 40, true, 0, 2},    // a plant
        {3, 20, 59, true, 2, 2},     // a sofa
        {24, 18, -23, true, 1, 0},   // a kitchen reaching above the house's origin
        {27, 103, -16, true, 3, 0},  // a toilet
        {30, 151, -8, true, 5, 0},   // a bed
        {60, 428, 18, true, 14, 1},  // the last table of a canteen row
        {1, -30, 40, true, 0, 2},    // a burning look stands where its group does
        {0, -30, -30, false, 0, 0},  // above the grid
        {0, -100, 40, false, 0, 0},  // left of it
        {0, 600, 40, false, 0, 0},   // beyond column 15
        {0, 0, 300, false, 0, 0},    // beyond row 7
        {68, 0, 0, false, 0, 0},     // no such slot
        {kNoHouseObjSlot, 0, 0, false, 0, 0},
    };
    for (const Case& k : cases) {
        int i = -1;
        int j = -1;
        EXPECT_EQ(HouseObjCell(k.slot, k.dx, k.dy, i, j), k.inside) << k.slot << " " << k.dx;
        if (!k.inside) continue;
        EXPECT_EQ(i, k.i) << k.slot << " " << k.dx;
        EXPECT_EQ(j, k.j) << k.slot << " " << k.dx;
    }
}

TEST(HouseFurnitureTable, CountsOfTheFurnishedTypes) {
    const std::pair<int, std::size_t> counts[] = {
        {0, 7},   {3, 5},   {4, 5},   {5, 5},  {6, 4},   {7, 5},  {8, 5},  {9, 5},   {10, 5},
        {11, 4},  {12, 5},  {13, 4},  {14, 3}, {15, 3},  {16, 7}, {17, 8}, {62, 28}, {63, 18},
        {65, 12}, {66, 10}, {67, 10}, {68, 6}, {69, 10}, {70, 8}, {71, 8}, {72, 10}, {73, 7},
    };
    std::size_t furnished = 0;
    for (const auto& [type, count] : counts) {
        EXPECT_EQ(HouseFurnitureTable(type).size(), count) << type;
        ++furnished;
    }
    std::size_t withFurniture = 0;
    for (int type = 0; type < kHouseTypCount; ++type)
        withFurniture += !HouseFurnitureTable(type).empty();
    EXPECT_EQ(withFurniture, furnished);
    EXPECT_TRUE(HouseFurnitureTable(74).empty());

    // The canteen: seven tables in a row on the top storey.
    const auto canteen = HouseFurnitureTable(62);
    for (int k = 0; k < 7; ++k) {
        const HouseFurniturePiece& p = canteen[canteen.size() - 7 + static_cast<std::size_t>(k)];
        EXPECT_EQ(p.slot, 60);
        EXPECT_EQ(p.dx, 44 + 64 * k);
        EXPECT_EQ(p.dy, 18);
        EXPECT_EQ(p.storey, 4);
    }
}

// Persons change storeys on a furnished house's stair cell, and the player clicks that cell's
// floor to send them: no piece may stand on it, on any storey.
TEST(HouseFurnitureTable, NoPieceStandsOnTheStairCell) {
    for (int type = 0; type < kHouseTypCount; ++type) {
        const HouseTypSettings& t = HouseTypSettingsOf(type);
        if (t.entranceI == 255) continue;
        for (const HouseFurniturePiece& p : HouseFurnitureTable(type)) {
            int i = -1;
            int j = -1;
            ASSERT_TRUE(HouseObjCell(p.slot, p.dx, p.dy, i, j)) << type;
            EXPECT_FALSE(i == t.entranceI && j == t.entranceJ)
                << "type " << type << " slot " << p.slot << " storey " << int{p.storey};
        }
    }
}

class FurnitureTest : public test::HouseTest {
  protected:
    void SetUp() override {
        HouseTest::SetUp();
        writeFurniture();
        writePictures(0, 0);
    }
};

TEST_F(FurnitureTest, OnlyAGroupsFirstSlotLoadsIt) {
    ResetHouseObjTypen();
    ASSERT_TRUE(LoadHouseObjTyp(1));
    EXPECT_EQ(HouseObjTypen[0].images, nullptr);
    EXPECT_EQ(HouseObjTypen[1].images, nullptr);
    EXPECT_EQ(HouseObjTypen[1].frames, 1);
    EXPECT_EQ(HouseObjTypen[1].burntSlot, kNoHouseObjSlot);

    ASSERT_TRUE(LoadHouseObjTyp(0));
    const HouseObjTyp& plain = HouseObjTypen[0];
    const HouseObjTyp& burning = HouseObjTypen[1];
    const HouseObjTyp& burnt = HouseObjTypen[2];
    ASSERT_NE(burnt.images, nullptr);
    EXPECT_EQ(plain.frames, 1);
    EXPECT_EQ(plain.burningSlot, 1);
    EXPECT_EQ(plain.burntSlot, kNoHouseObjSlot);
    EXPECT_EQ(plain.box, (std::array<std::int16_t, 4>{0, 13, 15, 24}));
    EXPECT_EQ(burning.frames, 12);
    EXPECT_EQ(burning.ticks, 2);
    EXPECT_EQ(burning.burntSlot, 2);
    EXPECT_EQ(burning.box, plain.box);
    for (int f = 0; f < 12; ++f) {
        EXPECT_EQ(burning.images[f].dx, -1);
        EXPECT_EQ(burning.images[f].dy, -8);
    }
    EXPECT_EQ(burnt.frames, 1);
    EXPECT_EQ(burnt.burningSlot, kNoHouseObjSlot);
    EXPECT_EQ(burnt.burntSlot, kNoHouseObjSlot);

    ASSERT_TRUE(LoadHouseObjTyp(63));
    EXPECT_NE(HouseObjTypen[63].images, nullptr);
    EXPECT_EQ(HouseObjTypen[63].burningSlot, kNoHouseObjSlot);
    EXPECT_EQ(HouseObjTypen[64].images, nullptr);
    EXPECT_TRUE(LoadHouseObjTyp(68));
    EXPECT_TRUE(LoadHouseObjTyp(kNoHouseObjSlot));
    EXPECT_FALSE(FatalErrorRaised());
}

TEST_F(FurnitureTest, ShortOrMissingPictures) {
    // A burning look of five frames cycles through those five.
    writeFile("houseobj/sg1b.vff",
              sampledata::MakeVff(std::vector<sampledata::Canvas>(5, sampledata::Canvas(2, 2, 9))));
    ASSERT_TRUE(LoadHouseObjTyp(3));
    EXPECT_EQ(HouseObjTypen[4].frames, 5);

    std::filesystem::remove(cd / "houseobj/sg2b.vff");
    EXPECT_FALSE(LoadHouseObjTyp(6));
    EXPECT_EQ(FatalErrorMessage(), "file not found: 'houseobj\\sg2b.vff'");

    // A picture file without frames is reported by the look's name.
    ResetFatalError();
    writeFile("houseobj/tisch3.vff", sampledata::MakeVff({}));
    EXPECT_FALSE(LoadHouseObjTyp(63));
    EXPECT_EQ(FatalErrorMessage(), "file not found: TISCH3");
}

TEST_F(FurnitureTest, PiecesStandInTheCellsOfTheirBoxes) {
    writeHouse(0, BoxHouse(6, 4, 3));
    ASSERT_TRUE(LoadHouseTyp(0));
    HouseTyp& t = HouseTypen[0];
    t.furnitureCount = 10;
    t.furniture.resize(10);
    AddHouseFurniture(0, 63, -46, 48, 1, 1);  // a table in the first plant's cell
    AddHouseFurniture(0, 0, 400, 40, 1, 1);   // beyond the house's six columns
    AddHouseFurniture(0, 57, 20, 20, 4, 1);   // on a fourth storey of three
    AddHouseFurniture(0, 57, 20, 20, 1, 1);   // no entry left
    EXPECT_EQ(FindFreeHouseFurniture(0), -1);

    ASSERT_TRUE(place({{0, 2, 1, 0, 0}, {0, 4, 5, 0, 0}}));
    ASSERT_EQ(HouseObjCount, 20);
    ASSERT_EQ(HouseObjs.size(), 20u);
    const HouseObj& plant = HouseObjs[0];
    EXPECT_EQ(plant.slot, 0);
    EXPECT_EQ(plant.x, -30 + 32 * 2 - 16 * 1);
    EXPECT_EQ(plant.y, 40 + 28 * 1);
    EXPECT_EQ(plant.storey, 1);
    EXPECT_EQ(plant.flag, 1);
    EXPECT_EQ(plant.burning, 0);
    EXPECT_EQ(HouseObjs[7].slot, 63);
    EXPECT_EQ(HouseObjs[8].slot, kNoHouseObjSlot) << "outside the grid";
    EXPECT_EQ(HouseObjs[9].slot, kNoHouseObjSlot) << "above the top floor";

    const auto& floors = Houses[0].floors;
    EXPECT_EQ(floors[0].objIndex[0][2], 7) << "the later piece names the cell";
    EXPECT_EQ(floors[0].objIndex[3][0], 4);
    EXPECT_EQ(floors[1].objIndex[2][2], 1);
    EXPECT_EQ(floors[1].objIndex[1][0], 3);
    EXPECT_EQ(floors[2].objIndex[0][2], 2);
    EXPECT_EQ(floors[2].objIndex[3][0], 5);
    EXPECT_EQ(floors[2].objIndex[5][0], 6);
    EXPECT_EQ(floors[0].objIndex[1][1], kNoHouseObj);
    // The second house's pieces follow the first's.
    EXPECT_EQ(HouseObjs[10].x, -30 + 32 * 4 - 16 * 5);
    EXPECT_EQ(Houses[1].floors[0].objIndex[0][2], 17);

    // Only the pieces used are loaded: type 0 has no first kitchen.
    EXPECT_NE(HouseObjTypen[24].images, nullptr);
    EXPECT_EQ(HouseObjTypen[21].images, nullptr);
    EXPECT_EQ(HouseObjTypen[57].images, nullptr) << "refused pieces load nothing";
}

TEST_F(FurnitureTest, AnUnplacedFurnishedTypeLoadsNoPictures) {
    writeHouse(3, BoxHouse(6, 4, 3));
    writeHouse(18, BoxHouse(2, 2, 1));
    ASSERT_TRUE(LoadHouseTyp(3));
    ASSERT_TRUE(place({{18, 2, 1, 0, 0}}));
    EXPECT_EQ(HouseObjCount, 0);
    for (const HouseObjTyp& s : HouseObjTypen) EXPECT_EQ(s.images, nullptr);
}

TEST_F(FurnitureTest, BurningPiecesAnimateAndBurnOut) {
    writeHouse(0, BoxHouse(6, 4, 3));
    ASSERT_TRUE(LoadHouseTyp(0));
    HouseTyp& t = HouseTypen[0];
    t.furnitureCount = 8;
    t.furniture.resize(8);
    AddHouseFurniture(0, 63, -46, 48, 1, 1);
    ASSERT_TRUE(place({{0, 2, 1, 0, 0}}));

    IgniteHouseObj(0);
    HouseObj& plant = HouseObjs[0];
    EXPECT_EQ(plant.burning, 1);
    EXPECT_EQ(plant.slot, 1);
    EXPECT_EQ(plant.frame, 0);
    std::vector<int> frames;
    for (int tick = 0; tick < 24; ++tick) {
        UpdateHouseObjAnims();
        frames.push_back(plant.frame);
    }
    for (int tick = 0; tick < 24; ++tick) EXPECT_EQ(frames[tick], (tick + 1) / 2 % 12) << tick;
    EXPECT_EQ(HouseObjs[1].frame, 0) << "a still piece stays";

    IgniteHouseObj(0);
    EXPECT_EQ(plant.slot, 1) << "already burning";
    for (int tick = 0; tick < 3; ++tick) UpdateHouseObjAnims();
    EndHouseObjFire(0);
    EXPECT_EQ(plant.burning, 0);
    EXPECT_EQ(plant.slot, 2);
    EXPECT_EQ(plant.frame, 0);
    for (int tick = 0; tick < 5; ++tick) UpdateHouseObjAnims();
    EXPECT_EQ(plant.frame, 0) << "the burnt look is still";

    // Pieces without a burning look burn away when fire reaches them: a burnt-out piece that
    // catches fire again, and a table of a single slot.
    ASSERT_EQ(HouseObjs[7].slot, 63);
    for (const int index : {0, 7}) {
        HouseObj& piece = HouseObjs[static_cast<std::size_t>(index)];
        IgniteHouseObj(index);
        EXPECT_EQ(piece.slot, kNoHouseObjSlot) << index;
        EXPECT_FALSE(HouseObjInUse(piece)) << index << ": neither drawn nor in the way";
        // Emptied as a saved game keeps it, so that a loaded game hashes as the one saved.
        EXPECT_EQ(piece.x, 0) << index;
        EXPECT_EQ(piece.storey, 0) << index;
        EXPECT_EQ(piece.burning, 0) << index;
        UpdateHouseObjAnims();
        EndHouseObjFire(index);
        EXPECT_EQ(piece.slot, kNoHouseObjSlot) << index << ": gone for good";
        IgniteHouseObj(index);
        EXPECT_EQ(piece.slot, kNoHouseObjSlot) << index;
    }
    EXPECT_TRUE(HouseObjInUse(HouseObjs[1]));

    IgniteHouseObj(-1);
    IgniteHouseObj(20);
    EndHouseObjFire(20);
}

}  // namespace
}  // namespace kv
