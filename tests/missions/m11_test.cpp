// Mission 11 on the sample data: the dam's script, the video between the parts, the flood's
// set-up, the floating roofs, the roof clicks and checks, a save in the second part, and the
// evaluation.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/random.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "media/video.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "missions/mission_rows.h"
#include "movement/befehl.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/save_game.h"
#include "support/sound_log.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr int kBreakSound = 82;
constexpr int kWarningSound = 83;

class MissionEleven : public test::MissionTest {
  protected:
    void start(bool withVideo) {
        useSampleData(withVideo);
        openGame();
        GameSpeed = 1;
        SeedRandom(5);
        CampaignPosition = CampaignPositionOf(11);
        StartMission(kNewMission);
        if (withVideo) finishVideo();
        leaveKarte();
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        ASSERT_EQ(MissionNummer, 11);
    }
    // Into the second part at once, as without the video.
    void flood() {
        ClearBefehleSignal = 1;
        check();
        ASSERT_EQ(PartTwo, 1);
    }

    static void update() { kMissionHooksM11.UpdateMission(); }
    static void check() { kMissionHooksM11.CheckMission(); }
    static std::string message() { return MessageLine.data(); }

    static Person& person(std::int8_t type, std::int16_t x, std::int16_t y,
                          std::uint8_t controlFlags) {
        const std::int16_t i = FindFreePerson();
        EXPECT_GE(i, 0);
        LoadPersonTyp(type);
        Person& p = PlacePerson(i, type, x, y, 0);
        p.controlFlags = controlFlags;
        ResetPerson(i);
        return p;
    }
    static Fahrzeug& vehicle(std::int16_t type, std::int16_t x, std::int16_t y) {
        const std::int16_t i = CreateFahrzeug(type, x, y, 3);
        EXPECT_GE(i, 0);
        LoadFahrzeugTyp(type);
        SetupFahrzeug(i, kOwnerBought);
        return Fahrzeuge[static_cast<std::size_t>(i)];
    }
    static std::int16_t indexOf(const Fahrzeug& v) {
        return static_cast<std::int16_t>(&v - Fahrzeuge.data());
    }
    static int personsInUse() {
        return static_cast<int>(std::count_if(Personen.begin(), Personen.end(),
                                              [](const Person& p) { return p.type != -1; }));
    }
};

// The dam's stages by tick, each row one tick of the script with sound effects on.
TEST_F(MissionEleven, DamCracksWarnsAndBreaksByTick) {
    ASSERT_NO_FATAL_FAILURE(start(false));
    test::FillSoundSlotsWithTones();
    SoundOn = 1;
    const SonderObj& dam = SonderObjs[0];
    EXPECT_EQ(dam.type, 18);
    EXPECT_EQ(dam.visible, 0);
    const std::string overloaded = W("Achtung! Staudamm stark überlastet!");
    const std::string breaking = W("Achtung! Staudamm kurz vor Bruch!");
    struct Row {
        std::uint32_t tick;
        std::int16_t type;
        std::uint8_t visible;
        std::vector<int> sounds;
        std::string message;  // empty: not asserted
    };
    // Between two rows the last break sound has played out, but for the row after the break.
    const Row rows[] = {
        {2400, 18, 0, {}, ""},
        {2401, 18, 1, {kBreakSound}, ""},
        {4800, 18, 1, {}, ""},
        {4801, 19, 1, {kBreakSound}, ""},
        {7199, 19, 1, {}, ""},
        {7200, 19, 1, {kWarningSound}, overloaded},
        {7201, 20, 1, {kBreakSound}, ""},
        {8799, 20, 1, {}, ""},
        {8800, 20, 1, {}, breaking},  // the warning's loop plays on
        {9600, 20, 1, {kBreakSound}, ""},
        {9601, 20, 1, {}, ""},
    };
    for (const Row& r : rows) {
        if (r.tick != 9601) backend.advance(test::kToneMs + 1);
        backend.sound.clearCalls();
        TickCounter = r.tick;
        update();
        EXPECT_EQ(dam.type, r.type) << r.tick;
        EXPECT_EQ(dam.visible, r.visible) << r.tick;
        EXPECT_EQ(test::PlayedSoundIds(backend.sound), r.sounds) << r.tick;
        if (!r.message.empty()) {
            EXPECT_EQ(message(), r.message) << r.tick;
        }
        EXPECT_EQ(ClearBefehleSignal, 0) << r.tick << ": the break waits for its sound";
    }
    EXPECT_NE(IsSoundPlaying(kWarningSound), 0) << "the warning loops";
    backend.advance(test::kToneMs + 1);
    TickCounter = 9602;
    update();
    EXPECT_EQ(ClearBefehleSignal, 1) << "the break sound has ended";

    // With sound effects off the dam breaks at tick 9600 exactly.
    SoundOn = 0;
    ClearBefehleSignal = 0;
    backend.sound.clearCalls();
    TickCounter = 9600;
    update();
    EXPECT_EQ(ClearBefehleSignal, 1);
    EXPECT_TRUE(test::PlayedSoundIds(backend.sound).empty());
}

TEST_F(MissionEleven, TheBreakPlaysItsVideoOnceAndItsEndFloodsTheValley) {
    ASSERT_NO_FATAL_FAILURE(start(true));
    ClearBefehleSignal = 1;
    check();
    check();
    EXPECT_EQ(videosOpened(), "mi11.avi mi11_2.avi");
    EXPECT_EQ(VideoStage, kVideoMidMission);
    EXPECT_EQ(PartTwo, 0);
    finishVideo();
    EXPECT_EQ(PartTwo, 1);
    EXPECT_EQ(GameMode, 2u) << FatalErrorMessage();
    EXPECT_EQ(SonderObjs[9].type, 23);
    check();
    EXPECT_EQ(videosOpened(), "mi11.avi mi11_2.avi");
}

TEST_F(MissionEleven, WithoutTheVideoTheSecondPartStartsAtOnce) {
    ASSERT_NO_FATAL_FAILURE(start(false));
    ASSERT_NO_FATAL_FAILURE(flood());
    EXPECT_EQ(GameMode, 2u) << FatalErrorMessage();
    EXPECT_EQ(videosOpened(), "");
    EXPECT_EQ(SonderObjs[10].type, 23);
}

TEST_F(MissionEleven, TheFloodSetsUpTheSecondPart) {
    ASSERT_NO_FATAL_FAILURE(start(false));
    // Two pontoon pieces an F113 has laid, a car that the water takes, one on the east bank
    // with a fire fighter beside it, staff in the valley, the dead.
    std::vector<std::uint16_t> pieces;
    for (const std::int16_t x : {1000, 1040}) {
        const std::int16_t slot = FindFreeSonderObj();
        CreateSonderObj(slot, kSobjPonton, x, 1530, 0, 15, 0, 0.0f, 0);
        pieces.push_back(static_cast<std::uint16_t>(slot));
    }
    Fahrzeug& layer = vehicle(kTypF113, 3300, 800);
    layer.pieces = pieces;
    layer.pieceCount = 2;
    const Fahrzeug& drowned = vehicle(kTypF201, 1400, 952);
    const Fahrzeug& kept = vehicle(kTypF201, 3300, 950);
    person(1, 3340, 950, 0);
    const Person& staff = person(1, 600, 300, 0);
    Person& dead = person(28, 700, 300, 0);
    dead.casualty = 1;
    dead.energy = 0;
    struct Outside {
        std::int16_t index;
        std::int8_t was;
    };
    std::vector<std::int16_t> inside;
    std::vector<Outside> outside;
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        const Person& p = Personen[i];
        if (p.type < 27 || p.type > 31 || p.controlFlags != 3) continue;
        if (p.storey > 0)
            inside.push_back(static_cast<std::int16_t>(i));
        else
            outside.push_back({static_cast<std::int16_t>(i), p.type});
    }
    ASSERT_EQ(inside.size(), 11u);
    ASSERT_EQ(outside.size(), 6u);
    const std::int16_t droppedIndex = indexOf(drowned);
    const std::int16_t keptIndex = indexOf(kept);
    const auto staffIndex = static_cast<std::size_t>(&staff - Personen.data());
    const auto deadIndex = static_cast<std::size_t>(&dead - Personen.data());
    ToteCount = 0;
    TickCounter = 9700;
    SeedRandom(3);
    kMissionHooksM11.StartPhase2();
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();

    // The map, the objects, the points.
    EXPECT_EQ(PartTwo, 1);
    EXPECT_EQ(SonderObjs[0].type, -1) << "the dam";
    for (const SonderObj& o : SonderObjs) {
        EXPECT_NE(o.type, kSobjHydrant);
        EXPECT_NE(o.type, kSobjPonton);
    }
    const std::int16_t roofTypes[8] = {21, 21, 21, 21, 22, 22, 22, 22};
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(SonderObjs[static_cast<std::size_t>(k)].type, roofTypes[k - 1]) << k;
        EXPECT_EQ(SonderObjs[static_cast<std::size_t>(k)].depthLayer, 1) << k;
    }
    EXPECT_EQ(SonderObjs[8].x, 931.0f);
    EXPECT_EQ(SonderObjs[8].y, 1176.0f);
    for (const int k : {9, 10}) {
        EXPECT_EQ(SonderObjs[static_cast<std::size_t>(k)].type, 23);
        EXPECT_EQ(SonderObjs[static_cast<std::size_t>(k)].blockMask, 15);
    }
    EXPECT_EQ(SonderObjs[9].x, 1852.0f);
    EXPECT_EQ(SonderObjs[10].y, 1402.0f);
    ASSERT_EQ(BootPunkte.size(), 9u);
    EXPECT_EQ(BootPunkte[0].x, 3135);
    EXPECT_EQ(BootPunkte[0].active, 1);
    EXPECT_EQ(BootPunkte[8].y, 1228);
    EXPECT_TRUE(PontonPunkte.empty());
    EXPECT_TRUE(Houses.empty());
    EXPECT_EQ(layer.pieceCount, 0) << "the freed pieces leave its list";
    EXPECT_TRUE(layer.pieces.empty());

    // Inside: on what is left of the house waiting with a plan, or hurt.
    int waiting = 0;
    int hurt = 0;
    for (const std::int16_t i : inside) {
        const Person& p = Personen[static_cast<std::size_t>(i)];
        ASSERT_NE(p.type, -1) << i;
        EXPECT_EQ(p.storey, 0);
        EXPECT_EQ(p.house, 0xFFFF);
        if (p.casualty != 0) {
            ++hurt;
            EXPECT_GE(p.energy, 500000);
            EXPECT_LT(p.energy, 1000000);
            continue;
        }
        ++waiting;
        EXPECT_EQ(p.controlFlags, 0x41);
        ASSERT_NE(p.attachment.plan(), nullptr);
        const int term = p.attachment.plan()->deadline - (9700 / 20 + 120);
        EXPECT_EQ(term % 60, 0);
        EXPECT_GE(term, 0);
        EXPECT_LT(term, 720);
    }
    EXPECT_GT(waiting, 0);
    EXPECT_GT(hurt, 0) << "one in three, with this seed at least one";

    // Outside in the water: drifting.
    for (const Outside& o : outside) {
        const Person& p = Personen[static_cast<std::size_t>(o.index)];
        const std::int8_t expected = o.was == 29 || o.was == 30 ? 51 : o.was == 31 ? 49 : 50;
        EXPECT_EQ(p.type, expected) << static_cast<int>(o.was);
        EXPECT_EQ(p.controlFlags, 0x41);
        EXPECT_EQ(p.anim, 3);
        EXPECT_EQ(p.direction, 0);
        ASSERT_NE(p.attachment.plan(), nullptr);
        EXPECT_EQ(p.attachment.plan()->active, 1);
    }

    // The water takes the staff; the dead are not counted again.
    EXPECT_EQ(Personen[staffIndex].type, -1);
    EXPECT_EQ(Personen[deadIndex].type, -1);
    EXPECT_EQ(ToteCount, 1u);
    EXPECT_EQ(Fahrzeuge[static_cast<std::size_t>(droppedIndex)].type, -1);
    EXPECT_EQ(Fahrzeuge[static_cast<std::size_t>(keptIndex)].type, kTypF201);
    EXPECT_EQ(LostBoughtFahrzeugCount, 1u);
    EXPECT_EQ(SelectionMode, kNoSelection);
}

TEST_F(MissionEleven, FloatingRoofsDriftUntilTheirLineAndStopAtWhatBlocks) {
    ASSERT_NO_FATAL_FAILURE(start(false));
    ASSERT_NO_FATAL_FAILURE(flood());
    SonderObj& roof = SonderObjs[9];
    const float x = roof.x;
    const float y = roof.y;
    update();
    EXPECT_FLOAT_EQ(roof.x, x - 0.16f);
    EXPECT_FLOAT_EQ(roof.y, y + 0.28f);

    // A person in its way: the step is undone.
    Person& swimmer = person(50, static_cast<std::int16_t>(roof.x + 30),
                             static_cast<std::int16_t>(roof.y + 30), 0);
    const float bx = roof.x;
    const float by = roof.y;
    update();
    EXPECT_EQ(roof.x, bx);
    EXPECT_EQ(roof.y, by);
    DeletePerson(static_cast<std::int32_t>(&swimmer - Personen.data()));

    // At 28 rows' height it still drifts; past it, it goes.
    const float line = static_cast<float>(28 * ScrollRows);
    roof.y = line;
    update();
    EXPECT_EQ(roof.type, 23);
    roof.y = line + 0.5f;
    update();
    EXPECT_EQ(roof.type, -1);
    EXPECT_EQ(SonderObjs[10].type, 23) << "the other drifts on";
}

// The roof clicks and the checks, one row each.
TEST_F(MissionEleven, RoofClicksAndChecks) {
    ASSERT_NO_FATAL_FAILURE(start(false));
    ASSERT_NO_FATAL_FAILURE(flood());
    for (std::size_t i = 0; i < Personen.size(); ++i)
        if (Personen[i].type != -1) DeletePerson(static_cast<std::int32_t>(i));
    ToteCount = 0;
    LostBoughtFahrzeugCount = 0;

    Fahrzeug& boat = vehicle(kTypF116, 2500, 700);
    const Fahrzeug& car = vehicle(kTypF201, 3300, 950);
    HoverKind = kHoverSonderObj;
    HoverIds = {3, 0, 0, 0};
    MouseX = 100;
    MouseY = 200;

    // Nothing selected: the arrow, and the click is taken.
    SelectionMode = kNoSelection;
    SelectedIndex = 65535;
    EXPECT_EQ(kMissionHooksM11.CursorOnSonderObj(), 1);
    EXPECT_EQ(CursorId, kCursorPointer);
    EXPECT_EQ(kMissionHooksM11.ClickOnSonderObj(), 1);

    // The boat: to the roof's point, a tick's wait, turned as the point faces.
    SelectionMode = static_cast<std::uint16_t>(kTypF116);
    SelectedIndex = static_cast<std::uint16_t>(indexOf(boat));
    boat.selected = 1;
    EXPECT_EQ(kMissionHooksM11.CursorOnSonderObj(), 1);
    EXPECT_EQ(CursorId, kCursorRescue);
    EXPECT_EQ(kMissionHooksM11.ClickOnSonderObj(), 1);
    std::vector<std::uint8_t> ops;
    for (const Befehl* b = boat.orders; b != nullptr; b = b->next) ops.push_back(b->opcode);
    EXPECT_EQ(ops, (std::vector<std::uint8_t>{kOpMove, kOpWait, kOpTurn}));
    ASSERT_NE(boat.orders, nullptr);
    EXPECT_EQ(boat.orders->aFloat(), 755.0f);
    EXPECT_EQ(boat.orders->bFloat(), 895.0f);

    // A car: moved to the point under the mouse.
    boat.selected = 0;
    SelectionMode = static_cast<std::uint16_t>(kTypF201);
    SelectedIndex = static_cast<std::uint16_t>(indexOf(car));
    EXPECT_EQ(kMissionHooksM11.CursorOnSonderObj(), 1);
    EXPECT_EQ(CursorId, kCursorMove);
    // Slot 9 is no roof the boat serves.
    HoverIds = {9, 0, 0, 0};
    EXPECT_EQ(kMissionHooksM11.CursorOnSonderObj(), 0);
    EXPECT_EQ(kMissionHooksM11.ClickOnSonderObj(), 0);

    // The checks.
    Person& villager = person(27, 2899, 450, 3);
    check();
    EXPECT_EQ(GameMode, 2u) << "x 2899 is not safe";
    villager.x = 2900;
    Person& rider = person(28, 3000, 450, 3);
    rider.offMap = 1;
    check();
    EXPECT_EQ(GameMode, 2u) << "a villager seated in a vehicle is not safe";
    rider.offMap = 0;
    Person& casualty = person(1, 3100, 450, 0);
    casualty.casualty = 1;
    check();
    EXPECT_EQ(GameMode, 2u) << "a casualty waits for rescue";
    casualty.casualty = 0;
    LostBoughtFahrzeugCount = 2;
    ToteCount = 2;
    check();
    EXPECT_EQ(GameMode, 5u) << "two dead and two lost vehicles are borne";
}

TEST_F(MissionEleven, TooManyDeadOrLostVehiclesFailTheSecondPart) {
    ASSERT_NO_FATAL_FAILURE(start(false));
    ToteCount = 5;
    check();
    EXPECT_EQ(GameMode, 2u) << "the first part fails nowhere";
    ASSERT_NO_FATAL_FAILURE(flood());
    struct Row {
        std::uint32_t dead;
        std::uint16_t lost;
        std::string message;
    };
    const Row rows[] = {{3, 3, W("Zu viele Tote!")}, {0, 3, W("Zu viele Fahrzeuge zerstört!")}};
    for (const Row& r : rows) {
        GameMode = 2;
        ToteCount = r.dead;
        LostBoughtFahrzeugCount = r.lost;
        check();
        EXPECT_EQ(GameMode, 4u);
        EXPECT_EQ(message(), r.message);
    }
}

TEST_F(MissionEleven, ASecondPartSavedIsRebuiltFromTheFloodedLevel) {
    ASSERT_NO_FATAL_FAILURE(start(false));
    ASSERT_NO_FATAL_FAILURE(flood());
    for (int n = 0; n < 20; ++n) update();
    const float roofY = SonderObjs[9].y;
    const int persons = personsInUse();
    ASSERT_TRUE(WriteSaveSlot(0, "Flut"));
    ASSERT_TRUE(ReadSaveHeader(0));
    ShutdownMission(1);
    StartMission(0);
    test::DispatchAll();
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    EXPECT_EQ(PartTwo, 1);
    EXPECT_TRUE(Houses.empty());
    EXPECT_EQ(BootPunkte.size(), 9u);
    EXPECT_EQ(SonderObjs[9].type, 23);
    EXPECT_EQ(SonderObjs[9].y, roofY);
    EXPECT_EQ(personsInUse(), persons);
    const auto drifting = std::count_if(Personen.begin(), Personen.end(), [](const Person& p) {
        return p.type >= 49 && p.type <= 51 && p.attachment.plan() != nullptr;
    });
    EXPECT_EQ(drifting, 6);
}

TEST_F(MissionEleven, EvaluationWeighsTheDeadTwice) {
    ASSERT_NO_FATAL_FAILURE(start(false));
    ToteCount = 1;
    TickCounter = 21600;
    Money = 7000;
    kMissionHooksM11.EvaluateMission();
    EXPECT_EQ(EvaluationEfficiency, 75);
    EXPECT_EQ(EvaluationPoints, 475);
    EXPECT_EQ(std::string(ResultLines[0].text.data()), "Tote: 1");
    EXPECT_EQ(ResultLines[0].percent, 50);
    EXPECT_EQ(ResultLines[1].percent, 100);
    EXPECT_EQ(ResultLines[2].percent, 100);
}

}  // namespace
}  // namespace kv
