// The save file: its header and globals block against bytes typed from the layout, a scene of
// mission 1 that touches every section saved, loaded and saved again, the refused files, and a
// failed write.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "core/view.h"
#include "gfx/frame_buffer.h"
#include "mission/mission_checksum.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "mission/mission_steps.h"
#include "mission/mission_tick.h"
#include "mission/screen_calls.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/zones.h"
#include "persons/personen.h"
#include "platform/crc32.h"
#include "platform/data_folders.h"
#include "platform/files.h"
#include "screens/save_game.h"
#include "screens/save_screens.h"
#include "screens/save_sections.h"
#include "support/golden_bytes.h"
#include "support/headless_test.h"
#include "support/saved_slot.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand.h"
#include "world/explosions.h"
#include "world/schlauch_strahl.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

using test::GoldenBytes;

// The header's name, preview corners, mission and part, typed as the file holds them.
GoldenBytes TypedHeader() {
    GoldenBytes g;
    g.at(0).bytes({190, 0});
    g.at(2).text("Feld").bytes({0}).zeros(45);
    g.at(52).bytes({11}).zeros(76).bytes({22});  // row 0: first and last pixel
    g.zeros(78 * 56);
    g.bytes({33}).zeros(76).bytes({44});  // row 57
    g.at(4576).bytes({1, 0});
    return g;
}

// The globals block with a value of its own in every field.
GoldenBytes TypedGlobals() {
    GoldenBytes g;
    g.at(0).bytes({0x10, 0x02, 0x20, 0x01});   // view 528, 288
    g.at(4).bytes({0x2C, 0x01, 0x00, 0x00});   // tick 300
    g.at(8).bytes({3});                        // clock mode
    g.at(9).bytes({0x78, 0x56, 0x34, 0x12});   // clock
    g.at(13).bytes({1});                       // part two
    g.at(14).bytes({0x40, 0x42, 0x0F, 0x00});  // money 1000000
    g.at(18).bytes({0xFF, 0xFF, 0xFF, 0xFF});  // start money -1
    g.at(22).bytes({0xFE, 0xFF});              // cooldown -2
    g.at(24).bytes({0xEA, 0x03});              // selection 1002
    g.at(26).bytes({0x07, 0x00});              // selected 7
    g.at(28);
    for (std::uint8_t c = 1; c <= 9; ++c) g.bytes({c, 0});       // counters 1..9
    g.at(46).bytes({0x01, 0x01, 0x02, 0x01, 0x03, 0x01});        // S0..S2
    g.bytes({0x04, 0x00, 0x00, 0x80, 0x05, 0x00, 0x00, 0x80});   // S3, S4
    g.bytes({0x06, 0x01, 7, 8, 0x09, 0x01, 10, 11, 12});         // S5..S9c
    for (std::uint8_t s = 13; s <= 17; ++s) g.bytes({s, 0x01});  // S10..S14
    g.at(79);
    return g;
}

class SaveFileLayout : public test::HeadlessTest {};

TEST_F(SaveFileLayout, HeaderReadsAndWritesByteForByte) {
    const GoldenBytes typed = TypedHeader();
    ByteReader in(typed);
    const SaveHeader h = ReadRecord<SaveHeader>(in);
    ASSERT_TRUE(in.ok());
    EXPECT_EQ(h.version, 190);
    EXPECT_STREQ(reinterpret_cast<const char*>(h.name.data()), "Feld");
    EXPECT_EQ(h.preview[0], 11);
    EXPECT_EQ(h.preview[77], 22);
    EXPECT_EQ(h.preview[57 * 78], 33);
    EXPECT_EQ(h.preview[57 * 78 + 77], 44);
    EXPECT_EQ(h.mission, 1);
    EXPECT_EQ(h.partTwo, 0);
    ByteWriter out;
    WriteRecord(out, h);
    EXPECT_EQ(out.data(), typed.data());
}

TEST_F(SaveFileLayout, GlobalsBlockReadsAndWritesByteForByte) {
    const GoldenBytes typed = TypedGlobals();
    ByteReader in(typed);
    const SaveGlobals g = ReadRecord<SaveGlobals>(in);
    ASSERT_TRUE(in.ok());
    EXPECT_EQ(g.viewX, 528);
    EXPECT_EQ(g.viewY, 288);
    EXPECT_EQ(g.tickCounter, 300u);
    EXPECT_EQ(g.clockMode, 3);
    EXPECT_EQ(g.clock, 0x12345678u);
    EXPECT_EQ(g.partTwo, 1);
    EXPECT_EQ(g.money, 1000000);
    EXPECT_EQ(g.startMoney, -1);
    EXPECT_EQ(g.lflugCooldown, -2);
    EXPECT_EQ(g.selectionMode, 1002);
    EXPECT_EQ(g.selectedIndex, 7);
    EXPECT_EQ(g.counters.ToteCount, 1);
    EXPECT_EQ(g.counters.F101Count, 9);
    EXPECT_EQ(g.scratch.S3, static_cast<std::int32_t>(0x80000004u));
    EXPECT_EQ(g.scratch.S9c, 12);
    EXPECT_EQ(g.scratch.S14, 0x0111);

    // The running globals written give the same bytes; the scratch area's unkept byte stays out.
    ViewOrigin = {528, 288};
    TickCounter = 300;
    MissionClockMode = 3;
    MissionClock = 0x12345678u;
    PartTwo = 1;
    Money = 1000000;
    StartMoney = -1;
    LflugCooldown = -2;
    SelectionMode = 1002;
    SelectedIndex = 7;
    MissionCounters = g.counters;
    MissionScratch = g.scratch;
    MissionScratch.unkept = 99;
    // Without pontoon points the block is followed by the traffic path count, here 0.
    ZFWege.clear();
    ByteWriter out;
    WriteSaveGlobals(out);
    std::vector<std::uint8_t> written = out.take();
    ASSERT_EQ(written.size(), typed.data().size() + 1);
    EXPECT_EQ(written.back(), 0);
    written.pop_back();
    EXPECT_EQ(written, typed.data());
}

// Mission 1 with the vehicles of the scene in slots 0..2 besides the mission's own.
constexpr std::int16_t kLadder = 0;
constexpr std::int16_t kPontoon = 1;
constexpr std::int16_t kCannon = 2;
constexpr std::int16_t kExploding = 3;
void InitFahrzeugeForScene() {
    FahrzeugCount = 20;
    AllocFahrzeuge();
    CreateFahrzeug(kTypF106, 600, 300, 3);
    CreateFahrzeug(kTypF113, 700, 380, 3);
    CreateFahrzeug(kTypF104, 1000, 300, 9);
    CreateFahrzeug(kTypPARK01, 1300, 300, 3);
}

std::vector<int> Opcodes(const UnitHead& unit) {
    std::vector<int> ops;
    for (const Befehl* o = unit.orders; o != nullptr; o = o->next) ops.push_back(o->opcode);
    return ops;
}

std::vector<std::uint8_t> SlotBytes(int slot) {
    return ReadFileBytes(ReadBackPath(SaveSlotPath(slot))).value_or(std::vector<std::uint8_t>{});
}

void WriteSlotBytes(int slot, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(WritePath(SaveSlotPath(slot)), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// The trailer made anew for changed bytes, as a file that passes its check but not the level.
std::vector<std::uint8_t> WithTrailer(std::vector<std::uint8_t> file) {
    file.resize(file.size() - kSaveTrailerBytes);
    const auto length = static_cast<std::uint32_t>(file.size());
    const std::uint32_t crc = Crc32(file);
    ByteWriter t;
    t.bytes(kSaveTrailerMarker);
    t.u32(length);
    t.u32(crc);
    file.insert(file.end(), t.data().begin(), t.data().end());
    return file;
}

// One mission frame drawn, as the game shows the first frame of a loaded game.
void DrawMissionFrame() {
    if (MissionView.BuildDrawList != nullptr) MissionView.BuildDrawList();
    if (MissionView.DrawGameScreen != nullptr) MissionView.DrawGameScreen();
}

class SaveGamePlay : public test::MissionTest {
  protected:
    void startScene() {
        SetWriteFolder(dir.path().string());
        test::ScriptedPlayer player(backend);
        playIntoMissionOne(player, [](MissionHooks& row) {
            row.InitFahrzeuge = InitFahrzeugeForScene;
            // The scene is not about mission 1's rules: it must not end the mission.
            row.CheckMission = [] {};
        });
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    }
};

// The scene: fire, a walker with a second goal list deep in its queue, a person in distress, a
// hose carrier with its jet, the basket raised, the pontoon layer on order 57 with placeholders,
// the cannon vehicle with a road route, a ring in flight, a live explosion and two zones.
struct Scene {
    std::int16_t walker = -1;
    std::int16_t victim = -1;
    std::int16_t hose = -1;
    std::int16_t ring = -1;
};

Scene BuildScene() {
    Scene s;
    EXPECT_TRUE(IgniteMapCellAt(34, 15));
    s.walker = PlaceNewPerson(1, 1200, 250, 0, 0);
    s.victim = PlaceNewPerson(3, 1100, 260, 0, 0);
    s.hose = PlaceNewPerson(11, 1050, 300, 0, 0);
    EXPECT_TRUE(s.walker >= 0 && s.victim >= 0 && s.hose >= 0);
    Person& w = Personen[static_cast<std::size_t>(s.walker)];
    AppendBefehl(w, kOpGoals, GoalList{{1250, 260, kGoalNoFacing, 0}, {1300, 300, 3, 0}}, 0, 0, 0);
    AppendBefehl(w, kOpWait, 20, 0, 0, 0, 0);
    AppendBefehl(w, kOpGoals, GoalList{{900, 280, kGoalNoFacing, 0}}, 0, 0, 0);
    // Last, a walk through a door whose double is the hose carrier (the mark is not saved).
    AppendBefehl(w, 169, 0, 0, 0, s.hose, 0);
    Person& v = Personen[static_cast<std::size_t>(s.victim)];
    v.controlFlags |= kPersonInDistress;
    DeadlinePlan& plan = v.attachment.makePlan();
    plan.deadline = 90;
    plan.scriptBytes[7] = 5;
    Personen[static_cast<std::size_t>(s.hose)].attachment.makeJet();
    StartSchlauchStrahl(s.hose, 1100, 330, 0, 0);

    Fahrzeuge[kLadder].kanzel->position = 2;
    Fahrzeug& cannon = Fahrzeuge[kCannon];
    AppendBefehl(cannon, kOpCannonAim, GoalList{{1000, 200, 0, 0}, {31, 7, 0, 0}}, 0, 0, 0);
    auto* route = new Route;
    route->startId = 3;
    route->targetId = 4;
    route->listA = {{1, 900, 300, 0}, {2, 800, 310, 1}};
    route->order = std::make_unique<RouteOrderCopy>(RouteOrderCopy{0, 0, 5, 6});
    cannon.route = route;

    s.ring = FindFreeSonderObj();
    EXPECT_GE(s.ring, 0);
    CreateSonderObj(s.ring, kSobjRing, 1000, 350, 0, 0, 0, 0, 0);
    AppendSonderObjCommand(s.ring, kCmdRingFlight, FlightBlock{0.6f, 0.8f, 9.0f, 12, 200}, 0, 0);
    ExplodeFahrzeug(kExploding);
    EXPECT_GT(ExplosionSlots[FahrzeugTypOf(Fahrzeuge[kExploding]).explosionKind].live, 0u);
    ZoneCount = 2;
    Zones = {{10, 20, 300, 200, 3, 1}, {400, 20, 600, 200, 2, 0}};
    return s;
}

// The F113 in the middle of a laying, placeholders standing. Laid after the scene's ticks: the
// laying's own handler would refuse a point no mission defines.
void AddLayingInProgress() {
    Befehl placing;
    placing.opcode = kOpSetUp;
    placing.setA(std::int32_t{3});
    placing.placeholders = {40, 41};
    AppendBefehl(Fahrzeuge[kPontoon], placing);
}

TEST_F(SaveGamePlay, SavedLoadedAndSavedAgainGivesTheSameFile) {
    startScene();
    const Scene scene = BuildScene();
    for (int t = 0; t < 5; ++t) RunGameTicks(0);
    AddLayingInProgress();
    const std::vector<int> walkerOrders = Opcodes(Personen[scene.walker]);
    ASSERT_TRUE(WriteSaveSlot(0, "Szene"));
    const std::uint64_t before = MissionChecksum();
    // A loaded game draws its first frame at once, and drawing moves the cannon jet's texture
    // on: the file to match is the running game's after that one frame.
    DrawMissionFrame();
    ASSERT_TRUE(WriteSaveSlot(1, "Szene"));
    const std::vector<std::uint8_t> saved = SlotBytes(1);

    ASSERT_TRUE(test::LoadSavedSlot(0));
    EXPECT_EQ(LastSaveRefusal, "");
    EXPECT_EQ(MissionChecksum(), before);
    EXPECT_EQ(BriefingUnread, 0);
    EXPECT_EQ(BrandPhase, static_cast<std::int16_t>(TickCounter % kBrandPhaseCount));
    ASSERT_TRUE(WriteSaveSlot(2, "Szene"));
    EXPECT_EQ(SlotBytes(2), saved);

    // The queues are the saved ones, with their lists.
    EXPECT_EQ(Opcodes(Personen[scene.walker]), walkerOrders);
    const Befehl* deep = Personen[scene.walker].orders;
    while (deep != nullptr && deep->next != nullptr && deep->next->next != nullptr)
        deep = deep->next;
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(Personen[scene.hose].doorOrder, deep->next) << "the door double is marked again";
    ASSERT_EQ(deep->goals.size(), 1u);
    EXPECT_EQ(deep->goals[0].x, 900.0f);
    ASSERT_NE(Personen[scene.hose].attachment.jet(), nullptr);
    const DeadlinePlan* plan = Personen[scene.victim].attachment.plan();
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(plan->scriptBytes[7], 5);
    const Befehl* placing = Fahrzeuge[kPontoon].orders;
    ASSERT_NE(placing, nullptr);
    EXPECT_EQ(placing->placeholders, (std::vector<std::int16_t>{40, 41}));
    ASSERT_NE(Fahrzeuge[kCannon].route, nullptr);
    EXPECT_EQ(Fahrzeuge[kCannon].route->listA.size(), 2u);
    const SonderObjCommand* flight = SonderObjs[scene.ring].commands.get();
    ASSERT_NE(flight, nullptr);
    ASSERT_NE(flight->flight, nullptr);
    EXPECT_EQ(flight->flight->distance, 200);
    EXPECT_EQ(Zones.size(), 2u);
}

// Files of ours written before they held the number of their traffic paths carry the trailer's
// marker in the name; they still load, with every path the mission makes.
TEST_F(SaveGamePlay, AnEarlierFileWithoutThePathCountStillLoads) {
    startScene();
    BuildScene();
    for (int t = 0; t < 5; ++t) RunGameTicks(0);
    ASSERT_TRUE(WriteSaveSlot(0, "Szene"));
    const std::uint64_t before = MissionChecksum();
    std::vector<std::uint8_t> file = SlotBytes(0);
    const std::size_t countAt = kSaveHeaderBytes + RecordSize<SaveGlobals>() +
                                PontonPunkte.size() * RecordSize<PontonPunkt>();
    ASSERT_EQ(file[countAt], ZFWege.size());
    file.erase(file.begin() + static_cast<long>(countAt));
    std::copy(kSaveTrailerMarker.begin(), kSaveTrailerMarker.end(),
              file.begin() + static_cast<long>(FieldOffset<SaveHeader>("name") + kNameMarkAt));
    WriteSlotBytes(0, WithTrailer(file));

    ASSERT_TRUE(test::LoadSavedSlot(0));
    EXPECT_EQ(LastSaveRefusal, "");
    EXPECT_EQ(MissionChecksum(), before);
}

TEST_F(SaveGamePlay, ThePreviewIsEveryEighthPixelOfTheView) {
    startScene();
    ASSERT_NE(WorkBuffer, nullptr);
    std::fill(WorkBuffer, WorkBuffer + kWorkBufferSize, std::uint8_t{1});
    WorkBuffer[10 * kScreenWidth + 10] = 7;
    WorkBuffer[(10 + 8 * 57) * kScreenWidth + 10 + 8 * 77] = 9;
    WorkBuffer[(10 + 8 * 57 + 1) * kScreenWidth + 10 + 8 * 77] = 5;  // between the samples
    MakeSavePreview();
    EXPECT_EQ(SavePreview.front(), 7);
    EXPECT_EQ(SavePreview.back(), 9);
    EXPECT_EQ(std::count(SavePreview.begin(), SavePreview.end(), 1), 78 * 58 - 2);
}

TEST_F(SaveGamePlay, TheSaveScreensChoiceIsWrittenUnderItsNameWithoutTheCaret) {
    startScene();
    SaveChosenSlot = 4;
    const std::string edited = "Autobahn_";
    std::copy(edited.begin(), edited.end(), SaveEditName.begin());
    ASSERT_TRUE(WriteSaveGame());
    EXPECT_EQ(SaveChosenSlot, 255);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "5.sav"));
    ASSERT_TRUE(ReadSaveSlotInfo(4));
    EXPECT_STREQ(LastSaveSlotInfo.name.data(), "Autobahn");
}

// A base's staff and a vehicle driving out of a base belong to the base: neither is saved, and
// the bought vehicle is not counted as bought.
TEST_F(SaveGamePlay, WhatIsInsideABaseIsNotSaved) {
    startScene();
    const std::int16_t staff = PlaceNewPerson(1, 1200, 250, 0, 0);
    ASSERT_GE(staff, 0);
    Personen[static_cast<std::size_t>(staff)].storey = -3;
    const std::int16_t leaving = CreateFahrzeug(kTypF104, 1400, 300, 3);
    ASSERT_GE(leaving, 0);
    SetupFahrzeug(leaving, kOwnerBought);
    Fahrzeuge[static_cast<std::size_t>(leaving)].storey = -5;
    // Its crew rides in it, off the map: it goes with the vehicle.
    const std::int16_t crew = PlaceNewPerson(1, 1400, 300, 0, 0);
    ASSERT_GE(crew, 0);
    Personen[static_cast<std::size_t>(crew)].offMap = 1;
    Fahrzeuge[static_cast<std::size_t>(leaving)].seats[0] = static_cast<std::uint16_t>(crew);
    const std::uint16_t bought = BoughtFahrzeugCount;
    ASSERT_TRUE(WriteSaveSlot(0, "Basis"));
    ASSERT_TRUE(test::LoadSavedSlot(0));
    EXPECT_EQ(Personen[static_cast<std::size_t>(staff)].type, -1);
    EXPECT_EQ(Personen[static_cast<std::size_t>(crew)].type, -1);
    EXPECT_EQ(Fahrzeuge[static_cast<std::size_t>(leaving)].type, -1);
    EXPECT_EQ(BoughtFahrzeugCount, bought - 1);
}

TEST_F(SaveGamePlay, RefusedFilesLeaveTheGameOrPlayTheFreshMission) {
    startScene();
    BuildScene();
    for (int t = 0; t < 5; ++t) RunGameTicks(0);
    AddLayingInProgress();
    ASSERT_TRUE(WriteSaveSlot(0, "Szene"));
    const std::vector<std::uint8_t> saved = SlotBytes(0);
    const std::size_t n = saved.size();
    const auto cut = [&saved](std::size_t size) {
        return std::vector<std::uint8_t>(saved.begin(), saved.begin() + static_cast<long>(size));
    };
    const auto flip = [&saved](std::size_t at) {
        std::vector<std::uint8_t> f = saved;
        f[at] ^= 0x10;
        return f;
    };
    const auto set = [&saved](std::size_t at, std::uint8_t value) {
        std::vector<std::uint8_t> f = saved;
        f[at] = value;
        return WithTrailer(f);
    };
    struct Row {
        const char* what;
        std::vector<std::uint8_t> file;
    };
    const std::vector<Row> untouched = {
        {"empty", cut(0)},
        {"cut at 2", cut(2)},
        {"cut at 4577", cut(4577)},
        {"cut at 4578", cut(4578)},
        {"cut in a section", cut(n / 2)},
        {"one byte short", cut(n - 1)},
        {"bit in the header", flip(100)},
        {"bit in a section", flip(6000)},
        {"bit in the trailer", flip(n - 3)},
        {"version 191", set(0, 191)},
        {"mission 0", set(4576, 0)},
        {"mission 31", set(4576, 31)},
    };
    const std::uint64_t running = MissionChecksum();
    for (const Row& row : untouched) {
        WriteSlotBytes(2, row.file);
        EXPECT_FALSE(ReadSaveSlotInfo(2)) << row.what;
        EXPECT_FALSE(ReadSaveHeader(2)) << row.what;
        EXPECT_EQ(MissionChecksum(), running) << row.what;
        EXPECT_EQ(MissionNummer, 1) << row.what;
    }

    // A slot index past the rebuilt vehicle array: the file passes its own checks, the mission
    // is rebuilt, and the file is refused over it.
    const std::size_t firstVehicle = kSaveHeaderBytes + 79 + PontonPunkte.size() * 22 + 1 +
                                     ZFWege.size() * 6 + 1 + Zones.size() * 12 + 2;
    std::vector<std::uint8_t> pastSlots = saved;
    pastSlots[firstVehicle] = 0xE7;
    pastSlots[firstVehicle + 1] = 0x03;
    WriteSlotBytes(2, WithTrailer(pastSlots));
    ASSERT_TRUE(ReadSaveSlotInfo(2));
    EXPECT_FALSE(test::LoadSavedSlot(2) && LastSaveRefusal.empty());
    EXPECT_EQ(LastSaveRefusal, "vehicle slot 999 past the slots");
    EXPECT_EQ(TickCounter, 0u) << "the fresh mission plays";
    EXPECT_STREQ(MessageLine.data(), "Spielstand konnte nicht geladen werden!");
    // Set for 100 frames; the fresh mission's first frame has shown it once.
    EXPECT_EQ(MessageLineCountdown, 99);
}

// A float that is not finite, in a file whose own check passes, is refused as a file that does
// not fit the mission: the fresh mission plays.
TEST_F(SaveGamePlay, NonFiniteFloatsAreRefused) {
    startScene();
    const Scene scene = BuildScene();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Row {
        const char* what;
        float* field;
        float value;
        const char* refusal;
    };
    const Row rows[] = {
        {"object y", &SonderObjs[static_cast<std::size_t>(scene.ring)].y, nan,
         "a special object holds a float that is not finite"},
        {"vehicle speed", &Fahrzeuge[kCannon].speed, inf,
         "a vehicle holds a float that is not finite"},
        {"person x", &Personen[static_cast<std::size_t>(scene.walker)].x, -inf,
         "a person holds a float that is not finite"},
        {"traffic path speed", &ZFWege.at(0).speed, nan,
         "a traffic path holds a float that is not finite"},
        {"goal point", &Personen[static_cast<std::size_t>(scene.walker)].orders->goals.at(0).y, nan,
         "an order's goal holds a float that is not finite"},
    };
    int slot = 2;
    for (const Row& row : rows) {
        const float kept = *row.field;
        *row.field = row.value;
        ASSERT_TRUE(WriteSaveSlot(slot++, row.what));
        *row.field = kept;
    }
    slot = 2;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(ReadSaveSlotInfo(slot));
        ASSERT_TRUE(test::LoadSavedSlot(slot++));
        EXPECT_EQ(LastSaveRefusal, row.refusal);
        EXPECT_EQ(TickCounter, 0u) << "the fresh mission plays";
    }
}

// A save killed while writing leaves its temporary file beside the slot. The slot's next save
// takes away those of writers that have ended (other slots' stay), the slot lists those of every
// slot; a running writer's stays, and the old save still loads.
TEST_F(SaveGamePlay, StaleTemporariesOfASlotAreRemoved) {
    startScene();
    ASSERT_TRUE(WriteSaveSlot(0, "alt"));
    const std::string slot = WritePath(SaveSlotPath(0));
    // No process has an id this high; the parent of this one runs.
    const std::string ended = slot + ".tmp999999999";
    const std::string mine = slot + ".tmp" + std::to_string(::getpid());
    const std::string running = slot + ".tmp" + std::to_string(::getppid());
    const std::string otherSlot = WritePath(SaveSlotPath(10)) + ".tmp999999999";
    const std::string notOurs = slot + ".tmpx";
    const auto leaveAll = [&] {
        for (const std::string& path : {ended, mine, running, otherSlot, notOurs})
            std::ofstream(path) << "cut";
    };
    const auto left = [&] {
        std::vector<bool> there;
        for (const std::string& path : {ended, mine, running, otherSlot, notOurs})
            there.push_back(std::filesystem::exists(path));
        return there;
    };
    leaveAll();
    OpenLoadGame();
    EXPECT_EQ(left(), std::vector<bool>({false, false, true, false, true}));
    StartLoadedGame(-1);
    ASSERT_TRUE(ReadSaveSlotInfo(0));
    EXPECT_STREQ(LastSaveSlotInfo.name.data(), "alt");

    leaveAll();
    ASSERT_TRUE(WriteSaveSlot(0, "neu"));
    EXPECT_EQ(left(), std::vector<bool>({false, false, true, true, true}));
    EXPECT_TRUE(test::LoadSavedSlot(0));
    EXPECT_EQ(LastSaveRefusal, "");
}

TEST_F(SaveGamePlay, AFailedWriteLeavesTheOldSlot) {
    startScene();
    ASSERT_TRUE(WriteSaveSlot(0, "alt"));
    const std::vector<std::uint8_t> old = SlotBytes(0);
    // A folder where the temporary file would go.
    const std::string path = WritePath(SaveSlotPath(0));
    std::filesystem::create_directory(path + ".tmp" + std::to_string(::getpid()));
    RunGameTicks(0);
    EXPECT_FALSE(WriteSaveSlot(0, "neu"));
    EXPECT_EQ(SlotBytes(0), old);
}

}  // namespace
}  // namespace kv
