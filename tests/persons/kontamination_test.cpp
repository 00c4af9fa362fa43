// Contamination: the chance of exposure by distance (1 in 4 d, nothing from 80 px on, two persons
// on one point as 1 px), who never takes it, what a contaminated person loses, and the
// decontamination vehicle: waiting for it to open, the 200 ticks inside, coming out beside it
// or sliding along its side, and the cases where it is gone, taken or out of reach.

#include "persons/kontamination.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "persons/person_befehle.h"
#include "persons/person_injury.h"
#include "persons/person_update_fixture.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeug_punkt_table.h"
#include "vehicles/fahrzeug_typ_table.h"

namespace kv {
namespace {

constexpr std::uint8_t kKind = 2;

class Kontamination : public test::PersonUpdateTest {
  protected:
    void SetUp() override {
        PersonUpdateTest::SetUp();
        alloc(8);
    }
    std::int16_t source(float x = 300, float y = 300) {
        const std::int16_t s = stand(1, x, y);
        person(s).contamination = kKind;
        return s;
    }
    // Exposure a clean person of the type gains at (dx, dy) from a source in that many ticks of
    // spread; it is kept clean so that it never stops counting.
    int exposureAt(int type, float dx, float dy, int n) {
        alloc(8);
        const std::int16_t s = source();
        const std::int16_t j = stand(type, 300 + dx, 300 + dy);
        int gained = 0;
        for (int t = 0; t < n; ++t) {
            SpreadKontamination(s);
            gained += person(j).exposure;
            person(j).exposure = 0;
        }
        return gained;
    }
};

TEST_F(Kontamination, ExposureComesByChanceOneIn4TimesTheDistanceBelow80Px) {
    SeedRandom(5);
    const int near = exposureAt(0, 1, 0, 4000);
    EXPECT_GT(near, 850);
    EXPECT_LT(near, 1150) << "about 1 in 4";
    const int same = exposureAt(0, 0, 0, 4000);
    EXPECT_GT(same, 850) << "one point counts as 1 px";
    EXPECT_LT(same, 1150);
    const int ten = exposureAt(0, 10, 0, 4000);
    EXPECT_GT(ten, 60);
    EXPECT_LT(ten, 150) << "about 1 in 40";
    EXPECT_GT(exposureAt(0, 57, 56, 8000), 0) << "79.9 px is 79";
    EXPECT_EQ(exposureAt(0, 57, 57, 8000), 0) << "80.6 px is 80";
    EXPECT_EQ(exposureAt(0, 80, 0, 8000), 0);
    EXPECT_EQ(exposureAt(0, 0, -80, 8000), 0);
}

TEST_F(Kontamination, TheProtectiveSuitsNeverTakeIt) {
    for (int type : {3, 21, 22, 23, 24, 25}) {
        SCOPED_TRACE("type " + std::to_string(type));
        EXPECT_TRUE(KontaminationProof(static_cast<std::int8_t>(type)));
        alloc(8);
        const std::int16_t s = source();
        const std::int16_t j = stand(3, 301, 300);
        person(j).type = static_cast<std::int8_t>(type);
        for (int t = 0; t < 400; ++t) SpreadKontamination(s);
        EXPECT_EQ(person(j).exposure, 0);
        EXPECT_EQ(person(j).contamination, 0);
    }
    for (int type : {0, 1, 2, 4, 5, 26})
        EXPECT_FALSE(KontaminationProof(static_cast<std::int8_t>(type)));
}

TEST_F(Kontamination, OnlyTheCleanOnTheMapOnTheSameStoreyAreExposed) {
    const std::int16_t s = source();
    const std::int16_t upstairs = stand(0, 301, 300);
    person(upstairs).storey = 1;
    const std::int16_t inside = stand(0, 300, 301);
    person(inside).offMap = 1;
    const std::int16_t hidden = stand(0, 299, 300);
    person(hidden).present = 0;
    const std::int16_t other = stand(0, 300, 299);
    person(other).contamination = 5;
    const std::int16_t doorway = stand(0, 299, 299);
    const Befehl doorOrder;
    person(doorway).doorOrder = &doorOrder;  // a door double
    const std::int16_t open = stand(0, 301, 301);
    SeedRandom(9);
    for (int t = 0; t < 300; ++t) SpreadKontamination(s);
    for (std::int16_t p : {upstairs, inside, hidden, other, doorway})
        EXPECT_EQ(person(p).exposure, 0);
    EXPECT_EQ(person(other).contamination, 5) << "keeps its own kind";
    EXPECT_GT(person(open).exposure, 0);
}

TEST_F(Kontamination, At100ExposureThePersonTakesTheSourcesKind) {
    const std::int16_t s = source();
    const std::int16_t j = stand(0, 301, 300);
    person(j).exposure = 99;
    SeedRandom(3);
    while (person(j).exposure == 99) SpreadKontamination(s);
    EXPECT_EQ(person(j).exposure, 0);
    EXPECT_EQ(person(j).contamination, kKind);
}

TEST_F(Kontamination, AContaminatedPersonLoses30ATickDiesAndThenLiesDownFull) {
    const std::int16_t s = source();
    person(s).energy = 60;
    ticks(1);
    EXPECT_EQ(person(s).energy, 30);
    ticks(1);
    EXPECT_EQ(person(s).energy, 0);
    EXPECT_EQ(ToteCount, 1);
    EXPECT_EQ(person(s).casualty, 0);
    ticks(1);
    EXPECT_EQ(person(s).casualty, 1);
    EXPECT_EQ(person(s).energy, kFullEnergy);
    EXPECT_EQ(VerletzteCount, 1);
    ticks(1);
    EXPECT_EQ(person(s).energy, kFullEnergy - 20 - 30) << "bleeds and is still poisoned";
}

TEST_F(Kontamination, AContaminatedMedicsPatientIsExposedOnlyByDistance) {
    const std::int16_t medic = source(100, 100);
    person(medic).type = 4;
    const std::int16_t patient = lying(1, 300, 100, 900000);
    person(medic).anim = kAnimTreat;
    person(medic).link = static_cast<std::uint16_t>(patient);
    person(patient).link = static_cast<std::uint16_t>(0x1000 + medic);
    const std::int16_t bystander = stand(0, 104, 100);
    SeedRandom(12);
    ticks(600);
    EXPECT_EQ(person(patient).exposure, 0);
    EXPECT_EQ(person(patient).contamination, 0);
    EXPECT_GT(person(bystander).exposure + person(bystander).contamination, 0);
}

// Decontamination, with the vehicle head 0 a decontamination vehicle placed so that its side
// point lies where the person stands.
class Decontamination : public Kontamination {
  protected:
    void SetUp() override {
        Kontamination::SetUp();
        vehicles[0].type = kTypF109;
        p = source(560, 310);
        sidePointAt(560, 310, 3);
        person(p).exposure = 40;
        person(p).selected = 1;
        AppendBefehl(person(p), 198, -1, 0, 0, 0, 0);
    }
    // Turns the vehicle so that the person faces that way at its side point, and moves it so that
    // the point lies at (x, y).
    void sidePointAt(std::int16_t x, std::int16_t y, std::uint8_t facing) {
        const PunktRow& row = *FindPunktRow(kFahrzeugSideRows, kTypF109);
        vehicles[0].direction = static_cast<std::int8_t>(
            std::find_if(row.begin(), row.end(),
                         [facing](const PunktOffset& o) { return o.facing == facing; }) -
            row.begin());
        const FahrzeugPunkt at = GetFahrzeugSidePoint(0, p);
        ASSERT_EQ(at.facing, facing);
        vehicles[0].x += static_cast<float>(x - at.x);
        vehicles[0].y += static_cast<float>(y - at.y);
    }
    int headOf(const UnitHead& u) const { return HeadBefehlOpcode(u); }
    void goIn() {
        vehicles[0].anim = 3;
        ticks(1);
        ASSERT_EQ(headOf(person(p)), 199);
    }
    std::int16_t p = -1;
};

TEST_F(Decontamination, TheInterpreterRunsBothOrders) {
    EXPECT_EQ(PersonBefehlHandlers[198], EnterDecontamination);
    EXPECT_EQ(PersonBefehlHandlers[199], LeaveDecontamination);
}

TEST_F(Decontamination, AClosedVehicleIsToldToOpenThenThePersonGoesInCleanFor200Ticks) {
    ticks(1);
    EXPECT_EQ(headOf(person(p)), 198) << "waits";
    ASSERT_EQ(headOf(vehicles[0]), 43);
    EXPECT_EQ(vehicles[0].orders->aInt(), 8);

    vehicles[0].anim = 3;
    ticks(1);
    EXPECT_EQ(vehicles[0].link, p);
    EXPECT_EQ(person(p).present, 0);
    EXPECT_EQ(person(p).contamination, 0);
    EXPECT_EQ(person(p).exposure, 0);
    EXPECT_EQ(person(p).selected, 0);
    ASSERT_EQ(headOf(person(p)), 199);
    EXPECT_EQ(person(p).orders->aInt(), 0);
    EXPECT_EQ(person(p).orders->bInt(), kDecontaminationTicks);

    ticks(kDecontaminationTicks - 1);
    EXPECT_EQ(person(p).present, 0) << "still inside";
    ticks(1);
    EXPECT_EQ(person(p).present, 1);
    EXPECT_FLOAT_EQ(person(p).x, 560);
    EXPECT_FLOAT_EQ(person(p).y, 310);
    EXPECT_EQ(person(p).orders, nullptr);
    EXPECT_EQ(vehicles[0].link, 0xFFFF);
    EXPECT_EQ(person(p).contamination, 0);
}

TEST_F(Decontamination, ACarrierTakesItsLoadInCleanToo) {
    const std::int16_t load = lying(0, 100, 100, 800000);
    person(load).offMap = 1;
    person(load).contamination = kKind;
    person(load).exposure = 7;
    person(p).type = 12;
    person(p).link = static_cast<std::uint16_t>(load);
    goIn();
    EXPECT_EQ(person(load).contamination, 0);
    EXPECT_EQ(person(load).exposure, 0);
}

struct RefusalCase {
    const char* name;
    std::int32_t vehicle;
    std::uint16_t occupant;
    float dx;
};

TEST_F(Decontamination, ATakenVehicleAWrongSpotOrNoVehicleEndsTheOrders) {
    const RefusalCase cases[] = {
        {"taken", 0, 5, 0},
        {"1 px off the side point", 0, 0xFFFF, 1},
        {"a free vehicle slot", 1, 0xFFFF, 0},
        {"past the vehicle array", 70, 0xFFFF, 0},
        {"a negative index", -1, 0xFFFF, 0},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        ClearBefehle(person(p));
        person(p).x = 560 + c.dx;
        AppendBefehl(person(p), 198, -1, c.vehicle, 0, 0, 0);
        vehicles[0].link = c.occupant;
        vehicles[0].anim = 3;
        ticks(1);
        EXPECT_EQ(person(p).orders, nullptr);
        EXPECT_EQ(person(p).present, 1);
        EXPECT_EQ(vehicles[0].link, c.occupant);
    }
}

TEST_F(Decontamination, ALeaderOutOfRangeCountsAsNoneAndThePersonIsDeselected) {
    ClearBefehle(person(p));
    AppendBefehl(person(p), 198, 4000, 0, 0, 0, 0);
    goIn();
    EXPECT_EQ(person(p).selected, 0);
    EXPECT_GE(selectionUpdates, 1);
}

TEST_F(Decontamination, AtTheEndTheVehicleIsOpenedAgainFirst) {
    goIn();
    vehicles[0].anim = 0;
    ticks(kDecontaminationTicks);
    EXPECT_EQ(person(p).present, 0);
    EXPECT_EQ(headOf(vehicles[0]), 43);
    vehicles[0].anim = 3;
    ticks(1);
    EXPECT_EQ(person(p).present, 1);
}

TEST_F(Decontamination, ThePersonSlidesAlongTheSideToTheFirstSpotOnTheMap) {
    // Too close to the top edge: along y (facing 3) it comes out 20 px down the map.
    goIn();
    sidePointAt(560, 10, 3);
    ticks(kDecontaminationTicks);
    EXPECT_EQ(person(p).present, 1);
    EXPECT_FLOAT_EQ(person(p).x, 560);
    EXPECT_FLOAT_EQ(person(p).y, 20);

    // Facing 6, along x as far as the picture's width.
    ClearBefehle(person(p));
    person(p).x = 5;
    person(p).y = 300;
    sidePointAt(5, 300, 6);
    vehicles[0].link = 0xFFFF;
    AppendBefehl(person(p), 198, -1, 0, 0, 0, 0);
    goIn();
    ticks(kDecontaminationTicks);
    EXPECT_FLOAT_EQ(person(p).x, 20);
    EXPECT_FLOAT_EQ(person(p).y, 300);

    // Its point on the map by the bottom edge but its feet not: it slides up until they are.
    ClearBefehle(person(p));
    const float bottom = static_cast<float>(WorldMaxY - 1);
    person(p).x = 560;
    person(p).y = bottom;
    sidePointAt(560, static_cast<std::int16_t>(bottom), 3);
    vehicles[0].link = 0xFFFF;
    AppendBefehl(person(p), 198, -1, 0, 0, 0, 0);
    goIn();
    ticks(kDecontaminationTicks);
    const Person& out = person(p);
    const auto onMap = [&](float y) {
        return FootprintOnMap(PersonTypOf(out), out.x, y, static_cast<std::uint8_t>(out.direction),
                              static_cast<std::uint8_t>(out.anim));
    };
    ASSERT_EQ(out.present, 1);
    EXPECT_LT(out.y, bottom);
    EXPECT_TRUE(onMap(out.y));
    EXPECT_FALSE(onMap(out.y + 1)) << "the first such spot";
}

TEST_F(Decontamination, WithNoRoomBesideTheVehicleThePersonWaitsInsideAndTriesAgain) {
    goIn();
    sidePointAt(560, 10, 9);
    vehicleImage.height = 5;  // slides reach y 15 at most
    ticks(kDecontaminationTicks + 20);
    EXPECT_EQ(person(p).present, 0);
    EXPECT_EQ(headOf(person(p)), 199);
    EXPECT_EQ(vehicles[0].link, p) << "still taken";

    sidePointAt(560, 310, 9);
    ticks(1);
    EXPECT_EQ(person(p).present, 1);
    EXPECT_FLOAT_EQ(person(p).y, 310);
    EXPECT_EQ(person(p).orders, nullptr);
    EXPECT_EQ(vehicles[0].link, 0xFFFF);

    // A picture without width tries the side point alone.
    vehicles[0].link = 0xFFFF;
    person(p).y = 10;
    sidePointAt(560, 10, 0);
    vehicleImage.width = 0;
    vehicleImage.height = 40;
    AppendBefehl(person(p), 198, -1, 0, 0, 0, 0);
    goIn();
    ticks(kDecontaminationTicks);
    EXPECT_EQ(person(p).present, 0);
}

TEST_F(Decontamination, APersonStandingOnTheSidePointKeepsTheOtherInside) {
    goIn();
    vehicleImage.height = 0;  // no room to slide along the side
    const std::int16_t blocker = stand(0, 560, 310);
    ticks(kDecontaminationTicks + 5);
    EXPECT_EQ(person(p).present, 0);
    EXPECT_EQ(vehicles[0].link, p);
    person(blocker).x = 700;
    ticks(1);
    EXPECT_EQ(person(p).present, 1);
    EXPECT_EQ(vehicles[0].link, 0xFFFF);
}

TEST_F(Decontamination, AVehicleGoneWhileInsideLetsThePersonOutWhereItWentIn) {
    goIn();
    vehicles[0].type = -1;
    ticks(1);
    EXPECT_EQ(person(p).present, 1);
    EXPECT_EQ(person(p).orders, nullptr);
    EXPECT_FLOAT_EQ(person(p).x, 560);
    EXPECT_FLOAT_EQ(person(p).y, 310);
}

}  // namespace
}  // namespace kv
