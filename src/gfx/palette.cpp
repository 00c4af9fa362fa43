#include "gfx/palette.h"

#include <string>

#include "core/fatal_error.h"
#include "gfx/image_files.h"
#include "platform/display.h"

namespace kv {

GamePalette Palette{};

namespace {

// Components are kept in 8 bits, so values above 63 wrap as they did on the original hardware.
std::uint8_t ToHardware(std::uint8_t c) {
    return static_cast<std::uint8_t>(c * 4);
}

// One component's way through a fade: the accumulator spreads its `delta` whole steps evenly over
// the 256 fade steps, so it arrives exactly.
struct FadeComponent {
    std::uint8_t accumulator = 0;
    // True when the component moves by one in this step.
    bool step(std::uint8_t delta) {
        if (accumulator + delta > 255) {
            accumulator = static_cast<std::uint8_t>(accumulator + delta - 255);
            return true;
        }
        accumulator = static_cast<std::uint8_t>(accumulator + delta);
        return false;
    }
};

// The 256 steps, counting 255 down to 0; every 8th goes to the display after a vertical blank.
template <typename Step>
void RunFade(HardwarePalette& working, Step&& step) {
    for (int counter = 255; counter >= 0; --counter) {
        step();
        if (counter % 8 == 0) {
            DisplayWaitVerticalBlank();
            DisplaySetPaletteEntries(0, working);
        }
    }
}

bool HaveDisplayPalette() {
    return !FatalErrorRaised() && DisplayHasPalette() && DisplayPaletteAttached();
}

}  // namespace

void SetBlueLightStart(GamePalette& palette) {
    for (int entry : kBlueLightEntries)
        for (int c = 0; c < 3; ++c)
            palette[static_cast<std::size_t>(entry) * 3 + c] = kBlueLightStart[c];
}

void LoadFarbenPal() {
    if (!ReadWholeFile(kFarbenPalPath, Palette)) {
        FatalError(std::string(kFarbenPalPath) + " not found!");
        return;
    }
    SetBlueLightStart(Palette);
}

void SetPalette(const GamePalette& palette) {
    if (!DisplayHasPalette()) return;
    HardwarePalette entries{};
    for (int i = 0; i < 256; ++i)
        entries[i] = PaletteEntry{ToHardware(palette[i * 3]), ToHardware(palette[i * 3 + 1]),
                                  ToHardware(palette[i * 3 + 2]), 0};
    DisplaySetPaletteEntries(0, entries);
}

void SetBlackPalette() {
    if (!DisplayHasPalette()) return;
    const HardwarePalette black{};
    DisplaySetPaletteEntries(0, black);
}

void SetPaletteEntry(int index, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    if (!DisplayHasPalette() || index < 0 || index > 255) return;
    const PaletteEntry entry{ToHardware(r), ToHardware(g), ToHardware(b), 0};
    DisplaySetPaletteEntries(index, std::span(&entry, 1));
}

void FadePaletteOut() {
    if (!HaveDisplayPalette()) return;
    HardwarePalette start{};
    if (DisplayGetPaletteEntries(0, start) != DD_OK) return;
    HardwarePalette working = start;
    std::array<FadeComponent, 256 * 3> acc{};
    RunFade(working, [&] {
        for (int i = 0; i < 256; ++i) {
            PaletteEntry& w = working[i];
            const PaletteEntry& s = start[i];
            if (acc[i * 3].step(s.r)) --w.r;
            if (acc[i * 3 + 1].step(s.g)) --w.g;
            if (acc[i * 3 + 2].step(s.b)) --w.b;
        }
    });
}

void FadePaletteIn(const GamePalette& palette) {
    if (!HaveDisplayPalette()) return;
    HardwarePalette target{};
    HardwarePalette working{};
    for (int i = 0; i < 256; ++i) {
        target[i] = PaletteEntry{ToHardware(palette[i * 3]), ToHardware(palette[i * 3 + 1]),
                                 ToHardware(palette[i * 3 + 2]), 1};
        working[i].flags = 1;
    }
    std::array<FadeComponent, 256 * 3> acc{};
    RunFade(working, [&] {
        for (int i = 0; i < 256; ++i) {
            PaletteEntry& w = working[i];
            const PaletteEntry& t = target[i];
            if (acc[i * 3].step(t.r)) ++w.r;
            if (acc[i * 3 + 1].step(t.g)) ++w.g;
            if (acc[i * 3 + 2].step(t.b)) ++w.b;
        }
    });
}

}  // namespace kv
