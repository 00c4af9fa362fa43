#pragma once
// The missions' person actions on the plain map with the test houses: the common special objects
// and two test types with boxes, a terrain of trees that falls to a felled terrain, a few real
// vehicles, and the order callbacks, slot 2 recording its calls.

#include <cstdint>
#include <utility>
#include <vector>

#include "core/befehl_callbacks.h"
#include "persons/person_house_fixture.h"
#include "world/sonder_obj.h"

namespace kv::test {

// 41 x 24 pictures in 3 frames; box (2, 4)-(35, 20).
inline constexpr std::int16_t kWorkTyp = kCommonSonderObjTypen;
// 10 x 10 pictures in 2 frames; box (-6, -10)-(9, 5).
inline constexpr std::int16_t kSmallTyp = kCommonSonderObjTypen + 1;
// Terrain 2 holds trees and turns into terrain 3 when felled.
inline constexpr std::uint8_t kTreeTerrain = 2;
inline constexpr std::uint8_t kFelledTerrain = 3;
// The callback slot that records.
inline constexpr int kRecordingCallback = 2;

class MissionActionsTest : public PersonHouseTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // An object of the type in the first free slot at (x, y), solid on every side.
    static std::int16_t object(std::int16_t type, int x, int y);
    // A person of the type standing reset at (x, y), facing the direction.
    std::int16_t stand(int type, int x, int y, int direction);
    // Replaces the person's orders by one order, silently.
    static void order(std::int16_t person, int opcode, std::int32_t a, std::int32_t b = 0,
                      std::int32_t c = 0, std::int32_t d = 0, std::uint32_t e = 0);
    // Whole ticks of the simulation's persons and special objects.
    static void run(int n);
    static int head(std::int16_t person);
    // A vehicle of the type set up at the point, facing 3.
    static std::int16_t vehicle(std::int32_t type, int x, int y);

    // The calls of the recording callback: (object, person).
    static std::vector<std::pair<std::int32_t, std::int32_t>> calls;

  private:
    BefehlCallbackTable callbacks_{};
};

}  // namespace kv::test
