// Mission 1 on the sample data: its checks, and its answers to the cursor and to clicks on the
// wrecks and the fuel.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/random.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "mission/mission_fixture.h"
#include "mission/mission_frame.h"
#include "mission/mission_start.h"
#include "missions/mission_rows.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "movement/traffic_paths.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "vehicles/carry_befehle.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int16_t kBadlyInjured = 0;  // type 35, beside the fuel
constexpr std::int16_t kLightlyInjured = 1;
constexpr std::int8_t kDoctor = 0;
constexpr std::int16_t kF110 = 9;
constexpr std::int16_t kF101 = 0;
constexpr std::int16_t kCivilCar = 27;
constexpr std::int16_t kParkedCar = 36;
constexpr std::uint16_t kNone = 65535;

std::string Message() {
    return MessageLine.data();
}

class MissionOne : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        GameSpeed = 1;
        SeedRandom(11);
        MissionScratch.S3 = 1234;  // left over from an earlier mission
        StartMission(kNewMission);
        leaveKarte();
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    }

    // One of the player's staff, standing without a controller.
    static Person& staff(std::int8_t type, std::int16_t x, std::int16_t y) {
        const std::int16_t i = CreatePersonAt(x, y, 0, 0);
        EXPECT_GE(i, 0);
        Person& p = Personen[static_cast<std::size_t>(i)];
        p.type = type;
        p.controlFlags = 0;
        LoadPersonTyp(type);
        ResetPerson(i);
        return p;
    }
    static std::int16_t indexOf(const Person& p) {
        return static_cast<std::int16_t>(&p - Personen.data());
    }

    static Fahrzeug& vehicle(std::int16_t type, std::int16_t x, std::int16_t y, int facing,
                             std::uint8_t owner) {
        const std::int16_t i = CreateFahrzeug(type, x, y, facing);
        EXPECT_GE(i, 0);
        LoadFahrzeugTyp(type);
        SetupFahrzeug(i, owner);
        return Fahrzeuge[static_cast<std::size_t>(i)];
    }
    static std::int16_t indexOf(const Fahrzeug& v) {
        return static_cast<std::int16_t>(&v - Fahrzeuge.data());
    }

    // The speech slots played since the log was last cleared.
    std::vector<int> spoken() const {
        std::vector<int> ids;
        for (const auto& c : backend.sound.calls())
            for (int id = 0; id < 2 * kPhraseCount; ++id)
                if (c.op == HeadlessSound::Op::Play && SoundSlots[id].buffer == c.buffer)
                    ids.push_back(id);
        return ids;
    }

    static void check() { kMissionHooksM01.CheckMission(); }

    // The wrecks and the fuel gone, the casualties delivered, no traffic: what the win asks.
    static void clearScene() {
        for (int slot = 0; slot < 3; ++slot) FreeSonderObjSlot(slot);
        DeletePerson(kBadlyInjured);
        DeletePerson(kLightlyInjured);
        FreeZFWege();
    }
};

TEST_F(MissionOne, TheStartLeavesTheScratchAlone) {
    EXPECT_EQ(MissionScratch.S3, 1234) << "each mission sets the words it uses itself";
}

// Order 150 on the casualty beside the unbound fuel: the speed decides how many ticks a frame
// runs, and the failure comes with the check after the explosion's last frame.
class FuelExplosion : public MissionOne, public ::testing::WithParamInterface<int> {};

TEST_P(FuelExplosion, TreatingTheCasualtyBesideTheFuelSetsItOff) {
    GameSpeed = static_cast<std::uint8_t>(GetParam());
    Person& doctor = staff(kPersonTypMedic, 934, 500);
    const std::int16_t d = indexOf(doctor);
    doctor.selected = 1;
    Fahrzeug& crane = vehicle(kF110, 600, 300, 3, kOwnerBought);
    crane.selected = 1;
    SelectionMode = 65534;
    SelectedIndex = static_cast<std::uint16_t>(d);
    doctor.anim = 1;
    doctor.frame = 3;
    // A medic on its treatment point kneels down for longer than a frame's ticks.
    doctor.direction = 9;
    AppendBefehl(doctor, 150, kBadlyInjured, 917, 500, 0, 0);

    RunMissionFrame();
    EXPECT_EQ(doctor.orders, nullptr);
    EXPECT_EQ(doctor.anim, 0);
    EXPECT_EQ(doctor.frame, 0);
    EXPECT_EQ(doctor.selected, 0);
    EXPECT_EQ(crane.selected, 0);
    EXPECT_EQ(SelectionMode, kNone);
    EXPECT_EQ(SelectedIndex, kNone);
    const SonderObj& fuel = SonderObjs[2];
    ASSERT_NE(fuel.commands, nullptr);
    ASSERT_EQ(fuel.commands->kind, kCmdExplosion);
    const std::uint16_t anim = fuel.commands->a;
    const auto animType = static_cast<std::int16_t>(fuel.commands->b);
    const int lastFrame = SonderObjTypAt(animType)->frameCount - 1;
    EXPECT_EQ(GameMode, 2u);
    EXPECT_EQ(Message(), "");

    int frames = 0;
    while (GameMode == 2 && frames < 200) {
        const SonderObj& a = SonderObjs[anim];
        ASSERT_TRUE(a.type == animType && a.frame < lastFrame) << "the check let it pass";
        RunMissionFrame();
        ++frames;
    }
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(Message(), "Ausgelaufener Treibstoff ist explodiert!");
    const SonderObj& a = SonderObjs[anim];
    EXPECT_TRUE(a.type != animType || a.frame == lastFrame);
    EXPECT_EQ(fuel.commands, nullptr);
    // Its last frame of 16, at 2 ticks a frame, is on from tick 30 after the frame that set it off.
    EXPECT_EQ(frames * GetParam(), 30);
}

INSTANTIATE_TEST_SUITE_P(Speeds, FuelExplosion, ::testing::Values(1, 3));

TEST_F(MissionOne, OnlyWorkOnTheCasualtyBesideTheUnboundFuelIsStopped) {
    std::vector<std::int16_t> exploded;
    static std::vector<std::int16_t>* record = nullptr;
    record = &exploded;
    ExplosionWatcher.explodeSonderObj = [](std::int16_t slot) { record->push_back(slot); };
    struct Case {
        const char* what;
        std::uint8_t opcode;
        std::int32_t patient;
        bool fuelBound;
        bool stopped;
    };
    const Case cases[] = {
        {"treat", 150, kBadlyInjured, false, true},
        {"stretcher", 152, kBadlyInjured, false, true},
        {"pick up", 164, kBadlyInjured, false, true},
        {"the other casualty", 150, kLightlyInjured, false, false},
        {"a wait that names person 0", 7, kBadlyInjured, false, false},
        {"no patient", 150, -1, false, false},
        {"past the array", 150, 50, false, false},
        {"0 only once cut to 16 bits", 150, 0x10000, false, false},
        {"the fuel bound", 150, kBadlyInjured, true, false},
    };
    Person& medic = staff(kDoctor, 400, 250);
    const std::int16_t m = indexOf(medic);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        exploded.clear();
        SonderObjs[2].type = static_cast<std::int16_t>(c.fuelBound ? 21 : 20);
        medic.selected = 1;
        SelectionMode = 1000;
        SelectedIndex = static_cast<std::uint16_t>(m);
        ClearBefehle(medic);
        AppendBefehl(medic, c.opcode, c.patient, 0, 0, 0, 0);
        check();
        EXPECT_EQ(GameMode, 2u);
        EXPECT_EQ(medic.orders == nullptr, c.stopped);
        EXPECT_EQ(medic.selected, c.stopped ? 0 : 1);
        EXPECT_EQ(SelectionMode, c.stopped ? kNone : 1000);
        EXPECT_EQ(exploded, c.stopped ? std::vector<std::int16_t>{2} : std::vector<std::int16_t>{});
    }
}

TEST_F(MissionOne, AFuelExplosionWhoseAnimationHasGoneCountsAsOver) {
    Person& doctor = staff(kDoctor, 934, 500);
    AppendBefehl(doctor, 164, kBadlyInjured, 0, 0, 0, 0);
    check();
    ASSERT_NE(SonderObjs[2].commands, nullptr);
    EXPECT_EQ(GameMode, 2u);
    FreeSonderObjSlot(SonderObjs[2].commands->a);
    check();
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(Message(), "Ausgelaufener Treibstoff ist explodiert!");
}

TEST_F(MissionOne, LossesFailOnceNoExplosionRuns) {
    struct Case {
        std::uint16_t dead;
        std::uint16_t lostBought;
        std::uint16_t lostMission;
        const char* message;
    };
    const Case cases[] = {
        {1, 0, 0, "Verletzter gestorben!"},
        {0, 1, 0, "Einsatzfahrzeug zerstört!"},
        {0, 0, 2, "Einsatzfahrzeug zerstört!"},
        {1, 1, 0, "Verletzter gestorben!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        GameMode = 2;
        ClearMessageLine();
        ToteCount = c.dead;
        LostBoughtFahrzeugCount = c.lostBought;
        LostMissionFahrzeugCount = c.lostMission;
        ExplosionSlots[1].live = 1;
        check();
        EXPECT_EQ(GameMode, 2u) << "a vehicle still explodes";
        ExplosionSlots[1].live = 0;
        check();
        EXPECT_EQ(GameMode, 4u);
        EXPECT_EQ(Cp1252ToUtf8(Message()), c.message);
    }
}

TEST_F(MissionOne, ACarStandingOffTheRightEdgeIsTrafficChaos) {
    // The head order, and the driving bit that order 47 sets while it drives.
    enum Drive { Standing, Driving, WaitingBehind };
    struct Case {
        const char* what;
        std::int16_t type;
        std::int16_t x;
        int facing;
        std::uint16_t path;
        Drive drive;
        bool chaos;
    };
    // The road's end: the cars come in 100 px past it.
    const std::int16_t end = static_cast<std::int16_t>(ZFWege[0].startX - 100);
    const auto past = static_cast<std::int16_t>(end + 1);
    const Case cases[] = {
        {"standing past the end", kCivilCar, past, 9, 0, Standing, true},
        {"standing at the end", kCivilCar, end, 9, 0, Standing, false},
        {"driving", kCivilCar, past, 9, 0, Driving, false},
        {"waiting behind a standing car, the bit left set", kCivilCar, past, 9, 0, WaitingBehind,
         true},
        {"facing away", kCivilCar, past, 3, 0, Standing, false},
        {"on no path", kCivilCar, past, 9, kNone, Standing, false},
        {"on a path the mission has not", kCivilCar, past, 9, 1, Standing, false},
        {"not a civilian car", kF110, past, 9, 0, Standing, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameMode = 2;
        ClearMessageLine();
        Fahrzeug& car = vehicle(c.type, c.x, 505, c.facing, kOwnerMission);
        car.link = c.path;
        AppendBefehl(car, 47, -100, 505, ZFWege[0].startX, 560, 0);
        if (c.drive == WaitingBehind) PushBefehl(car, 7, 20, 0, 0, 0, 1);
        car.moverFlags = c.drive == Standing ? 0 : kMoverSearching;
        check();
        EXPECT_EQ(GameMode, c.chaos ? 4u : 2u);
        EXPECT_EQ(Message(), c.chaos ? "Einsatz verursacht Verkehrschaos!" : "");
        RemoveFahrzeug(indexOf(car), kRemoveDrivenOff);
    }
}

TEST_F(MissionOne, TheWinWaitsForAClearRoadAndLosesToAFailure) {
    struct Case {
        const char* what;
        void (*scene)();
        std::uint32_t mode;
    };
    const Case cases[] = {
        {"all done", [] {}, 5},
        {"a parked car on the road", [] { vehicle(kParkedCar, 1000, 530, 3, kOwnerMission); }, 2},
        {"a parked car south of the road", [] { vehicle(kParkedCar, 1000, 660, 3, kOwnerMission); },
         5},
        {"the tractor still there", [] { CreateSonderObj(0, 18, 835, 425, 0, 15, 0, 0.0f, 0); }, 2},
        {"the fuel not bound", [] { CreateSonderObj(2, 20, 905, 488, 0, 0, 1, 0.0f, 0); }, 2},
        {"a casualty left", [] { CreateVerletzter(34, 1200, 700, 0, 3, 750000, 0, 300, 0); }, 2},
        {"somebody died meanwhile", [] { ToteCount = 1; }, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameMode = 2;
        clearScene();
        c.scene();
        check();
        EXPECT_EQ(GameMode, c.mode);
        // Back to the bare scene for the next case.
        ToteCount = 0;
        for (std::size_t i = 0; i < Fahrzeuge.size(); ++i)
            RemoveFahrzeug(static_cast<std::int16_t>(i), kRemoveDrivenOff);
        for (std::size_t i = 0; i < Personen.size(); ++i)
            DeletePerson(static_cast<std::int32_t>(i));
    }
}

TEST_F(MissionOne, TheCraneTakesUpTheWrecksAndTheExtinguisherBindsTheFuel) {
    Fahrzeug& crane = vehicle(kF110, 600, 300, 3, kOwnerBought);
    Fahrzeug& engine = vehicle(kF101, 600, 380, 3, kOwnerBought);
    Person& p8 = staff(8, 700, 250);
    Person& p16 = staff(16, 720, 250);
    Person& p21 = staff(21, 740, 250);
    Person& p1 = staff(1, 760, 250);
    const int fuelRight = SonderObjTypAt(20)->boxX1;
    enum Kind { Miss, Wreck, Fuel };
    struct Case {
        const char* what;
        std::uint16_t slot;
        std::uint16_t mode;
        UnitHead* unit;
        std::uint16_t index;
        Kind kind;
    };
    const Case cases[] = {
        {"tractor, crane", 0, 9, &crane, static_cast<std::uint16_t>(indexOf(crane)), Wreck},
        {"motorcycle, crane", 1, 9, &crane, static_cast<std::uint16_t>(indexOf(crane)), Wreck},
        {"tractor, fire engine", 0, 0, &engine, static_cast<std::uint16_t>(indexOf(engine)), Miss},
        {"tractor, no such crane", 0, 9, &crane, kNone, Miss},
        {"fuel, 8", 2, 1008, &p8, static_cast<std::uint16_t>(indexOf(p8)), Fuel},
        {"fuel, 16", 2, 1016, &p16, static_cast<std::uint16_t>(indexOf(p16)), Fuel},
        {"fuel, 21", 2, 1021, &p21, static_cast<std::uint16_t>(indexOf(p21)), Fuel},
        {"fuel, 1", 2, 1001, &p1, static_cast<std::uint16_t>(indexOf(p1)), Miss},
        {"fuel, crane", 2, 9, &crane, static_cast<std::uint16_t>(indexOf(crane)), Miss},
        {"a cow, crane", 3, 9, &crane, static_cast<std::uint16_t>(indexOf(crane)), Miss},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HoverKind = kHoverSonderObj;
        HoverIds = {c.slot, 0, 0, 0};
        SelectionMode = c.mode;
        SelectedIndex = c.index;
        CursorId = 0;
        ClearBefehle(*c.unit);
        StopAllSounds();
        backend.sound.clearCalls();

        const bool hit = c.kind != Miss;
        EXPECT_EQ(kMissionHooksM01.CursorOnSonderObj(), hit ? 1 : 0);
        EXPECT_EQ(CursorId, hit ? 19 : 0);
        EXPECT_EQ(kMissionHooksM01.ClickOnSonderObj(), hit ? 1 : 0);
        if (!hit) {
            EXPECT_EQ(c.unit->orders, nullptr);
            EXPECT_TRUE(spoken().empty());
            continue;
        }
        const Befehl* go = c.unit->orders;
        ASSERT_NE(go, nullptr);
        EXPECT_EQ(go->opcode, 2);
        ASSERT_NE(go->next, nullptr);
        const Befehl* work = go->next;
        EXPECT_EQ(work->next, nullptr);
        std::vector<GoalPoint> wanted;
        if (c.kind == Wreck) {
            for (std::uint8_t facing : {7, 3, 1, 9}) {
                if (const auto p = GetFahrzeugPickUpPoint(kF110, PickUpSonderObj(c.slot), facing))
                    wanted.push_back(
                        {static_cast<float>(p->x), static_cast<float>(p->y), facing, 0});
            }
            EXPECT_EQ(work->opcode, 45);
            EXPECT_EQ(work->aInt(), c.slot);
            EXPECT_EQ(work->bInt(), SonderObjs[c.slot].type);
        } else {
            wanted = {{902, 518, 2, 0}, {static_cast<float>(905 + fuelRight + 3), 518, 10, 0}};
            EXPECT_EQ(work->opcode, 158);
            EXPECT_EQ(work->aInt(), 2);
            EXPECT_EQ(work->bInt(), 20);
            EXPECT_EQ(work->cInt(), 5);
        }
        ASSERT_EQ(go->goals.size(), wanted.size());
        for (std::size_t k = 0; k < wanted.size(); ++k) {
            EXPECT_EQ(go->goals[k].x, wanted[k].x) << k;
            EXPECT_EQ(go->goals[k].y, wanted[k].y) << k;
            EXPECT_EQ(go->goals[k].facing, wanted[k].facing) << k;
        }
        const int phrase = c.kind == Wreck ? 7 : 15;
        const int speaker = c.kind == Wreck ? FahrzeugTypOf(crane).speaker
                                            : PersonTypOf(*static_cast<Person*>(c.unit)).speaker;
        ASSERT_GE(speaker, 0);
        EXPECT_EQ(spoken(), std::vector<int>{speaker * kPhraseCount + phrase});
    }
}

}  // namespace
}  // namespace kv
