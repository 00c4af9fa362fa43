// The person array: the record's stored layout, the free defaults, the creators, resetting,
// animation slots, pushing a person free, deleting and the mission's person set-up.

#include "persons/personen.h"

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "core/selection.h"
#include "core/unit_views.h"
#include "movement/befehl_queue.h"
#include "persons/gaffer.h"
#include "persons/person_fixture.h"
#include "persons/person_types.h"
#include "persons/timed_victims.h"
#include "support/record_offsets.h"
#include "world/house_fixture.h"
#include "world/houses.h"
#include "world/level_map.h"

namespace kv {
namespace {

using test::PersonTest;

TEST(PersonRecord, SaveOffsets) {
    test::ExpectLayout<Person>(
        709,
        {{"type", 0},          {"orders", 21},      {"sound", 310},         {"offMap", 312},
         {"animate", 313},     {"idleStand", 314},  {"basketVehicle", 315}, {"casualty", 317},
         {"treated", 318},     {"energyLoss", 319}, {"energyGain", 321},    {"evadeX", 323},
         {"evadeY", 327},      {"evadeTicks", 331}, {"contamination", 332}, {"exposure", 333},
         {"deadTicks", 335},   {"trail", 337},      {"attachment", 699},    {"evadeKind", 703},
         {"evadeSource", 704}, {"evadeDir", 706},   {"evadeLastDir", 707},  {"evadeReset", 708}});
    // The attachment is one 24-byte block of either kind.
    test::ExpectLayout<DeadlinePlan>(24, {{"active", 0},
                                          {"startX", 4},
                                          {"state", 6},
                                          {"deadline", 10},
                                          {"approachDx", 12},
                                          {"approachDy", 14},
                                          {"scriptBytes", 16}});
    EXPECT_EQ(RecordSize<SchlauchStrahl>(), 24u);
    // The trail sits inside the record with the widths it always had.
    test::ExpectLayout<PersonTrail>(362, {{"trailWrite", 0}, {"trail", 1}, {"trailWrapped", 361}});
}

// A plan typed byte by byte: active, startX 300, state 2, deadline 1000, approach (50, -1),
// and two bytes a script left behind.
TEST(PersonRecord, ReadsAStoredDeadlinePlan) {
    const std::uint8_t bytes[] = {
        0x01, 0x00, 0x00, 0x00,  // active, zeros
        0x2C, 0x01,              // startX
        0x02, 0x00,              // state
        0x00, 0x00,              // zero
        0xE8, 0x03,              // deadline
        0x32, 0x00,              // approachDx
        0xFF, 0xFF,              // approachDy
        0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x09,
    };
    ByteReader in(bytes);
    const DeadlinePlan plan = ReadRecord<DeadlinePlan>(in);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(plan.active, 1);
    EXPECT_EQ(plan.startX, 300);
    EXPECT_EQ(plan.state, 2);
    EXPECT_EQ(plan.deadline, 1000);
    EXPECT_EQ(plan.approachDx, 50);
    EXPECT_EQ(plan.approachDy, -1);
    EXPECT_EQ(plan.scriptBytes[0], 7);
    EXPECT_EQ(plan.scriptBytes[7], 9);
}

TEST_F(PersonTest, EverySlotStartsWithTheFreeDefaults) {
    alloc(3);
    ASSERT_EQ(Personen.size(), 3u);
    for (const Person& p : Personen) {
        EXPECT_EQ(p.type, -1);
        EXPECT_EQ(p.present, 1);
        EXPECT_EQ(p.targetable, 1);
        EXPECT_EQ(p.selectable, 1);
        EXPECT_EQ(p.energy, 1000000);
        EXPECT_EQ(p.link, 0xFFFF);
        EXPECT_EQ(p.house, 0xFFFF);
        EXPECT_EQ(p.basketVehicle, 0xFFFF);
        EXPECT_EQ(p.stepMarker, 128);
        EXPECT_EQ(p.sound, -1);
        EXPECT_EQ(p.orders, nullptr);
        EXPECT_TRUE(p.attachment.empty());
        EXPECT_EQ(p.evadeReset, 1);
    }
    EXPECT_EQ(PersonUnits.count, 3);
    EXPECT_EQ(PersonUnits.at(2), &Personen[2]);
    EXPECT_EQ(PersonUnits.at(3), nullptr);
    person(1).casualty = 1;
    EXPECT_EQ(PersonUnits.casualty(1), 1);
    EXPECT_EQ(PersonUnits.soundGroup(0), -1) << "a free slot has no voice";
    EXPECT_EQ(FindFreePerson(), 0);
}

TEST_F(PersonTest, AFullArrayCreatesNobody) {
    alloc(2);
    person(0).type = 1;
    person(1).type = 1;
    EXPECT_EQ(FindFreePerson(), -1);
    EXPECT_EQ(CreateVerletzter(1, 100, 100, 0, 1, 500000, 20, 300, 0), -1);
    EXPECT_EQ(CreateTimedVictim(1, 100, 100, 0, 300, -1, -1), -1);
    for (const Person& p : Personen) EXPECT_TRUE(p.attachment.empty());
    alloc(0);
    EXPECT_EQ(FindFreePerson(), -1);
}

// Where the creators may put a new person on the plain map: the result is the next slot, or -1.
struct Placement {
    std::int16_t x;
    std::int16_t y;
    std::int8_t storey;
    std::int16_t result;
};
constexpr Placement kPlacements[] = {
    {100, 100, 1, -1},   // a ground cell holds no storey
    {-200, 100, 0, -1},  // off the map
    {100, 900, 0, -1},   //
    {100, 100, 0, 0},    // plain ground
    {120, 140, -1, 1},   // below the ground counts as the ground
};

TEST_F(PersonTest, ACasualtyLiesOnPlainGroundOnly) {
    alloc(2);
    LoadPersonTyp(1);
    for (const Placement& c : kPlacements)
        EXPECT_EQ(CreateVerletzter(1, c.x, c.y, c.storey, 3, 400000, 20, 300, 2), c.result)
            << c.x << "," << c.y << " storey " << int(c.storey);
    const Person& p = person(0);
    EXPECT_EQ(p.type, 1);
    EXPECT_EQ(p.casualty, 1);
    EXPECT_EQ(p.selectable, 0);
    EXPECT_EQ(p.targetable, 1);
    EXPECT_EQ(p.energy, 400000);
    EXPECT_EQ(p.energyLoss, 20);
    EXPECT_EQ(p.energyGain, 300);
    EXPECT_EQ(p.contamination, 2);
    EXPECT_EQ(p.house, 0xFFFF);
    EXPECT_EQ(p.anim, kAnimLying) << "a loaded type is reset at once";
    EXPECT_EQ(CreateVerletzter(60, 100, 100, 0, 3, 1, 0, 0, 0), -1) << "no such type";
}

TEST_F(PersonTest, AThrowerStandsOnPlainGround) {
    alloc(4);
    for (const Placement& c : kPlacements)
        EXPECT_EQ(CreatePersonAt(c.x, c.y, c.storey, 7), c.result)
            << c.x << "," << c.y << " storey " << int(c.storey);
    const Person& p = person(0);
    EXPECT_EQ(p.type, 32);
    EXPECT_EQ(p.direction, 7);
    EXPECT_EQ(p.x, 100.0f);
    EXPECT_EQ(p.y, 100.0f);
    EXPECT_EQ(p.controlFlags, kPersonController | kPersonRival);
    EXPECT_EQ(p.present, 1);
    EXPECT_EQ(p.targetable, 1);
    EXPECT_EQ(p.selectable, 0);
    EXPECT_EQ(p.casualty, 0);
    EXPECT_EQ(p.energy, 1000000);
    EXPECT_EQ(p.house, 0xFFFF);
    EXPECT_EQ(p.idleStand, 0) << "not reset while its type is not loaded";

    LoadPersonTyp(32);
    ASSERT_EQ(CreatePersonAt(150, 140, 0, 3), 2);
    EXPECT_EQ(person(2).idleStand, 1) << "a loaded type is reset at once";
    EXPECT_GT(person(2).speed, 0.0f);
    EXPECT_EQ(person(0).idleStand, 0) << "the earlier one is left alone";
    ASSERT_EQ(CreatePersonAt(150, 140, 0, 3), 3);
    EXPECT_EQ(CreatePersonAt(150, 140, 0, 3), -1) << "the array is full";
}

class PersonInHouse : public test::HouseTest {};

TEST_F(PersonInHouse, ACasualtyInAHouseNeedsAPlacedHouseCell) {
    writeHouse(1, test::BoxHouse(2, 2, 2));
    writePictures(0, 0);
    writeFlameSets(1, 1);
    writeFurniture();
    ASSERT_TRUE(place({{1, 2, 1}}));
    PersonCount = 3;
    AllocPersonen();
    // A pixel inside a cell of the house, and one of a plain cell.
    auto pixelOf = [](std::size_t cell) {
        const int column = static_cast<int>(cell) / MapHeight;
        const int row = static_cast<int>(cell) % MapHeight;
        return PixelPos{CellLineStartX(column, row, 14) + 16, kCellHeight * row + 14};
    };
    std::size_t houseCell = MapCells.size();
    std::size_t ground = 0;
    for (std::size_t i = 0; i < MapCells.size(); ++i) {
        if (MapCells[i].tile >= kHouseLinkBase && houseCell == MapCells.size()) houseCell = i;
        if (MapCells[i].tile < kHouseLinkBase) ground = i;
    }
    ASSERT_LT(houseCell, MapCells.size());
    const PixelPos inside = pixelOf(houseCell);
    const auto x = static_cast<std::int16_t>(inside.x);
    const auto y = static_cast<std::int16_t>(inside.y);
    EXPECT_EQ(CreateVerletzter(1, x, y, 0, 0, 1, 0, 0, 0), -1) << "a house cell holds no ground";
    EXPECT_EQ(Personen[0].type, -1);
    EXPECT_EQ(CreatePersonAt(x, y, 0, 0), -1) << "nor does it for a thrower";
    EXPECT_EQ(CreateVerletzter(1, x, y, 2, 0, 1, 0, 0, 0), 0);
    EXPECT_EQ(Personen[0].house, 0);
    EXPECT_EQ(Personen[0].storey, 2);
    EXPECT_EQ(CreatePersonAt(x, y, 1, 0), 1);
    EXPECT_EQ(Personen[1].house, 0);
    EXPECT_EQ(Personen[1].storey, 1);
    MapCells[ground].tile = HouseLink(5, 0, 0);
    const PixelPos loose = pixelOf(ground);
    EXPECT_EQ(CreateVerletzter(1, static_cast<std::int16_t>(loose.x),
                               static_cast<std::int16_t>(loose.y), 1, 0, 1, 0, 0, 0),
              -1)
        << "a link to no placed house";
    EXPECT_EQ(CreateScriptPerson(41, x, y, 1, 0), 2) << "a fighter upstairs takes the cell's house";
    EXPECT_EQ(Personen[2].house, 0);
    FreePersonen();
}

TEST_F(PersonTest, APersonInDistressGetsItsDeadlinePlan) {
    alloc(2);
    LoadPersonTyp(1);
    TickCounter = 1234;
    const std::int16_t i = CreateTimedVictim(1, 321, 222, 5, 300, 50, 0);
    ASSERT_EQ(i, 0);
    const Person& p = person(0);
    EXPECT_EQ(p.controlFlags, 65);
    EXPECT_EQ(p.anim, kAnimDistress);
    EXPECT_EQ(p.selectable, 0);
    EXPECT_EQ(p.casualty, 0);
    const DeadlinePlan* plan = p.attachment.plan();
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(plan->active, 1);
    EXPECT_EQ(plan->startX, 321);
    EXPECT_EQ(plan->state, 5);
    EXPECT_EQ(plan->deadline, 61 + 300);
    EXPECT_EQ(plan->approachDx, 50);
    EXPECT_EQ(plan->approachDy, 0);
    EXPECT_EQ(plan->scriptBytes, (std::array<std::uint8_t, 8>{}));
}

TEST_F(PersonTest, ResetPutsAPersonIntoTheIdleStateOfItsKind) {
    alloc(1);
    LoadPersonTyp(1);
    struct Case {
        std::uint8_t casualty;
        std::uint8_t controlFlags;
        std::int8_t anim;
        std::uint16_t link2;
        std::uint8_t moverFlags;
    };
    const Case cases[] = {
        {0, 0, kAnimStand, 0xFFFF, 0},
        {1, 64, kAnimLying, 0xFFFF, 0},
        {0, 65, kAnimDistress, 0xFFFF, 0},
        {0, 8, kAnimStand, 7, 2},  // a pedestrian keeps its path and walks
    };
    for (const Case& c : cases) {
        Person& p = person(0);
        p.type = 1;
        p.x = 200.7f;
        p.y = 150.2f;
        p.direction = 4;
        p.casualty = c.casualty;
        p.controlFlags = c.controlFlags;
        p.link = p.link2 = 7;
        p.selected = 1;
        p.moverFlags = 0xFF;
        p.trail.trailWrite = 3;
        p.sound = 12;
        p.zone = 2;
        p.deadTicks = 9;
        AppendBefehl(p, 176, 0, 0, 0, 0, 1);
        AppendBefehl(p, 2, GoalList{{1, 1}}, 0, 0, 1);
        ResetPerson(0);
        EXPECT_EQ(p.anim, c.anim);
        EXPECT_EQ(p.link2, c.link2);
        EXPECT_EQ(p.moverFlags, c.moverFlags);
        EXPECT_EQ(p.link, 0xFFFF);
        EXPECT_EQ(p.selected, 0);
        EXPECT_EQ(p.orders, nullptr);
        EXPECT_EQ(p.sound, -1);
        EXPECT_EQ(p.zone, -1);
        EXPECT_EQ(p.deadTicks, 0);
        EXPECT_EQ(p.trail.trailWrite, 41);
        EXPECT_EQ(p.idleStand, 1);
        EXPECT_EQ(p.animate, 1);
        EXPECT_EQ(p.speed, PersonTypen[1].speed);
        EXPECT_EQ(p.moveX, 200.7f);
        EXPECT_EQ(p.moveDir, 4);
        const AnimSlot& slot = PersonAnimSlot(1, 4, c.anim);
        EXPECT_EQ(p.drawX, static_cast<int>(200.7f - slot.hotX));
        EXPECT_EQ(p.drawY, static_cast<int>(150.2f - slot.hotY));
    }
}

TEST_F(PersonTest, OnlyTheStandingAnimationStartsAfterAPause) {
    alloc(1);
    person(0).type = 1;
    SeedRandom(7);
    int lowest = 0;
    for (int n = 0; n < 300; ++n) {
        person(0).frameTimer = 5;
        SetPersonAnim(0, kAnimStand);
        EXPECT_LE(person(0).frameTimer, 0);
        EXPECT_GE(person(0).frameTimer, -59);
        lowest = std::min<int>(lowest, person(0).frameTimer);
        person(0).frame = 3;
        SetPersonAnim(0, kAnimWalk);
        EXPECT_EQ(person(0).frameTimer, 0);
        EXPECT_EQ(person(0).frame, 0);
        EXPECT_EQ(person(0).anim, kAnimWalk);
    }
    EXPECT_LT(lowest, -50);
}

TEST_F(PersonTest, ATreatingMedicLetsGoOfItsPatientWhateverItsNewSlot) {
    alloc(2);
    Person& medic = person(0);
    Person& patient = person(1);
    medic.type = 4;
    patient.type = 1;
    for (std::uint16_t next : {kAnimTreat, kAnimStand}) {
        medic.anim = kAnimTreat;
        medic.link = 1;
        patient.link = 0x1000;
        SetPersonAnim(0, next);
        EXPECT_EQ(medic.link, 0xFFFF);
        EXPECT_EQ(patient.link, 0xFFFF);
    }
    medic.anim = kAnimWalk;
    medic.link = 1;
    patient.link = 0x1000;
    SetPersonAnim(0, kAnimTreat);
    EXPECT_EQ(patient.link, 0x1000) << "a medic that was not treating keeps its pair";
}

TEST_F(PersonTest, PushingFreeMovesOnlyWhereTheMaskAllows) {
    alloc(2);
    // Free where it stands: nothing moves whatever the mask.
    const std::int16_t free = place(1, 300, 300, 1);
    EXPECT_EQ(PushPersonFree(free, 15), 0);
    EXPECT_EQ(person(free).x, 300.0f);
    EXPECT_EQ(person(free).y, 300.0f);
    // Its box reaches over the left edge of the map.
    const std::int16_t edge = place(1, 2, 300, 1);
    EXPECT_EQ(PushPersonFree(edge, 0), 0) << "mask 0 never moves";
    EXPECT_EQ(person(edge).x, 2.0f);
    EXPECT_EQ(PushPersonFree(edge, 1), 0);
    EXPECT_GT(person(edge).x, 2.0f);
    EXPECT_EQ(person(edge).y, 300.0f);
    EXPECT_LT(person(edge).x, 30.0f) << "the first spot that fits";
}

TEST_F(PersonTest, PushingFreeStopsOnceTheStepPassesTheMap) {
    alloc(1);
    const std::int16_t i = place(1, 2, 300, 5);  // 5 counts as 1
    // Only towards the edge: never free; back at the start.
    EXPECT_NE(PushPersonFree(i, 4), 0);
    EXPECT_EQ(person(i).x, 2.0f);
    EXPECT_EQ(person(i).y, 300.0f);
    EXPECT_EQ(person(i).direction, 1);
    // A map too small for the person at all.
    test::PlainMap(1, 1);
    person(i).x = 5;
    person(i).y = 5;
    EXPECT_NE(PushPersonFree(i, 15), 0);
    EXPECT_EQ(person(i).x, 5.0f);
    EXPECT_EQ(SavedPersonPos.x, 5.0f);
}

int g_selectionUpdates = 0;

TEST_F(PersonTest, DeletingAPersonFreesItsSlotWithoutCleanUps) {
    alloc(3);
    SetUpdateSelectionModeHook([] { ++g_selectionUpdates; });
    g_selectionUpdates = 0;
    const std::int16_t i = place(1, 100, 100);
    place(1, 200, 100);
    Person& p = person(i);
    p.selected = 1;
    p.attachment.makeJet().active = 1;
    AppendBefehl(p, 169, 0, 0, 0, 1, 1);  // its clean-up would delete person 1
    AppendBefehl(p, 5, GoalList{{1, 1}}, 0, 0, 1);
    DeletePerson(i);
    EXPECT_EQ(p.type, -1);
    EXPECT_EQ(p.orders, nullptr);
    EXPECT_TRUE(p.attachment.empty());
    EXPECT_EQ(p.selected, 0);
    EXPECT_EQ(p.x, 0.0f);
    EXPECT_EQ(p.present, 1);
    EXPECT_EQ(p.evadeReset, 1);
    EXPECT_EQ(g_selectionUpdates, 1);
    EXPECT_EQ(person(1).type, 1) << "no clean-up ran";
    DeletePerson(i);
    DeletePerson(2);
    DeletePerson(-1);
    DeletePerson(3);
    EXPECT_EQ(g_selectionUpdates, 1);
}

void CreateTwoPersons() {
    PersonCount = 4;
    AllocPersonen();
    CreateVerletzter(1, 100, 100, 0, 3, 1000, 20, 300, 1);
    CreateTimedVictim(1, 200, 100, 0, 300, -1, -1);
}

TEST_F(PersonTest, TheMissionsSetUpRunsFirstThenEveryPersonIsReset) {
    MissionHookRows[0].InitPersonen = CreateTwoPersons;
    FreePersonTyp(1);
    ASSERT_TRUE(InitPersonen(1));
    EXPECT_TRUE(PersonTypLoaded(1));
    EXPECT_EQ(person(0).anim, kAnimLying);
    EXPECT_EQ(person(1).anim, kAnimDistress);
    EXPECT_EQ(person(1).speed, PersonTypen[1].speed);
    ASSERT_NE(KontaminiertImage, nullptr);
    EXPECT_EQ(FrameCount(KontaminiertImage), 2u);
    LoadPersonTyp(27);
    FreePersonen();
    EXPECT_TRUE(PersonTypLoaded(1)) << "types 0..7 stay for the program";
    EXPECT_FALSE(PersonTypLoaded(27));
    EXPECT_EQ(KontaminiertImage, nullptr);
    EXPECT_EQ(PersonUnits.count, 0);
    EXPECT_TRUE(Personen.empty());
}

TEST_F(PersonTest, AMissionWithoutASetUpIsFatal) {
    EXPECT_FALSE(InitPersonen(2));
    EXPECT_EQ(FatalErrorMessage(), "InitPersonen not defined");
}

TEST_F(PersonTest, AMissingContaminationMarkerIsFatal) {
    test::ScratchDir dir;
    dir.linkSampleData("persons");
    test::WorkingDirectory cwd(dir.path());
    MissionHookRows[0].InitPersonen = CreateTwoPersons;
    EXPECT_FALSE(InitPersonen(1));
    EXPECT_EQ(FatalErrorMessage(), "file not found: KONTAMINIERTFILE.");
}

}  // namespace
}  // namespace kv
