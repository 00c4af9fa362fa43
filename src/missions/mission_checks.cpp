#include "missions/mission_checks.h"

#include "movement/collision.h"
#include "persons/personen.h"

namespace kv {

namespace {

// The movement class of persons on foot, which the missions' strip tests pass: the ground of
// roads, fields and meadows is no obstacle to it, so only units and objects can block the strip.
constexpr std::uint8_t kWalkerMoveClass = 16;
constexpr std::int16_t kNoHouse = -1;

}  // namespace

bool RescuePending() {
    for (const Person& p : Personen)
        if (p.type != -1 && p.casualty != 0) return true;
    return false;
}

bool StripFree(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom) {
    return FindCollisionAt(0, nullptr, nullptr, left, top, right, bottom, kNoHouse, 0,
                           kWalkerMoveClass, nullptr) == 0;
}

}  // namespace kv
