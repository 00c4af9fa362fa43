// Mission 3 on the sample data: its set-up, the cat on its branch, its flight from the basket, the
// call that brings it down, the clicks at the owner's car and at the tree, its sound, a save in
// the middle of a walk, its checks and its evaluation.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/random.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_checksum.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "missions/mission_rows.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "movement/traffic_paths.h"
#include "persons/person_befehle.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/data_folders.h"
#include "screens/save_game.h"
#include "support/sound_log.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr int kCatSlot = 1;
constexpr std::int16_t kCatRight = 19;
constexpr std::int16_t kCatLeft = 20;
constexpr std::int16_t kCatJump = 21;
constexpr std::uint8_t kOpCallCat = 186;

class MissionThree : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        GameSpeed = 1;
        SeedRandom(5);
        CampaignPosition = CampaignPositionOf(3);
        StartMission(kNewMission);
        leaveKarte();
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        ASSERT_EQ(MissionNummer, 3);
    }

    static SonderObj& cat() { return SonderObjs[kCatSlot]; }
    static std::int16_t catFrames() {
        return SonderObjTypen[static_cast<std::size_t>(cat().type)].frameCount;
    }
    static std::int16_t restTicks() { return SignedWord(MissionScratch.S0); }
    static void update() { kMissionHooksM03.UpdateMission(); }
    static void placeCat(float x, float y, std::int16_t type, std::uint8_t state) {
        cat().x = x;
        cat().y = y;
        cat().type = type;
        MissionScratch.S6 = state;
    }
    static Person& person(std::int8_t type, std::int16_t x, std::int16_t y) {
        const std::int16_t i = CreatePersonAt(x, y, 0, 0);
        EXPECT_GE(i, 0);
        Person& p = Personen[static_cast<std::size_t>(i)];
        LoadPersonTyp(type);
        p.type = type;
        p.controlFlags = 0;
        return p;
    }
    static std::int16_t indexOf(const Person& p) {
        return static_cast<std::int16_t>(&p - Personen.data());
    }
    static std::int16_t ladder(std::int16_t x, std::int16_t y, std::int8_t anim,
                               std::uint8_t column) {
        const std::int16_t v = CreateFahrzeug(kTypF106, x, y, 3);
        EXPECT_GE(v, 0);
        SetupFahrzeug(v, kOwnerBought);
        SetFahrzeugAnim(v, anim);
        Fahrzeuge[static_cast<std::size_t>(v)].kanzel->column = column;
        return v;
    }
    static std::vector<int> opcodes(const UnitHead& unit) {
        std::vector<int> ops;
        for (const Befehl* o = unit.orders; o != nullptr; o = o->next) ops.push_back(o->opcode);
        return ops;
    }
    // One tick of the persons and the script, in the tick's order.
    static void tick(std::int16_t caller) {
        ExecutePersonBefehl(caller);
        update();
    }
};

TEST_F(MissionThree, SetsUpItsScratchWordsAndBothStreetsBringTheOwnersCar) {
    EXPECT_EQ(MissionScratch.S5, 65535);
    EXPECT_EQ(MissionScratch.S6, 0);
    EXPECT_EQ(MissionScratch.S7, 0);
    EXPECT_EQ(MissionScratch.S8, 65535);
    EXPECT_EQ(MissionScratch.S0, 0);
    EXPECT_EQ(cat().type, kCatRight);
    EXPECT_EQ(cat().z, 44.0f);
    EXPECT_EQ(catFrames(), 1) << "a resting cat is still";
    ASSERT_EQ(ZFWege.size(), 2u);
    EXPECT_EQ(ZFWege[0].targetX, 1764);
    EXPECT_EQ(ZFWege[1].turnY, 790);

    // Cars are spawned and cleared away until each street has brought an SF02.
    SeedRandom(3);
    bool owner[2] = {false, false};
    for (int n = 0; n < 200 && !(owner[0] && owner[1]); ++n) {
        for (ZFWeg& w : ZFWege) w.timer = w.interval;
        SpawnZF();
        for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
            Fahrzeug& v = Fahrzeuge[i];
            if (v.type == -1) continue;
            if (v.type == kTypSF02 && v.link < 2) {
                owner[v.link] = true;
                EXPECT_EQ(v.direction, 3);
            }
            RemoveFahrzeug(static_cast<std::int16_t>(i), 0);
        }
    }
    EXPECT_TRUE(owner[0]);
    EXPECT_TRUE(owner[1]);
}

// The cat's own round: it sets off at once (its countdown is signed), walks two pixels a tick,
// two pixels higher left of the knot, and rests 80 ticks at each end.
TEST_F(MissionThree, TheCatWalksItsBranchAndRestsAtEachEnd) {
    struct Row {
        int tick;
        std::uint8_t state;
        std::int16_t type;
        float x;
        float y;
        std::int16_t frames;
    };
    const Row rows[] = {
        {1, 1, kCatLeft, 747, 570, 4},    {6, 1, kCatLeft, 737, 570, 4},
        {7, 1, kCatLeft, 735, 568, 4},    {16, 0, kCatLeft, 717, 568, 1},
        {95, 0, kCatLeft, 717, 568, 1},   {96, 2, kCatRight, 717, 568, 4},
        {105, 2, kCatRight, 735, 570, 4}, {111, 0, kCatRight, 747, 570, 1},
        {190, 0, kCatRight, 747, 570, 1}, {191, 1, kCatLeft, 747, 570, 4},
    };
    int t = 0;
    for (const Row& r : rows) {
        while (t < r.tick) {
            update();
            ++t;
        }
        SCOPED_TRACE(r.tick);
        EXPECT_EQ(MissionScratch.S6, r.state);
        EXPECT_EQ(cat().type, r.type);
        EXPECT_EQ(cat().x, r.x);
        EXPECT_EQ(cat().y, r.y);
        EXPECT_EQ(catFrames(), r.frames);
    }
}

// A caller within 4 px sets the cat off toward the knot; from the knot it jumps, and the jump
// reaches the ground line in 14 ticks from the right-hand branch, 15 from the higher left one.
TEST_F(MissionThree, TheCallerBringsTheCatToTheKnotAndItJumps) {
    struct Case {
        const char* what;
        float catX;
        float catY;
        std::int16_t catType;
        std::uint8_t walking;
        std::int16_t expectType;
        int jumpTicks;
    };
    const Case cases[] = {
        {"resting at the left end", 717, 568, kCatLeft, 2, kCatRight, 14},
        {"resting at the right end", 747, 570, kCatRight, 1, kCatLeft, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        placeCat(c.catX, c.catY, c.catType, 0);
        MissionScratch.S0 = 500;
        Person& p = person(0, 760, 598);
        const std::int16_t caller = indexOf(p);
        AppendBefehl(p, kOpCallCat, 760, 598, 0, 0, 1);
        tick(caller);
        EXPECT_EQ(MissionScratch.S6, c.walking);
        EXPECT_EQ(cat().type, c.expectType);
        int n = 0;
        while (MissionScratch.S6 != 3 && n++ < 20) tick(caller);
        ASSERT_EQ(MissionScratch.S6, 3);
        EXPECT_EQ(cat().type, kCatJump);
        EXPECT_EQ(p.orders, nullptr) << "the call ends once the cat jumps";
        int ticks = 1;  // the tick the order saw the cat at the knot moved it too
        while (cat().y < 625 && ticks < 30) {
            update();
            ++ticks;
        }
        EXPECT_EQ(ticks, c.jumpTicks);
        DeletePerson(caller);
    }
}

TEST_F(MissionThree, ACallerTooFarFromThePointGivesUp) {
    struct Case {
        int dx;
        int dy;
        bool starts;
    };
    const Case cases[] = {{4, -4, true}, {-4, 4, true}, {5, 0, false}, {0, -5, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dx * 100 + c.dy);
        placeCat(747, 570, kCatRight, 0);
        Person& p =
            person(0, static_cast<std::int16_t>(760 + c.dx), static_cast<std::int16_t>(598 + c.dy));
        AppendBefehl(p, kOpCallCat, 760, 598, 0, 0, 1);
        ExecutePersonBefehl(indexOf(p));
        EXPECT_EQ(MissionScratch.S6, c.starts ? 1 : 0);
        EXPECT_EQ(cat().type, c.starts ? kCatLeft : kCatRight);
        EXPECT_EQ(p.orders == nullptr, !c.starts);
        DeletePerson(indexOf(p));
    }
}

// With the basket standing at the branch's left the cat runs to the right end and stays; once the
// basket moves or the ladder goes, the flight ends and the cat rests where it is.
TEST_F(MissionThree, TheCatFleesAStandingBasketUntilItMovesOrTheLadderGoes) {
    const std::int16_t v = ladder(800, 641, 3, 11);
    Fahrzeug& f = Fahrzeuge[static_cast<std::size_t>(v)];
    const auto flee = [&] {
        placeCat(717, 568, kCatLeft, 0);
        MissionScratch.S0 = 500;
        MissionScratch.S7 = 1;
        MissionScratch.S8 = static_cast<std::uint16_t>(v);
        update();
        EXPECT_EQ(MissionScratch.S6, 2);
        EXPECT_EQ(cat().type, kCatRight);
    };
    flee();
    for (int n = 0; n < 30; ++n) update();
    EXPECT_EQ(cat().x, 747);
    EXPECT_EQ(MissionScratch.S6, 0);
    EXPECT_EQ(MissionScratch.S7, 1) << "the flight holds while the basket stands";
    EXPECT_EQ(MissionScratch.S0, 500) << "no rest is counted in flight";

    flee();
    for (int n = 0; n < 3; ++n) update();
    AppendBefehl(f, kOpBasketToColumn, 0, 0, 0, 0, 0);
    update();
    EXPECT_EQ(MissionScratch.S7, 0);
    EXPECT_EQ(MissionScratch.S6, 0);
    EXPECT_EQ(cat().x, 723) << "the cat stops where it is";
    EXPECT_EQ(catFrames(), 1);
    ClearBefehle(f);

    flee();
    update();
    SetFahrzeugAnim(v, 0);
    update();
    EXPECT_EQ(MissionScratch.S7, 0);
    EXPECT_EQ(cat().x, 719);

    // S8 naming a vehicle that is no F106 ends the flight too.
    const std::int16_t car = CreateFahrzeug(kTypSF02, 300, 300, 3);
    placeCat(717, 568, kCatLeft, 0);
    MissionScratch.S7 = 1;
    MissionScratch.S8 = static_cast<std::uint16_t>(car);
    update();
    EXPECT_EQ(MissionScratch.S7, 0);
}

// The cursor and the click at the owner's car and at the tree, by what is selected and hovered.
TEST_F(MissionThree, ClicksAtTheCarAndTheTreeGiveTheirOrders) {
    Person& officer = person(0, 400, 760);
    Person& other = person(4, 420, 760);
    Person& typeThree = person(3, 440, 760);
    const std::int16_t car = CreateFahrzeug(kTypSF02, 600, 770, 3);
    const std::int16_t carWest = CreateFahrzeug(kTypSF02, 600, 820, 9);
    const std::int16_t atTree = ladder(800, 641, 3, 3);
    const std::int16_t elsewhere = ladder(1000, 641, 3, 11);
    const std::int16_t packed = ladder(1000, 400, 0, 3);
    MissionScratch.S5 = static_cast<std::uint16_t>(indexOf(officer));

    enum Setup : std::uint8_t { Standing, Driving, Queued, BasketBusy, FleeSet, Column11 };
    struct Case {
        const char* what;
        std::uint16_t hoverKind;
        std::int16_t hovered;
        std::uint16_t mode;
        std::int16_t selected;
        Setup setup;
        int mouseX;
        std::uint8_t claimed;
        std::vector<int> orders;  // the selected unit's after the click
    };
    const std::int16_t o = indexOf(officer);
    const Case cases[] = {
        {"SF02 standing", kHoverFahrzeug, car, 1000, o, Standing, 0, 1, {0, 1, 184}},
        {"SF02 driving", kHoverFahrzeug, car, 1000, o, Driving, 0, 0, {}},
        {"SF02 queued", kHoverFahrzeug, car, 1000, o, Queued, 0, 1, {0, 1, 184}},
        {"SF02 facing 9", kHoverFahrzeug, carWest, 1000, o, Standing, 0, 0, {}},
        {"mode 1003", kHoverFahrzeug, car, 1003, indexOf(typeThree), Standing, 0, 1, {0, 1, 184}},
        {"mode 1004", kHoverFahrzeug, car, 1004, indexOf(other), Standing, 0, 0, {}},
        {"the marked person at the tree", kHoverSonderObj, 0, 1000, o, Standing, 0, 1, {0, 186}},
        {"the marked person at the cat", kHoverSonderObj, 1, 1000, o, Standing, 0, 1, {0, 186}},
        {"another person", kHoverSonderObj, 0, 1004, indexOf(other), Standing, 0, 0, {}},
        {"the marked person in a flight", kHoverSonderObj, 0, 1000, o, FleeSet, 0, 0, {}},
        {"F106 packed", kHoverSonderObj, 0, 5, packed, Standing, 0, 1, {0, 7, 1, 57, 58}},
        {"installed, x 737 from home",
         kHoverSonderObj,
         0,
         5,
         atTree,
         Standing,
         737,
         1,
         {59, 60, 64}},
        {"installed, x 738 from home",
         kHoverSonderObj,
         0,
         5,
         atTree,
         Standing,
         738,
         1,
         {59, 60, 64}},
        {"installed, x 737 from 11", kHoverSonderObj, 0, 5, atTree, Column11, 737, 1, {60, 64}},
        {"installed, x 738 from 11", kHoverSonderObj, 0, 5, atTree, Column11, 738, 1, {60, 64}},
        {"installed, basket busy", kHoverSonderObj, 0, 5, atTree, BasketBusy, 738, 1, {59, 60, 64}},
        {"installed elsewhere", kHoverSonderObj, 0, 5, elsewhere, Standing, 738, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (Person* p : {&officer, &other, &typeThree}) ClearBefehle(*p);
        for (std::int16_t v : {car, carWest, atTree, elsewhere, packed}) {
            ClearBefehle(Fahrzeuge[static_cast<std::size_t>(v)]);
            Fahrzeuge[static_cast<std::size_t>(v)].moverFlags = 0;
        }
        Fahrzeuge[static_cast<std::size_t>(atTree)].kanzel->column = c.setup == Column11 ? 11 : 3;
        MissionScratch.S7 = c.setup == FleeSet ? 1 : 0;
        Fahrzeug& hoveredCar = Fahrzeuge[static_cast<std::size_t>(car)];
        if (c.setup == Driving || c.setup == Queued) {
            AppendMoveBefehl(hoveredCar, kOpTraffic, 1764, 770, -100, 720, 0);
            if (c.setup == Driving) hoveredCar.moverFlags |= kMoverSearching;
        }
        if (c.setup == BasketBusy)
            AppendBefehl(Fahrzeuge[static_cast<std::size_t>(atTree)], kOpBasketToColumn, 0, 0, 0, 0,
                         0);
        HoverKind = c.hoverKind;
        HoverIds[0] = static_cast<std::uint16_t>(c.hovered);
        SelectionMode = c.mode;
        SelectedIndex = static_cast<std::uint16_t>(c.selected);
        ViewOrigin = {400, 300};
        MouseX = static_cast<std::uint16_t>(c.mouseX - 400);
        CursorId = 0;
        const bool vehicle = c.hoverKind == kHoverFahrzeug;
        const std::uint8_t cursor =
            vehicle ? kMissionHooksM03.CursorOnFahrzeug() : kMissionHooksM03.CursorOnSonderObj();
        const bool busy = c.setup == BasketBusy;
        EXPECT_EQ(cursor, busy ? 0 : c.claimed);
        if (cursor != 0) {
            EXPECT_EQ(CursorId, kCursorRescue);
        }
        const std::uint8_t claimed =
            vehicle ? kMissionHooksM03.ClickOnFahrzeug() : kMissionHooksM03.ClickOnSonderObj();
        EXPECT_EQ(claimed, c.claimed);
        const UnitHead& unit =
            c.mode < 1000
                ? static_cast<const UnitHead&>(Fahrzeuge[static_cast<std::size_t>(c.selected)])
                : Personen[static_cast<std::size_t>(c.selected)];
        EXPECT_EQ(opcodes(unit), c.orders);
        if (c.orders.size() == 3 && c.orders[2] == 184) {
            const Befehl& wait = *unit.orders->next->next;
            EXPECT_EQ(wait.aInt(), car);
            EXPECT_EQ(unit.orders->next->cInt(), 3) << "turned to the car";
        }
        if (!c.orders.empty() && c.orders.back() == 64) {
            const bool right = c.mouseX >= 738;
            const Befehl* swing = unit.orders;
            while (swing->opcode != kOpBasketToColumn) swing = swing->next;
            EXPECT_EQ(swing->aInt(), right ? 0 : 11);
            EXPECT_EQ(swing->next->aInt(), right ? 2 : 1);
        }
    }
}

TEST_F(MissionThree, OrderSixtyFourStartsTheFlight) {
    const std::int16_t v = ladder(800, 641, 3, 0);
    Fahrzeug& f = Fahrzeuge[static_cast<std::size_t>(v)];
    MissionScratch.S6 = 2;
    AppendBefehl(f, 64, 2, 0, 0, 0, 0);
    kMissionHooksM03.RunFahrzeugBefehl64(v);
    EXPECT_EQ(MissionScratch.S7, 2);
    EXPECT_EQ(MissionScratch.S8, v);
    EXPECT_EQ(MissionScratch.S6, 0);
    EXPECT_EQ(f.orders, nullptr);
}

// The cat's miaow comes first after 201 ticks of play, never while a base screen runs the ticks.
TEST_F(MissionThree, TheCatMiaowsAfter201TicksOfPlayOnly) {
    test::FillSoundSlotsWithTones();
    SoundOn = 1;
    backend.sound.clearCalls();
    for (int n = 0; n < 200; ++n) update();
    EXPECT_TRUE(test::PlayedSoundIds(backend.sound).empty());
    update();
    EXPECT_EQ(test::PlayedSoundIds(backend.sound), std::vector<int>{kFirstMissionSound});

    kMissionHooksM03.InitLevel();  // the countdown at 200 again
    backend.sound.clearCalls();
    GameMode = 8;
    for (int n = 0; n < 400; ++n) update();
    EXPECT_TRUE(test::PlayedSoundIds(backend.sound).empty());
    GameMode = 2;
}

// A game saved while the cat walks goes on as the unsaved one: the loaded cat keeps walking.
TEST_F(MissionThree, AGameSavedWhileTheCatWalksGoesOnTheSame) {
    SetWriteFolder(dir.path().string());
    for (int n = 0; n < 3; ++n) RunGameTicks(0);
    ASSERT_EQ(MissionScratch.S6, 1);
    ASSERT_TRUE(WriteSaveSlot(0, "Katze"));
    const std::uint32_t seed = RandomSeed();
    for (int n = 0; n < 6; ++n) RunGameTicks(0);
    const std::uint64_t walked = MissionChecksum();

    ASSERT_TRUE(ReadSaveHeader(0));
    ShutdownMission(1);
    StartMission(0);
    test::DispatchAll();
    SeedRandom(seed);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    EXPECT_EQ(catFrames(), 4);
    for (int n = 0; n < 6; ++n) RunGameTicks(0);
    EXPECT_EQ(MissionChecksum(), walked);
}

TEST_F(MissionThree, AnInjuryFailsAndTheCatOnTheGroundWins) {
    struct Case {
        const char* what;
        std::uint16_t injured;
        std::int16_t type;
        float y;
        std::uint32_t mode;
    };
    const Case cases[] = {
        {"the cat just above the ground", 0, kCatJump, 624, 2},
        {"the cat on the ground", 0, kCatJump, 625, 5},
        {"slot 1 holds no cat", 0, 18, 700, 2},
        {"an injury before the win", 1, kCatJump, 700, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameMode = 2;
        MessageLine.fill(0);
        VerletzteCount = c.injured;
        cat().type = c.type;
        cat().y = c.y;
        kMissionHooksM03.CheckMission();
        EXPECT_EQ(GameMode, c.mode);
        if (c.mode == 4) {
            EXPECT_EQ(std::string(MessageLine.data()), "Es hat einen Verletzten gegeben!");
        }
    }
}

TEST_F(MissionThree, EvaluatesTimeAndMoney) {
    TickCounter = 36000;
    Money = 500;
    kMissionHooksM03.EvaluateMission();
    EXPECT_EQ(ResultLines[0].percent, 52);
    EXPECT_EQ(ResultLines[1].percent, 50);
    EXPECT_STREQ(ResultLines[0].text.data(), "Zeit: 30:00");
    EXPECT_STREQ(ResultLines[1].text.data(), "Geld: 500");
    EXPECT_EQ(ResultLines[2].text[0], 0);
    EXPECT_EQ(EvaluationEfficiency, 50);
    EXPECT_EQ(EvaluationPoints, 375);
}

}  // namespace
}  // namespace kv
