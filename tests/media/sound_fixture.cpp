#include "media/sound_fixture.h"

#include "core/random.h"
#include "media/sound_slots.h"
#include "support/sound_log.h"

namespace kv::test {

std::array<UnitHead, 6> SoundTest::vehicles;
std::array<TestPerson, 6> SoundTest::persons;
std::array<TestSonderObj, 10> SoundTest::objects;

namespace {

void ResetSoundWorld() {
    ClearSoundSlots();
    SoundAvailable = 0;
}

}  // namespace

void SoundTest::SetUp() {
    HeadlessTest::SetUp();
    ResetSoundWorld();
    SeedRandom(1);
    ASSERT_TRUE(SoundOpen());
    SoundAvailable = 1;
    vehicles.fill(UnitHead{});
    persons.fill(TestPerson{});
    objects.fill(TestSonderObj{});
    for (auto& v : vehicles) v.type = 0;
    for (auto& p : persons) p.type = 1;
    FahrzeugUnits.count = static_cast<std::int16_t>(vehicles.size());
    FahrzeugUnits.head = [](std::int16_t i) -> UnitHead* { return &vehicles[i]; };
    PersonUnits.count = static_cast<std::int16_t>(persons.size());
    PersonUnits.head = [](std::int16_t i) -> UnitHead* { return &persons[i]; };
    PersonUnits.casualty = [](std::int16_t i) { return persons[i].casualty; };
    PersonUnits.soundGroup = [](std::int16_t i) { return persons[i].soundGroup; };
    SonderObjPlaces.count = static_cast<std::int16_t>(objects.size());
    SonderObjPlaces.place = [](std::int16_t i, SonderObjPlace& out) {
        if (!objects[i].used) return false;
        out = objects[i].place;
        return true;
    };
}

void SoundTest::TearDown() {
    ReleaseSounds();
    ResetSoundWorld();
    HeadlessTest::TearDown();
}

void SoundTest::fill(int id) {
    const std::array<std::uint8_t, 8> pcm{128, 200, 128, 56, 128, 200, 128, 56};
    ASSERT_EQ(CreateSoundBuffer(id, PcmFormat{1, 11025, 8, 1}, pcm), 1);
}

void SoundTest::fillAll() {
    for (int id = 0; id < kSoundSlotCount; ++id) fill(id);
}

const HeadlessSound::Buffer& SoundTest::buffer(int id) {
    const HeadlessSound::Buffer* b = device().buffer(SoundSlots[id].buffer);
    EXPECT_NE(b, nullptr) << "slot " << id << " is empty";
    static const HeadlessSound::Buffer kNone;
    return b != nullptr ? *b : kNone;
}

bool SoundTest::playing(int id) {
    return device().playing(SoundSlots[id].buffer);
}

std::vector<int> SoundTest::played() {
    return PlayedSoundIds(device());
}

int SoundTest::countCalls(HeadlessSound::Op op, int id) {
    int n = 0;
    for (const auto& c : device().calls())
        if (c.op == op && c.buffer == SoundSlots[id].buffer) ++n;
    return n;
}

}  // namespace kv::test
