// The per-tick person update: casualties bleed and die and count their dead ticks, treated ones
// do not bleed, medics heal, a well person found without energy becomes a casualty and ends the
// pass, animations rest and lie still, idle controlled persons stand, and persons in distress are
// lost at their deadline.

#include "persons/person_update.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "movement/stepping.h"
#include "persons/person_injury.h"
#include "persons/person_types.h"
#include "persons/person_update_fixture.h"
#include "persons/timed_victims.h"

namespace kv {
namespace {

constexpr std::int8_t kMedic = 4;
constexpr std::int8_t kHoseHolder = 11;

using PersonUpdate = test::PersonUpdateTest;

struct BleedCase {
    const char* name;
    std::int32_t energy;
    std::int16_t loss;
    std::uint16_t deadTicks;
    int ticks;
    std::int32_t energyAfter;
    std::uint16_t deadTicksAfter;
    int dead;  // ToteCount afterwards
};

TEST_F(PersonUpdate, CasualtiesBleedDieOnceAndCountTheirDeadTicksTo2400) {
    const BleedCase cases[] = {
        {"no loss never dies", 300000, 0, 0, 3000, 300000, 0, 0},
        {"dies on the fifth tick", 100, 20, 7, 5, 0, 0, 1},
        {"then counts", 100, 20, 0, 9, 0, 4, 1},
        {"the last point", 1, 1, 0, 1, 0, 0, 1},
        {"dead ticks stop at 2400", 0, 20, 2398, 5, 0, 2400, 0},
        {"killed outright stays past it", 0, 20, kNeverRevivable, 5, 0, kNeverRevivable, 0},
        {"a negative loss saturates", std::numeric_limits<std::int32_t>::max() - 5, -20, 0, 3,
         std::numeric_limits<std::int32_t>::max(), 0, 0},
    };
    for (const BleedCase& c : cases) {
        SCOPED_TRACE(c.name);
        alloc(4);
        MissionCounters = {};
        const std::int16_t p = lying(1, 300, 300, c.energy, c.loss);
        person(p).deadTicks = c.deadTicks;
        ticks(c.ticks);
        EXPECT_EQ(person(p).energy, c.energyAfter);
        EXPECT_EQ(person(p).deadTicks, c.deadTicksAfter);
        EXPECT_EQ(ToteCount, c.dead);
        EXPECT_EQ(VerletzteCount, 0) << "a created casualty is not counted";
    }
}

TEST_F(PersonUpdate, TreatedAndReanimatedCasualtiesDoNotBleedUntilLetGo) {
    alloc(8);
    const std::int16_t medic = stand(kMedic, 500, 300);
    const std::int16_t treated = lying(1, 300, 300, 50000);
    const std::int16_t revived = lying(1, 300, 400, 50000);
    const std::int16_t onBed = lying(1, 300, 500, 50000);
    person(treated).link = static_cast<std::uint16_t>(0x1000 + medic);
    person(revived).link = static_cast<std::uint16_t>(0x3000 + medic);
    person(onBed).link = 0x2000;
    ticks(10);
    EXPECT_EQ(person(treated).energy, 50000);
    EXPECT_EQ(person(revived).energy, 50000);
    EXPECT_EQ(person(onBed).energy, 50000 - 10 * 20) << "lying on an object is no treatment";
    person(treated).link = 0xFFFF;
    ticks(10);
    EXPECT_EQ(person(treated).energy, 50000 - 10 * 20);
}

TEST_F(PersonUpdate, AMedicAtWorkGivesItsPatientTheGainAndAHarmfulGainKills) {
    alloc(8);
    const std::int16_t medic = stand(kMedic, 500, 300);
    const std::int16_t patient = lying(1, 483, 300, 999500, 20, 300);
    person(medic).anim = kAnimTreat;
    person(medic).link = static_cast<std::uint16_t>(patient);
    person(patient).link = static_cast<std::uint16_t>(0x1000 + medic);
    ticks(1);
    EXPECT_EQ(person(patient).energy, 999800);
    ticks(1);
    EXPECT_EQ(person(patient).energy, kFullEnergy) << "capped";

    person(patient).energy = 100;
    person(patient).energyGain = -50;
    ticks(1);
    EXPECT_EQ(person(patient).energy, 50);
    ticks(1);
    EXPECT_EQ(person(patient).energy, 0);
    EXPECT_EQ(ToteCount, 1);
    ticks(5);
    EXPECT_EQ(ToteCount, 1) << "the dead are not healed again";

    // Out of the treating pose, or with a link that names no patient, nobody is healed.
    person(patient).energy = 5000;
    person(patient).energyGain = 300;
    person(patient).link = 0xFFFF;
    person(medic).link = static_cast<std::uint16_t>(0x1000 + patient);
    ticks(1);
    EXPECT_EQ(person(patient).energy, 5000 - 20);
    person(medic).link = static_cast<std::uint16_t>(patient);
    person(medic).anim = 4;
    ticks(1);
    EXPECT_EQ(person(patient).energy, 5000 - 40);
}

TEST_F(PersonUpdate, AWellPersonWithoutEnergyBecomesACasualtyAndEndsThePass) {
    alloc(6);
    const std::int16_t before = lying(1, 300, 300, 500000);
    const std::int16_t spent = stand(2, 400, 300);
    const std::int16_t after = lying(1, 300, 400, 500000);
    person(spent).energy = 0;
    ticks(1);
    EXPECT_EQ(person(before).energy, 500000 - 20);
    EXPECT_EQ(person(spent).casualty, 1);
    EXPECT_EQ(person(spent).energy, kFullEnergy);
    EXPECT_EQ(person(spent).anim, kAnimLying);
    EXPECT_EQ(person(after).energy, 500000) << "not updated this tick";
    EXPECT_EQ(VerletzteCount, 1);
    EXPECT_EQ(ToteCount, 0);
    ticks(1);
    EXPECT_EQ(person(after).energy, 500000 - 20);
    EXPECT_EQ(person(spent).energy, kFullEnergy - 20);
}

TEST_F(PersonUpdate, OnlyAHoseHolderWithoutAControllerThatIsNoCasualtyWorksItsJet) {
    // The jet aims east of a holder facing north: working it turns the holder a step a tick.
    struct Case {
        const char* who;
        void (*make)(Person&);
        std::int8_t facing;
    };
    const Case cases[] = {
        {"a hose holder", [](Person&) {}, 1},
        {"with a controller", [](Person& p) { p.controlFlags = kPersonController; }, 0},
        {"a casualty", [](Person& p) { p.casualty = 1; }, 0},
        {"in a vehicle", [](Person& p) { p.offMap = 1; }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.who);
        alloc(2);
        const std::int16_t h = stand(kHoseHolder, 300, 300, 0);
        SchlauchStrahl& jet = person(h).attachment.makeJet();
        jet.active = 1;
        jet.direction = 3;
        jet.splash = -1;
        c.make(person(h));
        ticks(1);
        EXPECT_EQ(person(h).direction, c.facing);
    }
}

TEST_F(PersonUpdate, IdleStandingPersonsRestAndCasualtiesRestOrLieStill) {
    alloc(6);
    // A fire-fighter facing a quarter has a many-frame standing animation.
    const std::int16_t standing = stand(1, 300, 300, 3);
    const AnimSlot& stay = PersonAnimSlot(1, 3, kAnimStand);
    ASSERT_GT(stay.frames, 1);
    person(standing).frame = static_cast<std::uint8_t>(stay.frames - 1);
    person(standing).frameTimer = static_cast<std::int8_t>(stay.delay - 1);
    SeedRandom(17);
    const int pause = Rand() % 60 - 120;
    SeedRandom(17);
    ticks(1);
    EXPECT_EQ(person(standing).frame, 0);
    EXPECT_EQ(person(standing).frameTimer, pause);
    EXPECT_LE(pause, -61);

    const std::int16_t strong = lying(1, 400, 300, 200000);
    const AnimSlot& lay = PersonAnimSlot(1, 1, kAnimLying);
    ASSERT_GT(lay.frames, 1);
    person(strong).frame = static_cast<std::uint8_t>(lay.frames - 2);
    person(strong).frameTimer = 1;
    ticks(1);
    EXPECT_EQ(person(strong).frame, lay.frames - 1);
    EXPECT_EQ(person(strong).frameTimer, lay.delay & 0xFF);
    for (int t = 0; t < lay.delay; ++t) ticks(1);
    EXPECT_EQ(person(strong).frame, 0);
    EXPECT_EQ(person(strong).frameTimer, PersonTypen[1].lyingPause[1]) << "rests after a run";

    const std::int16_t weak = lying(1, 500, 300, kStillEnergy - 1);
    person(weak).frame = 3;
    person(weak).frameTimer = 2;
    ticks(1);
    EXPECT_EQ(person(weak).frame, 0);
    EXPECT_EQ(person(weak).frameTimer, 0);

    // A frame the current animation does not have goes back to the first.
    const std::int16_t frozen = stand(1, 600, 300, 1);
    person(frozen).animate = 0;
    person(frozen).frame = 200;
    ticks(1);
    EXPECT_EQ(person(frozen).frame, 0);
}

TEST_F(PersonUpdate, AnIdleControlledPersonFallsBackToStandingOneTickLate) {
    alloc(8);
    const std::int16_t idle = stand(0, 300, 300, 3);
    const std::int16_t led = stand(0, 400, 300, 3);
    const std::int16_t distress = stand(0, 500, 300, 3);
    const std::int16_t held = stand(0, 600, 300, 3);
    for (std::int16_t p : {idle, led, distress, held}) {
        person(p).controlFlags = kPersonController;
        person(p).anim = kAnimWalk;
        person(p).moverFlags = kMoverSearching;
        person(p).idleStand = 0;
    }
    person(led).moverFlags |= kMoverLed;
    person(distress).controlFlags |= kPersonInDistress;
    ticks(1);
    EXPECT_EQ(person(idle).anim, kAnimWalk);
    EXPECT_EQ(person(idle).idleStand, 1);
    person(held).idleStand = 0;  // a mission holds its pose one more tick
    ticks(1);
    EXPECT_EQ(person(idle).anim, kAnimStand);
    EXPECT_EQ(person(idle).moverFlags & kMoverSearching, 0);
    EXPECT_EQ(person(held).anim, kAnimWalk);
    EXPECT_EQ(person(led).anim, kAnimWalk) << "led persons walk on";
    EXPECT_EQ(person(distress).anim, kAnimWalk);
}

TEST_F(PersonUpdate, APersonInDistressKneelsAtItsDeadlineAndIsLostOnTheLastFrame) {
    alloc(6);
    TickCounter = 20 * 100;
    const std::int16_t v = CreateTimedVictim(1, 300, 300, 0, 5, -1, -1);
    ASSERT_GE(v, 0);
    person(v).direction = 1;  // the kneeling animation lies in the diagonals
    person(v).selected = 1;
    const std::int16_t standing = CreateTimedVictim(1, 400, 300, 0, 5, -1, -1);
    person(standing).anim = kAnimStand;

    TickCounter = 20 * 105 - 1;
    ticks(1);
    EXPECT_EQ(person(v).anim, kAnimDistress) << "a second early";

    TickCounter = 20 * 105;
    ticks(1);
    EXPECT_EQ(person(v).anim, 4);
    const AnimSlot& kneel = PersonAnimSlot(1, 1, 4);
    ASSERT_GT(kneel.frames, 1);
    int t = 1;
    while (person(v).type != -1 && t < 500) {
        ASSERT_LT(person(v).frame, kneel.frames);
        const bool last = person(v).frame + 1 == kneel.frames;
        ticks(1);
        ++t;
        EXPECT_EQ(person(v).type == -1, last) << "lost exactly on its last frame";
    }
    EXPECT_EQ(person(v).type, -1);
    EXPECT_TRUE(person(v).attachment.empty()) << "the plan goes with it";
    EXPECT_EQ(person(v).selected, 0);
    EXPECT_GE(selectionUpdates, 1);
    EXPECT_EQ(ToteCount, 1);

    // Standing, it waits for a handler to lay it down.
    ticks(300);
    EXPECT_NE(person(standing).type, -1);
    EXPECT_EQ(ToteCount, 1);
}

}  // namespace
}  // namespace kv
