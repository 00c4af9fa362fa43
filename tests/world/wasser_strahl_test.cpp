// The cannon jet: aiming, the straight-line test, the tall-tile correction, the arc, delivery, the
// idle search for fire, the crowd cannon's own aim, and the jet images.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "support/evade_recorder.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "world/ballistics.h"
#include "world/jet_fixture.h"
#include "world/sonder_obj.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv {
namespace {

using test::JetTest;
using test::PixelIn;

struct AimCase {
    int facing;
    int x;
    int y;
    int nozzleTarget;
};

class AimWasserWerferTest : public JetTest, public ::testing::WithParamInterface<AimCase> {};

// The cannon stands at (500, 300); its mount is its position.
TEST_P(AimWasserWerferTest, TurnsTheNozzleTargetRelativeToTheFacing) {
    const AimCase& c = GetParam();
    const std::int16_t v = cannon(kTypF104, 500, 300, c.facing);
    AimWasserWerfer(v, static_cast<std::int16_t>(c.x), static_cast<std::int16_t>(c.y));
    EXPECT_EQ(jet(v).nozzleTarget, c.nozzleTarget);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AimWasserWerferTest,
    ::testing::Values(AimCase{0, 500, 200, 0},   // straight up: 389 - 0 wraps to 29
                      AimCase{0, 490, 100, 0},   // 3 degrees left of up: 386, not 357 (11)
                      AimCase{0, 400, 200, 11},  // 45 degrees left: 344, not 315 (10)
                      AimCase{0, 600, 200, 1}, AimCase{0, 600, 300, 3},
                      AimCase{0, 500, 400, 6},  // straight down: 389 - 180
                      AimCase{0, 400, 300, 9}, AimCase{3, 600, 300, 0}, AimCase{3, 500, 200, 9},
                      AimCase{11, 600, 300, 4}));

TEST_F(JetTest, TheNozzleTurnsTheShortWayRoundBeforeTheWaterComes) {
    const std::int16_t v = cannon(kTypF104, 300, 300);
    StartWasserStrahl(v, 400, 200, 0, 0);
    ASSERT_EQ(jet(v).nozzleTarget, 1);
    jet(v).nozzle = 11;
    ticks(v, 1);
    EXPECT_EQ(jet(v).nozzle, 0);
    EXPECT_EQ(jet(v).ticksRunning, 0);
    ticks(v, 1);
    EXPECT_EQ(jet(v).nozzle, 1);
    EXPECT_EQ(jet(v).ticksRunning, 0) << "no water on a turning tick";
    ticks(v, 1);
    EXPECT_EQ(jet(v).ticksRunning, 1);
}

TEST_F(JetTest, AStopWithoutForceUnderACannonOrderOnlyArmsTheRunOn) {
    const std::int16_t v = cannon(kTypF104, 300, 300);
    StartWasserStrahl(v, 400, 300, 0, 0);
    AppendBefehl(head(v), 67, 400, 300, 3, 0, 0);
    StopWasserStrahl(v, 0);
    EXPECT_EQ(jet(v).countdown, kWasserStrahlRunOn);
    EXPECT_EQ(jet(v).active, 1);
    jet(v).countdown = 30;
    StopWasserStrahl(v, 0);
    EXPECT_EQ(jet(v).countdown, 30) << "a running count is not restarted";

    // Under any other order the jet stops at once.
    ClearBefehle(head(v));
    AppendBefehl(head(v), 7, 10, 0, 0, 0, 0);
    StopWasserStrahl(v, 0);
    EXPECT_EQ(jet(v).active, 0);
    EXPECT_EQ(jet(v).countdown, -1);
    EXPECT_EQ(splash(v).visible, 0);
}

TEST_F(JetTest, AHouseOnTheLineBlocksUnlessItIsTheTargetOrOutsideTheView) {
    houses(1, 2, 1, {{8, 6}});
    const PixelPos from = PixelIn(4, 6);
    const PixelPos to = PixelIn(14, 6);
    const std::int16_t v = cannon(kTypF104, from.x, from.y);
    CellPos blocking{-1, -1};
    EXPECT_FALSE(TestWasserStrahlTarget(v, static_cast<std::int16_t>(to.x),
                                        static_cast<std::int16_t>(to.y), &blocking));
    EXPECT_EQ(blocking, (CellPos{8, 6})) << "the first cell of the house met";
    EXPECT_EQ(jet(v).nozzleTarget, 3) << "the test aims the nozzle";
    EXPECT_FALSE(TestWasserStrahlTarget(v, static_cast<std::int16_t>(to.x),
                                        static_cast<std::int16_t>(to.y), nullptr));

    // The target's own cell never blocks.
    const PixelPos house = PixelIn(8, 6);
    EXPECT_TRUE(TestWasserStrahlTarget(v, static_cast<std::int16_t>(house.x),
                                       static_cast<std::int16_t>(house.y), nullptr));

    // Only pixels inside the world view on screen are looked at: the house lies left of it.
    ViewOrigin = {230, 0};
    EXPECT_TRUE(TestWasserStrahlTarget(v, static_cast<std::int16_t>(to.x),
                                       static_cast<std::int16_t>(to.y), nullptr));

    // A line running off the map meets plain ground there.
    ViewOrigin = {-300, -300};
    const std::int16_t outside = cannon(kTypF104, -200, -150);
    EXPECT_TRUE(TestWasserStrahlTarget(outside, 40, 40, nullptr));

    // A vehicle whose type has no cannon cannot test.
    const std::int16_t plain = cannon(kTypF101, from.x, from.y);
    EXPECT_FALSE(TestWasserStrahlTarget(plain, 40, 40, nullptr));
}

TEST_F(JetTest, ATallTileSeenFromTheNorthLowersTheAim) {
    MapCells[static_cast<std::size_t>(CellIndex(10, 8))].tile = test::kTallTile;
    const PixelPos foot = PixelIn(10, 8);
    const auto x = static_cast<std::int16_t>(foot.x);
    const auto above = [&](int height) { return static_cast<std::int16_t>(foot.y - height); };
    const PixelPos north = PixelIn(10, 5);
    const std::int16_t v = cannon(kTypF104, north.x, north.y);

    StartWasserStrahl(v, x, above(50), 50, 0);
    EXPECT_EQ(jet(v).yCorrection, -40) << "a standing vehicle";
    EXPECT_EQ(jet(v).height, 10);
    EXPECT_FLOAT_EQ(splash(v).x, static_cast<float>(x - test::kSplashWidth / 2));
    EXPECT_FLOAT_EQ(splash(v).y, static_cast<float>(above(50) - 40 - test::kSplashHeight / 2 + 10));
    EXPECT_FLOAT_EQ(splash(v).z, 10.0f);
    EXPECT_EQ(splash(v).visible, 1);
    EXPECT_EQ(splash(v).depthLayer, 2);

    AppendBefehl(head(v), 53, x, above(50), 10, 8, 0);
    StartWasserStrahl(v, x, above(50), 50, 0);
    EXPECT_EQ(jet(v).yCorrection, -13) << "a vehicle working an order";
    EXPECT_EQ(jet(v).height, 37);
    ClearBefehle(head(v));

    StartWasserStrahl(v, x, above(30), 30, 0);
    EXPECT_EQ(jet(v).yCorrection, 0) << "lowered below the ground: no correction";
    EXPECT_EQ(jet(v).height, 0);
    StartWasserStrahl(v, x, foot.y, 0, 0);
    EXPECT_EQ(jet(v).yCorrection, 0) << "nothing to lower";

    // From the south, or with a house in the row above, the aim stays.
    const PixelPos south = PixelIn(10, 12);
    const std::int16_t w = cannon(kTypF104, south.x, south.y);
    StartWasserStrahl(w, x, above(50), 50, 0);
    EXPECT_EQ(jet(w).yCorrection, 0);
    EXPECT_EQ(jet(w).height, 50);
    MapCells[static_cast<std::size_t>(CellIndex(10, 7))].tile = kHouseLinkBase;
    StartWasserStrahl(v, x, above(50), 50, 0);
    EXPECT_EQ(jet(v).yCorrection, 0);
    EXPECT_EQ(jet(v).height, 50);
}

TEST_F(JetTest, TheSplashSlotOfAnIdleRecordIsUsedOnlyWhenItHoldsASplash) {
    const std::int16_t v = cannon(kTypF104, 300, 300);
    SonderObj& fixed = SonderObjs[0];
    fixed.type = 7;
    fixed.x = 5;
    fixed.visible = 0;
    jet(v).splash = 0;
    StartWasserStrahl(v, 400, 300, 10, 0);
    EXPECT_EQ(jet(v).active, 1);
    EXPECT_FLOAT_EQ(fixed.x, 5.0f);
    EXPECT_EQ(fixed.visible, 0);
}

TEST_F(JetTest, AnArcLandsAtTheTargetHeightOrOnTheBlockingCell) {
    // The nozzle point is (100, 320), 20 above its ground point.
    const std::int16_t v = cannon(kTypF104, 100, 300);
    jet(v).floor = 3;
    StartWasserStrahlArc(v, 300, 280, 20, 50, nullptr);
    EXPECT_NEAR(jet(v).targetX, 300, 1);
    EXPECT_NEAR(jet(v).targetY + jet(v).height, 300, 1);
    EXPECT_NEAR(jet(v).height, 20, 1) << "the arc comes down at the target's height";
    EXPECT_EQ(jet(v).floor, 3) << "an arc keeps the floor";
    EXPECT_EQ(jet(v).active, 1);

    // On the way the arc stands higher than at either end.
    const CellPos middle = CellFromPixel(200, 310);
    StartWasserStrahlArc(v, 300, 280, 20, 50, &middle);
    EXPECT_EQ(CellFromPixel(jet(v).targetX, jet(v).targetY + jet(v).height), middle);
    EXPECT_GT(jet(v).height, 40);

    // No launch speed: no elevation, or no distance. The jet runs flat at nozzle height.
    StartWasserStrahlArc(v, 300, 280, 20, 0, nullptr);
    EXPECT_EQ(jet(v).height, 20);
    EXPECT_NEAR(jet(v).targetX, 300, 1);
    StartWasserStrahlArc(v, 100, 320, 0, 50, nullptr);
    EXPECT_EQ(jet(v).targetX, 100);
    EXPECT_EQ(jet(v).height, 20);
    EXPECT_EQ(jet(v).targetY, 300);
}

TEST_F(JetTest, AnIdleCannonFindsTheFireBesideItSpraysItOutAndTrailsSixtyTicks) {
    const PixelPos at = PixelIn(8, 8);
    const std::int16_t v = cannon(kTypF104, at.x, at.y);
    light(10, 8, 100);

    ticks(v, 1);
    EXPECT_EQ(head(v).orders, nullptr) << "the first ring holds no fire";
    EXPECT_EQ(jet(v).searchRadius, 1);
    ticks(v, 1);
    ASSERT_NE(head(v).orders, nullptr);
    const Befehl& order = *head(v).orders;
    EXPECT_EQ(order.opcode, 53);
    EXPECT_EQ(order.aInt(), 32 * 10 - 16 * 8 + 15);
    EXPECT_EQ(order.bInt(), 28 * 8 + 27 - test::kPlainTileHeight / 2);
    EXPECT_EQ(order.cInt(), 10);
    EXPECT_EQ(order.dInt(), 8);
    EXPECT_EQ(jet(v).searchRadius, 0);
    EXPECT_EQ(jet(v).elevation, 25);
    EXPECT_EQ(jet(v).active, 1);
    EXPECT_EQ(jet(v).targetX, order.aInt());
    EXPECT_EQ(jet(v).targetY, order.bInt());
    EXPECT_EQ(jet(v).height, test::kPlainTileHeight / 2);
    EXPECT_EQ(jet(v).floor, 0);
    EXPECT_EQ(splash(v).visible, 1);

    int sprayed = 0;
    while (cell(10, 8).burning != 0 && sprayed < 100) {
        ticks(v, 1);
        ++sprayed;
    }
    ASSERT_EQ(cell(10, 8).burning, 0) << "put out";
    EXPECT_EQ(BurningCellCount, 0);
    EXPECT_EQ(head(v).orders, nullptr) << "the fire going out ends the order";
    EXPECT_EQ(jet(v).countdown, kWasserStrahlRunOn);
    ticks(v, kWasserStrahlRunOn - 1);
    EXPECT_EQ(jet(v).active, 1) << "the jet trails on";
    EXPECT_EQ(jet(v).countdown, 1);
    ticks(v, 1);
    EXPECT_EQ(jet(v).active, 0);
    EXPECT_EQ(jet(v).countdown, -1);
    EXPECT_EQ(splash(v).visible, 0);
    ticks(v, 5);
    EXPECT_EQ(head(v).orders, nullptr) << "nothing left to find";
    expectCountsMatch();
}

TEST_F(JetTest, ARingPrefersALowerStoreyThenANearerCell) {
    const PixelPos at = PixelIn(10, 10);
    const std::int16_t v = cannon(kTypF104, at.x, at.y);
    // Ring 3: (12, 7) is met first in the top row, (13, 11) later in the right column, nearer.
    light(12, 7, 100);
    light(13, 11, 100);
    ticks(v, 3);
    ASSERT_NE(head(v).orders, nullptr);
    EXPECT_EQ(head(v).orders->cInt(), 13);
    EXPECT_EQ(head(v).orders->dInt(), 11);

    // A house whose front cell (9, 7) comes first, burning only on its third storey, loses to a
    // ground cell that is farther away.
    ClearBefehle(head(v));
    StopWasserStrahl(v, 1);
    cell(12, 7).burning = 0;
    --BurningCellCount;
    houses(3, 1, 2, {{9, 6}});
    lightHouseCell(0, 2, 0, 0, 100);
    ticks(v, 3);
    ASSERT_NE(head(v).orders, nullptr);
    EXPECT_EQ(head(v).orders->opcode, 53);
    EXPECT_EQ(head(v).orders->cInt(), 13);

    // Alone, the house's storey is the target: order 55 with its two entries.
    ClearBefehle(head(v));
    StopWasserStrahl(v, 1);
    cell(13, 11).burning = 0;
    --BurningCellCount;
    ticks(v, 3);
    ASSERT_NE(head(v).orders, nullptr);
    const Befehl& order = *head(v).orders;
    EXPECT_EQ(order.opcode, 55);
    ASSERT_EQ(order.goals.size(), 2u);
    EXPECT_EQ(order.bInt(), 2);
    const int height = 31 * 2 + 15;
    EXPECT_FLOAT_EQ(order.goals[0].x, 32.0f * 9 - 16 * 7);
    EXPECT_FLOAT_EQ(order.goals[0].y, static_cast<float>(28 * 7 + 28 - height));
    EXPECT_EQ(order.goals[0].facing, 2) << "the storey";
    EXPECT_FLOAT_EQ(order.goals[1].x, 9.0f);
    EXPECT_FLOAT_EQ(order.goals[1].y, 7.0f);
    EXPECT_EQ(order.goals[1].facing, 0) << "the house";
    EXPECT_EQ(jet(v).height, height);
    EXPECT_EQ(jet(v).floor, 2);
    EXPECT_EQ(jet(v).elevation, 50);
}

struct ObjectCase {
    int objectDistance;
    int opcode;
};

class BurningObjectTest : public JetTest, public ::testing::WithParamInterface<ObjectCase> {};

// The burning cell (11, 10) of the first ring lies 40 px from the cannon.
TEST_P(BurningObjectTest, ANearerBurningObjectWinsOverTheCellFound) {
    const PixelPos at = PixelIn(10, 10);
    const std::int16_t v = cannon(kTypF104, at.x, at.y);
    light(11, 10, 100);
    burningObject(10, at.x + GetParam().objectDistance, at.y);
    ticks(v, 1);
    ASSERT_NE(head(v).orders, nullptr);
    EXPECT_EQ(head(v).orders->opcode, GetParam().opcode);
    EXPECT_EQ(jet(v).searchRadius, 0);
    if (GetParam().opcode == 67) {
        EXPECT_EQ(head(v).orders->aInt(), at.x + GetParam().objectDistance);
        EXPECT_EQ(head(v).orders->bInt(), at.y);
        EXPECT_EQ(head(v).orders->cInt(), 10);
        EXPECT_EQ(jet(v).targetX, at.x + GetParam().objectDistance);
        EXPECT_EQ(jet(v).height, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Distances, BurningObjectTest,
                         ::testing::Values(ObjectCase{20, 67}, ObjectCase{60, 53}));

bool g_inShipZone = false;
bool ShipZone(std::int16_t) {
    return g_inShipZone;
}

TEST_F(JetTest, TheFireboatInTheShipZoneOfTheLastMissionStartsNothing) {
    MissionHookRows[29].IsInShipZoneM30 = &ShipZone;
    const PixelPos at = PixelIn(10, 10);
    light(11, 10, 100);
    struct Case {
        int mission;
        std::int16_t type;
        bool inZone;
        bool starts;
    };
    for (const Case c : {Case{30, kTypF115, true, false}, Case{30, kTypF115, false, true},
                         Case{30, kTypF104, true, true}, Case{1, kTypF115, true, true}}) {
        MissionNummer = static_cast<std::uint8_t>(c.mission);
        g_inShipZone = c.inZone;
        const std::int16_t v = cannon(c.type, at.x, at.y);
        ticks(v, 1);
        EXPECT_EQ(head(v).orders != nullptr, c.starts) << c.mission << " " << c.type;
        EXPECT_EQ(jet(v).active != 0, c.starts);
    }
}

TEST_F(JetTest, TheSearchRadiusStopsAtItsLimit) {
    const PixelPos at = PixelIn(10, 10);
    const std::int16_t v = cannon(kTypF104, at.x, at.y);
    light(0, 0, 100);  // burning, out of range
    ticks(v, 40);
    EXPECT_EQ(jet(v).searchRadius, 200 / 28 + 1);
    EXPECT_EQ(head(v).orders, nullptr);
    jet(v).searchRadius = 32767;
    ticks(v, 1);
    EXPECT_EQ(jet(v).searchRadius, 32767) << "no wrap through the 16-bit range";
}

TEST_F(JetTest, TheCrowdCannonAimsAtTheNearestReachablePersonWithAController) {
    const PixelPos at = PixelIn(10, 10);
    const std::int16_t v = cannon(kTypF303, at.x, at.y);
    jet(v).autoAim = 1;
    persons(4);
    person(0, 0, at.x + 10, at.y);  // nearest, but without a controller
    Person& near = person(1, 0, at.x + 40, at.y, 1);
    person(2, 0, at.x + 80, at.y, 1);
    person(3, 0, at.x + 300, at.y, 1);  // out of range

    ticks(v, 1);
    EXPECT_EQ(jet(v).targetPerson, 1);
    EXPECT_EQ(jet(v).retargetTicks, 0);
    EXPECT_EQ(jet(v).active, 1);
    EXPECT_EQ(jet(v).targetX, at.x + 40);
    EXPECT_EQ(jet(v).targetY, at.y);
    EXPECT_EQ(jet(v).height, 0);
    EXPECT_EQ(jet(v).floor, 0);

    near.energy = 0;
    ticks(v, 1);
    EXPECT_EQ(jet(v).targetPerson, 2) << "the target gone, the next is chosen";

    // The choice stands for 20 ticks, then the nearest is chosen again.
    near.energy = 1000000;
    ticks(v, 19);
    EXPECT_EQ(jet(v).targetPerson, 2);
    ticks(v, 1);
    EXPECT_EQ(jet(v).targetPerson, 1);

    // With nobody left the jet goes off and the cannon looks again every tick.
    near.energy = 0;
    Personen[2].present = 0;
    ticks(v, 1);
    EXPECT_EQ(jet(v).targetPerson, -1);
    EXPECT_EQ(jet(v).retargetTicks, 20);
    EXPECT_EQ(jet(v).active, 0);
    EXPECT_EQ(splash(v).visible, 0);

    // Orders, or the water switched off, leave the aim alone.
    near.energy = 1000000;
    AppendBefehl(head(v), 7, 10, 0, 0, 0, 0);
    ticks(v, 1);
    EXPECT_EQ(jet(v).targetPerson, -1);
    ClearBefehle(head(v));
    jet(v).autoAim = 0;
    ticks(v, 1);
    EXPECT_EQ(jet(v).targetPerson, -1);
    // Never a run-on: the crowd cannon keeps no countdown.
    EXPECT_EQ(jet(v).countdown, -1);
}

TEST_F(JetTest, TheCrowdCannonsWaterPushesItsTargetAwayFromTheVehicle) {
    const PixelPos at = PixelIn(10, 10);
    const std::int16_t v = cannon(kTypF303, at.x, at.y);
    jet(v).autoAim = 1;
    persons(2);
    person(0, 0, at.x + 40, at.y, 1);
    person(1, 0, at.x + 60, at.y, 1);  // not aimed at: never pushed
    const test::EvadeRecorder pushes;
    // The nozzle turns towards the target a step a tick before the water lands.
    ticks(v, kDirectionCount + 2);
    ASSERT_FALSE(pushes.Calls().empty());
    const test::EvadeCall expected{
        0, static_cast<float>(at.x), static_cast<float>(at.y), kVehiclePushStrength, 8, 0, -1};
    for (const test::EvadeCall& c : pushes.Calls()) EXPECT_EQ(c, expected);
}

class JetImagesTest : public test::HeadlessTest {
  protected:
    void writeJet(const std::vector<sampledata::Canvas>& frames) {
        dir.write("sobj/jet.vff", [&] {
            const auto bytes = sampledata::MakeVff(frames);
            return std::string(bytes.begin(), bytes.end());
        }());
    }
    test::ScratchDir dir;
};

TEST_F(JetImagesTest, TheSampleDataHoldsFourStretchesOfOneWidth) {
    test::WorkingDirectory cwd{KV_SAMPLEDATA_DIR};
    LoadSobjJet();
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    ASSERT_EQ(FrameCount(JetImages), 4u);
    for (int f = 1; f < 4; ++f) EXPECT_EQ(JetImages[f].width, JetImages[0].width);
    FreeSobjJet();
    EXPECT_EQ(JetImages, nullptr);
    FreeSobjJet();
}

TEST_F(JetImagesTest, TooFewOrTooNarrowFramesCountAsMissing) {
    using sampledata::Canvas;
    test::WorkingDirectory cwd{dir.path()};
    writeJet({Canvas(16, 6, 1), Canvas(20, 6, 1), Canvas(16, 3, 1), Canvas(16, 6, 1)});
    LoadSobjJet();
    EXPECT_FALSE(FatalErrorRaised()) << "wider frames and other heights are fine";
    EXPECT_NE(JetImages, nullptr);

    for (const auto& frames :
         {std::vector<Canvas>{Canvas(16, 6, 1), Canvas(16, 6, 1), Canvas(16, 6, 1)},
          std::vector<Canvas>{Canvas(16, 6, 1), Canvas(16, 6, 1), Canvas(15, 6, 1),
                              Canvas(16, 6, 1)}}) {
        ResetFatalError();
        writeJet(frames);
        LoadSobjJet();
        EXPECT_TRUE(FatalErrorRaised());
        EXPECT_EQ(FatalErrorMessage(), "file not found: 'sobj\\jet.vff'");
        EXPECT_EQ(JetImages, nullptr);
    }
}

}  // namespace
}  // namespace kv
