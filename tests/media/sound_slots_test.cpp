#include "media/sound_slots.h"

#include <gtest/gtest.h>

#include "core/fire_counts.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/view.h"
#include "media/sound_fixture.h"
#include "media/speech.h"
#include "media/unit_sounds.h"

namespace kv {
namespace {

using Op = HeadlessSound::Op;

class SoundSlotsTest : public test::SoundTest {
  protected:
    void SetUp() override {
        SoundTest::SetUp();
        fillAll();
        device().clearCalls();
    }
};

TEST_F(SoundSlotsTest, APlayingSlotIsNeitherRestartedNorTakenOver) {
    PlaySoundFx(kSoundCarDoor, kOwnerFahrzeug, 2, 0, 0, 0, kSoundDepth);
    PlaySoundFx(kSoundCarDoor, kOwnerFahrzeug, 4, 0, 0, 0, kSoundDepth);
    EXPECT_EQ(played(), std::vector<int>{kSoundCarDoor});
    EXPECT_EQ(SoundSlots[kSoundCarDoor].ownerIndex, 2);
    EXPECT_EQ(IsFahrzeugSoundPlaying(2, kSoundCarDoor), 1);
    EXPECT_EQ(IsFahrzeugSoundPlaying(4, kSoundCarDoor), 0);
    EXPECT_EQ(IsPersonSoundPlaying(2, kSoundCarDoor), 0);
}

TEST_F(SoundSlotsTest, IdZeroAndNegativeIdsNeverPlay) {
    PlaySpeech(0, 0);
    PlaySoundFx(-3, kOwnerNone, -1, 0, 0, 0, kSoundDepth);
    PlaySpeech(5, -1);
    EXPECT_TRUE(played().empty());
    PlaySpeech(1, 0);
    PlaySpeech(0, 1);
    EXPECT_EQ(played(), (std::vector<int>{1, kPhraseCount}));
    EXPECT_EQ(SoundSlots[1].ownerKind, kOwnerNone);
}

TEST_F(SoundSlotsTest, StopSoundRewindsAndStopAllKeepsThePlace) {
    PlaySoundFx(kSoundCrowd, kOwnerNone, -1, 1, 0, 0, kSoundDepth);
    PlaySoundFx(kSoundFight, kOwnerNone, -1, 0, 0, 0, kSoundDepth);
    StopSound(kSoundCrowd);
    EXPECT_FALSE(playing(kSoundCrowd));
    EXPECT_TRUE(buffer(kSoundCrowd).atStart);
    StopAllSounds();
    EXPECT_FALSE(playing(kSoundFight));
    EXPECT_FALSE(buffer(kSoundFight).atStart);
    EXPECT_EQ(countCalls(Op::Rewind, kSoundFight), 0);
    // Stopping what does not play asks nothing of the device.
    device().clearCalls();
    StopSound(kSoundFight);
    StopAllSounds();
    EXPECT_TRUE(device().calls().empty());
}

TEST_F(SoundSlotsTest, HelicoptersTakeTheThreeCopiesAndAFourthPlaysNothingNew) {
    for (int v = 0; v < 3; ++v) PlayHeliSound(v, 1);
    EXPECT_EQ(played(), (std::vector<int>{73, 74, 75}));
    for (int v = 0; v < 3; ++v) {
        EXPECT_EQ(IsFahrzeugSoundPlaying(v, 73 + v), 1);
        EXPECT_EQ(vehicles[v].sound, 73 + v);
        EXPECT_TRUE(buffer(73 + v).looping);
    }
    PlayHeliSound(3, 1);
    EXPECT_EQ(played().size(), 3u);
    EXPECT_EQ(IsFahrzeugSoundPlaying(2, 75), 1) << "the third keeps its copy";
}

TEST_F(SoundSlotsTest, HelicoptersWithSoundOffOnlyRecordACopy) {
    SoundOn = 0;
    for (int v = 0; v < 6; ++v) PlayHeliSound(v, 1);
    EXPECT_TRUE(played().empty());
    for (int v = 0; v < 6; ++v) {
        EXPECT_GE(vehicles[v].sound, 73);
        EXPECT_LE(vehicles[v].sound, 75);
    }
}

TEST_F(SoundSlotsTest, SirensTakeTheFirstFreeCopyAndTheLastIsShared) {
    const int expected[] = {77, 78, 79, 80};
    for (int v = 0; v < 4; ++v) {
        PlaySirenSound(v, 1);
        EXPECT_EQ(IsFahrzeugSoundPlaying(v, expected[v]), 1) << "vehicle " << v;
    }
    PlaySirenSound(4, 1);
    EXPECT_EQ(played().size(), 4u);
    EXPECT_EQ(IsFahrzeugSoundPlaying(3, 80), 1);

    // A single wail first silences the vehicle's own siren, then takes the first free copy,
    // which is its own again, from the start.
    StopSound(78);
    PlaySirenSound(0, 0);
    EXPECT_EQ(countCalls(Op::Rewind, 77), 1);
    EXPECT_EQ(IsFahrzeugSoundPlaying(0, 77), 1);
    EXPECT_FALSE(buffer(77).looping);
    EXPECT_FALSE(playing(78));
    EXPECT_EQ(IsFahrzeugSoundPlaying(2, 79), 1) << "other vehicles keep theirs";
    PlaySirenSound(1, 0);
    EXPECT_EQ(IsFahrzeugSoundPlaying(1, 78), 1);
}

TEST_F(SoundSlotsTest, ANewLoopStopsTheOwnersOldOne) {
    PlaySoundFx(kSoundPontoon, kOwnerFahrzeug, 1, 1, 0, 0, kSoundDepth);
    EXPECT_EQ(vehicles[1].sound, kSoundPontoon);
    PlaySoundFx(kSoundTurntableLadder, kOwnerFahrzeug, 1, 1, 0, 0, kSoundDepth);
    EXPECT_EQ(vehicles[1].sound, kSoundTurntableLadder);
    EXPECT_FALSE(playing(kSoundPontoon));
    EXPECT_TRUE(buffer(kSoundPontoon).atStart);
    EXPECT_TRUE(playing(kSoundTurntableLadder));
    // A sound that does not loop leaves the record alone.
    PlaySoundFx(kSoundCarDoor, kOwnerFahrzeug, 1, 0, 0, 0, kSoundDepth);
    EXPECT_EQ(vehicles[1].sound, kSoundTurntableLadder);
    EXPECT_TRUE(playing(kSoundTurntableLadder));

    StopOwnerSound(kOwnerFahrzeug, 1);
    EXPECT_EQ(vehicles[1].sound, -1);
    EXPECT_FALSE(playing(kSoundTurntableLadder));
    StopOwnerSound(kOwnerFahrzeug, -1);  // no owner: nothing, and no crash
    StopOwnerSound(kOwnerFahrzeug, 40);
}

TEST_F(SoundSlotsTest, WithSoundOffLoopsAreOnlyRecordedUntilRestarted) {
    SoundOn = 0;
    PlaySoundFx(kSoundAircraft, kOwnerFahrzeug, 2, 1, 0, 0, kSoundDepth);
    PlaySoundFx(kSoundCrowd, kOwnerPerson, 3, 1, 0, 0, kSoundDepth);
    PlaySoundFx(kSoundFight, kOwnerPerson, 4, 0, 0, 0, kSoundDepth);
    vehicles[5].sound = kSoundPontoon;
    vehicles[5].type = -1;  // a free slot keeps its stale record silent
    EXPECT_TRUE(played().empty());
    EXPECT_EQ(vehicles[2].sound, kSoundAircraft);
    EXPECT_EQ(persons[3].sound, kSoundCrowd);
    EXPECT_EQ(persons[4].sound, -1);

    RestartOwnerSounds();
    EXPECT_TRUE(played().empty()) << "still off";
    SoundOn = 1;
    RestartOwnerSounds();
    EXPECT_EQ(played(), (std::vector<int>{kSoundAircraft, kSoundCrowd}));
    EXPECT_EQ(IsFahrzeugSoundPlaying(2, kSoundAircraft), 1);
    EXPECT_EQ(IsPersonSoundPlaying(3, kSoundCrowd), 1);
    EXPECT_TRUE(buffer(kSoundAircraft).looping);
    EXPECT_FLOAT_EQ(SoundSlots[kSoundAircraft].depth, kSoundDepth);
}

struct ScreamCase {
    const char* name;
    std::vector<int> before;  // played for the person first, in order
    int request;
    std::vector<int> after;  // playing afterwards, of 38..41
};

TEST_F(SoundSlotsTest, PersonScreamsFollowTheirPriorities) {
    const ScreamCase cases[] = {
        {"39 alone", {}, 39, {39}},
        {"39 cuts off 40 and 41", {41, 40}, 39, {39}},
        {"40 waits for 39", {39}, 40, {39}},
        {"40 cuts off 41", {41}, 40, {40}},
        {"41 waits for 39", {39}, 41, {39}},
        {"41 waits for 40", {40}, 41, {40}},
        {"the burning scream 38 alone", {}, 38, {38}},
        {"38 plays over the others and cuts off none", {39, 41}, 38, {38, 39}},
        {"39 leaves 38 playing", {38}, 39, {38, 39}},
        {"other ids play nothing", {}, 37, {}},
        {"nor past 41", {}, 42, {}},
    };
    for (const ScreamCase& c : cases) {
        StopAllSounds();
        for (int id : c.before) PlayPersonSound(1, id);
        PlayPersonSound(1, c.request);
        std::vector<int> now;
        for (int id = 38; id <= 41; ++id)
            if (IsPersonSoundPlaying(1, id + 4)) now.push_back(id);
        EXPECT_EQ(now, c.after) << c.name;
    }
    // Another person's scream is no reason to wait.
    StopAllSounds();
    PlayPersonSound(2, 39);
    PlayPersonSound(1, 40);
    EXPECT_EQ(IsPersonSoundPlaying(1, 44), 1);
    EXPECT_EQ(IsPersonSoundPlaying(2, 43), 1);
}

TEST_F(SoundSlotsTest, ScreamsNeedBreathAVoiceAndAPerson) {
    persons[0].soundGroup = 4;
    PlayPersonSound(0, 41);
    EXPECT_EQ(IsPersonSoundPlaying(0, 57), 1) << "group 4 screams 41 as 57";
    persons[1].casualty = 1;
    persons[1].energy = 99999;
    PlayPersonSound(1, 39);
    persons[2].casualty = 1;
    persons[2].energy = 100000;
    PlayPersonSound(2, 40);
    persons[3].energy = 5;  // weak, but no casualty
    PlayPersonSound(3, 39);
    persons[4].soundGroup = -1;
    PlayPersonSound(4, 39);
    persons[5].type = -1;
    PlayPersonSound(5, 39);
    PlayPersonSound(9, 39);
    EXPECT_EQ(played(), (std::vector<int>{57, 44, 43}));
    EXPECT_EQ(SoundSlots[44].ownerIndex, 2);
    EXPECT_EQ(SoundSlots[43].ownerIndex, 3);
}

struct PlaceCase {
    const char* name;
    int kind;
    int index;
    int x;
    int y;
    std::int16_t relX;
    std::int16_t relY;
};

TEST_F(SoundSlotsTest, EachOwnerKindIsPlacedRelativeToTheListener) {
    ViewOrigin = {500, 300};
    vehicles[0].x = 1000.7f;
    vehicles[0].y = 800.2f;
    vehicles[1].x = 1000;
    vehicles[1].y = 800;
    vehicles[1].storey = -2;  // the aircraft still sounds where it is
    vehicles[2].x = 1000;
    vehicles[2].y = 800;
    vehicles[2].storey = -3;
    vehicles[3].x = -0.7f;  // truncated toward zero
    vehicles[3].y = 0;
    persons[0].x = 10;
    persons[0].y = 20;
    persons[1].x = 10;
    persons[1].y = 20;
    persons[1].storey = -4;  // in a base
    objects[2] = {true, {18, 2000.9f, 1500, -10, -20, 31, 7}};
    objects[3] = {true, {18, 600, 400, 0, 0, -7, -3}};  // halving keeps the sign
    const PlaceCase cases[] = {
        {"none", kOwnerNone, -1, 0, 0, 0, 0},
        {"vehicle", kOwnerFahrzeug, 0, 0, 0, 180, 30},
        {"aircraft layer", kOwnerFahrzeug, 1, 0, 0, 180, 30},
        {"below the air layers", kOwnerFahrzeug, 2, 0, 0, 0, 0},
        {"negative position", kOwnerFahrzeug, 3, 0, 0, -820, -770},
        {"person", kOwnerPerson, 0, 0, 0, -810, -750},
        {"person in a base", kOwnerPerson, 1, 0, 0, 0, 0},
        {"special object", kOwnerSonderObj, 2, 0, 0, 1190, 723},
        {"box halved with the sign", kOwnerSonderObj, 3, 0, 0, -223, -371},
        {"map point", kOwnerMapPoint, 0, 900, 600, 80, -170},
        {"unknown kind", 7, 0, 900, 600, 0, 0},
    };
    int id = 1;
    for (const PlaceCase& c : cases) {
        PlaySoundFx(id, c.kind, c.index, 0, c.x, c.y, kSoundDepth);
        EXPECT_EQ(SoundSlots[id].relX, c.relX) << c.name;
        EXPECT_EQ(SoundSlots[id].relY, c.relY) << c.name;
        const auto& b = buffer(id);
        EXPECT_FLOAT_EQ(b.x, c.relX / 300.0f) << c.name;
        EXPECT_FLOAT_EQ(b.y, c.relY / 600.0f) << c.name;
        EXPECT_FLOAT_EQ(b.z, -0.5f) << c.name;
        ++id;
    }
}

TEST_F(SoundSlotsTest, PositionsAreSentOnlyWhenTheyChange) {
    vehicles[0].x = 400;
    vehicles[0].y = 500;
    PlaySoundFx(kSoundPontoon, kOwnerFahrzeug, 0, 1, 0, 0, kSoundDepth);
    objects[1] = {true, {18, 700, 500, 0, 0, 10, 10}};
    PlaySoundFx(kSoundHydrant, kOwnerSonderObj, 1, 1, 0, 0, kSoundDepth);
    PlaySoundFx(kSoundFight, kOwnerMapPoint, 0, 0, 100, 100, kSoundDepth);
    const auto sent = [&](int id) { return buffer(id).positionsSet; };
    EXPECT_EQ(sent(kSoundPontoon), 1);

    UpdateSoundPositions();
    vehicles[0].x = 400.9f;  // the same whole pixel
    UpdateSoundPositions();
    EXPECT_EQ(sent(kSoundPontoon), 1);
    EXPECT_EQ(sent(kSoundFight), 1);

    vehicles[0].x = 430;
    UpdateSoundPositions();
    EXPECT_EQ(sent(kSoundPontoon), 2);
    EXPECT_FLOAT_EQ(buffer(kSoundPontoon).x, 110 / 300.0f);
    EXPECT_EQ(sent(kSoundFight), 1);

    ViewOrigin = {0, 28};  // scrolling moves every owner
    UpdateSoundPositions();
    EXPECT_EQ(sent(kSoundPontoon), 3);
    EXPECT_EQ(sent(kSoundFight), 2);
    EXPECT_FLOAT_EQ(buffer(kSoundFight).y, -398 / 600.0f);

    // A freed object keeps its last place; a stopped sound is not followed.
    objects[1].used = false;
    StopSound(kSoundFight);
    ViewOrigin = {0, 0};
    UpdateSoundPositions();
    EXPECT_EQ(sent(kSoundHydrant), 2);
    EXPECT_EQ(SoundSlots[kSoundHydrant].relY, 505 - 28 - 470);
    EXPECT_EQ(sent(kSoundFight), 2);
}

TEST_F(SoundSlotsTest, AFailingStatusEndsTheUpdate) {
    vehicles[0].x = 400;
    PlaySoundFx(kSoundPontoon, kOwnerFahrzeug, 0, 1, 0, 0, kSoundDepth);
    device().failStatus(true);
    vehicles[0].x = 800;
    UpdateSoundPositions();
    PlaySoundFx(kSoundCarDoor, kOwnerNone, -1, 0, 0, 0, kSoundDepth);
    EXPECT_EQ(buffer(kSoundPontoon).positionsSet, 1);
    EXPECT_EQ(played(), std::vector<int>{kSoundPontoon});
    EXPECT_EQ(IsSoundPlaying(kSoundPontoon), 0);
}

TEST_F(SoundSlotsTest, TheFireLoopsWhileAnythingBurns) {
    UpdateAmbientSound();
    EXPECT_FALSE(playing(kSoundFire));
    std::uint16_t* counts[] = {&BurningCellCount, &BurningHouseCount, &BurningSonderObjCount};
    for (std::uint16_t* count : counts) {
        *count = 1;
        UpdateAmbientSound();
        EXPECT_TRUE(playing(kSoundFire));
        EXPECT_TRUE(buffer(kSoundFire).looping);
        *count = 0;
        UpdateAmbientSound();
        EXPECT_FALSE(playing(kSoundFire));
    }
    // Mission 21's burning engine counts as a fire; the same object elsewhere does not.
    objects[7] = {true, {31, 0, 0, 0, 0, 0, 0}};
    UpdateAmbientSound();
    EXPECT_FALSE(playing(kSoundFire));
    MissionNummer = 21;
    UpdateAmbientSound();
    UpdateAmbientSound();
    EXPECT_TRUE(playing(kSoundFire));
    EXPECT_EQ(countCalls(Op::Play, kSoundFire), 4) << "a playing fire goes on";
}

TEST_F(SoundSlotsTest, ReleaseSoundsEmptiesEverySlot) {
    PlaySoundFx(kSoundCrowd, kOwnerNone, -1, 1, 0, 0, kSoundDepth);
    ReleaseSounds();
    EXPECT_EQ(device().bufferCount(), 0u);
    for (const SoundSlot& s : SoundSlots) EXPECT_EQ(s.buffer, kNoSoundBuffer);
    PlaySoundFx(kSoundCrowd, kOwnerNone, -1, 1, 0, 0, kSoundDepth);
    EXPECT_EQ(IsSoundPlaying(kSoundCrowd), 0);
}

TEST_F(SoundSlotsTest, UnitSpeechIsSwitchedOnAndOff) {
    EnableUnitSpeech();
    EXPECT_EQ(UnitSpeech, 1);
    DisableUnitSpeech();
    EXPECT_EQ(UnitSpeech, 0);
}

}  // namespace
}  // namespace kv
