// Injuries and burning: what InjurePerson makes of each kind of person (teams split, loads are
// put down, the counters), HitPerson's burning companions, IgnitePerson's fields, and the burning
// person that lies down when its flames have run through.

#include "persons/person_injury.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/mission_counters.h"
#include "core/random.h"
#include "media/sound_slots.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/person_update.h"
#include "persons/person_update_fixture.h"

namespace kv {
namespace {

constexpr float kX = 300;
constexpr float kY = 280;

struct InjuryCase {
    int type;
    int becomes;
    std::vector<int> split;  // the types of the new casualties, in slot order
    bool carries = false;    // holds a casualty that is put down first
};

class Injuries : public test::PersonUpdateTest {
  protected:
    // A person of the type carrying a lying casualty (off the map, in slot 1) when carries is set.
    std::int16_t carrier(int type, bool carries) {
        const std::int16_t p = stand(type, kX, kY);
        if (carries) {
            load = lying(0, 100, 100, 700000);
            Personen[static_cast<std::size_t>(load)].offMap = 1;
            person(p).link = static_cast<std::uint16_t>(load);
        }
        return p;
    }
    std::int16_t load = -1;
};

// Laid down where it was, or pushed clear of the others nearby, lying in a diagonal.
::testing::AssertionResult LiesNearby(const Person& p) {
    if (p.direction != 1 && p.direction != 3 && p.direction != 7 && p.direction != 9)
        return ::testing::AssertionFailure() << "direction " << int{p.direction};
    if (std::abs(p.x - kX) > 40 || std::abs(p.y - kY) > 40)
        return ::testing::AssertionFailure() << "at " << p.x << ", " << p.y;
    return ::testing::AssertionSuccess();
}

std::vector<int> TypesOf(const std::vector<std::int16_t>& slots) {
    std::vector<int> types;
    for (std::int16_t i : slots) types.push_back(Personen[static_cast<std::size_t>(i)].type);
    return types;
}

TEST_F(Injuries, InjurePersonLaysEveryKindDownAsItsTableSays) {
    const InjuryCase cases[] = {
        {0, 0, {}},
        {5, 4, {4}},
        {6, 1, {1, 1}},
        {12, 1, {}, true},
        {26, 4, {4}, true},
        {33, 32, {}},
        {52, 27, {28, 27, 28, 29}},
        {53, 53, {}},
    };
    for (const InjuryCase& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type));
        alloc(10);
        MissionCounters = {};
        load = -1;
        const std::int16_t p = carrier(c.type, c.carries);
        person(p).present = 0;  // hidden: only the civilian is shown again
        person(p).controlFlags = 3;
        person(p).selected = 1;
        AppendBefehl(person(p), 7, 500, 0, 0, 0, 0);
        InjurePerson(p, 400000, kPushEverywhere, 0);

        const Person& q = person(p);
        EXPECT_EQ(q.type, c.becomes);
        EXPECT_EQ(q.casualty, 1);
        EXPECT_EQ(q.energy, 400000);
        EXPECT_EQ(q.energyLoss, 20);
        EXPECT_EQ(q.energyGain, 300);
        EXPECT_EQ(q.controlFlags, 0);
        EXPECT_EQ(q.selected, 0);
        EXPECT_EQ(q.orders, nullptr);
        EXPECT_TRUE(LiesNearby(q));
        EXPECT_EQ(q.anim, kAnimLying);
        EXPECT_EQ(q.present, c.type == 0 ? 1 : 0);

        const std::vector<std::int16_t> split = othersThan({p, load});
        EXPECT_EQ(TypesOf(split), c.split);
        for (std::int16_t n : split) {
            const Person& s = person(n);
            EXPECT_EQ(s.casualty, 1);
            EXPECT_EQ(s.energy, kFullEnergy) << "a full casualty, not the argument";
            EXPECT_EQ(s.energyLoss, 20);
            EXPECT_EQ(s.present, 1);
            EXPECT_EQ(s.selectable, 0);
            EXPECT_EQ(s.anim, kAnimLying);
            EXPECT_TRUE(LiesNearby(s));
        }
        if (c.carries) {
            const Person& l = person(load);
            EXPECT_EQ(l.offMap, 0);
            EXPECT_TRUE(LiesNearby(l));
            EXPECT_EQ(l.anim, kAnimLying);
            EXPECT_EQ(l.energy, 700000) << "the load is not hurt";
            EXPECT_EQ(q.link, 0xFFFF);
        }
        EXPECT_EQ(VerletzteCount, 1 + c.split.size());
        EXPECT_EQ(ToteCount, 0);
        EXPECT_GE(selectionUpdates, 1);
    }
}

TEST_F(Injuries, ATeamWithoutFreeSlotsBecomesOneCasualty) {
    alloc(1);
    const std::int16_t p = stand(6, kX, kY);
    InjurePerson(p, 500000, kPushEverywhere, 0);
    EXPECT_EQ(person(p).type, 1);
    EXPECT_EQ(VerletzteCount, 1);

    // With one slot left the team splits into two casualties only.
    alloc(2);
    MissionCounters = {};
    const std::int16_t q = stand(6, kX, kY);
    InjurePerson(q, 500000, kPushEverywhere, 0);
    EXPECT_EQ(TypesOf(othersThan({q})), std::vector<int>{1});
    EXPECT_EQ(VerletzteCount, 2);
}

TEST_F(Injuries, AnInjuryWithoutEnergyKillsOutrightAndCountsTwice) {
    alloc(4);
    const std::int16_t p = stand(1, kX, kY);
    InjurePerson(p, 0, kPushEverywhere, 0);
    EXPECT_EQ(VerletzteCount, 1);
    EXPECT_EQ(ToteCount, 1);
    EXPECT_EQ(person(p).deadTicks, kNeverRevivable);
    EXPECT_EQ(person(p).energy, 0);
    // The dead do not count their ticks any further: never revivable.
    ticks(10);
    EXPECT_EQ(person(p).deadTicks, kNeverRevivable);
    EXPECT_EQ(ToteCount, 1);
}

TEST_F(Injuries, TheFlagsSilenceTheScreamAndLeaveNoGroundObject) {
    alloc(4);
    const std::int16_t screamer = stand(1, kX, kY);
    InjurePerson(screamer, 500000, kPushEverywhere, 0);
    EXPECT_TRUE(screams(screamer, 39));
    EXPECT_EQ(usedSonderObjs(), 1) << "the lying fire-fighter's ground object";

    StopAllSounds();
    const std::int16_t silent = stand(1, kX + 100, kY);
    InjurePerson(silent, 500000, kPushEverywhere, kInjureNoScream | kInjureNoObject);
    EXPECT_FALSE(screams(silent, 39));
    EXPECT_EQ(usedSonderObjs(), 1);

    // A burning person lies down without a scream of its own.
    const std::int16_t burning = stand(0, kX + 200, kY);
    IgnitePerson(burning);
    StopAllSounds();
    InjurePerson(burning, kBurnedEnergy, kPushEverywhere, 0);
    EXPECT_EQ(person(burning).type, kPersonTypBurning);
    EXPECT_FALSE(screams(burning, 39));
}

TEST_F(Injuries, AStaleLinkNamesNoLoadAndNoPartner) {
    alloc(4);
    const std::int16_t other = lying(0, 100, 100, 600000);
    person(other).offMap = 1;
    // A carrier whose link carries a kind, and a led person whose link lies past the array.
    const std::int16_t carrier = stand(12, kX, kY);
    person(carrier).link = static_cast<std::uint16_t>(0x1000 + other);
    const std::int16_t led = stand(0, kX + 50, kY);
    person(led).controlFlags = 1;
    person(led).link = 60000;
    InjurePerson(carrier, 500000, kPushEverywhere, 0);
    InjurePerson(led, 500000, kPushEverywhere, 0);
    EXPECT_EQ(person(other).offMap, 1) << "nobody was put down";
    EXPECT_EQ(person(carrier).link, 0xFFFF);
    EXPECT_EQ(person(carrier).type, 1);
    EXPECT_EQ(person(led).casualty, 1);
}

struct HitCase {
    int type;
    std::vector<int> companions;  // new burning persons
    bool carries = false;
};

TEST_F(Injuries, HitPersonSetsEveryKindBurningAndSplitsTeamsIntoBurningPersons) {
    const HitCase cases[] = {
        {0, {}},  {1, {}},        {5, {7}},        {6, {7, 7}}, {52, {7, 7, 7, 7}},
        {11, {}}, {12, {}, true}, {26, {7}, true},
    };
    for (const HitCase& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type));
        alloc(10);
        MissionCounters = {};
        load = -1;
        const std::int16_t p = carrier(c.type, c.carries);
        person(p).present = c.type == 0 ? 0 : 1;
        person(p).energy = 0;  // as an explosion leaves it
        HitPerson(p);

        const Person& q = person(p);
        EXPECT_EQ(q.type, kPersonTypBurning);
        EXPECT_EQ(q.casualty, 0);
        EXPECT_EQ(q.present, 1);
        EXPECT_EQ(q.energy, 0);
        const std::vector<std::int16_t> burning = othersThan({p, load});
        EXPECT_EQ(TypesOf(burning), c.companions);
        for (std::int16_t n : burning) {
            const Person& b = person(n);
            EXPECT_EQ(b.casualty, 0);
            EXPECT_EQ(b.energy, 0);
            EXPECT_EQ(b.anim, 3) << "burning";
            EXPECT_EQ(b.selectable, 0);
            // Put down free, close by.
            EXPECT_NEAR(b.x, kX, 30);
            EXPECT_NEAR(b.y, kY, 30);
        }
        if (c.carries) {
            const Person& l = person(load);
            EXPECT_EQ(l.type, 0) << "the load does not burn";
            EXPECT_EQ(l.offMap, 0);
            EXPECT_EQ(l.anim, kAnimLying);
            EXPECT_TRUE(LiesNearby(l));
        }
        EXPECT_EQ(VerletzteCount, 0);
        EXPECT_EQ(ToteCount, 0);
    }
}

TEST_F(Injuries, IgnitePersonStartsTheFlamesAtARandomPointAndScreams) {
    alloc(4);
    const std::int16_t p = stand(2, kX, kY, 5);
    person(p).controlFlags = 3;
    person(p).selected = 1;
    person(p).energy = 812345;
    AppendBefehl(person(p), 7, 500, 0, 0, 0, 0);
    for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        SeedRandom(seed);
        const int pause = Rand() % 8;
        const int frame = Rand() % 4;
        SeedRandom(seed);
        IgnitePerson(p);
        EXPECT_EQ(person(p).frameTimer, 4 - pause);
        EXPECT_EQ(person(p).frame, frame);
    }
    const Person& q = person(p);
    EXPECT_EQ(q.type, kPersonTypBurning);
    EXPECT_EQ(q.anim, 3);
    EXPECT_EQ(q.direction, 0);
    EXPECT_EQ(q.selectable, 0);
    EXPECT_EQ(q.selected, 0);
    EXPECT_EQ(q.controlFlags, 0);
    EXPECT_EQ(q.orders, nullptr);
    EXPECT_EQ(q.energy, 812345) << "fire takes no energy here";
    EXPECT_TRUE(screams(p, 38)) << "the burning scream of type 7's voice";
}

TEST_F(Injuries, ABurningPersonLiesDownWhenItsFlamesHaveRunThrough) {
    alloc(4);
    SeedRandom(21);
    const std::int16_t p = stand(0, kX, kY);
    HitPerson(p);
    const AnimSlot& flames = PersonAnimSlot(kPersonTypBurning, 0, 3);
    ASSERT_GT(flames.frames, 1);
    ASSERT_GT(flames.delay, 0);
    // The first frame ends when the timer reaches the delay, every later one after delay ticks.
    const int first = std::max(1, flames.delay - person(p).frameTimer);
    const int expected = first + flames.delay * (flames.frames - 1 - person(p).frame);
    int t = 0;
    while (person(p).casualty == 0 && t < 500) {
        UpdatePersonen();
        ++t;
    }
    EXPECT_EQ(t, expected);
    const Person& q = person(p);
    EXPECT_EQ(q.type, kPersonTypBurning) << "lies in its burnt pictures";
    EXPECT_EQ(q.energy, kBurnedEnergy);
    EXPECT_EQ(q.anim, kAnimLying);
    EXPECT_EQ(q.direction, 1);
    EXPECT_EQ(VerletzteCount, 1);
    ticks(10);
    EXPECT_EQ(person(p).energy, kBurnedEnergy - 10 * kCasualtyLoss) << "and bleeds";
}

}  // namespace
}  // namespace kv
