// Civilian traffic paths and pedestrian paths: the saved path record, the two set-up dispatchers,
// spawning cars with their type draw, the nearest lane, the step length a path gives its cars,
// and pedestrians walking their points.

#include "movement/traffic_paths.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <vector>

#include "core/fatal_error.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "core/random.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/person_fixture.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/bytes.h"
#include "support/golden_bytes.h"
#include "support/record_offsets.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeuge.h"

namespace kv {
namespace {

TEST(ZFWegRecord, SavedLayout) {
    test::ExpectLayout<ZFWeg>(44, {{"startX", 0},
                                   {"startY", 4},
                                   {"targetX", 8},
                                   {"targetY", 12},
                                   {"turnX", 16},
                                   {"turnY", 20},
                                   {"startDir", 24},
                                   {"interval", 25},
                                   {"timer", 27},
                                   {"speed", 29},
                                   {"typeCount", 33},
                                   {"types", 34},
                                   {"percents", 38},
                                   {"lastType", 42}});
    // Typed by hand: a lane from the right edge to the left along y 505, its timer at 17 and its
    // speed at 2.5, without lists.
    test::GoldenBytes bytes;
    bytes.at(0)
        .bytes({0x44, 0x07, 0x00, 0x00, 0xF9, 0x01, 0x00, 0x00})
        .at(8)
        .bytes({0x9C, 0xFF, 0xFF, 0xFF, 0xF9, 0x01, 0x00, 0x00})
        .at(16)
        .bytes({0x44, 0x07, 0x00, 0x00, 0x30, 0x02, 0x00, 0x00})
        .at(24)
        .bytes({0x09})
        .at(25)
        .bytes({0x20, 0x03})
        .at(27)
        .bytes({0x11, 0x00})
        .at(29)
        .bytes({0x00, 0x00, 0x20, 0x40})
        .at(33)
        .bytes({0x00})
        .at(34)
        .zeros(8)
        .at(42)
        .bytes({0x1B, 0x00});
    ByteReader in(bytes.data());
    const ZFWeg w = ReadRecord<ZFWeg>(in);
    EXPECT_EQ(w.startX, 1860);
    EXPECT_EQ(w.startY, 505);
    EXPECT_EQ(w.targetX, -100);
    EXPECT_EQ(w.turnY, 560);
    EXPECT_EQ(w.startDir, 9);
    EXPECT_EQ(w.interval, 800);
    EXPECT_EQ(w.timer, 17);
    EXPECT_EQ(w.speed, 2.5f);
    EXPECT_EQ(w.lastType, 27);
    ByteWriter out;
    WriteRecord(out, w);
    EXPECT_EQ(out.data(), bytes.data());
}

// What the game's generator draws from seed, which moves on past the draw; the generator's own
// state is left as it was.
int NextDraw(std::uint32_t& seed) {
    const std::uint32_t now = RandomSeed();
    SeedRandom(seed);
    const int draw = Rand();
    seed = RandomSeed();
    SeedRandom(now);
    return draw;
}

constexpr std::int32_t kStartX = 1000;
constexpr std::int32_t kStartY = 505;

class TrafficTest : public test::FahrzeugTest {
  protected:
    void SetUp() override {
        FahrzeugTest::SetUp();
        test::PlainMap(60, 40);
        SeedRandom(4711);
    }

    // `count` lanes, each from (1000, 505 + 100 i) to (-100, same y), turning back to (1000, y +
    // 55), facing 9, with the interval and types given; the types are loaded.
    static void Lanes(int count, std::int16_t interval, std::initializer_list<ZFWegTyp> types) {
        ZFWegCount = static_cast<std::uint8_t>(count);
        AllocZFWege();
        for (int i = 0; i < count; ++i) {
            ZFWeg& w = ZFWege[static_cast<std::size_t>(i)];
            w.startX = kStartX;
            w.startY = kStartY + 100 * i;
            w.targetX = -100;
            w.targetY = w.startY;
            w.turnX = kStartX;
            w.turnY = w.startY + 55;
            w.startDir = 9;
            w.interval = interval;
            SetZFWegTypen(w, std::vector<ZFWegTyp>(types));
        }
        for (const ZFWegTyp& t : types)
            if (t.type < kFahrzeugTypCount) LoadFahrzeugTyp(static_cast<std::int16_t>(t.type));
    }

    static int UsedCars() {
        int n = 0;
        for (const Fahrzeug& v : Fahrzeuge) n += v.type != -1 ? 1 : 0;
        return n;
    }
    static Fahrzeug& Car(std::int16_t i) { return Fahrzeuge[static_cast<std::size_t>(i)]; }

    // Runs ticks until a car appears (at most `limit`); its slot, or -1.
    static std::int16_t TickUntilCar(int limit = 1000) {
        for (int t = 0; t < limit; ++t) {
            const int before = UsedCars();
            SpawnZF();
            if (UsedCars() > before) {
                for (std::size_t i = Fahrzeuge.size(); i-- > 0;)
                    if (Fahrzeuge[i].type != -1 && Fahrzeuge[i].orders != nullptr &&
                        Fahrzeuge[i].x == static_cast<float>(kStartX))
                        return static_cast<std::int16_t>(i);
            }
        }
        return -1;
    }
    // Takes a car off the start point, so that the next one has room.
    static void DriveAway(std::int16_t i) {
        Car(i).x = 200;
        UpdateFahrzeugDrawPos(Car(i));
    }
};

TEST_F(TrafficTest, AnIntervalOfTenSpawnsWhenTheTimerReachesElevenWithTheTrafficOrders) {
    Lanes(1, 10, {{27, 100}});
    for (int t = 1; t <= 10; ++t) {
        SpawnZF();
        EXPECT_EQ(ZFWege[0].timer, t);
    }
    EXPECT_EQ(UsedCars(), 0);
    std::uint32_t seed = RandomSeed();
    SpawnZF();
    ASSERT_EQ(UsedCars(), 1);
    EXPECT_EQ(ZFWege[0].timer, NextDraw(seed) % 5) << "the next timer starts at 0..4";
    EXPECT_EQ(RandomSeed(), seed) << "one type: nothing else drawn";

    const Fahrzeug& v = Car(0);
    EXPECT_EQ(v.type, 27);
    EXPECT_EQ(v.x, 1000.0f);
    EXPECT_EQ(v.y, 505.0f);
    EXPECT_EQ(v.height, 0.0f);
    EXPECT_EQ(v.direction, 9);
    EXPECT_EQ(v.present, 1);
    EXPECT_EQ(v.targetable, 0);
    EXPECT_EQ(v.selectable, 0);
    EXPECT_EQ(v.controlFlags, kOwnerMission);
    EXPECT_EQ(v.link, 0) << "the path";
    EXPECT_EQ(v.speed, FahrzeugTypen[27].speed);
    EXPECT_EQ(ZFWege[0].lastType, 27);
    ASSERT_NE(v.orders, nullptr);
    const Befehl& drive = *v.orders;
    EXPECT_EQ(drive.opcode, 47);
    EXPECT_EQ(drive.aFloat(), -100.0f);
    EXPECT_EQ(drive.bFloat(), 505.0f);
    EXPECT_EQ(drive.cFloat(), 1000.0f);
    EXPECT_EQ(drive.dFloat(), 560.0f);
    EXPECT_EQ(drive.e, 0u);
    ASSERT_NE(drive.next, nullptr);
    EXPECT_EQ(drive.next->opcode, 48) << "removed where it arrives";
    EXPECT_EQ(drive.next->next, nullptr);
}

TEST_F(TrafficTest, APathWithoutTypesEndsThePassSoTheNextIsNotCounted) {
    Lanes(2, 2, {{27, 100}});
    SetZFWegTypen(ZFWege[0], {});
    // The tick on which the first runs out, the second is not counted.
    ZFWege[0].timer = 2;
    ZFWege[1].timer = 2;
    SpawnZF();
    EXPECT_EQ(ZFWege[0].timer, 0);
    EXPECT_EQ(ZFWege[1].timer, 2);
    // A first path that runs out on every tick keeps the second from ever spawning.
    ZFWege[0].interval = 0;
    for (int t = 0; t < 200; ++t) SpawnZF();
    EXPECT_EQ(ZFWege[1].timer, 2);
    EXPECT_EQ(UsedCars(), 0);
}

TEST_F(TrafficTest, OneTypeComesEveryTimeTwoTypesNeverTwiceInARow) {
    Lanes(1, 2, {{28, 100}});
    for (int n = 0; n < 2; ++n) {
        const std::int16_t car = TickUntilCar();
        ASSERT_GE(car, 0);
        EXPECT_EQ(Car(car).type, 28);
        DriveAway(car);
    }

    FreeFahrzeuge();
    FahrzeugCount = 20;
    AllocFahrzeuge();
    Lanes(1, 2, {{27, 100}, {28, 100}, {29, 0}});
    std::vector<int> types;
    for (int n = 0; n < 12; ++n) {
        const std::int16_t car = TickUntilCar();
        ASSERT_GE(car, 0);
        types.push_back(Car(car).type);
        RemoveFahrzeug(car, kRemoveDrivenOff);
    }
    for (std::size_t k = 1; k < types.size(); ++k) {
        EXPECT_NE(types[k], types[k - 1]) << k;
        EXPECT_NE(types[k], 29) << "no chance";
    }
}

TEST_F(TrafficTest, ACarOnTheStartPointBlocksTheSpawnAndNothingIsLeftBehind) {
    Lanes(1, 2, {{27, 100}});
    const std::int16_t parked = Make(kTypZF01 + 1, 1, static_cast<std::int16_t>(kStartX),
                                     static_cast<std::int16_t>(kStartY), 9);
    const MissionCounterSet counters = MissionCounters;
    ZFWege[0].timer = 2;
    std::uint32_t seed = RandomSeed();
    SpawnZF();
    NextDraw(seed);
    EXPECT_EQ(RandomSeed(), seed) << "only the timer drawn";
    EXPECT_EQ(UsedCars(), 1);
    const Fahrzeug& slot = Car(static_cast<std::int16_t>(parked + 1));
    EXPECT_EQ(slot.type, -1);
    EXPECT_TRUE(slot.seats.empty()) << "the new car's seats are freed";
    EXPECT_EQ(slot.orders, nullptr);
    EXPECT_EQ(MissionCounters.BoughtFahrzeugCount, counters.BoughtFahrzeugCount);
    EXPECT_EQ(MissionCounters.LostMissionFahrzeugCount, counters.LostMissionFahrzeugCount);
    EXPECT_EQ(ZFWege[0].lastType, 27) << "the type counts as spawned";
}

TEST_F(TrafficTest, WithoutAFreeSlotThePassEnds) {
    FreeFahrzeuge();
    FahrzeugCount = 1;
    AllocFahrzeuge();
    Lanes(2, 2, {{27, 100}});
    Make(kTypZF01 + 1, 1, 300, 300, 9);
    ZFWege[0].timer = 2;
    ZFWege[1].timer = 1;
    SpawnZF();
    EXPECT_EQ(ZFWege[0].timer, 0) << "drawn from 0..0";
    EXPECT_EQ(ZFWege[1].timer, 1) << "not counted";
    EXPECT_EQ(UsedCars(), 1);
}

// An interval below 2 would divide by zero: the timer's range is at least one tick.
TEST_F(TrafficTest, ShortIntervalsSpawnEveryTickOrSo) {
    for (const std::int16_t interval : {1, 0, -7}) {
        SCOPED_TRACE(interval);
        Lanes(1, interval, {{27, 100}});
        ZFWege[0].timer = interval;
        std::uint32_t seed = RandomSeed();
        SpawnZF();
        NextDraw(seed);
        EXPECT_EQ(RandomSeed(), seed);
        EXPECT_EQ(ZFWege[0].timer, 0);
        EXPECT_EQ(UsedCars(), 1);
        FreeFahrzeuge();
        FahrzeugCount = 20;
        AllocFahrzeuge();
    }
}

// Lists under which no type other than the last one can come: the draw would never end. Nothing
// is drawn but the timer; the last type comes again while it has a chance.
struct NoOtherTypeCase {
    std::vector<ZFWegTyp> types;
    std::uint16_t lastType;
    int spawned;  // -1 none
};

class NoOtherType : public TrafficTest, public testing::WithParamInterface<NoOtherTypeCase> {};

TEST_P(NoOtherType, SpawnsTheLastTypeOrNothingWithoutDrawing) {
    const NoOtherTypeCase& c = GetParam();
    Lanes(1, 2, {});
    for (const ZFWegTyp& t : c.types)
        if (t.type < kFahrzeugTypCount) LoadFahrzeugTyp(static_cast<std::int16_t>(t.type));
    SetZFWegTypen(ZFWege[0], c.types);
    ZFWege[0].lastType = c.lastType;
    ZFWege[0].timer = 2;
    std::uint32_t seed = RandomSeed();
    SpawnZF();
    NextDraw(seed);
    EXPECT_EQ(RandomSeed(), seed);
    if (c.spawned < 0) {
        EXPECT_EQ(UsedCars(), 0);
        EXPECT_EQ(ZFWege[0].lastType, c.lastType);
    } else {
        ASSERT_EQ(UsedCars(), 1);
        EXPECT_EQ(Car(0).type, c.spawned);
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, NoOtherType,
                         testing::Values(NoOtherTypeCase{{{27, 100}, {28, 0}}, 27, 27},
                                         NoOtherTypeCase{{{27, 100}, {27, 40}}, 27, 27},
                                         NoOtherTypeCase{{{27, 0}, {28, 0}}, 0xFFFF, -1},
                                         NoOtherTypeCase{{{27, 0}, {28, -5}}, 27, -1},
                                         // A type past the vehicle types is never spawned.
                                         NoOtherTypeCase{{{27, 100}, {60, 100}}, 27, 27},
                                         NoOtherTypeCase{{{300, 100}}, 0xFFFF, -1}));

TEST_F(TrafficTest, ATypePastTheVehicleTypesIsNeitherLoadedNorDrawn) {
    Lanes(1, 2, {{27, 50}, {200, 100}, {28, 50}});
    std::vector<int> types;
    for (int n = 0; n < 10; ++n) {
        const std::int16_t car = TickUntilCar();
        ASSERT_GE(car, 0);
        types.push_back(Car(car).type);
        RemoveFahrzeug(car, kRemoveDrivenOff);
    }
    for (const int t : types) EXPECT_TRUE(t == 27 || t == 28) << t;
    EXPECT_FALSE(FatalErrorRaised());
}

TEST_F(TrafficTest, TheNearestLaneWinsTheFirstOfEqualOnes) {
    UnitHead unit;
    unit.x = 500;
    unit.y = 590;
    EXPECT_EQ(FindNearestZFWeg(unit), kNoZFWeg);
    Lanes(3, 100, {{27, 100}});  // y 505, 605, 705
    EXPECT_EQ(FindNearestZFWeg(unit), 1);
    unit.y = 555;
    EXPECT_EQ(FindNearestZFWeg(unit), 0) << "halfway: the first";
    unit.x = 5000;  // past the lanes' ends: to their end points
    unit.y = 705;
    EXPECT_EQ(FindNearestZFWeg(unit), 2);
}

TEST_F(TrafficTest, ACivilianCarStepsAtItsPathsSpeedAParkedOneAtItsTypes) {
    Lanes(2, 100, {{27, 100}});
    ZFWege[1].speed = 3.5f;
    const std::int16_t car = Make(kTypZF01, 1, 300, 300, 9);
    Fahrzeug& v = Car(car);
    const FahrzeugTyp& typ = FahrzeugTypen[kTypZF01];
    const auto step = [&] { return GetStepLength(v, typ, v.x, v.y, 9, 0, 0); };
    v.link = 1;
    EXPECT_EQ(step(), 3.5f);
    SetZFWegSpeed(1, 0.0f);  // a gate closes
    EXPECT_EQ(step(), 0.0f);
    SetZFWegSpeed(2, 9.0f);  // no such path
    v.link = 0;
    EXPECT_EQ(step(), 5.0f) << "the default";
    for (const std::uint16_t none : {0xFFFF, 2}) {
        v.link = none;
        EXPECT_EQ(step(), typ.speed);
    }
    EXPECT_EQ(ZFWegSpeed(-1), std::nullopt);
}

TEST_F(TrafficTest, FreeingLeavesNoPaths) {
    Lanes(2, 100, {{27, 100}, {28, 50}});
    FreeZFWege();
    EXPECT_TRUE(ZFWege.empty());
    EXPECT_EQ(ZFWegCount, 0);
    SpawnZF();
    EXPECT_EQ(ZFWegSpeed(0), std::nullopt);
}

// The set-ups the dispatchers call.
bool g_zfHookRan = false;
void ZFHook() {
    g_zfHookRan = true;
    ZFWegCount = 1;
    AllocZFWege();
    static constexpr std::array<ZFWegTyp, 3> kTypes = {{{29, 100}, {250, 10}, {44, 10}}};
    SetZFWegTypen(ZFWege[0], kTypes);
}
void PassantenHook() {
    PassantenWegCount = 2;
    AllocPassantenWege();
}

TEST_F(TrafficTest, TheTrafficSetUpRunsAndItsTypesAreLoaded) {
    Lanes(3, 100, {{27, 100}});
    MissionHookRows[0].InitZFWege = ZFHook;
    EXPECT_TRUE(InitZFWege(1));
    EXPECT_TRUE(g_zfHookRan);
    ASSERT_EQ(ZFWege.size(), 1u) << "the old table went first";
    EXPECT_EQ(ZFWege[0].timer, 0);
    EXPECT_EQ(ZFWege[0].speed, 5.0f);
    EXPECT_EQ(ZFWege[0].lastType, 0xFFFF);
    EXPECT_TRUE(FahrzeugTypLoaded(29));
    EXPECT_TRUE(FahrzeugTypLoaded(44));

    MissionHookRows[0].InitPassantenWege = PassantenHook;
    EXPECT_TRUE(InitPassantenWege(1));
    ASSERT_EQ(PassantenWege.size(), 2u);
    EXPECT_EQ(PassantenWege[1].pointCount, 0);
}

struct MissingSetUp {
    bool (*init)(int);
    int mission;
    const char* message;
};

class MissingSetUpTest : public TrafficTest, public testing::WithParamInterface<MissingSetUp> {};

TEST_P(MissingSetUpTest, IsFatal) {
    const MissingSetUp& c = GetParam();
    Lanes(1, 100, {{27, 100}});
    EXPECT_FALSE(c.init(c.mission));
    EXPECT_EQ(FatalErrorMessage(), c.message);
    EXPECT_TRUE(ZFWege.empty() || c.init == InitPassantenWege);
}

INSTANTIATE_TEST_SUITE_P(
    Dispatchers, MissingSetUpTest,
    testing::Values(MissingSetUp{InitZFWege, 1, "InitZFWege not defined"},
                    MissingSetUp{InitZFWege, 31, "InitZFWege not defined"},
                    MissingSetUp{InitPassantenWege, 1, "InitPassantenWege not defined"},
                    MissingSetUp{InitPassantenWege, 0, "InitPassantenWege not defined"}));

// Pedestrians.

constexpr std::array<Point16, 4> kSquare = {{{100, 100}, {200, 100}, {200, 200}, {100, 200}}};

class PassantTest : public TrafficTest {
  protected:
    void SetUp() override {
        TrafficTest::SetUp();
        LoadPersonTyp(27);
        PassantenWegCount = 3;
        AllocPassantenWege();
        SetPassantenWeg(0, kPassantenWegBackAndForth, kSquare);
        SetPassantenWeg(1, kPassantenWegLoop, kSquare);
    }
    static Person& P(std::int16_t i) { return Personen[static_cast<std::size_t>(i)]; }
    // The walk of the sequence of points from `point`.
    static std::vector<int> Walk(std::uint8_t path, std::uint8_t point, int steps) {
        std::vector<int> seen{point};
        bool backwards = false;
        for (int i = 0; i < steps; ++i) {
            point = NextPassantenWegPoint(path, point, backwards);
            seen.push_back(point);
        }
        return seen;
    }
};

TEST_F(PassantTest, PointsGoBackAndForthOrRound) {
    EXPECT_EQ(Walk(0, 0, 7), (std::vector<int>{0, 1, 2, 3, 2, 1, 0, 1}));
    EXPECT_EQ(Walk(1, 0, 4), (std::vector<int>{0, 1, 2, 3, 0}));
    // Another mode walks round too.
    SetPassantenWeg(1, 7, kSquare);
    EXPECT_EQ(Walk(1, 2, 3), (std::vector<int>{2, 3, 0, 1}));
    // One point: it stays there; none, or no such path: no point.
    const std::array<Point16, 1> one = {{{50, 50}}};
    SetPassantenWeg(1, kPassantenWegBackAndForth, one);
    EXPECT_EQ(Walk(1, 0, 2), (std::vector<int>{0, 0, 0}));
    bool backwards = false;
    EXPECT_EQ(NextPassantenWegPoint(2, 0, backwards), kNoPassantenWegPoint);
    EXPECT_EQ(NextPassantenWegPoint(3, 0, backwards), kNoPassantenWegPoint);
}

TEST_F(PassantTest, APathIsDefinedUpToItsFirstNegativePoint) {
    const std::array<Point16, 4> cut = {{{10, 10}, {20, -1}, {30, 30}, {40, 40}}};
    SetPassantenWeg(2, kPassantenWegLoop, cut);
    ASSERT_EQ(PassantenWege[2].pointCount, 2) << "the points stored";
    EXPECT_EQ(PassantenWege[2].points[1].y, -1);
    bool backwards = false;
    EXPECT_EQ(NextPassantenWegPoint(2, 1, backwards), 0);
    // Defined again: the new list alone.
    SetPassantenWeg(2, kPassantenWegBackAndForth, std::span(kSquare).first(3));
    EXPECT_EQ(PassantenWege[2].pointCount, 3);
    EXPECT_EQ(PassantenWege[2].points.size(), 3u);
    EXPECT_EQ(PassantenWege[2].mode, kPassantenWegBackAndForth);
    SetPassantenWeg(3, kPassantenWegLoop, kSquare);  // past the table
    SetPassantenWeg(-1, kPassantenWegLoop, kSquare);
    EXPECT_EQ(PassantenWege.size(), 3u);
}

TEST_F(PassantTest, APedestrianStandsOnItsPointFacingTheNext) {
    const std::int16_t i = SpawnPassant(27, 0, 1, 2);
    ASSERT_GE(i, 0);
    const Person& p = P(i);
    EXPECT_EQ(p.type, 27);
    EXPECT_EQ(p.x, 200.0f);
    EXPECT_EQ(p.y, 100.0f);
    EXPECT_EQ(p.height, 0.0f);
    EXPECT_EQ(p.storey, 0);
    EXPECT_EQ(p.controlFlags, kPersonController | kPersonPedestrian);
    EXPECT_EQ(p.selectable, 0);
    EXPECT_EQ(p.present, 1);
    EXPECT_EQ(p.offMap, 0);
    EXPECT_EQ(p.casualty, 0);
    EXPECT_EQ(p.energy, 1000000);
    EXPECT_EQ(p.energyLoss, 0);
    EXPECT_EQ(p.contamination, 2);
    EXPECT_EQ(p.moverFlags, 0);
    EXPECT_EQ(p.link2, 0x0001);
    EXPECT_EQ(p.direction, 6) << "down to point 2";
    EXPECT_EQ(p.orders, nullptr);

    // On the last point of a back-and-forth path it faces the point before; on a loop's, the first.
    EXPECT_EQ(P(SpawnPassant(28, 0, 3, 0)).direction, 3);
    const std::int16_t looping = SpawnPassant(28, 1, 3, 0);
    EXPECT_EQ(P(looping).direction, 0);
    EXPECT_EQ(P(looping).link2, 0x0103);
}

TEST_F(PassantTest, SpawnRefusesWhatItCannotPlace) {
    EXPECT_EQ(SpawnPassant(27, 0, 4, 0), -1) << "no such point";
    EXPECT_EQ(SpawnPassant(27, 2, 0, 0), -1) << "a path without points";
    EXPECT_EQ(SpawnPassant(27, 3, 0, 0), -1) << "no such path";
    EXPECT_EQ(SpawnPassant(kPersonTypCount, 0, 0, 0), -1) << "no such type";
    // A path past 127 cannot be held in link2.
    PassantenWegCount = 130;
    AllocPassantenWege();
    SetPassantenWeg(128, kPassantenWegLoop, kSquare);
    SetPassantenWeg(127, kPassantenWegLoop, kSquare);
    EXPECT_EQ(SpawnPassant(27, 128, 0, 0), -1);
    const std::int16_t last = SpawnPassant(27, 127, 0, 0);
    ASSERT_GE(last, 0);
    EXPECT_EQ(P(last).link2, 0x7F00);
    while (FindFreePerson() >= 0) SpawnPassant(27, 127, 0, 0);
    EXPECT_EQ(SpawnPassant(27, 127, 0, 0), -1) << "no free slot";
}

TEST_F(PassantTest, StandingOnItsPointItWalksToTheNext) {
    const std::int16_t i = SpawnPassant(27, 0, 0, 0);
    StepPassantRoute(i);
    Person& p = P(i);
    ASSERT_NE(p.orders, nullptr);
    EXPECT_EQ(p.orders->opcode, kOpMove);
    EXPECT_EQ(p.orders->aFloat(), 200.0f);
    EXPECT_EQ(p.orders->bFloat(), 100.0f);
    EXPECT_EQ(p.orders->next, nullptr);
    EXPECT_EQ(p.link2, 0x0001);

    // Holding on the last point of a back-and-forth path: it turns back.
    p.x = 100;
    p.y = 200;
    p.link2 = 0x0003;
    SetBefehl(p, PersonTypen[27], kOpHold, -1, 0, 0, 0, 0, 0);
    StepPassantRoute(i);
    ASSERT_NE(p.orders, nullptr);
    EXPECT_EQ(p.orders->opcode, kOpMove);
    EXPECT_EQ(p.orders->aFloat(), 200.0f);
    EXPECT_EQ(p.orders->bFloat(), 200.0f);
    EXPECT_EQ(p.orders->next, nullptr) << "the hold is replaced";
    EXPECT_EQ(p.link2, kPassantBackwards | 0x0002);
}

TEST_F(PassantTest, OffItsPointItWaitsWalksBackHoldsThenWalksOn) {
    const std::int16_t i = SpawnPassant(27, 0, 1, 0);
    Person& p = P(i);
    p.x = 201;  // 1 px off
    StepPassantRoute(i);
    std::vector<int> opcodes;
    for (const Befehl* b = p.orders; b != nullptr; b = b->next) opcodes.push_back(b->opcode);
    EXPECT_EQ(opcodes, (std::vector<int>{kOpWait, kOpMove, kOpHold}));
    EXPECT_EQ(p.orders->aInt(), 60);
    EXPECT_EQ(p.orders->next->aFloat(), 200.0f);
    EXPECT_EQ(p.orders->next->bFloat(), 100.0f);
    EXPECT_EQ(p.link2, 0x0001) << "still its point";

    StepPassantRoute(i);  // waiting: left alone
    EXPECT_EQ(HeadBefehlOpcode(p), kOpWait);
    PopBefehl(p);
    PopBefehl(p);
    p.x = 200;  // walked onto it
    StepPassantRoute(i);
    ASSERT_EQ(HeadBefehlOpcode(p), kOpMove);
    EXPECT_EQ(p.orders->aFloat(), 200.0f);
    EXPECT_EQ(p.orders->bFloat(), 200.0f);
    EXPECT_EQ(p.link2, 0x0002);
}

TEST_F(PassantTest, BusyOrLostPedestriansAreLeftAlone) {
    const std::int16_t i = SpawnPassant(27, 0, 0, 0);
    Person& p = P(i);
    p.anim = kAnimWalk;  // moving without orders
    StepPassantRoute(i);
    EXPECT_EQ(p.orders, nullptr);
    p.anim = kAnimStand;
    // A link2 that names no point of a path.
    for (const std::uint16_t lost : {0xFFFF, 0x0004, 0x0200, 0x0300, 0x7F00}) {
        p.link2 = lost;
        StepPassantRoute(i);
        EXPECT_EQ(p.orders, nullptr) << lost;
    }
    p.link2 = 0x0000;
    AppendBefehl(p, kOpWait, 5, 0, 0, 0, 0);
    StepPassantRoute(i);
    EXPECT_EQ(HeadBefehlOpcode(p), kOpWait);
    EXPECT_EQ(p.link2, 0x0000);
    StepPassantRoute(-1);
    StepPassantRoute(PersonCount);
}

}  // namespace
}  // namespace kv
