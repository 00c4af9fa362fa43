#pragma once
// The palette of the sample data set ("graphs\farben.pal"), laid out so that placeholder art is
// legible: every entry belongs to one named ramp or colour below, and the entries the game itself
// draws with (selection frames, crew marks, blue lights, the campaign map's roads) sit at the
// indices it uses. Art picks its colours here: pal::kFire[3], pal::kBlack.first.

#include <cstdint>

#include "gfx/palette.h"

namespace kv::sampledata {

// Components 0..63, as the palette stores them.
struct Rgb6 {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
};

// count entries from first on, blending evenly from `from` to `to`.
struct PaletteRamp {
    std::uint8_t first;
    std::uint8_t count;
    Rgb6 from;
    Rgb6 to;

    // Shade i, 0 the first; clamped to the ramp.
    constexpr std::uint8_t operator[](int i) const {
        if (i < 0) i = 0;
        if (i >= count) i = count - 1;
        return static_cast<std::uint8_t>(first + i);
    }
    constexpr std::uint8_t last() const { return static_cast<std::uint8_t>(first + count - 1); }
    constexpr Rgb6 colour(int i) const {
        if (count == 1) return from;
        auto mix = [&](std::uint8_t a, std::uint8_t b) {
            return static_cast<std::uint8_t>((a * (count - 1 - i) + b * i + (count - 1) / 2) /
                                             (count - 1));
        };
        return Rgb6{mix(from.r, to.r), mix(from.g, to.g), mix(from.b, to.b)};
    }
};

constexpr PaletteRamp Single(std::uint8_t index, Rgb6 c) {
    return PaletteRamp{index, 1, c, c};
}

namespace pal {

inline constexpr PaletteRamp kBlack = Single(0, {0, 0, 0});  // transparent in sprites
inline constexpr PaletteRamp kSkin{1, 8, {63, 52, 42}, {28, 16, 8}};
inline constexpr PaletteRamp kBlueLight1 = Single(9, {16, 24, 63});  // cycled by the mission view
inline constexpr PaletteRamp kFireBrigadeRed = Single(10, {52, 6, 4});
inline constexpr PaletteRamp kFireBrigadeDark = Single(11, {32, 3, 2});
inline constexpr PaletteRamp kMedicWhite = Single(12, {58, 58, 56});
inline constexpr PaletteRamp kRescueOrange = Single(13, {63, 32, 0});
inline constexpr PaletteRamp kPoliceGreen = Single(14, {8, 36, 16});
inline constexpr PaletteRamp kTechnicalBlue = Single(15, {6, 14, 44});
inline constexpr PaletteRamp kGrey{18, 14, {4, 4, 4}, {60, 60, 60}};
inline constexpr PaletteRamp kFire{34, 8, {32, 2, 0}, {63, 40, 0}};  // embers to orange flames
inline constexpr PaletteRamp kFlameTip{42, 6, {63, 46, 8}, {63, 63, 44}};
inline constexpr PaletteRamp kSmoke{50, 6, {12, 11, 10}, {44, 43, 42}};
inline constexpr PaletteRamp kWater{56, 8, {2, 8, 24}, {24, 40, 60}};
inline constexpr PaletteRamp kGrass{66, 8, {6, 18, 4}, {28, 50, 16}};
inline constexpr PaletteRamp kFoliage{74, 6, {2, 10, 2}, {14, 30, 8}};
inline constexpr PaletteRamp kSand{82, 6, {40, 34, 18}, {62, 56, 38}};
inline constexpr PaletteRamp kEarth{88, 8, {14, 9, 4}, {40, 28, 16}};
inline constexpr PaletteRamp kRoad{98, 6, {10, 10, 12}, {34, 34, 36}};
inline constexpr PaletteRamp kRoadMarkWhite = Single(104, {58, 58, 54});
inline constexpr PaletteRamp kRoadMarkYellow = Single(105, {60, 52, 8});
inline constexpr PaletteRamp kBrick{106, 6, {26, 8, 4}, {52, 24, 16}};
inline constexpr PaletteRamp kRoof{112, 6, {24, 6, 6}, {50, 18, 12}};
inline constexpr PaletteRamp kWood{118, 6, {16, 9, 4}, {44, 30, 16}};
inline constexpr PaletteRamp kGlass{124, 4, {12, 20, 28}, {36, 48, 58}};
inline constexpr PaletteRamp kConcrete{128, 8, {20, 20, 18}, {50, 50, 46}};
// Shading for the services' vehicles and uniforms.
inline constexpr PaletteRamp kFireBrigadeRamp{136, 6, {24, 0, 0}, {63, 14, 10}};
inline constexpr PaletteRamp kMedicRamp{142, 6, {36, 36, 34}, {63, 63, 60}};
inline constexpr PaletteRamp kPoliceRamp{148, 6, {2, 16, 6}, {20, 52, 28}};
inline constexpr PaletteRamp kTechnicalRamp{154, 6, {2, 6, 24}, {20, 34, 63}};
inline constexpr PaletteRamp kHair{160, 3, {8, 5, 2}, {50, 40, 16}};
inline constexpr PaletteRamp kBlueLight2 = Single(163, {16, 24, 63});  // cycled by the mission view
inline constexpr PaletteRamp kViolet{164, 6, {14, 4, 22}, {48, 30, 60}};
inline constexpr PaletteRamp kPink{170, 6, {30, 6, 16}, {63, 40, 50}};
inline constexpr PaletteRamp kCyan{176, 6, {0, 18, 20}, {30, 60, 62}};
inline constexpr PaletteRamp kYellow{182, 6, {30, 26, 0}, {63, 60, 24}};
inline constexpr PaletteRamp kOrange{188, 6, {30, 12, 0}, {63, 44, 16}};
inline constexpr PaletteRamp kSky{194, 6, {20, 36, 56}, {44, 52, 63}};
inline constexpr PaletteRamp kShadow{200, 3, {4, 4, 8}, {12, 12, 20}};
inline constexpr PaletteRamp kLeaderMark = Single(203, {63, 56, 0});  // leading person, type 0 crew
inline constexpr PaletteRamp kMetal{204, 8, {14, 15, 17}, {54, 56, 60}};
inline constexpr PaletteRamp kRubber{212, 4, {4, 4, 4}, {16, 16, 16}};
inline constexpr PaletteRamp kAsh{216, 6, {6, 5, 4}, {24, 20, 16}};
inline constexpr PaletteRamp kToxic{222, 6, {20, 30, 0}, {48, 63, 10}};
inline constexpr PaletteRamp kBlood{228, 4, {24, 0, 0}, {44, 4, 4}};
inline constexpr PaletteRamp kPanelDark = Single(232, {10, 12, 16});
inline constexpr PaletteRamp kUnderSelection = Single(233, {40, 63, 40});  // frame under 255
inline constexpr PaletteRamp kPanel{234, 8, {8, 10, 16}, {36, 40, 52}};
inline constexpr PaletteRamp kOtherCrewMark = Single(242, {20, 28, 63});
inline constexpr PaletteRamp kGold{243, 6, {30, 22, 4}, {63, 52, 20}};
inline constexpr PaletteRamp kFireCrewMark = Single(249, {63, 0, 0});  // also the energy bar
inline constexpr PaletteRamp kWarning = Single(250, {63, 28, 0});
inline constexpr PaletteRamp kGroupMark = Single(251, {0, 56, 0});  // box group, crew types 5, 26
inline constexpr PaletteRamp kSignalCyan = Single(252, {0, 56, 56});
inline constexpr PaletteRamp kMapVehicleDot = Single(253, {63, 63, 0});
inline constexpr PaletteRamp kLightGrey = Single(254, {52, 52, 52});
inline constexpr PaletteRamp kWhite = Single(255, {61, 61, 61});  // selection frames

// The campaign map's roads: road n (0..5) has the entries 16n + 16 and 16n + 17.
constexpr PaletteRamp MapRoad(int n, Rgb6 a, Rgb6 b) {
    return PaletteRamp{static_cast<std::uint8_t>(16 * n + 16), 2, a, b};
}
inline constexpr PaletteRamp kMapRoads[6] = {
    MapRoad(0, {40, 36, 30}, {44, 40, 34}), MapRoad(1, {40, 34, 34}, {44, 38, 38}),
    MapRoad(2, {34, 40, 34}, {38, 44, 38}), MapRoad(3, {34, 36, 42}, {38, 40, 46}),
    MapRoad(4, {42, 40, 30}, {46, 44, 34}), MapRoad(5, {38, 34, 42}, {42, 38, 46}),
};

}  // namespace pal

// Every ramp of the palette; together they hold each entry exactly once.
inline constexpr PaletteRamp kSamplePaletteLayout[] = {
    pal::kBlack,
    pal::kSkin,
    pal::kBlueLight1,
    pal::kFireBrigadeRed,
    pal::kFireBrigadeDark,
    pal::kMedicWhite,
    pal::kRescueOrange,
    pal::kPoliceGreen,
    pal::kTechnicalBlue,
    pal::kMapRoads[0],
    pal::kGrey,
    pal::kMapRoads[1],
    pal::kFire,
    pal::kFlameTip,
    pal::kMapRoads[2],
    pal::kSmoke,
    pal::kWater,
    pal::kMapRoads[3],
    pal::kGrass,
    pal::kFoliage,
    pal::kMapRoads[4],
    pal::kSand,
    pal::kEarth,
    pal::kMapRoads[5],
    pal::kRoad,
    pal::kRoadMarkWhite,
    pal::kRoadMarkYellow,
    pal::kBrick,
    pal::kRoof,
    pal::kWood,
    pal::kGlass,
    pal::kConcrete,
    pal::kFireBrigadeRamp,
    pal::kMedicRamp,
    pal::kPoliceRamp,
    pal::kTechnicalRamp,
    pal::kHair,
    pal::kBlueLight2,
    pal::kViolet,
    pal::kPink,
    pal::kCyan,
    pal::kYellow,
    pal::kOrange,
    pal::kSky,
    pal::kShadow,
    pal::kLeaderMark,
    pal::kMetal,
    pal::kRubber,
    pal::kAsh,
    pal::kToxic,
    pal::kBlood,
    pal::kPanelDark,
    pal::kUnderSelection,
    pal::kPanel,
    pal::kOtherCrewMark,
    pal::kGold,
    pal::kFireCrewMark,
    pal::kWarning,
    pal::kGroupMark,
    pal::kSignalCyan,
    pal::kMapVehicleDot,
    pal::kLightGrey,
    pal::kWhite,
};

constexpr bool SamplePaletteLayoutIsComplete() {
    int uses[256] = {};
    for (const PaletteRamp& ramp : kSamplePaletteLayout)
        for (int i = 0; i < ramp.count; ++i) {
            const int index = ramp.first + i;
            if (index > 255) return false;
            ++uses[index];
        }
    for (int u : uses)
        if (u != 1) return false;
    return true;
}
static_assert(SamplePaletteLayoutIsComplete(), "every palette entry belongs to one ramp");

constexpr GamePalette MakeSamplePalette() {
    GamePalette palette{};
    for (const PaletteRamp& ramp : kSamplePaletteLayout)
        for (int i = 0; i < ramp.count; ++i) {
            const Rgb6 c = ramp.colour(i);
            const std::size_t at = static_cast<std::size_t>(ramp.first + i) * 3;
            palette[at] = c.r;
            palette[at + 1] = c.g;
            palette[at + 2] = c.b;
        }
    return palette;
}

}  // namespace kv::sampledata
