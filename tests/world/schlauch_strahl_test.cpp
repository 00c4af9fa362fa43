// The hose jet: its stored record, turning to face the target, the water it delivers, the drift
// of its aim, the line test from the hand and the arc.

#include "world/schlauch_strahl.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/random.h"
#include "persons/personen.h"
#include "support/golden_bytes.h"
#include "support/record_offsets.h"
#include "world/jet_fixture.h"

namespace kv {
namespace {

using test::JetTest;
using test::PixelIn;

TEST(SchlauchStrahlRecord, TwentyFourBytesInTheirOrder) {
    test::ExpectLayout<SchlauchStrahl>(24, {{"direction", 0},
                                            {"active", 1},
                                            {"floor", 2},
                                            {"targetX", 4},
                                            {"targetY", 6},
                                            {"wobbleXTarget", 8},
                                            {"wobbleYTarget", 10},
                                            {"wobbleX", 12},
                                            {"wobbleY", 14},
                                            {"height", 16},
                                            {"wobbleDTarget", 18},
                                            {"wobbleD", 19},
                                            {"ticksRunning", 20},
                                            {"splash", 22}});

    test::GoldenBytes golden;
    golden.at(0)
        .bytes({0x09, 0x01, 0xFF, 0xFF})  // direction 9, active, floor -1
        .at(4)
        .bytes({0x2C, 0x01, 0xFE, 0xFF})  // target (300, -2)
        .at(8)
        .bytes({0x01, 0x00, 0xFE, 0xFF})  // drift targets 1, -2
        .at(12)
        .bytes({0xFF, 0xFF, 0x00, 0x00})  // offsets -1, 0
        .at(16)
        .bytes({0x4D, 0x00, 0xFE, 0xFF})  // height 77, second offset's target -2 and value -1
        .at(20)
        .bytes({0x34, 0x12, 0x05, 0x00});  // ticks 0x1234, splash 5
    ByteReader in(golden.data());
    SchlauchStrahl jet = ReadRecord<SchlauchStrahl>(in);
    EXPECT_EQ(jet.direction, 9);
    EXPECT_EQ(jet.floor, -1);
    EXPECT_EQ(jet.targetY, -2);
    EXPECT_EQ(jet.wobbleYTarget, -2);
    EXPECT_EQ(jet.wobbleX, -1);
    EXPECT_EQ(jet.height, 77);
    EXPECT_EQ(jet.wobbleDTarget, -2);
    EXPECT_EQ(jet.wobbleD, -1);
    EXPECT_EQ(jet.ticksRunning, 0x1234);
    EXPECT_EQ(jet.splash, 5);
    ByteWriter out;
    WriteRecord(out, jet);
    EXPECT_EQ(out.data(), golden.data());
}

class HoseTest : public JetTest {
  protected:
    void SetUp() override {
        JetTest::SetUp();
        persons(2);
        const PixelPos at = PixelIn(5, 5);
        Person& p = person(0, 1, at.x, at.y);
        SchlauchStrahl& j = p.attachment.makeJet();
        j.splash = kSplashSlot;
        SonderObjs[kSplashSlot].type = kSplashSonderObjTyp;
        SonderObjs[kSplashSlot].visible = 0;
    }
    static Person& hoseman() { return Personen[0]; }
    static SchlauchStrahl& hose() {
        static SchlauchStrahl none;
        SchlauchStrahl* jet = Personen[0].attachment.jet();
        if (jet != nullptr) return *jet;
        ADD_FAILURE() << "the hoseman holds no hose";
        return none;
    }
    static void update(int n) {
        for (int i = 0; i < n; ++i) UpdateSchlauchStrahl(0);
    }
    static constexpr int kSplashSlot = 9;
};

TEST_F(HoseTest, TurnsToTheJetThenDeliversFifteenATick) {
    const PixelPos target = PixelIn(8, 5);
    light(8, 5, 1000);
    hose().floor = 2;
    StartSchlauchStrahl(0, static_cast<std::int16_t>(target.x), static_cast<std::int16_t>(target.y),
                        0, -1);
    EXPECT_EQ(hose().active, 1);
    EXPECT_EQ(hose().direction, 3);
    EXPECT_EQ(hose().floor, 2) << "-1 keeps the floor";
    const SonderObj& splash = SonderObjs[kSplashSlot];
    EXPECT_EQ(splash.visible, 1);
    EXPECT_FLOAT_EQ(splash.x, static_cast<float>(target.x - test::kSplashWidth / 2));
    EXPECT_FLOAT_EQ(splash.y, static_cast<float>(target.y - test::kSplashHeight / 2));

    hoseman().drawX = 0;
    update(3);
    EXPECT_EQ(hoseman().direction, 3);
    EXPECT_EQ(hoseman().drawX, static_cast<std::int16_t>(hoseman().x)) << "drawn where it stands";
    EXPECT_EQ(cell(8, 5).heat, 1000) << "no water while turning";
    EXPECT_EQ(hose().ticksRunning, 0);
    update(1);
    EXPECT_EQ(cell(8, 5).heat, 1000 - kSchlauchStrength);
    EXPECT_EQ(hose().ticksRunning, 1);

    StopSchlauchStrahl(0);
    EXPECT_EQ(hose().active, 0);
    EXPECT_EQ(splash.visible, 0);
    update(5);
    EXPECT_EQ(cell(8, 5).heat, 1000 - kSchlauchStrength);
}

TEST_F(HoseTest, TheAimDriftsSecondOffsetFirstThenAcrossThenUpAndDown) {
    const PixelPos target = PixelIn(8, 5);
    StartSchlauchStrahl(0, static_cast<std::int16_t>(target.x), static_cast<std::int16_t>(target.y),
                        0, 0);
    hoseman().direction = hose().direction;
    SeedRandom(77);
    const int d = Rand() % 3 - 2;
    const int x = (Rand() & 3) - 2;
    const int y = (Rand() & 3) - 2;
    SeedRandom(77);
    update(1);
    EXPECT_EQ(hose().wobbleDTarget, d);
    EXPECT_EQ(hose().wobbleXTarget, x);
    EXPECT_EQ(hose().wobbleYTarget, y);

    int lowD = 0, highD = 0, lowX = 0, highX = 0, lowY = 0, highY = 0;
    for (int i = 0; i < 600; ++i) {
        update(1);
        lowD = std::min<int>(lowD, hose().wobbleD);
        highD = std::max<int>(highD, hose().wobbleD);
        lowX = std::min<int>(lowX, hose().wobbleX);
        highX = std::max<int>(highX, hose().wobbleX);
        lowY = std::min<int>(lowY, hose().wobbleY);
        highY = std::max<int>(highY, hose().wobbleY);
    }
    EXPECT_EQ(lowD, -2);
    EXPECT_EQ(highD, 0);
    EXPECT_EQ(lowX, -2);
    EXPECT_EQ(highX, 1);
    EXPECT_EQ(lowY, -2);
    EXPECT_EQ(highY, 1);
    const SonderObj& splash = SonderObjs[kSplashSlot];
    EXPECT_FLOAT_EQ(splash.x,
                    static_cast<float>(target.x + hose().wobbleX - test::kSplashWidth / 2));
    EXPECT_FLOAT_EQ(splash.y,
                    static_cast<float>(target.y + hose().wobbleY - test::kSplashHeight / 2));
}

TEST_F(HoseTest, AimedAtAHouseFrontTheAimDoesNotDriftUpOrDown) {
    MapCells[static_cast<std::size_t>(CellIndex(8, 4))].tile = kHouseLinkBase;
    const PixelPos target = PixelIn(8, 5);
    StartSchlauchStrahl(0, static_cast<std::int16_t>(target.x), static_cast<std::int16_t>(target.y),
                        0, 0);
    hoseman().direction = hose().direction;
    hose().wobbleY = 1;
    for (int i = 0; i < 100; ++i) {
        update(1);
        ASSERT_EQ(hose().wobbleY, 0);
    }
    EXPECT_EQ(hose().wobbleYTarget, 0) << "never drawn";
}

TEST_F(HoseTest, TheLineFromTheHandMeetsTheHouseAndTheArcLandsOnIt) {
    houses(2, 2, 1, {{8, 5}});
    const PixelPos target = PixelIn(12, 5);
    CellPos blocking{-1, -1};
    EXPECT_FALSE(TestSchlauchStrahlTarget(0, static_cast<std::int16_t>(target.x),
                                          static_cast<std::int16_t>(target.y), &blocking));
    EXPECT_EQ(hose().direction, 3) << "the test turns the jet toward the target";
    EXPECT_EQ(blocking, (CellPos{8, 5}));

    StartSchlauchStrahlArc(0, static_cast<std::int16_t>(target.x),
                           static_cast<std::int16_t>(target.y), 0, 62, &blocking);
    EXPECT_EQ(hose().active, 1);
    EXPECT_EQ(CellFromPixel(hose().targetX, hose().targetY + hose().height), blocking);
    EXPECT_GT(hose().height, 16) << "the arc has risen above the hand";
    EXPECT_EQ(hose().floor, hose().height / 31);

    // Nothing in the way: the line is clear.
    const PixelPos near = PixelIn(7, 5);
    EXPECT_TRUE(TestSchlauchStrahlTarget(0, static_cast<std::int16_t>(near.x),
                                         static_cast<std::int16_t>(near.y), nullptr));

    // A person without a hose jet has no line and starts nothing.
    person(1, 1, target.x, target.y);
    EXPECT_FALSE(TestSchlauchStrahlTarget(1, 10, 10, nullptr));
    StartSchlauchStrahl(1, 10, 10, 0, 0);
    EXPECT_EQ(Personen[1].attachment.jet(), nullptr);
    EXPECT_EQ(PersonSchlauchStrahl(5), nullptr);
}

}  // namespace
}  // namespace kv
