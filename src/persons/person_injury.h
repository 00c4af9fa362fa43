#pragma once
// What hurts a person: an injury lays it down as a casualty, bleeding; an explosion or a mission
// event sets it burning, and a burning person ends up a casualty once its flames have run
// through. Teams (the stretcher team, the catching team, a group of civilians) fall apart into
// single persons either way.

#include <algorithm>
#include <cstdint>

#include "core/saturate.h"
#include "core/unit_head.h"

namespace kv {

// What a casualty loses and gains of its energy by default.
inline constexpr std::int16_t kCasualtyLoss = 20;
inline constexpr std::int16_t kCasualtyGain = 300;
// A patient's energy after a tick of care: its own gain added, never past full.
inline std::int32_t TreatedEnergy(std::int32_t energy, std::int16_t gain) {
    return std::min(Saturate(static_cast<std::int64_t>(energy) + gain), kFullEnergy);
}
// A casualty weaker than this lies still.
inline constexpr std::int32_t kStillEnergy = 100000;
// A burning person lies down with this much once its flames have run through.
inline constexpr std::int32_t kBurnedEnergy = 500000;
// The dead can be reanimated while deadTicks is below the limit; a person killed outright by an
// injury gets the second value and never comes back.
inline constexpr std::uint16_t kDeadTicksLimit = 2400;
inline constexpr std::uint16_t kNeverRevivable = 3400;

// The push mask that lets a person be pushed free in every direction.
inline constexpr std::uint8_t kPushEverywhere = 15;

// InjurePerson's flags.
inline constexpr std::uint8_t kInjureNoScream = 1;
inline constexpr std::uint8_t kInjureNoObject = 2;  // no ground object under the casualty
inline constexpr std::uint8_t kInjureNoPush = 4;

// Turns the person into a lying casualty with that energy (below 1: dead, and never to be
// reanimated). Its partners let go, its hose and its load drop, its orders go, and a team falls
// apart into single casualties; mask says where a casualty may be pushed to clear what it
// overlaps.
void InjurePerson(std::int16_t person, std::int32_t energy, std::uint8_t mask, std::uint8_t flags);
// The person is struck by an explosion or a mission event: its partners are released, what it
// carries is dropped, a team falls apart into burning persons, and it is set on fire.
void HitPerson(std::int16_t person);
// The person becomes a burning person (type 7) with its orders gone; its energy stays.
void IgnitePerson(std::int16_t person);

}  // namespace kv
