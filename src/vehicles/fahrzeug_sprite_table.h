#pragma once
// What each vehicle type's loader does: the animation entries it fills from which picture files,
// their frame counts and timing, boxes and hot spots, the constants it writes into the type and,
// for five types, the water cannon. One loader reads this table for every type; the sample-data
// generator draws its pictures from it.

#include <array>
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

#include "movement/unit_type.h"
#include "vehicles/fahrzeug_typ_table.h"

namespace kv {

// Left, top, right, bottom in picture coordinates.
struct SpriteBox {
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
    friend constexpr bool operator==(const SpriteBox&, const SpriteBox&) = default;
};

struct SpritePoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

using FacingMask = std::uint16_t;
inline constexpr FacingMask kAllFacings = 0x0FFF;
constexpr FacingMask Facings(std::initializer_list<int> facings) {
    FacingMask mask = 0;
    for (int d : facings) mask = static_cast<FacingMask>(mask | (1u << d));
    return mask;
}
constexpr bool HasFacing(FacingMask mask, int d) {
    return (mask >> d) & 1u;
}

// How far each box shrinks, per facing, before the hot spot is taken from it.
enum class Inset : std::uint8_t { None, Normal, Large };
inline constexpr std::array<SpritePoint, kDirectionCount> kNormalInset = {{
    {0, 3},
    {3, 3},
    {3, 1},
    {3, 0},
    {3, 2},
    {3, 3},
    {0, 3},
    {3, 3},
    {3, 2},
    {3, 0},
    {3, 2},
    {3, 3},
}};
inline constexpr std::array<SpritePoint, kDirectionCount> kLargeInset = {{
    {0, 5},
    {5, 5},
    {5, 2},
    {5, 0},
    {5, 3},
    {5, 5},
    {0, 5},
    {5, 5},
    {5, 3},
    {5, 0},
    {5, 3},
    {5, 5},
}};

// Where an entry's box comes from.
enum class BoxRule : std::uint8_t {
    None,      // no box: all zero
    Picture,   // the opaque bounding box of the picture's first frame
    Whole,     // the whole first frame: 0, 0, width - 1, height - 1
    Given,     // the entry's own boxes, by facing
    Entry0,    // a copy of entry 0's box in the same facing
    F203Stay,  // entry 0 of F203 in the same facing, as F203's loader left it
};

using FacingBoxes = std::array<SpriteBox, kDirectionCount>;

constexpr FacingBoxes BoxInFacing(int d, SpriteBox box) {
    FacingBoxes boxes{};
    boxes[d] = box;
    return boxes;
}

// One animation entry in the facings that have it.
struct SpriteEntryRow {
    std::uint8_t entry = 0;
    // The file stem; empty: the entry repeats entry 0 (its picture, frames, delay and box).
    std::string_view stem{};
    FacingMask facings = kAllFacings;
    std::uint16_t frames = 1;
    std::uint16_t delay = 0;
    BoxRule box = BoxRule::Picture;
    FacingMask boxFacings = kAllFacings;   // elsewhere the entry has no box
    FacingBoxes boxes{};                   // BoxRule::Given
    std::optional<SpritePoint> hotSpot{};  // set in boxFacings, for entries loaded after hot spots
    // Loaded after the insets and hot spots: keeps the box and hot spot given here, or none.
    bool afterHotSpots = false;
    bool oneFile = false;            // "cars\<name>\<stem>.vff" instead of one file per facing
    bool lowerFolder = false;        // the folder name is spelled in lower case in the path
    FacingMask optionalFacings = 0;  // a missing picture there leaves the entry empty
    // The missing-file message names the path instead of the picture.
    bool pathMessage = false;
    // What the missing-file message names; empty: the type's name and the stem in capitals.
    std::string_view message{};
    // After the hot spots: hot x = entry 0's hot x + this.
    std::optional<std::int16_t> hotXFromEntry0{};
};

// A water cannon: per cannon direction the picture's anchor and the nozzle offset, per vehicle
// facing where it sits in the standing picture.
struct KanoneRow {
    std::int16_t strength;
    std::int16_t height;
    std::int16_t range;
    std::array<SpritePoint, kDirectionCount> anchor;
    std::array<SpritePoint, kDirectionCount> mount;  // before entry 0's hot spot is subtracted
    std::array<SpritePoint, kDirectionCount> nozzle;
};

struct FahrzeugTypRow {
    std::uint8_t entries = 0;  // AnimSlots per facing; 0 = the empty slot
    Inset inset = Inset::None;
    std::array<std::int16_t, 4> selectBox{};
    std::uint8_t shortcutBackSteps = 0;
    std::uint8_t panelPicture = 0;
    std::int8_t speaker = -1;
    std::uint8_t terrainColumn = 0;
    std::uint8_t unitClass = 0;
    std::uint8_t explosionKind = 0;
    std::uint8_t material = 0;
    std::uint8_t rightOfWay = 0;
    // Written over the data file's number.
    std::optional<std::int32_t> heatProtection{};
    std::span<const SpriteEntryRow> sprites{};
    const KanoneRow* kanone = nullptr;
};

namespace sprites {

// The driving entry that repeats the standing picture.
inline constexpr SpriteEntryRow kDriveAsStay{.entry = 1};

inline constexpr FacingBoxes kF101Stay = {{
    {4, 12, 37, 96},
    {0, 20, 68, 89},
    {3, 17, 101, 75},
    {3, 22, 105, 59},
    {0, 17, 102, 87},
    {0, 18, 73, 105},
    {5, 15, 38, 99},
    {3, 22, 73, 93},
    {1, 16, 105, 78},
    {1, 23, 109, 58},
    {1, 16, 102, 86},
    {2, 16, 72, 100},
}};
inline constexpr SpriteEntryRow kF101[] = {
    {.entry = 0, .stem = "stay", .box = BoxRule::Given, .boxes = kF101Stay},
    kDriveAsStay,
};

inline constexpr SpriteEntryRow kF102[] = {
    {.entry = 0, .stem = "stay"},
    kDriveAsStay,
    {.entry = 2, .stem = "open", .box = BoxRule::Entry0},
    {.entry = 3, .stem = "sopen", .box = BoxRule::Entry0},
};
inline constexpr SpriteEntryRow kF104[] = {
    {.entry = 0, .stem = "stay", .lowerFolder = true},
    kDriveAsStay,
    {.entry = 2, .stem = "open", .box = BoxRule::Entry0, .lowerFolder = true},
    {.entry = 3, .stem = "sopen", .box = BoxRule::Entry0, .lowerFolder = true},
};

// The ladder's sections and pieces at the basket's four heights, in the facings it reaches.
inline constexpr FacingMask kLadderFacings = Facings({0, 1, 2, 10, 11});
constexpr SpriteEntryRow LadderPart(std::uint8_t entry, std::string_view stem,
                                    std::string_view message) {
    return {.entry = entry,
            .stem = stem,
            .facings = kLadderFacings,
            .box = BoxRule::None,
            .afterHotSpots = true,
            .message = message};
}
inline constexpr SpriteEntryRow kF106[] = {
    {.entry = 0, .stem = "stay"},
    kDriveAsStay,
    {.entry = 2, .stem = "open", .box = BoxRule::Entry0},
    {.entry = 3,
     .stem = "inst",
     .facings = Facings({3}),
     .box = BoxRule::Entry0,
     .message = "F106INSTALLED"},
    {.entry = 13, .stem = "iopen", .facings = Facings({3}), .box = BoxRule::Entry0},
    {.entry = 4,
     .stem = "step",
     .facings = Facings({3}),
     .frames = 9,
     .delay = 2,
     .box = BoxRule::None,
     .afterHotSpots = true,
     .oneFile = true},
    {.entry = 5,
     .stem = "ldr0m",
     .facings = Facings({3}),
     .frames = 2,
     .delay = 2,
     .box = BoxRule::None,
     .afterHotSpots = true,
     .message = "F106_LADDER_MAIN0"},
    LadderPart(5, "ldr0m", "F106_LADDER_MAIN0"),
    LadderPart(6, "ldr1m", "F106_LADDER_MAIN1"),
    LadderPart(7, "ldr2m", "F106_LADDER_MAIN2"),
    LadderPart(8, "ldr3m", "F106_LADDER_MAIN3"),
    LadderPart(9, "ldr0p", "F106_LADDER_PIECE0"),
    LadderPart(10, "ldr1p", "F106_LADDER_PIECE1"),
    LadderPart(11, "ldr2p", "F106_LADDER_PIECE2"),
    LadderPart(12, "ldr3p", "F106_LADDER_PIECE3"),
};

inline constexpr SpriteEntryRow kF107[] = {
    {.entry = 0, .stem = "stay"},
    kDriveAsStay,
    {.entry = 2, .stem = "open"},
};
inline constexpr SpriteEntryRow kF108[] = {
    {.entry = 0, .stem = "stay"},
    kDriveAsStay,
    {.entry = 2, .stem = "open", .box = BoxRule::Entry0},
    {.entry = 3, .stem = "sopen", .box = BoxRule::Entry0},
    {.entry = 4, .stem = "hopen", .box = BoxRule::Entry0},
};
inline constexpr SpriteEntryRow kF109[] = {
    {.entry = 0, .stem = "stay"},
    kDriveAsStay,
    {.entry = 2, .stem = "open", .box = BoxRule::Entry0},
    {.entry = 3, .stem = "hopen"},
};
inline constexpr SpriteEntryRow kStayDrive[] = {
    {.entry = 0, .stem = "stay"},
    kDriveAsStay,
};

// The aircraft flies in facing 3 only; every picture may be missing.
inline constexpr FacingBoxes kF111Stay = BoxInFacing(3, {3, 56, 192, 90});
inline constexpr FacingBoxes kF111Wasser = BoxInFacing(3, {31, 56, 220, 90});
inline constexpr SpriteEntryRow kF111[] = {
    {.entry = 0,
     .stem = "stay",
     .frames = 2,
     .delay = 1,
     .box = BoxRule::Given,
     .boxFacings = Facings({3}),
     .boxes = kF111Stay,
     .optionalFacings = kAllFacings},
    kDriveAsStay,
    {.entry = 2,
     .stem = "wasser",
     .frames = 16,
     .delay = 1,
     .box = BoxRule::Given,
     .boxFacings = Facings({3}),
     .boxes = kF111Wasser,
     .optionalFacings = kAllFacings},
};

// The pontoon layer sets up in facing 1 only; the set-up pictures reach further left than the
// standing one.
inline constexpr SpriteEntryRow kF113[] = {
    {.entry = 0, .stem = "stay"},
    kDriveAsStay,
    {.entry = 2,
     .stem = "install1",
     .facings = Facings({1}),
     .frames = 15,
     .delay = 1,
     .box = BoxRule::Entry0,
     .oneFile = true,
     .hotXFromEntry0 = 4},
    {.entry = 3,
     .stem = "install2",
     .facings = Facings({1}),
     .frames = 17,
     .delay = 1,
     .box = BoxRule::Entry0,
     .oneFile = true,
     .hotXFromEntry0 = 23},
    {.entry = 4,
     .stem = "inst",
     .facings = Facings({1}),
     .box = BoxRule::Entry0,
     .message = "F113INSTALLED",
     .hotXFromEntry0 = 4},
    {.entry = 5,
     .stem = "deinst1",
     .facings = Facings({1}),
     .frames = 17,
     .delay = 1,
     .box = BoxRule::Entry0,
     .oneFile = true,
     .message = "F113DEINSTALL1",
     .hotXFromEntry0 = 23},
    {.entry = 6,
     .stem = "deinst2",
     .facings = Facings({1}),
     .frames = 15,
     .delay = 1,
     .box = BoxRule::Entry0,
     .oneFile = true,
     .message = "F113DEINSTALL2",
     .hotXFromEntry0 = 4},
};

// Types that drive with a picture of their own.
inline constexpr SpriteEntryRow kStayGo[] = {
    {.entry = 0, .stem = "stay"},
    {.entry = 1, .stem = "go", .box = BoxRule::Entry0},
};

inline constexpr SpriteEntryRow kF201[] = {
    {.entry = 0, .stem = "stay", .lowerFolder = true},
    kDriveAsStay,
    {.entry = 2, .stem = "open", .box = BoxRule::Entry0},
};
inline constexpr SpriteEntryRow kStayDriveOpen[] = {
    {.entry = 0, .stem = "stay"},
    kDriveAsStay,
    {.entry = 2, .stem = "open", .box = BoxRule::Entry0},
};

// The helicopter: only the standing picture is required.
inline constexpr FacingBoxes kF203Ground = BoxInFacing(3, {0, 0, 146, 36});
inline constexpr SpriteEntryRow kF203[] = {
    {.entry = 0, .stem = "stay", .frames = 2, .delay = 2, .box = BoxRule::Whole},
    kDriveAsStay,
    {.entry = 5,
     .stem = "down",
     .frames = 27,
     .delay = 2,
     .box = BoxRule::Entry0,
     .optionalFacings = kAllFacings},
    {.entry = 4,
     .stem = "up",
     .frames = 26,
     .delay = 2,
     .box = BoxRule::Entry0,
     .optionalFacings = kAllFacings},
    {.entry = 3,
     .stem = "land",
     .box = BoxRule::Given,
     .boxFacings = Facings({3}),
     .boxes = kF203Ground,
     .hotSpot = SpritePoint{63, 5},
     .afterHotSpots = true,
     .optionalFacings = kAllFacings},
    {.entry = 2,
     .stem = "open",
     .box = BoxRule::Given,
     .boxFacings = Facings({3}),
     .boxes = kF203Ground,
     .hotSpot = SpritePoint{63, 5},
     .afterHotSpots = true,
     .optionalFacings = kAllFacings},
};
// The helicopter carrying a person; entry 2 stays empty.
inline constexpr SpriteEntryRow kF203B[] = {
    {.entry = 0,
     .stem = "stay",
     .frames = 2,
     .delay = 2,
     .box = BoxRule::F203Stay,
     .message = "F203MVSTAY"},
    kDriveAsStay,
    {.entry = 4,
     .stem = "down",
     .frames = 8,
     .delay = 2,
     .box = BoxRule::Entry0,
     .optionalFacings = kAllFacings},
    {.entry = 3,
     .stem = "up",
     .frames = 8,
     .delay = 2,
     .box = BoxRule::Entry0,
     .optionalFacings = kAllFacings},
};

// The tent vehicle pitches its tent in facing 7 only.
inline constexpr FacingBoxes kF204Tent = BoxInFacing(7, {0, 20, 70, 102});
inline constexpr SpriteEntryRow kF204[] = {
    {.entry = 0, .stem = "stay"},
    kDriveAsStay,
    {.entry = 2,
     .stem = "install1",
     .facings = Facings({7}),
     .frames = 38,
     .delay = 2,
     .box = BoxRule::Given,
     .boxes = kF204Tent,
     .oneFile = true,
     .message = "F204INSTALL"},
    {.entry = 3,
     .stem = "inst",
     .facings = Facings({7}),
     .box = BoxRule::Given,
     .boxes = kF204Tent,
     .message = "F204INSTALLED"},
    {.entry = 4,
     .stem = "deinst1",
     .facings = Facings({7}),
     .frames = 37,
     .delay = 2,
     .box = BoxRule::Given,
     .boxes = kF204Tent,
     .oneFile = true,
     .message = "F204DEINSTALL"},
};

inline constexpr FacingBoxes kSF02Open = BoxInFacing(3, {13, 23, 120, 62});
inline constexpr SpriteEntryRow kSF02[] = {
    {.entry = 0, .stem = "stay"},
    kDriveAsStay,
    {.entry = 2,
     .stem = "open",
     .box = BoxRule::Given,
     .boxFacings = Facings({3}),
     .boxes = kSF02Open},
};

// Parked cars stand diagonally; only those four pictures are required. Their boxes are at most 27
// px across the car, so that cars parked side by side 28 px apart stand clear of each other.
inline constexpr FacingMask kParkFacings = Facings({1, 3, 7, 9});
inline constexpr FacingBoxes kParkStay = {{
    {},
    {3, 3, 29, 46},
    {},
    {3, 3, 60, 30},
    {},
    {},
    {},
    {3, 3, 29, 46},
    {},
    {3, 3, 60, 30},
    {},
    {},
}};
inline constexpr SpriteEntryRow kPark[] = {
    {.entry = 0,
     .stem = "stay",
     .box = BoxRule::Given,
     .boxFacings = kParkFacings,
     .boxes = kParkStay,
     .optionalFacings = kAllFacings & ~kParkFacings,
     .pathMessage = true},
    kDriveAsStay,
};

// The shark bites only in the four diagonal facings.
inline constexpr FacingMask kBiteFacings = Facings({3, 5, 7, 9});
inline constexpr FacingBoxes kHaiFriss = {{
    {},
    {},
    {},
    {4, 18, 76, 37},
    {},
    {0, 4, 35, 59},
    {},
    {4, -5, 37, 51},
    {},
    {1, 11, 70, 32},
    {},
    {},
}};
inline constexpr SpriteEntryRow kHai[] = {
    {.entry = 0, .stem = "stay", .frames = 11, .delay = 3},
    kDriveAsStay,
    {.entry = 2,
     .stem = "friss",
     .frames = 12,
     .delay = 3,
     .box = BoxRule::Given,
     .boxFacings = kBiteFacings,
     .boxes = kHaiFriss,
     .optionalFacings = kAllFacings & ~kBiteFacings,
     .pathMessage = true},
};

// Anchor, mount (before the hot spot), nozzle, by direction.
// clang-format off
inline constexpr KanoneRow kF104Kanone = {10, 35, 200,
    {{{2, 21}, {2, 20}, {3, 14}, {2, 9}, {2, 10}, {2, 10}, {2, 9}, {8, 8}, {18, 8}, {18, 9},
      {17, 13}, {13, 19}}},
    {{{23, 26}, {33, 24}, {47, 23}, {47, 12}, {42, 26}, {33, 31}, {28, 27}, {36, 23}, {46, 20},
      {49, 13}, {46, 23}, {41, 26}}},
    {{{0, -21}, {9, -20}, {18, -14}, {21, -8}, {16, 0}, {8, 5}, {0, 7}, {-8, 6}, {-17, -1},
      {-18, -7}, {-17, -13}, {-13, -19}}},
};
inline constexpr KanoneRow kF105Kanone = {20, 35, 300,
    {{{2, 28}, {2, 26}, {2, 19}, {2, 11}, {2, 2}, {2, 2}, {2, 2}, {15, 2}, {24, 2}, {27, 11},
      {24, 19}, {15, 26}}},
    {{{19, 32}, {41, 33}, {53, 26}, {51, 13}, {53, 26}, {41, 33}, {19, 32}, {41, 33}, {53, 26},
      {51, 13}, {53, 26}, {41, 33}}},
    {{{0, -26}, {12, -24}, {22, -17}, {25, -9}, {22, 0}, {12, 6}, {0, 9}, {-13, 6}, {-22, 0},
      {-25, -9}, {-22, -17}, {-13, -24}}},
};
inline constexpr KanoneRow kF107Kanone = {20, 25, 200,
    {{{2, 23}, {2, 21}, {2, 16}, {2, 9}, {2, 2}, {2, 2}, {2, 2}, {12, 2}, {19, 2}, {22, 9},
      {19, 16}, {12, 21}}},
    {{{19, 26}, {36, 28}, {44, 23}, {41, 13}, {44, 23}, {36, 28}, {19, 26}, {36, 28}, {44, 23},
      {41, 13}, {44, 23}, {36, 28}}},
    {{{0, -21}, {10, -19}, {17, -14}, {20, -7}, {17, 0}, {10, 5}, {0, 7}, {-10, 5}, {-17, 0},
      {-20, -7}, {-17, -14}, {-10, -19}}},
};
inline constexpr KanoneRow kF115Kanone = {50, 60, 600,
    {{{2, 36}, {2, 33}, {2, 24}, {2, 13}, {2, 2}, {2, 2}, {2, 2}, {18, 2}, {30, 2}, {34, 13},
      {30, 24}, {18, 33}}},
    {{{35, 39}, {83, 35}, {110, 20}, {111, 11}, {110, 31}, {83, 47}, {35, 48}, {46, 47}, {71, 31},
      {78, 11}, {71, 20}, {46, 35}}},
    {{{0, -34}, {16, -31}, {28, -22}, {32, -11}, {28, 0}, {16, 8}, {0, 11}, {-16, 8}, {-28, 0},
      {-32, -11}, {-28, -22}, {-16, -31}}},
};
inline constexpr KanoneRow kF303Kanone = {10, 25, 200,
    {{{2, 21}, {2, 19}, {2, 15}, {2, 8}, {2, 2}, {2, 2}, {2, 2}, {11, 2}, {18, 2}, {20, 8},
      {18, 15}, {11, 19}}},
    {{{19, 26}, {36, 28}, {44, 23}, {41, 13}, {44, 23}, {36, 28}, {19, 26}, {36, 28}, {44, 23},
      {41, 13}, {44, 23}, {36, 28}}},
    {{{0, -19}, {9, -17}, {16, -13}, {18, -6}, {16, 0}, {9, 5}, {0, 6}, {-9, 5}, {-16, 0},
      {-18, -6}, {-16, -13}, {-9, -17}}},
};
// clang-format on

}  // namespace sprites

// clang-format off
// entries, inset, selectBox, shortcutBackSteps, panelPicture, speaker, terrainColumn, unitClass,
// explosionKind, material, rightOfWay, heatProtection, sprites, cannon
#define KV_ZF(l, t, r, b) {2, Inset::None, {l, t, r, b}, 10, 0, -1, 13, 2, 0, 1, 255, {}, sprites::kStayDrive}
#define KV_PARK {2, Inset::None, {-35, -27, 35, 24}, 10, 0, -1, 13, 2, 0, 1, 255, {}, sprites::kPark}
inline constexpr std::array<FahrzeugTypRow, kFahrzeugTypCount> kFahrzeugTypRows = {{
    /* F101 */ {2, Inset::Normal, {-55, -61, 55, 42}, 20, 29, 0, 0, 1, 1, 1, 2, {}, sprites::kF101},
    /* F102 */ {4, Inset::Normal, {-50, -64, 52, 34}, 20, 45, 1, 1, 1, 1, 1, 1, {}, sprites::kF102},
    /* F103 */ {4, Inset::Normal, {-50, -64, 52, 34}, 20, 0, 0, 1, 1, 1, 1, 1, {}, sprites::kF102},
    /* F104 */ {4, Inset::Normal, {-50, -60, 52, 38}, 24, 1, 1, 1, 1, 1, 1, 1, {}, sprites::kF104,
                &sprites::kF104Kanone},
    /* F105 */ {4, Inset::Normal, {-53, -67, 55, 37}, 24, 19, 0, 1, 1, 2, 1, 1, {}, sprites::kF104,
                &sprites::kF105Kanone},
    /* F106 */ {14, Inset::Normal, {-61, -67, 63, 40}, 24, 44, 1, 2, 1, 2, 1, 2, {}, sprites::kF106},
    /* F107 */ {3, Inset::Normal, {-45, -45, 45, 35}, 24, 22, 1, 3, 1, 1, 1, 0, {}, sprites::kF107,
                &sprites::kF107Kanone},
    /* F108 */ {5, Inset::Normal, {-38, -42, 38, 31}, 16, 2, 0, 1, 1, 1, 1, 0, {}, sprites::kF108},
    /* F109 */ {4, Inset::Normal, {-48, -55, 48, 41}, 16, 23, 0, 1, 1, 1, 1, 1, {}, sprites::kF109},
    /* F110 */ {2, Inset::Normal, {-55, -62, 55, 40}, 20, 3, 0, 5, 1, 1, 1, 1, {}, sprites::kStayDrive},
    /* F111 */ {3, Inset::None, {0, 0, 0, 0}, 8, 17, 1, 15, 1, 1, 1, 4, 32767, sprites::kF111},
    /* F113 */ {7, Inset::Normal, {-53, -64, 52, 41}, 20, 47, 1, 7, 1, 1, 1, 1, {}, sprites::kF113},
    /* F114 */ {2, Inset::Normal, {-55, -61, 55, 42}, 24, 20, 0, 8, 1, 1, 1, 1, {}, sprites::kStayDrive},
    /* F115 */ {2, Inset::Normal, {-79, -71, 89, 57}, 12, 28, 1, 9, 1, 2, 1, 3, {}, sprites::kStayGo,
                &sprites::kF115Kanone},
    /* F116 */ {2, Inset::None, {-40, -36, 40, 31}, 12, 25, 1, 10, 1, 0, 1, 0, {}, sprites::kStayGo},
    /* F117 */ {2, Inset::Large, {-65, -72, 65, 50}, 16, 26, 0, 5, 1, 1, 1, 2, {}, sprites::kStayDrive},
    /* F118 */ {2, Inset::Large, {-65, -72, 65, 50}, 16, 27, 1, 5, 1, 1, 1, 2, {}, sprites::kStayDrive},
    /* F201 */ {3, Inset::Normal, {-40, -52, 42, 29}, 16, 4, 0, 11, 1, 0, 1, 0, {}, sprites::kF201},
    /* F202 */ {3, Inset::Normal, {-37, -32, 37, 26}, 12, 5, 0, 13, 1, 0, 1, 0, {},
                sprites::kStayDriveOpen},
    /* F203 */ {6, Inset::Normal, {-65, -55, 85, 57}, 8, 6, 0, 15, 1, 2, 1, 3, {}, sprites::kF203},
    /* F204 */ {5, Inset::Normal, {-60, -58, 60, 43}, 12, 24, 1, 12, 1, 2, 1, 1, {}, sprites::kF204},
    /* F301 */ {3, Inset::Normal, {-37, -29, 37, 26}, 8, 7, 0, 13, 1, 0, 1, 0, {},
                sprites::kStayDriveOpen},
    /* F302 */ {3, Inset::Normal, {-43, -50, 41, 30}, 12, 21, 1, 1, 1, 0, 1, 0, {},
                sprites::kStayDriveOpen},
    /* F303 */ {2, Inset::Normal, {-45, -45, 45, 35}, 24, 18, 1, 14, 1, 1, 1, 0, {},
                sprites::kStayDrive, &sprites::kF303Kanone},
    /* none */ {},
    /* F110MD */ {2, Inset::Normal, {-55, -62, 55, 40}, 20, 3, 0, 5, 1, 1, 1, 1, {},
                  sprites::kStayDrive},
    /* F119 */ {2, Inset::Large, {-65, -72, 65, 50}, 16, 30, 1, 5, 1, 1, 1, 2, {}, sprites::kStayDrive},
    /* ZF01 */ KV_ZF(-37, -32, 37, 26),
    /* ZF02 .. ZF08 */
    KV_ZF(-35, -27, 35, 24), KV_ZF(-35, -27, 35, 24), KV_ZF(-35, -27, 35, 24),
    KV_ZF(-35, -27, 35, 24), KV_ZF(-35, -27, 35, 24), KV_ZF(-35, -27, 35, 24),
    KV_ZF(-35, -27, 35, 24),
    /* SF02 */ {3, Inset::None, {-35, -27, 35, 24}, 10, 0, -1, 13, 2, 0, 1, 255, {}, sprites::kSF02},
    /* PARK01 .. PARK08 */
    KV_PARK, KV_PARK, KV_PARK, KV_PARK, KV_PARK, KV_PARK, KV_PARK, KV_PARK,
    /* HONDA01 */ {2, Inset::None, {-25, -24, 25, 20}, 10, 0, -1, 13, 2, 0, 1, 255, {},
                   sprites::kStayGo},
    /* F203B */ {5, Inset::Normal, {-65, -55, 85, 57}, 8, 6, 0, 15, 1, 2, 1, 3, {}, sprites::kF203B},
    /* HAI */ {3, Inset::None, {-25, -24, 25, 20}, 10, 0, -1, 10, 1, 0, 0, 255, {}, sprites::kHai},
}};
#undef KV_ZF
#undef KV_PARK
// clang-format on

namespace detail {

// The table's own rules, checked when it is compiled.
constexpr bool SpriteTableIsSound() {
    for (int t = 0; t < kFahrzeugTypCount; ++t) {
        const FahrzeugTypRow& s = kFahrzeugTypRows[t];
        if ((s.entries == 0) != kFahrzeugTypNames[t].name.empty()) return false;
        if (s.entries == 0) continue;
        // Entry 0 comes first: the others copy from it.
        if (s.sprites.empty() || s.sprites[0].entry != 0 || s.sprites[0].stem.empty()) return false;
        for (const SpriteEntryRow& e : s.sprites) {
            if (e.entry >= s.entries) return false;
            if (e.box == BoxRule::Given && e.boxFacings == 0) return false;
            if (e.hotSpot && !e.afterHotSpots) return false;
            if (e.stem.empty() && e.entry == 0) return false;
            if (e.oneFile && std::popcount(static_cast<unsigned>(e.facings)) != 1) return false;
            if (e.frames == 0) return false;
        }
    }
    return true;
}
static_assert(SpriteTableIsSound());

}  // namespace detail

}  // namespace kv
