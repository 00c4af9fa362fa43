#pragma once
// The ten explosion kinds: the animation each one plays, where it is placed over the thing that
// explodes, and the divisors by which its heat fades with distance. The loader, the sample-data
// generator and the tests all read these tables.

#include <array>
#include <cstdint>
#include <string_view>

namespace kv {

inline constexpr int kExplosionKinds = 10;

struct ExplosionKind {
    std::uint16_t damageFrame;  // the frame at which the exploding thing turns burnt or vanishes
    std::int16_t ticksPerFrame;
    std::int16_t frameCount;
    std::string_view file;
    std::array<std::int16_t, 4> box;  // x0, y0, x1, y1
    std::string_view message;         // the whole text of the fatal error for a missing file
    // Placement over an exploding special object: the depth layer, and the offset added to the
    // object's position. With overBody the offset is taken from the middle of the object's box
    // and from the foot of its current frame; the vehicle kinds 0..2 place the same way over a
    // vehicle's position and foot.
    std::uint8_t depthLayer;
    bool overBody;
    std::int16_t dx;
    std::int16_t dy;
};

// clang-format off
inline constexpr std::array<ExplosionKind, kExplosionKinds> kExplosionKindTable = {{
    {6, 2, 23, "graphs\\explode\\expl1.aff", {0, 191, 230, 191}, "file not found: EXPLODE1FILE", 0, true, -150, -175},
    {7, 2, 23, "graphs\\explode\\expl2.aff", {0, 200, 162, 200}, "file not found:  EXPLODE2FILE", 0, true, -70, -178},
    {9, 2, 19, "graphs\\explode\\expl3.aff", {0, 180, 190, 180}, "file not found:  EXPLODE3FILE", 0, true, -106, -152},
    {8, 2, 16, "graphs\\explode\\lache01.vff", {0, 132, 110, 134}, "file not found:  EXPLODELACHE01FILE", 0, false, -30, -110},
    {1, 1, 23, "graphs\\explode\\molotow.aff", {0, 21, 16, 21}, "file not found:  EXPLODEMOLOTOWFILE", 2, false, -6, -5},
    {0, 1, 15, "sobj\\13\\gullexpl.aff", {0, 103, 21, 117}, "file not found:  M13GULLIEXPLFILE", 0, false, 1, -104},
    {36, 1, 68, "graphs\\explode\\m13lache.aff", {0, 128, 152, 132}, "file not found:  EXPLODEM13LACHEFILE", 0, false, -49, -87},
    {30, 1, 51, "graphs\\explode\\truck.aff", {0, 135, 113, 138}, "file not found:  EXPLODEM13TRUCKFILE", 0, false, -18, -63},
    {33, 1, 64, "graphs\\explode\\tanker.aff", {0, 181, 166, 185}, "file not found:  EXPLODEM13TANKFILE", 0, false, -17, -66},
    {17, 1, 40, "graphs\\explode\\m08plane.aff", {0, 116, 108, 117}, "file not found:  EXPLODEM08PLANEFILE", 0, false, -4, -48},
}};
// clang-format on

// Kind 5 sets off a great fire instead of a blast.
inline constexpr int kGreatFireExplosion = 5;

// Heat reaching a thing at distance d is the source's heat divided by the entry d / step: 60 px a
// step for vehicles and special objects, 50 px for persons. Past the last entry nothing arrives.
inline constexpr std::array<std::int32_t, 5> kExplosionDivisors = {2, 6, 30, 100, 1000};
inline constexpr int kExplosionStepUnits = 60;
inline constexpr int kExplosionStepPersons = 50;

}  // namespace kv
