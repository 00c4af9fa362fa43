#include "persons/person_update_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/cd_path.h"
#include "core/fatal_error.h"
#include "core/selection.h"
#include "core/unit_views.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/person_update.h"
#include "platform/sound.h"
#include "world/materials.h"
#include "world/sonder_obj.h"

namespace kv::test {

std::array<UnitHead, 3> PersonUpdateTest::vehicles;
std::array<VffImage, 2> PersonUpdateTest::vehicleImages_;
std::array<std::uint8_t, 1> PersonUpdateTest::vehiclePixels_;
VffImage& PersonUpdateTest::vehicleImage = PersonUpdateTest::vehicleImages_[0];
int PersonUpdateTest::selectionUpdates = 0;
std::array<AnimSlot, 1> PersonUpdateTest::vehicleSlot_;

void PersonUpdateTest::SetUp() {
    PersonTest::SetUp();
    CdPath.clear();  // the sample tree is its own CD directory
    ASSERT_TRUE(LoadMaterials());
    SonderObjTypCount = kCommonSonderObjTypen;
    SonderObjCount = 0;
    AllocSonderObj();
    // The base types bring their variants: the carriers, equipment and led forms.
    for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 27, 28, 29, 32, 41, 43, 52, 53})
        LoadPersonTyp(static_cast<std::int16_t>(type));
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();

    ASSERT_TRUE(SoundOpen());
    SoundAvailable = 1;
    const std::array<std::uint8_t, 4> pcm{128, 200, 128, 56};
    for (int id = kFirstScream; id < kFirstScream + kScreamVoiceCount * kScreamsPerVoice; ++id)
        ASSERT_EQ(CreateSoundBuffer(id, PcmFormat{1, 11025, 8, 1}, pcm), 1);

    selectionUpdates = 0;
    SetUpdateSelectionModeHook([] { ++selectionUpdates; });

    vehicles.fill(UnitHead{});
    vehicleImages_ = {VffImage{40, 30, vehiclePixels_.data()}, VffImage{0, 0, nullptr}};
    vehicleSlot_[0] = AnimSlot{1, 0, 0, 0, {0, 0, 0, 0}, vehicleImages_.data()};
    FahrzeugUnits.count = static_cast<std::int16_t>(vehicles.size());
    FahrzeugUnits.head = [](std::int16_t i) -> UnitHead* {
        return &vehicles[static_cast<std::size_t>(i)];
    };
    FahrzeugUnits.animSlot = [](std::int16_t) -> const AnimSlot* { return vehicleSlot_.data(); };
}

void PersonUpdateTest::TearDown() {
    for (UnitHead& v : vehicles) DiscardBefehle(v);
    SoundAvailable = 0;
    PersonTest::TearDown();
}

std::int16_t PersonUpdateTest::stand(int type, float x, float y, int direction) {
    return place(type, x, y, direction);
}

std::int16_t PersonUpdateTest::lying(int type, float x, float y, std::int32_t energy,
                                     std::int16_t loss, std::int16_t gain) {
    LoadPersonTyp(static_cast<std::int16_t>(type));
    const std::int16_t i = CreateVerletzter(
        static_cast<std::int8_t>(type), static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
        0, 1, energy, static_cast<std::uint16_t>(loss), gain, 0);
    EXPECT_GE(i, 0);
    return i;
}

void PersonUpdateTest::ticks(int n) {
    for (int t = 0; t < n; ++t) UpdatePersonen();
}

std::vector<std::int16_t> PersonUpdateTest::othersThan(
    std::initializer_list<std::int16_t> known) const {
    std::vector<std::int16_t> out;
    for (std::size_t n = 0; n < Personen.size(); ++n) {
        const auto i = static_cast<std::int16_t>(n);
        if (Personen[n].type != -1 && std::find(known.begin(), known.end(), i) == known.end())
            out.push_back(i);
    }
    return out;
}

int PersonUpdateTest::usedSonderObjs() {
    return static_cast<int>(std::count_if(SonderObjs.begin(), SonderObjs.end(),
                                          [](const SonderObj& o) { return o.type != -1; }));
}

bool PersonUpdateTest::screams(std::int16_t person, int id) {
    const Person& p = Personen[static_cast<std::size_t>(person)];
    return IsPersonSoundPlaying(person, id + kScreamsPerVoice * PersonTypOf(p).soundGroup) != 0;
}

}  // namespace kv::test
