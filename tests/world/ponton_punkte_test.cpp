// Pontoon points on the generated sample data: the stored record, the mission's set-up with the
// marker, the hit test, the markers drawn, the set-up click, the berths and the boats' collision
// test.

#include "world/ponton_punkte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "core/fatal_error.h"
#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "gfx/frame_buffer.h"
#include "movement/befehl_queue.h"
#include "platform/bytes.h"
#include "support/record_offsets.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeuge.h"
#include "world/point_marker.h"
#include "world/sonder_obj.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv {
namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

// Two points as mission 11 has them.
void TwoPoints() {
    PontonPunktCount = 2;
    AllocPontonPunkte();
    AddPontonPunkt(950, 1535, 1, 14, 1);
    AddPontonPunkt(1400, 1535, 0, 14, 1);
}

class Pontons : public test::FahrzeugTest {
  protected:
    void SetUp() override {
        FahrzeugTest::SetUp();
        MissionHookRows[10].InitPontonPunkte = &TwoPoints;
        ASSERT_TRUE(InitPontonPunkte(11));
        layer = Make(kTypF113, 1, 100, 100, 1);
        select(layer);
    }
    void TearDown() override {
        DrawTarget = nullptr;
        FahrzeugTest::TearDown();
    }
    static void select(std::int16_t v) {
        SelectionMode = static_cast<std::uint16_t>(car(v).type);
        SelectedIndex = static_cast<std::uint16_t>(v);
    }
    static Fahrzeug& car(std::int16_t v) { return Fahrzeuge[static_cast<std::size_t>(v)]; }
    static void place(std::int16_t v, float x, float y) {
        car(v).x = x;
        car(v).y = y;
    }
    static std::uint8_t mouseAt(int x, int y) {
        ViewOrigin = {900, 1500};
        MouseX = static_cast<std::uint16_t>(x - ViewOrigin.x);
        MouseY = static_cast<std::uint16_t>(y - ViewOrigin.y);
        CursorId = 0;
        return IsPontonPunktAtMouse();
    }
    static std::vector<int> opcodes(std::int16_t v) {
        std::vector<int> ops;
        for (const Befehl* b = car(v).orders; b != nullptr; b = b->next) ops.push_back(b->opcode);
        return ops;
    }
    std::int16_t layer = -1;
};

TEST(PontonRecords, StoredLayoutAndTheBytesOfNewPoints) {
    test::ExpectLayout<PontonPunkt>(22, {{"x", 0},
                                         {"y", 2},
                                         {"b", 4},
                                         {"a", 5},
                                         {"pieces", 6},
                                         {"targetX", 12},
                                         {"targetY", 16},
                                         {"complete", 20},
                                         {"berthMode", 21}});
    PontonPunktCount = 2;
    AllocPontonPunkte();
    PontonPunkte[1].berthMode = 2;  // a stale byte is not kept
    AllocPontonPunkte();
    AddPontonPunkt(950, 1535, 1, 14, 1);
    ByteWriter out;
    for (const PontonPunkt& p : PontonPunkte) WriteRecord(out, p);
    const std::vector<std::uint8_t> expected = {
        0xB6, 0x03, 0xFF, 0x05, 0x0E, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01,  // the point added
        0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00,  // an unused one
    };
    EXPECT_EQ(out.data(), expected);

    AddPontonPunkt(1400, 1535, 0, 14, 1);
    AddPontonPunkt(2000, 100, 0, 3, 0);  // no room left
    EXPECT_EQ(PontonPunkte[1].x, 1400);
    EXPECT_EQ(PontonPunkte.size(), 2u);
    FreePontonPunkte();
}

std::uint8_t g_added = 0;
void ThreeAllocatedTwoAdded() {
    PontonPunktCount = 3;
    AllocPontonPunkte();
    for (std::uint8_t i = 0; i < g_added; ++i) AddPontonPunkt(100, 100, 0, 1, 0);
}

TEST_F(Pontons, TheMarkerComesOnlyWhenEveryPointIsUsed) {
    EXPECT_EQ(PontonPunkte.size(), 2u);
    ASSERT_NE(PontonMarker, nullptr);
    ASSERT_EQ(FrameCount(PontonMarker), 4u);
    for (int f = 0; f < 4; ++f) {
        EXPECT_EQ(PontonMarker[f].width, kPointMarkerSize);
        EXPECT_EQ(PontonMarker[f].height, kPointMarkerSize);
    }

    ASSERT_TRUE(InitPontonPunkte(1));
    EXPECT_TRUE(PontonPunkte.empty());
    EXPECT_NE(PontonMarker, nullptr) << "a mission without points loads it too";

    MissionHookRows[20].InitPontonPunkte = &ThreeAllocatedTwoAdded;
    g_added = 2;
    ASSERT_TRUE(InitPontonPunkte(21));
    EXPECT_EQ(PontonMarker, nullptr);
    ViewOrigin = {};
    std::vector<std::uint8_t> screen(kScreenWidth * kScreenHeight, 0);
    DrawTarget = screen.data();
    DrawPitch = kScreenWidth;
    DrawPontonPunkte();  // nothing to draw with
    g_added = 3;
    ASSERT_TRUE(InitPontonPunkte(21));
    EXPECT_NE(PontonMarker, nullptr);

    EXPECT_FALSE(InitPontonPunkte(26));
    EXPECT_EQ(FatalErrorMessage(), "InitPontonPunkte not defined");
}

TEST_F(Pontons, AMissingMarkerIsFatal) {
    test::ScratchDir dir;
    test::WorkingDirectory cwd(dir.path());
    EXPECT_FALSE(InitPontonPunkte(11));
    EXPECT_EQ(FatalErrorMessage(), "file not found: PONTONPUNKT");
}

TEST_F(Pontons, APointIsHitFromTenPixelsBeforeToNineAfter) {
    struct Case {
        int x, y;
        bool hit;
    };
    const Case cases[] = {
        {950, 1535, true},       {950 + 9, 1535, true},   {950 + 10, 1535, false},
        {950 - 10, 1535, true},  {950 - 11, 1535, false}, {950, 1535 + 9, true},
        {950, 1535 + 10, false}, {950, 1535 - 10, true},  {950, 1535 - 11, false},
        {1400 + 9, 1535, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        EXPECT_EQ(mouseAt(c.x, c.y), c.hit ? 1 : 0);
        EXPECT_EQ(CursorId, c.hit ? 19 : 0);
    }
    PontonPunkte.push_back(PontonPunkt{});
    EXPECT_EQ(mouseAt(65530, 65530), 0) << "an unused entry is no point";
    SelectionMode = kTypF102;
    EXPECT_EQ(mouseAt(950, 1535), 0) << "only while the pontoon vehicle is selected";
}

TEST_F(Pontons, APointWithAVehicleOnItIsNotOffered) {
    place(layer, 950, 1535);
    EXPECT_EQ(mouseAt(950, 1535), 0);
    EXPECT_EQ(FindPontonPunktAt(950, 1535), 0);
    EXPECT_EQ(car(layer).orders, nullptr);
    EXPECT_EQ(mouseAt(1400, 1535), 1) << "the other point still is";

    const std::int16_t boat = Make(kTypF114, 1, 1400, 1535);
    HoverKind = 5;
    HoverIds[0] = static_cast<std::uint16_t>(boat);
    EXPECT_EQ(mouseAt(1400, 1535), 0) << "nor one the vehicle under the mouse stands on";
}

TEST_F(Pontons, AClickSendsThePontoonVehicleToSetUp) {
    place(layer, 700, 1400);
    ASSERT_EQ(FindPontonPunktAt(1405, 1530), 1);
    EXPECT_EQ(opcodes(layer), (std::vector<int>{0, 7, 1, 57}));
    const Befehl& move = *car(layer).orders;
    EXPECT_EQ(move.aFloat(), 1400.0f);
    EXPECT_EQ(move.bFloat(), 1535.0f);
    EXPECT_EQ(move.next->aInt(), 1);
    const Befehl& turn = *move.next->next;
    EXPECT_EQ(turn.aFloat(), 1400.0f);
    EXPECT_EQ(turn.bFloat(), 1535.0f);
    EXPECT_EQ(turn.cInt(), 1);
    EXPECT_EQ(turn.next->aInt(), 1) << "the point";

    EXPECT_EQ(FindPontonPunktAt(1300, 1535), 0) << "a miss";
    ClearBefehle(car(layer));
    SetFahrzeugAnim(layer, 3);
    EXPECT_EQ(FindPontonPunktAt(1400, 1535), 0) << "a vehicle at work";
    EXPECT_EQ(car(layer).orders, nullptr);
}

TEST_F(Pontons, TheMarkersCycleFourFramesInEightDrawsWhereNoPontoonVehicleStands) {
    std::vector<std::uint8_t> screen(kScreenWidth * kScreenHeight, 0);
    DrawTarget = screen.data();
    DrawPitch = kScreenWidth;
    ViewOrigin = {900, 1400};
    place(layer, 1400, 1535);  // on the second point, which shows no marker
    // The first point's marker covers the screen from (40, 125).
    auto drawnFrame = [&]() {
        for (int f = 0; f < kPointMarkerFrames; ++f) {
            const VffImage& m = PontonMarker[f];
            bool same = true;
            for (int y = 0; y < m.height && same; ++y)
                for (int x = 0; x < m.width && same; ++x) {
                    const std::uint8_t want = m.pixels[y * m.width + x];
                    if (want != 0) same = screen[(125 + y) * kScreenWidth + 40 + x] == want;
                }
            if (same) return f;
        }
        return -1;
    };
    std::vector<int> shown;
    for (int draw = 0; draw < 9; ++draw) {
        std::fill(screen.begin(), screen.end(), 0);
        DrawPontonPunkte();
        shown.push_back(drawnFrame());
        EXPECT_EQ(std::count_if(screen.begin(), screen.end(), [](std::uint8_t p) { return p; }),
                  std::count_if(PontonMarker[shown.back()].pixels,
                                PontonMarker[shown.back()].pixels + 400,
                                [](std::uint8_t p) { return p; }))
            << "one marker only";
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 0, 1, 1, 2, 2, 3, 3, 0}));

    // At work the vehicle hides the markers and the cycle stands.
    SetFahrzeugAnim(layer, 4);
    std::fill(screen.begin(), screen.end(), 0);
    const std::uint8_t frame = PontonMarkerFrame;
    const std::uint8_t tick = PontonMarkerTick;
    DrawPontonPunkte();
    EXPECT_EQ(std::count(screen.begin(), screen.end(), 0), kScreenWidth * kScreenHeight);
    EXPECT_EQ(PontonMarkerFrame, frame);
    EXPECT_EQ(PontonMarkerTick, tick);

    // A marker with fewer than four frames counts as missing.
    SetFahrzeugAnim(layer, 0);
    const std::vector<sampledata::Canvas> three(3, sampledata::Canvas(20, 20, 9));
    FreeVff(PontonMarker);
    PontonMarker = LoadVffFromBytes(sampledata::MakeVff(three));
    DrawPontonPunkte();
    EXPECT_EQ(std::count(screen.begin(), screen.end(), 0), kScreenWidth * kScreenHeight);
}

TEST_F(Pontons, AVehicleBerthsBesideTheLaidChainByTheBerthMode) {
    // A laid chain at the first point: its end pieces, pontoons of type 10.
    const std::int16_t left = FindFreeSonderObj();
    CreateSonderObj(left, kSobjPonton, 800, 1569, 0, 15, 0, 0.0f, 0);
    const std::int16_t right = FindFreeSonderObj();
    CreateSonderObj(right, kSobjPonton, 880, 1569, 0, 15, 0, 0.0f, 0);
    PontonPunkt& p = PontonPunkte[0];
    p.pieces = {kNoPontonPiece, static_cast<std::uint16_t>(left),
                static_cast<std::uint16_t>(right)};
    p.complete = 1;
    const std::int16_t boat = Make(kTypF114, 1, 100, 100);
    const std::array<std::int16_t, 4>& box = FahrzeugTypen[kTypF114].extent;
    const int w = box[2] - box[0];
    const int l = 800 - 20 - w / 2;
    const int r = 880 + w / 2 + 91;
    const int y = 1569 + 24;
    const int m = (l + r) / 2;

    struct Case {
        std::uint8_t mode;
        int x, y;
        bool right;
    };
    const Case cases[] = {
        {0, m, y - 200, true},
        {0, m - 1, y + 200, false},
        {1, m - 30, y + 70, true},  // far below: the middle leans left by 70 x 4 / 7 = 40
        {1, m - 50, y + 70, false},
        {1, m, y, true},
        {1, m - 1, y, false},
        {1, m + 30, y - 70, false},  // far above it leans right
        {7, m, y, true},
        {7, m - 1, y, false},  // an unknown mode counts as 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << int{c.mode} << " at " << c.x << ", " << c.y);
        p.berthMode = c.mode;
        place(boat, static_cast<float>(c.x), static_cast<float>(c.y));
        DockAtPontonPunkt(boat, 0);
        ASSERT_EQ(opcodes(boat), (std::vector<int>{0, 7, 1, 69}));
        const Befehl& move = *car(boat).orders;
        EXPECT_EQ(move.aFloat(), static_cast<float>(c.right ? r : l));
        EXPECT_EQ(move.bFloat(), static_cast<float>(y));
        EXPECT_EQ(move.next->next->cInt(), c.right ? 9 : 3);
        EXPECT_EQ(move.next->next->next->aInt(), 0);
        ClearBefehle(car(boat));
    }

    p.berthMode = 2;
    DockAtPontonPunkt(boat, 0);
    ASSERT_EQ(opcodes(boat), (std::vector<int>{2, 69}));
    const Befehl& goals = *car(boat).orders;
    EXPECT_EQ(goals.bInt(), 2);
    ASSERT_EQ(goals.goals.size(), 2u);
    EXPECT_EQ(goals.goals[0].x, static_cast<float>(l));
    EXPECT_EQ(goals.goals[0].y, static_cast<float>(y));
    EXPECT_EQ(goals.goals[0].facing, 3);
    EXPECT_EQ(goals.goals[1].x, static_cast<float>(r));
    EXPECT_EQ(goals.goals[1].facing, 9);
    ClearBefehle(car(boat));

    // A point out of range, or a chain whose end pieces are gone, sends nobody.
    DockAtPontonPunkt(boat, 2);
    DockAtPontonPunkt(boat, -1);
    FreeSonderObjSlot(right);
    DockAtPontonPunkt(boat, 0);
    p.pieces[kPontonRightEnd] = kNoPontonPiece;
    DockAtPontonPunkt(boat, 0);
    EXPECT_EQ(car(boat).orders, nullptr);
}

TEST_F(Pontons, OnlyVehiclesPersonsAndObjectsOtherThanPontoonsBlockABoat) {
    const std::int16_t pontoon = FindFreeSonderObj();
    CreateSonderObj(pontoon, kSobjPonton, 800, 1569, 0, 15, 0, 0.0f, 0);
    const std::int16_t hydrant = FindFreeSonderObj();
    CreateSonderObj(hydrant, kSobjHydrant, 900, 1569, 0, 15, 0, 0.0f, 0);
    struct Case {
        std::uint8_t kind;
        std::int16_t index;
        bool blocks;
    };
    const Case cases[] = {
        {1, 0, true},  {2, 3, true},  {3, hydrant, true}, {3, pontoon, false}, {4, 10, false},
        {5, 0, false}, {6, 0, false}, {9, 0, false},      {11, 0, false},      {0, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsBoatBlocker({c.kind, static_cast<std::uint16_t>(c.index), 0, 0}), c.blocks)
            << int{c.kind} << " " << c.index;

    // The pontoon vehicle stands where the boat is: it blocks. Gone, nothing else does; the
    // land under the boat is no blocker of a boat.
    const std::int16_t boat = Make(kTypF114, 1, 100, 100);
    CollisionHit hit{3, 1, 2, 3};
    EXPECT_NE(TestBoatCollision(0, car(boat), FahrzeugTypen[kTypF114], 100, 100, 3, 0, 0, &hit), 0);
    EXPECT_EQ(hit.kind, 1);
    EXPECT_EQ(hit.index1, static_cast<std::uint16_t>(layer));
    car(layer).x = 1500;
    EXPECT_EQ(TestBoatCollision(0, car(boat), FahrzeugTypen[kTypF114], 100, 100, 3, 0, 0, &hit), 0);
    EXPECT_EQ(hit.kind, 0);
}

}  // namespace
}  // namespace kv
