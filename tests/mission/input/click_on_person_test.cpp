// Clicks on a person: the helicopter's pick-up, pursuits, carrying, treating, reviving, loading
// onto the stretcher, and choosing the person. Clicks on special objects: hydrants, the woodpile,
// the pontoon, the tent, the bed and the ring holders.

#include "mission/input/click_on_person.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/message_line.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "media/speech.h"
#include "mission/input/click_things_fixture.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/person_link.h"
#include "persons/personen.h"
#include "vehicles/carry_befehle.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

using Strings = std::vector<std::string>;

constexpr std::int8_t kCasualtyTyp = 34;

std::string N(int v) {
    return std::to_string(v);
}

class PersonClick : public test::ThingClickTest {
  protected:
    // A casualty lying at (x, y) in the direction; it lies as the mission's casualties do.
    std::int16_t Casualty(int x, int y, int direction) {
        LoadPersonTyp(kCasualtyTyp);
        const std::int16_t c = CreateVerletzter(
            kCasualtyTyp, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0,
            static_cast<std::uint8_t>(direction), 500000, 0, 0, 0);
        EXPECT_GE(c, 0);
        P(c).targetable = 1;
        return c;
    }
    std::int16_t Selected(int type, float x = 700, float y = 250) {
        const std::int16_t p = Walker(type, x, y);
        SelectPerson(p);
        return p;
    }
    // What choosing the casualty by a click leaves: its mode and its scream.
    void ExpectCasualtyChosen(std::int16_t c) {
        EXPECT_EQ(SelectionMode, kCasualtySelected);
        EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(c));
        EXPECT_EQ(P(c).selected, 1);
        const int group = PersonTypOf(P(c)).soundGroup;
        if (group >= 0) {
            EXPECT_EQ(Played(), std::vector<int>{41 + 4 * group});
        }
    }
    static bool MessageIs(const char* text) { return std::strcmp(MessageLine.data(), text) == 0; }
};

// --- The helicopter ----------------------------------------------------------------------------

TEST_F(PersonClick, TheHelicopterFetchesACasualtyLandingBesideIt) {
    const std::int16_t heli = Bought(kTypF203, 1000, 250);
    const std::int16_t c = Casualty(800, 250, 3);
    // Even one the player cannot choose.
    P(c).targetable = 0;
    SelectFahrzeug(heli);
    ClickPerson(c);
    const Strings landing = {"7(1,0,0,0)1", "1(800,250,3,0)1", "78(800,250," + N(c) + ",0)1"};
    Strings flying = {"0(800,250,0,0)0"};
    flying.insert(flying.end(), landing.begin(), landing.end());
    EXPECT_EQ(Orders(V(heli)), flying);
    EXPECT_EQ(Played(), Said(FahrzeugTypOf(V(heli)), 3));

    // A landed one takes off first.
    V(heli).link2 = 0;
    ClickPerson(c);
    Strings landed = {"52(0,0,0,0)0", "0(800,250,0,0)1"};
    landed.insert(landed.end(), landing.begin(), landing.end());
    EXPECT_EQ(Orders(V(heli)), landed);
}

TEST_F(PersonClick, MissionsSevenAndTwentyThreeFetchNoCasualtyInsideTheirBlock) {
    const std::int16_t heli = Bought(kTypF203, 1000, 250);
    // Cell (50, 30): row 30 starts at y 840, and its column 50 at x 1600 - 480.
    const std::int16_t inside = Walker(kCasualtyTyp, 1130, 845, 3);
    P(inside).casualty = 1;
    for (const std::uint8_t mission : {7, 23, 1}) {
        MissionNummer = mission;
        ClearBefehle(V(heli));
        SelectFahrzeug(heli);
        ClickPerson(inside);
        if (mission == 1) {
            EXPECT_EQ(LastOrder(V(heli)), "78(1130,845," + N(inside) + ",0)1");
        } else {
            EXPECT_EQ(V(heli).orders, nullptr) << int{mission};
            ExpectCasualtyChosen(inside);
        }
    }
}

// --- Civilians go after rivals and take onlookers along ----------------------------------------

TEST_F(PersonClick, ACivilianGoesAfterARivalOnItsStoreyWithTheMessageEvenWhenSilent) {
    const std::int16_t s = Selected(0);
    const std::int16_t rival = Walker(32, 760, 250);
    P(rival).controlFlags = kPersonController | kPersonRival;
    P(rival).targetable = 1;
    for (const std::uint8_t speech : {1, 0}) {
        ClearBefehle(P(s));
        ClearMessageLine();
        UnitSpeech = speech;
        ClickPerson(rival);
        // The approach with its callback, then the struggle (order 167).
        const Strings orders = Orders(P(s));
        ASSERT_EQ(orders.size(), 2u);
        EXPECT_EQ(orders[0].substr(0, 2), "5[");
        EXPECT_EQ(orders[1], "167(" + N(rival) + ",0,0,0)1");
        EXPECT_TRUE(MessageIs(kPursuitText));
        EXPECT_EQ(MessageLineCountdown, kPursuitFrames);
        EXPECT_EQ(Played(), speech == 1 ? Said(PersonTypOf(P(s)), 10) : std::vector<int>{});
        EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(s));
    }

    // On another storey the rival is chosen instead, and nobody goes after it.
    ClearBefehle(P(s));
    ClearMessageLine();
    P(rival).storey = 2;
    ClickPerson(rival);
    EXPECT_EQ(P(s).orders, nullptr);
    EXPECT_EQ(SelectionMode, kPersonSelected + 32);
    EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(rival));
    EXPECT_TRUE(MessageIs(""));
}

TEST_F(PersonClick, CiviliansAndStaffTakeAnOnlookerAlong) {
    for (const int type : {0, 2}) {
        ClearUnits();
        const std::int16_t s = Selected(type);
        const std::int16_t onlooker = Walker(0, 760, 250);
        P(onlooker).controlFlags = kPersonController | kPersonOnlooker;
        ClickPerson(onlooker);
        const Strings orders = Orders(P(s));
        ASSERT_EQ(orders.size(), 2u) << type;
        EXPECT_EQ(orders[1], "161(" + N(onlooker) + ",0,0,0)0");
        EXPECT_TRUE(MessageIs(kPursuitText));

        // Staff standing in a basket do not.
        if (type == 0) continue;
        ClearBefehle(P(s));
        const std::int16_t ladder = Bought(kTypF106, 900, 400);
        P(s).basketVehicle = static_cast<std::uint16_t>(ladder);
        ClickPerson(onlooker);
        EXPECT_EQ(P(s).orders, nullptr);
        EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(onlooker));
    }
}

// --- Staff, medics and stretcher teams at a casualty -------------------------------------------

TEST_F(PersonClick, StaffKneelAtTheHeadOrTheFeetAsTheCasualtyLies) {
    for (const int direction : {1, 7, 3, 9}) {
        ClearUnits();
        const std::int16_t s = Selected(2);
        const std::int16_t c = Casualty(800, 250, direction);
        const Person& p = P(c);
        const AnimSlot& a = PersonAnimSlot(p.type, p.direction, p.anim);
        ASSERT_NE(a.frames, 0);
        std::string goals;
        if (direction == 1 || direction == 7)
            goals = "2[792," + N(p.drawY + a.box[3] + 7) + ",1;808," + N(p.drawY + a.box[1] - 7) +
                    ",7]0";
        else
            goals = "2[" + N(p.drawX + a.box[0] - 7) + ",253,3;" + N(p.drawX + a.box[2] + 7) +
                    ",253,9]0";
        ClickPerson(c);
        EXPECT_EQ(Orders(P(s)), (Strings{goals, "164(" + N(c) + ",800,250,0)1"})) << direction;
        EXPECT_EQ(Played(), Said(PersonTypOf(P(s)), 15));
    }
}

TEST_F(PersonClick, WhereNoRowActsTheCasualtyIsChosen) {
    const struct {
        int staff;
        int direction;
        bool linked;
        bool otherStorey;
        bool noSlot;
    } cases[] = {
        {4, 0, false, false, false},  // the medic at a casualty lying in direction 0
        {1, 5, false, false, false},  // staff at one lying in direction 5
        {3, 1, true, false, false},   // staff who lead someone
        {4, 3, false, true, false},   // a casualty on another storey
        {2, 1, false, false, true},   // the casualty's animation missing
        {5, 2, false, false, false},  // the stretcher team at one lying in direction 2
    };
    for (const auto& k : cases) {
        ClearUnits();
        const std::int16_t s = Selected(k.staff);
        const std::int16_t led = Walker(0, 600, 250);
        if (k.linked) P(s).link = static_cast<std::uint16_t>(1000 + led);
        const std::int16_t c = Casualty(800, 250, k.direction);
        if (k.otherStorey) P(s).storey = 1;
        if (k.noSlot) P(c).anim = 60;
        ClickPerson(c);
        EXPECT_EQ(P(s).orders, nullptr) << k.staff << " " << k.direction;
        ExpectCasualtyChosen(c);
    }
}

TEST_F(PersonClick, TheMedicTreatsFromEitherSideAndRevivesOneOnAnObject) {
    const struct {
        int direction;
        std::string goals;
    } cases[] = {
        {1, "2[817.5,250.25,9;783.5,250.25,3]0"},
        {7, "2[817.5,250.25,9;783.5,250.25,3]0"},
        {3, "2[800.5,265.25,1;800.5,235.25,7]0"},
        {9, "2[800.5,265.25,1;800.5,235.25,7]0"},
    };
    for (const auto& k : cases) {
        ClearUnits();
        const std::int16_t medic = Selected(4);
        const std::int16_t c = Casualty(800, 250, k.direction);
        P(c).x = 800.5f;
        P(c).y = 250.25f;
        ClickPerson(c);
        EXPECT_EQ(Orders(P(medic)), (Strings{k.goals, "150(" + N(c) + ",800,250,0)1"}));
        EXPECT_EQ(Played(), Said(PersonTypOf(P(medic)), 15));

        // Lying on an object, or being revived: revived from its right.
        for (const std::uint16_t link : {std::uint16_t{0x2003}, std::uint16_t{0x3000}}) {
            P(c).link = link;
            ClickPerson(c);
            EXPECT_EQ(Orders(P(medic)), (Strings{"0(817,252,0,0)0", "1(817,252,9,0)1",
                                                 "202(" + N(c) + ",817,252,0)1"}));
        }
    }
}

TEST_F(PersonClick, TheStretcherTeamSetsDownLengthwiseBesideTheCasualty) {
    for (const int direction : {1, 7, 3, 9}) {
        ClearUnits();
        const std::int16_t team = Selected(5);
        const std::int16_t c = Casualty(800, 250, direction);
        const AnimSlot& b = PersonAnimSlot(kCasualtyTyp, direction, 2);
        ASSERT_NE(b.frames, 0);
        std::string goals;
        if (direction == 1 || direction == 7) {
            const std::string f = N(direction);
            goals = "2[" + N(800 + b.box[2] - b.hotX + 15) + ",250," + f + ";" +
                    N(800 + b.box[0] - b.hotX - 15) + ",250," + f + "]0";
        } else {
            const std::string f = direction == 3 ? "9" : "3";
            goals = "2[800," + N(250 + b.box[1] - b.hotY - 15) + "," + f + ";800," +
                    N(250 + b.box[3] - b.hotY + 15) + "," + f + "]0";
        }
        ClickPerson(c);
        EXPECT_EQ(Orders(P(team)), (Strings{goals, "152(" + N(c) + ",800,250,0)1"})) << direction;
        EXPECT_EQ(Played(), Said(PersonTypOf(P(team)), 16));
    }
}

// --- Choosing ----------------------------------------------------------------------------------

TEST_F(PersonClick, ALedPersonBringsItsLeaderAndAPersonNotTargetableIsNoClick) {
    const std::int16_t leader = Walker(1, 700, 250);
    const std::int16_t led = Walker(0, 711, 250);
    P(leader).link = static_cast<std::uint16_t>(1000 + led);
    P(led).link = static_cast<std::uint16_t>(leader);
    P(led).moverFlags |= kMoverLed;
    SelectMode(kNoSelection);
    ClickPerson(led);
    EXPECT_EQ(SelectionMode, kPersonSelected + 1);
    EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(leader));
    EXPECT_EQ(P(leader).selected, 1);
    EXPECT_EQ(P(led).selected, 1);
    EXPECT_EQ(Played(), Said(PersonTypOf(P(leader)), 9));

    const std::int16_t other = Walker(2, 800, 250);
    ClickPerson(other);
    EXPECT_EQ(SelectionMode, kPersonSelected + 2);
    EXPECT_EQ(P(leader).selected + P(led).selected, 0);
    EXPECT_EQ(Played(), Said(PersonTypOf(P(other)), 9));

    P(leader).targetable = 0;
    ClickPerson(leader);
    EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(other));
    EXPECT_EQ(Played(), std::vector<int>{});
}

std::uint8_t Consumes() {
    return 1;
}

TEST_F(PersonClick, TheMissionsHookDecidesFirst) {
    const std::int16_t s = Selected(1);
    MissionHookRows[0].ClickOnPerson = Consumes;
    ClickPerson(Walker(2, 800, 250));
    EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(s));
}

// --- Special objects ---------------------------------------------------------------------------

class SonderObjClick : public PersonClick {
  protected:
    static std::int16_t Object(int type, int x, int y) {
        const std::int16_t slot = FindFreeSonderObj();
        CreateSonderObj(slot, type, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0,
                        15, 0, 0.0f, 0);
        return slot;
    }
};

TEST_F(SonderObjClick, TheHoseIsConnectedAtAHydrantAndLetGoAtItsOwn) {
    const std::int16_t hydrant = Object(kSobjHydrant, 800, 250);
    const std::int16_t other = Object(kSobjHydrant, 900, 250);
    const std::int16_t s = Selected(10);
    ClickSonderObj(hydrant);
    const Strings walk = Orders(P(s));
    ASSERT_EQ(walk.size(), 3u);
    EXPECT_EQ(walk[2], "174(" + N(hydrant) + ",0,0,0)0");

    // Holding a hose connected there: let go (type 10 again); at another hydrant: let go and
    // walk there.
    ClearBefehle(P(s));
    LoadPersonTyp(11);
    P(s).type = 11;
    P(s).link2 = static_cast<std::uint16_t>(hydrant);
    P(s).selected = 1;
    SelectPerson(s);
    ClickSonderObj(hydrant);
    EXPECT_EQ(P(s).type, 10);
    EXPECT_EQ(P(s).orders, nullptr);
    EXPECT_EQ(SelectionMode, kPersonSelected + 10);

    P(s).type = 11;
    P(s).link2 = static_cast<std::uint16_t>(hydrant);
    SelectPerson(s);
    ClickSonderObj(other);
    EXPECT_EQ(P(s).type, 10);
    EXPECT_EQ(LastOrder(P(s)), "174(" + N(other) + ",0,0,0)0");

    // Type 10 at the hydrant it is tied to: nothing.
    ClearBefehle(P(s));
    P(s).link2 = static_cast<std::uint16_t>(other);
    ClickSonderObj(other);
    EXPECT_EQ(P(s).orders, nullptr);
}

TEST_F(SonderObjClick, TheCraneLiftsTheWoodpileAndAFireFighterPicksItUp) {
    const std::int16_t pile = Object(kSobjHolzstapel, 800, 250);
    const std::int16_t crane = Bought(kTypF110, 1000, 250);
    SelectFahrzeug(crane);
    ClickSonderObj(pile);
    const Strings orders = Orders(V(crane));
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(orders[1], "45(" + N(pile) + "," + N(kSobjHolzstapel) + ",0,0)1");
    EXPECT_EQ(PointsTakenUp(crane, RunFahrzeugBefehl45,
                            [&] {
                                SonderObjs[static_cast<std::size_t>(pile)].visible = 1;
                                SonderObjs[static_cast<std::size_t>(pile)].blockMask = 15;
                            }),
              4);

    const std::int16_t s = Selected(1);
    ClickSonderObj(pile);
    EXPECT_EQ(Orders(P(s)), (Strings{"2[793,280,1;793,268,3;824,250,7;823,256,9]0",
                                     "179(" + N(pile) + ",800,250,0)1"}));
    EXPECT_EQ(Played(), Said(PersonTypOf(P(s)), 17));
}

TEST_F(SonderObjClick, TentBedAndRingHolders) {
    MouseAtWorld(850, 200);
    const struct {
        std::int16_t type;
        int person;
        Strings orders;
        int phrase;
    } cases[] = {
        {kSobjZelt, 2, {"0(850,223,0,0)0"}, 14},
        {kSobjBett, 26, {"0(844,268,0,0)0", "1(844,268,7,0)1", "201(7,$,0,0)1"}, 16},
        {kSobjRingHalter, 46, {"2[809,275,0;809,245,6]0", "207($,0,0,0)1"}, 15},
        {kSobjRingHalterMitRing, 1, {"2[809,275,0;809,245,6]0", "200($,0,0,0)1"}, 15},
    };
    for (const auto& k : cases) {
        ClearUnits();
        const std::int16_t o = Object(k.type, 800, 250);
        const std::int16_t s = Selected(k.person);
        ClickSonderObj(o);
        Strings want = k.orders;
        for (std::string& w : want)
            if (const auto at = w.find('$'); at != std::string::npos) w.replace(at, 1, N(o));
        EXPECT_EQ(Orders(P(s)), want) << k.type;
        EXPECT_EQ(Played(), Said(PersonTypOf(P(s)), k.phrase));
        FreeSonderObjSlot(o);
    }
}

TEST_F(SonderObjClick, WithoutARowNothingChangesNotEvenTheSelection) {
    const std::int16_t bed = Object(kSobjBett, 800, 250);
    SonderObjs[static_cast<std::size_t>(bed)].user = 3;  // taken
    const std::int16_t blood = Object(kSobjBlutLache, 900, 250);
    const std::int16_t ring = Object(kSobjRingHalterMitRing, 700, 300);
    const std::int16_t s = Selected(26);
    for (const std::int16_t o : {bed, blood, ring}) {
        ClickSonderObj(o);
        EXPECT_EQ(P(s).orders, nullptr) << o;
        EXPECT_EQ(SelectionMode, kPersonSelected + 26);
        EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(s));
    }
    // A fire fighter who leads someone takes no ring.
    LoadPersonTyp(1);
    P(s).type = 1;
    P(s).link = static_cast<std::uint16_t>(1000 + Walker(0, 600, 250));
    SelectPerson(s);
    ClickSonderObj(ring);
    EXPECT_EQ(P(s).orders, nullptr);
    EXPECT_EQ(Played(), std::vector<int>{});
}

}  // namespace
}  // namespace kv
