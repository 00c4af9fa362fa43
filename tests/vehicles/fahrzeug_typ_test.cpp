// Loading and freeing vehicle types: companions, the mission's player types, the footprint.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>

#include "core/fatal_error.h"
#include "core/mission_state.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/vehicle_fixture.h"

namespace kv::test {
namespace {

class FahrzeugTypTest : public VehicleTypesTest {
  protected:
    // Every type's files, written once for the suite by the first test that asks; the tests on
    // them only read them.
    static const std::filesystem::path& AllTypes() {
        if (!allTypes_) {
            allTypes_.emplace();
            for (int t = 0; t < kFahrzeugTypCount; ++t)
                if (!kFahrzeugTypNames[t].name.empty()) WriteTypeIn(*allTypes_, t);
        }
        return allTypes_->path();
    }
    static void TearDownTestSuite() { allTypes_.reset(); }
    static std::set<int> Loaded() {
        std::set<int> loaded;
        for (std::int16_t t = 0; t < kFahrzeugTypCount; ++t)
            if (FahrzeugTypLoaded(t)) loaded.insert(t);
        return loaded;
    }

  private:
    static inline std::optional<ScratchDir> allTypes_;
};

TEST_F(FahrzeugTypTest, CompanionsComeOnlyWithTheTypesThatBringThem) {
    const WorkingDirectory here(AllTypes());
    for (std::int16_t t : {kTypNone, kTypF110MD, kTypF119, kTypF203B}) LoadFahrzeugTyp(t);
    LoadFahrzeugTyp(-1);
    LoadFahrzeugTyp(kFahrzeugTypCount);
    EXPECT_TRUE(Loaded().empty());

    LoadFahrzeugTyp(kTypF117);
    EXPECT_EQ(Loaded(), (std::set<int>{kTypF117, kTypF119, kTypF116}));
    const VffImage* f119 = FahrzeugTypen[kTypF119].dirAnims[0][0].images;

    LoadFahrzeugTyp(kTypF118);
    EXPECT_EQ(Loaded(), (std::set<int>{kTypF117, kTypF118, kTypF119, kTypF116, kTypF114}));
    EXPECT_EQ(FahrzeugTypen[kTypF119].dirAnims[0][0].images, f119) << "F119 is not loaded again";

    LoadFahrzeugTyp(kTypF203);
    LoadFahrzeugTyp(kTypF110);
    EXPECT_TRUE(FahrzeugTypLoaded(kTypF203B));
    EXPECT_TRUE(FahrzeugTypLoaded(kTypF110MD));
    EXPECT_FALSE(FatalErrorRaised());
}

TEST_F(FahrzeugTypTest, CompanionsReadTheirOwnFoldersAndTheirHostsDataFile) {
    WriteType(kTypF110);
    WriteType(kTypF110MD);
    WriteDat("F110", {5000, 2, 3, 2, 100});
    LoadFahrzeugTyp(kTypF110);
    ASSERT_FALSE(FatalErrorRaised());
    const FahrzeugTyp& md = FahrzeugTypen[kTypF110MD];
    EXPECT_STREQ(md.code.data(), "F110");
    EXPECT_EQ(md.price, 5000u);
    // F110MD's own pictures: without them the load stops with its own message.
    ClearTypes();
    Remove("cars\\F110MD\\stay4.vff");
    LoadFahrzeugTyp(kTypF110);
    EXPECT_EQ(FatalErrorMessage(), "file not found: F110MDSTAY.");
}

TEST_F(FahrzeugTypTest, AMissionLoadsTheTypesItOffers) {
    const WorkingDirectory here(AllTypes());
    MissionNummer = 1;
    LoadMissionFahrzeugTypen();
    EXPECT_EQ(Loaded(), (std::set<int>{3, 9, 17, 18, 21, kTypF110MD}))
        << "F104, F110, F201, F202, F301 and F110's companion";

    ClearTypes();
    MissionNummer = 18;  // the only mission besides 30 with the fire boat
    LoadMissionFahrzeugTypen();
    EXPECT_TRUE(FahrzeugTypLoaded(kTypF115));
    EXPECT_TRUE(FahrzeugTypLoaded(kTypF118));
    EXPECT_TRUE(FahrzeugTypLoaded(kTypF114)) << "offered nowhere, it comes with F118";

    for (int m : {0, 31, 255}) {
        ClearTypes();
        MissionNummer = static_cast<std::uint8_t>(m);
        LoadMissionFahrzeugTypen();
        EXPECT_TRUE(Loaded().empty()) << m;
    }
}

TEST_F(FahrzeugTypTest, AFreedTypeLoadsAgainAndKeepsItsNumbers) {
    WriteType(kTypF102);
    LoadFahrzeugTyp(kTypF102);
    ASSERT_TRUE(FahrzeugTypLoaded(kTypF102));
    FreeFahrzeugTyp(kTypF102);
    EXPECT_FALSE(FahrzeugTypLoaded(kTypF102));
    EXPECT_EQ(FahrzeugTypen[kTypF102].price, 1000u);
    EXPECT_EQ(FahrzeugTypen[kTypF102].panelPicture, 45);
    FreeFahrzeugTyp(kTypF102);  // freeing twice does nothing
    FreeFahrzeugTyp(-1);
    FreeFahrzeugTyp(kFahrzeugTypCount);
    LoadFahrzeugTyp(kTypF102);
    EXPECT_TRUE(FahrzeugTypLoaded(kTypF102));
    EXPECT_NE(FahrzeugTypen[kTypF102].dirAnims[5][3].images, nullptr);
}

TEST_F(FahrzeugTypTest, TheConstantsAndCodeAreWritten) {
    WriteType(kTypF111);
    WriteType(kTypHAI);
    LoadFahrzeugTyp(kTypF111);
    LoadFahrzeugTyp(kTypHAI);
    const FahrzeugTyp& f111 = FahrzeugTypen[kTypF111];
    EXPECT_EQ(f111.heatProtection, 32767) << "over the data file's 100";
    EXPECT_EQ(f111.rightOfWay, 4);
    EXPECT_EQ(f111.terrainColumn, 15);
    const FahrzeugTyp& hai = FahrzeugTypen[kTypHAI];
    EXPECT_STREQ(hai.code.data(), "HAI");
    EXPECT_EQ(hai.speaker, -1);
    EXPECT_EQ(hai.unitClass, 1);
    EXPECT_EQ(hai.material, 0);
    EXPECT_EQ(hai.rightOfWay, 255);
    EXPECT_EQ(hai.selectBox, (std::array<std::int16_t, 4>{-25, -24, 25, 20}));
    EXPECT_EQ(hai.kanone, nullptr);
}

TEST_F(FahrzeugTypTest, TheFootprintIsTheLargestDrivingBox) {
    WriteType(kTypZF01, {2, 3, 15, 12});
    // Facing 5 drives with a larger picture; its box is the largest in width and height.
    sampledata::Canvas big(40, 30);
    big.fillRect(1, 2, 30, 25, 7);
    WritePicture("cars\\ZF01\\stay5.vff", big);
    LoadFahrzeugTyp(kTypZF01);
    EXPECT_EQ(FahrzeugTypen[kTypZF01].extent, (std::array<std::int16_t, 4>{0, 0, 29 + 2, 24 + 2}));
}

TEST_F(FahrzeugTypTest, WithoutAnyDrivingPictureTheFootprintIsTwoByTwo) {
    WriteDat("F111", {1, 0, 5, 1, 0});  // every F111 picture may be missing
    LoadFahrzeugTyp(kTypF111);
    ASSERT_FALSE(FatalErrorRaised());
    EXPECT_TRUE(FahrzeugTypLoaded(kTypF111));
    EXPECT_EQ(FahrzeugTypen[kTypF111].extent, (std::array<std::int16_t, 4>{0, 0, 2, 2}));
    for (const AnimSlot* slots : FahrzeugTypen[kTypF111].dirAnims)
        for (int i = 0; i < 3; ++i) EXPECT_EQ(slots[i].frames, 0) << "no frames without a picture";
}

}  // namespace
}  // namespace kv::test
