#pragma once
// The numbers of the rescue orders as data: where a rescuer kneels to lift a casualty and where a
// medic kneels to treat one, by the direction the helper faces; which type a person becomes while
// it carries someone; and which way a casualty lies once it is put down. The handlers and the
// tests read these tables.

#include <array>
#include <cstdint>

namespace kv {

// How close a helper must come: to its kneel or treatment point (below this on both axes), to the
// casualty to turn to it instead (below), and the stretcher team and a boarding person to their
// casualty or door (at most).
inline constexpr int kKneelTolerance = 4;
inline constexpr int kTurnToCasualtyReach = 31;
inline constexpr int kStretcherReach = 40;
inline constexpr int kDoorReach = 30;

// One axis of a kneel point: from the casualty's position, or from the near or far edge of the
// box of the animation it lies in, plus an offset.
enum class KneelFrom : std::uint8_t { Position, BoxMin, BoxMax };
struct KneelAxis {
    KneelFrom from;
    std::int8_t offset;
};
struct KneelPointRow {
    std::int8_t direction;  // the rescuer's
    KneelAxis x;
    KneelAxis y;
};
inline constexpr std::array<KneelPointRow, 4> kKneelPoints = {{
    {1, {KneelFrom::Position, -8}, {KneelFrom::BoxMax, 7}},
    {3, {KneelFrom::BoxMin, -7}, {KneelFrom::Position, 3}},
    {7, {KneelFrom::Position, 8}, {KneelFrom::BoxMin, -7}},
    {9, {KneelFrom::BoxMax, 7}, {KneelFrom::Position, 3}},
}};

// Where a medic facing that way kneels, from the patient's position.
struct TreatmentPointRow {
    std::int8_t direction;  // the medic's
    std::int8_t dx;
    std::int8_t dy;
};
inline constexpr std::array<TreatmentPointRow, 4> kTreatmentPoints = {{
    {1, 0, 15},
    {3, -17, 0},
    {7, 0, -15},
    {9, 17, 0},
}};

// The reanimating medic stands right of the patient, facing it.
inline constexpr int kReanimateDx = 17;
inline constexpr int kReanimateDy = 2;
inline constexpr std::int8_t kReanimateDirection = 9;

// A person's type while it carries someone, and back.
struct CarrierRow {
    std::int8_t empty;
    std::int8_t loaded;
};
inline constexpr std::array<CarrierRow, 3> kCasualtyCarriers = {{{1, 12}, {2, 19}, {3, 24}}};
inline constexpr CarrierRow kStretcher = {5, 26};

// The loaded type of a fire-fighter, the empty type of a carrier; -1 for any other type.
constexpr int CarrierTypeOf(int empty) {
    for (const CarrierRow& r : kCasualtyCarriers)
        if (r.empty == empty) return r.loaded;
    return -1;
}
constexpr int EmptyTypeOf(int loaded) {
    for (const CarrierRow& r : kCasualtyCarriers)
        if (r.loaded == loaded) return r.empty;
    return -1;
}
// The base type any carrier form goes back to when it no longer carries, the stretcher team
// included; -1 for any other type.
constexpr std::int8_t CarrierBaseTyp(int loaded) {
    return static_cast<std::int8_t>(loaded == kStretcher.loaded ? kStretcher.empty
                                                                : EmptyTypeOf(loaded));
}

// Which way a casualty lies once put down, by the direction the put-down order names (1, 3, 7 or
// 9): by a carrier, and from a stretcher.
struct LayDirectionRow {
    std::int8_t order;
    std::int8_t carrier;
    std::int8_t stretcher;
};
inline constexpr std::array<LayDirectionRow, 4> kLayDirections = {{
    {1, 7, 1},
    {3, 9, 9},
    {7, 1, 7},
    {9, 3, 3},
}};

// The row of an order direction; null for any direction but 1, 3, 7 and 9.
constexpr const LayDirectionRow* LayDirection(int order) {
    for (const LayDirectionRow& r : kLayDirections)
        if (r.order == order) return &r;
    return nullptr;
}

// The gap between a stretcher team and the box of the patient it lays down.
inline constexpr int kStretcherGap = 15;

}  // namespace kv
