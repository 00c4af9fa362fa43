// Which types load and free together, the finishing arithmetic, the record's constants, and the
// start-up preload, on the generated sample data.

#include "persons/person_types.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/main_window.h"
#include "platform/window.h"
#include "support/headless_test.h"

namespace kv {
namespace {

const std::string kData = KV_SAMPLEDATA_DIR;

std::set<int> LoadedTypes() {
    std::set<int> loaded;
    for (int t = 0; t < kPersonTypCount; ++t)
        if (PersonTypLoaded(t)) loaded.insert(t);
    return loaded;
}

std::set<int> Range(int from, int to) {
    std::set<int> s;
    for (int t = from; t <= to; ++t) s.insert(t);
    return s;
}

std::set<int> Join(std::initializer_list<std::set<int>> parts) {
    std::set<int> s;
    for (const auto& p : parts) s.insert(p.begin(), p.end());
    return s;
}

class PersonTypes : public test::HeadlessTest {
  protected:
    void TearDown() override {
        for (std::int16_t t = 0; t < kPersonTypCount; ++t) FreePersonTyp(t);
        EXPECT_TRUE(LoadedTypes().empty()) << "every loaded type belongs to a free group";
        test::HeadlessTest::TearDown();
    }
    test::WorkingDirectory data{kData};
};

TEST_F(PersonTypes, EachNumberLoadsItsGroupFromNothing) {
    const std::set<int> nothing;
    struct Case {
        int number;
        std::set<int> loads;
    };
    const Case cases[] = {
        {0, {0}},
        {1, Join({{1}, Range(8, 15)})},
        {2, {2, 16, 17, 19, 20}},
        {3, {3, 21, 22, 24, 25}},
        {4, {4}},
        {5, {5, 26}},
        {6, {6}},
        {7, {7}},
        {32, {32, 33}},
        {41, {41, 42}},
        {43, {43, 44}},
        {27, {27}},
        {40, {40}},
        {45, {45}},
        {54, {54}},
        {12, nothing},
        {18, nothing},
        {23, nothing},
        {26, nothing},
        {33, nothing},
        {42, nothing},
        {44, nothing},
        {-1, nothing},
        {55, nothing},
    };
    for (const Case& c : cases) {
        LoadPersonTyp(static_cast<std::int16_t>(c.number));
        EXPECT_EQ(LoadedTypes(), c.loads) << "LoadPersonTyp(" << c.number << ")";
        for (std::int16_t t = 0; t < kPersonTypCount; ++t) FreePersonTyp(t);
    }
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

TEST_F(PersonTypes, ALoadedTypeIsNotLoadedAgain) {
    LoadPersonTyp(1);
    const AnimSlot* before = PersonTypen[8].dirAnims[0];
    const VffImage* images = PersonTypen[1].dirAnims[3][1].images;
    LoadPersonTyp(1);
    EXPECT_EQ(PersonTypen[8].dirAnims[0], before);
    EXPECT_EQ(PersonTypen[1].dirAnims[3][1].images, images);
    for (int t : {2, 3}) LoadPersonTyp(static_cast<std::int16_t>(t));
    for (int t : {18, 23}) LoadPersonTyp(static_cast<std::int16_t>(t));
    EXPECT_FALSE(PersonTypLoaded(18));
    EXPECT_FALSE(PersonTypLoaded(23));
}

TEST_F(PersonTypes, MissionEndKeepsTheStartUpTypesAndTheirVariants) {
    for (std::int16_t t = 0; t < kPersonTypCount; ++t) LoadPersonTyp(t);
    EXPECT_EQ(LoadedTypes().size(), 53u);
    for (std::int16_t t = 8; t < kPersonTypCount; ++t) FreePersonTyp(t);
    EXPECT_EQ(LoadedTypes(), Join({Range(0, 17), Range(19, 22), Range(24, 26)}));
    // All other fields outlive the pictures.
    EXPECT_STREQ(PersonTypen[54].code.data(), "PPILOT");

    for (std::int16_t t = 27; t < kPersonTypCount; ++t) LoadPersonTyp(t);
    FreePersonTyp(45);
    EXPECT_FALSE(PersonTypLoaded(45));
    EXPECT_TRUE(PersonTypLoaded(46));
    FreePersonTyp(1);
    EXPECT_FALSE(PersonTypLoaded(1));
    EXPECT_FALSE(PersonTypLoaded(15));
    EXPECT_TRUE(PersonTypLoaded(46)) << "the ring carrier is not freed with P02";
    FreePersonTyp(-1);
    FreePersonTyp(55);
}

TEST_F(PersonTypes, TheRecordHoldsTheTypeConstants) {
    LoadPersonTyp(0);
    LoadPersonTyp(54);
    const PersonTyp& p01 = PersonTypen[0];
    EXPECT_STREQ(p01.code.data(), "P01");
    EXPECT_EQ(p01.price, 25u);
    EXPECT_FLOAT_EQ(p01.speed, 1.9f);
    EXPECT_EQ(p01.shortcutBackSteps, 5);
    EXPECT_EQ(p01.unitClass, 4);
    EXPECT_EQ(p01.terrainColumn, 16);
    EXPECT_EQ(p01.heatProtection, 1500);
    EXPECT_EQ(p01.heatDivisor, 3);
    std::set<int> boards;
    for (int v = 0; v < kMayBoardCount; ++v)
        if (p01.mayBoard[v] != 0) boards.insert(v);
    EXPECT_EQ(boards, (std::set<int>{14, 21, 22}));
    EXPECT_EQ(p01.lyingPause[7], 80);
    EXPECT_EQ(p01.lyingObjKind[7], 2);
    EXPECT_EQ(p01.lyingObjOffset[7].x, -3);
    EXPECT_EQ(p01.lyingObjOffset[7].y, 7);
    EXPECT_EQ(p01.lyingPause[0], 0) << "only the four diagonals are used";

    // Six letters and the terminator.
    const PersonTyp& pilot = PersonTypen[54];
    EXPECT_EQ(std::strlen(pilot.code.data()), 6u);
    EXPECT_STREQ(pilot.code.data(), "PPILOT");
    EXPECT_EQ(pilot.terrainColumn, 17);
    EXPECT_EQ(pilot.speaker, -1);
}

TEST_F(PersonTypes, AnAnimationBeyondTheTypesCountReadsAsEmpty) {
    LoadPersonTyp(1);
    EXPECT_GT(PersonAnimSlot(11, 0, 0).frames, 0) << "p02losch stands";
    for (int anim : {1, 6, -1}) {
        const AnimSlot& s = PersonAnimSlot(11, 0, anim);
        EXPECT_EQ(s.frames, 0);
        EXPECT_EQ(s.images, nullptr);
    }
    EXPECT_EQ(PersonAnimSlot(1, 12, 0).frames, 0);
    EXPECT_EQ(PersonAnimSlot(40, 0, 0).frames, 0) << "not loaded";
    EXPECT_EQ(PersonAnimSlot(55, 0, 0).frames, 0);
}

// A type assembled by hand: every slot of every direction with the given box and hot spot.
void BuildType(int type, int anims, Box16 box, Spot16 hot) {
    for (AnimSlot*& slots : PersonTypen[type].dirAnims) {
        slots = static_cast<AnimSlot*>(AllocMem(anims * sizeof(AnimSlot)));
        for (int a = 0; a < anims; ++a) slots[a] = AnimSlot{1, 0, hot.x, hot.y, box, nullptr};
    }
}

TEST_F(PersonTypes, FinishingMovesBoxesToTheImageAndSizesTheFootprint) {
    BuildType(40, 3, {-5, -5, 5, 5}, {6, 22});
    // Walking is wider in direction 4 and taller in direction 9.
    PersonTypen[40].dirAnims[4][1].box = {-9, -5, 5, 5};
    PersonTypen[40].dirAnims[9][1].box = {-5, -20, 5, 5};
    FinishPersonTyp(40, 3);
    EXPECT_EQ(PersonTypen[40].dirAnims[0][0].box, (Box16{1, 17, 11, 27}));
    EXPECT_EQ(PersonTypen[40].dirAnims[11][2].box, (Box16{1, 17, 11, 27}));
    EXPECT_EQ(PersonTypen[40].dirAnims[4][1].box, (Box16{-3, 17, 11, 27}));
    EXPECT_EQ(PersonTypen[40].extent, (Box16{0, 0, 16, 27}));

    // A single animation: the stand gives the footprint.
    BuildType(11, 1, {-4, -6, 4, 2}, {0, 0});
    FinishPersonTyp(11, 1);
    EXPECT_EQ(PersonTypen[11].extent, (Box16{0, 0, 10, 10}));
}

TEST_F(PersonTypes, ATypeWithoutWalkingPicturesTakesItsFootprintFromTheDefaultBoxes) {
    LoadPersonTyp(34);  // SP01 only lies
    EXPECT_EQ(PersonAnimSlot(34, 0, 1).images, nullptr);
    EXPECT_EQ(PersonAnimSlot(34, 0, 1).box, (Box16{-5, -5, 5, 5}));
    EXPECT_EQ(PersonTypen[34].extent, (Box16{0, 0, 12, 12}));
}

using PersonTypStartUp = test::HeadlessTest;

TEST_F(PersonTypStartUp, TheFirstEightTypesLiveFromStartUpToShutdown) {
    test::WorkingDirectory data(kData);
    ASSERT_EQ(InitWindow(), 1);
    InitGame();
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    EXPECT_EQ(LoadedTypes(), Join({Range(0, 17), Range(19, 22), Range(24, 26)}));
    DestroyWindow(MainWindow);  // shuts the game down
    EXPECT_TRUE(LoadedTypes().empty());
}

TEST_F(PersonTypStartUp, AMissingPictureEndsTheStartUp) {
    test::ScratchDir empty;
    empty.linkSampleData("graphs");  // the palette and blend tables come before the persons
    test::WorkingDirectory cwd(empty.path());
    backend.setCloseAt(2000);
    EXPECT_EQ(WinMain(), kFailureExitCode);
    ASSERT_EQ(backend.boxes().size(), 1u);
    EXPECT_EQ(backend.boxes()[0].text, "file not found:  persons\\p01\\stay0.vff.");
    EXPECT_TRUE(LoadedTypes().empty()) << "freed at shutdown";
}

}  // namespace
}  // namespace kv
