#include "world/houses.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/fatal_error.h"
#include "core/hover.h"
#include "core/main_window.h"
#include "core/mission_hooks.h"
#include "core/random.h"
#include "core/view.h"
#include "support/record_offsets.h"
#include "world/house_fixture.h"
#include "world/house_images.h"
#include "world/tile_set.h"

namespace kv {
namespace {

using sampledata::HouseFile;
using test::BoxHouse;
using test::Placement;

// The save game copies these records by byte ranges.
TEST(HouseRecords, SaveOffsets) {
    test::ExpectLayout<House>(18, {{"type", 0},
                                   {"x", 1},
                                   {"y", 3},
                                   {"hlSet", 5},
                                   {"upperSet", 6},
                                   {"shownStorey", 7},
                                   {"interiorView", 8},
                                   {"markable", 9},
                                   {"evacuated", 10},
                                   {"burning", 11},
                                   {"burningCells", 12},
                                   {"floors", 14}});
    test::ExpectLayout<HouseFloor>(
        2994,
        {{"corners", 0}, {"personCount", 48}, {"objIndex", 50}, {"brand", 306}, {"flames", 1458}});
    test::ExpectLayout<HouseObj>(13, {{"slot", 0},
                                      {"x", 2},
                                      {"y", 4},
                                      {"storey", 6},
                                      {"flag", 7},
                                      {"burning", 8},
                                      {"frame", 9},
                                      {"tick", 11}});
}

TEST(HouseRecords, CellIsElevenBytesInFileOrder) {
    test::ExpectLayout<HouseCell>(11, {{"lowerImage", 0},
                                       {"middleImage", 2},
                                       {"upperImage", 4},
                                       {"material", 6},
                                       {"walls", 7},
                                       {"lowerFlames", 8},
                                       {"middleFlames", 9},
                                       {"upperFlames", 10}});
    const std::vector<std::uint8_t> bytes{2, 1, 4, 3, 6, 5, 7, 8, 9, 10, 11};
    ByteReader in(bytes);
    const auto back = ReadRecord<HouseCell>(in);
    EXPECT_EQ(back.lowerImage, 0x0102);
    EXPECT_EQ(back.middleImage, 0x0304);
    EXPECT_EQ(back.walls, 8);
    EXPECT_EQ(back.upperFlames, 11);
    ByteWriter out;
    WriteRecord(out, back);
    EXPECT_EQ(out.data(), bytes);
}

TEST(HouseRecords, LinksRoundTrip) {
    EXPECT_EQ(HouseLink(0, 0, 0), 0x8000);
    EXPECT_EQ(HouseLink(127, 15, 7), 0xFFF7);
    EXPECT_EQ(HouseLink(3, 5, 2), 0x8352);
}

class HouseTypLoad : public test::HouseTest {};

TEST_F(HouseTypLoad, ALoadedTypeIsNotReadAgain) {
    writeHouse(18, BoxHouse(3, 2, 2));
    ASSERT_TRUE(LoadHouseTyp(18));
    const HouseTyp& t = HouseTypen[18];
    EXPECT_EQ(t.floors, 2);
    EXPECT_EQ(t.extentI, 3);
    EXPECT_EQ(t.extentJ, 2);
    EXPECT_EQ(t.cells.size(), 2u * 16 * 8);
    EXPECT_EQ(MaxHouseFloors, 3);

    std::filesystem::remove(cd / "houses/haus19.hlv");
    EXPECT_TRUE(LoadHouseTyp(18));
    EXPECT_FALSE(FatalErrorRaised());
    EXPECT_EQ(t.cell(1, 2, 1).lowerImage, 1);

    FreeHouseTyp(18);
    EXPECT_FALSE(LoadHouseTyp(18));
    EXPECT_EQ(FatalErrorMessage(), "houses\\haus19.hlv not found!");
}

TEST_F(HouseTypLoad, SettingsOfTheType) {
    writeHouse(0, BoxHouse(6, 4, 3));
    writeHouse(1, BoxHouse(6, 1, 1));
    writeHouse(25, BoxHouse(5, 3, 2));
    writeHouse(64, BoxHouse(14, 8, 2));
    for (int type : {0, 1, 25, 64}) ASSERT_TRUE(LoadHouseTyp(type)) << type;

    const HouseTyp& t0 = HouseTypen[0];
    EXPECT_EQ(t0.doorI, 1);
    EXPECT_EQ(t0.doorJ, 3);
    EXPECT_EQ(t0.doorSide, 1);
    EXPECT_EQ(t0.entranceI, 0);
    EXPECT_EQ(t0.drawFlag, 0);
    EXPECT_EQ(t0.spreadDivisor, 2);
    EXPECT_EQ(t0.facadeLook[4][2], 1);
    EXPECT_EQ(t0.facadeLook[5][2], 0);
    EXPECT_EQ(t0.facadeLook[4][3], 0);
    ASSERT_EQ(t0.furnitureCount, 7);
    ASSERT_EQ(t0.furniture.size(), 7u);
    EXPECT_EQ(t0.furniture[3].slot, 24);  // the second kitchen
    EXPECT_EQ(t0.furniture[3].x, 18);
    EXPECT_EQ(t0.furniture[3].y, -23);
    EXPECT_EQ(t0.furniture[3].storey, 2);
    EXPECT_EQ(t0.furniture[3].flag, 1);

    EXPECT_EQ(HouseTypen[1].spreadDivisor, 1);
    EXPECT_EQ(HouseTypen[1].enterShowsInterior, 1);
    EXPECT_EQ(HouseTypen[1].entranceI, 255);
    EXPECT_EQ(HouseTypen[25].doorI, 0);
    EXPECT_EQ(HouseTypen[25].doorJ, 0);
    EXPECT_EQ(HouseTypen[25].doorSide, 0);
    EXPECT_EQ(HouseTypen[25].drawFlag, 1);
    EXPECT_EQ(HouseTypen[25].furnitureCount, 0);
    EXPECT_EQ(HouseTypen[64].entranceI, 255);
    EXPECT_EQ(HouseTypen[64].enterShowsInterior, 1);
    EXPECT_EQ(HouseTypen[64].furnitureCount, 0);
    EXPECT_EQ(MaxHouseFloors, 4);

    EXPECT_FALSE(LoadHouseTyp(74));
    EXPECT_FALSE(LoadHouseTyp(-1));
    EXPECT_FALSE(FatalErrorRaised());
}

TEST_F(HouseTypLoad, CellsWithoutAnyClassGetTheDefault) {
    // A second floor smaller than the first: the last floor's extent is the type's.
    HouseFile none = BoxHouse(4, 3, 2, 0);
    none.floors[1] = BoxHouse(3, 2, 1, 0).floors[0];
    writeHouse(20, none);
    ASSERT_TRUE(LoadHouseTyp(20));
    const HouseTyp& t = HouseTypen[20];
    EXPECT_EQ(t.extentI, 3);
    EXPECT_EQ(t.cell(0, 0, 0).material, kDefaultHouseMaterial);
    EXPECT_EQ(t.cell(1, 2, 1).material, kDefaultHouseMaterial);
    EXPECT_EQ(t.cell(0, 3, 2).material, 0) << "outside the type's extent";

    HouseFile one = BoxHouse(4, 3, 2, 0);
    one.floors[1].cells[5].material = 1;
    writeHouse(21, one);
    ASSERT_TRUE(LoadHouseTyp(21));
    EXPECT_EQ(HouseTypen[21].cell(1, 1, 2).material, 1);
    EXPECT_EQ(HouseTypen[21].cell(0, 0, 0).material, 0);
    EXPECT_EQ(HouseTypen[21].cell(1, 0, 0).material, 0);
}

TEST_F(HouseTypLoad, BrokenFilesAreRefusedAndStderrSaysWhy) {
    struct Case {
        const char* what;
        HouseFile file;
        const char* why;  // what stderr says after the file's name
        bool truncate = false;
    };
    std::vector<Case> cases;
    HouseFile magic = BoxHouse(3, 2, 1);
    magic.magic = "Kestrivon House V1.02";
    cases.push_back(
        {"another version", magic, "refused at offset 0 (0x0): not \"Kestrivon House V1.03\""});
    cases.push_back({"17 columns", BoxHouse(17, 2, 1),
                     "refused at offset 27 (0x1b): floor 0 of 17 x 2 cells, 16 x 8 allowed"});
    cases.push_back({"9 rows", BoxHouse(2, 9, 1),
                     "refused at offset 27 (0x1b): floor 0 of 2 x 9 cells, 16 x 8 allowed"});
    HouseFile upper = BoxHouse(3, 2, 2);
    upper.floors[1] = BoxHouse(17, 1, 1).floors[0];
    // The second floor's extent follows the first floor's 3 x 2 cells of 11 bytes.
    cases.push_back({"an upper floor of 17 columns", upper,
                     "refused at offset 105 (0x69): floor 1 of 17 x 1 cells, 16 x 8 allowed"});
    cases.push_back(
        {"no floors", HouseFile{}, "refused at offset 21 (0x15): 0 floors, 1 to 127 allowed"});
    cases.push_back({"cut short", BoxHouse(3, 2, 2),
                     "refused at offset 113 (0x71): 66 bytes wanted, only 61 left", true});
    for (const Case& k : cases) {
        ResetFatalError();
        auto bytes = sampledata::WriteHouseFile(k.file);
        if (k.truncate) bytes.resize(bytes.size() - 5);
        writeFile("houses/haus31.hlv", bytes);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(LoadHouseTyp(30)) << k.what;
        EXPECT_THAT(testing::internal::GetCapturedStderr(),
                    testing::HasSubstr("houses\\haus31.hlv: " + std::string(k.why)))
            << k.what;
        EXPECT_EQ(FatalErrorMessage(), "houses\\haus31.hlv: fileversion corrupt!") << k.what;
        EXPECT_FALSE(HouseTypen[30].loaded()) << k.what;
        EXPECT_TRUE(HouseTypen[30].furniture.empty()) << k.what;
    }
}

class HousePlacement : public test::HouseTest {
  protected:
    void SetUp() override {
        HouseTest::SetUp();
        writePictures(0, 0);
        writePictures(3, 2);
    }
    static std::uint16_t tile(int column, int row) {
        return MapCells[static_cast<std::size_t>(CellIndex(column, row))].tile;
    }
};

TEST_F(HousePlacement, TheMissionsSetUpIsRequired) {
    // The fixture's table has mission 1 only.
    for (int mission : {0, 2, 31}) {
        ResetFatalError();
        EXPECT_FALSE(InitHouses(mission)) << mission;
        EXPECT_EQ(FatalErrorMessage(), "InitHouses not defined") << mission;
    }
    ResetFatalError();
    ClearMissionHooks();
    EXPECT_FALSE(InitHouses(1));
    EXPECT_EQ(FatalErrorMessage(), "InitHouses not defined");
}

TEST_F(HousePlacement, GroundCellsAreLinkedIntoTheMap) {
    HouseFile file = BoxHouse(3, 2, 2);
    file.floors[0].cells[2].lowerImage = 0;  // (1, 0): the building does not stand here
    writeHouse(18, file);
    ASSERT_TRUE(place({{18, 4, 2, 3, 2, 1}}));

    ASSERT_EQ(Houses.size(), 1u);
    const House& h = Houses[0];
    EXPECT_EQ(h.shownStorey, 2);
    EXPECT_EQ(h.interiorView, 0);
    EXPECT_EQ(h.evacuated, 1) << "plain buildings start marked";
    EXPECT_EQ(h.markable, 1);
    ASSERT_EQ(h.floors.size(), 2u);
    EXPECT_EQ(h.floors[1].objIndex[15][7], kNoHouseObj);
    EXPECT_EQ(h.floors[1].flames[kFlameUpper][2][1].kind, 0);
    EXPECT_TRUE(HouseHlSets[3].loaded);
    EXPECT_TRUE(HouseHoSets[2].loaded);
    EXPECT_FALSE(HouseHlSets[0].loaded);

    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) {
            const std::uint16_t t = tile(4 + i, 2 + j);
            if (i == 1 && j == 0) {
                EXPECT_EQ(t, 0) << "open ground";
                EXPECT_EQ(DecodeHouseLink(t).house, -1);
                continue;
            }
            EXPECT_EQ(t, HouseLink(0, i, j));
            const HouseLinkTarget link = DecodeHouseLink(t);
            EXPECT_EQ(link.house, 0);
            EXPECT_EQ(link.i, i);
            EXPECT_EQ(link.j, j);
        }
    EXPECT_EQ(tile(3, 2), 0);
    EXPECT_EQ(tile(7, 3), 0);
    EXPECT_EQ(DecodeHouseLink(HouseLink(1, 0, 0)).house, -1) << "no such house";
    EXPECT_EQ(DecodeHouseLink(HouseLink(0, 3, 0)).house, -1) << "beyond the type's grid";
}

TEST_F(HousePlacement, HousesOverTheMapEdgesLinkOnlyTheirCellsOnTheMap) {
    writeHouse(18, BoxHouse(3, 3, 1));
    ASSERT_TRUE(place({{18, -1, -2, 0, 0}, {18, 10, 6, 0, 0}}));
    int linked0 = 0;
    int linked1 = 0;
    for (const MapCell& c : MapCells) {
        const HouseLinkTarget link = DecodeHouseLink(c.tile);
        linked0 += link.house == 0;
        linked1 += link.house == 1;
    }
    EXPECT_EQ(linked0, 2);  // columns 0, 1 of row 0
    EXPECT_EQ(linked1, 4);  // columns 10, 11 of rows 6, 7
    EXPECT_EQ(tile(0, 0), HouseLink(0, 1, 2));
    EXPECT_EQ(tile(11, 7), HouseLink(1, 1, 1));
}

TEST_F(HousePlacement, HouseIndicesStayBelow128) {
    writeHouse(18, BoxHouse(1, 1, 1));
    std::vector<Placement> many;
    for (int n = 0; n < 130; ++n) many.push_back({18, n % 12, (n / 12) % 8, 0, 0});
    ASSERT_TRUE(place(many));
    ASSERT_EQ(Houses.size(), 130u);
    EXPECT_EQ(Houses[127].type, 18);
    EXPECT_EQ(Houses[128].type, -1);
    EXPECT_EQ(Houses[129].type, -1);
    EXPECT_EQ(FindFreeHouse(), -1);
    for (const MapCell& c : MapCells) EXPECT_LT(DecodeHouseLink(c.tile).house, 128);
    EXPECT_EQ(tile(7, 2), HouseLink(127, 0, 0)) << "house 127 stands on (7, 2) after house 31";
}

TEST_F(HousePlacement, FreeSlotsAndUnknownTypesPlaceNothing) {
    writeHouse(18, BoxHouse(2, 2, 1));
    ASSERT_TRUE(place({{18, 1, 1, 0, 0}, {74, 5, 5, 0, 0}}, 3));
    EXPECT_EQ(Houses[0].type, 18);
    EXPECT_EQ(Houses[1].type, -1);
    EXPECT_EQ(Houses[2].type, -1);
    EXPECT_EQ(PlacedHouse(1), nullptr);
}

TEST_F(HousePlacement, CornerPointsRiseByAStoreyPerFloor) {
    writeHouse(23, BoxHouse(3, 2, 3));
    ASSERT_TRUE(place({{23, 4, 2, 0, 0}}));
    const House& h = Houses[0];
    ASSERT_EQ(h.floors.size(), 3u);
    // Front-right base (32 * 7 - 16 * 4, 28 * 4), rear-right base (32 * 7 - 16 * 2, 28 * 2).
    const std::array<std::int32_t, 12> ground = {160, 81, 160, 96, 160, 112,
                                                 192, 25, 192, 40, 192, 56};
    EXPECT_EQ(h.floors[0].corners, ground);
    for (int f = 1; f < 3; ++f)
        for (std::size_t k = 0; k < 12; ++k)
            EXPECT_EQ(h.floors[static_cast<std::size_t>(f)].corners[k],
                      ground[k] - (k % 2 == 1 ? 31 * f : 0))
                << f << " " << k;
}

TEST_F(HousePlacement, AFailingHouseFreesEverything) {
    writeHouse(18, BoxHouse(2, 2, 1));
    writeHouse(19, BoxHouse(17, 2, 1));
    EXPECT_FALSE(place({{18, 1, 1, 0, 0}, {19, 5, 1, 0, 0}}));
    EXPECT_EQ(FatalErrorMessage(), "houses\\haus20.hlv: fileversion corrupt!");
    EXPECT_TRUE(Houses.empty());
    EXPECT_FALSE(HouseTypen[18].loaded());
    EXPECT_FALSE(HouseHlSets[0].loaded);
    EXPECT_EQ(MaxHouseFloors, 1);
    EXPECT_EQ(DecodeHouseLink(tile(1, 1)).house, -1) << "a link left behind names no house";

    ResetFatalError();
    EXPECT_FALSE(place({{18, 1, 1, 4, 0}}));
    EXPECT_EQ(FatalErrorMessage(), "houses\\hl05.dat not found!");
    ResetFatalError();
    EXPECT_FALSE(place({{18, 1, 1, 0, 5}}));
    EXPECT_EQ(FatalErrorMessage(), "houses\\hm06.dat not found!");
}

TEST_F(HousePlacement, PictureSetsAreSharedByNumber) {
    writeHouse(18, BoxHouse(2, 2, 1));
    writeHouse(19, BoxHouse(2, 1, 1));
    ASSERT_TRUE(place({{18, 1, 1, 3, 2}, {19, 5, 1, 3, 2}, {18, 8, 4, 3, 2}}));
    const RunImage* hl = HouseHlSets[3].images.data();
    const RunImage* hm = HouseHmSets[2].images.data();
    // Gone from the disk, the loaded sets and types still serve another placement.
    std::filesystem::remove_all(cd / "houses");
    ASSERT_TRUE(place({{18, 1, 1, 3, 2}, {19, 5, 1, 3, 2}}));
    EXPECT_EQ(HouseHlSets[3].images.data(), hl);
    EXPECT_EQ(HouseHmSets[2].images.data(), hm);
    EXPECT_EQ(HouseHlSets[3].table.size(), 4u);
}

TEST(HousePictureSets, ReadByTheirOwnRule) {
    // Tables and images in any numbers, and whatever follows them: no phase blocks here.
    sampledata::HouseImageSetFile file;
    file.table.resize(5);
    file.images.assign(2, RunImage{1, {48}});
    auto bytes = sampledata::WriteHouseImageSetFile(file);
    bytes.push_back(7);
    HouseImageSet set;
    ByteReader in(bytes);
    ASSERT_TRUE(ReadHouseImageSet(in, set)) << in.fault().what;
    EXPECT_TRUE(set.loaded);
    EXPECT_EQ(set.table.size(), 5u);
    EXPECT_EQ(set.images.size(), 2u);

    file.images[1].data = {40, 9};
    const auto brokenBytes = sampledata::WriteHouseImageSetFile(file);
    ByteReader broken(brokenBytes);
    EXPECT_FALSE(ReadHouseImageSet(broken, set));
    EXPECT_FALSE(set.loaded);
    EXPECT_EQ(broken.fault().offset, 2u + 5 * 14 + 2 + 5 + 4) << "the second image's rows";
    EXPECT_EQ(broken.fault().what, "row 0 of 1 does not make 48 pixels");

    // A flame needs a frame to show.
    sampledata::HouseFlameSetFile flames;
    HouseFlameSet flame;
    const auto noFrames = sampledata::WriteHouseFlameSetFile(flames);
    ByteReader none(noFrames);
    EXPECT_FALSE(ReadHouseFlameSet(none, flame));
    EXPECT_EQ(none.fault().what, "0 frames, 1 to 32767 allowed");
    EXPECT_FALSE(flame.loaded());
}

TEST_F(HousePlacement, OnlyTheFlameSetsThatCellsNameAreLoaded) {
    HouseFile file = BoxHouse(3, 1, 2);
    file.floors[0].cells[0].lowerFlames = 2;
    file.floors[0].cells[1].middleFlames = 3;
    file.floors[1].cells[2].upperFlames = 16;
    // Numbers beyond the sets name none.
    file.floors[1].cells[0].lowerFlames = 7;
    file.floors[1].cells[1].middleFlames = 4;
    file.floors[1].cells[2].lowerFlames = 255;
    file.floors[0].cells[2].upperFlames = 17;
    writeHouse(18, file);
    writeFlameSets(3, 1);
    std::filesystem::remove(cd / "houses/lb01.dat");  // unused sets are never opened
    ASSERT_TRUE(place({{18, 1, 1, 0, 0}}));
    for (int n = 0; n < kLowerFlameSetCount; ++n)
        EXPECT_EQ(LowerFlameSets[static_cast<std::size_t>(n)].loaded(), n == 1) << n;
    for (int n = 0; n < kMiddleFlameSetCount; ++n)
        EXPECT_EQ(MiddleFlameSets[static_cast<std::size_t>(n)].loaded(), n == 2) << n;
    for (int n = 0; n < kUpperFlameSetCount; ++n)
        EXPECT_EQ(UpperFlameSets[static_cast<std::size_t>(n)].loaded(), n == 15) << n;
    EXPECT_EQ(LowerFlameSets[1].frames, 3);
    EXPECT_EQ(LowerFlameSets[1].ticks, 1);

    ResetFatalError();
    std::filesystem::remove(cd / "houses/ub16.dat");
    EXPECT_FALSE(place({{18, 1, 1, 0, 0}}));
    EXPECT_EQ(FatalErrorMessage(), "houses\\ub16.dat not found!");
}

TEST_F(HousePlacement, FlameLayersHoldEachFrameTicksPlusOne) {
    HouseFile file = BoxHouse(2, 1, 1);
    file.floors[0].cells[0].lowerFlames = 2;
    file.floors[0].cells[1].upperFlames = 1;
    writeHouse(18, file);
    writeFlameSets(3, 1);
    ASSERT_TRUE(place({{18, 1, 1, 0, 0}}));
    HouseFloor& floor = Houses[0].floors[0];
    CellAnim& lower = floor.flames[kFlameLower][0][0];
    lower.kind = kFlameFirstSet + 1;  // lower set 2
    CellAnim& middle = floor.flames[kFlameMiddle][0][0];
    middle.kind = kFlameFirstSet + 2;  // a middle set no cell names: not loaded
    CellAnim& fourth = floor.flames[kFlameFourth][1][0];
    fourth.kind = kFlameFirstSet;
    CellAnim& idle = floor.flames[kFlameUpper][1][0];
    idle.kind = kFlameIdle;
    std::vector<int> frames;
    for (int tick = 0; tick < 8; ++tick) {
        UpdateCellAnimations();
        frames.push_back(lower.frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 1, 2, 2, 0, 0, 1}));
    EXPECT_EQ(middle.frame, 0);
    EXPECT_EQ(middle.tick, 0);
    EXPECT_EQ(fourth.tick, 0) << "the fourth layer is not animated";
    EXPECT_EQ(idle.tick, 0);
}

TEST_F(HousePlacement, FacadeUnderTheMouse) {
    writeHouse(4, BoxHouse(6, 4, 4));
    writeFurniture();
    ASSERT_TRUE(place({{4, 3, 1, 0, 0}}));
    // The facade's foot: x = 32 * 3 - 16 * 5 = 16, y = 28 * 5 = 140.
    std::int32_t x = 0;
    std::int32_t y = 0;
    ASSERT_TRUE(GetHouseFacadePoint(2, 0, x, y));
    EXPECT_EQ(x, 16 + 64 + 16);
    EXPECT_EQ(y, 140);
    EXPECT_FALSE(GetHouseFacadePoint(0, 1, x, y));

    ViewOrigin = {-100, 40};
    HoverKind = 2;
    HoverIds = {0, 3, 1, 0};
    const auto point = [](int column, int storey) {
        MouseX = static_cast<std::uint16_t>(16 + 32 * column + 5 - ViewOrigin.x);
        MouseY = static_cast<std::uint16_t>(140 - 31 * storey - 5 - ViewOrigin.y);
    };
    struct Case {
        int column, storey;
        std::uint8_t flag;
        const char* what;
    };
    const Case cases[] = {
        {2, 1, 1, "first storey"}, {4, 2, 1, "second storey"}, {2, 3, 0, "top floor"},
        {2, 0, 0, "ground floor"}, {5, 1, 0, "column 5"},
    };
    for (const Case& k : cases) {
        point(k.column, k.storey);
        int column = -1;
        int storey = -1;
        ASSERT_TRUE(GetHouseFacadeAtMouse(column, storey)) << k.what;
        EXPECT_EQ(column, k.column) << k.what;
        EXPECT_EQ(storey, k.storey) << k.what;
        EXPECT_EQ(GetHouseFacadeFlagAtMouse(), k.flag) << k.what;
    }
    // Below the foot the storey rounds toward zero.
    MouseY = static_cast<std::uint16_t>(140 + 5 - ViewOrigin.y);
    int column = 0;
    int storey = -1;
    GetHouseFacadeAtMouse(column, storey);
    EXPECT_EQ(storey, 0);

    point(2, 1);
    HoverKind = 4;  // a person: the ids name no house
    EXPECT_EQ(GetHouseFacadeFlagAtMouse(), 0);
    HoverKind = 1;
    HoverIds[3] = 7;
    EXPECT_EQ(GetHouseFacadeFlagAtMouse(), 0);
}

TEST_F(HousePlacement, FreeHousesClearsEverything) {
    writeHouse(0, BoxHouse(6, 4, 3));
    writeFurniture();
    writeFlameSets(2, 2);
    HouseFile file = BoxHouse(6, 4, 3);
    file.floors[2].cells[0].upperFlames = 4;
    writeHouse(0, file);
    ASSERT_TRUE(place({{0, 2, 1, 3, 2}}));
    EXPECT_GT(HouseObjCount, 0);
    EXPECT_NE(HouseObjTypen[0].images, nullptr);
    FreeHouses();
    EXPECT_TRUE(Houses.empty());
    EXPECT_EQ(HouseCount, 0);
    EXPECT_TRUE(HouseObjs.empty());
    EXPECT_EQ(HouseObjCount, 0);
    EXPECT_EQ(HouseObjTypen[0].images, nullptr);
    EXPECT_FALSE(HouseTypen[0].loaded());
    EXPECT_TRUE(HouseTypen[0].furniture.empty());
    EXPECT_FALSE(HouseHlSets[3].loaded);
    EXPECT_FALSE(HouseHuSets[2].loaded);
    EXPECT_FALSE(UpperFlameSets[3].loaded());
    EXPECT_EQ(MaxHouseFloors, 1);
    FreeHouses();  // twice is harmless
}

}  // namespace
}  // namespace kv
