#pragma once
// A person's trail: the last 40 points it passed, with the direction it faced there. A led person
// walks its leader's trail, and the house passages record where a person went.

#include <array>
#include <cstdint>

#include "core/unit_head.h"

namespace kv {

struct Person;

inline constexpr int kPersonTrailEntries = 40;
// trailWrite of an empty trail.
inline constexpr std::uint8_t kTrailEmpty = 41;

struct PersonTrail {
    std::uint8_t trailWrite = kTrailEmpty;  // the entry written next
    std::array<MoveStep, kPersonTrailEntries> trail{};
    std::uint8_t trailWrapped = 0;  // 1 once the ring has wrapped
};

// Stored inside the person record, 362 bytes.
template <class V>
constexpr void VisitFields(PersonTrail& r, V& v) {
    v("trailWrite", r.trailWrite);
    v("trail", r.trail);
    v("trailWrapped", r.trailWrapped);
}

// Records a passed point. A write index other than 0..39 counts as an empty trail.
void PushPersonTrail(PersonTrail& trail, float x, float y, std::uint8_t direction);
void PushPersonTrail(Person& person, float x, float y, std::uint8_t direction);
// Empties the trail.
void ResetPersonTrail(PersonTrail& trail);
void ResetPersonTrail(Person& person);

}  // namespace kv
