// The cursor over persons, vehicles and special objects: what a click on them would order.

#include "mission/input/cursor_on_units.h"

#include <gtest/gtest.h>

#include "core/hover.h"
#include "core/mission_state.h"
#include "mission/input/cursor_fixture.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeuge.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

using test::CursorTest;

constexpr std::uint16_t kNone = 65535;

// --- Persons ----------------------------------------------------------------------------------

TEST_F(CursorTest, TheHelicopterPicksUpCasualtiesButInMissions7And23Block) {
    SelectFahrzeug(Bought(kTypF203, 1000, 250));
    // Column 50, row 30: inside the block that missions 7 and 23 rescue their own way.
    const std::int16_t casualty = Walker(1, 1130, 850);
    P(casualty).casualty = 1;
    Hover(kHoverPerson, static_cast<std::uint16_t>(casualty));
    const struct {
        int mission;
        float x;
        std::uint8_t targetable;
        std::uint16_t house;
        std::uint16_t cursor;
    } cases[] = {
        {5, 1130, 1, kNone, kCursorRescue}, {5, 1130, 0, kNone, kCursorRescue},
        {7, 1130, 1, kNone, kCursorSelect}, {23, 1130, 0, kNone, kCursorPointer},
        {7, 970, 0, kNone, kCursorRescue},  // column 45
        {5, 1130, 1, 0, kCursorSelect},     // inside a house
    };
    for (const auto& c : cases) {
        MissionNummer = static_cast<std::uint8_t>(c.mission);
        P(casualty).x = c.x;
        P(casualty).targetable = c.targetable;
        P(casualty).house = c.house;
        EXPECT_EQ(Cursor(), c.cursor) << "mission " << c.mission << " x " << c.x;
    }
}

TEST_F(CursorTest, AnUnselectablePersonOffersNothingWhateverIsSelected) {
    const std::int16_t civilian = Walker(0, 720, 250);
    P(civilian).targetable = 0;
    Hover(kHoverPerson, static_cast<std::uint16_t>(civilian));
    EXPECT_EQ(Cursor(), kCursorPointer);
    SelectMode(kSeveralSelected);
    EXPECT_EQ(Cursor(), kCursorPointer);
    SelectPerson(Walker(4, 700, 250));
    EXPECT_EQ(Cursor(), kCursorPointer);
    P(civilian).targetable = 1;
    EXPECT_EQ(Cursor(), kCursorSelect);
}

TEST_F(CursorTest, APersonIsLedAwayTakenAlongOrTreated) {
    const std::int16_t sel = Walker(1, 700, 250);
    const std::int16_t hovered = Walker(1, 720, 250);
    const std::int16_t other = Walker(1, 740, 250);
    Hover(kHoverPerson, static_cast<std::uint16_t>(hovered));
    enum : std::uint8_t { kPlain = 0, kLeads = 1, kInBasket = 2, kHoveredInBasket = 4 };
    const struct {
        const char* what;
        std::int8_t type;
        std::uint8_t controller;
        std::uint8_t casualty;
        std::int8_t storey;
        std::uint8_t state;
        std::uint16_t cursor;
    } cases[] = {
        {"type 0 leads an onlooker away", 0, 2, 0, 0, kPlain, kCursorRescue},
        {"type 0 leads a rival away", 0, 4, 0, 0, kPlain, kCursorRescue},
        {"type 0 leads a fighter away", 0, 16, 0, 0, kPlain, kCursorRescue},
        {"type 0 leads a marked person away", 0, 32, 0, 0, kPlain, kCursorRescue},
        {"type 0 and a person without controller", 0, 0, 0, 0, kPlain, kCursorSelect},
        {"type 0 and an onlooker on another storey", 0, 2, 0, 1, kPlain, kCursorSelect},
        {"type 0 that leads already", 0, 2, 0, 0, kLeads, kCursorSelect},
        {"type 0 and an onlooker in a basket", 0, 2, 0, 0, kHoveredInBasket, kCursorSelect},
        {"a fire fighter takes an onlooker along", 1, 2, 0, 0, kPlain, kCursorRescue},
        {"a fire fighter takes a casualty along", 2, 0, 1, 0, kPlain, kCursorRescue},
        {"a fire fighter that leads already", 3, 0, 1, 0, kLeads, kCursorSelect},
        {"a fire fighter and a rival", 1, 4, 0, 0, kPlain, kCursorSelect},
        {"a fire fighter in a basket and an onlooker", 1, 2, 0, 0, kInBasket, kCursorSelect},
        {"a fire fighter in a basket and a casualty", 1, 0, 1, 0, kInBasket, kCursorRescue},
        {"a medic treats a casualty", 4, 0, 1, 0, kPlain, kCursorRescue},
        {"a medic on another storey", 5, 0, 1, 1, kPlain, kCursorSelect},
        {"a medic and an onlooker", 4, 2, 0, 0, kPlain, kCursorSelect},
        {"a hose person and a casualty", 11, 0, 1, 0, kPlain, kCursorSelect},
    };
    for (const auto& c : cases) {
        P(sel).type = c.type;
        P(sel).link = (c.state & kLeads) != 0 ? static_cast<std::uint16_t>(1000 + other) : kNoLink;
        P(sel).basketVehicle = (c.state & kInBasket) != 0 ? 0 : kNone;
        P(hovered).basketVehicle = (c.state & kHoveredInBasket) != 0 ? 0 : kNone;
        P(hovered).controlFlags = c.controller;
        P(hovered).casualty = c.casualty;
        P(hovered).storey = c.storey;
        SelectPerson(sel);
        EXPECT_EQ(Cursor(), c.cursor) << c.what;
    }
    // Vehicles and groups select the person.
    SelectFahrzeug(Bought(kTypF104, 900, 250));
    EXPECT_EQ(Cursor(), kCursorSelect);
    SelectMode(kBoxGroupSelected, static_cast<std::uint16_t>(sel));
    EXPECT_EQ(Cursor(), kCursorSelect);
}

// --- Vehicles ---------------------------------------------------------------------------------

TEST_F(CursorTest, OverAVehicleTheCraneTowsAnIdleMissionCar) {
    const std::int16_t bought = Bought(0, 720, 250);
    Hover(kHoverFahrzeug, static_cast<std::uint16_t>(bought));
    EXPECT_EQ(Cursor(), kCursorSelect) << "nothing selected";

    const std::int16_t parked = Make(0, 1, 760, 250);
    V(parked).targetable = 0;
    Hover(kHoverFahrzeug, static_cast<std::uint16_t>(parked));
    EXPECT_EQ(Cursor(), kCursorPointer);
    SelectFahrzeug(Bought(kTypF110, 900, 250));
    EXPECT_EQ(Cursor(), kCursorRescue);
    AppendBefehl(V(parked), 7, 1, 0, 0, 0, 1);
    EXPECT_EQ(Cursor(), kCursorPointer) << "on its way";
    ClearBefehle(V(parked));
    V(parked).controlFlags = kOwnerMission | kOwnerBought;
    EXPECT_EQ(Cursor(), kCursorPointer) << "owned by the player too";
}

TEST_F(CursorTest, TheCrewVehiclesTakeTheirCrews) {
    const std::int16_t crewCar = Bought(1, 720, 250);  // F102
    Hover(kHoverFahrzeug, static_cast<std::uint16_t>(crewCar));
    const std::int16_t p = Walker(1, 700, 250);
    const std::int16_t led = Walker(1, 740, 250);
    const struct {
        std::uint16_t mode;
        std::uint16_t link;
        std::uint16_t house;
        std::uint16_t cursor;
    } cases[] = {
        {1001, kNoLink, kNone, kCursorRescue},
        {1001, static_cast<std::uint16_t>(1000 + led), kNone, kCursorSelect},
        {1001, kNoLink, 0, kCursorSelect},
        {1006, static_cast<std::uint16_t>(1000 + led), kNone, kCursorRescue},
        {1010, kNoLink, kNone, kCursorRescue},
        {1010, static_cast<std::uint16_t>(led), kNone, kCursorSelect},
        {2005, kNoLink, kNone, kCursorRescue},  // choosing equipment
        {1004, kNoLink, kNone, kCursorSelect},  // a medic does not ride in it
        {1011, kNoLink, kNone, kCursorSelect},
        {kSeveralSelected, kNoLink, kNone, kCursorSelect},
    };
    for (const auto& c : cases) {
        P(p).link = c.link;
        P(p).house = c.house;
        SelectMode(c.mode, static_cast<std::uint16_t>(p));
        EXPECT_EQ(Cursor(), c.cursor) << c.mode << " link " << c.link << " house " << c.house;
    }
}

TEST_F(CursorTest, BoardingFollowsTheTypesTheSeatsAndTheHelicoptersDoor) {
    const std::int16_t medic = Walker(4, 700, 250);
    const std::int16_t bearer = Walker(5, 700, 260);
    const std::int16_t team = Walker(5, 700, 270);
    P(team).type = 26;
    const std::int16_t car = Bought(0, 720, 250);
    const std::int16_t ambulance = Bought(kTypF201, 800, 250);
    const std::int16_t full = Bought(kTypF201, 880, 250);
    while (Seat(full, 1) >= 0) {
    }
    const std::int16_t heli = Bought(kTypF203, 1000, 250);
    const struct {
        const char* what;
        std::int16_t person;
        std::int16_t vehicle;
        std::uint16_t cursor;
    } cases[] = {
        {"a medic may not board the F101", medic, car, kCursorSelect},
        {"a medic boards the F201", medic, ambulance, kCursorRescue},
        {"not a full one", medic, full, kCursorSelect},
        {"nor the F203 with its door shut", medic, heli, kCursorSelect},
    };
    for (const auto& c : cases) {
        SelectPerson(c.person);
        Hover(kHoverFahrzeug, static_cast<std::uint16_t>(c.vehicle));
        EXPECT_EQ(Cursor(), c.cursor) << c.what;
    }
    V(heli).anim = 3;
    EXPECT_EQ(Cursor(), kCursorRescue) << "the F203 landed with its door open";

    // In the F201 a medic in seat 0 keeps out a second medic; a bearer or a stretcher team in
    // seat 0 keeps out both.
    Hover(kHoverFahrzeug, static_cast<std::uint16_t>(ambulance));
    const std::int16_t first = Seat(ambulance, 4);
    const struct {
        std::int8_t seated;
        std::int16_t person;
        std::uint16_t cursor;
    } refusals[] = {
        {4, medic, kCursorSelect}, {4, bearer, kCursorRescue}, {4, team, kCursorRescue},
        {5, medic, kCursorRescue}, {5, bearer, kCursorSelect}, {26, team, kCursorSelect},
    };
    for (const auto& r : refusals) {
        P(first).type = r.seated;
        SelectPerson(r.person);
        EXPECT_EQ(Cursor(), r.cursor)
            << "seat 0 type " << int{r.seated} << ", selected type " << int{P(r.person).type};
    }
    // An empty seat 0 refuses nobody.
    V(ambulance).seats[0] = kNoPerson;
    V(ambulance).seats[1] = static_cast<std::uint16_t>(first);
    SelectPerson(medic);
    EXPECT_EQ(Cursor(), kCursorRescue);
}

TEST_F(CursorTest, TheLadderBasketTakesPersonsFromTheStreetOrAWindow) {
    const std::int16_t ladder = Bought(kTypF106, 720, 250);
    KanzelState& k = *V(ladder).kanzel;
    Hover(kHoverFahrzeug, static_cast<std::uint16_t>(ladder));
    const std::int16_t p = Walker(1, 700, 250);
    const std::int16_t led = Walker(1, 740, 250);
    enum Where : std::uint16_t { kStreet = kNone, kTarget = 3, kOther = 4 };
    const struct {
        const char* what;
        std::int8_t type;
        std::uint16_t house;
        std::int8_t storey;
        std::uint8_t down;
        std::uint8_t inBasket;
        bool leads;
        std::uint16_t cursor;
    } cases[] = {
        // A: from the street the basket, lowered and empty, or a free seat takes the person.
        {"street, basket down", 1, kStreet, 0, 1, 0, false, kCursorRescue},
        {"street, basket up, a free seat", 1, kStreet, 0, 0, 0, false, kCursorRescue},
        {"street, leading", 1, kStreet, 0, 1, 0, true, kCursorSelect},
        {"street, in a basket", 8, kStreet, 0, 1, 1, false, kCursorSelect},
        {"at the window of the target house", 1, kTarget, 4, 0, 0, false, kCursorRescue},
        {"a storey too high", 1, kTarget, 5, 0, 0, false, kCursorSelect},
        {"the basket lowered", 1, kTarget, 4, 1, 0, false, kCursorSelect},
        {"another house, basket down", 13, kOther, 4, 1, 0, false, kCursorRescue},
        {"another house, basket up", 13, kOther, 4, 0, 0, false, kCursorSelect},
        {"another house, leading", 13, kOther, 4, 1, 0, true, kCursorSelect},
        // B: only from the window of the target house.
        {"B at the window", 12, kTarget, 4, 0, 0, false, kCursorRescue},
        {"B in the street", 12, kStreet, 0, 1, 0, false, kCursorSelect},
        // Persons the basket never takes.
        {"a medic", 4, kStreet, 0, 1, 0, false, kCursorSelect},
        {"the hose person", 11, kTarget, 4, 0, 0, false, kCursorSelect},
    };
    k.target = kTarget;
    k.position = 2;
    for (const auto& c : cases) {
        P(p).type = c.type;
        P(p).house = c.house;
        P(p).storey = c.storey;
        P(p).basketVehicle = c.inBasket != 0 ? static_cast<std::uint16_t>(ladder) : kNone;
        P(p).link = c.leads ? static_cast<std::uint16_t>(1000 + led) : kNoLink;
        k.down = c.down;
        k.persons = 0;
        SelectPerson(p);
        EXPECT_EQ(Cursor(), c.cursor) << c.what;
        k.persons = 1;
        if (c.house != kStreet) {
            EXPECT_EQ(Cursor(), kCursorSelect) << c.what << ", basket taken";
        }
    }
    // From the street with the basket taken: the seats decide.
    P(p).type = 1;
    P(p).house = kNone;
    P(p).basketVehicle = kNone;
    P(p).link = kNoLink;
    SelectPerson(p);
    EXPECT_EQ(Cursor(), kCursorRescue);
    while (Seat(ladder, 1) >= 0) {
    }
    EXPECT_EQ(Cursor(), kCursorSelect);
}

TEST_F(CursorTest, TheDecontaminationVehicleTakesTheContaminated) {
    const std::int16_t f109 = Bought(8, 720, 250);
    Hover(kHoverFahrzeug, static_cast<std::uint16_t>(f109));
    const std::int16_t p = Walker(1, 700, 250);
    const std::int16_t other = Walker(1, 740, 250);
    const struct {
        const char* what;
        std::int8_t type;
        std::uint8_t contamination;
        std::uint8_t selectable;
        std::uint16_t link;
        std::uint8_t otherContamination;
        std::uint16_t vehicleLink;
        std::uint16_t cursor;
    } cases[] = {
        {"contaminated", 4, 1, 1, kNoLink, 0, kNoLink, kCursorRescue},
        {"contaminated but takes no orders", 4, 1, 0, kNoLink, 0, kNoLink, kCursorSelect},
        {"a fire fighter boards it", 1, 0, 1, kNoLink, 0, kNoLink, kCursorRescue},
        {"leads a contaminated person", 3, 0, 1, static_cast<std::uint16_t>(1000 + other), 1,
         kNoLink, kCursorRescue},
        {"leads a clean person", 3, 0, 1, static_cast<std::uint16_t>(1000 + other), 0, kNoLink,
         kCursorSelect},
        {"the vehicle is linked", 3, 0, 1, static_cast<std::uint16_t>(1000 + other), 1, 0,
         kCursorSelect},
        {"carries a contaminated person", 12, 0, 1, static_cast<std::uint16_t>(other), 1, kNoLink,
         kCursorRescue},
        {"contaminated and carrying", 12, 1, 1, static_cast<std::uint16_t>(other), 0, kNoLink,
         kCursorRescue},
        {"carries a clean person", 12, 0, 1, static_cast<std::uint16_t>(other), 0, kNoLink,
         kCursorSelect},
        {"another type with a link", 5, 1, 1, static_cast<std::uint16_t>(other), 1, kNoLink,
         kCursorSelect},
    };
    for (const auto& c : cases) {
        P(p).type = c.type;
        P(p).contamination = c.contamination;
        P(p).selectable = c.selectable;
        P(p).link = c.link;
        P(other).contamination = c.otherContamination;
        V(f109).link = c.vehicleLink;
        SelectPerson(p);
        EXPECT_EQ(Cursor(), c.cursor) << c.what;
    }
    P(p).type = 4;
    P(p).link = kNoLink;
    P(p).contamination = 1;
    P(p).house = 0;
    EXPECT_EQ(Cursor(), kCursorSelect) << "inside a house";
}

TEST_F(CursorTest, BoatsAndTheirCarriersAtTheBoatPoints) {
    LoadFahrzeugTyp(kTypF117);  // brings the boat F116 and the empty carrier F119
    const std::int16_t boat = Bought(kTypF116, 535, 600);
    const std::int16_t carrier = Bought(kTypF119, 900, 300, 4);
    const std::int16_t trailer = Bought(kTypF114, 1000, 300);
    const std::int16_t p = Walker(1, 700, 250);
    SelectPerson(p);

    // The boat on the water where a point launches it: x + dx, y + dy.
    Hover(kHoverFahrzeug, static_cast<std::uint16_t>(boat));
    EXPECT_EQ(Cursor(), kCursorSelect) << "no boat point";
    BootPunkte = {BootPunkt{500, 560, 35, 40, 0, 0, 3, 0}};
    EXPECT_EQ(Cursor(), kCursorRescue) << "an inactive point counts";
    // A free record's x and y are 65535: its launch place would lie where this boat stands.
    BootPunkte = {BootPunkt{kBootPunktUnused, kBootPunktUnused, -30000, -30000, 0, 0, 3, 1}};
    V(boat).x = 35535;
    V(boat).y = 35535;
    EXPECT_EQ(Cursor(), kCursorSelect) << "a free record matches nothing";
    V(boat).x = 535;
    V(boat).y = 600;

    // The empty carrier on an active point with the point's facing, for the boat.
    SelectFahrzeug(boat);
    Hover(kHoverFahrzeug, static_cast<std::uint16_t>(carrier));
    BootPunkte = {BootPunkt{900, 300, 0, 0, 0, 0, 4, 1}};
    EXPECT_EQ(Cursor(), kCursorRescue);
    BootPunkte[0].facing = 5;
    EXPECT_EQ(Cursor(), kCursorSelect) << "another facing";
    BootPunkte[0].facing = 4;
    BootPunkte[0].active = 0;
    EXPECT_EQ(Cursor(), kCursorSelect) << "inactive";

    // The boat on its trailer, for the empty carrier.
    Hover(kHoverFahrzeug, static_cast<std::uint16_t>(trailer));
    EXPECT_EQ(Cursor(), kCursorSelect);
    SelectFahrzeug(carrier);
    EXPECT_EQ(Cursor(), kCursorRescue);
}

// --- Special objects --------------------------------------------------------------------------

TEST_F(CursorTest, EachSpecialObjectAnswersItsOwnUsers) {
    const std::int16_t person = Walker(1, 700, 250);
    const std::int16_t led = Walker(1, 740, 250);
    const std::int16_t crane = Bought(kTypF110, 900, 250);
    const std::int16_t pontoonCar = Bought(kTypF113, 1000, 250);
    const std::int16_t engine = Bought(kTypF104, 1100, 250);
    PontonPunkte.assign(2, PontonPunkt{});
    PontonPunkte[0].complete = 1;
    const struct {
        const char* what;
        std::int16_t objType;
        std::int16_t user;
        std::int16_t mode;  // 1000 + type: the person of that type; else a vehicle or none
        std::uint16_t link;
        std::uint16_t house;
        std::int8_t anim;
        std::uint16_t cursor;
    } cases[] = {
        {"hydrant, type 10", kSobjHydrant, -1, 1010, kNoLink, kNone, 0, kCursorRescue},
        {"hydrant, type 11", kSobjHydrant, -1, 1011, kNoLink, kNone, 0, kCursorRescue},
        {"hydrant, type 1", kSobjHydrant, -1, 1001, kNoLink, kNone, 0, kCursorPointer},
        {"wood pile, the crane", kSobjHolzstapel, -1, kTypF110, kNoLink, kNone, 0, kCursorRescue},
        {"wood pile, type 1", kSobjHolzstapel, -1, 1001, kNoLink, kNone, 0, kCursorRescue},
        {"wood pile, type 1 in a house", kSobjHolzstapel, -1, 1001, kNoLink, 0, 0, kCursorPointer},
        {"wood pile, type 1 leading", kSobjHolzstapel, -1, 1001, 1, kNone, 0, kCursorPointer},
        {"laid pontoon, a vehicle", kSobjPonton, 0, kTypF104, kNoLink, kNone, 0, kCursorRescue},
        {"pontoon not laid", kSobjPonton, 1, kTypF104, kNoLink, kNone, 0, kCursorPointer},
        {"pontoon of no point", kSobjPonton, 2, kTypF104, kNoLink, kNone, 0, kCursorPointer},
        {"pontoon of point -1", kSobjPonton, -1, kTypF104, kNoLink, kNone, 0, kCursorPointer},
        {"laid pontoon, the pontoon car", kSobjPonton, 0, kTypF113, kNoLink, kNone, 1,
         kCursorRescue},
        {"laid pontoon, the pontoon car laying", kSobjPonton, 0, kTypF113, kNoLink, kNone, 4,
         kCursorPointer},
        {"pontoon, several", kSobjPonton, 0, -2, kNoLink, kNone, 0, kCursorPointer},
        {"pontoon, a person", kSobjPonton, 0, 1001, kNoLink, kNone, 0, kCursorPointer},
        {"tent, a person", kSobjZelt, -1, 1004, kNoLink, kNone, 0, kCursorRescue},
        {"tent, a vehicle", kSobjZelt, -1, kTypF104, kNoLink, kNone, 0, kCursorPointer},
        {"empty bed, stretcher team", kSobjBett, -1, 1026, kNoLink, kNone, 0, kCursorRescue},
        {"taken bed, stretcher team", kSobjBett, 3, 1026, kNoLink, kNone, 0, kCursorPointer},
        {"ring holder, ring carrier", kSobjRingHalter, -1, 1046, kNoLink, kNone, 0, kCursorRescue},
        {"ring holder, type 1", kSobjRingHalter, -1, 1001, kNoLink, kNone, 0, kCursorPointer},
        {"holder with ring, type 1", kSobjRingHalterMitRing, -1, 1001, kNoLink, kNone, 0,
         kCursorRescue},
        {"holder with ring, type 1 leading", kSobjRingHalterMitRing, -1, 1001,
         static_cast<std::uint16_t>(1000 + led), kNone, 0, kCursorPointer},
        {"a hose", kSobjSchlauch, -1, 1010, kNoLink, kNone, 0, kCursorPointer},
    };
    const std::int16_t slot = 5;
    Hover(kHoverSonderObj, slot);
    for (const auto& c : cases) {
        SonderObjs[slot].type = c.objType;
        SonderObjs[slot].user = c.user;
        if (c.mode >= 1000) {
            P(person).type = static_cast<std::int8_t>(c.mode - 1000);
            P(person).link = c.link;
            P(person).house = c.house;
            SelectPerson(person);
        } else if (c.mode >= 0) {
            const std::int16_t v = c.mode == kTypF110   ? crane
                                   : c.mode == kTypF113 ? pontoonCar
                                                        : engine;
            V(v).anim = c.anim;
            SelectFahrzeug(v);
        } else {
            SelectMode(static_cast<std::uint16_t>(c.mode));
        }
        EXPECT_EQ(Cursor(), c.cursor) << c.what;
    }
    SonderObjs[slot].type = -1;
    EXPECT_EQ(Cursor(), kCursorPointer) << "a free slot";
}

}  // namespace
}  // namespace kv
