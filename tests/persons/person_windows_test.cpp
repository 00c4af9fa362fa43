// Leaving upper storeys by the windows: into a ladder vehicle's basket and out of it at the
// ground, and jumping towards the catching team, on the plain map with a furnished house.

#include "persons/person_windows.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/person_befehle.h"
#include "persons/person_house_fixture.h"
#include "persons/person_lead.h"
#include "platform/sound.h"
#include "vehicles/fahrzeuge.h"

namespace kv {
namespace {

using test::kFrontDoorHouse;
using test::kRearDoorHouse;

constexpr int kStaff = 1;
constexpr int kCatcher = 6;
constexpr std::uint8_t kScript = kPersonController;
constexpr std::uint16_t kNone = 0xFFFF;
constexpr std::int16_t kLadderX = 400;
constexpr std::int16_t kLadderY = 260;

std::vector<int> Opcodes(const Person& p) {
    std::vector<int> ops;
    for (const Befehl* b = p.orders; b != nullptr; b = b->next) ops.push_back(b->opcode);
    return ops;
}

class Windows : public test::PersonHouseTest {
  protected:
    void SetUp() override {
        PersonHouseTest::SetUp();
        ASSERT_TRUE(SoundOpen());
        SoundAvailable = 1;
        const std::array<std::uint8_t, 4> pcm{128, 200, 128, 56};
        ASSERT_EQ(CreateSoundBuffer(kSoundJumpSheet, PcmFormat{1, 11025, 8, 1}, pcm), 1);
    }
    void TearDown() override {
        SoundAvailable = 0;
        PersonHouseTest::TearDown();
    }

    // A vehicle of the type, set up; a ladder vehicle with its ladder up and its basket at
    // column 3, position 0.
    static std::int16_t vehicle(int type) {
        LoadFahrzeugTyp(static_cast<std::int16_t>(type));
        const std::int16_t v = CreateFahrzeug(type, kLadderX, kLadderY, 3);
        SetupFahrzeug(v, 1);
        Fahrzeuge[static_cast<std::size_t>(v)].anim = 3;
        return v;
    }
    static Fahrzeug& V(std::int16_t v) { return Fahrzeuge[static_cast<std::size_t>(v)]; }
    static void order(std::int16_t p, int opcode, std::int32_t a = 0, std::int32_t b = 0,
                      std::int32_t c = 0, std::int32_t d = 0, std::uint32_t e = 0) {
        Person& q = Personen[static_cast<std::size_t>(p)];
        SetBefehl(q, PersonTypOf(q), static_cast<std::uint8_t>(opcode), -1, a, b, c, d, e);
    }
    static void step(std::int16_t p) { ExecutePersonBefehl(p); }
    // The foot of facade column n of the furnished house, where the catching team stands.
    static PixelPos catchPoint(int n) {
        std::int32_t x = 0;
        std::int32_t y = 0;
        GetHouseFacadePoint(n, kFrontDoorHouse, x, y);
        return {x, y};
    }
};

TEST_F(Windows, FromTheGroundAPersonStepsInOnceTheBasketIsDown) {
    const std::int16_t v = vehicle(5);
    const std::int16_t p = at(kStaff, {500, 600});
    order(p, 181, 500, 600, v, 3, 0);
    step(p);
    EXPECT_EQ(HeadBefehlOpcode(person(p)), 181) << "waits for the basket";
    V(v).kanzel->down = 1;
    step(p);
    EXPECT_EQ(person(p).orders, nullptr);
    EXPECT_EQ(person(p).x, 494.0f);
    EXPECT_EQ(person(p).y, 608.0f);
    EXPECT_EQ(person(p).height, 8.0f);
    EXPECT_EQ(person(p).basketVehicle, v);
    EXPECT_EQ(V(v).kanzel->persons, 1);
}

TEST_F(Windows, FromAWindowAPersonStepsInOnceTheBasketIsUpAndHandsOnTheSelection) {
    const std::int16_t v = vehicle(5);
    house(kFrontDoorHouse).floors[2].personCount = 1;
    const std::int16_t p = at(kStaff, {300, 150}, 3, kFrontDoorHouse);
    person(p).selected = 1;
    SelectionMode = 1000 + kStaff;
    SelectedIndex = static_cast<std::uint16_t>(p);
    order(p, 181, 300, 150, v, 3, 0);
    V(v).kanzel->down = 1;
    step(p);
    EXPECT_EQ(HeadBefehlOpcode(person(p)), 181) << "waits while the basket is down";
    V(v).kanzel->down = 0;
    step(p);
    const Person& q = person(p);
    EXPECT_EQ(q.orders, nullptr);
    EXPECT_EQ(q.x, 302.0f);
    EXPECT_EQ(q.y, kLadderY + 3.0f);
    EXPECT_EQ(q.height, 31.0f * 3 + 38) << "the storey it left";
    EXPECT_EQ(q.storey, 0);
    EXPECT_EQ(q.house, kNone);
    EXPECT_EQ(q.basketVehicle, v);
    EXPECT_EQ(count(kFrontDoorHouse, 3), 0);
    EXPECT_EQ(V(v).kanzel->persons, 1);
    EXPECT_EQ(SelectionMode, 5);
    EXPECT_EQ(SelectedIndex, v);
    EXPECT_EQ(q.selected, 0);
    EXPECT_EQ(V(v).selected, 1);
}

TEST_F(Windows, ALedPersonTakesItsLeaderIntoTheBasketElevenPixelsLeftAndIsLetGo) {
    const std::int16_t v = vehicle(5);
    house(kFrontDoorHouse).floors[1].personCount = 1;
    const std::int16_t led = at(kStaff, {300, 150}, 2, kFrontDoorHouse, kScript);
    const std::int16_t leader = at(2, {289, 150}, 2, -1, 0, 3);
    person(led).moverFlags |= kMoverLed;
    person(led).link = static_cast<std::uint16_t>(leader);
    person(leader).link = static_cast<std::uint16_t>(1000 + led);
    order(led, 181, 300, 150, v, 3, 0);
    step(led);
    EXPECT_EQ(HeadBefehlOpcode(person(led)), 181) << "waits for its leader inside";
    person(leader).house = kFrontDoorHouse;
    step(led);
    EXPECT_EQ(person(led).orders, nullptr);
    EXPECT_EQ(person(led).x, 310.0f);
    EXPECT_EQ(person(leader).x, 299.0f);
    for (std::int16_t p : {led, leader}) {
        EXPECT_EQ(person(p).y, kLadderY + 3.0f);
        EXPECT_EQ(person(p).height, 31.0f * 2 + 38);
        EXPECT_EQ(person(p).storey, 0);
        EXPECT_EQ(person(p).house, kNone);
        EXPECT_EQ(person(p).basketVehicle, v);
    }
    EXPECT_EQ(V(v).kanzel->persons, 2);
    EXPECT_EQ(count(kFrontDoorHouse, 2), 0) << "a led script person counts";
    EXPECT_EQ(LeaderOf(person(led)), nullptr) << "the take-along ended";
    EXPECT_EQ(person(leader).link, kNone);
}

TEST_F(Windows, AMovedBasketAWrongVehicleOrAPersonOffItsSpotEndTheOrders) {
    const std::int16_t ladder = vehicle(5);
    const std::int16_t other = vehicle(0);
    struct Case {
        const char* what;
        std::int32_t vehicle;
        std::int32_t column;
        float dx;
        std::int8_t anim;
    };
    const Case cases[] = {
        {"another column", ladder, 2, 0, 3}, {"off the spot", ladder, 3, 0.5f, 3},
        {"ladder down", ladder, 3, 0, 0},    {"no ladder vehicle", other, 3, 0, 3},
        {"no vehicle", -1, 3, 0, 3},         {"out of the array", 99, 3, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        V(ladder).anim = c.anim;
        V(ladder).kanzel->down = 1;
        const std::int16_t p = at(kStaff, {500, 600});
        order(p, 181, 500, 600, c.vehicle, c.column, 0);
        AppendBefehl(person(p), kOpWait, 10, 0, 0, 0, 0);
        person(p).x += c.dx;
        step(p);
        EXPECT_EQ(person(p).orders, nullptr);
        EXPECT_EQ(person(p).basketVehicle, kNone);
        DeletePerson(p);
    }
    EXPECT_EQ(V(ladder).kanzel->persons, 0);
}

TEST_F(Windows, StepsOutOfTheBasketDownToTheGround) {
    const std::int16_t v = vehicle(5);
    V(v).kanzel->persons = 1;
    const std::int16_t p = at(kStaff, {500, 600});
    person(p).height = 40;
    person(p).basketVehicle = static_cast<std::uint16_t>(v);
    order(p, 182);
    step(p);
    EXPECT_EQ(person(p).orders, nullptr);
    EXPECT_EQ(person(p).y, 560.0f);
    EXPECT_EQ(person(p).height, 0.0f);
    EXPECT_EQ(person(p).direction, 3);
    EXPECT_EQ(person(p).basketVehicle, kNone);
    EXPECT_EQ(V(v).kanzel->persons, 0);
    // Without a basket vehicle it is only put down; an empty basket stays empty.
    for (std::uint16_t basket : {kNone, static_cast<std::uint16_t>(v)}) {
        person(p).basketVehicle = basket;
        order(p, 182);
        step(p);
        EXPECT_EQ(person(p).basketVehicle, kNone);
        EXPECT_EQ(V(v).kanzel->persons, 0);
    }
}

TEST_F(Windows, TheCatchingTeamCallsOnlyIdleScriptPersonsAtFlaggedWindows) {
    const PixelPos at3 = catchPoint(3);
    const std::int16_t team = at(kCatcher, at3);
    order(team, 187, at3.x, at3.y, kFrontDoorHouse, 3);
    const PixelPos inside{at3.x + 40, at3.y - 40};
    const std::int16_t second = at(kStaff, inside, 2, kFrontDoorHouse, kScript);
    const std::int16_t third = at(kStaff, inside, 3, kFrontDoorHouse, kScript);
    const std::int16_t top = at(kStaff, inside, 4, kFrontDoorHouse, kScript);
    const std::int16_t ground = at(kStaff, inside, 1, kFrontDoorHouse, kScript);
    const std::int16_t staff = at(kStaff, inside, 2, kFrontDoorHouse);
    const std::int16_t busy = at(kStaff, inside, 2, kFrontDoorHouse, kScript);
    order(busy, kOpWait, 100);
    const std::int16_t led = at(kStaff, inside, 2, kFrontDoorHouse, kScript);
    person(led).moverFlags |= kMoverLed;
    const std::int16_t elsewhere = at(kStaff, {1000, 120}, 2, kRearDoorHouse, kScript);
    step(team);
    EXPECT_EQ(HeadBefehlOpcode(person(team)), 187) << "the call stays";
    for (std::int16_t p : {second, third}) {
        SCOPED_TRACE(p);
        const Person& q = person(p);
        ASSERT_EQ(Opcodes(q), (std::vector<int>{kOpMove, kOpTurn, 188, 189}));
        EXPECT_EQ(q.orders->aFloat(), at3.x + 11.0f);
        EXPECT_EQ(q.orders->bFloat(), at3.y - 25.0f);
        EXPECT_EQ(q.orders->next->cInt(), 7);
        const Befehl& climb = *q.orders->next->next;
        EXPECT_EQ(climb.aInt(), at3.x + 11);
        EXPECT_EQ(climb.bInt(), at3.y - 25);
        EXPECT_EQ(climb.cInt(), 0);
        EXPECT_EQ(climb.next->aInt(), team);
        EXPECT_EQ(climb.next->cInt(), 0);
    }
    for (std::int16_t p : {top, ground, staff, led, elsewhere})
        EXPECT_EQ(person(p).orders, nullptr) << p;
    EXPECT_EQ(HeadBefehlOpcode(person(busy)), kOpWait);

    // A column without windows, or none at all, calls nobody.
    ClearBefehle(person(second));
    for (std::int32_t column : {5, 16, -1}) {
        order(team, 187, at3.x, at3.y, kFrontDoorHouse, column);
        step(team);
        EXPECT_EQ(person(second).orders, nullptr) << column;
    }
}

TEST_F(Windows, ClimbingOutOfAWindowStartsAtTheWindowsHeight) {
    const std::int16_t p = at(kStaff, {331, 171}, 2, kFrontDoorHouse);
    person(p).frame = 1;
    order(p, 188, 331, 171, 0);
    step(p);
    EXPECT_EQ(person(p).orders, nullptr);
    EXPECT_EQ(person(p).y, 212.0f);
    EXPECT_EQ(person(p).height, 72.0f);
    EXPECT_EQ(person(p).storey, 0);
    EXPECT_EQ(person(p).house, kNone);
    EXPECT_EQ(person(p).anim, 3);
    EXPECT_EQ(person(p).frame, 1) << "the frame runs on";

    // Off a raised spot: 39 px down, as high again.
    person(p).height = 10;
    order(p, 188, 331, 212, 1);
    step(p);
    EXPECT_EQ(person(p).y, 251.0f);
    EXPECT_EQ(person(p).height, 49.0f);

    order(p, 188, 331, 200, 1);
    AppendBefehl(person(p), kOpWait, 10, 0, 0, 0, 0);
    step(p);
    EXPECT_EQ(person(p).orders, nullptr) << "not at the window: nothing";
    EXPECT_EQ(person(p).y, 251.0f);
}

TEST_F(Windows, AJumperFromTheSecondStoreyLandsAfterThirteenTicks) {
    const std::int16_t p = at(kStaff, {331, 212});
    person(p).height = 72;
    order(p, 189, -1);
    for (int t = 1; t <= 12; ++t) step(p);
    EXPECT_EQ(HeadBefehlOpcode(person(p)), 189);
    EXPECT_EQ(person(p).height, 24.0f);
    EXPECT_EQ(person(p).x, 319.0f) << "12 px drift";
    step(p);
    EXPECT_EQ(person(p).height, 0.0f);
    EXPECT_EQ(person(p).x, 320.0f);
    EXPECT_EQ(person(p).y, 196.0f);
    EXPECT_EQ(person(p).casualty, 1) << "nobody to catch it";
}

TEST_F(Windows, OnlyTheCatchingTeamCloseEnoughOnBothAxesCatches) {
    struct Case {
        const char* what;
        int type;
        int dx;
        int dy;
        std::int32_t catcher;  // -2: the team placed
        bool caught;
    };
    const Case cases[] = {
        {"8 px off", kCatcher, 8, -8, -2, true},
        {"9 px across", kCatcher, 9, 0, -2, false},
        {"9 px along", kCatcher, 0, 9, -2, false},
        {"not the catching team", kStaff, 0, 0, -2, false},
        {"no catcher", kCatcher, 0, 0, -1, false},
        {"a script's none", kCatcher, 0, 0, 65535, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        alloc(80);
        MissionCounters = {};
        const std::int16_t team = at(c.type, {320 + c.dx, 196 + c.dy});
        const std::int16_t p = at(kStaff, {319, 212});
        person(p).height = 20;  // lands on this tick, at (320, 196)
        order(p, 189, c.catcher == -2 ? team : c.catcher);
        SeedRandom(77);
        step(p);
        const Person& q = person(p);
        if (c.caught) {
            EXPECT_EQ(q.casualty, 0);
            EXPECT_NE(IsPersonSoundPlaying(p, kSoundJumpSheet), 0);
            SeedRandom(77);
            const int r1 = Rand() % 50;
            const int r2 = Rand() % 50;
            ASSERT_EQ(HeadBefehlOpcode(q), kOpMove);
            EXPECT_EQ(q.orders->aFloat(), static_cast<float>(static_cast<int>(q.x) + r1));
            EXPECT_EQ(q.orders->bFloat(), static_cast<float>(static_cast<int>(q.y) + 51 + r2));
            EXPECT_EQ(VerletzteCount, 0);
        } else {
            EXPECT_EQ(q.casualty, 1);
            EXPECT_EQ(q.energy, kFullEnergy) << "injured, not dead";
            EXPECT_EQ(VerletzteCount, 1);
            EXPECT_EQ(ToteCount, 0);
        }
    }
}

TEST_F(Windows, ACalledPersonWalksToTheWindowJumpsAndIsCaught) {
    // The spot it walks off to is drawn at random: seeded, so earlier tests' draws do not decide.
    SeedRandom(77);
    const PixelPos at3 = catchPoint(3);
    const std::int16_t team = at(kCatcher, at3);
    order(team, 187, at3.x, at3.y, kFrontDoorHouse, 3);
    const std::int16_t p = at(kStaff, {at3.x + 60, at3.y - 50}, 2, kFrontDoorHouse, kScript);
    ticks(1);
    ASSERT_NE(person(p).orders, nullptr) << "called";
    for (int t = 0; t < 300 && HeadBefehlOpcode(person(p)) != 189; ++t) ticks(1);
    ASSERT_EQ(HeadBefehlOpcode(person(p)), 189);
    EXPECT_EQ(person(p).storey, 0);
    while (HeadBefehlOpcode(person(p)) == 189) ticks(1);
    EXPECT_EQ(person(p).casualty, 0) << "caught";
    EXPECT_EQ(VerletzteCount, 0);
    ASSERT_TRUE(tickUntilIdle(p, 300));
    EXPECT_GT(person(p).y, at3.y + 40.0f) << "walked off";
}

}  // namespace
}  // namespace kv
