#include "game_invariants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "app/program_tables.h"
#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/main_window.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "mission/mission_fixture.h"
#include "mission/view/draw_list.h"
#include "persons/personen.h"
#include "platform/system.h"
#include "platform/window.h"
#include "play_session.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv::play {
namespace {

using GameInvariants = test::MissionTest;

Person& FirstPerson() {
    for (Person& p : Personen)
        if (p.type >= 0) return p;
    throw std::logic_error("no person in the mission");
}

// Mission 1 starts without vehicles: the test buys one.
Fahrzeug& FirstFahrzeug() {
    for (Fahrzeug& v : Fahrzeuge)
        if (v.type >= 0) return v;
    constexpr std::int16_t kType = 3;
    LoadFahrzeugTyp(kType);
    const std::int16_t v = CreateFahrzeug(kType, 300, 300, 0);
    if (v < 0) throw std::logic_error("no room for a vehicle");
    SetupFahrzeug(v, kOwnerBought);
    return Fahrzeuge[static_cast<std::size_t>(v)];
}

using Undo = std::function<void()>;

// Sets the field and gives what puts it back.
template <class T>
Undo Set(T& field, T value) {
    const T old = field;
    field = value;
    return [&field, old] { field = old; };
}

SonderObj& FirstSonderObj() {
    for (SonderObj& o : SonderObjs)
        if (o.type >= 0) return o;
    throw std::logic_error("no object in the mission");
}

// Each broken state is refused with its own finding, and the state mended again passes: the
// check cannot pass everything.
TEST_F(GameInvariants, RefuseEachBrokenState) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    FirstFahrzeug();
    ASSERT_EQ(BrokenInvariant(backend), "");

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const auto persons = static_cast<std::uint16_t>(Personen.size());
    const auto vehicles = static_cast<std::uint16_t>(Fahrzeuge.size());
    struct Case {
        const char* finding;
        std::function<Undo()> breakIt;
    };
    const Case cases[] = {
        {"game mode 20 is none of the table's", [] { return Set(GameMode, 20u); }},
        {"game mode 3 is none of the table's",
         [] {
             // Every mode has its screen now: one is taken out of a copy of the table.
             static GameModeTable table;
             for (std::uint32_t m = 0; m < kGameModeCount; ++m) table[m] = HandlersFor(m);
             table[3] = {};
             SetGameModeTable(&table);
             const Undo mode = Set(GameMode, 3u);
             return Undo([mode] {
                 mode();
                 InstallProgramTables();
             });
         }},
        {"unit position not finite", [nan] { return Set(FirstPerson().x, nan); }},
        {"unit position not finite", [] { return Set(FirstFahrzeug().moveY, INFINITY); }},
        {"object position not finite", [nan] { return Set(FirstSonderObj().z, nan); }},
        {"seat past the persons",
         [persons] {
             Fahrzeug& v = FirstFahrzeug();
             v.seats.push_back(persons);
             return Undo([&v] { v.seats.pop_back(); });
         }},
        {"seat holds a free person slot",
         [] {
             Fahrzeug& v = FirstFahrzeug();
             v.seats.push_back(static_cast<std::uint16_t>(FindFreePerson()));
             return Undo([&v] { v.seats.pop_back(); });
         }},
        {"person seated in a free vehicle slot",
         [] {
             Fahrzeug& v = Fahrzeuge.at(static_cast<std::size_t>(FindFreeFahrzeug()));
             v.seats.push_back(static_cast<std::uint16_t>(&FirstPerson() - Personen.data()));
             return Undo([&v] { v.seats.clear(); });
         }},
        {"person seated in two places",
         [] {
             Fahrzeug& v = FirstFahrzeug();
             const auto seated = static_cast<std::uint16_t>(&FirstPerson() - Personen.data());
             v.seats.insert(v.seats.end(), {seated, seated});
             return Undo([&v] { v.seats.resize(v.seats.size() - 2); });
         }},
        {"person link past the objects",
         [] { return Set(FirstPerson().link, std::uint16_t{0x2FFF}); }},
        {"person in the basket of no vehicle",
         [vehicles] { return Set(FirstPerson().basketVehicle, vehicles); }},
        {"person count past the slots",
         [persons] { return Set(PersonCount, static_cast<std::int16_t>(persons + 1)); }},
        {"selected vehicle past the vehicles",
         [vehicles] {
             const Undo mode = Set(SelectionMode, std::uint16_t{3});
             const Undo index = Set(SelectedIndex, vehicles);
             return Undo([=] {
                 index();
                 mode();
             });
         }},
        {"unknown hover kind", [] { return Set(HoverKind, std::uint16_t{8}); }},
        {"draw list count past its capacity",
         [] { return Set(DrawListCount, static_cast<std::int16_t>(kDrawListCapacity + 1)); }},
        {"draw list entry past its things",
         [persons] {
             const Undo count = Set(DrawListCount, std::int16_t{1});
             const Undo id = Set(DrawList[0].id, static_cast<std::uint16_t>(kDrawPerson + persons));
             return Undo([=] {
                 id();
                 count();
             });
         }},
        {"money below zero", [] { return Set(Money, -1); }},
        {"a mission counter wrapped below zero",
         [] { return Set(ToteCount, std::uint16_t{0xFFFF}); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.finding);
        const Undo undo = c.breakIt();
        EXPECT_TRUE(BrokenInvariant(backend).starts_with(c.finding)) << BrokenInvariant(backend);
        undo();
        EXPECT_EQ(BrokenInvariant(backend), "");
    }

    // A fatal error is a finding, unless the mission being started has no files in the data set.
    MissionNummer = 1;
    FatalError("file not found: MAPWEGE");
    EXPECT_FALSE(EndedOnMissingMission());
    EXPECT_EQ(BrokenInvariant(backend), "fatal error: file not found: MAPWEGE");
    MissionNummer = 19;  // a mission still without data
    EXPECT_TRUE(EndedOnMissingMission());
    EXPECT_EQ(BrokenInvariant(backend), "");
}

// The session plays a walk from the start picture through the campaign map into the mission,
// as the window procedure and the main loop's frames take it, with every frame checked.
TEST_F(GameInvariants, ASessionPlaysFromTheStartPictureIntoTheMission) {
    useSampleData(false);
    PlaySession session(backend);
    ASSERT_EQ(session.start(), "");
    EXPECT_EQ(GameMode, 1u);
    const auto click = [](int x, int y) {
        return PlayEvent{.kind = PlayEventKind::Click, .x = x, .y = y};
    };
    const PlayEvent frame{.kind = PlayEventKind::Frames, .frames = 2};
    const PlayEvent walk[] = {click(400, 300), frame};
    PlayOutcome out = PlayEvents(session, walk, 100);
    EXPECT_EQ(out.broken, "");
    ASSERT_EQ(GameMode, 10u);
    const PlayEvent leave[] = {click(KarteMarker.x, KarteMarker.y),
                               {.kind = PlayEventKind::Key, .code = VK_ESCAPE},
                               frame,
                               click(300, 200),
                               {.kind = PlayEventKind::Frames, .frames = 40}};
    out = PlayEvents(session, leave, 30);
    EXPECT_EQ(out.broken, "");
    EXPECT_EQ(out.frames, 30) << "the bound stops the play";
    EXPECT_EQ(GameMode, 2u) << FatalErrorMessage();
    EXPECT_EQ(session.framesRun(), 32);
    session.end();
    EXPECT_FALSE(IsWindow(MainWindow));
}

// A message box with the game running is a finding as well.
TEST_F(GameInvariants, RefuseAMessageBox) {
    useSampleData(false);
    openGame();
    ASSERT_EQ(BrokenInvariant(backend), "");
    MessageBox(MainWindow, "Hallo", "Kestrivon", MB_OK);
    EXPECT_EQ(BrokenInvariant(backend), "message box: Hallo");
}

}  // namespace
}  // namespace kv::play
