// The per-tick vehicle update: animation, heat and the explosion it leads to, patient care aboard,
// the campaign-map step, and the ladder basket's lift.

#include "vehicles/fahrzeug_update.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/materials.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

using test::FahrzeugTest;

std::vector<std::int16_t> g_exploded;
void RecordExplosion(std::int16_t vehicle) {
    g_exploded.push_back(vehicle);
}

std::vector<std::int16_t> g_karteSteps;
void RecordKarteStep(std::int16_t vehicle) {
    g_karteSteps.push_back(vehicle);
}

class FahrzeugHeat : public FahrzeugTest {
  protected:
    void SetUp() override {
        FahrzeugTest::SetUp();
        g_exploded.clear();
        ExplosionWatcher.explodeFahrzeug = &RecordExplosion;
        // One material of our own: loses 10 a tick, takes damage above 1000.
        Materials = {Material{0, 0, 0, 1000, 10}};
        v = Make(kTypF102);
        FahrzeugTypen[kTypF102].material = 0;
    }
    Fahrzeug& car() { return Fahrzeuge[static_cast<std::size_t>(v)]; }
    std::int16_t v = -1;
};

TEST_F(FahrzeugHeat, HeatBeyondTheThresholdTurnsIntoDamage) {
    struct Case {
        std::int32_t heat;
        std::int32_t energy;
        std::int32_t heatAfter;
        std::int32_t energyAfter;
        bool explodes;
    };
    const Case cases[] = {
        {1010, 1000000, 1000, 1000000, false},  // at the threshold after the loss: no damage
        {1110, 1000000, 1000, 999950, false},   // 100 above costs 50
        {1111, 1000000, 1000, 999950, false},   // halves truncate
        {1110, 50, 1000, 0, false},             // exactly 0 does not explode here
        {1110, 49, 1000, 0, true},              // below 0: clamped, and it explodes
        {5, 1000000, 0, 1000000, false},        // cooled below 0: back to 0
        {0, 1000000, 0, 1000000, false},        // no heat, nothing
        {1500, 0, 1500, 0, false},              // no energy left, nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.heat << " " << c.energy);
        g_exploded.clear();
        car().heat = c.heat;
        car().energy = c.energy;
        UpdateFahrzeuge();
        EXPECT_EQ(car().heat, c.heatAfter);
        EXPECT_EQ(car().energy, c.energyAfter);
        EXPECT_EQ(g_exploded.size(), c.explodes ? 1u : 0u);
    }
}

TEST_F(FahrzeugHeat, ExplodesOnlyOnce) {
    car().heat = 5000;
    car().energy = 100;
    for (int tick = 0; tick < 5; ++tick) {
        car().heat += 3000;
        UpdateFahrzeuge();
    }
    ASSERT_EQ(g_exploded.size(), 1u);
    EXPECT_EQ(g_exploded[0], v);
    EXPECT_EQ(car().energy, 0);
}

TEST_F(FahrzeugHeat, BurningOutNeitherCoolsNorTakesDamage) {
    // Under its explosion (here an object that stands for it) the burning out is order 44's
    // alone: it burns the energy down by the heat, the update neither cools nor hurts it.
    const std::int16_t flame = FindFreeSonderObj();
    CreateSonderObj(flame, kSobjHydrant, 600, 500, 0, 0, 0, 0.0f, 0);
    AppendBefehl(car(), 44, flame, kSobjHydrant, 0, 0, 1, kBefehlStarted);
    car().heat = 5000;
    UpdateFahrzeuge();
    EXPECT_EQ(car().heat, 5000);
    EXPECT_EQ(car().energy, 1000000 - 5000);
}

TEST_F(FahrzeugHeat, ACannonBurningOutNeitherCoolsNorSprays) {
    // A running jet whose nozzle still has to turn: a working cannon turns it a step a tick.
    for (const std::uint8_t order : {kOpBurnOut, kOpWait}) {
        SCOPED_TRACE(int{order});
        const std::int16_t c = Make(kTypF104);
        FahrzeugTypen[kTypF104].material = 0;
        Fahrzeug& f = Fahrzeuge[static_cast<std::size_t>(c)];
        ASSERT_NE(f.wasserStrahl, nullptr);
        // The burning out runs under an explosion: an object stands for it, as above.
        const std::int16_t flame = FindFreeSonderObj();
        CreateSonderObj(flame, kSobjHydrant, 600, 500, 0, 0, 0, 0.0f, 0);
        if (order == kOpBurnOut)
            AppendBefehl(f, order, flame, kSobjHydrant, 0, 0, 1, kBefehlStarted);
        else
            AppendBefehl(f, order, 100, 0, 0, 0, 1);
        f.heat = 5000;
        f.wasserStrahl->active = 1;
        f.wasserStrahl->nozzle = 0;
        f.wasserStrahl->nozzleTarget = 3;
        UpdateFahrzeuge();
        const bool burningOut = order == kOpBurnOut;
        EXPECT_EQ(f.heat, burningOut ? 5000 : 1000);
        EXPECT_EQ(f.wasserStrahl->nozzle, burningOut ? 0 : 1);
    }
}

TEST_F(FahrzeugHeat, MaterialNumbersFromAFileCannotOverflow) {
    Materials = {Material{0, 0, 0, INT_MIN, INT_MIN}};
    car().heat = INT_MAX;
    UpdateFahrzeuge();
    EXPECT_EQ(car().heat, 0) << "the threshold itself is below 0";
    EXPECT_EQ(car().energy, 0);
    EXPECT_EQ(g_exploded.size(), 1u);
}

TEST_F(FahrzeugTest, PatientAboardIsCaredFor) {
    struct Case {
        std::vector<std::int8_t> crew;  // 26 carries the patient of its row
        std::int32_t patientEnergy;
        int treatedPatient;  // index into the crew's patients, -1 none
        std::int32_t energyAfter;
    };
    const Case cases[] = {
        {{4, 26}, 500000, 0, 500300},
        {{26, 4}, 500000, 0, 500300},
        {{26, 26}, 500000, 1, 500300},  // the later seat's patient
        {{26}, 500000, -1, 500000},     // a team alone
        {{4, 1}, 500000, -1, 500000},   // no team
        {{4, 26}, 1000000, 0, 1000000},
        {{4, 26}, 999900, 0, 1000000},
        {{4, 26}, 0, 0, 0},  // marked as treated, but gains nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.crew.size() << " " << c.patientEnergy);
        const std::int16_t v = Make(kTypF201);
        std::vector<std::int16_t> patients;
        for (const std::int8_t type : c.crew) {
            const std::int16_t p = Seat(v, type);
            if (type != 26) continue;
            const std::int16_t patient = MakePerson(2, c.patientEnergy);
            Personen[static_cast<std::size_t>(patient)].energyGain = 300;
            Personen[static_cast<std::size_t>(patient)].offMap = 1;
            Personen[static_cast<std::size_t>(p)].link = static_cast<std::uint16_t>(patient);
            patients.push_back(patient);
        }
        UpdateFahrzeuge();
        for (std::size_t i = 0; i < patients.size(); ++i) {
            const Person& patient = Personen[static_cast<std::size_t>(patients[i])];
            const bool treated = static_cast<int>(i) == c.treatedPatient;
            EXPECT_EQ(patient.treated, treated ? 1 : 0) << i;
            EXPECT_EQ(patient.energy, treated ? c.energyAfter : c.patientEnergy) << i;
        }
        RemoveFahrzeug(v, kRemoveDrivenOff);
    }
}

TEST_F(FahrzeugTest, AnimationAdvancesByItsDelay) {
    const std::int16_t v = Make(kTypF106);
    Fahrzeug& f = Fahrzeuge[static_cast<std::size_t>(v)];
    f.anim = 4;  // nine frames, two ticks each, in facing 3
    const AnimSlot& slot = FahrzeugAnim(f);
    ASSERT_EQ(slot.frames, 9);
    ASSERT_EQ(slot.delay, 2);
    Ticks(2);
    EXPECT_EQ(f.frame, 1);
    Ticks(16);
    EXPECT_EQ(f.frame, 0) << "past the last frame it starts again";
    f.anim = 0;  // one frame: stands still
    f.frameTimer = 0;
    Ticks(5);
    EXPECT_EQ(f.frame, 0);
    EXPECT_EQ(f.frameTimer, 0);
}

TEST_F(FahrzeugTest, CampaignMapStepsOnlyVehiclesOnARoad) {
    g_karteSteps.clear();
    const std::int16_t onRoad = Make(kTypF102);
    Make(kTypF102);
    Fahrzeuge[static_cast<std::size_t>(onRoad)].KarteWeg = 2;
    Ticks(1);  // nothing installed: nothing moves, nothing fails
    SetMoveFahrzeugOnKarteHook(&RecordKarteStep);
    Ticks(2);
    EXPECT_EQ(g_karteSteps, (std::vector<std::int16_t>{onRoad, onRoad}));
}

class KanzelLift : public FahrzeugTest {
  protected:
    void SetUp() override {
        FahrzeugTest::SetUp();
        ladder = Make(kTypF106);
        Fahrzeuge[static_cast<std::size_t>(ladder)].anim = 3;
        for (std::int16_t& p : crew) {
            p = MakePerson(1);
            Personen[static_cast<std::size_t>(p)].basketVehicle =
                static_cast<std::uint16_t>(ladder);
        }
        other = MakePerson(1);
    }
    KanzelState& kanzel() { return *Fahrzeuge[static_cast<std::size_t>(ladder)].kanzel; }
    float height(std::int16_t p) { return Personen[static_cast<std::size_t>(p)].height; }
    static void LiftTicks(int n) {
        for (int i = 0; i < n; ++i) UpdateKanzelLift();
    }
    std::int16_t ladder = -1;
    std::int16_t crew[2] = {-1, -1};
    std::int16_t other = -1;
};

TEST_F(KanzelLift, LowersOneStepEveryFourTicksUntilTheLastFrame) {
    kanzel().moving = 1;
    LiftTicks(3);
    EXPECT_EQ(height(crew[0]), 0.0f);
    LiftTicks(1);
    EXPECT_EQ(height(crew[0]), -4.0f);
    EXPECT_EQ(kanzel().liftFrame, 1);
    // Nine frames: eight steps move the basket, the ninth stops it.
    LiftTicks(4 * 8);
    EXPECT_EQ(height(crew[0]), -32.0f);
    EXPECT_EQ(height(crew[1]), -32.0f);
    EXPECT_EQ(height(other), 0.0f);
    EXPECT_EQ(kanzel().moving, 0);
    EXPECT_EQ(kanzel().liftFrame, 9);
    LiftTicks(8);
    EXPECT_EQ(height(crew[0]), -32.0f);
}

TEST_F(KanzelLift, RaisesBackToFrameZero) {
    kanzel().moving = 1;
    kanzel().reverse = 1;
    kanzel().liftFrame = 2;
    LiftTicks(4 * 3);
    EXPECT_EQ(height(crew[0]), 8.0f);
    EXPECT_EQ(kanzel().moving, 0);
    EXPECT_EQ(kanzel().liftFrame, -1);
}

TEST_F(KanzelLift, OnlyASetUpLadderWithARunningLiftMoves) {
    for (const std::int8_t anim : {std::int8_t{0}, std::int8_t{2}, std::int8_t{13}}) {
        Fahrzeuge[static_cast<std::size_t>(ladder)].anim = anim;
        kanzel() = KanzelState{};
        kanzel().moving = 1;
        LiftTicks(4);
        EXPECT_EQ(kanzel().liftFrame, anim == 13 ? 1 : 0) << int{anim};
    }
    kanzel() = KanzelState{};
    Fahrzeuge[static_cast<std::size_t>(ladder)].anim = 3;
    LiftTicks(8);
    EXPECT_EQ(kanzel().liftFrame, 0) << "not moving";
    EXPECT_EQ(kanzel().ticks, 0);
}

TEST_F(KanzelLift, ALongLiftDoesNotWrapItsFrame) {
    kanzel().moving = 1;
    kanzel().liftFrame = 127;
    LiftTicks(4);
    EXPECT_EQ(kanzel().moving, 0);
    EXPECT_EQ(kanzel().liftFrame, 127);
}

}  // namespace
}  // namespace kv
