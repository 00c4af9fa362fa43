// The command buttons: a press fires on the third frame, the map and options buttons open their
// screens, and every command gives the selected unit its orders, phrases and messages.

#include "mission/panels/commands.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "media/sound_slots.h"
#include "media/speech.h"
#include "mission/command_slots.h"
#include "mission/panels/command_tables.h"
#include "mission/screen_calls.h"
#include "mission/selection.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/person_moves.h"
#include "persons/personen.h"
#include "platform/sound.h"
#include "support/order_list.h"
#include "support/sound_log.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"
#include "world/wasser_strahl.h"

namespace kv {
namespace {

using test::Order;
using test::Orders;

// The exits the return to base drives to.
constexpr MapExitPoint kRoadExit{-150, 505, 0};
constexpr MapExitPoint kWaterExit{3000, 80, 2};

class Commands : public test::FahrzeugTest {
  protected:
    void SetUp() override {
        FahrzeugTest::SetUp();
        ASSERT_TRUE(SoundOpen());
        SoundAvailable = 1;
        test::FillSoundSlotsWithTones();
        UnitSpeech = 1;
        RoadExit = kRoadExit;
        WaterExit = kWaterExit;
    }
    void TearDown() override {
        ReleaseSounds();
        BootPunkte.clear();
        PontonPunkte.clear();
        FahrzeugTest::TearDown();
    }

    // Empty arrays again, for the next case of a table.
    static void Fresh() {
        FreshUnitArrays();
        BootPunkte.clear();
        PontonPunkte.clear();
        ClearMessageLine();
    }
    static Fahrzeug& V(std::int16_t i) { return Fahrzeuge[static_cast<std::size_t>(i)]; }
    static Person& P(std::int16_t i) { return Personen[static_cast<std::size_t>(i)]; }

    // A vehicle at (600, 500), selected as one vehicle of its type.
    static std::int16_t SelectVehicle(std::int32_t type, std::int32_t facing = 3) {
        const std::int16_t v = Make(type, 1, 600, 500, facing);
        SelectionMode = static_cast<std::uint16_t>(type);
        SelectedIndex = static_cast<std::uint16_t>(v);
        return v;
    }
    // A standing person of a loaded type at (300.7, 400.2).
    static std::int16_t Standing(std::int8_t type, std::int8_t facing = 0) {
        LoadPersonTyp(type);
        const std::int16_t p = MakePerson(type);
        P(p).x = 300.7f;
        P(p).y = 400.2f;
        P(p).direction = facing;
        return p;
    }
    // That person selected, in the mode given or as one person of its type.
    static std::int16_t SelectPerson(std::int8_t type, std::int8_t facing = 0,
                                     std::uint16_t mode = 0) {
        const std::int16_t p = Standing(type, facing);
        SelectionMode = mode != 0 ? mode : static_cast<std::uint16_t>(kPersonSelected + type);
        SelectedIndex = static_cast<std::uint16_t>(p);
        return p;
    }

    std::vector<int> played() { return test::PlayedSoundIds(backend.sound); }
    void quiet() {
        StopAllSounds();
        backend.sound.clearCalls();
    }
    static int Phrase(const UnitTypHead& typ, int phrase) {
        return typ.speaker * kPhraseCount + phrase;
    }
};

// --- The slots ---

TEST_F(Commands, APressFiresOnTheThirdFrameAndTwoPressesAFrameApartFireAFrameApart) {
    // A command above 21 only clicks, which shows when a slot fires.
    CommandSlots[0].command = 30;
    CommandSlots[1].command = 31;
    PressButton(CommandSlots[0]);
    EXPECT_EQ(RunCommandSlots(), 1);
    PressButton(CommandSlots[1]);
    EXPECT_EQ(RunCommandSlots(), 1);
    EXPECT_EQ(played(), std::vector<int>{});
    EXPECT_EQ(RunCommandSlots(), 1);
    EXPECT_EQ(played(), std::vector<int>{kSoundClickHigh}) << "slot 0 on the third frame";
    EXPECT_EQ(CommandSlots[0].pressed, 0);
    EXPECT_EQ(CommandSlots[1].pressed, 1);
    quiet();
    EXPECT_EQ(RunCommandSlots(), 1);
    EXPECT_EQ(played(), std::vector<int>{kSoundClickHigh}) << "slot 1 a frame later";
    EXPECT_EQ(CommandSlots[1].pressed, 0);
    quiet();
    RunCommandSlots();
    EXPECT_EQ(played(), std::vector<int>{}) << "fired once";
}

TEST_F(Commands, AnEmptySlotFiresSilentlyAndTheCommandAtFiringIsTheOneThatRuns) {
    PressButton(CommandSlots[2]);
    for (int frame = 0; frame < 3; ++frame) RunCommandSlots();
    EXPECT_EQ(CommandSlots[2].pressed, 0);
    EXPECT_EQ(played(), std::vector<int>{});

    // Pressed on STOPP, fired on ZURÜCK-SCHICKEN: the person turns instead of stopping.
    const std::int16_t p = SelectPerson(0, 4);
    AppendBefehl(P(p), kOpWait, 1000, 0, 0, 0, 1);
    CommandSlots[0].command = kCmdStop;
    PressButton(CommandSlots[0]);
    RunCommandSlots();
    RunCommandSlots();
    CommandSlots[0].command = kCmdSendBack;
    RunCommandSlots();
    EXPECT_EQ(Orders(P(p)),
              (std::vector<Order>{{kOpTurn, 0, 0, GetPersonTargetDirection(p), 0, 0}}));
    EXPECT_EQ(P(p).anim, 5);
}

TEST_F(Commands, TheMapAndOptionsButtonsClickTakeThePreviewAndOpenTheirScreens) {
    static std::vector<std::string> calls;
    calls.clear();
    static constexpr ScreenCallTable kScreens{
        .OpenKarte = [] { calls.push_back("karte"); },
        .OpenOptionsScreen = [] { calls.push_back("options"); },
        .MakeSavePreview = [] { calls.push_back("preview"); },
    };
    SetScreenCalls(&kScreens);
    PressButton(MapButton);
    EXPECT_EQ(RunCommandSlots(), 1);
    EXPECT_EQ(RunCommandSlots(), 1);
    EXPECT_EQ(calls, std::vector<std::string>{});
    EXPECT_EQ(RunCommandSlots(), 0) << "the frame ends";
    EXPECT_EQ(calls, (std::vector<std::string>{"preview", "karte"}));
    EXPECT_EQ(played(), std::vector<int>{kSoundClickLow});
    EXPECT_EQ(MapButton.pressed, 0);
    EXPECT_EQ(RunCommandSlots(), 1);

    quiet();
    calls.clear();
    PressButton(OptionsButton);
    for (int frame = 0; frame < 2; ++frame) RunCommandSlots();
    EXPECT_EQ(RunCommandSlots(), 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"preview", "options"}));
    EXPECT_EQ(played(), std::vector<int>{kSoundClickLow});
    SetScreenCalls(nullptr);
}

// --- The commands ---

// What a case gives: the unit whose queue is checked, its orders, the acknowledgement (-1 none),
// and any further check.
struct Expect {
    Expect(const UnitHead* u, std::vector<Order> o, int p = -1, std::function<void()> m = {})
        : unit(u), orders(std::move(o)), phrase(p), more(std::move(m)) {}
    const UnitHead* unit;
    std::vector<Order> orders;
    int phrase;
    std::function<void()> more;
};
struct CommandCase {
    const char* what;
    std::uint16_t command;
    std::function<Expect()> scene;
};

TEST_F(Commands, EachCommandGivesItsOrdersAndPhrase) {
    const auto& f102 = FahrzeugTypen[kTypF102];
    const CommandCase cases[] = {
        {"0: everybody out", kCmdAllOut,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF102);
             return Expect{&V(v), {{40, 8, 0, 0, 0, 0}}, Phrase(f102, 17)};
         }},
        {"1: the staff out", kCmdStaffOut,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF102);
             return Expect{&V(v), {{40, 8, 1, 0, 0, 0}}, Phrase(f102, 17)};
         }},
        {"3: the ladder up with its basket down", kCmdBackToBase,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF106);
             V(v).anim = 3;
             V(v).kanzel->down = 1;
             return Expect{&V(v),
                           {{62, 0, 0, 0, 0, 0},
                            {59, 0, 0, 0, 0, 1},
                            {0, -150, 505, 0, 0, 1},
                            {42, 0, 0, 0, 0, 1}},
                           Phrase(FahrzeugTypen[kTypF106], 17)};
         }},
        {"3: the ladder up with its basket raised", kCmdBackToBase,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF106);
             V(v).anim = 13;
             V(v).kanzel->down = 0;
             return Expect{&V(v),
                           {{60, 3, 0, 0, 0, 0},
                            {58, 0, 0, 0, 0, 1},
                            {62, 0, 0, 0, 0, 1},
                            {59, 0, 0, 0, 0, 1},
                            {0, -150, 505, 0, 0, 1},
                            {42, 0, 0, 0, 0, 1}},
                           Phrase(FahrzeugTypen[kTypF106], 17)};
         }},
        {"3: a landed helicopter takes off first", kCmdBackToBase,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF203);
             V(v).link2 = 0;
             return Expect{&V(v),
                           {{52, 0, 0, 0, 0, 0}, {0, -150, 505, 0, 0, 1}, {42, 0, 0, 0, 0, 1}},
                           Phrase(FahrzeugTypen[kTypF203], 3)};
         }},
        {"3: the fire boat leaves by the water", kCmdBackToBase,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF115);
             return Expect{&V(v),
                           {{0, 3000, 80, 0, 0, 0}, {42, 0, 0, 0, 0, 1}},
                           Phrase(FahrzeugTypen[kTypF115], 7)};
         }},
        {"3: any other vehicle, also a ladder not set up", kCmdBackToBase,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF106);
             return Expect{&V(v),
                           {{0, -150, 505, 0, 0, 0}, {42, 0, 0, 0, 0, 1}},
                           Phrase(FahrzeugTypen[kTypF106], 7)};
         }},
        {"4: STOPP", kCmdStop,
         [&] {
             const std::int16_t p = SelectPerson(0, 4);
             AppendBefehl(P(p), kOpWait, 1000, 0, 0, 0, 1);
             return Expect{&P(p), {}, -1, [p] {
                               const Person& q = P(p);
                               EXPECT_EQ(q.anim, 4);
                               const AnimSlot& a = PersonAnimSlot(0, 4, 4);
                               EXPECT_EQ(q.drawX, 300 - a.hotX);
                               EXPECT_EQ(q.drawY, 400 - a.hotY);
                           }};
         }},
        {"5: ZURÜCK-SCHICKEN", kCmdSendBack,
         [&] {
             const std::int16_t p = SelectPerson(0, 7);
             return Expect{&P(p), {{1, 0, 0, GetPersonTargetDirection(p), 0, 0}}, -1, [p] {
                               EXPECT_EQ(P(p).anim, 5);
                           }};
         }},
        {"9: back into the vehicle", kCmdBoard,
         [&] {
             const std::int16_t v = Make(kTypF102);
             V(v).selected = 1;
             const std::int16_t p = SelectPerson(1, 0, 2001);
             P(p).link2 = static_cast<std::uint16_t>(v);
             // The boarding sends it to the door, with its acknowledgement.
             const FahrzeugPunkt door = GetFahrzeugDoorPoint(v, p);
             return Expect{&P(p),
                           {{0, door.x, door.y, 0, 0, 0},
                            {0, door.x, door.y, 0, 0, 1},
                            {151, v, TruncInt(V(v).x), TruncInt(V(v).y), 0, 0}},
                           16,
                           [v, p] {
                               EXPECT_EQ(SelectionMode, 1001);
                               EXPECT_EQ(V(v).selected, 0);
                               EXPECT_EQ(P(p).link2, kNoLink);
                           }};
         }},
        {"11: the leader lets go", kCmdLetGo,
         [&] {
             const std::int16_t led = Standing(27);
             const std::int16_t p = SelectPerson(0);
             P(p).link = static_cast<std::uint16_t>(1000 + led);
             P(led).link = static_cast<std::uint16_t>(p);
             P(led).moverFlags |= kMoverLed;
             return Expect{&P(p), {}, -1, [led, p] {
                               EXPECT_EQ(P(p).link, kNoLink);
                               EXPECT_EQ(P(led).link, kNoLink);
                           }};
         }},
        {"12: water on", kCmdWaterOn,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF303);
             WasserStrahl* jet = FahrzeugWasserStrahl(v);
             EXPECT_NE(jet, nullptr);
             if (jet != nullptr) jet->active = 1;
             return Expect{&V(v), {}, -1, [jet] {
                               EXPECT_EQ(jet->autoAim, 1);
                               EXPECT_EQ(jet->active, 0);
                           }};
         }},
        {"13: water off", kCmdWaterOff,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF303);
             WasserStrahl* jet = FahrzeugWasserStrahl(v);
             jet->autoAim = 1;
             jet->active = 1;
             return Expect{&V(v), {}, -1, [jet] {
                               EXPECT_EQ(jet->autoAim, 0);
                               EXPECT_EQ(jet->active, 0);
                           }};
         }},
        {"12 without a water cannon", kCmdWaterOn,
         [&] {
             return Expect{&V(SelectVehicle(kTypF102)), {}};
         }},
        {"15: the basket comes down", kCmdBasketDown,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF106);
             return Expect{&V(v),
                           {{60, 3, 0, 0, 0, 0}, {58, 0, 0, 0, 0, 1}},
                           Phrase(FahrzeugTypen[kTypF106], 17)};
         }},
        {"18: the pontoon layer takes down", kCmdTakeDown,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF113);
             return Expect{&V(v), {{62, 0, 0, 0, 0, 0}}, Phrase(FahrzeugTypen[kTypF113], 17)};
         }},
        {"18: the tent takes down", kCmdTakeDown,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF204);
             return Expect{&V(v), {{62, 0, 0, 0, 0, 0}}, Phrase(FahrzeugTypen[kTypF204], 17)};
         }},
        {"18: any other vehicle", kCmdTakeDown,
         [&] {
             return Expect{&V(SelectVehicle(kTypF102)), {}};
         }},
        {"19: the tent sets up where it stands", kCmdSetUp,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF204);
             return Expect{&V(v),
                           {{1, 600, 500, 7, 0, 0}, {57, 0, 0, 0, 0, 1}},
                           Phrase(FahrzeugTypen[kTypF204], 17)};
         }},
        {"19: the pontoon layer at the first point in line with it", kCmdSetUp,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF113);
             PontonPunkte.resize(4);
             PontonPunkte[1].x = 10;
             PontonPunkte[1].y = 20;
             PontonPunkte[2].x = 700;
             PontonPunkte[2].y = 500;
             PontonPunkte[3].x = 600;
             PontonPunkte[3].y = 30;
             return Expect{&V(v),
                           {{1, 600, 500, 1, 0, 0}, {57, 2, 0, 0, 0, 1}},
                           Phrase(FahrzeugTypen[kTypF113], 17)};
         }},
        {"19: the pontoon layer without a point in line", kCmdSetUp,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF113);
             PontonPunkte.resize(1);
             return Expect{&V(v), {}};
         }},
        {"20: the equipment put down", kCmdDropEquipment,
         [&] {
             const std::int16_t p = SelectPerson(9);
             return Expect{&P(p), {{204, 0, 0, 0, 0, 0}}, Phrase(PersonTypen[9], 17)};
         }},
        {"16: the tyre, not yet put down by anyone", kCmdPutDownTyre,
         [&] {
             return Expect{&P(SelectPerson(45)), {}};
         }},
        {"after a right click: only the click", kCmdStaffOut,
         [&] {
             const std::int16_t v = SelectVehicle(kTypF102);
             V(v).selected = 1;
             ClearSelection();
             return Expect{&V(v), {}};
         }},
        {"a vehicle command with a person selected", kCmdAllOut,
         [&] {
             const std::int16_t v = Make(kTypF102);
             SelectPerson(1);
             return Expect{&V(v), {}};
         }},
        {"a person command for a person gone since the press", kCmdStop,
         [&] {
             const std::int16_t p = SelectPerson(0);
             AppendBefehl(P(p), kOpWait, 1000, 0, 0, 0, 1);
             SelectionMode = kPersonSelected;
             SelectedIndex = 39;  // a free slot
             return Expect{&P(p), {{7, 1000, 0, 0, 0, 1}}};
         }},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        const Expect e = c.scene();
        quiet();
        ExecuteCommand(c.command);
        EXPECT_EQ(Orders(*e.unit), e.orders);
        std::vector<int> sounds{kSoundClickHigh};
        if (e.phrase >= 0) sounds.push_back(e.phrase);
        EXPECT_EQ(played(), sounds);
        if (e.more) e.more();
    }
}

TEST_F(Commands, EquipmentIsFetchedFromTheNearerCompartment) {
    const std::array<std::pair<std::uint16_t, int>, 6> kOrders = {{{kCmdExtinguisher, 154},
                                                                   {kCmdMetalCutter, 155},
                                                                   {kCmdHose, 156},
                                                                   {kCmdReturnEquipment, 157},
                                                                   {kCmdChainsaw, 175},
                                                                   {kCmdRope, 211}}};
    for (const auto& [command, opcode] : kOrders) {
        SCOPED_TRACE(command);
        Fresh();
        const std::int16_t v = Make(kTypF102, 1, 640, 520, 2);
        const std::int16_t p = SelectPerson(1, 0, 2005);
        P(p).link2 = static_cast<std::uint16_t>(v);
        quiet();
        ExecuteCommand(command);
        EXPECT_EQ(Orders(P(p)),
                  (std::vector<Order>{
                      {2, 0, 2, 0, 0, 0}, {opcode, v, 640, 520, 0, 1}, {1, 0, 0, 6, -1, 1}}));
        const FahrzeugPunkt side = GetFahrzeugSidePoint(v, p);
        const FahrzeugPunkt other = GetFahrzeugOtherSidePoint(v, p);
        ASSERT_EQ(P(p).orders->goals.size(), 2u);
        const GoalPoint& g0 = P(p).orders->goals[0];
        const GoalPoint& g1 = P(p).orders->goals[1];
        EXPECT_EQ((std::array<float, 2>{g0.x, g0.y}),
                  (std::array<float, 2>{float(side.x), float(side.y)}))
            << "the side point first";
        EXPECT_EQ((std::array<float, 2>{g1.x, g1.y}),
                  (std::array<float, 2>{float(other.x), float(other.y)}));
        EXPECT_EQ(g0.facing, side.facing);
        EXPECT_EQ(g1.facing, other.facing);
        EXPECT_EQ(g0.flags + g1.flags, 0);
        EXPECT_EQ(played(), (std::vector<int>{kSoundClickHigh, Phrase(PersonTypen[1], 17)}));
    }

    // The hose and the rope only for fire fighters without extra equipment.
    for (const std::uint16_t command : {kCmdHose, kCmdRope}) {
        Fresh();
        const std::int16_t v = Make(kTypF102);
        const std::int16_t p = SelectPerson(2, 0, 2005);
        P(p).link2 = static_cast<std::uint16_t>(v);
        ExecuteCommand(command);
        EXPECT_EQ(P(p).orders, nullptr);
        EXPECT_STREQ(MessageLine.data(), kFiremenOnlyMessage);
        EXPECT_EQ(MessageLineCountdown, 60);
    }

    // A vehicle link that names no vehicle gives nothing.
    Fresh();
    const std::int16_t p = SelectPerson(1, 0, 2003);
    for (const std::uint16_t link : {std::uint16_t{19}, std::uint16_t{500}, kNoLink}) {
        P(p).link2 = link;
        ExecuteCommand(kCmdExtinguisher);
        EXPECT_EQ(P(p).orders, nullptr) << link;
    }
}

// --- Putting down and unloading ---

// Turned to the put-down direction, then the load's order at (x, y).
std::vector<Order> PutDownOrders(int d, int opcode, int a, int b, int c = 0) {
    return {{kOpTurn, 0, 0, d, 0, 0}, {opcode, a, b, c, 0, 1}};
}

int HalfW(int type) {
    return (FahrzeugTypen[static_cast<std::size_t>(type)].extent[2] -
            FahrzeugTypen[static_cast<std::size_t>(type)].extent[0]) >>
           1;
}
int HalfH(int type) {
    return (FahrzeugTypen[static_cast<std::size_t>(type)].extent[3] -
            FahrzeugTypen[static_cast<std::size_t>(type)].extent[1]) >>
           1;
}

TEST_F(Commands, ACarriedCasualtyGoesDownBesideTheCarrier) {
    constexpr std::int8_t kLying = 27;
    struct Case {
        std::int8_t facing;
        int d;
    };
    for (const Case c : {Case{0, 1}, Case{4, 3}, Case{8, 7}, Case{10, 9}}) {
        SCOPED_TRACE(c.facing);
        Fresh();
        const std::int16_t casualty = Standing(kLying);
        const std::int16_t p = SelectPerson(12, c.facing);
        P(p).link = static_cast<std::uint16_t>(casualty);
        const AnimSlot& a = PersonAnimSlot(kLying, (c.d + 6) % 12, 2);
        ASSERT_NE(a.frames, 0);
        // The carrier stands at (300, 400) in whole pixels.
        const int x = c.d == 1   ? 300 - 8
                      : c.d == 3 ? 300 - 7 - a.box[2] + a.hotX
                      : c.d == 7 ? 300 + 8
                                 : 300 + 7 - a.box[0] + a.hotX;
        const int y = c.d == 1   ? 400 + 7 - a.box[1] + a.hotY
                      : c.d == 7 ? 400 - 7 - a.box[3] + a.hotY
                                 : 400 - 3;
        ExecuteCommand(kCmdPutDown);
        EXPECT_EQ(Orders(P(p)),
                  (std::vector<Order>{{kOpTurn, 0, 0, c.d, 0, 0}, {165, c.d, x, y, 0, 1}}));
    }

    // The object carrier and the stretcher team put down in the direction alone; others nothing.
    struct Other {
        std::int8_t type;
        std::vector<Order> orders;
    };
    for (const Other& o : {Other{14, PutDownOrders(7, 180, 7, 0)},
                           Other{26, PutDownOrders(7, 153, 7, 0)}, Other{1, {}}}) {
        Fresh();
        const std::int16_t p = SelectPerson(o.type, 6);
        ExecuteCommand(kCmdPutDown);
        EXPECT_EQ(Orders(P(p)), o.orders) << int{o.type};
    }

    // A carrier whose link names nobody puts nothing down.
    Fresh();
    const std::int16_t p = SelectPerson(12);
    P(p).link = 39;
    ExecuteCommand(kCmdPutDown);
    EXPECT_EQ(P(p).orders, nullptr);
}

TEST_F(Commands, TheTrailerSetsItsBoatDownAlongEachDirection) {
    struct Case {
        std::int32_t facing;
        int d;
    };
    for (const Case c : {Case{0, 1}, Case{3, 3}, Case{5, 7}, Case{9, 9}}) {
        SCOPED_TRACE(c.d);
        Fresh();
        const std::int16_t v = SelectVehicle(kTypF118, c.facing);
        const int w = HalfW(kTypF118) + HalfW(kTypF114) + 2;
        const int k = HalfH(kTypF118) + HalfH(kTypF114) + 2;
        const int x = c.d == 1   ? 600 - k * 4 / 11
                      : c.d == 3 ? 600 - w
                      : c.d == 7 ? 600 + k * 4 / 11
                                 : 600 + w;
        const int y = c.d == 1 ? 500 + k : c.d == 7 ? 500 - k : 500;
        ExecuteCommand(kCmdUnload);
        EXPECT_EQ(Orders(V(v)), PutDownOrders(c.d, 65, x, y));
    }
}

TEST_F(Commands, TheCraneSetsItsObjectOrItsVehicleDown) {
    const int w9 = [] {
        LoadFahrzeugTyp(kTypF110);
        return HalfW(kTypF110);
    }();
    const int h9 = HalfH(kTypF110);

    // A pile of wood, facing 0 (direction 1) and 4 (direction 3).
    for (const std::int32_t facing : {0, 4}) {
        Fresh();
        const std::int16_t v = SelectVehicle(kTypF110, facing);
        V(v).type = static_cast<std::int8_t>(kTypF110MD);
        SelectionMode = kTypF110MD;
        const std::int16_t slot = FindFreeSonderObj();
        CreateSonderObj(slot, kSobjHolzstapel, 100, 100, 0, 15, 0, 0.0f, 0);
        V(v).link = static_cast<std::uint16_t>(slot);
        const SonderObjTyp& t = *SonderObjTypAt(kSobjHolzstapel);
        ExecuteCommand(kCmdUnload);
        if (facing == 0) {
            const int k = h9 - t.boxY0 + 1;
            EXPECT_EQ(Orders(V(v)),
                      PutDownOrders(1, 46, 600 - (t.boxX1 >> 1) - k * 4 / 11, 500 + k));
        } else {
            EXPECT_EQ(Orders(V(v)),
                      PutDownOrders(3, 46, 600 - t.boxX1 - w9 - 2, 500 - (t.boxY1 >> 1)));
        }
    }

    // A car, facing 6 (direction 7) and 9 (direction 9).
    for (const std::int32_t facing : {6, 9}) {
        Fresh();
        const std::int16_t car = Make(kTypF102);
        const std::int16_t v = SelectVehicle(kTypF110, facing);
        V(v).type = static_cast<std::int8_t>(kTypF110MD);
        SelectionMode = kTypF110MD;
        V(v).link = static_cast<std::uint16_t>(kCarriedFahrzeugLink + car);
        const int d = facing == 6 ? 7 : 9;
        const AnimSlot& a = FahrzeugAnimSlot(kTypF102, d, 0);
        ASSERT_NE(a.frames, 0);
        ExecuteCommand(kCmdUnload);
        if (d == 7) {
            const int k = h9 + a.box[3] + 1;
            EXPECT_EQ(Orders(V(v)), PutDownOrders(7, 74, 600 + k * 4 / 11, 500 + a.hotY - k));
        } else {
            EXPECT_EQ(Orders(V(v)), PutDownOrders(9, 74, 600 + a.hotX - a.box[0] + w9 + 2, 500));
        }
    }

    // A load that names nothing: no object in the slot, a vehicle past the array, none at all.
    for (const std::uint16_t link :
         {std::uint16_t{200}, std::uint16_t{kCarriedFahrzeugLink + 20}, kNoLink}) {
        Fresh();
        const std::int16_t v = SelectVehicle(kTypF110);
        V(v).type = static_cast<std::int8_t>(kTypF110MD);
        SelectionMode = kTypF110MD;
        V(v).link = link;
        ExecuteCommand(kCmdUnload);
        EXPECT_EQ(V(v).orders, nullptr) << link;
    }
}

TEST_F(Commands, TheBoatCarrierLaunchesOnlyOnAnActivePointWithItsFacing) {
    const std::int16_t v = SelectVehicle(kTypF117, 3);
    BootPunkte.resize(3);
    BootPunkte[0] = {600, 500, 0, 0, 0, 0, 3, 0};  // not active
    BootPunkte[1] = {600, 500, 0, 0, 0, 0, 4, 1};  // another facing
    BootPunkte[2] = {600, 500, 0, 0, 0, 0, 3, 1};
    ExecuteCommand(kCmdUnload);
    EXPECT_EQ(Orders(V(v)), (std::vector<Order>{{71, 2, 0, 0, 0, 0}}));
    EXPECT_EQ(played(), (std::vector<int>{kSoundClickHigh, Phrase(FahrzeugTypen[kTypF117], 17)}));

    ClearBefehle(V(v));
    BootPunkte.resize(2);
    ExecuteCommand(kCmdUnload);
    EXPECT_EQ(V(v).orders, nullptr);
}

TEST_F(Commands, ThePutDownDirectionIsTheNearestDiagonalOrSide) {
    const std::array<std::uint8_t, 12> expected = {1, 1, 1, 3, 3, 7, 7, 7, 7, 9, 9, 1};
    for (int f = 0; f < 12; ++f) EXPECT_EQ(PutDownDirection(f), expected[f]) << f;
}

TEST_F(Commands, TheLabelsFollowTheGameMode) {
    struct Case {
        std::uint32_t mode;
        std::uint16_t id;
        std::string_view label;
    };
    const Case cases[] = {
        {2, 0, "ALLE|AUSSTEIGEN"},
        {2, 5, W("ZURÜCK-|SCHICKEN")},
        {12, 14, W("MOTORSÄGE")},
        {2, 21, "SEIL"},
        {2, 22, ""},
        {2, kNoCommand, ""},
        {3, 0, "START"},
        {8, 1, "PERSONAL"},
        {8, 2, "FAHRZEUGE"},
        {13, 2, "FAHRZEUGE"},
        {15, 2, "FAHRZEUGE"},
        {14, 2, "HELIKOPTER"},
        {14, 3, ""},
        {3, 22, ""},
    };
    for (const Case& c : cases) {
        GameMode = c.mode;
        EXPECT_EQ(GetCommandLabel(c.id), c.label) << c.mode << " " << c.id;
    }
}

}  // namespace
}  // namespace kv
