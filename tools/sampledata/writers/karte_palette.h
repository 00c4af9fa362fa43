#pragma once
// The campaign map's palette ("basen\karte.pal"): the game palette's layout with its colours
// muted towards a faded paper tone, so the map reads like a printed chart. The entries the map
// screen draws with directly keep their colours: black (the darkened briefing box), the vehicle
// dots and the light text colours.

#include <cstdint>

#include "gfx/palette.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

inline constexpr std::uint8_t kKarteKeptEntries[] = {pal::kBlack.first, pal::kMapVehicleDot.first,
                                                     pal::kLightGrey.first, pal::kWhite.first};
// The paper tone everything else is drawn towards.
inline constexpr Rgb6 kKartePaper{50, 46, 36};

constexpr GamePalette MakeKartePalette() {
    GamePalette palette = MakeSamplePalette();
    for (int i = 0; i < 256; ++i) {
        bool kept = false;
        for (std::uint8_t k : kKarteKeptEntries) kept = kept || k == i;
        if (kept) continue;
        std::uint8_t* c = &palette[static_cast<std::size_t>(i) * 3];
        const int grey = (c[0] * 30 + c[1] * 59 + c[2] * 11) / 100;
        const int paper[3] = {kKartePaper.r, kKartePaper.g, kKartePaper.b};
        for (int k = 0; k < 3; ++k) {
            // Half the saturation away, then a fifth of the way to the paper.
            const int muted = (c[k] + grey) / 2;
            c[k] = static_cast<std::uint8_t>((muted * 4 + paper[k]) / 5);
        }
    }
    return palette;
}

}  // namespace kv::sampledata
