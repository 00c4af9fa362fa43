#pragma once
// Onlookers, fighters, throwers and their pursuers on a plain map large enough for every fight
// meeting point (80 x 56 cells), with room for 40 persons and the random generator seeded; the
// ticks run the person update as the simulation tick does.

#include <cstdint>

#include "core/random.h"
#include "movement/searching_movers.h"
#include "persons/person_update.h"
#include "persons/person_update_fixture.h"

namespace kv::test {

class RivalTest : public PersonUpdateTest {
  protected:
    void SetUp() override {
        PersonUpdateTest::SetUp();
        PlainMap(80, 56);
        alloc(40);
        SeedRandom(48);
    }

    // Runs the person update n times, each as a simulation tick starts it: the free path search
    // counts its searchers afresh.
    static void ticks(int n) {
        for (int t = 0; t < n; ++t) {
            BeginSearcherTick();
            UpdatePersonen();
        }
    }

    // A standing person of the type at (x, y) whose controllers the update runs.
    std::int16_t controlled(int type, float x, float y, std::uint8_t flags, int direction = 0) {
        const std::int16_t i = stand(type, x, y, direction);
        person(i).controlFlags = flags;
        return i;
    }
};

}  // namespace kv::test
