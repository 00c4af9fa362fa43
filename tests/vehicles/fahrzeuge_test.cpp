// The vehicle array's lifecycle on the generated types: creation, set-up, the mission's vehicle
// set-up, removal with its occupants and loads, and the counters that removal touches.

#include "vehicles/fahrzeuge.h"

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "core/random.h"
#include "core/selection.h"
#include "core/unit_views.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_fixture.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

using test::FahrzeugTest;

int g_selectionUpdates = 0;
void CountSelectionUpdate() {
    ++g_selectionUpdates;
}

bool PersonUsed(std::int32_t index) {
    return Personen[static_cast<std::size_t>(index)].type != -1;
}

bool SonderObjUsed(std::int32_t slot) {
    const SonderObj* o = SonderObjAt(slot);
    return o != nullptr && o->type != -1;
}

// A placed object of the type in the first free slot.
std::int16_t PlaceSonderObj(std::int16_t type, std::int16_t x, std::int16_t y) {
    const std::int16_t slot = FindFreeSonderObj();
    CreateSonderObj(slot, type, x, y, 0, 15, 0, 0.0f, 0);
    return slot;
}

TEST_F(FahrzeugTest, CreateRefusesWhatNoSlotCanHold) {
    struct Case {
        std::int32_t type;
        std::int32_t facing;
    };
    for (const Case c : {Case{24, 3}, Case{-1, 3}, Case{47, 3}, Case{255, 3}, Case{0, 12},
                         Case{0, -1}, Case{0, 255}}) {
        EXPECT_EQ(CreateFahrzeug(c.type, 10, 10, c.facing), -1) << c.type << " " << c.facing;
    }
    EXPECT_EQ(FindFreeFahrzeug(), 0) << "no slot was taken";

    const std::int16_t v = CreateFahrzeug(kTypF102, -20, 30, 11);
    ASSERT_EQ(v, 0);
    const Fahrzeug& f = Fahrzeuge[0];
    EXPECT_EQ(f.type, kTypF102);
    EXPECT_EQ(f.x, -20.0f);
    EXPECT_EQ(f.y, 30.0f);
    EXPECT_EQ(f.direction, 11);
    EXPECT_EQ(f.controlFlags, kOwnerMission);
    EXPECT_EQ(f.targetable, 0);
    EXPECT_EQ(f.selectable, 0);
}

TEST_F(FahrzeugTest, FullArrayCreatesNothing) {
    for (int i = 0; i < FahrzeugCount; ++i) ASSERT_EQ(CreateFahrzeug(kTypF102, 5, 5, 0), i);
    EXPECT_EQ(FindFreeFahrzeug(), -1);
    EXPECT_EQ(CreateFahrzeug(kTypF101, 9, 9, 1), -1);
    for (const Fahrzeug& f : Fahrzeuge) {
        EXPECT_EQ(f.type, kTypF102);
        EXPECT_EQ(f.x, 5.0f);
    }
}

TEST_F(FahrzeugTest, SetupByType) {
    const std::int16_t ladder = Make(kTypF106);
    const std::int16_t cannon = Make(kTypF104, kOwnerBought);
    const std::int16_t aircraft = Make(kTypF111);
    const std::int16_t heli = Make(kTypF203);
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();

    const Fahrzeug& l = Fahrzeuge[static_cast<std::size_t>(ladder)];
    ASSERT_NE(l.kanzel, nullptr);
    EXPECT_EQ(l.kanzel->column, 3);
    EXPECT_EQ(l.kanzel->persons, 0);
    EXPECT_EQ(l.wasserStrahl, nullptr);
    EXPECT_EQ(l.seats.size(), FahrzeugTypen[kTypF106].seats);
    for (std::uint16_t s : l.seats) EXPECT_EQ(s, kNoPerson);
    EXPECT_EQ(l.storey, 0);
    const AnimSlot& stand = FahrzeugAnimSlot(kTypF106, 3, 0);
    EXPECT_EQ(l.drawX, 600 - stand.hotX);
    EXPECT_EQ(l.drawY, 500 - stand.hotY);
    EXPECT_EQ(l.moveX, 600.0f);
    EXPECT_EQ(l.moveDir, 3);
    EXPECT_EQ(l.speed, FahrzeugTypen[kTypF106].speed);
    EXPECT_EQ(l.link, 0xFFFF);
    EXPECT_EQ(l.zone, -1);

    const Fahrzeug& c = Fahrzeuge[static_cast<std::size_t>(cannon)];
    ASSERT_NE(c.wasserStrahl, nullptr);
    const WasserStrahl& jet = *c.wasserStrahl;
    EXPECT_EQ(jet.elevation, 25);
    EXPECT_EQ(jet.targetX, -1);
    EXPECT_EQ(jet.targetY, -1);
    EXPECT_EQ(jet.countdown, -1);
    EXPECT_EQ(jet.active, 0);
    const SonderObj* splash = SonderObjAt(jet.splash);
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->type, kSplashSonderObjTyp);
    EXPECT_EQ(splash->visible, 0);
    EXPECT_EQ(splash->depthLayer, 2);
    EXPECT_EQ(splash->drawStyle, 0);
    EXPECT_EQ(FahrzeugUnits.wasserStrahl(cannon), c.wasserStrahl.get());

    EXPECT_EQ(Fahrzeuge[static_cast<std::size_t>(aircraft)].storey, kLayerAircraft);
    EXPECT_TRUE(Fahrzeuge[static_cast<std::size_t>(aircraft)].seats.empty());
    EXPECT_EQ(Fahrzeuge[static_cast<std::size_t>(heli)].storey, kLayerHelicopter);
    EXPECT_EQ(BoughtFahrzeugCount, 1);
    EXPECT_EQ(F101Count, 0);
}

void PlaceThreeVehicles() {
    FahrzeugCount = 5;
    AllocFahrzeuge();
    CreateFahrzeug(kTypF102, 100, 100, 0);
    const std::int16_t bought = CreateFahrzeug(kTypF101, 300, 100, 0);
    Fahrzeuge[static_cast<std::size_t>(bought)].controlFlags = 0;
    CreateFahrzeug(kTypPARK01, 500, 100, 6);
}

TEST_F(FahrzeugTest, InitFahrzeugeSetsUpWhatTheMissionPlaced) {
    MissionHookRows[0].InitFahrzeuge = &PlaceThreeVehicles;
    ASSERT_TRUE(InitFahrzeuge(1));
    EXPECT_EQ(FahrzeugCount, 5);
    EXPECT_EQ(Fahrzeuge[0].controlFlags, kOwnerMission);
    EXPECT_EQ(Fahrzeuge[1].controlFlags, kOwnerBought) << "owner 0 counts as bought";
    EXPECT_EQ(BoughtFahrzeugCount, 1);
    EXPECT_EQ(F101Count, 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(FahrzeugTypLoaded(Fahrzeuge[static_cast<std::size_t>(i)].type)) << i;
        EXPECT_EQ(Fahrzeuge[static_cast<std::size_t>(i)].energy, 1000000);
    }
    EXPECT_EQ(FahrzeugUnits.count, 5);
    EXPECT_EQ(FahrzeugUnits.at(2), &Fahrzeuge[2]);
    EXPECT_NE(FahrzeugUnits.currentAnim(2), nullptr);
    Fahrzeuge[1].heat = 7;
    EXPECT_EQ(*FahrzeugUnits.heat(1), 7);
    EXPECT_EQ(FahrzeugUnits.wasserStrahl(1), nullptr);

    FreeFahrzeuge();
    EXPECT_TRUE(Fahrzeuge.empty());
    EXPECT_EQ(FahrzeugUnits.at(0), nullptr);
    EXPECT_FALSE(FahrzeugTypLoaded(kTypF101));
}

TEST_F(FahrzeugTest, InitFahrzeugeWithoutHookIsFatal) {
    EXPECT_FALSE(InitFahrzeuge(2));
    EXPECT_EQ(FatalErrorMessage(), "InitFahrzeuge not defined");
}

TEST_F(FahrzeugTest, DestroyedVehicleKillsItsSeatsWhateverTheirEnergy) {
    const std::int16_t v = Make(kTypF102, kOwnerMission);
    const std::int16_t a = Seat(v, 1);
    const std::int16_t b = Seat(v, 2, 0);
    const std::int16_t c = Seat(v, 4, 5);
    const std::int16_t outside = MakePerson(1);
    RemoveFahrzeug(v, kRemoveDestroyed);
    EXPECT_EQ(ToteCount, 3);
    for (const std::int16_t p : {a, b, c}) EXPECT_FALSE(PersonUsed(p)) << p;
    EXPECT_TRUE(PersonUsed(outside));
    EXPECT_EQ(Fahrzeuge[static_cast<std::size_t>(v)].type, -1);
    EXPECT_EQ(LostMissionFahrzeugCount, 1);
    EXPECT_EQ(LostBoughtFahrzeugCount, 0);

    const std::int16_t driven = Make(kTypF102, kOwnerBought);
    Seat(driven, 1);
    RemoveFahrzeug(driven, kRemoveDrivenOff);
    EXPECT_EQ(ToteCount, 3) << "driving off kills nobody";
    EXPECT_EQ(LostMissionFahrzeugCount, 1);
    EXPECT_EQ(LostBoughtFahrzeugCount, 0);
    EXPECT_EQ(BoughtFahrzeugCount, 0);
}

TEST_F(FahrzeugTest, StretcherPatientsDrivenOffDieBelowTheirThreshold) {
    struct Case {
        std::int16_t type;
        std::int32_t energy;
        std::uint16_t dead;
        bool draws;
    };
    const Case cases[] = {
        {kTypF201, 299999, 1, true}, {kTypF201, 300000, 0, false}, {kTypF201, 0, 0, true},
        {kTypF203, 149999, 1, true}, {kTypF203, 150000, 0, false}, {kTypF102, 1, 0, false},
    };
    SeedRandom(77);
    const int first = Rand();
    const int second = Rand();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " " << c.energy);
        ToteCount = 0;
        const std::int16_t v = Make(c.type);
        const std::int16_t team = Seat(v, 26);
        const std::int16_t patient = MakePerson(2, c.energy);
        Personen[static_cast<std::size_t>(patient)].offMap = 1;
        Personen[static_cast<std::size_t>(team)].link = static_cast<std::uint16_t>(patient);
        SeedRandom(77);
        RemoveFahrzeug(v, kRemoveDrivenOff);
        EXPECT_EQ(ToteCount, c.dead);
        EXPECT_FALSE(PersonUsed(patient));
        EXPECT_FALSE(PersonUsed(team));
        // The number drawn for a patient below the threshold is not used, but it is drawn.
        EXPECT_EQ(Rand(), c.draws ? second : first);
    }
}

TEST_F(FahrzeugTest, DestroyedStretcherTeamTakesItsPatientAlong) {
    const std::int16_t v = Make(kTypF201);
    const std::int16_t team = Seat(v, 26);
    const std::int16_t patient = MakePerson(2, 400000);
    Personen[static_cast<std::size_t>(team)].link = static_cast<std::uint16_t>(patient);
    const std::int16_t deadTeam = Seat(v, 26);
    const std::int16_t deadPatient = MakePerson(2, 0);
    Personen[static_cast<std::size_t>(deadTeam)].link = static_cast<std::uint16_t>(deadPatient);
    RemoveFahrzeug(v, kRemoveDestroyed);
    // Both teams, and the patient that was still alive.
    EXPECT_EQ(ToteCount, 3);
    for (const std::int16_t p : {team, patient, deadTeam, deadPatient}) EXPECT_FALSE(PersonUsed(p));
}

TEST_F(FahrzeugTest, RemovingTheSelectedVehicleRecomputesTheSelection) {
    SetUpdateSelectionModeHook(&CountSelectionUpdate);
    g_selectionUpdates = 0;
    const std::int16_t selected = Make(kTypF102);
    const std::int16_t other = Make(kTypF102);
    Fahrzeuge[static_cast<std::size_t>(selected)].selected = 1;
    RemoveFahrzeug(other, kRemoveDrivenOff);
    EXPECT_EQ(g_selectionUpdates, 0);
    RemoveFahrzeug(selected, kRemoveDrivenOff);
    EXPECT_EQ(g_selectionUpdates, 1);
    EXPECT_EQ(Fahrzeuge[static_cast<std::size_t>(selected)].selected, 0);

    // A selected person taken away with the vehicle is deselected too.
    const std::int16_t v = Make(kTypF102);
    const std::int16_t rider = Seat(v, 1);
    Personen[static_cast<std::size_t>(rider)].selected = 1;
    RemoveFahrzeug(v, kRemoveDrivenOff);
    EXPECT_EQ(g_selectionUpdates, 2);
}

TEST_F(FahrzeugTest, RemovingNothingDoesNothing) {
    const std::int16_t v = Make(kTypF101, kOwnerBought);
    RemoveFahrzeug(v, kRemoveDestroyed);
    EXPECT_EQ(LostBoughtFahrzeugCount, 1);
    EXPECT_EQ(F101Count, 0);
    RemoveFahrzeug(v, kRemoveDestroyed);
    RemoveFahrzeug(-1, kRemoveDestroyed);
    RemoveFahrzeug(FahrzeugCount, kRemoveDestroyed);
    EXPECT_EQ(LostBoughtFahrzeugCount, 1);
    EXPECT_EQ(F101Count, 0);
    EXPECT_EQ(BoughtFahrzeugCount, 0);
}

TEST_F(FahrzeugTest, LoadedCraneTakesItsLoadAlong) {
    LoadFahrzeugTyp(kTypF110);
    const std::int16_t carried = Make(kTypF104);
    AppendBefehl(Fahrzeuge[static_cast<std::size_t>(carried)], 7, 5, 0, 0, 0, 1);
    const std::int16_t carriedJet =
        Fahrzeuge[static_cast<std::size_t>(carried)].wasserStrahl->splash;
    const std::int16_t crane = Make(kTypF110MD);
    Fahrzeuge[static_cast<std::size_t>(crane)].link =
        static_cast<std::uint16_t>(kCarriedFahrzeugLink + carried);
    RemoveFahrzeug(crane, kRemoveDrivenOff);
    const Fahrzeug& gone = Fahrzeuge[static_cast<std::size_t>(carried)];
    EXPECT_EQ(gone.type, -1);
    EXPECT_EQ(gone.orders, nullptr);
    EXPECT_EQ(gone.wasserStrahl, nullptr);
    EXPECT_FALSE(SonderObjUsed(carriedJet));

    const std::int16_t object = PlaceSonderObj(9, 300, 300);
    const std::int16_t crane2 = Make(kTypF110MD);
    Fahrzeuge[static_cast<std::size_t>(crane2)].link = static_cast<std::uint16_t>(object);
    RemoveFahrzeug(crane2, kRemoveDrivenOff);
    EXPECT_FALSE(SonderObjUsed(object));

    // Nothing carried, or a link past both arrays: nothing else is freed.
    const std::int16_t kept = PlaceSonderObj(9, 400, 300);
    const std::int16_t bystander = Make(kTypF102);
    for (const std::uint16_t link : {std::uint16_t{0xFFFF}, std::uint16_t{4999},
                                     static_cast<std::uint16_t>(kCarriedFahrzeugLink + 20)}) {
        const std::int16_t crane3 = Make(kTypF110MD);
        Fahrzeuge[static_cast<std::size_t>(crane3)].link = link;
        RemoveFahrzeug(crane3, kRemoveDrivenOff);
        EXPECT_TRUE(SonderObjUsed(kept)) << link;
        EXPECT_NE(Fahrzeuge[static_cast<std::size_t>(bystander)].type, -1) << link;
    }
}

TEST_F(FahrzeugTest, DestroyedLadderKillsTheBasketCrew) {
    const std::int16_t ladder = Make(kTypF106);
    Fahrzeug& l = Fahrzeuge[static_cast<std::size_t>(ladder)];
    const std::int16_t climber = MakePerson(1, 0);
    const std::int16_t carrier = MakePerson(12);
    const std::int16_t carried = MakePerson(2, 20);
    const std::int16_t deadCarried = MakePerson(2, 0);
    const std::int16_t carrier2 = MakePerson(19);
    const std::int16_t elsewhere = MakePerson(1);
    for (const std::int16_t p : {climber, carrier, carrier2})
        Personen[static_cast<std::size_t>(p)].basketVehicle = static_cast<std::uint16_t>(ladder);
    Personen[static_cast<std::size_t>(carrier)].link = static_cast<std::uint16_t>(carried);
    Personen[static_cast<std::size_t>(carrier2)].link = static_cast<std::uint16_t>(deadCarried);
    l.kanzel->persons = 3;
    RemoveFahrzeug(ladder, kRemoveDestroyed);
    // Three in the basket whatever their energy, and the one carried person still alive.
    EXPECT_EQ(ToteCount, 4);
    for (const std::int16_t p : {climber, carrier, carried, deadCarried, carrier2})
        EXPECT_FALSE(PersonUsed(p)) << p;
    EXPECT_TRUE(PersonUsed(elsewhere));

    // Driven off, or with an empty basket, the basket's persons stay.
    ToteCount = 0;
    const std::int16_t ladder2 = Make(kTypF106);
    const std::int16_t stays = MakePerson(1);
    Personen[static_cast<std::size_t>(stays)].basketVehicle = static_cast<std::uint16_t>(ladder2);
    Fahrzeuge[static_cast<std::size_t>(ladder2)].kanzel->persons = 1;
    RemoveFahrzeug(ladder2, kRemoveDrivenOff);
    EXPECT_TRUE(PersonUsed(stays));
    EXPECT_EQ(ToteCount, 0);
}

TEST_F(FahrzeugTest, TentStrikesWithItsBedsAndWhoeverIsInside) {
    const std::int16_t tentCar = Make(kTypF204);
    Fahrzeug& t = Fahrzeuge[static_cast<std::size_t>(tentCar)];
    const std::int16_t tent = PlaceSonderObj(kSobjZelt, 1000, 800);
    const SonderObjTyp& inside = *SonderObjTypAt(kSobjZeltUnsichtbar);
    const float cx = 1000.0f + static_cast<float>(inside.boxX0 + inside.boxX1) / 2;
    const float cy = 800.0f + static_cast<float>(inside.boxY0 + inside.boxY1) / 2;
    AppendSonderObjCommand(tent, 7, static_cast<std::uint16_t>(tentCar), 1, 0, 0);

    const std::int16_t lying = MakePerson(2, 300000);
    const std::int16_t lyingDead = MakePerson(2, 0);
    const std::int16_t medic = MakePerson(4);
    const std::int16_t visitor = MakePerson(1);
    const std::int16_t outside = MakePerson(1);
    for (const std::int16_t p : {lyingDead, visitor}) {
        Personen[static_cast<std::size_t>(p)].x = cx;
        Personen[static_cast<std::size_t>(p)].y = cy;
    }
    // These two stand outside the tent, so that the release from the bed shows.
    for (const std::int16_t p : {lying, medic, outside}) {
        Personen[static_cast<std::size_t>(p)].x = cx + 500;
        Personen[static_cast<std::size_t>(p)].y = cy;
    }
    Personen[static_cast<std::size_t>(lying)].link = static_cast<std::uint16_t>(0x1000 | medic);
    Personen[static_cast<std::size_t>(lying)].height = 12;
    Personen[static_cast<std::size_t>(medic)].anim = 5;
    AppendBefehl(Personen[static_cast<std::size_t>(medic)], 150, lying, 0, 0, 0, 1);
    const std::int16_t bed1 = PlaceSonderObj(kSobjBett, 980, 790);
    const std::int16_t bed2 = PlaceSonderObj(kSobjBett, 1020, 790);
    SonderObjAt(bed1)->user = lying;
    SonderObjAt(bed2)->user = lyingDead;
    t.pieces = {static_cast<std::uint16_t>(bed1), static_cast<std::uint16_t>(bed2)};
    t.pieceCount = 2;
    t.link = static_cast<std::uint16_t>(tent);
    t.anim = 3;

    RemoveFahrzeug(tentCar, kRemoveDrivenOff);
    EXPECT_FALSE(SonderObjUsed(tent));
    EXPECT_FALSE(SonderObjUsed(bed1));
    EXPECT_FALSE(SonderObjUsed(bed2));
    EXPECT_EQ(t.pieceCount, 0);
    EXPECT_TRUE(t.pieces.empty());
    EXPECT_EQ(t.link, 0xFFFF);
    EXPECT_EQ(t.anim, 0);
    // Everyone inside goes; the ones still alive count as dead.
    for (const std::int16_t p : {lyingDead, visitor}) EXPECT_FALSE(PersonUsed(p)) << p;
    EXPECT_EQ(ToteCount, 1);
    EXPECT_TRUE(PersonUsed(outside));
    // The patient gets up from its bed, and its medic stops treating.
    const Person& up = Personen[static_cast<std::size_t>(lying)];
    EXPECT_EQ(up.link, 0xFFFF);
    EXPECT_EQ(up.height, 0.0f);
    const Person& m = Personen[static_cast<std::size_t>(medic)];
    EXPECT_EQ(m.orders, nullptr);
    EXPECT_EQ(m.anim, 0);
}

TEST_F(FahrzeugTest, TentStillRisingLosesOnlyItsTent) {
    const std::int16_t tentCar = Make(kTypF204);
    const std::int16_t tent = PlaceSonderObj(kSobjZelt, 1000, 800);
    Fahrzeug& t = Fahrzeuge[static_cast<std::size_t>(tentCar)];
    t.link = static_cast<std::uint16_t>(tent);
    t.anim = 2;
    RemoveFahrzeug(tentCar, kRemoveDrivenOff);
    EXPECT_FALSE(SonderObjUsed(tent));
    EXPECT_EQ(t.link, 0xFFFF);
}

TEST_F(FahrzeugTest, CannonWithoutFreeSlotKeepsItsCountersBalanced) {
    for (std::int16_t s = FindFreeSonderObj(); s >= 0; s = FindFreeSonderObj())
        CreateSonderObj(s, 9, 0, 0, 0, 15, 0, 0.0f, 0);
    const std::int16_t before = 0;
    const std::int16_t cannon = Make(kTypF104, kOwnerBought);
    const std::int16_t chief = Make(kTypF101, kOwnerBought);
    const Fahrzeug& c = Fahrzeuge[static_cast<std::size_t>(cannon)];
    ASSERT_NE(c.wasserStrahl, nullptr);
    EXPECT_EQ(c.wasserStrahl->splash, -1);
    EXPECT_EQ(c.energy, 1000000);
    EXPECT_EQ(BoughtFahrzeugCount, 2);
    EXPECT_EQ(F101Count, 1);
    RemoveFahrzeug(cannon, kRemoveDrivenOff);
    RemoveFahrzeug(chief, kRemoveDrivenOff);
    EXPECT_EQ(BoughtFahrzeugCount, 0);
    EXPECT_EQ(F101Count, 0);
    EXPECT_TRUE(SonderObjUsed(before)) << "no object freed for a jet it never had";
}

TEST_F(FahrzeugTest, EveryOwnedBlockIsFreed) {
    // Leak-checked by the sanitizer: removed and freed vehicles of every kind that owns blocks.
    const std::int16_t cannon = Make(kTypF104);
    const std::int16_t ladder = Make(kTypF106);
    const std::int16_t pontoon = Make(kTypF113);
    const std::int16_t tent = Make(kTypF204);
    Fahrzeuge[static_cast<std::size_t>(pontoon)].pieces = {1, 2, 3};
    Fahrzeuge[static_cast<std::size_t>(pontoon)].pieceCount = 3;
    Fahrzeuge[static_cast<std::size_t>(tent)].pieces = {4};
    for (const std::int16_t v : {cannon, ladder, pontoon, tent})
        AppendBefehl(Fahrzeuge[static_cast<std::size_t>(v)], 2, GoalList(3), 0, 0, 1);
    Seat(ladder, 1);
    RemoveFahrzeug(cannon, kRemoveDestroyed);
    RemoveFahrzeug(pontoon, kRemoveDrivenOff);
    EXPECT_TRUE(Fahrzeuge[static_cast<std::size_t>(pontoon)].pieces.empty());
    Make(kTypF104);
    Make(kTypF113);
    FreeFahrzeuge();
    EXPECT_EQ(FahrzeugCount, 0);
}

TEST_F(FahrzeugTest, SeatsAndPushedObjectReachTheQueue) {
    const std::int16_t v = Make(kTypF102);
    EXPECT_EQ(CountTakenSeats(v), 0);
    Seat(v, 1);
    Seat(v, 2);
    EXPECT_EQ(CountTakenSeats(v), 2);
    EXPECT_EQ(CountTakenSeats(-1), 0);
    Fahrzeug& f = Fahrzeuge[static_cast<std::size_t>(v)];
    f.pushedObject = 7;
    SetBefehl(f, FahrzeugTypen[kTypF102], 7, -1, 3, 0, 0, 0, 1);
    EXPECT_EQ(f.pushedObject, 0xFFFF);
    UnitHead stranger;
    SetFahrzeugPushedObject(stranger, 3);  // not a vehicle of the array: ignored
}

TEST_F(FahrzeugTest, AVehicleBoughtIntoACarriedOnesSlotStandsOnTheGround) {
    // The crane's load hangs off the map, lifted; the crane drives off with it.
    const std::int16_t carried = Make(kTypF102);
    Fahrzeug& load = Fahrzeuge[static_cast<std::size_t>(carried)];
    load.present = 0;
    load.height = 30;
    const std::int16_t crane = Make(kTypF110MD);
    Fahrzeuge[static_cast<std::size_t>(crane)].link =
        static_cast<std::uint16_t>(kCarriedFahrzeugLink + carried);
    RemoveFahrzeug(crane, kRemoveDrivenOff);
    ASSERT_EQ(load.type, -1);

    const std::int16_t bought = Make(kTypF102, kOwnerBought);
    ASSERT_EQ(bought, carried) << "the freed slot is taken again";
    EXPECT_EQ(load.present, 1);
    EXPECT_EQ(load.height, 0.0f);
    const std::int16_t beside = Make(kTypF102);
    EXPECT_TRUE(TestFahrzeugOverlap(beside)) << "the new one is there to be hit";
}

// Two cars of one type side by side, the second's box starting `gap` px after the first's ends.
TEST_F(FahrzeugTest, OverlapCountsTouchingEdgesOnOneLayerOnly) {
    const std::int16_t a = Make(kTypZF01, 1, 600, 500, 9);
    const std::int16_t b = Make(kTypZF01, 1, 600, 500, 9);
    Fahrzeug& first = Fahrzeuge[static_cast<std::size_t>(a)];
    Fahrzeug& second = Fahrzeuge[static_cast<std::size_t>(b)];
    const AnimSlot& slot = FahrzeugAnim(first);
    ASSERT_GT(slot.box[2], slot.box[0]);
    const auto placeAfter = [&](int gap) {
        second.drawX = static_cast<std::int16_t>(first.drawX + slot.box[2] - slot.box[0] + gap);
    };
    placeAfter(0);
    EXPECT_TRUE(TestFahrzeugOverlap(a)) << "edges touching";
    EXPECT_TRUE(TestFahrzeugOverlap(b));
    placeAfter(1);
    EXPECT_FALSE(TestFahrzeugOverlap(a));
    placeAfter(-5);
    second.storey = kLayerHelicopter;
    EXPECT_FALSE(TestFahrzeugOverlap(a)) << "another layer";
    second.storey = 0;
    second.present = 0;
    EXPECT_FALSE(TestFahrzeugOverlap(a)) << "not present";
    second.present = 1;
    EXPECT_TRUE(TestFahrzeugOverlap(a));
    RemoveFahrzeug(b, kRemoveDrivenOff);
    EXPECT_FALSE(TestFahrzeugOverlap(a)) << "a free slot";
    EXPECT_FALSE(TestFahrzeugOverlap(b));
    EXPECT_FALSE(TestFahrzeugOverlap(-1));
    EXPECT_FALSE(TestFahrzeugOverlap(FahrzeugCount));
}

}  // namespace
}  // namespace kv
