#pragma once
// A sound device on the headless backend with small unit arrays that sound can follow.

#include <array>
#include <vector>

#include "core/unit_head.h"
#include "core/unit_views.h"
#include "media/sound_slots.h"
#include "platform/headless/headless_sound.h"
#include "support/headless_test.h"

namespace kv::test {

struct TestPerson : UnitHead {
    std::uint8_t casualty = 0;
    std::int8_t soundGroup = 1;
};

struct TestSonderObj {
    bool used = false;
    SonderObjPlace place;
};

class SoundTest : public HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    HeadlessSound& device() { return backend.sound; }
    // A one-tone buffer in slot id.
    void fill(int id);
    void fillAll();
    const HeadlessSound::Buffer& buffer(int id);
    bool playing(int id);
    // The play calls so far, as slot ids.
    std::vector<int> played();
    int countCalls(HeadlessSound::Op op, int id);

    static std::array<UnitHead, 6> vehicles;
    static std::array<TestPerson, 6> persons;
    static std::array<TestSonderObj, 10> objects;
};

}  // namespace kv::test
