#pragma once
// Every person type as data: its constants, its animations with their files, frame counts and
// delays, which directions must have a picture, its hot spots and boxes where they are fixed, and
// what a lying person of the type leaves on the map. The sprite loader, the sample-data generator
// and the tests all read these tables.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "movement/unit_type.h"

namespace kv {

inline constexpr int kPersonTypCount = 55;
inline constexpr int kMayBoardCount = 47;  // one flag per vehicle type
inline constexpr int kMaxPersonAnims = 7;

// A set of directions, bit d for direction d.
using DirMask = std::uint16_t;
inline constexpr DirMask kAllDirs = 0x0FFF;

constexpr DirMask Dirs(std::initializer_list<int> directions) {
    DirMask mask = 0;
    for (int d : directions) mask = static_cast<DirMask>(mask | (1u << d));
    return mask;
}
constexpr bool HasDir(DirMask mask, int direction) {
    return direction >= 0 && direction < kDirectionCount && ((mask >> direction) & 1u) != 0;
}

inline constexpr DirMask kDiagonals = Dirs({1, 3, 7, 9});  // where casualties lie
inline constexpr DirMask kQuarters = Dirs({0, 3, 6, 9});

using Box16 = std::array<std::int16_t, 4>;  // x1, y1, x2, y2
struct Spot16 {
    std::int16_t x;
    std::int16_t y;
};

// Where a slot's explicit box comes from, in image coordinates.
enum class BoxRule : std::uint8_t {
    Default,     // none: the type's default box around the hot spot
    WholeFrame,  // 0, 0, width - 1, height - 1 of the first frame
    Opaque,      // the bounding box of the first frame's opaque pixels
    Given,       // the slot's own table
};

// One animation slot of a type. Per direction its file is "persons\<folder>\<stem><n>.vff" (or
// "<stem>.vff" for a one-file slot, which fills direction 0 alone).
struct AnimRow {
    std::string_view stem;  // empty: the slot stays empty in every direction
    bool oneFile = false;
    std::array<std::uint16_t, kDirectionCount> frames{};
    std::array<std::uint16_t, kDirectionCount> delay{};
    // A direction whose file does not load is fatal.
    DirMask required = 0;
    // Directions that take their frame count and delay when the file loads; in any other
    // direction a file that is found is kept with frame count 0.
    DirMask counted = 0;
    BoxRule boxRule = BoxRule::Default;
    DirMask boxDirs = 0;  // the directions that get the explicit box
    // Hot spots fixed by the table; every other direction's hot spot is the figure's feet, the
    // bottom centre of its first frame.
    DirMask hotDirs = 0;
    std::array<Spot16, kDirectionCount> hot{};
    std::array<Box16, kDirectionCount> boxes{};  // for BoxRule::Given

    constexpr AnimRow framesIn(DirMask mask, std::uint16_t n) const {
        AnimRow a = *this;
        for (int d = 0; d < kDirectionCount; ++d)
            if (HasDir(mask, d)) a.frames[d] = n;
        return a;
    }
    constexpr AnimRow delayIn(DirMask mask, std::uint16_t n) const {
        AnimRow a = *this;
        for (int d = 0; d < kDirectionCount; ++d)
            if (HasDir(mask, d)) a.delay[d] = n;
        return a;
    }
    // [1, 3, 7, 9 only]: these directions have the animation and need their files.
    constexpr AnimRow only(DirMask mask) const {
        AnimRow a = *this;
        a.required = mask;
        a.counted = mask;
        return a;
    }
    // [X; others optional]: X needs its files; any other direction has the animation when its
    // file is there.
    constexpr AnimRow need(DirMask mask) const {
        AnimRow a = *this;
        a.required = mask;
        a.counted = kAllDirs;
        return a;
    }
    constexpr AnimRow optional() const { return need(0); }
    constexpr AnimRow single() const {
        AnimRow a = only(Dirs({0}));
        a.oneFile = true;
        return a;
    }
    constexpr AnimRow box(BoxRule rule, DirMask mask) const {
        AnimRow a = *this;
        a.boxRule = rule;
        a.boxDirs = mask;
        return a;
    }
    constexpr AnimRow spots(DirMask mask, std::array<Spot16, kDirectionCount> hotSpots) const {
        AnimRow a = *this;
        a.hotDirs = mask;
        a.hot = hotSpots;
        return a;
    }
    constexpr AnimRow givenBoxes(DirMask mask, std::array<Box16, kDirectionCount> b) const {
        AnimRow a = box(BoxRule::Given, mask);
        a.boxes = b;
        return a;
    }
};

// An animation in all twelve directions, every file required.
constexpr AnimRow Anim(std::string_view stem, std::uint16_t frames, std::uint16_t delay = 0) {
    AnimRow a;
    a.stem = stem;
    a.frames.fill(frames);
    a.delay.fill(delay);
    a.required = kAllDirs;
    a.counted = kAllDirs;
    return a;
}
inline constexpr AnimRow kNoAnim{};

// Lying in the four diagonals only, with an explicit box there.
constexpr AnimRow Lay(std::uint16_t frames, std::uint16_t delay, BoxRule rule) {
    return Anim("lay", frames, delay).only(kDiagonals).box(rule, kDiagonals);
}

// A one-file fight sequence with its hot spot and box.
constexpr AnimRow Fight(std::string_view stem, std::uint16_t frames, Spot16 hot, Box16 box) {
    std::array<Spot16, kDirectionCount> h{};
    std::array<Box16, kDirectionCount> b{};
    h[0] = hot;
    b[0] = box;
    return Anim(stem, frames, 2).single().spots(Dirs({0}), h).givenBoxes(Dirs({0}), b);
}

// What a casualty lying in one direction does: rests pause ticks after each run of its
// animation and registers a special object of kind (-1 none) at the draw corner plus (dx, dy).
struct LyingRow {
    std::uint8_t pause;
    std::int8_t kind;
    std::int16_t dx;
    std::int16_t dy;
};
inline constexpr int kLyingDirections[4] = {1, 3, 7, 9};
using LyingTable = std::array<LyingRow, 4>;  // directions 1, 3, 7, 9

constexpr LyingTable AllFour(std::uint8_t pause) {
    const LyingRow s{pause, -1, -1, -1};
    return LyingTable{s, s, s, s};
}

constexpr std::uint64_t Board(std::initializer_list<int> vehicleTypes) {
    std::uint64_t mask = 0;
    for (int v : vehicleTypes) mask |= std::uint64_t{1} << v;
    return mask;
}
inline constexpr std::uint64_t kBoardFireEngines = Board({1, 2, 3, 4, 5, 6, 7, 8, 14});

struct PersonTypRow {
    std::string_view code;
    std::string_view folder;
    std::uint32_t price;
    float speed;
    Box16 selectBox;
    std::uint8_t panelPicture;
    std::int8_t speaker;
    std::int32_t heatProtection;
    std::int16_t heatDivisor;
    std::int8_t soundGroup;
    std::uint8_t terrainColumn;
    std::uint64_t mayBoard;  // bit v: may board vehicle type v
    // Slot by slot; the count is the type's animation count. Empty: the type is never loaded.
    std::span<const AnimRow> anims;
    Box16 defaultBox = {-5, -5, 5, 5};  // every slot's box around its hot spot
    bool facesBack = false;             // direction d shows the picture numbered (d + 6) mod 12
    LyingTable lying{};
};

inline constexpr std::uint8_t kPersonShortcutBackSteps = 5;

namespace person_anims {

constexpr AnimRow Stay(std::uint16_t quarterFrames) {
    return Anim("stay", 1, 3).framesIn(kQuarters, quarterFrames);
}
inline constexpr AnimRow kStay = Anim("stay", 1);
inline constexpr AnimRow kGo = Anim("go", 8, 2);

// clang-format off
inline constexpr AnimRow kP01[] = {
    Anim("stay", 1, 3).framesIn(kQuarters, 14).spots(kAllDirs,
        {{{6, 22}, {6, 21}, {6, 20}, {2, 22}, {8, 21}, {6, 21}, {5, 21}, {6, 21}, {7, 20}, {9, 21}, {8, 20}, {6, 20}}}),
    kGo.spots(kAllDirs,
        {{{6, 20}, {6, 21}, {6, 20}, {8, 21}, {8, 21}, {6, 21}, {6, 21}, {6, 21}, {7, 20}, {8, 20}, {8, 20}, {6, 20}}}),
    Lay(7, 3, BoxRule::Given)
        .spots(kDiagonals, {{{}, {8, 11}, {}, {17, 10}, {}, {}, {}, {7, 13}, {}, {15, 7}, {}, {}}})
        .givenBoxes(kDiagonals, {{{}, {0, 2, 14, 25}, {}, {0, 7, 29, 14}, {}, {}, {}, {0, 1, 15, 23}, {}, {0, 3, 30, 11}, {}, {}}}),
    Anim("sit", 8, 2).need(kDiagonals).spots(kDiagonals,
        {{{}, {6, 22}, {}, {3, 22}, {}, {}, {}, {7, 21}, {}, {11, 21}, {}, {}}}),
    Anim("stop", 1).spots(kAllDirs,
        {{{5, 23}, {6, 23}, {2, 20}, {2, 21}, {3, 21}, {4, 21}, {5, 21}, {9, 21}, {9, 22}, {6, 24}, {4, 27}, {4, 25}}}),
    Anim("back", 1).spots(kAllDirs,
        {{{5, 25}, {4, 27}, {2, 22}, {2, 21}, {3, 21}, {4, 21}, {5, 21}, {9, 21}, {9, 22}, {13, 24}, {13, 24}, {11, 25}}}),
};
// clang-format on
inline constexpr AnimRow kP02[] = {
    Stay(8),
    kGo,
    Lay(7, 3, BoxRule::Opaque),
    Anim("sit", 8, 2).need(kDiagonals),
    Anim("up", 21, 2).need(kDiagonals),
    Anim("down", 8, 2).need(kDiagonals),
    Anim("fackel", 11, 2).need(Dirs({1})),
};
inline constexpr AnimRow kP03[] = {
    Stay(10),
    kGo,
    Lay(7, 3, BoxRule::Opaque),
    Anim("sit", 14, 2).need(kDiagonals),
    Anim("up", 21, 2).need(kDiagonals),
    Anim("down", 8, 2).need(kDiagonals),
};
inline constexpr AnimRow kP04[] = {
    Stay(8),
    kGo,
    Lay(8, 3, BoxRule::Opaque).delayIn(Dirs({9}), 50),
    Anim("sit", 14, 2).need(kDiagonals),
    Anim("up", 21, 2).need(kDiagonals),
    Anim("down", 8, 2).need(kDiagonals),
};
inline constexpr AnimRow kP05[] = {
    Anim("stay", 1, 3).framesIn(Dirs({0}), 7).framesIn(Dirs({3, 6, 9}), 11),
    kGo,
    Lay(1, 0, BoxRule::WholeFrame),
    Anim("sit", 8, 2).need(kDiagonals),
    Anim("godown", 8, 2).optional(),
    Anim("test", 7, 3).optional(),
};
inline constexpr AnimRow kP06[] = {kStay, kGo, kNoAnim, kNoAnim};
inline constexpr AnimRow kP202[] = {kStay, kGo, Anim("aufbau", 26, 2).need(Dirs({9}))};
inline constexpr AnimRow kPBurn[] = {kNoAnim, kNoAnim, Lay(1, 0, BoxRule::Opaque),
                                     Anim("fall", 24, 3).need(Dirs({0}))};
inline constexpr AnimRow kWithExtinguisher[] = {kStay, kGo, Anim("use", 6, 3)};
inline constexpr AnimRow kWithCutter[] = {kStay, kGo, Anim("use", 5, 3).need(kDiagonals)};
inline constexpr AnimRow kWithHose[] = {
    kStay, kGo, Anim("anhydr", 56, 2).need(Dirs({3})).box(BoxRule::Opaque, Dirs({3}))};
inline constexpr AnimRow kHoldingHose[] = {kStay};
inline constexpr AnimRow kCarryingCasualty[] = {kStay, kGo, Anim("up", 11, 2).need(kDiagonals),
                                                Anim("down", 15, 2).need(kDiagonals)};
inline constexpr AnimRow kWithChainsaw[] = {kStay, kGo, Anim("use", 5, 2).need(kDiagonals)};
inline constexpr AnimRow kCarryingObject[] = {kStay, Anim("go", 11, 2),
                                              Anim("up", 15, 2).need(kDiagonals)};
inline constexpr AnimRow kWithRope[] = {kStay, kGo, Anim("wurf", 13, 2).need(Dirs({1}))};
constexpr std::array<AnimRow, 4> P501(std::uint16_t layFrames) {
    return {Stay(8), kGo, Lay(layFrames, 3, BoxRule::Opaque), Anim("spring", 1).need(Dirs({7}))};
}
inline constexpr auto kP501 = P501(10);
inline constexpr auto kP501C = P501(16);
inline constexpr auto kP501E = P501(9);
inline constexpr AnimRow kP601[] = {
    kStay,
    kGo,
    Lay(7, 3, BoxRule::Opaque),
    Anim("wurf", 19, 2),
    Fight("kampf_sp", 73, {24, 28}, {0, 20, 51, 39}),
    Fight("kampf_sr", 39, {38, 21}, {0, 10, 45, 27}),
};
inline constexpr AnimRow kWalkOnly[] = {kStay, kGo};
inline constexpr AnimRow kSP01[] = {kNoAnim, kNoAnim, Lay(20, 3, BoxRule::WholeFrame)};
inline constexpr AnimRow kSP02[] = {kNoAnim, kNoAnim, Lay(13, 3, BoxRule::WholeFrame)};
inline constexpr AnimRow kSP03[] = {kNoAnim, kNoAnim, Lay(10, 3, BoxRule::Opaque)};
constexpr std::array<AnimRow, 4> SP04(AnimRow use) {
    return {kStay, kGo, Lay(1, 0, BoxRule::WholeFrame), use};
}
inline constexpr auto kSP04 = SP04(Anim("use", 9, 3).need(Dirs({0, 6})));
inline constexpr auto kSP06 = SP04(Anim("use", 7, 3).need(Dirs({0, 6})));
inline constexpr auto kSP08 = SP04(Anim("use", 8, 3).need(Dirs({0, 6, 9})));
inline constexpr AnimRow kSP07[] = {kStay, kGo, Lay(1, 0, BoxRule::WholeFrame),
                                    Anim("sit", 1, 0).need(Dirs({0, 6})),
                                    Anim("use", 9, 3).need(Dirs({0, 6}))};
inline constexpr AnimRow kSP09[] = {kStay, kGo, Lay(7, 3, BoxRule::Opaque)};
inline constexpr AnimRow kSP101[] = {
    Stay(8),
    kGo,
    Lay(8, 3, BoxRule::Opaque),
    Fight("kpol_los", 73, {25, 28}, {0, 20, 55, 45}),
    Fight("kpol_win", 39, {38, 23}, {0, 10, 46, 28}),
    Fight("kblu_win", 39, {37, 22}, {0, 10, 46, 28}),
};
inline constexpr AnimRow kSP102[] = {
    Stay(7),
    kGo,
    Lay(8, 3, BoxRule::Opaque),
    Fight("kpol_los", 73, {24, 28}, {0, 20, 55, 45}),
    Fight("kpol_win", 39, {39, 22}, {0, 10, 46, 28}),
    Fight("kred_win", 39, {39, 21}, {0, 10, 46, 28}),
};
inline constexpr AnimRow kWithRing[] = {kStay, kGo, Anim("wurf", 14, 2).need(kDiagonals)};
inline constexpr AnimRow kSP14[] = {kStay, kGo, Lay(1, 0, BoxRule::WholeFrame),
                                    Anim("spring", 1).need(Dirs({7}))};
constexpr std::array<AnimRow, 6> SP11(AnimRow stay, AnimRow lay) {
    return {stay,
            kGo,
            lay,
            Anim("swim", 11, 2).only(Dirs({0})),
            Anim("tauch", 13, 2).only(Dirs({0})),
            Anim("swimmr", 11, 2).only(Dirs({0}))};
}
inline constexpr auto kSP11 = SP11(kStay, Lay(1, 0, BoxRule::WholeFrame));
inline constexpr auto kSP11B = SP11(Stay(8), Lay(10, 3, BoxRule::Opaque));
inline constexpr auto kSP11C = SP11(Stay(8), Lay(16, 3, BoxRule::Opaque));
inline constexpr AnimRow kSP18[] = {kStay.need(Dirs({3})), Anim("go", 8, 4).need(Dirs({3}))};
inline constexpr AnimRow kPPilot[] = {kNoAnim, kNoAnim, Lay(22, 3, BoxRule::Opaque)};

}  // namespace person_anims

namespace person_lying {

inline constexpr LyingTable kP01 = {
    {{70, 3, 0, 5}, {75, 1, 6, 8}, {80, 2, -3, 7}, {65, -1, -1, -1}}};
inline constexpr LyingTable kP02 = {
    {{100, 0, 0, 15}, {110, 0, 1, 7}, {90, 0, 0, 0}, {95, 0, 13, 0}}};
inline constexpr LyingTable kP03 = {
    {{80, -1, -1, -1}, {70, 1, 5, 5}, {90, -1, -1, -1}, {100, 1, -2, 4}}};
inline constexpr LyingTable kP04 = {
    {{60, 1, -5, 11}, {80, 1, 2, 2}, {70, 2, 2, -1}, {20, 2, 7, 6}}};
inline constexpr LyingTable kP501A = {
    {{80, -1, -1, 1}, {90, 1, 8, -1}, {70, 1, -6, 8}, {75, 1, -2, 0}}};
inline constexpr LyingTable kP501B = {
    {{60, 1, 2, 5}, {70, 1, 6, 0}, {80, 1, -1, 8}, {75, 1, -1, 7}}};
inline constexpr LyingTable kP501C = {
    {{40, 3, 1, 1}, {50, 1, -3, 7}, {45, 3, 1, 2}, {55, 1, 2, 5}}};
inline constexpr LyingTable kP501D = {
    {{65, 0, 0, 2}, {60, 0, 8, 2}, {55, 0, -1, 9}, {50, 0, -1, 5}}};
inline constexpr LyingTable kP501E = {
    {{70, 0, -2, 2}, {50, -1, -1, 2}, {60, -1, -3, 5}, {55, 0, 3, 1}}};
inline constexpr LyingTable kP601 = {
    {{90, 3, -2, -1}, {110, 1, 6, 0}, {100, 3, 0, -3}, {120, 0, 5, 4}}};
inline constexpr LyingTable kSP09 = {
    {{97, 3, -1, 2}, {104, 1, 2, 1}, {114, 0, 0, 2}, {92, 1, 0, 0}}};
inline constexpr LyingTable kSP101 = {
    {{96, 0, 2, 5}, {89, 0, 10, 3}, {103, 0, 3, 11}, {113, 0, 0, 0}}};
inline constexpr LyingTable kSP102 = {
    {{105, 0, 0, 4}, {95, 0, 8, 1}, {85, 0, -2, 8}, {75, 0, 2, 6}}};
inline constexpr LyingTable kSP03 = {
    {{70, -1, -1, -1}, {40, -1, -1, -1}, {50, -1, -1, -1}, {30, -1, -1, -1}}};
inline constexpr LyingTable kPPilot = {
    {{50, -1, -1, -1}, {65, -1, -1, -1}, {70, -1, -1, -1}, {75, -1, -1, -1}}};

}  // namespace person_lying

namespace person_typ_detail {

namespace a = person_anims;
namespace l = person_lying;

inline constexpr Box16 kBox10 = {-10, -22, 10, 5};
inline constexpr Box16 kBox12 = {-12, -22, 12, 5};
inline constexpr Box16 kNone = {0, 0, 0, 0};
inline constexpr Box16 kBox5 = {-5, -5, 5, 5};  // the usual box of a slot
inline constexpr std::uint64_t kNoBoard = 0;
inline constexpr std::uint64_t kBoard14 = Board({14});

// Type by type: code, folder, price, speed, selectBox, panelPicture, speaker, heat protection and
// divisor, soundGroup, terrainColumn, mayBoard, animations, default box, faces back, lying data.
// clang-format off
inline constexpr PersonTypRow kTable[kPersonTypCount] = {
    {"P01", "p01", 25, 1.9f, kBox10, 8, 1, 1500, 3, 3, 16, Board({14, 21, 22}), a::kP01, kBox5, false, l::kP01},
    {"P02", "p02", 25, 1.5f, kBox10, 9, 0, 1500, 3, 4, 16, kBoardFireEngines, a::kP02, kBox5, false, l::kP02},
    {"P03", "p03", 50, 1.5f, kBox10, 10, 0, 3000, 7, 4, 16, kBoardFireEngines, a::kP03, kBox5, false, l::kP03},
    {"P04", "p04", 75, 1.5f, kBox10, 11, 0, 4500, 10, 4, 16, kBoardFireEngines, a::kP04, kBox5, false, l::kP04},
    {"P05", "p05", 75, 1.5f, kBox12, 12, 1, 1500, 3, 3, 16, Board({14, 17, 18, 19}), a::kP05, kBox5, false, AllFour(20)},
    {"P06", "p06", 25, 1.5f, {-25, -29, 25, 22}, 13, 1, 1500, 3, 3, 16, Board({14, 17, 19}), a::kP06, {-12, -12, 12, 12}},
    {"P202", "p202", 50, 1.3f, {-27, -29, 27, 27}, 9, 0, 1500, 3, 4, 16, Board({7}), a::kP202, {-16, -16, 16, 16}},
    {"PBURN", "burn01", 0, 1.3f, kBox12, 51, -1, 1500, 3, 3, 16, kNoBoard, a::kPBurn, kBox5, false, AllFour(100)},
    {"P02", "p02mf", 0, 1.5f, kBox10, 9, 0, 1500, 3, 4, 16, kBoardFireEngines, a::kWithExtinguisher},
    {"P02", "p02mr", 0, 1.5f, kBox10, 9, 0, 1500, 3, 4, 16, kBoardFireEngines, a::kWithCutter},
    {"P02", "p02ms", 0, 1.5f, kBox10, 9, 0, 1500, 3, 4, 16, kBoardFireEngines, a::kWithHose},
    {"P02", "p02losch", 0, 1.5f, kBox10, 9, 0, 1500, 3, 4, 16, kBoard14, a::kHoldingHose},
    {"P02", "p02gd", 0, 1.0f, kBox10, 9, 0, 1500, 3, 4, 16, kBoard14, a::kCarryingCasualty, kBox5, true},
    {"P02", "p02ks", 0, 1.5f, kBox10, 9, 0, 1500, 3, 4, 16, kBoardFireEngines, a::kWithChainsaw},
    {"P02", "p02ho", 0, 1.0f, kBox10, 9, 0, 1500, 3, 4, 16, kBoard14, a::kCarryingObject},
    {"P02", "p02seil", 0, 1.5f, kBox10, 9, 0, 1500, 3, 4, 16, kBoardFireEngines, a::kWithRope},
    {"P03", "p03mf", 0, 1.5f, kBox10, 10, 0, 3000, 7, 4, 16, kBoardFireEngines, a::kWithExtinguisher},
    {"P03", "p03mr", 0, 1.5f, kBox10, 10, 0, 3000, 7, 4, 16, kBoardFireEngines, a::kWithCutter},
    {},  // 18: never loaded
    {"P03", "p03gd", 0, 1.0f, kBox10, 10, 0, 3000, 7, 4, 16, kBoard14, a::kCarryingCasualty, kBox5, true},
    {"P03", "p03ks", 0, 1.5f, kBox10, 10, 0, 3000, 7, 4, 16, kBoardFireEngines, a::kWithChainsaw},
    {"P04", "p04mf", 0, 1.5f, kBox10, 11, 0, 4500, 10, 4, 16, kBoardFireEngines, a::kWithExtinguisher},
    {"P04", "p04mr", 0, 1.5f, kBox10, 11, 0, 4500, 10, 4, 16, kBoardFireEngines, a::kWithCutter},
    {},  // 23: never loaded
    {"P04", "p04gd", 0, 1.0f, kBox10, 11, 0, 4500, 10, 4, 16, kBoard14, a::kCarryingCasualty, kBox5, true},
    {"P04", "p04ks", 0, 1.5f, kBox10, 11, 0, 4500, 10, 4, 16, kBoardFireEngines, a::kWithChainsaw},
    {"P06", "p06mv", 0, 1.5f, {-25, -29, 25, 22}, 13, 1, 1500, 3, 3, 16, Board({14, 17, 19}), a::kP06, {-12, -12, 12, 12}},
    {"P501A", "p501a", 0, 1.3f, kBox12, 16, -1, 1500, 3, 3, 17, kNoBoard, a::kP501, kBox5, false, l::kP501A},
    {"P501B", "p501b", 0, 1.3f, kBox12, 15, -1, 1500, 3, 4, 17, kNoBoard, a::kP501, kBox5, false, l::kP501B},
    {"P501C", "p501c", 0, 1.2f, kBox12, 38, -1, 1500, 3, 1, 17, kNoBoard, a::kP501C, kBox5, false, l::kP501C},
    {"P501D", "p501d", 0, 1.2f, {-11, -21, 11, 4}, 38, -1, 1500, 3, 2, 17, kNoBoard, a::kP501, kBox5, false, l::kP501D},
    {"P501E", "p501e", 0, 1.1f, {-10, -18, 10, 4}, 42, -1, 1500, 3, 0, 17, kNoBoard, a::kP501E, kBox5, false, l::kP501E},
    {"P601", "p601", 0, 1.2f, kBox12, 36, -1, 4500, 3, 3, 17, kNoBoard, a::kP601, kBox5, false, l::kP601},
    {"P601", "p601g", 0, 1.2f, kBox12, 36, -1, 6000, 3, 3, 17, kNoBoard, a::kWalkOnly},
    {"SP01", "sp01", 0, 0.0f, kNone, 15, -1, 1500, 3, 3, 17, kNoBoard, a::kSP01, kBox5, false, AllFour(100)},
    {"SP02", "sp02", 0, 0.0f, kNone, 14, -1, 1500, 3, 4, 17, kNoBoard, a::kSP02, kBox5, false, AllFour(40)},
    {"SP04", "sp04", 0, 1.3f, kBox12, 31, -1, 1500, 3, 3, 17, kNoBoard, a::kSP04, kBox5, false, AllFour(20)},
    {"SP06", "sp06", 0, 1.3f, kBox12, 32, -1, 1500, 3, 3, 17, kNoBoard, a::kSP06, kBox5, false, AllFour(20)},
    {"SP07", "sp07", 0, 1.3f, kBox12, 33, -1, 1500, 3, 4, 17, kNoBoard, a::kSP07, kBox5, false, AllFour(20)},
    {"SP08", "sp08", 0, 1.3f, kBox12, 37, -1, 1500, 3, 3, 17, kNoBoard, a::kSP08, kBox5, false, AllFour(20)},
    {"SP09", "sp09", 0, 1.3f, kBox12, 40, -1, 1500, 3, 0, 17, kNoBoard, a::kSP09, kBox5, false, l::kSP09},
    {"SP101", "sp101", 0, 1.3f, kBox12, 35, -1, 1500, 3, 3, 17, kNoBoard, a::kSP101, kBox5, false, l::kSP101},
    {"SP101", "sp101g", 0, 1.3f, kBox12, 35, -1, 1500, 3, 3, 17, kNoBoard, a::kWalkOnly},
    {"SP102", "sp102", 0, 1.3f, kBox12, 34, -1, 1500, 3, 4, 17, kNoBoard, a::kSP102, kBox5, false, l::kSP102},
    {"SP102", "sp102g", 0, 1.3f, kBox12, 34, -1, 1500, 3, 4, 17, kNoBoard, a::kWalkOnly},
    {"P02", "p02reif", 0, 1.5f, kBox10, 9, 0, 1500, 3, 4, 16, kBoard14, a::kWalkOnly},
    {"P02", "p02ring", 0, 1.5f, kBox10, 9, 0, 1500, 3, 4, 16, kBoard14, a::kWithRing},
    {"SP14A", "sp14a", 0, 1.0f, kBox12, 49, -1, 1500, 3, 2, 17, kNoBoard, a::kSP14, kBox5, false, AllFour(20)},
    {"SP14B", "sp14b", 0, 1.0f, kBox12, 50, -1, 1500, 3, 4, 17, kNoBoard, a::kSP14, kBox5, false, AllFour(20)},
    {"SP11", "sp11", 0, 1.3f, kBox12, 43, -1, 1500, 3, 0, 17, kNoBoard, a::kSP11, kBox5, false, AllFour(20)},
    {"SP11B", "sp11b", 0, 1.3f, kBox12, 15, -1, 1500, 3, 3, 17, kNoBoard, a::kSP11B, kBox5, false, l::kP501B},
    {"SP11C", "sp11c", 0, 1.2f, kBox12, 38, -1, 1500, 3, 1, 17, kNoBoard, a::kSP11C, kBox5, false, l::kP501C},
    {"SP18", "sp18", 0, 0.8f, {-25, -47, 25, 21}, 31, -1, 32000, 100, 3, 17, kNoBoard, a::kSP18, {-20, -20, 20, 20}},
    {"SP03", "sp03", 0, 0.0f, kNone, 41, -1, 1500, 3, 4, 17, kNoBoard, a::kSP03, kBox5, false, l::kSP03},
    {"PPILOT", "ppilot", 0, 1.2f, kBox12, 33, -1, 1500, 3, 3, 17, kNoBoard, a::kPPilot, kBox5, false, l::kPPilot},
};
// clang-format on

}  // namespace person_typ_detail

inline constexpr std::span<const PersonTypRow, kPersonTypCount> kPersonTypRows =
    person_typ_detail::kTable;

// The types that LoadPersonTyp loads, and FreePersonTyp frees, for one number: a base type
// brings its variants; a variant and a type without pictures bring nothing.
struct PersonTypGroup {
    std::uint8_t count = 0;
    std::array<std::int8_t, 9> types{};
};

namespace person_typ_detail {

constexpr PersonTypGroup Group(std::initializer_list<int> types) {
    PersonTypGroup g;
    for (int t : types) g.types[g.count++] = static_cast<std::int8_t>(t);
    return g;
}

inline constexpr PersonTypGroup kBaseGroups[] = {
    Group({1, 8, 9, 10, 11, 12, 13, 14, 15}),
    Group({2, 16, 17, 19, 20}),
    Group({3, 21, 22, 24, 25}),
    Group({5, 26}),
    Group({32, 33}),
    Group({41, 42}),
    Group({43, 44}),
};

constexpr std::array<PersonTypGroup, kPersonTypCount> MakeGroups() {
    std::array<PersonTypGroup, kPersonTypCount> groups{};
    for (int t = 0; t < kPersonTypCount; ++t)
        if (!kTable[t].anims.empty()) groups[t] = Group({t});
    for (const PersonTypGroup& g : kBaseGroups) {
        for (int i = 1; i < g.count; ++i) groups[g.types[i]] = PersonTypGroup{};
        groups[g.types[0]] = g;
    }
    return groups;
}

}  // namespace person_typ_detail

inline constexpr std::array<PersonTypGroup, kPersonTypCount> kPersonTypGroups =
    person_typ_detail::MakeGroups();

namespace person_typ_detail {

constexpr bool TableIsSound() {
    for (const PersonTypRow& row : kTable) {
        if (row.anims.size() > kMaxPersonAnims) return false;
        if (row.code.size() >= kUnitCodeSize) return false;
        for (const AnimRow& anim : row.anims)
            for (int d = 0; d < kDirectionCount; ++d)
                if (HasDir(anim.counted, d) && anim.frames[d] == 0) return false;
    }
    return true;
}
static_assert(TableIsSound(), "up to 7 animations, codes of up to 6 letters, no empty counts");

}  // namespace person_typ_detail

// The number of the picture file that direction d of the type shows.
constexpr int PersonSpriteFileNumber(const PersonTypRow& row, int direction) {
    return row.facesBack ? (direction + 6) % kDirectionCount : direction;
}

// "persons\<folder>\<stem><number>.vff"; a negative number leaves it out.
inline std::string PersonSpritePath(std::string_view folder, std::string_view stem, int number) {
    std::string path = "persons\\";
    path += folder;
    path += '\\';
    path += stem;
    if (number >= 0) path += std::to_string(number);
    path += ".vff";
    return path;
}

}  // namespace kv
