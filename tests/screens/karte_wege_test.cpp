// The campaign map's roads: where each base's road begins, how a bought vehicle follows it, and
// how it comes into the mission world at the road's end.

#include "screens/karte_wege.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/mission_points.h"
#include "core/options.h"
#include "media/sound_slots.h"
#include "media/speech.h"
#include "mission/panel_pictures.h"
#include "movement/befehl.h"
#include "movement/befehl_opcodes.h"
#include "platform/sound.h"
#include "screens/karte.h"
#include "screens/lflug_basis.h"
#include "support/sound_log.h"
#include "vehicles/drive_in.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeuge.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv {
namespace {

using sampledata::Canvas;

constexpr std::uint8_t kStart0 = 16;
constexpr std::uint8_t kRoad0 = 17;
constexpr std::uint8_t kStart1 = 32;

// The road picture of a test, as the mission start holds it.
void UseRoads(const Canvas& picture) {
    FreeMapWege();
    const std::vector<std::uint8_t> bytes = sampledata::MakeVff(std::vector<Canvas>{picture});
    MapWegeImages = LoadVffFromBytes(bytes);
    ASSERT_NE(MapWegeImages, nullptr);
    FindKarteStartPoints();
}

// Road 0 from its start at (100, 100) east to x 100 + length.
Canvas StraightRoad(int length) {
    Canvas c(800, 600);
    c.line(101, 100, 100 + length, 100, kRoad0);
    c.set(100, 100, kStart0);
    return c;
}

class KarteWege : public test::FahrzeugTest {
  protected:
    void TearDown() override {
        FreeMapWege();
        ReleaseSounds();
        FahrzeugTest::TearDown();
    }

    // An F201 bought at a base: in the base at the road entry, set off on the road.
    static std::int16_t Bought(std::int16_t type, std::int16_t road) {
        const std::int16_t v = Make(type, kOwnerBought, RoadEntry.x, RoadEntry.y, 7);
        Fahrzeuge[static_cast<std::size_t>(v)].storey = -5;
        PlaceFahrzeugOnKarte(v, road);
        return v;
    }
    static Fahrzeug& V(std::int16_t i) { return Fahrzeuge[static_cast<std::size_t>(i)]; }
};

TEST_F(KarteWege, EachRoadStartsAtItsRightmostThenLowestStartPixel) {
    Canvas c(800, 600);
    c.set(90, 70, kStart0);
    c.set(100, 50, kStart0);
    c.set(100, 60, kStart0);
    c.set(5, 5, kStart1);
    c.set(799, 599, kRoad0);  // a road pixel starts nothing
    UseRoads(c);
    EXPECT_EQ(KarteStartPoints[0].x, 100);
    EXPECT_EQ(KarteStartPoints[0].y, 60);
    EXPECT_EQ(KarteStartPoints[1].x, 5);
    EXPECT_EQ(KarteStartPoints[1].y, 5);
    for (std::size_t n = 2; n < 6; ++n) {
        EXPECT_EQ(KarteStartPoints[n].x, 11) << n;
        EXPECT_EQ(KarteStartPoints[n].y, 11) << n;
    }

    // A picture smaller than the screen is read only where it has pixels; none gives no road.
    Canvas small(50, 40);
    small.set(49, 39, kStart0);
    UseRoads(small);
    EXPECT_EQ(KarteStartPoints[0].x, 49);
    FreeMapWege();
    FindKarteStartPoints();
    EXPECT_EQ(KarteStartPoints[0].x, 11);
}

TEST_F(KarteWege, PlacingNeedsARoadOfTheSixBasesAndAVehicle) {
    UseRoads(StraightRoad(50));
    const std::int16_t v = Bought(kTypF110, 0);  // pace -2
    EXPECT_EQ(V(v).KarteWeg, 0);
    EXPECT_EQ(V(v).KarteX, 100);
    EXPECT_EQ(V(v).KartePrevX, 0);
    EXPECT_EQ(V(v).KarteStepCountdown, 2);
    const std::int16_t w = Make(kTypF201, kOwnerBought);
    for (const std::int16_t road : {-1, 6, 100}) {
        PlaceFahrzeugOnKarte(w, road);
        EXPECT_EQ(V(w).KarteWeg, -1) << road;
    }
    PlaceFahrzeugOnKarte(-1, 0);
    PlaceFahrzeugOnKarte(FahrzeugCount, 0);
}

struct MoveCase {
    const char* name;
    std::function<Canvas()> roads;
    std::int8_t pace;
    std::uint8_t speed;
    int frames;
    KartePoint marker;
    int x;
    int y;
    bool arrived;
};

// A fork after five pixels east: up-right, down-right, straight down and down-left.
Canvas Fork() {
    Canvas c = StraightRoad(5);
    for (auto [x, y] : {std::pair{106, 99}, {106, 101}, {105, 101}, {104, 101}})
        c.set(x, y, kRoad0);
    return c;
}

class KarteMoves : public KarteWege, public testing::WithParamInterface<MoveCase> {};

// Frames of the map before the world has started: each moves every map vehicle game-speed times.
TEST_P(KarteMoves, FollowTheRoadAtTheTypesPace) {
    const MoveCase& c = GetParam();
    UseRoads(c.roads());
    KarteMarker = c.marker;
    const std::int16_t v = Bought(kTypF201, 0);
    FahrzeugTypen[kTypF201].karteStep = c.pace;
    V(v).KarteStepCountdown = static_cast<std::int8_t>(-c.pace);
    GameSpeed = c.speed;
    for (int f = 0; f < c.frames; ++f) RunKarteFrame();
    EXPECT_EQ(V(v).KarteX, c.x);
    EXPECT_EQ(V(v).KarteY, c.y);
    EXPECT_EQ(V(v).KarteWeg == -1, c.arrived);
    EXPECT_EQ(V(v).storey, c.arrived ? 0 : -5);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KarteMoves,
    testing::Values(
        MoveCase{"pace2speed3", [] { return StraightRoad(100); }, 2, 3, 1, {0, 0}, 106, 100, false},
        MoveCase{"paceMinus4speed3",
                 [] { return StraightRoad(100); },
                 -4,
                 3,
                 4,
                 {0, 0},
                 103,
                 100,
                 false},
        MoveCase{
            "onTheMarker", [] { return StraightRoad(100); }, 2, 1, 1, {100, 100}, 100, 100, true},
        MoveCase{"reachesTheMarker",
                 [] { return StraightRoad(100); },
                 3,
                 1,
                 2,
                 {103, 100},
                 103,
                 100,
                 true},
        MoveCase{"deadEnd", [] { return StraightRoad(4); }, 9, 1, 1, {0, 0}, 104, 100, true},
        MoveCase{"forkRightmostThenTopmost", Fork, 6, 1, 1, {0, 0}, 106, 99, false}),
    [](const testing::TestParamInfo<MoveCase>& p) { return std::string(p.param.name); });

TEST_F(KarteWege, AStartWithoutRoadOrAPointFromOutsideThePictureArrivesAtOnce) {
    UseRoads(StraightRoad(100));
    const std::int16_t lost = Bought(kTypF201, 3);  // no road 3: (11, 11)
    const std::int16_t far = Bought(kTypF201, 0);
    V(far).KarteX = 65535;
    V(far).KarteY = 65535;
    MoveFahrzeugOnKarte(lost);
    MoveFahrzeugOnKarte(far);
    EXPECT_EQ(V(lost).KarteWeg, -1);
    EXPECT_EQ(V(far).KarteWeg, -1);
}

struct ArrivalCase {
    std::int16_t type;
    std::int16_t facing;  // of the road entry
    std::int8_t storey;
    std::int8_t direction;
    int phrase;  // -1: none
    int targetX;
    int targetY;
};

class KarteArrival : public KarteWege, public testing::WithParamInterface<ArrivalCase> {
  protected:
    void SetUp() override {
        KarteWege::SetUp();
        ASSERT_TRUE(SoundOpen());
        SoundAvailable = 1;
        test::FillSoundSlotsWithTones();
        UnitSpeech = 1;
    }
};

// On the marker at once: each type comes into the world at its entry, as it drives or flies.
TEST_P(KarteArrival, ComesInAtItsEntryAndDrivesItsRun) {
    const ArrivalCase& c = GetParam();
    UseRoads(StraightRoad(10));
    KarteMarker = {100, 100};
    RoadEntry = {-100, 560, 370, c.facing};
    WaterEntry = {-50, 700, 220, 9};
    LflugDropX = 900;
    LflugDropY = 400;
    const MapEntryPoint& entry = c.type == kTypF115 ? WaterEntry : RoadEntry;
    const std::int16_t v = Make(c.type, kOwnerBought, entry.x, entry.y, 7);
    V(v).storey = -5;
    V(v).present = 0;
    PlaceFahrzeugOnKarte(v, 0);
    MoveFahrzeugOnKarte(v);

    const Fahrzeug& f = V(v);
    EXPECT_EQ(f.KarteWeg, -1);
    EXPECT_EQ(f.storey, c.storey);
    EXPECT_EQ(f.direction, c.direction);
    EXPECT_EQ(f.present, 1);
    ASSERT_NE(f.orders, nullptr);
    const std::vector<int> sounds = test::PlayedSoundIds(backend.sound);
    const int speaker = FahrzeugTypOf(f).speaker;
    if (c.type == kTypF111) {
        // Flown in over the drop point: from the left edge, 100 px above it.
        EXPECT_EQ(f.orders->opcode, kOpFlyAlong);
        EXPECT_FLOAT_EQ(f.y, 300.0f);
        EXPECT_LE(f.x, 0.0f);
        EXPECT_TRUE(sounds.empty());
        return;
    }
    EXPECT_EQ(f.orders->opcode, kOpMove);
    EXPECT_EQ(f.orders->next, nullptr) << "one drive order";
    EXPECT_FLOAT_EQ(f.orders->aFloat(), static_cast<float>(c.targetX));
    EXPECT_FLOAT_EQ(f.orders->bFloat(), static_cast<float>(c.targetY));
    EXPECT_EQ(f.orders->flags, 130);
    EXPECT_FLOAT_EQ(f.x, static_cast<float>(entry.x)) << "nothing in the way";
    EXPECT_FLOAT_EQ(f.moveX, f.x);
    EXPECT_EQ(f.moveDir, f.direction);
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), speaker * kPhraseCount + c.phrase),
              sounds.end());
    const bool rotor =
        std::any_of(sounds.begin(), sounds.end(), [](int id) { return id >= 73 && id <= 75; });
    EXPECT_EQ(rotor, c.type == kTypF203);
}

// The run's end by facing: (X + 4r/11, Y - 7r/11), (X + r, Y), (X - 4r/11, Y + 7r/11), (X - r, Y),
// truncated.
INSTANTIATE_TEST_SUITE_P(Types, KarteArrival,
                         testing::Values(ArrivalCase{kTypF201, 1, 0, 1, 8, 34, 324},
                                         ArrivalCase{kTypF201, 3, 0, 3, 8, 270, 560},
                                         ArrivalCase{kTypF201, 7, 0, 7, 8, -234, 795},
                                         ArrivalCase{kTypF201, 9, 0, 9, 8, -470, 560},
                                         ArrivalCase{kTypF115, 3, 0, 9, 8, -270, 700},
                                         ArrivalCase{kTypF203, 7, -1, 7, 4, -234, 795},
                                         ArrivalCase{kTypF111, 7, -2, 3, -1, 0, 0}));

// A vehicle standing where the arriving one comes in: it backs off against its facing, a step at
// a time, until it stands clear.
TEST_F(KarteWege, AnArrivalBacksOffAgainstItsFacingFromAVehicleInTheWay) {
    struct Case {
        std::int16_t facing;
        int sx;  // the sign of the backing off along x and y
        int sy;
    };
    for (const Case c : {Case{1, -1, 1}, Case{3, -1, 0}, Case{7, 1, -1}, Case{9, 1, 0}}) {
        SCOPED_TRACE(c.facing);
        FreeFahrzeuge();
        FahrzeugCount = 20;
        AllocFahrzeuge();
        const MapEntryPoint entry{400, 500, 300, c.facing};
        const std::int16_t blocker = Make(kTypF201, kOwnerBought, entry.x, entry.y, c.facing);
        const std::int16_t v = Make(kTypF201, kOwnerBought, entry.x, entry.y, c.facing);
        ASSERT_TRUE(TestFahrzeugOverlap(v));
        DriveFahrzeugIn(v, entry);
        BackFahrzeugOff(v);
        const Fahrzeug& f = V(v);
        EXPECT_FALSE(TestFahrzeugOverlap(v));
        const float dx = f.x - static_cast<float>(entry.x);
        const float dy = f.y - static_cast<float>(entry.y);
        EXPECT_EQ((dx > 0) - (dx < 0), c.sx);
        EXPECT_EQ((dy > 0) - (dy < 0), c.sy);
        EXPECT_FLOAT_EQ(f.moveX, f.x);
        EXPECT_FLOAT_EQ(f.moveY, f.y);
        EXPECT_EQ(V(blocker).x, static_cast<float>(entry.x)) << "the other stays";
    }
}

}  // namespace
}  // namespace kv
